// Moving the value of a drawn dimension out on a leader: the selection is deleted (hd) and written
// again entity by entity as it was read, without the value, which comes back at its new place,
// along its dimension line, on a base line with a leader as the other kinds place theirs.
#include <cmath>
#include <string>
#include <vector>

#include "DimensionParts.h"
#include "DrawingSteps.h"
#include "MoveKind.h"
#include "MovedValue.h"
#include "MyFunc.h"

namespace {

bool Same(TJwwOrderItem a, TJwwOrderItem b) { return a.Kind == b.Kind && a.Index == b.Index; }
bool Same(const std::optional<TJwwOrderItem>& a, TJwwOrderItem b) { return a && Same(*a, b); }

TRefusal FromMovedValue(TMovedValueRefusal r) {
  switch (r) {
    case TMovedValueRefusal::None: return TRefusal::None;
    case TMovedValueRefusal::NoValue: return TRefusal::NoValue;
    case TMovedValueRefusal::ManyValues: return TRefusal::ManyValues;
    case TMovedValueRefusal::NoDimensionLine: return TRefusal::NoDimensionLine;
  }
  return TRefusal::NoValue;
}

// The base line and leader the value stood on are drawn anew with it: written back, they would
// lead to nothing.
bool DrawnAnew(const TMovedValue& v, TJwwOrderItem item) {
  return Same(v.BaseLine, item) || Same(v.Leader, item);
}

// The layer groups of an entity (a dimension entity has two heads).
std::vector<int32_t> GroupsOf(const JwwState& host, TJwwOrderItem item) {
  switch (item.Kind) {
    case TJwwEntityKind::Line: return {host.Lines[item.Index].Head.Group};
    case TJwwEntityKind::Circle: return {host.Circles[item.Index].Head.Group};
    case TJwwEntityKind::Arc: return {host.Arcs[item.Index].Head.Group};
    case TJwwEntityKind::Text: return {host.Texts[item.Index].Head.Group};
    case TJwwEntityKind::Point: return {host.Points[item.Index].Head.Group};
    case TJwwEntityKind::PointEx: return {host.PointsEx[item.Index].Head.Group};
    case TJwwEntityKind::Msg: {
      const TJwwEntMsg m = host.Messages[item.Index];
      return {m.Line.Head.Group, m.Text.Head.Group};
    }
    default: return {};
  }
}

// The host hands the selection over in the write layer group's scale and reads what follows an
// "lg" in that group's: an entity of a group drawn at another scale would come back elsewhere.
bool SameScale(const JwwState& host, TJwwOrderItem item) {
  const double scale = DrawingScale(host);
  for (int32_t g : GroupsOf(host, item)) {
    if (host.GroupScale[g & 15] != scale) return false;
  }
  return true;
}

// Why the selection cannot be moved. The value itself is drawn anew, in its own group (a dimension
// entity's line is written back with it); every other entity hd deletes must come back as it was.
TRefusal SelectionRefusal(const JwwState& host, const TMovedValue& v) {
  if (v.Refusal != TMovedValueRefusal::None) return FromMovedValue(v.Refusal);
  for (const TJwwOrderItem item : host.EntityOrder) {
    if (DrawnAnew(v, item)) continue;
    if (!SameScale(host, item)) return TRefusal::CannotWriteBack;
    if (Same(item, v.Value) && item.Kind != TJwwEntityKind::Msg) continue;
    if (!JwwCanWriteBack(host, item)) return TRefusal::CannotWriteBack;
  }
  return TRefusal::None;
}

constexpr double kTextDirectionLength = 10.0;

// Where the moved value goes: the leader's start on the dimension line, the text's direction and
// its base line.
struct TMovePlace {
  TPointD From;
  TPointD Direction;  // the text's, ten long
  TBaseLine Base;
  TJwwAttrHead LineHead;  // the dimension line's attributes, which the base line and leader take
};

TMovePlace Place(const TDimensionInput& in, const JwwState& host, const TMovedValue& v) {
  TMovePlace p;
  p.From = LeaderStart(host, v);
  double lineAngle = 0;
  const auto along = [](double x1, double y1, double x2, double y2) {
    return VectorAngleDeg(x2 - x1, y2 - y1);
  };
  switch (v.Line.Kind) {
    case TJwwEntityKind::Msg: {
      const TJwwEntLine l = host.Messages[v.Line.Index].Line;
      lineAngle = along(l.X1, l.Y1, l.X2, l.Y2);
      p.LineHead = l.Head;
      break;
    }
    case TJwwEntityKind::Arc: {
      // The tangent where the leader leaves the arc.
      const TJwwEntArc a = host.Arcs[v.Line.Index];
      lineAngle = along(a.X, a.Y, p.From.X, p.From.Y) + 90.0;
      p.LineHead = a.Head;
      break;
    }
    default: {
      const TJwwEntLine l = host.Lines[v.Line.Index];
      lineAngle = along(l.X1, l.Y1, l.X2, l.Y2);
      p.LineHead = l.Head;
      break;
    }
  }
  const double ta = ValueTextAngle(lineAngle);
  // Ten long in the fifteen digits the host and the other kinds write (7.07106781186548, not
  // 7.071067811865474): the value's record is written exactly.
  const TPointD d = DirectionDeg(ta, true);
  p.Direction = {TextToFloat(FloatToText(kTextDirectionLength * d.X)),
                 TextToFloat(FloatToText(kTextDirectionLength * d.Y))};
  const double extent = TextExtent(JwwStr(host, v.Text.Text), v.Text.Width, v.Text.Spacing) * in.Scale;
  p.Base = PlaceBaseLine(p.From, p.From, {in.Points[1].X, in.Points[1].Y}, ta, extent, in.TextGap * in.Scale,
                         true);
  return p;
}

// The value found in the input's selection, refused without one.
TMovedValue ValueOf(const TDimensionInput& in) {
  if (!in.Drawing) {
    TMovedValue none;
    none.Refusal = TMovedValueRefusal::NoValue;
    return none;
  }
  return FindMovedValue(*in.Drawing);
}

// The host's own attributes given back: it keeps the state lines it read last as its current ones.
void GiveBackHostAttributes(JwwState& out) {
  JwwSetGroup(out, out.FirstGroup);
  JwwSetLayer(out, out.FirstLayer);
  JwwSetLineColour(out, out.FirstLineColour, TJwwNumberMode::None);
  JwwSetLineType(out, out.FirstLineType, TJwwNumberMode::None);
  JwwSetLineWidth(out, out.FirstLineWidth);
  // A host that named no font has none to give back.
  if (!out.FirstFontName.empty()) JwwSetFontName(out, out.FirstFontName);
  RestoreTextType(out);
}

}  // namespace

TRefusal MovePoints(const JwwState& host, const std::optional<TLastDimension>&, TDimensionInput& in) {
  in.Points[1] = host.PickedPoints[1];
  in.Drawing = &host;
  if (const TRefusal r = SelectionRefusal(host, FindMovedValue(host)); r != TRefusal::None) return r;
  if (!IsDrawablePoint(in.Points[1])) return TRefusal::MissingPoint;
  return TRefusal::None;
}

TRefusal CheckMove(const TDimensionInput& in, const JwwState& host) {
  if (!in.Drawing) return TRefusal::NoValue;
  const TMovedValue v = ValueOf(in);
  if (const TRefusal r = SelectionRefusal(*in.Drawing, v); r != TRefusal::None) return r;
  if (!IsDrawablePoint(in.Points[1])) return TRefusal::MissingPoint;
  if (!IsGoodScale(in.Scale)) return TRefusal::BadScale;
  const TMovePlace p = Place(in, *in.Drawing, v);
  const TBaseLine& b = p.Base;
  if (!NumbersAreFinite(
          in, host,
          {p.From.X, p.From.Y, b.T0.X, b.T0.Y, b.T1.X, b.T1.Y, v.Extent, v.Height, v.Start.X, v.Start.Y}))
    return TRefusal::TooLarge;
  return TRefusal::None;
}

double MeasureMove(const TDimensionInput& in) {
  const TMovedValue v = ValueOf(in);
  if (v.Refusal != TMovedValueRefusal::None) return 0;
  return Distance(v.Start.X, v.Start.Y, in.Points[1].X, in.Points[1].Y);
}

std::string MoveValueText(const TDimensionInput& in) {
  const TMovedValue v = ValueOf(in);
  if (v.Refusal != TMovedValueRefusal::None) return std::string();
  return std::string(JwwStr(*in.Drawing, v.Text.Text));
}

std::vector<TPointD> MoveMarks(const TDimensionInput& in) {
  const TMovedValue v = ValueOf(in);
  if (v.Refusal != TMovedValueRefusal::None) return {};
  return {LeaderStart(*in.Drawing, v)};
}

namespace {

// The move; with `selection` false the moved value alone (the preview shows the selection faint).
void AddMove(const TDimensionInput& in, JwwState& out, bool selection) {
  const TMovedValue v = ValueOf(in);
  // Never delete what would not come back.
  if (!in.Drawing || SelectionRefusal(*in.Drawing, v) != TRefusal::None) return;
  const JwwState& host = *in.Drawing;
  const TMovePlace p = Place(in, host, v);
  if (selection) {
    JwwAddDeleteSelection(out);
    for (const TJwwOrderItem item : host.EntityOrder) {
      if (Same(item, v.Value) || DrawnAnew(v, item)) continue;
      JwwAddEntityAsRead(out, host, item);
    }
  }
  // The value as it was read, at its new place and turned along its dimension line; a dimension
  // entity's with its own line, as it was.
  const TPointD at{in.Points[1].X, in.Points[1].Y};
  TJwwEntText text = v.Text;
  text.X = at.X;
  text.Y = at.Y;
  text.DirX = p.Direction.X;
  text.DirY = p.Direction.Y;
  if (v.Value.Kind == TJwwEntityKind::Msg) {
    TJwwEntMsg m = host.Messages[v.Value.Index];
    m.Text = text;
    JwwAddMessageAsRead(out, host, m);
  } else {
    JwwAddTextAsRead(out, host, text);
  }
  // The leader and the base line in the dimension line's own attributes.
  const TJwwAttrHead& h = p.LineHead;
  JwwSetGroup(out, h.Group);
  JwwSetLayer(out, h.Layer);
  JwwSetLineColour(out, h.Colour, TJwwNumberMode::None);
  JwwSetLineType(out, h.LineType, TJwwNumberMode::None);
  JwwSetLineWidth(out, h.LineWidth);
  AddDimensionLine(out, p.Base.Middle, p.Base.LeaderEnd);
  AddDimensionLine(out, p.Base.T0, p.Base.T1);
  GiveBackHostAttributes(out);
}

}  // namespace

void ConstructMove(const TDimensionInput& in, JwwState& out) { AddMove(in, out, true); }

void PreviewMove(const TDimensionInput& in, JwwState& out) { AddMove(in, out, false); }
