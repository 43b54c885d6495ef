// A row of dimensions along a fence: laid out in the row's frame, then drawn.
#include "RowDimension.h"

#include <algorithm>
#include <cmath>

#include "DimensionParts.h"
#include "DrawingSteps.h"
#include "LinearKind.h"
#include "MyFunc.h"

namespace {

// How far a marker stands off the dimension line: an arrow's lines at its angle, a point marker
// about as far as it reaches along the line.
double MarkerHalfWidth(int kind, const TDimensionInput& in) {
  if (kind == 0) return in.ArrowLength * std::fabs(DirectionDeg(in.ArrowAngle).Y);
  return MarkerReach(kind, in.MarkerFactor, in.ArrowLength, in.ArrowAngle);
}

TRowInput PlacementInput(const TDimensionInput& in, const TRowLayout& l, const TJwwTextType& size) {
  TRowInput r;
  r.Ends = l.Ends;
  for (const std::string& t : l.Texts) {
    r.Extents.push_back(TextExtent(t, size.Width, size.Spacing) * in.Scale);
    r.Heights.push_back(size.Height * in.Scale);
  }
  r.TextGap = in.TextGap * in.Scale;
  r.StartReach = MarkerReach(in.StartMarker, in.MarkerFactor, in.ArrowLength, in.ArrowAngle) * in.Scale;
  r.EndReach = MarkerReach(in.EndMarker, in.MarkerFactor, in.ArrowLength, in.ArrowAngle) * in.Scale;
  r.MarkerHalfWidth =
      std::max(MarkerHalfWidth(in.StartMarker, in), MarkerHalfWidth(in.EndMarker, in)) * in.Scale;
  // A point beyond the dimension line has its extension line coming towards it from the far side:
  // the moved values stand beyond that too.
  r.Overhang = l.Overhang;
  const double gap = in.PointGap * in.Scale;
  for (double y : l.Feet) r.Overhang = std::max(r.Overhang, y - gap);
  r.AllOut = in.AllOut;
  r.UpAway = l.UpAway;
  return r;
}

// How far out the row reaches: its extension lines, markers, values and base lines.
double RowTop(const TRowInput& r, const std::vector<TRowValue>& values) {
  double top = std::max({0.0, r.Overhang, r.MarkerHalfWidth});
  for (const TRowValue& v : values) top = std::max({top, v.Box.Y1, v.Row > 0 ? v.T0.Y : 0.0});
  return top;
}

}  // namespace

TRowLayout LayoutRow(const TDimensionInput& in, const JwwState& host) {
  TRowLayout l;
  if (in.Row.size() < 2) return l;
  const TFrameTurn turn = FrameTurn(in);
  l.Exact = !turn.Rotated;
  l.TextAngle = ValueTextAngle(turn.LineAngle());
  l.AlongX = DirectionDeg(l.TextAngle, l.Exact);
  l.Origin = {in.Points[3].X, in.Points[3].Y};
  // Across the line, away from the fence: the side its middle is not on.
  const TPointD normal{-l.AlongX.Y, l.AlongX.X};
  const TPointD middle{(in.Points[1].X + in.Points[2].X) / 2, (in.Points[1].Y + in.Points[2].Y) / 2};
  l.AcrossY = Dot(Minus(middle, l.Origin), normal) > 0 ? TPointD{-normal.X, -normal.Y} : normal;
  l.UpAway = Dot(normal, l.AcrossY) > 0;  // the text's up is the line's normal

  // The points in the order of x (the fence's order, or its reverse when the text reads the other way).
  std::vector<TPointD> points = in.Row;
  if (Dot(Minus(points.back(), points.front()), l.AlongX) < 0) std::reverse(points.begin(), points.end());
  for (const TPointD& p : points) {
    l.Ends.push_back(Dot(Minus(p, l.Origin), l.AlongX));
    l.Feet.push_back(Dot(Minus(p, l.Origin), l.AcrossY));
  }
  for (std::size_t i = 0; i + 1 < l.Ends.size(); ++i) {
    l.Lengths.push_back(l.Ends[i + 1] - l.Ends[i]);
    l.Texts.push_back(ValueTextOf(in, l.Lengths.back()));
  }
  l.Overhang = in.Overhang * in.Scale;
  const TJwwTextType size = ChooseTextType(in, host).Size;
  TRowInput r = PlacementInput(in, l, size);
  l.Overall = in.Overall && l.Lengths.size() >= 2;
  if (l.Overall) {
    // The overall dimension's extension lines run across the rows of moved values.
    r.Left = l.Ends.front();
    r.Right = l.Ends.back();
  }
  l.Values = PlaceRowValues(r);
  for (const TRowValue& v : l.Values) l.Moved += v.Row > 0 ? 1 : 0;
  if (!l.Overall) return l;

  // Its value reads from the same side as the row's: with the text's up towards the fence it
  // stands between the row and its line, and keeps the clearance from both.
  const double top = RowTop(r, l.Values), c = RowClearance(r);
  const double tiny = 1e-9 * (std::fabs(r.Left) + std::fabs(r.Right));
  for (const TRowValue& v : l.Values) {
    if (v.Row > 0 && (v.T0.X < r.Left + c - tiny || v.T1.X > r.Right - c + tiny))
      l.OverallFrom = top + in.PointGap * in.Scale;
  }
  l.OverallY = top + in.OutsideGap * in.Scale;
  if (!r.UpAway) l.OverallY = std::max(l.OverallY, top + 2 * c + size.Height * in.Scale);
  l.OverallText = ValueTextOf(in, l.Ends.back() - l.Ends.front());
  TRowInput o = r;
  o.Ends = {l.Ends.front(), l.Ends.back()};
  o.Extents = {TextExtent(l.OverallText, size.Width, size.Spacing) * in.Scale};
  o.Heights = {size.Height * in.Scale};
  o.Left = -std::numeric_limits<double>::infinity();
  o.Right = std::numeric_limits<double>::infinity();
  l.OverallValue = PlaceRowValues(o).front();
  TRowValue& v = l.OverallValue;
  for (double* y : {&v.Box.Y0, &v.Box.Y1, &v.T0.Y, &v.T1.Y, &v.LeaderFrom.Y, &v.LeaderTo.Y}) *y += l.OverallY;
  return l;
}

TRefusal CheckRow(const TDimensionInput& in, const JwwState& host) {
  for (std::size_t i = 1; i <= 3; ++i) {
    if (!IsDrawablePoint(in.Points[i])) return TRefusal::MissingPoint;
  }
  if (in.Row.size() < 2) return TRefusal::TooFewLines;
  if (!IsGoodScale(in.Scale)) return TRefusal::BadScale;
  double sum = 0;
  for (const TPointD& p : in.Row) sum += std::fabs(p.X) + std::fabs(p.Y);
  // Every value and the overall one may stand out a row each: the numbers grow with the count.
  const double count = static_cast<double>(in.Row.size());
  if (!NumbersAreFinite(in, host, {sum, count * in.Scale * (std::fabs(in.TextGap) + in.OutsideGap)}))
    return TRefusal::TooLarge;
  return TRefusal::None;
}

double MeasureRow(const TDimensionInput& in) {
  if (in.Row.size() < 2) return 0;
  const TPointD line = DirectionDeg(FrameTurn(in).LineAngle());
  return std::fabs(Dot(Minus(in.Row.back(), in.Row.front()), line));
}

namespace {

// The text's start: the corner of its box on the side its up points away from.
TPointD TextStart(const TRowLayout& l, const TRowBox& box, bool upAway) {
  return l.ToDrawing(box.X0, upAway ? box.Y0 : box.Y1);
}

void AddValue(const TDimensionInput& in, const TRowLayout& l, const TRowValue& v, const std::string& text,
              TPointD a1, TPointD a2, bool upAway, JwwState& out) {
  const TValueTextType type = ChooseTextType(in, out);
  const TJwwTextType& size = type.Size;
  const TPointD at = TextStart(l, v.Box, upAway);
  const TPointD dir{10.0 * l.AlongX.X, 10.0 * l.AlongX.Y};
  JwwSetTextType(out, type.Number, size.Colour, TJwwNumberMode::None, size.Width, size.Height, size.Spacing);
  if (in.Combined) {
    JwwAddMessage(out, text, a1.X, a1.Y, a2.X, a2.Y, at.X, at.Y, dir.X, dir.Y);
  } else {
    AddDimensionLine(out, a1, a2);
    JwwSetTextCode(out, 0);
    JwwAddZFlags(out, kJwwZDimension);
    JwwAddText(out, kJwwTextSloped, text, at.X, at.Y, dir.X, dir.Y);
  }
  if (v.Row == 0) return;
  AddDimensionLine(out, l.ToDrawing(v.LeaderFrom.X, v.LeaderFrom.Y), l.ToDrawing(v.LeaderTo.X, v.LeaderTo.Y));
  AddDimensionLine(out, l.ToDrawing(v.T0.X, v.T0.Y), l.ToDrawing(v.T1.X, v.T1.Y));
}

}  // namespace

void ConstructRow(const TDimensionInput& in, JwwState& out) {
  const TRowLayout l = LayoutRow(in, out);
  if (l.Ends.size() < 2) return;
  const bool upAway = l.UpAway;
  AddPreamble(out);
  // Each point's extension line once, shared by the two dimensions that meet there; the overall
  // dimension's ends reach its line.
  const double gap = in.PointGap * in.Scale;
  const auto extension = [&](double x, double from, double to) {
    const bool below = from <= to;
    AddDimensionLine(out, l.ToDrawing(x, below ? from + gap : from - gap),
                     l.ToDrawing(x, below ? to + l.Overhang : to - l.Overhang));
  };
  for (std::size_t i = 0; i < l.Ends.size(); ++i) {
    const bool outer = l.Overall && (i == 0 || i + 1 == l.Ends.size());
    if (outer && l.OverallFrom > 0) extension(l.Ends[i], l.OverallFrom - gap, l.OverallY);
    extension(l.Ends[i], l.Feet[i], outer && l.OverallFrom <= 0 ? l.OverallY : 0.0);
  }
  // Every marker of the row points along it one way or the other: their lines are worked out once.
  const double back = VectorAngleDeg(-l.AlongX.X, -l.AlongX.Y),
               ahead = VectorAngleDeg(l.AlongX.X, l.AlongX.Y);
  const TMarkerPoses poses = {MarkerPose(in, back, l.Exact), MarkerPose(in, ahead, l.Exact),
                              MarkerPose(in, ahead, l.Exact), MarkerPose(in, back, l.Exact)};
  for (std::size_t i = 0; i < l.Texts.size(); ++i) {
    const TPointD a1 = l.ToDrawing(l.Ends[i], 0), a2 = l.ToDrawing(l.Ends[i + 1], 0);
    AddValue(in, l, l.Values[i], l.Texts[i], a1, a2, upAway, out);
    AddEndMarkersPosed(in, a1, a2, poses, l.Lengths[i], out);
  }
  if (l.Overall) {
    const TPointD a1 = l.ToDrawing(l.Ends.front(), l.OverallY), a2 = l.ToDrawing(l.Ends.back(), l.OverallY);
    AddValue(in, l, l.OverallValue, l.OverallText, a1, a2, upAway, out);
    AddEndMarkersPosed(in, a1, a2, poses, l.Ends.back() - l.Ends.front(), out);
  }
  RestoreTextType(out);
}
