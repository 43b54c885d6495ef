// Checking what a dimension is drawn from, and the linear kind's frame.
#include <algorithm>
#include <cmath>
#include <string>

#include "Dimension.h"
#include "MyFunc.h"

// The reading side keeps FirstGroup within 0..15; the mask only guards the array.
double DrawingScale(const JwwState& st) { return st.GroupScale[st.FirstGroup & 15]; }

TDimensionFrame DimensionFrame(const TDimensionInput& in) {
  TDimensionFrame fr;
  fr.Turn = FrameTurn(in);
  const TPointD p3{in.Points[3].X, in.Points[3].Y};
  // In the dimension's frame turned about P_i, the end A_i keeps the height of P_i and takes the
  // across-axis position of P3: the foot of P_i on the dimension line.
  const auto end = [&](const TJwwPickedPoint& p, double& u) {
    u = IntoFrame(p3, {p.X, p.Y}, fr.Turn).X;
    return OutOfFrame({u, p.Y}, {p.X, p.Y}, fr.Turn);
  };
  fr.A1 = end(in.Points[1], fr.U1);
  fr.A2 = end(in.Points[2], fr.U2);
  fr.Length = Distance(fr.A1.X, fr.A1.Y, fr.A2.X, fr.A2.Y);
  return fr;
}

namespace {

// Whether every number the construction (and the preview after it) computes stays finite. The
// construction only adds and subtracts coordinates, paper distances in drawing units and unit
// vectors times those; when all of them together, twice over, still make a finite sum, no point
// it or the preview computes can overflow. A non-finite number would be written as 0 and draw
// to the origin.
bool NumbersAreFinite(const TDimensionInput& in, const JwwState& host, const TDimensionFrame& fr) {
  const TValueTextType type = ChooseTextType(in, host);
  const std::string text = BuildValueText(fr.Length, in.Value);
  const double paper[] = {
      2.0 * in.TextGap,
      in.PointGap,
      in.Overhang,
      in.ReverseOverhang,
      in.ArrowLength,
      MarkerReach(in.StartMarker, in.MarkerFactor, in.ArrowLength, in.ArrowAngle),
      MarkerReach(in.EndMarker, in.MarkerFactor, in.ArrowLength, in.ArrowAngle),
      TextExtent(text, type.Size.Width, type.Size.Spacing),
      type.Size.Height,
  };
  double paperSum = 0;
  for (double q : paper) paperSum += std::fabs(q);
  double sum = paperSum * std::fabs(in.Scale);
  for (std::size_t i = 1; i <= 4; ++i) sum += std::fabs(in.Points[i].X) + std::fabs(in.Points[i].Y);
  for (double q : {fr.A1.X, fr.A1.Y, fr.A2.X, fr.A2.Y, fr.U1, fr.U2, fr.Length}) sum += std::fabs(q);
  return std::isfinite(in.Scale) && std::isfinite(in.AxisAngle) && std::isfinite(2.0 * sum);
}

// The measured points count as level when the length is within a double's rounding noise of
// their coordinates: near 1e6 that noise is larger than any fixed tolerance.
double LevelTolerance(const TDimensionInput& in) {
  double largest = 0;
  for (std::size_t i = 1; i <= 3; ++i) {
    largest = std::max({largest, std::fabs(in.Points[i].X), std::fabs(in.Points[i].Y)});
  }
  return std::max(1e-10, 1e-12 * largest);
}

}  // namespace

TRefusal CheckDimension(const TDimensionInput& in, const JwwState& host) {
  if (in.PointsRefusal != TRefusal::None) return in.PointsRefusal;
  return KindEntry(in.Kind).Check(in, host);
}

TRefusal CheckLinearDimension(const TDimensionInput& in, const JwwState& host) {
  // A point the host did not hand over would silently be the origin: refuse before measuring,
  // as a missing point makes the length meaningless.
  for (std::size_t i = 1; i <= 4; ++i) {
    if (!IsDrawablePoint(in.Points[i])) return TRefusal::MissingPoint;
  }
  // Every paper distance is multiplied by the scale: at 0 or below the dimension collapses or
  // turns inside out.
  if (!(in.Scale > 0) || !std::isfinite(in.Scale)) return TRefusal::BadScale;
  const TDimensionFrame fr = DimensionFrame(in);
  if (!NumbersAreFinite(in, host, fr)) return TRefusal::TooLarge;
  if (fr.Length < LevelTolerance(in)) return TRefusal::ZeroLength;
  return TRefusal::None;
}

std::string RefusalMessage(TRefusal r) {
  switch (r) {
    case TRefusal::None: return std::string();
    case TRefusal::MissingPoint: return SjisText(kMessageMissingPoint);
    case TRefusal::ZeroLength: return SjisText(kMessageZeroLength);
    case TRefusal::TooLarge: return SjisText(kMessageTooLarge);
    case TRefusal::NoLastDimension: return SjisText(kMessageNoLastDimension);
    case TRefusal::AxisChanged: return SjisText(kMessageAxisChanged);
    case TRefusal::BadScale: return SjisText(kMessageBadScale);
  }
  return std::string();
}
