// ArcKinds.h: the length along a picked arc and the angle between two picked lines, each on a dimension arc.
#pragma once

#include <array>
#include <vector>

#include "Dimension.h"

// The arc length and angle kinds: a dimension arc of centre Centre from Start to End degrees
// (counter-clockwise), and the extension lines that lead to it.
struct TDimensionArc {
  TPointD Centre;
  double Radius = 0, Start = 0, End = 0;
  std::vector<std::array<TPointD, 2>> Extensions;
  double Span() const;  // degrees, in (0, 360]
};
TRefusal ArcLengthPoints(const JwwState& host, const std::optional<TLastDimension>& last,
                         TDimensionInput& in);
TRefusal AnglePoints(const JwwState& host, const std::optional<TLastDimension>& last, TDimensionInput& in);
TRefusal CheckArcLength(const TDimensionInput& in, const JwwState& host);
TRefusal CheckAngle(const TDimensionInput& in, const JwwState& host);
double MeasureArcLength(const TDimensionInput& in);
double MeasureAngle(const TDimensionInput& in);
TDimensionArc ArcLengthArc(const TDimensionInput& in);
// The angle's dimension arc; false (and nothing set) when the picked lines have no crossing.
bool AngleArc(const TDimensionInput& in, TDimensionArc& arc);
// Why the angle's picked lines have no crossing: a line of no length (ZeroLine), or parallel.
TRefusal AngleLinesRefusal(const TDimensionInput& in);
void ConstructArcDimension(const TDimensionInput& in, JwwState& out);
