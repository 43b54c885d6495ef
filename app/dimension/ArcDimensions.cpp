// The length along a picked arc and the angle between two picked lines: a dimension arc with its
// extension lines, end markers along its tangent, and the value text set apart on its base line
// with the leader from the middle of the dimension arc, as the linear kind places them.
#include <algorithm>
#include <cmath>

#include "DrawingSteps.h"
#include "MyFunc.h"
#include "Dimension.h"
#include "ArcKinds.h"
#include "PickedEntities.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

double Radians(double deg) { return deg * kPi / 180.0; }
TPointD OnCircle(TPointD c, double r, double deg) { return Plus(c, DirectionDeg(deg, true), r); }
TPointD At(const TJwwPickedPoint& p) { return {p.X, p.Y}; }

// Counter-clockwise from a to b, in (0, 360].
double SpanDeg(double a, double b) {
  double s = std::fmod(b - a, 360.0);
  if (s <= 0) s += 360.0;
  return s;
}

}  // namespace

double TDimensionArc::Span() const { return SpanDeg(Start, End); }

TRefusal ArcLengthPoints(const JwwState& host, const std::optional<TLastDimension>&, TDimensionInput& in) {
  // Prompt 1 picks the arc, prompt 2 is a point of the dimension arc, prompt 3 the text's start.
  in.Points[1] = host.PickedPoints[1];
  in.Points[3] = host.PickedPoints[2];
  in.Points[4] = host.PickedPoints[3];
  return PickedArc(host, in);
}

TRefusal AnglePoints(const JwwState& host, const std::optional<TLastDimension>&, TDimensionInput& in) {
  // Prompts 1 and 2 pick the lines, 3 is a point of the dimension arc, 4 the text's start.
  for (std::size_t i = 1; i <= 4; ++i) in.Points[i] = host.PickedPoints[i];
  for (int32_t pick : {1, 2})
    if (const TRefusal r = PickedLineRefusal(host, pick); r != TRefusal::None) return r;
  const TJwwEntLine first = *PickedLine(host, 1), second = *PickedLine(host, 2);
  in.LineEnds = {
      {{first.X1, first.Y1}, {first.X2, first.Y2}, {second.X1, second.Y1}, {second.X2, second.Y2}}};
  return TRefusal::None;
}

TDimensionArc ArcLengthArc(const TDimensionInput& in) {
  TDimensionArc a;
  a.Centre = in.Centre;
  a.Radius = Distance(in.Points[3].X, in.Points[3].Y, in.Centre.X, in.Centre.Y);
  const double theta = SpanDeg(in.ArcStart, in.ArcEnd);
  const double r = in.Radius, pointGap = in.PointGap * in.Scale, overhang = in.Overhang * in.Scale;
  // Up to a right angle the extension lines stand square to the chord (along the bisector), beyond
  // it they run out from the centre.
  const TPointD bisector = DirectionDeg(in.ArcStart + theta / 2.0);
  double meets[2] = {in.ArcStart, in.ArcEnd};
  for (double& angle : meets) {
    const TPointD e = OnCircle(in.Centre, r, angle);
    TPointD along = DirectionDeg(angle, true);
    TPointD q = OnCircle(in.Centre, a.Radius, angle);
    if (theta <= 90.0) {
      // Where the line from E along the bisector reaches the dimension arc: |E - C + t b| = R.
      along = bisector;
      const double db = Dot(Minus(e, in.Centre), along);
      const double t = -db + std::sqrt(std::max(0.0, db * db + a.Radius * a.Radius - r * r));
      q = Plus(e, along, t);
      angle = VectorAngleDeg(q.X - in.Centre.X, q.Y - in.Centre.Y);
    }
    a.Extensions.push_back({Plus(e, along, pointGap), Plus(q, along, overhang)});
  }
  a.Start = meets[0];
  a.End = meets[1];
  return a;
}

namespace {

// The noise of the angle's coordinates: a point nearer a line than this lies on it.
double AngleNoise(const TDimensionInput& in) {
  const auto& p = in.LineEnds;
  return LevelTolerance(
      {p[0].X, p[0].Y, p[1].X, p[1].Y, p[2].X, p[2].Y, p[3].X, p[3].Y, in.Points[3].X, in.Points[3].Y});
}

// Which ray of picked line `line` (0 or 2 in LineEnds) leaves the crossing o on the side where the
// line was picked (its pick point, else its end farther from o): 0 along the line, 1 against it.
int PickedRay(const TDimensionInput& in, std::size_t line, TPointD o) {
  const auto& p = in.LineEnds;
  const TPointD d = Minus(p[line + 1], p[line]);
  const double e1 = Dot(Minus(p[line], o), d), e2 = Dot(Minus(p[line + 1], o), d);
  double side = std::fabs(e1) > std::fabs(e2) ? e1 : e2;
  const TJwwPickedPoint& pick = in.Points[line == 0 ? 1 : 2];
  if (IsDrawablePoint(pick)) {
    const double at = Dot(Minus(At(pick), o), d);
    if (std::fabs(at) > AngleNoise(in) * std::hypot(d.X, d.Y)) side = at;
  }
  return side >= 0 ? 0 : 1;
}

bool LineHasLength(TPointD a, TPointD b, double noise) { return std::hypot(b.X - a.X, b.Y - a.Y) >= noise; }

}  // namespace

TRefusal AngleLinesRefusal(const TDimensionInput& in) {
  const auto& p = in.LineEnds;
  const double noise = AngleNoise(in);
  if (!LineHasLength(p[0], p[1], noise) || !LineHasLength(p[2], p[3], noise)) return TRefusal::ZeroLine;
  const TPointD d1 = Minus(p[1], p[0]), d2 = Minus(p[3], p[2]);
  const double cross = d1.X * d2.Y - d1.Y * d2.X;
  if (!(std::fabs(cross) > 1e-12 * std::hypot(d1.X, d1.Y) * std::hypot(d2.X, d2.Y)))
    return TRefusal::Parallel;
  return TRefusal::None;
}

bool AngleArc(const TDimensionInput& in, TDimensionArc& arc) {
  if (AngleLinesRefusal(in) != TRefusal::None) return false;
  const auto& p = in.LineEnds;
  const TPointD d1 = Minus(p[1], p[0]), d2 = Minus(p[3], p[2]);
  const double cross = d1.X * d2.Y - d1.Y * d2.X;
  const TPointD w = Minus(p[2], p[0]);
  TDimensionArc a;
  a.Centre = Plus(p[0], d1, (w.X * d2.Y - w.Y * d2.X) / cross);
  const TPointD through = Minus(At(in.Points[3]), a.Centre);
  a.Radius = std::hypot(through.X, through.Y);
  const double phi = VectorAngleDeg(through.X, through.Y);
  const double t1 = VectorAngleDeg(d1.X, d1.Y), t2 = VectorAngleDeg(d2.X, d2.Y);
  const double rays[4] = {t1, NormalizeDeg(t1 + 180.0), t2, NormalizeDeg(t2 + 180.0)};
  // A point on one of the lines (a snapped end) sits on a ray: rounding noise must not choose the
  // sector. It lies in the sector between that ray and the other line's ray on the side where the
  // other line was picked.
  const double noise = AngleNoise(in);
  const double off1 = std::fabs(Cross(d1, through)) / std::hypot(d1.X, d1.Y);
  const double off2 = std::fabs(Cross(d2, through)) / std::hypot(d2.X, d2.Y);
  int start = 0, end = 0;
  if (off1 < noise || off2 < noise) {
    const bool onFirst = off1 <= off2;
    const TPointD along = onFirst ? d1 : d2;
    const int on = (onFirst ? 0 : 2) + (Dot(through, along) >= 0 ? 0 : 1);
    const int otherRay = (onFirst ? 2 : 0) + PickedRay(in, onFirst ? 2 : 0, a.Centre);
    // The sector of the two is the one under a half turn.
    const bool ccw = SpanDeg(rays[on], rays[otherRay]) < 180.0;
    start = ccw ? on : otherRay;
    end = ccw ? otherRay : on;
  } else {
    // Of the four rays from the crossing, the arc runs from the one just clockwise of the picked
    // point to the one just counter-clockwise of it: the angle whose sector holds the point.
    for (int i = 1; i < 4; ++i) {
      if (std::fmod(phi - rays[i] + 360.0, 360.0) < std::fmod(phi - rays[start] + 360.0, 360.0)) start = i;
      if (SpanDeg(phi, rays[i]) < SpanDeg(phi, rays[end])) end = i;
    }
  }
  a.Start = rays[start];
  a.End = rays[end];
  // Each line that does not reach the arc gets an extension line along its ray: from Edit5 off
  // its nearer end to Edit6 past the arc, inwards for a line that starts beyond the arc. A line
  // that ends on the arc (a snapped point) reaches it, whatever the rounding.
  const double pointGap = in.PointGap * in.Scale, overhang = in.Overhang * in.Scale;
  for (int ray : {start, end}) {
    const TPointD u = DirectionDeg(rays[ray], true);
    const std::size_t line = ray < 2 ? 0 : 2;
    const double e1 = Dot(Minus(p[line], a.Centre), u), e2 = Dot(Minus(p[line + 1], a.Centre), u);
    const double nearest = std::min(e1, e2), farthest = std::max(e1, e2);
    if (farthest < a.Radius - noise && farthest + pointGap < a.Radius + overhang) {
      a.Extensions.push_back(
          {Plus(a.Centre, u, farthest + pointGap), Plus(a.Centre, u, a.Radius + overhang)});
    } else if (nearest > a.Radius + noise && nearest - pointGap > a.Radius - overhang) {
      a.Extensions.push_back({Plus(a.Centre, u, nearest - pointGap), Plus(a.Centre, u, a.Radius - overhang)});
    }
  }
  arc = a;
  return true;
}

double MeasureArcLength(const TDimensionInput& in) {
  return in.Radius * Radians(SpanDeg(in.ArcStart, in.ArcEnd));
}

double MeasureAngle(const TDimensionInput& in) {
  TDimensionArc a;
  return AngleArc(in, a) ? a.Span() : 0.0;
}

namespace {

// What both kinds check of their dimension arc once it is made.
TRefusal CheckArc(const TDimensionInput& in, const JwwState& host, const TDimensionArc& a) {
  std::vector<double> numbers = {a.Centre.X, a.Centre.Y, a.Radius, a.Start, a.End, in.Radius};
  for (const auto& e : a.Extensions) numbers.insert(numbers.end(), {e[0].X, e[0].Y, e[1].X, e[1].Y});
  double sum = 0;
  for (double n : numbers) sum += std::fabs(n);
  if (!NumbersAreFinite(in, host, {sum})) return TRefusal::TooLarge;
  if (!(a.Radius >= LevelTolerance({a.Centre.X, a.Centre.Y}))) return TRefusal::ZeroLength;
  return TRefusal::None;
}

bool PointsGiven(const TDimensionInput& in) {
  return IsDrawablePoint(in.Points[3]) && IsDrawablePoint(in.Points[4]);
}

}  // namespace

TRefusal CheckArcLength(const TDimensionInput& in, const JwwState& host) {
  if (!PointsGiven(in)) return TRefusal::MissingPoint;
  if (!IsGoodScale(in.Scale)) return TRefusal::BadScale;
  if (!(in.Radius >= LevelTolerance({in.Centre.X, in.Centre.Y}))) return TRefusal::ZeroLength;
  const TDimensionArc a = ArcLengthArc(in);
  // A point snapped onto the arc is no dimension arc outside it, whatever the rounding.
  if (!(a.Radius > in.Radius + LevelTolerance({in.Centre.X, in.Centre.Y, in.Radius})))
    return TRefusal::InsideArc;
  return CheckArc(in, host, a);
}

TRefusal CheckAngle(const TDimensionInput& in, const JwwState& host) {
  if (!PointsGiven(in)) return TRefusal::MissingPoint;
  if (!IsGoodScale(in.Scale)) return TRefusal::BadScale;
  if (const TRefusal r = AngleLinesRefusal(in); r != TRefusal::None) return r;
  TDimensionArc a;
  AngleArc(in, a);
  return CheckArc(in, host, a);
}

void ConstructArcDimension(const TDimensionInput& in, JwwState& out) {
  TDimensionArc a;
  if (in.Kind == TKind::ArcLength) {
    a = ArcLengthArc(in);
  } else if (!AngleArc(in, a)) {
    return;
  }
  AddPreamble(out);
  for (const auto& e : a.Extensions) AddDimensionLine(out, e[0], e[1]);
  JwwAddZFlags(out, kJwwZDimension);
  JwwAddArc(out, a.Centre.X, a.Centre.Y, a.Radius, a.Start, a.End);
  // The text runs along the tangent at the arc's middle, and the leader starts there.
  const double span = a.Span();
  const double middle = a.Start + span / 2.0;
  AddValueTextFrom(in, OnCircle(a.Centre, a.Radius, middle), middle + 90.0, true, out);
  // Each marker points along the tangent away from the arc.
  AddEndMarkersAt(in, OnCircle(a.Centre, a.Radius, a.Start), NormalizeDeg(a.Start - 90.0),
                  OnCircle(a.Centre, a.Radius, a.End), NormalizeDeg(a.End + 90.0), a.Radius * Radians(span),
                  true, out);
  RestoreTextType(out);
}
