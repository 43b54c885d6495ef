// Preview.h: the picture of what OK will hand to the host, for the dialog's preview panel and the
// command line's --preview. It is drawn from the output list itself (the same lines the host
// reads), so the picture cannot disagree with the drawing.
#pragma once

#include <string>
#include <vector>

#include "JwwGaibu.h"

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
  Text,           // baseline start Points[0], direction AngleDeg, cap height Height (Shift-JIS Text)
  TextBox,        // the extent of a text: closed outline through Points
  Measured        // a picked measured point: Points[0]
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
  double MinX = 0.0, MinY = 0.0, MaxX = 0.0, MaxY = 0.0;  // bounds of every shape
};

// Interprets the output list of a state (lines, "pt" markers, "cs" texts, "msg" entities, the text
// type lines that size the texts) into shapes in drawing units. `scale` is the drawing scale that
// turns paper millimetres (text sizes, marker sizes) into drawing units.
TPreviewPicture PictureFromOutput(const JwwState& out, double scale);

// The picture fitted into a width x height pixel box (y down, a margin kept), as an SVG document
// (UTF-8). An empty picture gives an empty SVG of that size.
std::string PictureToSvg(const TPreviewPicture& picture, int width, int height);

// The mapping from drawing units to the pixels of a width x height box, y flipped, uniform scale.
struct TPreviewFit {
  double Scale = 1.0, OffsetX = 0.0, OffsetY = 0.0;
  TPreviewPoint ToPixel(TPreviewPoint p) const { return {OffsetX + p.X * Scale, OffsetY - p.Y * Scale}; }
};
TPreviewFit FitPicture(const TPreviewPicture& picture, int width, int height, int margin);
