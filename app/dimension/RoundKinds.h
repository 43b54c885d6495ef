// RoundKinds.h: the radius and the diameter of a picked circle or arc.
#pragma once

#include "Dimension.h"

// The radius and diameter kinds: their points, check, measure and construction.
TRefusal RoundPoints(const JwwState& host, const std::optional<TLastDimension>& last, TDimensionInput& in);
TRefusal CheckRoundDimension(const TDimensionInput& in, const JwwState& host);
double MeasureRound(const TDimensionInput& in);
void ConstructRoundDimension(const TDimensionInput& in, JwwState& out);
// The ends of a radius or diameter's dimension line: A1 = C (radius) or C - r.u, A2 = C + r.u,
// u towards the point picked on the circle (the axis angle's direction when it is the centre).
// The diameter of an arc that does not reach C - r.u ends Edit6 past the centre instead. Returns
// the exact length of A1-A2.
double RoundEnds(const TDimensionInput& in, TPointD& a1, TPointD& a2);
// Whether a diameter is drawn to the far side of its circle: false for an arc that does not reach it.
bool DiameterHasFarEnd(const TDimensionInput& in);
