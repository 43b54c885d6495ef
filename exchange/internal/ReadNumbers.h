// ReadNumbers.h: the number conversions of the reader (internal to the exchange library).
//
// The host writes most numbers as plain decimals ("-3705.09184620973"). Those are converted here
// directly, exactly as TextToFloat and TextToInt would convert them; anything else goes to them.
// A plain decimal of at most 2^53 as an integer of digits and at most 22 fraction digits is that
// integer divided by a power of ten, both exact doubles, so the one division rounds correctly:
// the same double that a correctly rounded conversion gives. (More than 19 digits may wrap the
// integer; such a number goes to TextToFloat anyway.)
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "MyFunc.h"

inline constexpr double kJwwPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                       1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// M / 10^FRACTION with the sign: M is at most 2^53, FRACTION at most 22. The sign goes in as a
// bit rather than through a branch: signs are random from number to number.
inline double DecimalValue(uint64_t m, std::size_t fraction, bool negative) {
  const double v = static_cast<double>(m) / kJwwPow10[fraction];
  return std::bit_cast<double>(std::bit_cast<uint64_t>(v) | uint64_t{negative} << 63);
}

inline double ReadReal(std::string_view s) {
  const char* p = s.data();
  const char* const end = p + s.size();
  const bool negative = p != end && *p == '-';
  p += negative;
  uint64_t m = 0;
  const char* const integer = p;
  while (p != end && static_cast<unsigned>(*p - '0') < 10) m = m * 10 + static_cast<unsigned>(*p++ - '0');
  std::size_t digits = static_cast<std::size_t>(p - integer);
  std::size_t fraction = 0;
  if (p != end && *p == '.') {
    const char* const first = ++p;
    while (p != end && static_cast<unsigned>(*p - '0') < 10) m = m * 10 + static_cast<unsigned>(*p++ - '0');
    fraction = static_cast<std::size_t>(p - first);
    digits += fraction;
  }
  if (p != end || digits == 0 || digits > 19 || m > (uint64_t{1} << 53) || fraction > 22)
    return TextToFloat(s);
  return DecimalValue(m, fraction, negative);
}

inline int32_t ReadInt(std::string_view s) {
  const char* p = s.data();
  const char* const end = p + s.size();
  const bool negative = p != end && *p == '-';
  if (negative) ++p;
  if (p == end || end - p > 9) return TextToInt(s);
  int32_t v = 0;
  for (; p != end; ++p) {
    if (static_cast<unsigned>(*p - '0') >= 10) return TextToInt(s);
    v = v * 10 + (*p - '0');
  }
  return negative ? -v : v;
}
