// DimensionParts.h: the pieces every kind's construction is made of (end markers, the value text on its base
// line, its text type), for the kinds, the tests and the preview.
#pragma once

#include "Dimension.h"

// The pieces of the construction, for tests and the preview.

// How far a marker of `kind` takes up the dimension line from its end, paper mm (before the
// drawing scale): the line arrow's al*cos(aa), a point marker's reach times the factor.
double MarkerReach(int kind, double factor, double arrowLength, double arrowAngle);
// The size of the host's point markers at factor 1, paper mm: the triangles and arrow heads
// reach far, the boxes and circles little.
inline constexpr double kPointMarkerLong = 7.5;
inline constexpr double kPointMarkerShort = 1.25;
// The end markers (the first end's unless withStart is false, then the second's), both reversed
// when their reaches together exceed `room`: the exact length of a1-a2 as measured (r, 2r, the
// frame's length), so that rounding noise of the recomputed distance decides nothing.
// exactQuarters: see DirectionDeg.
void AddEndMarkers(const TDimensionInput& in, TPointD a1, TPointD a2, double room, bool exactQuarters,
                   JwwState& out, bool withStart = true);
// A marker pointing outwards at `angle` degrees, its lines from its end worked out once: a row
// draws many alike.
struct TMarkerPose {
  double Angle = 0;                     // in [0, 360)
  TPointD Back;                         // the dimension line past a turned-about marker (Edit9)
  TPointD Arrow1, Arrow2;               // the line arrow's two lines
  double StartReach = 0, EndReach = 0;  // the start and end markers' reaches (drawing units)
};
TMarkerPose MarkerPose(const TDimensionInput& in, double angle, bool exactQuarters);
// The poses at the first and the second end pointing outwards, then the same turned about.
using TMarkerPoses = std::array<TMarkerPose, 4>;
void AddEndMarkersPosed(const TDimensionInput& in, TPointD e1, TPointD e2, const TMarkerPoses& poses,
                        double room, JwwState& out, bool withStart = true);
// The same at ends e1 and e2 whose markers point outwards at angle1 and angle2 degrees, both turned
// about when their reaches together exceed `room` (drawing units).
void AddEndMarkersAt(const TDimensionInput& in, TPointD e1, double angle1, TPointD e2, double angle2,
                     double room, bool exactQuarters, JwwState& out, bool withStart = true);

// The text type of the value text: the number written and its sizes.
struct TValueTextType {
  int32_t Number = 1;
  TJwwTextType Size;
};
TValueTextType ChooseTextType(const TDimensionInput& in, const JwwState& host);
// Direction of the value text along a dimension line at `lineAngle` degrees, in
// [0, 90.00000001] or (270.00000001, 360).
double ValueTextAngle(double lineAngle);
// Base line T0-T1 of a text at p4 of extent `extent` (drawing units) in direction ta, with the
// gap g (drawing units), and the end of the leader from the middle M of a1-a2.
struct TBaseLine {
  TPointD T0, T1, Middle, LeaderEnd;
};
// exactQuarters: a text direction of a multiple of 90 degrees is taken exactly (see TFrameTurn).
TBaseLine PlaceBaseLine(TPointD a1, TPointD a2, TPointD p4, double ta, double extent, double g,
                        bool exactQuarters = false);
// The dimension line a1-a2 (at lineAngle degrees) with its value text (plain or combined), then
// the leader and the base line; the text type is chosen from those of `out`.
void AddValueText(const TDimensionInput& in, TPointD a1, TPointD a2, double lineAngle, bool exactQuarters,
                  JwwState& out);
// The value text alone (never combined), its base line and the leader from `middle`: the part of
// AddValueText after the dimension line, for a dimension line that is an arc.
void AddValueTextFrom(const TDimensionInput& in, TPointD middle, double lineAngle, bool exactQuarters,
                      JwwState& out);
