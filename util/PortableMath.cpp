// PortableMath.cpp: double-double sine, cosine and arc tangent. Only +, -, *, / and sqrt of
// doubles are used, which IEEE 754 rounds the same everywhere (the build is ISO C++, so GCC does
// not contract a*b+c into fused operations).
#include "PortableMath.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace portable {
namespace {

// An unevaluated sum Hi + Lo with |Lo| <= half an ulp of Hi.
struct TDD {
  double Hi;
  double Lo;
};

// pi and pi/2 to 160 bits, as three doubles each.
constexpr double kPi1 = 0x1.921fb54442d18p+1;
constexpr double kPi2 = 0x1.1a62633145c07p-53;
constexpr double kHalfPi1 = 0x1.921fb54442d18p+0;
constexpr double kHalfPi2 = 0x1.1a62633145c07p-54;
constexpr double kHalfPi3 = -0x1.f1976b7ed8fbcp-110;

inline TDD QuickTwoSum(double a, double b) {  // |a| >= |b|
  const double s = a + b;
  return {s, b - (s - a)};
}

inline TDD TwoSum(double a, double b) {
  const double s = a + b;
  const double bb = s - a;
  return {s, (a - (s - bb)) + (b - bb)};
}

inline void Split(double a, double& hi, double& lo) {
  const double c = 134217729.0 * a;  // 2^27 + 1
  hi = c - (c - a);
  lo = a - hi;
}

inline TDD TwoProd(double a, double b) {
  const double p = a * b;
  double ah, al, bh, bl;
  Split(a, ah, al);
  Split(b, bh, bl);
  return {p, ((ah * bh - p) + ah * bl + al * bh) + al * bl};
}

inline TDD Add(TDD a, TDD b) {
  TDD s = TwoSum(a.Hi, b.Hi);
  const TDD t = TwoSum(a.Lo, b.Lo);
  s.Lo += t.Hi;
  s = QuickTwoSum(s.Hi, s.Lo);
  s.Lo += t.Lo;
  return QuickTwoSum(s.Hi, s.Lo);
}

inline TDD Neg(TDD a) { return {-a.Hi, -a.Lo}; }
inline TDD Sub(TDD a, TDD b) { return Add(a, Neg(b)); }

inline TDD Mul(TDD a, TDD b) {
  TDD p = TwoProd(a.Hi, b.Hi);
  p.Lo += a.Hi * b.Lo + a.Lo * b.Hi;
  return QuickTwoSum(p.Hi, p.Lo);
}

inline TDD Mul(TDD a, double b) {
  TDD p = TwoProd(a.Hi, b);
  p.Lo += a.Lo * b;
  return QuickTwoSum(p.Hi, p.Lo);
}

inline TDD Div(TDD a, double b) {
  const double q1 = a.Hi / b;
  const TDD p = TwoProd(q1, b);
  const double q2 = (((a.Hi - p.Hi) - p.Lo) + a.Lo) / b;
  return QuickTwoSum(q1, q2);
}

inline TDD Div(TDD a, TDD b) {
  const double q1 = a.Hi / b.Hi;
  TDD r = Sub(a, Mul(b, q1));
  const double q2 = r.Hi / b.Hi;
  r = Sub(r, Mul(b, q2));
  const double q3 = r.Hi / b.Hi;
  return Add(QuickTwoSum(q1, q2), TDD{q3, 0.0});
}

inline TDD Sqrt(TDD a) {
  const double s = std::sqrt(a.Hi);
  const TDD sq = TwoProd(s, s);
  const double e = (((a.Hi - sq.Hi) - sq.Lo) + a.Lo) / (2.0 * s);
  return QuickTwoSum(s, e);
}

inline double Round(TDD a) { return a.Hi + a.Lo; }

// sin r and cos r for |r| <= pi/4 (a little more is fine), by their Taylor series in Horner
// form; the first omitted terms are below 1e-33.
TDD SinSeries(TDD r) {
  const TDD r2 = Mul(r, r);
  TDD t{1.0, 0.0};
  for (int k = 13; k >= 1; --k) {
    t = Sub(TDD{1.0, 0.0}, Div(Mul(r2, t), static_cast<double>((2 * k) * (2 * k + 1))));
  }
  return Mul(r, t);
}

TDD CosSeries(TDD r) {
  const TDD r2 = Mul(r, r);
  TDD t{1.0, 0.0};
  for (int k = 14; k >= 1; --k) {
    t = Sub(TDD{1.0, 0.0}, Div(Mul(r2, t), static_cast<double>((2 * k - 1) * (2 * k))));
  }
  return t;
}

// x = n * pi/2 + r with |r| <= pi/4 (about); returns n mod 4. Beyond 2^52, where n itself would
// no longer be exact, x is first taken modulo the double nearest 2 pi: no angle of a drawing
// comes near, and the result stays the same on every platform.
int Reduce(double x, TDD& r) {
  if (std::fabs(x) > 0x1p52) {
    x = std::fmod(x, 2.0 * kPi1);  // exact
  }
  if (std::fabs(x) <= 0.785398163397448) {
    r = {x, 0.0};
    return 0;
  }
  const double n = std::nearbyint(x * 0.63661977236758134);
  r = Sub(TDD{x, 0.0}, TwoProd(n, kHalfPi1));
  r = Sub(r, TwoProd(n, kHalfPi2));
  r = Sub(r, TwoProd(n, kHalfPi3));
  const double m = std::fmod(n, 4.0);  // exact; -3..3
  return (static_cast<int>(m) + 4) % 4;
}

// atan z for 0 <= z <= 1: three halvings atan z = 2 atan(z / (1 + sqrt(1 + z^2))) bring z below
// tan(pi/32) < 0.1, where 17 terms of the series leave less than 1e-33.
TDD AtanUnit(TDD z) {
  const TDD one{1.0, 0.0};
  for (int i = 0; i < 3; ++i) {
    z = Div(z, Add(one, Sqrt(Add(one, Mul(z, z)))));
  }
  const TDD z2 = Mul(z, z);
  TDD t = Div(one, 35.0);
  for (int k = 16; k >= 0; --k) {
    t = Sub(Div(one, static_cast<double>(2 * k + 1)), Mul(z2, t));
  }
  const TDD a = Mul(z, t);
  return {a.Hi * 8.0, a.Lo * 8.0};
}

}  // namespace

double Sin(double x) {
  if (!std::isfinite(x)) {
    return std::numeric_limits<double>::quiet_NaN();
  }
  if (std::fabs(x) < 0x1p-27) {
    return x;  // sin x = x - x^3/6 rounds to x (and keeps the sign of zero)
  }
  TDD r;
  switch (Reduce(x, r)) {
    case 0: return Round(SinSeries(r));
    case 1: return Round(CosSeries(r));
    case 2: return -Round(SinSeries(r));
    default: return -Round(CosSeries(r));
  }
}

double Cos(double x) {
  if (!std::isfinite(x)) {
    return std::numeric_limits<double>::quiet_NaN();
  }
  if (std::fabs(x) < 0x1p-27) {
    return 1.0;
  }
  TDD r;
  switch (Reduce(x, r)) {
    case 0: return Round(CosSeries(r));
    case 1: return -Round(SinSeries(r));
    case 2: return -Round(CosSeries(r));
    default: return Round(SinSeries(r));
  }
}

double Atan2(double y, double x) {
  if (std::isnan(x) || std::isnan(y)) {
    return std::numeric_limits<double>::quiet_NaN();
  }
  const double pi = kPi1;
  const double halfPi = kHalfPi1;
  const bool negY = std::signbit(y);
  const bool negX = std::signbit(x);
  if (y == 0) {
    return negX ? (negY ? -pi : pi) : y;
  }
  if (x == 0) {
    return negY ? -halfPi : halfPi;
  }
  if (std::isinf(x) || std::isinf(y)) {
    double a;
    if (std::isinf(x) && std::isinf(y)) {
      a = negX ? Round(Mul(TDD{kPi1, kPi2}, 0.75)) : Round(Mul(TDD{kPi1, kPi2}, 0.25));
    } else if (std::isinf(y)) {
      a = halfPi;
    } else {
      a = negX ? pi : 0.0;
    }
    return negY ? -a : a;
  }
  double a = std::fabs(y);
  double b = std::fabs(x);
  const bool swapped = a > b;
  if (swapped) {
    const double t = a;
    a = b;
    b = t;
  }
  // Now 0 < a <= b. Scale both so that b is near 1: the products inside stay far from overflow.
  int e = 0;
  std::frexp(b, &e);
  TDD t;
  if (a / b < 0x1p-60) {
    t = {a / b, 0.0};  // atan z = z - z^3/3 rounds to z
  } else {
    a = std::ldexp(a, -e);
    b = std::ldexp(b, -e);
    const TDD q = Div(TDD{a, 0.0}, TDD{b, 0.0});
    t = AtanUnit(q);
  }
  if (swapped) {
    t = Sub(TDD{kHalfPi1, kHalfPi2}, t);
  }
  if (negX) {
    t = Sub(TDD{kPi1, kPi2}, t);
  }
  const double result = Round(t);
  return negY ? -result : result;
}

}  // namespace portable
