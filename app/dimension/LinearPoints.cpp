// Where the linear kind's points come from: the host's four picked points, the two ends of a
// picked line with two picked points, or two picked points going on from the last dimension.
#include <cmath>

#include "Dimension.h"
#include "LinearKind.h"
#include "FenceCrossings.h"
#include "PickedEntities.h"

namespace {

TJwwPickedPoint Picked(double x, double y) { return TJwwPickedPoint{true, x, y, TJwwPickKind::Plain}; }

}  // namespace

TRefusal LinearPoints(const JwwState& host, const std::optional<TLastDimension>& last, TDimensionInput& in) {
  for (std::size_t i = 1; i <= 4; ++i) in.Points[i] = host.PickedPoints[i];
  if (in.Next != TNext::None) return ContinuePoints(last, in);
  if (in.Pick == TPick::Points) return TRefusal::None;
  if (in.Pick == TPick::Fence) {
    // Prompts 1 and 2 the fence's ends, 3 a point of the dimension line; no text point.
    in.Points[4] = {};
    for (std::size_t i = 1; i <= 3; ++i) {
      if (!IsDrawablePoint(in.Points[i])) return TRefusal::MissingPoint;
    }
    const auto at = [&](std::size_t i) { return TPointD{in.Points[i].X, in.Points[i].Y}; };
    TFenceCrossings crossings = FenceCrossings(host, {at(1), at(2), at(3)}, FrameTurn(in));
    in.Row = std::move(crossings.Points);
    return crossings.Refusal;
  }

  // Prompt 1 picked the line (hp1ln is where), prompts 2 and 3 the dimension line's position and
  // the start of the value text.
  if (const TRefusal r = PickedLineRefusal(host, 1); r != TRefusal::None) return r;
  const std::optional<TJwwEntLine> line = PickedLine(host);
  const TJwwPickedPoint at = host.PickedPoints[1];
  const double d1 = std::hypot(line->X1 - at.X, line->Y1 - at.Y);
  const double d2 = std::hypot(line->X2 - at.X, line->Y2 - at.Y);
  // The end nearer to where the line was picked measures from; the first written end on a tie.
  const bool secondNearer = IsDrawablePoint(at) && d2 < d1;
  in.Points[1] = secondNearer ? Picked(line->X2, line->Y2) : Picked(line->X1, line->Y1);
  in.Points[2] = secondNearer ? Picked(line->X1, line->Y1) : Picked(line->X2, line->Y2);
  in.Points[3] = host.PickedPoints[2];
  in.Points[4] = host.PickedPoints[3];
  return TRefusal::None;
}
