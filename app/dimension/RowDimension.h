// RowDimension.h: a row of dimensions along a fence (the linear kind's TPick::Fence): one
// dimension between each two neighbouring measured points, on one dimension line, every value
// where it can be read, and the overall dimension further out.
//
// Contract: coordinates are drawing units; texts Shift-JIS. The layout is worked out in the row's
// frame of RowPlacement.h (x along the dimension line in the value text's direction, y across it
// away from the fence, the dimension line at y = 0 through picked point 3) and drawn from it.
#pragma once

#include <string>
#include <vector>

#include "Dimension.h"
#include "RowPlacement.h"

struct TRowLayout {
  TPointD Origin;                  // the row frame's (0, 0): picked point 3
  TPointD AlongX, AcrossY;         // the frame's axes in the drawing, unit vectors
  bool Exact = false;              // the axes are whole quarter turns, taken without rounding
  bool UpAway = true;              // the values' up points away from the fence (+y)
  double TextAngle = 0;            // the values' direction, degrees (AlongX)
  std::vector<double> Ends;        // x of the measured points, increasing
  std::vector<double> Feet;        // y of each measured point (in the order of Ends)
  std::vector<std::string> Texts;  // each dimension's value text
  std::vector<double> Lengths;     // and its length
  std::vector<TRowValue> Values;   // where each value stands (PlaceRowValues)
  double Overhang = 0;             // extension lines past the dimension line
  int Moved = 0;                   // values moved out on a leader
  // The overall dimension (CheckBox8, more than one dimension): its line at y = OverallY.
  bool Overall = false;
  double OverallY = 0;
  // Where its extension lines start: 0, going on from the row's first and last; or beyond the row
  // when its moved values could not keep between them.
  double OverallFrom = 0;
  std::string OverallText;
  TRowValue OverallValue;  // its Box and base line in the row frame

  TPointD ToDrawing(double x, double y) const {
    return {Origin.X + x * AlongX.X + y * AcrossY.X, Origin.Y + x * AlongX.Y + y * AcrossY.Y};
  }
};

// The layout of the row `in` describes (in.Row its measured points, as FenceCrossings found them);
// `host` gives the value text's type. Empty (no Ends) for a row of fewer than two points.
TRowLayout LayoutRow(const TDimensionInput& in, const JwwState& host);

// The row's checks (its picked points, scale and numbers), its overall length along the measuring
// direction, and its construction: the extension lines (each point's once, the overall
// dimension's ends reaching its line), each dimension's line and end markers, the values on the
// line or on base lines with leaders, the overall dimension.
TRefusal CheckRow(const TDimensionInput& in, const JwwState& host);
double MeasureRow(const TDimensionInput& in);
void ConstructRow(const TDimensionInput& in, JwwState& out);
