// Rounding.cpp: rounding of lengths and angles.
#include "MyFunc.h"

#include "ExactDecimal.h"

#include <algorithm>
#include <cmath>

double RoundTiny(double x) {
  const double scaled = std::fabs(x) * 1e10;
  if (!std::isfinite(scaled)) {
    return x;
  }
  double units = std::floor(scaled);
  if (scaled - units >= 0.5) {
    units += 1.0;
  }
  // Dividing by the exact 1e10 gives the double nearest to the multiple of 1e-10.
  const double a = units / 1e10;
  return x < 0 ? -a : a;
}

double RoundDigits(int digits, TRoundMode mode, double x) {
  if (!std::isfinite(x)) {
    return x;
  }
  const int decimals = (digits >= 1 && digits <= 13) ? digits : 0;
  TExactDecimal d = ExactDecimal(std::fabs(x));
  // A length computed in binary is a hair off its decimal value (1234.29 is stored as
  // 1234.2899999999999636...). Rounding first at twelve significant digits puts it back on the
  // decimal value before the mode looks at the digits, or truncation would give 1234.28. A long
  // length at a fine precision asks for more digits than twelve: then the noise goes two decimals
  // below the asked ones instead, though never below fifteen significant digits, where a double's
  // own noise begins.
  if (!d.IsZero()) {
    const int wanted = std::clamp(d.Exponent + decimals + 2, 12, 15);
    RoundToSignificant(d, wanted, TDecimalRounding::HalfAway);
  }
  const TDecimalRounding how = mode == TRoundMode::Truncate  ? TDecimalRounding::Truncate
                               : mode == TRoundMode::RoundUp ? TDecimalRounding::UpFromTenth
                                                             : TDecimalRounding::HalfAway;
  RoundToDecimals(d, decimals, how);
  const double r = ToDouble(d);
  return x < 0 ? -r : r;
}
