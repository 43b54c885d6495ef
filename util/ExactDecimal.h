// ExactDecimal.h: a double's exact decimal value and decimal rounding of it, for the number
// forms and the rounding routines. Private to util/: the digits come from std::to_chars, never
// from printf, so every platform writes the same digits.
#pragma once

#include <string>

// value = (negative ? -1 : 1) * 0.Digits * 10^Exponent; Digits holds no leading and no trailing
// zeros, and is empty for zero.
struct TExactDecimal {
  bool Negative = false;
  std::string Digits;
  int Exponent = 0;
  bool IsZero() const { return Digits.empty(); }
};

// How the digits behind the last kept one are treated.
enum class TDecimalRounding {
  Truncate,     // dropped
  UpFromTenth,  // raise when they make at least a tenth of a unit of the last kept digit
  HalfAway,     // raise when they make at least half a unit (halves away from zero)
};

// The exact decimal value of a finite double (every binary fraction is a finite decimal).
TExactDecimal ExactDecimal(double value);

// Keep the first `count` significant digits (count <= 0 keeps none) and round at the last.
void RoundToSignificant(TExactDecimal& d, int count, TDecimalRounding how);

// Keep `decimals` digits after the decimal point and round at the last.
void RoundToDecimals(TExactDecimal& d, int decimals, TDecimalRounding how);

// The nearest double to d (d always lies in the double range here: it came from one).
double ToDouble(const TExactDecimal& d);
