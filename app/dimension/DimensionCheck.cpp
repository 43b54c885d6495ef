// Checking what a dimension is drawn from, and the linear kind's frame.
#include <algorithm>
#include <cmath>
#include <string>

#include "Dimension.h"
#include "DrawingSteps.h"
#include "MyFunc.h"
#include "LinearKind.h"
#include "MovedValue.h"
#include "RowDimension.h"

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
  fr.A1 = end(in.Points[1], fr.Across1);
  fr.A2 = end(in.Points[2], fr.Across2);
  fr.Length = Distance(fr.A1.X, fr.A1.Y, fr.A2.X, fr.A2.Y);
  return fr;
}

// The construction only adds and subtracts coordinates, paper distances in drawing units and unit
// vectors times those; when all of them together, twice over, still make a finite sum, no point
// it or the preview computes can overflow.
bool NumbersAreFinite(const TDimensionInput& in, const JwwState& host,
                      std::initializer_list<double> geometry) {
  const TValueTextType type = ChooseTextType(in, host);
  const std::string text = DimensionValueText(in);
  const double paper[] = {
      in.PaperDistances ? in.PaperDistances(in) : 0.0,
      MarkerReach(in.StartMarker, in.MarkerFactor, in.ArrowLength, in.ArrowAngle),
      MarkerReach(in.EndMarker, in.MarkerFactor, in.ArrowLength, in.ArrowAngle),
      TextExtent(text, type.Size.Width, type.Size.Spacing),
      type.Size.Height,
  };
  double paperSum = 0;
  for (double q : paper) paperSum += std::fabs(q);
  double sum = paperSum * std::fabs(in.Scale);
  for (std::size_t i = 1; i <= 4; ++i) sum += std::fabs(in.Points[i].X) + std::fabs(in.Points[i].Y);
  for (double q : geometry) sum += std::fabs(q);
  return std::isfinite(in.Scale) && std::isfinite(in.AxisAngle) && std::isfinite(2.0 * sum);
}

double LevelTolerance(std::initializer_list<double> coordinates) {
  double largest = 0;
  for (double c : coordinates) largest = std::max(largest, std::fabs(c));
  return std::max(1e-10, 1e-12 * largest);
}

TRefusal CheckDimension(const TDimensionInput& in, const JwwState& host) {
  if (in.PointsRefusal != TRefusal::None) return in.PointsRefusal;
  const TRefusal refusal = KindEntry(in.Kind).Check(in, host);
  if (refusal != TRefusal::None) return refusal;
  // The host would cut a longer value text: a cut number (or a number cut off by its prefix) is
  // a wrong dimension.
  if (DimensionValueText(in).size() > kMaxValueTextBytes) return TRefusal::TooLarge;
  return TRefusal::None;
}

TRefusal CheckLinearDimension(const TDimensionInput& in, const JwwState& host) {
  if (in.Pick == TPick::Fence) return CheckRow(in, host);
  // A point the host did not hand over would silently be the origin: refuse before measuring,
  // as a missing point makes the length meaningless.
  for (std::size_t i = 1; i <= 4; ++i) {
    if (!IsDrawablePoint(in.Points[i])) return TRefusal::MissingPoint;
  }
  if (!IsGoodScale(in.Scale)) return TRefusal::BadScale;
  const TDimensionFrame fr = DimensionFrame(in);
  if (!NumbersAreFinite(in, host, {fr.A1.X, fr.A1.Y, fr.A2.X, fr.A2.Y, fr.Across1, fr.Across2, fr.Length}))
    return TRefusal::TooLarge;
  // Level within the rounding noise of the coordinates of points 1 to 3.
  const auto& p = in.Points;
  if (fr.Length < LevelTolerance({p[1].X, p[1].Y, p[2].X, p[2].Y, p[3].X, p[3].Y}))
    return TRefusal::ZeroLength;
  return TRefusal::None;
}

double MeasureLinear(const TDimensionInput& in) {
  return in.Pick == TPick::Fence ? MeasureRow(in) : DimensionFrame(in).Length;
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
    case TRefusal::NoLine: return SjisText(kMessageNoLine);
    case TRefusal::NoCircle: return SjisText(kMessageNoCircle);
    case TRefusal::Ellipse: return SjisText(kMessageEllipse);
    case TRefusal::NoArc: return SjisText(kMessageNoArc);
    case TRefusal::InsideArc: return SjisText(kMessageInsideArc);
    case TRefusal::Parallel: return SjisText(kMessageParallel);
    case TRefusal::ZeroLine: return SjisText(kMessageZeroLine);
    case TRefusal::TooFewLines: return SjisText(kMessageTooFewLines);
    case TRefusal::NoValue: return SjisText(kMessageNoValue);
    case TRefusal::ManyValues: return SjisText(kMessageManyValues);
    case TRefusal::NoDimensionLine: return SjisText(kMessageNoDimensionLine);
    case TRefusal::CannotWriteBack: return SjisText(kMessageCannotWriteBack);
  }
  return std::string();
}
