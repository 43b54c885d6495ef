// RowPlacement.h: where the values of a row of dimensions go, so that every one can be read.
//
// Contract: a pure function of numbers, in a frame of the row: x along the dimension line, y across
// it, y > 0 away from the fence, the dimension line at y = 0; all in drawing units. No
// allocation but the result and its working lists; O(n) after the caller's sort.
//
// The rule:
// - Clearance. Every clearance is c = |g| (the text gap, Edit4; a negative gap counts as its
//   size): between a value and its base line, past the base line's ends, between any two values,
//   and between a value and any line, leader or marker; moved values (with their base lines and
//   the room kept for leaders) stand max(c, a tenth of their height) apart, so that at g = 0
//   neighbouring base lines and leaders never meet. At g = 0 a value may touch a line, never
//   overlap it.
// - On the line. A value fits when, centred on its segment, it stays c clear of the markers at
//   both ends; a marker is taken as reaching max(start reach, end reach) to both sides of its
//   end (turned-about markers of a short neighbour reach into the segment) and across the whole
//   half-width. A value that fits (and AllOut is off) sits centred on its segment, c from the line
//   on the side its text's up points to, with no base line and no leader.
// - Moved values: the first row. The values that do not fit stand in a row on the far side of
//   the fence, in the order of their segments, each on its base line (its text plus c at each
//   end, c under the text in the text's own up sense), apart as above. Among the places that keep the
//   order and the clearances, the row takes the one of least total squared shift from where each
//   value wants to be (pool-adjacent violators): with the text's up away from the fence, centred
//   over its segment's middle, the leader joining the nearer end of the base line; with the text's
//   up towards the fence the base line lies beyond the text, and a straight leader to it must pass
//   beside the text, so there the value stands after the middle (its base line starts there),
//   may only move further on, and keeps one text height plus c free before its base line for its
//   leader.
// - Further rows. When the first row pushes some value of a run of touching values more than
//   its text length from its place, the run is spread over further rows: of every two values the
//   second stands in a second row, plumb above its segment's middle, its leader running straight
//   out to an end of its base line, the value on the side the first row pushed it to (before the
//   middle when it was pushed back, else after it), or on the other when that has no room. A
//   plumb leader must pass beside every footprint of the rows it crosses, and each footprint
//   must start beyond those placed before it in its row. The values left on the first row must
//   then fit between the plumb leaders. When that fails, one value in three stays on the first
//   row and the others stand in the second and third rows, then one in four over four rows; when
//   no spread fits, the run stays on the first row as a whole, where its leaders slant. A plumb
//   leader is an obstacle of the first row: no value there comes within the clearance of it.
// - Bounds. Between lines across the row (Left, Right) the moved values keep c from them; a row
//   wider than the room between them stands as it would without them.
// - Heights. The first row stands c beyond the highest of the extension lines' overhang, the
//   markers' half-width and (text up away from the fence) the values on the line; higher where a
//   slanted leader needs it to keep c from every corner: with the text up away, so that up to c
//   beyond the values on the line no leader strays further from its middle than half its segment
//   plus the markers' reach (the neighbours' values on the line start c beyond that); with the
//   text up towards the fence, so that up to c beyond its own value's height the leader stays in
//   the room kept before its base line. Each further row stands one value height plus 2c beyond
//   the one before.
#pragma once

#include <limits>
#include <vector>

#include "Dimension.h"

struct TRowInput {
  std::vector<double> Ends;             // x_0 < x_1 < ... < x_n: the measured points' positions
  std::vector<double> Extents;          // per segment: its value text's extent along the line
  std::vector<double> Heights;          // per segment: its value text's height
  double TextGap = 0;                   // g: any sign; |g| is the clearance
  double StartReach = 0, EndReach = 0;  // the end markers' reach along the line
  double MarkerHalfWidth = 0;           // their half-width across it
  double Overhang = 0;                  // extension lines x = x_i run from the fence side up to y = Overhang
  bool AllOut = false;                  // CheckBox7: every value moved out
  bool UpAway = true;                   // the text's up points to +y (away from the fence)
  // Lines across the row at x = Left and x = Right (an overall dimension's extension lines): the
  // moved values and their base lines stay c inside them where the room allows.
  double Left = -std::numeric_limits<double>::infinity();
  double Right = std::numeric_limits<double>::infinity();
};

// A value's text box in the frame.
struct TRowBox {
  double X0 = 0, X1 = 0, Y0 = 0, Y1 = 0;
};

struct TRowValue {
  int Row = 0;  // 0 on the dimension line; 1, 2 the rows of moved values, outwards
  TRowBox Box;
  TPointD T0, T1;                // moved: the base line, T0.X < T1.X
  TPointD LeaderFrom, LeaderTo;  // moved: from the segment's middle on the line to T0 or T1
};

// The clearance of the rule above.
inline double RowClearance(const TRowInput& in) { return in.TextGap < 0 ? -in.TextGap : in.TextGap; }

// The value of each segment, in segment order. Ends must be increasing, with one more entry than
// Extents and Heights.
std::vector<TRowValue> PlaceRowValues(const TRowInput& in);
