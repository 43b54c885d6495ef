// ExactDecimal.cpp: exact decimal digits of doubles and decimal rounding.
#include "ExactDecimal.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>
#include <string_view>
#include <system_error>

namespace {

// A double has at most 767 significant decimal digits; asking for more gives them all exactly.
constexpr int kExactPrecision = 780;

void Normalize(TExactDecimal& d) {
  const auto last = d.Digits.find_last_not_of('0');
  if (last == std::string::npos) {
    d.Digits.clear();
    d.Exponent = 0;
  } else {
    d.Digits.resize(last + 1);
  }
}

}  // namespace

TExactDecimal ExactDecimal(double value) {
  TExactDecimal d;
  if (value == 0.0) {
    return d;
  }
  d.Negative = value < 0;
  const double magnitude = value < 0 ? -value : value;
  // As many digits as the value can have: 2^e2 has under 0.302 * e2 + 1 integer digits, and the 53
  // bits of the significand reach 53 - e2 binary places, each of which is one decimal place. Asking
  // for no more keeps writing a number cheap; asking for kExactPrecision gives them all anyway.
  int e2 = 0;
  std::frexp(magnitude, &e2);
  const int integerDigits = e2 > 0 ? e2 * 30103 / 100000 + 2 : 1;
  const int precision = std::min(kExactPrecision, integerDigits + std::max(0, 53 - e2) + 1);
  // "d.ddd...e+XX": one digit before the point, `precision` after it.
  char buf[kExactPrecision + 16];
  const auto res = std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific, precision);
  const std::string_view text(buf, static_cast<std::size_t>(res.ptr - buf));
  const std::size_t mark = text.rfind('e');
  std::string_view expText = text.substr(mark + 1);
  if (!expText.empty() && expText.front() == '+') {
    expText.remove_prefix(1);
  }
  int exp10 = 0;
  std::from_chars(expText.data(), expText.data() + expText.size(), exp10);
  // Move the first digit onto the decimal point: the digits then stand together.
  buf[1] = buf[0];
  d.Digits.assign(buf + 1, mark - 1);
  d.Exponent = exp10 + 1;
  Normalize(d);
  return d;
}

void RoundToSignificant(TExactDecimal& d, int count, TDecimalRounding how) {
  if (d.IsZero() || count >= static_cast<int>(d.Digits.size())) {
    return;
  }
  // The first dropped digit decides: the ones behind it cannot lift a tenth or a half any higher
  // and, the digits being exact, anything non-zero after it never pulls the part below.
  const int first = count < 0 ? 0 : d.Digits[static_cast<std::size_t>(count)] - '0';
  bool raise = false;
  switch (how) {
    case TDecimalRounding::Truncate: raise = false; break;
    case TDecimalRounding::UpFromTenth: raise = count >= 0 && first >= 1; break;
    case TDecimalRounding::HalfAway: raise = count >= 0 && first >= 5; break;
  }
  if (count <= 0) {
    if (raise) {
      // One unit of the digit just above the first significant one.
      d.Digits.assign(1, '1');
      d.Exponent += 1;
    } else {
      d.Digits.clear();
      d.Exponent = 0;
    }
    return;
  }
  std::size_t kept = static_cast<std::size_t>(count);
  d.Digits.resize(kept);
  if (raise) {
    // Carry from the last kept digit upwards; past the first, the number gains a digit.
    while (kept > 0 && d.Digits[kept - 1] == '9') {
      d.Digits[kept - 1] = '0';
      --kept;
    }
    if (kept > 0) {
      ++d.Digits[kept - 1];
    } else {
      d.Digits.insert(d.Digits.begin(), '1');
      d.Exponent += 1;
    }
  }
  Normalize(d);
}

void RoundToDecimals(TExactDecimal& d, int decimals, TDecimalRounding how) {
  if (d.IsZero()) {
    return;
  }
  RoundToSignificant(d, d.Exponent + decimals, how);
}

double ToDouble(const TExactDecimal& d) {
  if (d.IsZero()) {
    return d.Negative ? -0.0 : 0.0;
  }
  // "-0.DIGITSe<exponent>"
  std::string text;
  text.reserve(d.Digits.size() + 16);
  if (d.Negative) {
    text.push_back('-');
  }
  text.append("0.");
  text.append(d.Digits);
  text.push_back('e');
  char expBuf[16];
  const auto res = std::to_chars(expBuf, expBuf + sizeof expBuf, d.Exponent);
  text.append(expBuf, res.ptr);
  double value = 0.0;
  const auto parsed = std::from_chars(text.data(), text.data() + text.size(), value);
  if (parsed.ec != std::errc{}) {
    return 0.0;
  }
  return value;
}
