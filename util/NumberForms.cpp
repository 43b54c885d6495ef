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

// The fewest significant digits that read back as `value` (finite), as a decimal of its form.
TExactDecimal ShortestDigits(double value) {
  TExactDecimal d;
  if (value == 0.0) return d;
  d.Negative = value < 0;
  char buf[40];
  const auto res = std::to_chars(buf, buf + sizeof buf, value < 0 ? -value : value, std::chars_format::scientific);
  const std::string_view text(buf, static_cast<std::size_t>(res.ptr - buf));
  const std::size_t mark = text.find('e');
  int exp10 = 0;
  std::string_view expText = text.substr(mark + 1);
  if (!expText.empty() && expText.front() == '+') expText.remove_prefix(1);
  std::from_chars(expText.data(), expText.data() + expText.size(), exp10);
  d.Digits.push_back(text[0]);
  if (mark > 2) d.Digits.append(text.substr(2, mark - 2));
  while (d.Digits.size() > 1 && d.Digits.back() == '0') d.Digits.pop_back();
  d.Exponent = exp10 + 1;
  return d;
}

}  // namespace

std::string FloatToText(double value) {
  // Infinity and NaN have no form the host or our own reading accepts; both read a non-number
  // as 0, so 0 is what is written.
  if (!std::isfinite(value)) {
    return "0";
  }
  TExactDecimal d = ShortestDigits(value);
  // Shortest digits that read back as the value are, when there are at most 15 of them, what
  // rounding its exact value to 15 digits gives: the exact value of a normal double lies within
  // half an ulp of them (under 2.3e-16 of the value), far inside the halfway points of 15 digits
  // (5e-16 of it). A subnormal has fewer bits and takes the long way.
  if (d.Digits.size() > 15 || std::fabs(value) < std::numeric_limits<double>::min()) {
    d = ExactDecimal(value);
    RoundToSignificant(d, 15, TDecimalRounding::HalfAway);
  }
  if (d.IsZero()) {
    return "0";
  }
  const std::string& digits = d.Digits;
  const int count = static_cast<int>(digits.size());
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
