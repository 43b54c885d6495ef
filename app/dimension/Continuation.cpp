// A dimension continued from the last one: its four points.
#include <cmath>

#include "MyFunc.h"
#include "Dimension.h"

TRefusal ContinuePoints(const std::optional<TLastDimension>& last, TDimensionInput& in) {
  if (!last) return TRefusal::NoLastDimension;
  // Equal as recorded: the settings file keeps 15 significant digits of the axis angle.
  if (in.Direction != TDirection::Aligned && FloatToText(last->AxisAngle) != FloatToText(in.AxisAngle))
    return TRefusal::AxisChanged;
  if (!IsDrawablePoint(in.Points[1]) || !IsDrawablePoint(in.Points[2])) return TRefusal::MissingPoint;

  const TJwwPickedPoint added = in.Points[1], text = in.Points[2];
  const auto picked = [](TPointD p) { return TJwwPickedPoint{true, p.X, p.Y, TJwwPickKind::Plain}; };
  const TPointD l1 = last->Points[1], l2 = last->Points[2], l3 = last->Points[3];
  // An outside dimension spans the whole row: from where it started.
  const TPointD start = last->RowStart.value_or(l1);
  in.Points[1] = picked(start);
  in.Points[2] = added;
  in.Points[3] = picked(l3);
  in.Points[4] = text;
  if (in.Next == TNext::Chain) {
    // Positions along the last dimension's measuring direction: its frame runs the dimension line
    // straight up, so a point's height there is where it is measured.
    TDimensionInput previous = in;
    previous.Points[1] = picked(l1);
    previous.Points[2] = picked(l2);
    const TFrameTurn turn = FrameTurn(previous);
    const auto along = [&](TPointD p) { return IntoFrame(p, l1, turn).Y; };
    const double at = along({added.X, added.Y});
    const auto away = [&](TPointD p) { return std::fabs(along(p) - at); };
    // The chain goes on from the end it touches; the row runs on to its end farthest away.
    in.Points[1] = picked(away(l1) < away(l2) ? l1 : l2);
    TPointD rowStart = start;
    for (TPointD p : {l1, l2})
      if (away(p) > away(rowStart)) rowStart = p;
    in.RowStart = rowStart;
  } else if (in.Next == TNext::Outside) {
    // Across the new dimension's frame, on the side where L3 stands from L1 (outwards when level).
    const TFrameTurn turn = FrameTurn(in);
    const TPointD q = IntoFrame(l3, start, turn);
    const double side = q.X >= start.X ? 1.0 : -1.0;
    in.Points[3] = picked(OutOfFrame({q.X + side * in.OutsideGap * in.Scale, q.Y}, start, turn));
  }
  return TRefusal::None;
}
