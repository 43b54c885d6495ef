// The markers at the two ends of the dimension line, turned outwards-in when they do not fit.
#include <cmath>

#include "DrawingSteps.h"
#include "MyFunc.h"
#include "Dimension.h"

namespace {

TPointD Along(TPointD from, double length, double deg, bool exactQuarters) {
  const TPointD d = DirectionDeg(deg, exactQuarters);
  return {from.X + length * d.X, from.Y + length * d.Y};
}

double Below360(double a) { return a >= 360.0 ? a - 360.0 : a; }

void AddMarker(const TDimensionInput& in, TPointD a, int kind, double angle, bool reversed, bool exact,
               JwwState& out) {
  const double overshoot = in.ReverseOverhang * in.Scale;
  if (reversed && overshoot > 1e-10) AddDimensionLine(out, a, Along(a, overshoot, angle + 180.0, exact));
  if (kind == 0) {
    // Both lines start at the end; each stands the arrow angle off the dimension line.
    const double ls = in.ArrowLength * in.Scale;
    AddDimensionLine(out, a, Along(a, ls, angle + 180.0 + in.ArrowAngle, exact));
    AddDimensionLine(out, a, Along(a, ls, angle + 180.0 - in.ArrowAngle, exact));
  } else {
    // The host draws its own marker of this code; the factor reaches it unscaled.
    JwwAddZFlags(out, kJwwZDimension);
    JwwAddPoint(out, kind, a.X, a.Y, in.MarkerFactor, angle);
  }
}

}  // namespace

double MarkerReach(int kind, double factor, double arrowLength, double arrowAngle) {
  if (kind == 0) return arrowLength * DirectionDeg(arrowAngle).X;
  // Point markers by host code 1..11: the triangles and the arrow head reach far, the rest little.
  constexpr double kLong = kPointMarkerLong, kShort = kPointMarkerShort;
  // clang-format off
  static const double kReach[12] = {0.0,   kLong,  kShort, kShort, kShort, kShort, kLong,
                                    kShort, kShort * std::sqrt(2.0), kLong, kShort * std::sqrt(2.0), kLong};
  // clang-format on
  const double reach = kind >= 1 && kind <= 11 ? kReach[kind] : kShort;
  return reach * factor;
}

void AddEndMarkers(const TDimensionInput& in, TPointD a1, TPointD a2, double room, bool exact, JwwState& out,
                   bool withStart) {
  AddEndMarkersAt(in, a1, VectorAngleDeg(a1.X - a2.X, a1.Y - a2.Y), a2,
                  VectorAngleDeg(a2.X - a1.X, a2.Y - a1.Y), room, exact, out, withStart);
}

void AddEndMarkersAt(const TDimensionInput& in, TPointD e1, double angle1, TPointD e2, double angle2,
                     double room, bool exact, JwwState& out, bool withStart) {
  const double m1 =
      withStart ? MarkerReach(in.StartMarker, in.MarkerFactor, in.ArrowLength, in.ArrowAngle) * in.Scale
                : 0.0;
  const double m2 = MarkerReach(in.EndMarker, in.MarkerFactor, in.ArrowLength, in.ArrowAngle) * in.Scale;
  // One decision for both ends: when the two do not fit between the ends, both turn about.
  const bool reversed = m1 + m2 > room;
  const double offset = reversed ? 180.0 : 0.0;
  if (withStart) AddMarker(in, e1, in.StartMarker, Below360(angle1 + offset), reversed, exact, out);
  AddMarker(in, e2, in.EndMarker, Below360(angle2 + offset), reversed, exact, out);
}
