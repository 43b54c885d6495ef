// LinearKind.h: the distance between two measured points in one of the three directions.
#pragma once

#include "Dimension.h"

TRefusal CheckLinearDimension(const TDimensionInput& in, const JwwState& host);
double MeasureLinear(const TDimensionInput& in);
TRefusal LinearPoints(const JwwState& host, const std::optional<TLastDimension>& last, TDimensionInput& in);
// Appends the linear dimension: extension lines, the dimension line with its value text, the end
// markers.
void ConstructLinearDimension(const TDimensionInput& in, JwwState& out);
