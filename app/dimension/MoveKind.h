// MoveKind.h: the value of a dimension already drawn, moved out on a leader. The host hands over a
// range selection holding the dimension and one point, the value's new place (hp1); the command
// has the host delete the selection (hd) and draws it again without the old value, plus the value
// at the new place on its base line with a leader from its dimension line.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "Dimension.h"

// The value's new place (the start of its text) into in.Points[1] and the selection into
// in.Drawing. A selection without a single value or its dimension line, or holding an entity
// that could not be put back as it was (hd would lose it), is refused, and so is a missing point.
TRefusal MovePoints(const JwwState& host, const std::optional<TLastDimension>& last, TDimensionInput& in);
TRefusal CheckMove(const TDimensionInput& in, const JwwState& host);
// The distance the value moves, from its old start to its new one (drawing units).
double MeasureMove(const TDimensionInput& in);
// The value's text as read (Shift-JIS); empty without a value.
std::string MoveValueText(const TDimensionInput& in);
// Where the leader starts on the dimension line.
std::vector<TPointD> MoveMarks(const TDimensionInput& in);
// hd, every selected entity but the value (and the base line and leader it stood on) as it was
// read, then the value at its new place with its base line and leader. Nothing for a refused input.
void ConstructMove(const TDimensionInput& in, JwwState& out);
// The moved value alone, with its base line and leader: what the preview draws in front of the
// selection.
void PreviewMove(const TDimensionInput& in, JwwState& out);
