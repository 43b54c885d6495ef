// The radius and the diameter of a picked circle or arc: a dimension line through the centre
// towards the point where the circle was picked, the end markers of the linear kind, and the value
// text set apart on its base line with the leader, as the linear kind places it.
#include <cmath>

#include "DrawingSteps.h"
#include "MyFunc.h"
#include "Dimension.h"

TRefusal RoundPoints(const JwwState& host, const std::optional<TLastDimension>&, TDimensionInput& in) {
  // Prompt 1 picks the circle (hp1ci is where), prompt 2 is the start of the value text.
  in.Points[1] = host.PickedPoints[1];
  in.Points[4] = host.PickedPoints[2];
  return PickedCircle(host, in.Centre, in.Radius);
}

void RoundEnds(const TDimensionInput& in, TPointD& a1, TPointD& a2) {
  const TPointD c = in.Centre;
  const double dx = in.Points[1].X - c.X, dy = in.Points[1].Y - c.Y;
  const double length = std::hypot(dx, dy);
  TPointD u;
  if (IsDrawablePoint(in.Points[1]) && length > 0 && std::isfinite(length)) {
    u = {dx / length, dy / length};
  } else {
    u = DirectionDeg(in.AxisAngle, true);
  }
  const double r = in.Radius;
  a2 = {c.X + r * u.X, c.Y + r * u.Y};
  a1 = in.Kind == TKind::Diameter ? TPointD{c.X - r * u.X, c.Y - r * u.Y} : c;
}

double MeasureRound(const TDimensionInput& in) {
  return in.Kind == TKind::Diameter ? 2.0 * in.Radius : in.Radius;
}

TRefusal CheckRoundDimension(const TDimensionInput& in, const JwwState& host) {
  if (!IsDrawablePoint(in.Points[4])) return TRefusal::MissingPoint;
  if (!IsGoodScale(in.Scale)) return TRefusal::BadScale;
  TPointD a1, a2;
  RoundEnds(in, a1, a2);
  if (!NumbersAreFinite(in, host, {in.Centre.X, in.Centre.Y, in.Radius, a1.X, a1.Y, a2.X, a2.Y}))
    return TRefusal::TooLarge;
  if (!(in.Radius >= LevelTolerance({in.Centre.X, in.Centre.Y}))) return TRefusal::ZeroLength;
  return TRefusal::None;
}

void ConstructRoundDimension(const TDimensionInput& in, JwwState& out) {
  TPointD a1, a2;
  RoundEnds(in, a1, a2);
  AddPreamble(out);
  // No extension lines: the dimension line runs on the circle's own diameter.
  AddValueText(in, a1, a2, VectorAngleDeg(a2.X - a1.X, a2.Y - a1.Y), true, out);
  // A radius has no marker at the centre.
  AddEndMarkers(in, a1, a2, true, out, in.Kind == TKind::Diameter);
  RestoreTextType(out);
}
