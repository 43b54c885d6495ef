// The radius and the diameter of a picked circle or arc: a dimension line through the centre
// towards the point where the circle was picked, the end markers of the linear kind, and the value
// text set apart on its base line with the leader, as the linear kind places it.
#include <cmath>

#include "DrawingSteps.h"
#include "MyFunc.h"
#include "Dimension.h"
#include "PickedEntities.h"
#include "RoundKinds.h"

TRefusal RoundPoints(const JwwState& host, const std::optional<TLastDimension>&, TDimensionInput& in) {
  // Prompt 1 picks the circle (hp1ci is where), prompt 2 is the start of the value text.
  in.Points[1] = host.PickedPoints[1];
  in.Points[4] = host.PickedPoints[2];
  return PickedCircle(host, in);
}

namespace {

// The unit vector from the centre towards where the circle was picked (the axis angle's direction
// when it was picked at the centre).
TPointD Towards(const TDimensionInput& in) {
  const TPointD c = in.Centre;
  const double dx = in.Points[1].X - c.X, dy = in.Points[1].Y - c.Y;
  const double length = std::hypot(dx, dy);
  if (IsDrawablePoint(in.Points[1]) && length > 0 && std::isfinite(length)) return {dx / length, dy / length};
  return DirectionDeg(in.AxisAngle, true);
}

}  // namespace

bool DiameterHasFarEnd(const TDimensionInput& in) {
  if (in.WholeCircle) return true;
  const TPointD u = Towards(in);
  // The far end lies on the arc when its angle is within the arc's span; an end of the arc counts.
  const double far = VectorAngleDeg(-u.X, -u.Y);
  const double span = NormalizeDeg(in.ArcEnd - in.ArcStart);
  const double at = NormalizeDeg(far - in.ArcStart);
  const double noise = 1e-9;
  return span == 0.0 || at <= span + noise || at >= 360.0 - noise;
}

double RoundEnds(const TDimensionInput& in, TPointD& a1, TPointD& a2) {
  const TPointD c = in.Centre, u = Towards(in);
  const double r = in.Radius;
  a2 = {c.X + r * u.X, c.Y + r * u.Y};
  if (in.Kind != TKind::Diameter) {
    a1 = c;
    return r;
  }
  if (DiameterHasFarEnd(in)) {
    a1 = {c.X - r * u.X, c.Y - r * u.Y};
    return 2.0 * r;
  }
  // Drawings dimension the diameter of a part of a circle from the arc through the centre and a
  // little past it: there is no far side to put a marker on.
  const double past = in.Overhang * in.Scale;
  a1 = {c.X - past * u.X, c.Y - past * u.Y};
  return r + past;
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
  const double room = RoundEnds(in, a1, a2);
  AddPreamble(out);
  // No extension lines: the dimension line runs on the circle's own diameter.
  AddValueText(in, a1, a2, VectorAngleDeg(a2.X - a1.X, a2.Y - a1.Y), true, out);
  // A radius has no marker at the centre, nor the diameter of an arc past it.
  AddEndMarkers(in, a1, a2, room, true, out, in.Kind == TKind::Diameter && DiameterHasFarEnd(in));
  RestoreTextType(out);
}
