// Plane geometry: distances, directions, degree normalisation and rotation.
#include "MyFunc.h"
#include "PortableMath.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

constexpr double kPi = 3.14159265358979323846;

TEST(Geometry, Distance) {
  EXPECT_EQ(Distance(0, 0, 3, 4), 5.0);
  EXPECT_EQ(Distance(-1, -1, 2, 3), 5.0);
  EXPECT_EQ(Distance(2, 3, -1, -1), 5.0);
  EXPECT_EQ(Distance(1.5, 1.5, 1.5, 1.5), 0.0);
  EXPECT_EQ(Distance(0, 0, 0, -7), 7.0);
}

TEST(Geometry, VectorAngle) {
  const struct {
    double dx, dy, expected;
  } cases[] = {
      {0, 0, 0},          {1e-11, -1e-11, 0},  // shorter than the tolerance on both axes
      {0, 1e-9, kPi / 2},                      // short on one axis only
      {1, 0, 0},          {0, 1, kPi / 2},    {-1, 0, kPi}, {0, -1, 3 * kPi / 2}, {-1, -1, 5 * kPi / 4},
      {1, -1e-20, 0},  // a hair below the axis is direction 0, never 2 pi
  };
  for (const auto& c : cases) {
    const double a = VectorAngle(c.dx, c.dy);
    EXPECT_DOUBLE_EQ(a, c.expected) << c.dx << " " << c.dy;
    EXPECT_GE(a, 0.0);
    EXPECT_FALSE(std::signbit(a));
    EXPECT_LT(a, 2 * kPi);
  }
  EXPECT_EQ(VectorAngle(-1, 0), kPi);
}

TEST(Geometry, VectorAngleDegIsExactOnRoundAngles) {
  const struct {
    double dx, dy, expected;
  } cases[] = {
      {1, 1, 45},   {1, -1, 315},
      {0, 1, 90},   {-1, 0, 180},
      {0, -3, 270}, {-2, 2, 135},
      {0, 0, 0},    {1, -1e-13, 0},  // 359.9999999999943 rounds onto the grid at 360, which is 0
      {1, 0, 0},    {std::sqrt(3.0), 1, 30},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(VectorAngleDeg(c.dx, c.dy), c.expected) << c.dx << " " << c.dy;
  }
}

TEST(Geometry, NormalizeDeg) {
  const struct {
    double a, expected;
  } cases[] = {
      {-30, 330}, {725, 5},      {360, 0},      {-720, 0},      {359.9999, 359.9999}, {0, 0},   {-0.0, 0},
      {-360, 0},  {1080.5, 0.5}, {-0.5, 359.5}, {720.25, 0.25}, {-1e-20, 0},          {45, 45},
  };
  for (const auto& c : cases) {
    const double t = NormalizeDeg(c.a);
    EXPECT_DOUBLE_EQ(t, c.expected) << c.a;
    EXPECT_FALSE(std::signbit(t)) << c.a;
    EXPECT_LT(t, 360.0);
  }
}

TEST(Geometry, Rotation) {
  double x = 0, y = 0;
  RotatePointDeg(1, 0, 0, 0, 90, x, y);
  // cos 90 degrees is not exactly zero in floating point.
  EXPECT_NEAR(x, 6.123233995736766e-17, 1e-30);
  EXPECT_EQ(y, 1.0);

  RotatePoint(2, 1, 1, 1, kPi / 2, x, y);
  EXPECT_NEAR(x, 1.0, 1e-15);
  EXPECT_NEAR(y, 2.0, 1e-15);

  RotatePointDeg(3, 2, 1, 1, 180, x, y);
  EXPECT_NEAR(x, -1.0, 1e-15);
  EXPECT_NEAR(y, 0.0, 1e-15);

  RotatePointDeg(5, 7, 5, 7, 33, x, y);  // the centre stays where it is
  EXPECT_EQ(x, 5.0);
  EXPECT_EQ(y, 7.0);

  RotatePointDeg(10, 0, 0, 0, -90, x, y);  // negative angles turn clockwise
  EXPECT_NEAR(x, 0.0, 1e-14);
  EXPECT_NEAR(y, -10.0, 1e-14);

  RotatePointDeg(1, 0, 0, 0, 0, x, y);
  EXPECT_EQ(x, 1.0);
  EXPECT_EQ(y, 0.0);
}

// The command's own sine, cosine and arc tangent give the correctly rounded result, so the
// same bits from every build. The first rows are arguments where a C library (glibc 2.36,
// MinGW-w64) is one bit off.
TEST(PortableMath, CorrectlyRounded) {
  const struct {
    char function;
    double y, x, expected;
  } cases[] = {
      {'c', 0, 0x1.37e644335a54p+18, -0x1.e5083c07e3ecdp-3},
      {'c', 0, 0x1.a6def12f5bc3p+16, -0x1.73e4991d21537p-2},
      {'s', 0, -0x1.4c452c3afb8p-3, -0x1.4ad07f2d3daafp-3},
      {'a', 0x1.78b38856be1ap-1, 0x1.1847dd93979cp+3, 0x1.5743058192c1dp-4},
      {'a', 0x1.11cdf332cf04p+3, 0x1.39f7e2d3c626ep+3, 0x1.6f312b8d6f08ap-1},
      {'c', 0, kPi / 2, 6.123233995736766e-17},  // not the 6.12303e-17 of the x87 instruction
      {'s', 0, kPi, 1.2246467991473532e-16},
      {'c', 0, kPi, -1.0},
      {'s', 0, kPi / 2, 1.0},
      {'c', 0, 3 * kPi / 2, -1.8369701987210297e-16},
      {'s', 0, 1e-300, 1e-300},
      {'c', 0, 1e-9, 1.0},
      {'s', 0, 0.5, 0.479425538604203},
      {'c', 0, 0.5, 0.8775825618903728},
      {'s', 0, 1e15, 0.8582727931702359},
      {'a', 1, 1, kPi / 4},
      {'a', 1, -1, 3 * kPi / 4},
      {'a', -1, -1, -3 * kPi / 4},
      {'a', 1, 0, kPi / 2},
      {'a', -1, 0, -kPi / 2},
      {'a', 0, -1, kPi},
      {'a', -0.0, -1, -kPi},
      {'a', 1e-300, 1e300, 0.0},
      {'a', 1e300, 1e-300, kPi / 2},
      {'a', 1, std::sqrt(3.0), 0.5235987755982989},
      {'a', 1, std::numeric_limits<double>::infinity(), 0.0},
      {'a', 1, -std::numeric_limits<double>::infinity(), kPi},
      {'a', std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(), 3 * kPi / 4},
  };
  for (const auto& c : cases) {
    const double got = c.function == 's'   ? portable::Sin(c.x)
                       : c.function == 'c' ? portable::Cos(c.x)
                                           : portable::Atan2(c.y, c.x);
    EXPECT_EQ(got, c.expected) << c.function << " " << c.y << " " << c.x;
  }
  EXPECT_TRUE(std::signbit(portable::Sin(-0.0)));
  EXPECT_TRUE(std::signbit(portable::Atan2(-0.0, 1)));
  EXPECT_TRUE(std::isnan(portable::Atan2(std::numeric_limits<double>::quiet_NaN(), 1)));
  EXPECT_TRUE(std::isnan(portable::Cos(std::numeric_limits<double>::infinity())));
}

TEST(PortableMath, AgreesWithTheIdentities) {
  for (int i = -2000; i <= 2000; ++i) {
    const double x = i * 0.00156789;  // within (-pi, pi)
    const double s = portable::Sin(x);
    const double c = portable::Cos(x);
    EXPECT_NEAR(s * s + c * c, 1.0, 4e-16) << x;
    EXPECT_NEAR(portable::Atan2(s, c), x, 1e-15) << x;
    EXPECT_NEAR(s, std::sin(x), 2.3e-16) << x;  // within an ulp of the C library
  }
}

}  // namespace
