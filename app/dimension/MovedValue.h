// MovedValue.h: the value of a drawn dimension in the host's range selection, and the dimension
// line it belongs to, for moving the value out on a leader.
//
// Contract:
// - Reads the host's state only. Coordinates are drawing units (the selection's, in the write
//   layer group's scale); text sizes are paper millimetres, times DrawingScale.
// - Lines count as parallel, points as joined and distances as equal within the rounding noise
//   of their coordinates (relative, as LevelTolerance): the choice never rests on that noise, and
//   of two candidates equally near the first in the host's order is taken.
// - A selection without a single value or without its dimension line is a refusal, a value.
#pragma once

#include <optional>
#include <string>

#include "Dimension.h"

// The refusals (UTF-8 source literals; MovedValueMessage hands them out as Shift-JIS).
inline constexpr const char* kMessageNoValue = "寸法値が選択されていません";
inline constexpr const char* kMessageManyValues = "寸法値が２つ以上選択されています";
inline constexpr const char* kMessageNoDimensionLine = "寸法線が選択されていません";

enum class TMovedValueRefusal {
  None,
  NoValue,          // no text of a dimension value's keyword, and no dimension entity
  ManyValues,       // more than one of them
  NoDimensionLine,  // no line parallel to the value (for an angle, no circular arc)
};
std::string MovedValueMessage(TMovedValueRefusal r);

// The text keywords of a dimension's value: "cs" (2), "cr" radius, "co" diameter, "cp" angle,
// "ct" cumulative (6).
inline bool IsValueTextKind(int32_t kind) { return kind >= 2 && kind <= 6; }
inline constexpr int32_t kJwwTextAngle = 5;  // "cp": its dimension line is an arc

// The value found in a selection, and where it stands.
struct TMovedValue {
  TMovedValueRefusal Refusal = TMovedValueRefusal::None;
  TJwwOrderItem Value{};  // the value text (Text) or the dimension entity (Msg) holding it
  TJwwEntText Text{};     // the value text as read
  // Its dimension line: a Line, the Msg itself (its own line), or an Arc: an angle's, or the arc an
  // arc length's leader comes from.
  TJwwOrderItem Line{};
  TPointD Start, Direction;       // the text's start and its unit direction
  double Extent = 0, Height = 0;  // the text's length and height, drawing units
  TPointD Middle;                 // the middle of the text
  // A value that already stands on a base line of its own, joined to the dimension line by a
  // leader (as this command places it): those two lines. The base line is then never taken for
  // the dimension line, however near it runs.
  std::optional<TJwwOrderItem> BaseLine, Leader;
};

TMovedValue FindMovedValue(const JwwState& host);

// Where the moved value's leader starts: the point of the dimension line (or arc) nearest to the
// value's old middle; for a value that stood on a leader, where that leader met the dimension line.
// V must be a found value (Refusal None).
TPointD LeaderStart(const JwwState& host, const TMovedValue& v);
