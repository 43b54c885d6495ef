// Preview.h: what OK would draw, drawn in the dialog before OK.
//
// Contract:
// - The same construction runs on a scratch output list, and the picture is read back from that
//   list as the host would read it, so the picture cannot disagree with the drawing.
// - Shapes are in drawing units, y up; text sizes and marker sizes given in paper millimetres are
//   multiplied by the drawing scale. Texts are Shift-JIS; the SVG document is UTF-8.
// - A dialog that OK would refuse gives no picture and a status that says why; nothing throws.
#pragma once

#include <string>
#include <vector>

#include "Dimension.h"
#include "JwwGaibu.h"

class TForm1;

struct TPreviewPoint {
  double X = 0.0, Y = 0.0;
};

enum class TPreviewShapeKind {
  Line,           // Points[0]-Points[1]
  Polyline,       // open path through Points
  Polygon,        // closed outline through Points
  FilledPolygon,  // closed and filled
  Circle,         // centre Points[0], Radius
  FilledCircle,
  Text,          // baseline start Points[0], direction AngleDeg, cap height Height (Shift-JIS Text)
  TextBox,       // the extent of a text: closed outline through Points
  Measured,      // a picked measured point: Points[0]
  LastLine,      // the dimension line of the last dimension, drawn faintly: Points[0]-Points[1]
  LastMeasured,  // a measured point of the last dimension, drawn faintly: Points[0]
  PickedCircle,  // the whole circle a radius or diameter measures, drawn faintly: centre Points[0], Radius
  PickedArc,     // a picked arc, drawn faintly: open path through Points
  PickedLine,    // a picked line, drawn faintly: Points[0]-Points[1]
};

struct TPreviewShape {
  TPreviewShapeKind Kind = TPreviewShapeKind::Line;
  std::vector<TPreviewPoint> Points;  // drawing units, y up
  double Radius = 0.0;
  double AngleDeg = 0.0;
  double Height = 0.0;
  std::string Text;  // Shift-JIS
};

struct TPreviewPicture {
  std::vector<TPreviewShape> Shapes;
  // What a fit frames: from PictureFromOutput the bounds of every shape; BuildPreview narrows them
  // so that a long prefix or suffix runs out of the frame instead of shrinking the dimension.
  double MinX = 0.0, MinY = 0.0, MaxX = 0.0, MaxY = 0.0;
};

// Interprets the output list of a state (lines, "pt" markers, "cs" texts, "msg" entities, the text
// type lines that size the texts) into shapes in drawing units, plus a mark at each measured
// point. `scale` is the drawing scale that turns paper millimetres (text sizes, marker sizes) into
// drawing units.
TPreviewPicture PictureFromOutput(const JwwState& out, double scale,
                                  const std::vector<TPreviewPoint>& measured = {});

// Points along the arc of centre c and radius r counter-clockwise from `start` to `end` degrees
// (an end at or before the start goes round past 360), at most 3 degrees apart; none when a number
// is not finite.
std::vector<TPreviewPoint> ArcPoints(TPreviewPoint c, double r, double start, double end);

// The picture fitted into a width x height pixel box (y down, a margin kept), as an SVG document
// (UTF-8). An empty picture gives an empty SVG of that size.
std::string PictureToSvg(const TPreviewPicture& picture, int width, int height);

// The mapping from drawing units to the pixels of a width x height box, y flipped, uniform scale.
struct TPreviewFit {
  double Scale = 1.0, OffsetX = 0.0, OffsetY = 0.0;
  TPreviewPoint ToPixel(TPreviewPoint p) const { return {OffsetX + p.X * Scale, OffsetY - p.Y * Scale}; }
};
TPreviewFit FitPicture(const TPreviewPicture& picture, int width, int height, int margin);

// The end marker of a marker list's item (0 the line arrow, 1..11 the host's point markers) at
// the left end of a short piece of dimension line, in paper mm, as the construction draws it.
TPreviewPicture MarkerPicture(int item);

// The preview of the dialog as it stands.
struct TPreview {
  bool Drawable = false;    // false: OK would refuse; Status says why and the picture is empty
  std::string Status;       // Shift-JIS: the reason OK would refuse, or empty
  std::string Info;         // Shift-JIS: value text, measured length, scale and axis angle
  std::string ValueText;    // Shift-JIS: the value text as it will be written
  double Length = 0.0;      // measured length, drawing units
  TPreviewPicture Picture;  // drawing units
};
TPreview BuildPreview(const TForm1& form);

// What was picked, as the preview draws it faintly behind the dimension (the host's entities, which
// OK does not draw): a radius's or diameter's whole circle, or only its arc (WholeCircle false);
// an arc length's arc; an angle's two lines; a linear dimension's picked line (from `host`).
std::vector<TPreviewShape> PickedShapes(const TDimensionInput& in, const JwwState& host);
