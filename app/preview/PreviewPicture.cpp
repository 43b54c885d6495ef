// Reads the output list back as the host would, into shapes for the preview.
#include <algorithm>
#include <cmath>
#include <string_view>

#include "MyFunc.h"
#include "Dimension.h"
#include "Preview.h"
#include "DimensionParts.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

std::vector<std::string_view> SplitBlanks(std::string_view s) {
  std::vector<std::string_view> out;
  std::size_t i = 0;
  while (i < s.size()) {
    while (i < s.size() && s[i] == ' ') ++i;
    const std::size_t start = i;
    while (i < s.size() && s[i] != ' ') ++i;
    if (i > start) out.push_back(s.substr(start, i - start));
  }
  return out;
}

TPreviewShape Shape(TPreviewShapeKind kind, std::vector<TPreviewPoint> points, double radius = 0.0) {
  TPreviewShape s;
  s.Kind = kind;
  s.Points = std::move(points);
  s.Radius = radius;
  return s;
}

TPreviewPoint Along(TPreviewPoint p, double angleDeg, double length) {
  const double a = angleDeg * kPi / 180.0;
  return {p.X + length * std::cos(a), p.Y + length * std::sin(a)};
}

// The text size in force, as the host keeps it from the "cn" lines.
struct TTextSize {
  double Width = 3.0, Height = 3.0, Spacing = 0.0;
};

class TReader {
 public:
  TReader(const JwwState& out, double scale) : out_(out), scale_(scale) {
    if (out.FirstTextType >= 1 && out.FirstTextType <= 10) {
      const TJwwTextType& t = out.TextTypes[out.FirstTextType];
      size_ = {t.Width, t.Height, t.Spacing};
    } else {
      size_ = {out.FirstFreeText.Width, out.FirstFreeText.Height, out.FirstFreeText.Spacing};
    }
  }

  TPreviewPicture Read(const std::vector<TPreviewPoint>& measured) {
    const auto& slots = out_.OutputLines;
    for (std::size_t i = 0; i < slots.size(); ++i) {
      const TJwwOutputSlot& slot = slots[i];
      if (slot.JoinNext) {
        const std::string_view text = i + 1 < slots.size() ? std::string_view(slots[i + 1].Text) : "";
        AddText(slot.Text, text);
        ++i;
        continue;
      }
      ReadLine(slot.Text);
    }
    for (const TPreviewPoint& p : measured) Add(Shape(TPreviewShapeKind::Measured, {p}));
    Bounds();
    return std::move(picture_);
  }

 private:
  void ReadLine(std::string_view line) {
    if (line.substr(0, 3) == "cn\"") return;  // font name
    if (line.substr(0, 3) == "cn0") {
      const auto t = SplitBlanks(line);
      if (t.size() >= 4) size_ = {TextToFloat(t[1]), TextToFloat(t[2]), TextToFloat(t[3])};
      return;
    }
    if (line.substr(0, 2) == "cn") {
      const int n = TextToInt(line.substr(2));
      if (n >= 1 && n <= 10) {
        const TJwwTextType& t = out_.TextTypes[n];
        size_ = {t.Width, t.Height, t.Spacing};
      }
      return;
    }
    const auto t = SplitBlanks(line);
    if (t.size() == 6 && t[0] == "pt") {
      AddMarker(TextToInt(t[5]), {TextToFloat(t[1]), TextToFloat(t[2])}, TextToFloat(t[3]),
                TextToFloat(t[4]));
      return;
    }
    if (t.size() == 8 && t[0] == "ci") {  // an arc, drawn as a polyline through it
      AddArc({TextToFloat(t[1]), TextToFloat(t[2])}, TextToFloat(t[3]), TextToFloat(t[4]), TextToFloat(t[5]));
      return;
    }
    if (t.size() == 4) {  // the only four-item lines the command writes are lines
      Add(Shape(TPreviewShapeKind::Line,
                {{TextToFloat(t[0]), TextToFloat(t[1])}, {TextToFloat(t[2]), TextToFloat(t[3])}}));
    }
    // Attribute, flag and "msg" lines change nothing in the picture.
  }

  // Counter-clockwise from `start` to `end` degrees, in steps of at most 3 degrees.
  void AddArc(TPreviewPoint c, double r, double start, double end) {
    std::vector<TPreviewPoint> points = ArcPoints(c, r, start, end);
    if (!points.empty()) Add(Shape(TPreviewShapeKind::Polyline, std::move(points)));
  }

  void AddText(std::string_view head, std::string_view text) {
    const auto t = SplitBlanks(head);
    if (t.size() < 5) return;
    const TPreviewPoint at{TextToFloat(t[1]), TextToFloat(t[2])};
    const double angle = VectorAngleDeg(TextToFloat(t[3]), TextToFloat(t[4]));
    const double height = size_.Height * scale_;
    const double extent = TextExtent(text, size_.Width, size_.Spacing) * scale_;
    TPreviewShape shape = Shape(TPreviewShapeKind::Text, {at}, extent);  // Radius: length along the baseline
    shape.AngleDeg = angle;
    shape.Height = height;
    shape.Text.assign(text);
    Add(std::move(shape));
    const TPreviewPoint end = Along(at, angle, extent);
    Add(Shape(TPreviewShapeKind::TextBox,
              {at, end, Along(end, angle + 90.0, height), Along(at, angle + 90.0, height)}));
  }

  // The host's point markers, drawn as simple shapes of their kind; a marker's direction points
  // away from the dimension line it ends, so arrow-like markers have their tip at the point.
  void AddMarker(int code, TPreviewPoint at, double factor, double angle) {
    const double unit = std::abs(factor) * scale_;
    const double small = kPointMarkerShort * unit;  // boxes and circles
    const double arrow = kPointMarkerLong * unit;   // arrow heads
    const double back = angle + 180.0;              // from the tip back along the line
    auto arrowHead = [&](TPreviewShapeKind kind) {
      const TPreviewPoint base = Along(at, back, arrow);
      const double half = arrow * std::tan(10.0 * kPi / 180.0);
      Add(Shape(kind, {at, Along(base, back + 90.0, half), Along(base, back - 90.0, half)}));
    };
    auto box = [&](TPreviewShapeKind kind) {
      std::vector<TPreviewPoint> p;
      for (double a : {45.0, 135.0, 225.0, 315.0}) p.push_back(Along(at, angle + a, small * std::sqrt(2.0)));
      Add(Shape(kind, std::move(p)));
    };
    switch (code) {
      case 1:
      case 11: arrowHead(TPreviewShapeKind::Polygon); break;
      case 6: arrowHead(TPreviewShapeKind::FilledPolygon); break;
      case 2: box(TPreviewShapeKind::Polygon); break;
      case 5: box(TPreviewShapeKind::FilledPolygon); break;
      case 3:
      case 4: Add(Shape(TPreviewShapeKind::Circle, {at}, small)); break;
      case 7: Add(Shape(TPreviewShapeKind::FilledCircle, {at}, small)); break;
      case 8: {  // a tilde across the line
        std::vector<TPreviewPoint> p;
        const double len = small * std::sqrt(2.0);
        for (int i = 0; i <= 16; ++i) {
          const double u = -len + 2.0 * len * i / 16.0;
          const double v = 0.35 * len * std::sin(u / len * kPi);
          const TPreviewPoint q = Along(at, angle + 90.0, u);
          p.push_back(Along(q, angle, v));
        }
        Add(Shape(TPreviewShapeKind::Polyline, std::move(p)));
        break;
      }
      case 9: {  // ">" opening back along the line
        const TPreviewPoint base = Along(at, back, arrow);
        const double half = arrow * std::tan(10.0 * kPi / 180.0);
        Add(Shape(TPreviewShapeKind::Polyline,
                  {Along(base, back + 90.0, half), at, Along(base, back - 90.0, half)}));
        break;
      }
      case 10: {  // a slash across the end
        const double len = small * std::sqrt(2.0);
        Add(Shape(TPreviewShapeKind::Line, {Along(at, angle + 45.0, len), Along(at, angle + 225.0, len)}));
        break;
      }
      default:  // the host's plain points
        Add(Shape(TPreviewShapeKind::FilledCircle, {at}, 0.3 * unit));
        break;
    }
  }

  void Add(TPreviewShape shape) { picture_.Shapes.push_back(std::move(shape)); }

  void Bounds() {
    bool first = true;
    auto take = [&](double x, double y) {
      if (first) {
        picture_.MinX = picture_.MaxX = x;
        picture_.MinY = picture_.MaxY = y;
        first = false;
        return;
      }
      picture_.MinX = std::min(picture_.MinX, x);
      picture_.MaxX = std::max(picture_.MaxX, x);
      picture_.MinY = std::min(picture_.MinY, y);
      picture_.MaxY = std::max(picture_.MaxY, y);
    };
    for (const TPreviewShape& s : picture_.Shapes) {
      for (const TPreviewPoint& p : s.Points) {
        if (s.Kind == TPreviewShapeKind::Circle || s.Kind == TPreviewShapeKind::FilledCircle) {
          take(p.X - s.Radius, p.Y - s.Radius);
          take(p.X + s.Radius, p.Y + s.Radius);
        } else {
          take(p.X, p.Y);
        }
      }
    }
  }

  const JwwState& out_;
  double scale_;
  TTextSize size_;
  TPreviewPicture picture_;
};

}  // namespace

std::vector<TPreviewPoint> ArcPoints(TPreviewPoint c, double r, double start, double end) {
  double span = std::fmod(end - start, 360.0);
  if (span <= 0) span += 360.0;
  if (!std::isfinite(span) || !std::isfinite(r) || !std::isfinite(c.X) || !std::isfinite(c.Y)) return {};
  const int steps = std::max(8, static_cast<int>(std::ceil(span / 3.0)));
  std::vector<TPreviewPoint> points;
  for (int i = 0; i <= steps; ++i) points.push_back(Along(c, start + span * i / steps, r));
  return points;
}

TPreviewPicture PictureFromOutput(const JwwState& out, double scale,
                                  const std::vector<TPreviewPoint>& measured) {
  return TReader(out, scale).Read(measured);
}

TPreviewFit FitPicture(const TPreviewPicture& picture, int width, int height, int margin) {
  TPreviewFit fit;
  const double w = std::max(picture.MaxX - picture.MinX, 1e-9);
  const double h = std::max(picture.MaxY - picture.MinY, 1e-9);
  const double usableW = std::max(width - 2 * margin, 1);
  const double usableH = std::max(height - 2 * margin, 1);
  fit.Scale = std::min(usableW / w, usableH / h);
  // Centre the picture in the box.
  fit.OffsetX = width / 2.0 - (picture.MinX + picture.MaxX) / 2.0 * fit.Scale;
  fit.OffsetY = height / 2.0 + (picture.MinY + picture.MaxY) / 2.0 * fit.Scale;
  return fit;
}
