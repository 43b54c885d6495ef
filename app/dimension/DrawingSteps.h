// DrawingSteps.h: two small steps shared by the parts of the dimension construction.
#pragma once

#include <cmath>
#include <initializer_list>

#include "MyFunc.h"
#include "Dimension.h"
#include "DimensionParts.h"

// Vectors of the plane, in drawing units.
inline TPointD Minus(TPointD a, TPointD b) { return {a.X - b.X, a.Y - b.Y}; }
inline TPointD Plus(TPointD a, TPointD d, double t) { return {a.X + t * d.X, a.Y + t * d.Y}; }  // a + t d
inline double Dot(TPointD a, TPointD b) { return a.X * b.X + a.Y * b.Y; }
inline double Cross(TPointD a, TPointD b) { return a.X * b.Y - a.Y * b.X; }

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

// Whether every number the construction (and the preview after it) computes from `in` and the
// kind's own geometry stays finite: a non-finite number would be written as 0 and draw to the
// origin.
bool NumbersAreFinite(const TDimensionInput& in, const JwwState& host,
                      std::initializer_list<double> geometry);
// A length counts as zero below the rounding noise of the coordinates it was measured from: near
// 1e6 that noise is larger than any fixed tolerance (never finer than 1e-10).
double LevelTolerance(std::initializer_list<double> coordinates);
// Every paper distance is multiplied by the scale: at 0 or below the dimension collapses or turns
// inside out.
inline bool IsGoodScale(double scale) { return scale > 0 && std::isfinite(scale); }

// The host's current layer and attributes, so that the dimension is drawn there as the host would;
// and its own text type given back at the end.
void AddPreamble(JwwState& out);
void RestoreTextType(JwwState& out);

// One line of the dimension: each entity of the command is marked as a dimension entity.
inline void AddDimensionLine(JwwState& out, TPointD a, TPointD b) {
  JwwAddZFlags(out, kJwwZDimension);
  JwwAddLine(out, a.X, a.Y, b.X, b.Y);
}
