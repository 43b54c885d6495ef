// PickedEntities.h: the entities the host hands over for a prompt that picks one.
#pragma once

#include <optional>

#include "Dimension.h"

// The first line entity the host stamped with pick number `pick` (prompt `pick` picked it), if any.
std::optional<TJwwEntLine> PickedLine(const JwwState& host, int32_t pick = 1);
// Why that line cannot be drawn from: NoLine when there is none, MissingPoint when one of its
// numbers was none.
TRefusal PickedLineRefusal(const JwwState& host, int32_t pick);
// The first circle or arc stamped with pick number 1: its centre and radius, and for an arc that
// does not go all the way round, WholeCircle false and its angles from the x axis (the host
// measures them from the arc's tilt). NoCircle when there is none (or it is something else),
// Ellipse when it is elliptic, MissingPoint when one of its numbers was none.
TRefusal PickedCircle(const JwwState& host, TDimensionInput& in);

// The first arc stamped with pick number 1: its centre, radius and angles from the x axis. NoArc
// when there is none (a whole circle included), Ellipse when it is elliptic, MissingPoint when one
// of its numbers was none.
TRefusal PickedArc(const JwwState& host, TDimensionInput& in);

// A circular arc's start and end in degrees from the x axis, in [0, 360): the host measures them
// from the arc's tilt.
void ArcAngles(const TJwwEntArc& e, double& start, double& end);
