// FenceCrossings.h: the points a row of dimensions measures, where a fence crosses the lines of
// the drawing.
//
// Contract: coordinates are drawing units. The drawing is read once, in one pass over its lines,
// allocating nothing per line but the result; the points found are then sorted (n log n). A
// refusal is a value; no exceptions.
#pragma once

#include <vector>

#include "Dimension.h"

// The fence from Start to End, and a point of the dimension line.
struct TFence {
  TPointD Start, End, LinePoint;
};

struct TFenceCrossings {
  TRefusal Refusal = TRefusal::None;  // MissingPoint: a fence of no length; TooFewLines
  std::vector<TPointD> Points;  // the measured points in the order of their positions; empty when refused
};

// The measured points of a fence across the drawing's lines. `turn` is the dimension's frame (the
// dimension line runs straight up in it; a point's frame Y is where it is measured): FrameTurn of
// the row's input, whose picked points 1 and 2 are the fence's ends, so that an aligned row
// measures along the fence.
//
// - A line gives the point where it crosses the fence segment; a line that touches the fence
//   within the tolerance of their coordinates (LevelTolerance) crosses it there. A line lying along
//   the fence within that tolerance, a line of no length, and a line with a coordinate that is no
//   finite number give nothing.
// - A line marked as a dimension entity (z3) is another dimension and gives nothing; the lines of
//   the host's dimension entities (msg) are not among the state's lines at all.
// - Points whose positions are equal within the tolerance are one: the one nearest the dimension
//   line (across the measuring direction) is kept.
TFenceCrossings FenceCrossings(const JwwState& host, const TFence& fence, const TFrameTurn& turn);
