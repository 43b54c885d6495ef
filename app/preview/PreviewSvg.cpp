// The preview picture as an SVG document, for looking at it without Windows.
#include <string>

#include "MyFunc.h"
#include "Preview.h"

namespace {

constexpr int kMargin = 8;
constexpr const char* kFaint = "#b4b4b4";  // the last dimension and what was picked, behind the new one

std::string Num(double v) { return FormatFixed(2, v); }

std::string XmlEscaped(std::string_view utf8) {
  std::string out;
  for (char c : utf8) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

std::string PointList(const TPreviewFit& fit, const std::vector<TPreviewPoint>& points) {
  std::string s;
  for (const TPreviewPoint& p : points) {
    const TPreviewPoint q = fit.ToPixel(p);
    if (!s.empty()) s += ' ';
    s += Num(q.X) + "," + Num(q.Y);
  }
  return s;
}

}  // namespace

std::string PictureToSvg(const TPreviewPicture& picture, int width, int height) {
  const TPreviewFit fit = FitPicture(picture, width, height, kMargin);
  std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  svg += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + IntToText(width) + "\" height=\"" +
         IntToText(height) + "\" viewBox=\"0 0 " + IntToText(width) + " " + IntToText(height) + "\">\n";
  svg += "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n";
  for (const TPreviewShape& s : picture.Shapes) {
    if (s.Points.empty()) continue;
    const TPreviewPoint p0 = fit.ToPixel(s.Points[0]);
    switch (s.Kind) {
      case TPreviewShapeKind::Line:
        if (s.Points.size() < 2) break;
        svg += "<line class=\"line\" x1=\"" + Num(p0.X) + "\" y1=\"" + Num(p0.Y) + "\" x2=\"" +
               Num(fit.ToPixel(s.Points[1]).X) + "\" y2=\"" + Num(fit.ToPixel(s.Points[1]).Y) +
               "\" stroke=\"black\" stroke-width=\"1\"/>\n";
        break;
      case TPreviewShapeKind::Polyline:
        svg += "<polyline class=\"marker\" points=\"" + PointList(fit, s.Points) +
               "\" fill=\"none\" stroke=\"black\" stroke-width=\"1\"/>\n";
        break;
      case TPreviewShapeKind::Polygon:
        svg += "<polygon class=\"marker\" points=\"" + PointList(fit, s.Points) +
               "\" fill=\"none\" stroke=\"black\" stroke-width=\"1\"/>\n";
        break;
      case TPreviewShapeKind::FilledPolygon:
        svg += "<polygon class=\"marker\" points=\"" + PointList(fit, s.Points) +
               "\" fill=\"black\" stroke=\"black\" stroke-width=\"1\"/>\n";
        break;
      case TPreviewShapeKind::Circle:
      case TPreviewShapeKind::FilledCircle:
        svg += "<circle class=\"marker\" cx=\"" + Num(p0.X) + "\" cy=\"" + Num(p0.Y) + "\" r=\"" +
               Num(s.Radius * fit.Scale) + "\" fill=\"" +
               (s.Kind == TPreviewShapeKind::FilledCircle ? "black" : "none") +
               "\" stroke=\"black\" stroke-width=\"1\"/>\n";
        break;
      case TPreviewShapeKind::TextBox:
        svg += "<polygon class=\"text-extent\" points=\"" + PointList(fit, s.Points) +
               "\" fill=\"none\" stroke=\"#3070c0\" stroke-width=\"0.5\" stroke-dasharray=\"2,2\"/>\n";
        break;
      case TPreviewShapeKind::Text:
        svg += "<text class=\"value\" x=\"" + Num(p0.X) + "\" y=\"" + Num(p0.Y) + "\" font-size=\"" +
               Num(s.Height * fit.Scale) + "\" textLength=\"" + Num(s.Radius * fit.Scale) +
               "\" lengthAdjust=\"spacingAndGlyphs\" transform=\"rotate(" + Num(-s.AngleDeg) + " " +
               Num(p0.X) + " " + Num(p0.Y) + ")\" fill=\"#1040a0\">" + XmlEscaped(SjisToUtf8(s.Text)) +
               "</text>\n";
        break;
      case TPreviewShapeKind::Measured:
      case TPreviewShapeKind::LastMeasured: {
        const double r = 3.0;
        const bool last = s.Kind == TPreviewShapeKind::LastMeasured;
        svg += std::string("<path class=\"") + (last ? "last-measured" : "measured") + "\" d=\"M" +
               Num(p0.X - r) + "," + Num(p0.Y - r) + " L" + Num(p0.X + r) + "," + Num(p0.Y + r) + " M" +
               Num(p0.X - r) + "," + Num(p0.Y + r) + " L" + Num(p0.X + r) + "," + Num(p0.Y - r) +
               "\" stroke=\"" + (last ? kFaint : "#c03030") + "\" stroke-width=\"1\"/>\n";
        break;
      }
      case TPreviewShapeKind::PickedCircle:
        svg += "<circle class=\"picked\" cx=\"" + Num(p0.X) + "\" cy=\"" + Num(p0.Y) + "\" r=\"" +
               Num(s.Radius * fit.Scale) + "\" fill=\"none\" stroke=\"" + kFaint +
               "\" stroke-width=\"1\"/>\n";
        break;
      case TPreviewShapeKind::PickedArc:
        svg += "<polyline class=\"picked\" points=\"" + PointList(fit, s.Points) +
               "\" fill=\"none\" stroke=\"" + kFaint + "\" stroke-width=\"1\"/>\n";
        break;
      case TPreviewShapeKind::LastLine:
      case TPreviewShapeKind::PickedLine:
        if (s.Points.size() < 2) break;
        svg += std::string("<line class=\"") + (s.Kind == TPreviewShapeKind::LastLine ? "last" : "picked") +
               "\" x1=\"" + Num(p0.X) + "\" y1=\"" + Num(p0.Y) + "\" x2=\"" +
               Num(fit.ToPixel(s.Points[1]).X) + "\" y2=\"" + Num(fit.ToPixel(s.Points[1]).Y) +
               "\" stroke=\"" + kFaint + "\" stroke-width=\"1\"/>\n";
        break;
    }
  }
  svg += "</svg>\n";
  return svg;
}
