// The preview of the dialog as it stands: the inputs read and checked as OK reads them, the
// dimension built by the same construction on a scratch state, and the picture read back from it.
#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "MyFunc.h"
#include "Preview.h"
#include "Unit1.h"
#include "ArcKinds.h"
#include "PickedEntities.h"
#include "RowDimension.h"

namespace {

// The part of the picture the preview frames. A prefix or suffix lengthens the value text and its
// base line without end; framing all of it would shrink the dimension until its text is a few
// pixels high. So the frame is that of the same dimension with the number alone, widened towards
// the affixed text by at most half its larger side; a longer text runs out of the panel.
void FrameByTheDimension(const JwwState& host, const TDimensionInput& in, TPreviewPicture& picture) {
  if (in.Value.Prefix.empty() && in.Value.Suffix.empty()) return;
  TDimensionInput bare = in;
  bare.Value.Prefix.clear();
  bare.Value.Suffix.clear();
  JwwState scratch;
  JwwCopyHostValues(host, scratch);
  ConstructDimension(bare, scratch);
  const TPreviewPicture frame = PictureFromOutput(scratch, in.Scale);
  const double allowance = 0.5 * std::max(frame.MaxX - frame.MinX, frame.MaxY - frame.MinY);
  picture.MinX = std::max(picture.MinX, frame.MinX - allowance);
  picture.MinY = std::max(picture.MinY, frame.MinY - allowance);
  picture.MaxX = std::min(picture.MaxX, frame.MaxX + allowance);
  picture.MaxY = std::min(picture.MaxY, frame.MaxY + allowance);
}

// A continued dimension shows the last one faintly behind it: its measured points and its
// dimension line, in the same direction's frame; the picture is widened to take them in.
void AddLastDimension(const TForm1& form, const TDimensionInput& in, TPreviewPicture& picture) {
  if (in.Next == TNext::None || !form.LastDimension()) return;
  const TLastDimension& last = *form.LastDimension();
  TDimensionInput previous = in;
  previous.AxisAngle = last.AxisAngle;
  for (std::size_t i = 1; i <= 3; ++i)
    previous.Points[i] = {true, last.Points[i].X, last.Points[i].Y, TJwwPickKind::Plain};
  const TDimensionFrame fr = DimensionFrame(previous);
  const auto shape = [](TPreviewShapeKind kind, std::vector<TPreviewPoint> points) {
    TPreviewShape s;
    s.Kind = kind;
    s.Points = std::move(points);
    return s;
  };
  const std::vector<TPreviewShape> shapes = {
      shape(TPreviewShapeKind::LastLine, {{fr.A1.X, fr.A1.Y}, {fr.A2.X, fr.A2.Y}}),
      shape(TPreviewShapeKind::LastMeasured, {{last.Points[1].X, last.Points[1].Y}}),
      shape(TPreviewShapeKind::LastMeasured, {{last.Points[2].X, last.Points[2].Y}}),
  };
  for (const TPreviewShape& s : shapes) {
    for (const TPreviewPoint& p : s.Points) {
      picture.MinX = std::min(picture.MinX, p.X);
      picture.MaxX = std::max(picture.MaxX, p.X);
      picture.MinY = std::min(picture.MinY, p.Y);
      picture.MaxY = std::max(picture.MaxY, p.Y);
    }
  }
  // Drawn first, so that the new dimension stands in front.
  picture.Shapes.insert(picture.Shapes.begin(), shapes.begin(), shapes.end());
}

// What was picked stands faintly behind the dimension, so that the user sees what is measured; the
// picture is widened to take it in.
void AddPicked(const TDimensionInput& in, const JwwState& host, TPreviewPicture& picture) {
  const std::vector<TPreviewShape> shapes = PickedShapes(in, host);
  for (const TPreviewShape& s : shapes) {
    const double r = s.Kind == TPreviewShapeKind::PickedCircle ? s.Radius : 0.0;
    for (const TPreviewPoint& p : s.Points) {
      picture.MinX = std::min(picture.MinX, p.X - r);
      picture.MaxX = std::max(picture.MaxX, p.X + r);
      picture.MinY = std::min(picture.MinY, p.Y - r);
      picture.MaxY = std::max(picture.MaxY, p.Y + r);
    }
  }
  // Drawn first, so that the dimension stands in front.
  picture.Shapes.insert(picture.Shapes.begin(), shapes.begin(), shapes.end());
}

}  // namespace

std::vector<TPreviewShape> PickedShapes(const TDimensionInput& in, const JwwState& host) {
  const auto shape = [](TPreviewShapeKind kind, std::vector<TPreviewPoint> points, double radius = 0.0) {
    TPreviewShape s;
    s.Kind = kind;
    s.Points = std::move(points);
    s.Radius = radius;
    return s;
  };
  const auto arc = [&] {
    return shape(TPreviewShapeKind::PickedArc,
                 ArcPoints({in.Centre.X, in.Centre.Y}, in.Radius, in.ArcStart, in.ArcEnd));
  };
  const auto line = [&](TPointD a, TPointD b) {
    return shape(TPreviewShapeKind::PickedLine, {{a.X, a.Y}, {b.X, b.Y}});
  };
  switch (in.Kind) {
    case TKind::Radius:
    case TKind::Diameter:
      if (!in.WholeCircle) return {arc()};
      return {shape(TPreviewShapeKind::PickedCircle, {{in.Centre.X, in.Centre.Y}}, in.Radius)};
    case TKind::ArcLength: return {arc()};
    case TKind::Angle: return {line(in.LineEnds[0], in.LineEnds[1]), line(in.LineEnds[2], in.LineEnds[3])};
    case TKind::Move: {
      // The selection as it stands, faint: its lines, circles and arcs.
      std::vector<TPreviewShape> shapes;
      if (!in.Drawing) return shapes;
      const JwwState& drawing = *in.Drawing;
      for (const TJwwEntLine& l : drawing.Lines) shapes.push_back(line({l.X1, l.Y1}, {l.X2, l.Y2}));
      for (const TJwwEntCircle& c : drawing.Circles)
        shapes.push_back(shape(TPreviewShapeKind::PickedCircle, {{c.X, c.Y}}, c.Radius));
      for (const TJwwEntArc& a : drawing.Arcs) {
        if (!JwwArcIsCircular(a)) continue;
        double start = 0, end = 0;
        ArcAngles(a, start, end);
        shapes.push_back(shape(TPreviewShapeKind::PickedArc, ArcPoints({a.X, a.Y}, a.Radius, start, end)));
      }
      return shapes;
    }
    case TKind::Linear:
      if (in.Pick == TPick::Fence)
        return {line({in.Points[1].X, in.Points[1].Y}, {in.Points[2].X, in.Points[2].Y})};
      if (in.Pick != TPick::Line) return {};
      if (const std::optional<TJwwEntLine> picked = PickedLine(host))
        return {line({picked->X1, picked->Y1}, {picked->X2, picked->Y2})};
      return {};
  }
  return {};
}

TPreview BuildPreview(const TForm1& form) {
  TPreview p;
  std::string focus;
  const TDimensionInput in = ReadInputs(form, focus);
  if (!focus.empty()) {
    p.Status = RefusedControlMessage(focus);
    return p;
  }
  if (!form.ExchangeRead()) {
    p.Status = SjisText(kMessageReadFailed);
    return p;
  }
  const TRefusal refusal = CheckDimension(in, form.Jww);
  if (refusal != TRefusal::None) {
    p.Status = RefusalMessage(refusal);
    return p;
  }

  JwwState scratch;
  JwwCopyHostValues(form.Jww, scratch);
  if (const auto preview = KindEntry(in.Kind).Preview) {
    preview(in, scratch);
  } else {
    ConstructDimension(in, scratch);
  }
  // What the kind measures is marked (its row says what).
  std::vector<TPreviewPoint> measured;
  for (const TPointD q : KindEntry(in.Kind).Marks(in)) measured.push_back({q.X, q.Y});
  p.Picture = PictureFromOutput(scratch, in.Scale, measured);
  FrameByTheDimension(form.Jww, in, p.Picture);
  AddLastDimension(form, in, p.Picture);
  AddPicked(in, form.Jww, p.Picture);
  p.Drawable = true;
  p.Length = KindEntry(in.Kind).Measure(in);
  p.ValueText = DimensionValueText(in);
  // The horizontal and aligned dialogs say which direction they draw; the vertical one names none.
  const std::string direction = in.Direction == TDirection::Vertical
                                    ? std::string()
                                    : SjisText(DirectionEntry(in.Direction).Word) + SjisText("　");
  // An angle measures degrees, every other kind a length.
  const bool angle = in.Kind == TKind::Angle;
  // A row tells how many dimensions it draws and how many of their values stand on leaders.
  std::string row;
  if (in.Pick == TPick::Fence) {
    const TRowLayout l = LayoutRow(in, form.Jww);
    row = SjisText("寸法 ") + IntToText(static_cast<int>(l.Texts.size())) + SjisText("個（引出し ") +
          IntToText(l.Moved) + SjisText("個）　全体 ");
  }
  // A move tells how far its value goes.
  const char* measure = angle ? "　角度 " : in.Kind == TKind::Move ? "　移動距離 " : "　長さ ";
  p.Info = direction + row + SjisText("寸法値 ") + p.ValueText + SjisText(measure) +
           FloatToText(RoundDigits(4, TRoundMode::RoundHalf, p.Length)) + SjisText(angle ? "°" : "") +
           SjisText("　縮尺 1/") + FloatToText(in.Scale) + SjisText("　軸角 ") + FloatToText(in.AxisAngle) +
           SjisText("°");
  return p;
}
