// Plane geometry: distances, directions, degree normalisation and rotation.
#include "MyFunc.h"

#include <gtest/gtest.h>

#include <cmath>

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
      {0, 0, 0},
      {1e-11, -1e-11, 0},  // shorter than the tolerance on both axes
      {0, 1e-9, kPi / 2},  // short on one axis only
      {1, 0, 0},
      {0, 1, kPi / 2},
      {-1, 0, kPi},
      {0, -1, 3 * kPi / 2},
      {-1, -1, 5 * kPi / 4},
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
      {1, 1, 45}, {1, -1, 315}, {0, 1, 90}, {-1, 0, 180}, {0, -3, 270}, {-2, 2, 135}, {0, 0, 0},
      {1, -1e-13, 0},  // 359.9999999999943 rounds onto the grid at 360, which is 0
      {1, 0, 0}, {std::sqrt(3.0), 1, 30},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(VectorAngleDeg(c.dx, c.dy), c.expected) << c.dx << " " << c.dy;
  }
}

TEST(Geometry, NormalizeDeg) {
  const struct {
    double a, expected;
  } cases[] = {
      {-30, 330}, {725, 5}, {360, 0}, {-720, 0}, {359.9999, 359.9999}, {0, 0}, {-0.0, 0}, {-360, 0},
      {1080.5, 0.5}, {-0.5, 359.5}, {720.25, 0.25}, {-1e-20, 0}, {45, 45},
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

}  // namespace
