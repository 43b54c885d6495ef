// The whole dimension, appended to an output list: preamble, extension lines, dimension line with
// its value text, end markers, and the host's text type given back.
#include "DrawingSteps.h"
#include "MyFunc.h"
#include "Dimension.h"
#include "LinearKind.h"
#include "RowDimension.h"

void AddPreamble(JwwState& out) {
  JwwSetGroup(out, out.FirstGroup);
  JwwSetLayer(out, out.FirstLayer);
  JwwSetLineColour(out, out.FirstLineColour, TJwwNumberMode::None);
  JwwSetPointColour(out, out.FirstLineColour, TJwwNumberMode::None);  // point markers take the line colour
  JwwSetLineType(out, out.FirstLineType, TJwwNumberMode::None);
  JwwSetLineWidth(out, out.FirstLineWidth);
  JwwSetFontName(out, out.FirstFontName);
}

void RestoreTextType(JwwState& out) {
  // A line only when the value text used another text type than the host's.
  const TJwwTextType free = out.FirstFreeText;
  JwwSetTextType(out, out.FirstTextType, free.Colour, TJwwNumberMode::None, free.Width, free.Height,
                 free.Spacing);
}

namespace {

// From a gap away from the measured point to an overhang past the dimension line, on the side
// where the dimension line stands.
void AddExtensionLine(const TDimensionInput& in, const TFrameTurn& turn, const TJwwPickedPoint& p, double u,
                      JwwState& out) {
  const double pointGap = in.PointGap * in.Scale;
  const double overhang = in.Overhang * in.Scale;
  const bool positive = u >= p.X;
  const double startX = positive ? p.X + pointGap : p.X - pointGap;
  const double endX = positive ? u + overhang : u - overhang;
  AddDimensionLine(out, OutOfFrame({startX, p.Y}, {p.X, p.Y}, turn),
                   OutOfFrame({endX, p.Y}, {p.X, p.Y}, turn));
}

}  // namespace

void ConstructDimension(const TDimensionInput& in, JwwState& out) {
  if (CheckDimension(in, out) != TRefusal::None) return;
  KindEntry(in.Kind).Construct(in, out);
}

void ConstructLinearDimension(const TDimensionInput& in, JwwState& out) {
  if (in.Pick == TPick::Fence) return ConstructRow(in, out);
  const TDimensionFrame fr = DimensionFrame(in);
  AddPreamble(out);
  AddExtensionLine(in, fr.Turn, in.Points[1], fr.Across1, out);
  AddExtensionLine(in, fr.Turn, in.Points[2], fr.Across2, out);
  AddValueText(in, fr.A1, fr.A2, fr.Turn.LineAngle(), !fr.Turn.Rotated, out);
  AddEndMarkers(in, fr.A1, fr.A2, fr.Length, !fr.Turn.Rotated, out);
  RestoreTextType(out);
}
