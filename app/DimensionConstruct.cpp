// The whole dimension, appended to an output list: preamble, extension lines, dimension line with
// its value text, end markers, and the host's text type given back.
#include "DrawingSteps.h"
#include "MyFunc.h"
#include "Dimension.h"

namespace {

// Attributes of the host's current layer, so that the dimension is drawn there as the host would.
void AddPreamble(const TDimensionInput& in, JwwState& out) {
  JwwSetGroup(out, in.FirstGroup);
  JwwSetLayer(out, in.FirstLayer);
  JwwSetLineColour(out, in.FirstLineColour, cmNone);
  JwwSetPointColour(out, in.FirstLineColour, cmNone);  // point markers take the line colour
  JwwSetLineType(out, in.FirstLineType, cmNone);
  JwwSetLineWidth(out, in.FirstLineWidth);
  JwwSetFontName(out, in.FirstFontName);
}

// From a gap away from the measured point to an overhang past the dimension line, on the side
// where the dimension line stands.
void AddExtensionLine(const TDimensionInput& in, const TFrameTurn& turn, const TJwwPickedPoint& p, double u,
                      JwwState& out) {
  const double g5 = in.PointGap * in.Scale;
  const double g6 = in.Overhang * in.Scale;
  const bool positive = u >= p.X;
  const double startX = positive ? p.X + g5 : p.X - g5;
  const double endX = positive ? u + g6 : u - g6;
  AddDimensionLine(out, OutOfFrame({startX, p.Y}, {p.X, p.Y}, turn), OutOfFrame({endX, p.Y}, {p.X, p.Y}, turn));
}

}  // namespace

void ConstructDimension(const TDimensionInput& in, JwwState& out) {
  if (CheckDimension(in) != TRefusal::None) return;
  const TDimensionFrame fr = DimensionFrame(in);
  AddPreamble(in, out);
  AddExtensionLine(in, fr.Turn, in.Points[1], fr.U1, out);
  AddExtensionLine(in, fr.Turn, in.Points[2], fr.U2, out);
  AddValueText(in, fr.A1, fr.A2, fr.Length, out);
  AddEndMarkers(in, fr.A1, fr.A2, out);
  // Give the host back its own text type (a line only when the value text used another one).
  const TJwwTextType& free = in.FirstFreeText;
  JwwSetTextType(out, in.FirstTextType, free.Colour, cmNone, free.Width, free.Height, free.Spacing);
}

void PrepareScratchState(const TDimensionInput& in, JwwState& scratch) {
  JwwInit(scratch);
  scratch.AxisAngle = in.AxisAngle;
  scratch.FirstGroup = in.FirstGroup;
  scratch.GroupScale[in.FirstGroup & 15] = in.Scale;
  scratch.FirstLayer = in.FirstLayer;
  scratch.FirstLineColour = in.FirstLineColour;
  scratch.FirstLineType = in.FirstLineType;
  scratch.FirstLineWidth = in.FirstLineWidth;
  scratch.FirstTextType = in.FirstTextType;
  scratch.FirstFreeText = in.FirstFreeText;
  scratch.FirstFontName = in.FirstFontName;
  for (int i = 0; i <= 10; ++i) scratch.TextTypes[i] = in.TextTypes[i];
  for (int i = 1; i <= 4; ++i) scratch.PickedPoints[i] = in.Points[i];
  JwwResetCurrent(scratch);
}
