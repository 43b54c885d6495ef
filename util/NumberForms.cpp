// NumberForms.cpp: the three forms in which the command writes numbers (exchange file, settings
// file, text-type list). The real form is built from the double's exact decimal value, so Linux
// and Windows builds write the same digits.
#include "MyFunc.h"

#include "ExactDecimal.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

std::string IntToText(int32_t value) {
  char buf[16];
  const auto res = std::to_chars(buf, buf + sizeof buf, value);
  return std::string(buf, res.ptr);
}

std::string IntToHex(int32_t value) {
  char buf[16];
  const auto res = std::to_chars(buf, buf + sizeof buf, static_cast<uint32_t>(value), 16);
  for (char* c = buf; c != res.ptr; ++c) {
    if (*c >= 'a' && *c <= 'f') {
      *c = static_cast<char>(*c - 'a' + 'A');
    }
  }
  return std::string(buf, res.ptr);
}

namespace {

// Significant digits and where the point goes (value = 0.digits * 10^exponent), kept in place: a
// number is written for every coordinate, and a heap string for each would cost more than the rest.
struct TDigits {
  char Digits[24];
  int Count = 0, Exponent = 0;
  bool Negative = false;
};

// The fewest significant digits that read back as `magnitude` (finite, > 0), or with `count` > 0
// the value correctly rounded to that many; trailing zeros dropped.
void ShortDigits(double magnitude, int count, TDigits& d) {
  char buf[40];
  const auto res =
      count > 0 ? std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific, count - 1)
                : std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific);
  const std::string_view text(buf, static_cast<std::size_t>(res.ptr - buf));
  const std::size_t mark = text.find('e');
  int exp10 = 0;
  std::string_view expText = text.substr(mark + 1);
  if (!expText.empty() && expText.front() == '+') expText.remove_prefix(1);
  std::from_chars(expText.data(), expText.data() + expText.size(), exp10);
  // "d.ddde+XX" of at most 17 digits: the first, then those after the point.
  const std::size_t after =
      mark > 2 && mark != std::string_view::npos ? std::min<std::size_t>(mark - 2, 16) : 0;
  d.Digits[0] = text[0];
  text.copy(d.Digits + 1, after, 2);
  d.Count = static_cast<int>(after) + 1;
  while (d.Count > 1 && d.Digits[d.Count - 1] == '0') --d.Count;
  d.Exponent = exp10 + 1;
}

// Rounds to 15 digits, half away from zero.
void RoundTo15(TDigits& d) {
  if (d.Count <= 15) return;
  const bool up = d.Digits[15] >= '5';
  d.Count = 15;
  if (up) {
    int k = d.Count;
    while (k > 0 && d.Digits[k - 1] == '9') --k;
    if (k == 0) {
      d.Digits[0] = '1';
      d.Count = 1;
      d.Exponent += 1;
    } else {
      ++d.Digits[k - 1];
      d.Count = k;
    }
  }
  while (d.Count > 1 && d.Digits[d.Count - 1] == '0') --d.Count;
}

// The value's 15 significant digits, rounded half away from zero from its exact value; false for
// zero.
bool FifteenDigits(double value, TDigits& d) {
  if (value == 0.0) return false;
  d.Negative = value < 0;
  const double magnitude = value < 0 ? -value : value;
  const bool normal = magnitude >= std::numeric_limits<double>::min();
  // Shortest digits that read back as the value are, when there are at most 15 of them, what
  // rounding its exact value to 15 digits gives: the exact value of a normal double lies within
  // half an ulp of them (under 2.3e-16 of the value), far inside the halfway points of 15 digits
  // (5e-16 of it).
  if (normal) {
    ShortDigits(magnitude, 0, d);
    if (d.Count <= 15) return true;
    // With more, the value correctly rounded to 17 digits rounds to 15 as the exact value does,
    // unless its 16th and 17th digits are 50: the halfway point itself or within half a unit of it.
    ShortDigits(magnitude, 17, d);
    const char d16 = d.Count > 15 ? d.Digits[15] : '0', d17 = d.Count > 16 ? d.Digits[16] : '0';
    if (!(d16 == '5' && d17 == '0')) {
      RoundTo15(d);
      return true;
    }
  }
  // A subnormal, or a halfway case: from the exact digits.
  TExactDecimal e = ExactDecimal(value);
  RoundToSignificant(e, 15, TDecimalRounding::HalfAway);
  if (e.IsZero()) return false;
  d.Count = static_cast<int>(e.Digits.size());
  for (int k = 0; k < d.Count; ++k) d.Digits[k] = e.Digits[static_cast<std::size_t>(k)];
  d.Exponent = e.Exponent;
  return true;
}

}  // namespace

std::string FloatToText(double value) {
  // Infinity and NaN have no form the host or our own reading accepts; both read a non-number
  // as 0, so 0 is what is written.
  if (!std::isfinite(value)) {
    return "0";
  }
  TDigits d;
  if (!FifteenDigits(value, d)) {
    return "0";
  }
  const std::string_view digits(d.Digits, static_cast<std::size_t>(d.Count));
  const int count = d.Count;
  const int e = d.Exponent;  // value = 0.digits * 10^e
  std::string out;
  out.reserve(32);
  if (d.Negative) {
    out.push_back('-');
  }
  if (e >= -3 && e <= 15) {
    if (e > 0) {
      if (count <= e) {
        out.append(digits);
        out.append(static_cast<std::size_t>(e - count), '0');
      } else {
        out.append(digits, 0, static_cast<std::size_t>(e));
        out.push_back('.');
        out.append(digits, static_cast<std::size_t>(e), std::string::npos);
      }
    } else {
      out.append("0.");
      out.append(static_cast<std::size_t>(-e), '0');
      out.append(digits);
    }
  } else {
    out.push_back(digits[0]);
    if (count > 1) {
      out.push_back('.');
      out.append(digits, 1, std::string::npos);
    }
    out.push_back('E');
    char buf[16];
    const auto res = std::to_chars(buf, buf + sizeof buf, e - 1);
    out.append(buf, res.ptr);
  }
  return out;
}
