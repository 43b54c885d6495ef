// FixedFormat.cpp: fixed-point texts with a given number of decimals, for the dimension value.
// Full stop and comma always: the value text must not change with the user's locale.
#include "MyFunc.h"

#include "ExactDecimal.h"

#include <cmath>
#include <string>

namespace {

std::string FormatDecimals(int decimals, double value, bool grouped) {
  if (decimals < 0 || decimals > 18) {
    decimals = 2;
  }
  TExactDecimal d;
  if (std::isfinite(value)) {
    d = ExactDecimal(value);
  }
  // The value as an 18-digit decimal first, so that a double's noise below that (0.1 + 0.2) does
  // not decide a half; then halves away from zero at the last written digit.
  RoundToSignificant(d, 18, TDecimalRounding::HalfAway);
  RoundToDecimals(d, decimals, TDecimalRounding::HalfAway);

  const int count = static_cast<int>(d.Digits.size());
  const int e = d.IsZero() ? 0 : d.Exponent;
  // Digit k (1-based) of 0.d1d2... has the place value 10^(e-k).
  auto digitAt = [&](int k) {
    return (k >= 1 && k <= count) ? d.Digits[static_cast<std::size_t>(k - 1)] : '0';
  };

  std::string out;
  out.reserve(static_cast<std::size_t>((e > 0 ? e + e / 3 : 1) + decimals + 3));
  if (d.Negative && !d.IsZero()) {
    out.push_back('-');
  }
  if (e <= 0) {
    out.push_back('0');
  } else {
    for (int k = 1; k <= e; ++k) {
      out.push_back(digitAt(k));
      const int left = e - k;
      if (grouped && left > 0 && left % 3 == 0) {
        out.push_back(',');
      }
    }
  }
  if (decimals > 0) {
    out.push_back('.');
    for (int k = e + 1; k <= e + decimals; ++k) {
      out.push_back(digitAt(k));
    }
  }
  return out;
}

}  // namespace

std::string FormatFixed(int decimals, double value) { return FormatDecimals(decimals, value, false); }

std::string FormatGrouped(int decimals, double value) { return FormatDecimals(decimals, value, true); }
