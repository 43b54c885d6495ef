// The dimension line with its value text set apart at the fourth point, on a base line of its
// own, and the leader from the middle of the dimension line to that base line.
#include "DrawingSteps.h"
#include "MyFunc.h"
#include "Dimension.h"

TValueTextType ChooseTextType(const TDimensionInput& in, const JwwState& host) {
  TValueTextType t;
  const int item = in.TextTypeItem;
  if (item >= 1 && item <= 10) {
    t.Number = item;
    t.Size = host.TextTypes[item];
    return t;
  }
  // Item 0: the host's current text type, or its free size.
  t.Number = host.FirstTextType;
  if (t.Number == 0) {
    t.Size = host.FirstFreeText;
    return t;
  }
  if (t.Number < 1 || t.Number > 10) t.Number = 1;
  t.Size = host.TextTypes[t.Number];
  return t;
}

namespace {

// The host takes the text direction as a vector, ten long; a whole number of quarter turns is
// written exactly (0 10, not 6.12323399573677E-16 10).
TPointD TextDirection(double ta) {
  const TPointD d = DirectionDeg(ta, true);
  return {10.0 * d.X, 10.0 * d.Y};
}

// The base line under the text at in.Points[4] and the leader to it from the middle of a1-a2.
void AddLeaderAndBaseLine(const TDimensionInput& in, TPointD a1, TPointD a2, const std::string& text,
                          const TJwwTextType& size, double ta, bool exact, JwwState& out) {
  const double extent = TextExtent(text, size.Width, size.Spacing);
  const double g = in.TextGap * in.Scale;
  const TBaseLine b =
      PlaceBaseLine(a1, a2, {in.Points[4].X, in.Points[4].Y}, ta, extent * in.Scale, g, exact);
  AddDimensionLine(out, b.Middle, b.LeaderEnd);
  AddDimensionLine(out, b.T0, b.T1);
}

}  // namespace

double ValueTextAngle(double lineAngle) {
  // Parallel to the dimension line, and never reading towards the left half of the plane.
  double ta = NormalizeDeg(lineAngle);
  if (ta >= 180.0) ta -= 180.0;
  if (ta > 90.00000001) ta += 180.0;
  return ta;
}

TBaseLine PlaceBaseLine(TPointD a1, TPointD a2, TPointD p4, double ta, double extent, double g,
                        bool exactQuarters) {
  TBaseLine b;
  const TPointD d = DirectionDeg(ta, exactQuarters);
  // The base line starts g before the text and g below it, and ends g after the text.
  TPointD off;
  if (exactQuarters) {
    off = {-g * d.X + g * d.Y, -g * d.Y - g * d.X};
  } else {
    RotatePointDeg(-g, -g, 0.0, 0.0, ta, off.X, off.Y);
  }
  b.T0 = {p4.X + off.X, p4.Y + off.Y};
  const double length = extent + 2.0 * g;
  b.T1 = {b.T0.X + length * d.X, b.T0.Y + length * d.Y};
  b.Middle = {(a1.X + a2.X) / 2.0, (a1.Y + a2.Y) / 2.0};
  // Where T1 lies along the text direction, seen from the middle: a base line reaching beyond
  // the middle is joined at its start, one wholly before it at its end.
  double rx = 0, ry = 0;
  RotatePointDeg(b.T1.X, b.T1.Y, b.Middle.X, b.Middle.Y, -ta, rx, ry);
  b.LeaderEnd = rx > b.Middle.X ? b.T0 : b.T1;
  return b;
}

void AddValueText(const TDimensionInput& in, TPointD a1, TPointD a2, double lineAngle, bool exact,
                  JwwState& out) {
  if (!in.Combined) {
    AddDimensionLine(out, a1, a2);
    AddValueTextFrom(in, {(a1.X + a2.X) / 2.0, (a1.Y + a2.Y) / 2.0}, lineAngle, exact, out);
    return;
  }
  const TValueTextType type = ChooseTextType(in, out);
  const TJwwTextType& size = type.Size;
  const std::string text = DimensionValueText(in);
  const double ta = ValueTextAngle(lineAngle);
  const TPointD dir = TextDirection(ta);
  JwwSetTextType(out, type.Number, size.Colour, TJwwNumberMode::None, size.Width, size.Height, size.Spacing);
  JwwAddMessage(out, text, a1.X, a1.Y, a2.X, a2.Y, in.Points[4].X, in.Points[4].Y, dir.X, dir.Y);
  AddLeaderAndBaseLine(in, a1, a2, text, size, ta, exact, out);
}

void AddValueTextFrom(const TDimensionInput& in, TPointD middle, double lineAngle, bool exact,
                      JwwState& out) {
  const TValueTextType type = ChooseTextType(in, out);
  const TJwwTextType& size = type.Size;
  const std::string text = DimensionValueText(in);
  const double ta = ValueTextAngle(lineAngle);
  const TPointD dir = TextDirection(ta);
  JwwSetTextType(out, type.Number, size.Colour, TJwwNumberMode::None, size.Width, size.Height, size.Spacing);
  JwwSetTextCode(out, 0);
  JwwAddZFlags(out, kJwwZDimension);
  JwwAddText(out, KindEntry(in.Kind).TextKind, text, in.Points[4].X, in.Points[4].Y, dir.X, dir.Y);
  AddLeaderAndBaseLine(in, middle, middle, text, size, ta, exact, out);
}
