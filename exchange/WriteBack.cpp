// Writing an entity back as it was read: its attributes through the attribute commands, its Z
// flags, and its numbers as read, so that the host gets back what it handed over. Unlike the
// entity commands, nothing is skipped as degenerate: a zero-length line the host drew is still
// the host's line.
#include <algorithm>
#include <bit>
#include <charconv>
#include <cstdint>
#include <cmath>
#include <initializer_list>

#include "JwwGaibu.h"
#include "MyFunc.h"

namespace {

// Text kinds 0..9 as the reader names them ("ch" .. "c2").
constexpr std::string_view kTextKeywords[] = {"ch", "cv", "cs", "cr", "co", "cp", "ct", "ck", "cz", "c2"};

// The reader cuts texts and font names to 255 bytes between characters: one of 254 or 255 bytes
// may have been longer in the host, and writing the cut one back would lose its end.
constexpr std::size_t kSurelyWhole = 253;
// The font line "cn"$NAME" is one slot of at most 255 bytes.
constexpr std::size_t kFontLineHead = 4;
constexpr std::size_t kMaxSlotBytes = 255;
// The free text size and the host's ten text types.
constexpr int32_t kMaxTextType = 10;
// The widths the width command writes as given.
constexpr int32_t kMaxLineWidth = 30000;

// A number in the exchange's real form when that reads back as the same double, bit for bit
// (every number the host writes with 15 significant digits does); else the shortest form that
// does ("-0", 17 digits).
std::string ExactNumber(double v) {
  std::string text = FloatToText(v);
  if (std::bit_cast<uint64_t>(TextToFloat(text)) == std::bit_cast<uint64_t>(v)) return text;
  char buf[32];
  const std::to_chars_result r = std::to_chars(buf, buf + sizeof buf, v);
  return std::string(buf, r.ptr);
}

std::string Numbers(std::string_view keyword, std::initializer_list<double> values) {
  std::string line(keyword);
  for (double v : values) {
    if (!line.empty()) line += ' ';
    line += ExactNumber(v);
  }
  return line;
}

// Each flag the host stated for the entity: z4 is kept beside z5, which JwwAddZFlags leaves out
// for the entities the command draws itself.
void AddFlagsAsRead(JwwState& out, int32_t flags) {
  static constexpr std::string_view kFlags[] = {"z1", "z2", "z3", "z4", "z5"};
  for (int i = 0; i < 5; ++i) {
    if (flags & (1 << i)) JwwAddOutputLine(out, kFlags[i]);
  }
}

// Layer group, layer, line type and width: what every entity carries.
void SetPlace(JwwState& out, const TJwwAttrHead& h) {
  JwwSetGroup(out, h.Group);
  JwwSetLayer(out, h.Layer);
  JwwSetLineType(out, h.LineType, TJwwNumberMode::None);
  JwwSetLineWidth(out, h.LineWidth);
}

void SetLineAttributes(JwwState& out, const TJwwAttrHead& h) {
  SetPlace(out, h);
  JwwSetLineColour(out, h.Colour, TJwwNumberMode::None);
}

// A text's colour is that of its size: a numbered type brings the host's own, a free size states it.
void SetTextAttributes(JwwState& out, const JwwState& host, const TJwwEntText& t) {
  SetPlace(out, t.Head);
  JwwSetTextType(out, t.TextType, t.Head.Colour, TJwwNumberMode::None, t.Width, t.Height, t.Spacing);
  JwwSetTextCode(out, t.TextCode);
  JwwSetFontName(out, JwwStr(host, t.FontName));
}

void AddLineAsRead(JwwState& out, const TJwwEntLine& l) {
  JwwAddOutputLine(out, Numbers("", {l.X1, l.Y1, l.X2, l.Y2}));
}

void AddTextAsRead(JwwState& out, const JwwState& host, const TJwwEntText& t) {
  const bool known = t.TextKind >= 0 && t.TextKind < static_cast<int32_t>(std::size(kTextKeywords));
  std::string head =
      Numbers(known ? kTextKeywords[t.TextKind] : kTextKeywords[0], {t.X, t.Y, t.DirX, t.DirY});
  head += " \"";
  JwwAddOutputLine(out, head, true);
  JwwAddOutputLine(out, JwwStr(host, t.Text));
}

bool FitsLineWidth(int32_t w) { return w >= 0 && w <= kMaxLineWidth; }

bool TextIsWritable(const JwwState& host, const TJwwEntText& t) {
  const std::string_view font = JwwStr(host, t.FontName);
  // The font command puts the first font in place of none.
  const bool fontKept = !(font.empty() || font == "<>") || font == host.FirstFontName;
  return t.TextKind >= 0 && t.TextKind < static_cast<int32_t>(std::size(kTextKeywords)) && t.TextType >= 0 &&
         t.TextType <= kMaxTextType && FitsLineWidth(t.Head.LineWidth) && fontKept &&
         font.size() <= std::min(kSurelyWhole, kMaxSlotBytes - kFontLineHead) &&
         JwwStr(host, t.Text).size() <= kSurelyWhole;
}

bool InList(const JwwState& host, TJwwOrderItem item) {
  return item.Index >= 0 && item.Index < JwwListCount(host, static_cast<int32_t>(item.Kind));
}

}  // namespace

bool JwwCanWriteBack(TJwwEntityKind kind) {
  switch (kind) {
    case TJwwEntityKind::Line:
    case TJwwEntityKind::Circle:
    case TJwwEntityKind::Arc:
    case TJwwEntityKind::Text:
    case TJwwEntityKind::Point:
    case TJwwEntityKind::PointEx:
    case TJwwEntityKind::Msg: return true;
    // A block is read as its place and name only, a solid without all the host keeps of it.
    case TJwwEntityKind::Block:
    case TJwwEntityKind::Solid2:
    case TJwwEntityKind::Solid3:
    case TJwwEntityKind::Solid4:
    case TJwwEntityKind::SolidSc:
    case TJwwEntityKind::SolidSe:
    case TJwwEntityKind::SolidSo:
    case TJwwEntityKind::SolidSg: return false;
  }
  return false;
}

bool JwwCanWriteBack(const JwwState& host, TJwwOrderItem item) {
  if (!JwwCanWriteBack(item.Kind) || !InList(host, item)) return false;
  switch (item.Kind) {
    case TJwwEntityKind::Line: {
      // A segment of a curve: written alone it would no longer be one.
      const TJwwEntLine l = host.Lines[item.Index];
      return l.PolylineNo == 0 && FitsLineWidth(l.Head.LineWidth);
    }
    case TJwwEntityKind::Circle: return FitsLineWidth(host.Circles[item.Index].Head.LineWidth);
    case TJwwEntityKind::Arc: return FitsLineWidth(host.Arcs[item.Index].Head.LineWidth);
    case TJwwEntityKind::Point: return FitsLineWidth(host.Points[item.Index].Head.LineWidth);
    case TJwwEntityKind::PointEx: return FitsLineWidth(host.PointsEx[item.Index].Head.LineWidth);
    case TJwwEntityKind::Text: return TextIsWritable(host, host.Texts[item.Index]);
    case TJwwEntityKind::Msg: {
      const TJwwEntMsg m = host.Messages[item.Index];
      return FitsLineWidth(m.Line.Head.LineWidth) && m.Text.TextKind == kJwwTextSloped &&
             TextIsWritable(host, m.Text);
    }
    default: return false;
  }
}

bool JwwAddEntityAsRead(JwwState& out, const JwwState& host, TJwwOrderItem item) {
  if (!JwwCanWriteBack(host, item)) return false;
  switch (item.Kind) {
    case TJwwEntityKind::Line: {
      const TJwwEntLine l = host.Lines[item.Index];
      SetLineAttributes(out, l.Head);
      AddFlagsAsRead(out, l.Head.ZFlags);
      AddLineAsRead(out, l);
      return true;
    }
    case TJwwEntityKind::Circle: {
      const TJwwEntCircle c = host.Circles[item.Index];
      SetLineAttributes(out, c.Head);
      AddFlagsAsRead(out, c.Head.ZFlags);
      JwwAddOutputLine(out, Numbers("ci", {c.X, c.Y, c.Radius}));
      return true;
    }
    case TJwwEntityKind::Arc: {
      const TJwwEntArc a = host.Arcs[item.Index];
      SetLineAttributes(out, a.Head);
      AddFlagsAsRead(out, a.Head.ZFlags);
      JwwAddOutputLine(out, Numbers("ci", {a.X, a.Y, a.Radius, a.Value4, a.Value5, a.Value6, a.Value7}));
      return true;
    }
    case TJwwEntityKind::Point: {
      const TJwwEntPoint p = host.Points[item.Index];
      SetPlace(out, p.Head);
      JwwSetPointColour(out, p.Head.Colour, TJwwNumberMode::None);
      AddFlagsAsRead(out, p.Head.ZFlags);
      JwwAddOutputLine(out, Numbers("pt", {p.X, p.Y}));
      return true;
    }
    case TJwwEntityKind::PointEx: {
      const TJwwEntPointEx p = host.PointsEx[item.Index];
      SetPlace(out, p.Head);
      JwwSetPointColour(out, p.Head.Colour, TJwwNumberMode::None);
      AddFlagsAsRead(out, p.Head.ZFlags);
      std::string line = Numbers("pt", {p.X, p.Y, p.Scale, p.Angle});
      line += ' ';
      line += IntToText(p.Code);
      JwwAddOutputLine(out, line);
      return true;
    }
    case TJwwEntityKind::Text: JwwAddTextAsRead(out, host, host.Texts[item.Index]); return true;
    case TJwwEntityKind::Msg: JwwAddMessageAsRead(out, host, host.Messages[item.Index]); return true;
    default: return false;
  }
}

void JwwAddTextAsRead(JwwState& out, const JwwState& host, const TJwwEntText& t) {
  SetTextAttributes(out, host, t);
  AddFlagsAsRead(out, t.Head.ZFlags);
  AddTextAsRead(out, host, t);
}

void JwwAddMessageAsRead(JwwState& out, const JwwState& host, const TJwwEntMsg& m) {
  // The line and its text each with their own attributes and flags: the reader takes the state
  // lines between "msg", the line and the text as it takes any others.
  SetLineAttributes(out, m.Line.Head);
  AddFlagsAsRead(out, m.Line.Head.ZFlags);
  JwwAddOutputLine(out, "msg");
  AddLineAsRead(out, m.Line);
  JwwAddTextAsRead(out, host, m.Text);
}
