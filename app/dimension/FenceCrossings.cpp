// The points a fence measures: one pass over the drawing's lines, then a sort along the measuring
// direction.
#include "FenceCrossings.h"

#include <algorithm>
#include <cmath>

#include "DrawingSteps.h"
#include "MyFunc.h"

namespace {

struct TCrossing {
  double Along, Across;  // along the measuring direction; distance from the dimension line
  TPointD P;
};

}  // namespace

TFenceCrossings FenceCrossings(const JwwState& host, const TFence& fence, const TFrameTurn& turn) {
  TFenceCrossings result;
  const TPointD a = fence.Start;
  const TPointD d = Minus(fence.End, fence.Start);
  const double length = std::hypot(d.X, d.Y);
  if (!std::isfinite(length) || !std::isfinite(a.X) || !std::isfinite(a.Y) ||
      length < LevelTolerance({a.X, a.Y, fence.End.X, fence.End.Y})) {
    result.Refusal = TRefusal::MissingPoint;
    return result;
  }
  const TPointD unit{d.X / length, d.Y / length};
  const TPointD normal{-unit.Y, unit.X};
  // The frame's axes in the drawing: Y measures, X runs across the dimension line.
  const TPointD measure = OutOfFrame({0.0, 1.0}, {0.0, 0.0}, turn);
  const TPointD across = OutOfFrame({1.0, 0.0}, {0.0, 0.0}, turn);
  const double lineAcross = Dot(Minus(fence.LinePoint, a), across);

  std::vector<TCrossing> found;
  for (const TJwwEntLine& l : host.Lines) {
    if (l.Head.ZFlags & kJwwZDimension) continue;
    const TPointD p{l.X1, l.Y1}, q{l.X2, l.Y2};
    // Signed distances of the line's ends from the fence's line; a non-finite coordinate makes
    // them non-finite too.
    const double dp = Dot(Minus(p, a), normal), dq = Dot(Minus(q, a), normal);
    if (!std::isfinite(dp) || !std::isfinite(dq)) continue;
    const double tol = LevelTolerance({a.X, a.Y, fence.End.X, fence.End.Y, p.X, p.Y, q.X, q.Y});
    const bool pOn = std::fabs(dp) <= tol, qOn = std::fabs(dq) <= tol;
    if (pOn && qOn) continue;  // along the fence, or a point on it: no single crossing
    if ((dp > tol && dq > tol) || (dp < -tol && dq < -tol)) continue;
    // Where the line meets the fence's line; an end that only touches it is the point itself.
    const double s = std::clamp(dp / (dp - dq), 0.0, 1.0);
    const TPointD x{p.X + s * (q.X - p.X), p.Y + s * (q.Y - p.Y)};
    const double along = Dot(Minus(x, a), unit);
    if (along < -tol || along > length + tol) continue;
    const TPointD r = Minus(x, a);
    found.push_back({Dot(r, measure), std::fabs(Dot(r, across) - lineAcross), x});
  }

  std::sort(found.begin(), found.end(), [](const TCrossing& l, const TCrossing& r) {
    if (l.Along != r.Along) return l.Along < r.Along;
    if (l.Across != r.Across) return l.Across < r.Across;
    return l.P.X != r.P.X ? l.P.X < r.P.X : l.P.Y < r.P.Y;
  });
  // Positions equal within the tolerance of their coordinates are one point, measured from the
  // first of them so that a run of close points does not creep along the row.
  for (std::size_t i = 0; i < found.size();) {
    std::size_t best = i, j = i + 1;
    for (; j < found.size(); ++j) {
      const TPointD u = found[i].P, v = found[j].P;
      if (found[j].Along - found[i].Along > LevelTolerance({a.X, a.Y, u.X, u.Y, v.X, v.Y})) break;
      if (found[j].Across < found[best].Across) best = j;
    }
    result.Points.push_back(found[best].P);
    i = j;
  }
  if (result.Points.size() < 2) {
    result.Points.clear();
    result.Refusal = TRefusal::TooFewLines;
  }
  return result;
}
