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

void AddMarker(const TDimensionInput& in, TPointD a, int kind, const TMarkerPose& pose, bool reversed,
               JwwState& out) {
  const auto at = [&](TPointD d) { return TPointD{a.X + d.X, a.Y + d.Y}; };
  if (reversed && in.ReverseOverhang * in.Scale > 1e-10) AddDimensionLine(out, a, at(pose.Back));
  if (kind == 0) {
    // Both lines start at the end; each stands the arrow angle off the dimension line.
    AddDimensionLine(out, a, at(pose.Arrow1));
    AddDimensionLine(out, a, at(pose.Arrow2));
  } else {
    // The host draws its own marker of this code; the factor reaches it unscaled.
    JwwAddZFlags(out, kJwwZDimension);
    JwwAddPoint(out, kind, a.X, a.Y, in.MarkerFactor, pose.Angle);
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

TMarkerPose MarkerPose(const TDimensionInput& in, double angle, bool exact) {
  TMarkerPose p;
  p.Angle = Below360(angle);
  const TPointD origin{0, 0};
  p.Back = Along(origin, in.ReverseOverhang * in.Scale, p.Angle + 180.0, exact);
  const double ls = in.ArrowLength * in.Scale;
  if (in.StartMarker == 0 || in.EndMarker == 0) {
    p.Arrow1 = Along(origin, ls, p.Angle + 180.0 + in.ArrowAngle, exact);
    p.Arrow2 = Along(origin, ls, p.Angle + 180.0 - in.ArrowAngle, exact);
  }
  p.StartReach = MarkerReach(in.StartMarker, in.MarkerFactor, in.ArrowLength, in.ArrowAngle) * in.Scale;
  p.EndReach = MarkerReach(in.EndMarker, in.MarkerFactor, in.ArrowLength, in.ArrowAngle) * in.Scale;
  return p;
}

void AddEndMarkersPosed(const TDimensionInput& in, TPointD e1, TPointD e2, const TMarkerPoses& poses,
                        double room, JwwState& out, bool withStart) {
  const double m1 = withStart ? poses[0].StartReach : 0.0, m2 = poses[1].EndReach;
  // One decision for both ends: when the two do not fit between the ends, both turn about.
  const bool reversed = m1 + m2 > room;
  if (withStart) AddMarker(in, e1, in.StartMarker, poses[reversed ? 2 : 0], reversed, out);
  AddMarker(in, e2, in.EndMarker, poses[reversed ? 3 : 1], reversed, out);
}

void AddEndMarkersAt(const TDimensionInput& in, TPointD e1, double angle1, TPointD e2, double angle2,
                     double room, bool exact, JwwState& out, bool withStart) {
  const TMarkerPoses poses = {MarkerPose(in, angle1, exact), MarkerPose(in, angle2, exact),
                              MarkerPose(in, angle1 + 180.0, exact), MarkerPose(in, angle2 + 180.0, exact)};
  AddEndMarkersPosed(in, e1, e2, poses, room, out, withStart);
}
