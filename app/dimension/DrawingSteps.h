// DrawingSteps.h: two small steps shared by the parts of the dimension construction.
#pragma once

#include <cmath>

#include "MyFunc.h"
#include "Dimension.h"

// The unit vector of a direction in degrees. With exactQuarters (a frame that is a whole number
// of quarter turns) a multiple of 90 degrees gives an exact vector, without the sine's rounding.
inline TPointD DirectionDeg(double deg, bool exactQuarters = false) {
  if (exactQuarters && std::fmod(deg, 90.0) == 0.0) {
    static constexpr TPointD kQuarters[] = {{1, 0}, {0, 1}, {-1, 0}, {0, -1}};
    return kQuarters[static_cast<int>(NormalizeDeg(deg) / 90.0) % 4];
  }
  TPointD d;
  RotatePointDeg(1.0, 0.0, 0.0, 0.0, deg, d.X, d.Y);
  return d;
}

// One line of the dimension: each entity of the command is marked as a dimension entity.
inline void AddDimensionLine(JwwState& out, TPointD a, TPointD b) {
  JwwAddZFlags(out, kJwwZDimension);
  JwwAddLine(out, a.X, a.Y, b.X, b.Y);
}
