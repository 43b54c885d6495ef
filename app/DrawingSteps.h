// DrawingSteps.h: two small steps shared by the parts of the dimension construction.
#pragma once

#include "MyFunc.h"
#include "Unit1.h"

// The unit vector of a direction in degrees.
inline TPointD DirectionDeg(double deg) {
  TPointD d;
  RotatePointDeg(1.0, 0.0, 0.0, 0.0, deg, d.X, d.Y);
  return d;
}

// One line of the dimension: each entity of the command is marked as a dimension entity.
inline void AddDimensionLine(JwwState& out, TPointD a, TPointD b) {
  JwwAddZFlags(out, 4);
  JwwAddLine(out, a.X, a.Y, b.X, b.Y);
}
