// Geometry.cpp: plane geometry of the dimension, in doubles. Square roots are IEEE 754's own;
// sine, cosine and arc tangent are the command's (PortableMath.h), so that the coordinates
// written are the same from every build.
#include "MyFunc.h"

#include "PortableMath.h"

#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kTwoPi = 2.0 * kPi;
constexpr double kZeroVector = 1e-10;

}  // namespace

double Distance(double x1, double y1, double x2, double y2) {
  const double dx = x2 - x1;
  const double dy = y2 - y1;
  return std::sqrt(dx * dx + dy * dy);
}

double VectorAngle(double dx, double dy) {
  if (std::fabs(dx) < kZeroVector && std::fabs(dy) < kZeroVector) {
    return 0.0;
  }
  double t = portable::Atan2(dy, dx);
  if (t < 0) {
    t += kTwoPi;
    // A direction a hair below the x axis would otherwise come out as 2 pi itself.
    if (t >= kTwoPi) {
      t = 0.0;
    }
  }
  return t == 0 ? 0.0 : t;  // never -0
}

double VectorAngleDeg(double dx, double dy) {
  const double deg = VectorAngle(dx, dy) * 180.0 / kPi;
  const double a = RoundTiny(deg);
  // Just below 2 pi rounds to 360, which is the direction 0.
  return a >= 360.0 ? 0.0 : a;
}

double NormalizeDeg(double a) {
  double t = std::fabs(a);
  if (t >= 360.0) {
    t = std::fmod(t, 360.0);  // exact
  }
  if (a < 0) {
    t = -t;
  }
  if (t < 0) {
    t += 360.0;
  }
  if (t >= 360.0) {
    t -= 360.0;
  }
  return t == 0 ? 0.0 : t;  // never -0
}

void RotatePoint(double px, double py, double cx, double cy, double angle, double& x, double& y) {
  const double c = portable::Cos(angle);
  const double s = portable::Sin(angle);
  const double dx = px - cx;
  const double dy = py - cy;
  x = cx + (c * dx - s * dy);
  y = cy + (s * dx + c * dy);
}

void RotatePointDeg(double px, double py, double cx, double cy, double angleDeg, double& x, double& y) {
  const double angle = angleDeg / 180.0 * kPi;
  RotatePoint(px, py, cx, cy, angle, x, y);
}
