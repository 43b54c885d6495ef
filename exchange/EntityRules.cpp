// The entity rules: every entity line becomes a record in its typed list, stamped with the
// attributes current when it is read (by number, in the shared tables), and an item of
// EntityOrder.
//
// A record is filled (its strings pooled first) before its order item is appended, so that a
// failed allocation can leave a record without an order item but never an order item that
// points past its list.
#include <cmath>
#include <initializer_list>

#include "MyFunc.h"
#include "ReadNumbers.h"
#include "ReadRules.h"

namespace {

// Texts and font names of text records are kept to 255 bytes, cut between characters.
constexpr std::size_t kTextLimit = 255;

double Real(const TTokens& t, int i) { return ReadReal(t[i]); }

// An entity picked by the user (pick number 1..63 current) with a field that is no number
// ("nan", "1,500", "1e400") reads as 0 like any other, but its pick is marked: the command must
// not draw from it. Entities outside a pick pay one comparison.
void MarkNonNumeric(JwwState& st, const TTokens& t, int first, int count) {
  const int32_t pick = st.CurHhpNo;
  if (pick < 1 || pick > 63) return;
  for (int i = first; i < first + count; ++i) {
    double v = 0.0;
    if (!TextIsFloat(t[i], v)) {
      st.NonNumericPicks |= uint64_t{1} << pick;
      return;
    }
  }
}

// Clears the one-entity flags, and (for every entity but a plain line) closes the block.
void EndEntity(JwwState& st, bool closesBlock) {
  st.CurZFlags = 0;
  if (closesBlock) {
    st.InPolyline = false;
    st.InMessage = false;
  }
}

// Whether R holds FONT in the pool.
bool Holds(const JwwState& st, TJwwStrRef r, std::string_view font) {
  return r.Offset <= st.Strings.size() && r.Length <= st.Strings.size() - r.Offset &&
         std::string_view(st.Strings).substr(r.Offset, r.Length) == font;
}

// The current font's pooled copy: CurFontRef caches it for as long as it still matches
// CurFontName (cut to the text limit). A font seen lately is found again among the last few
// pooled, so that a file switching between a few fonts pools each once and its texts share
// their styles.
TJwwStrRef CurrentFontRef(JwwState& st) {
  const std::string_view font = CutSjis(st.CurFontName, kTextLimit);
  if (Holds(st, st.CurFontRef, font)) return st.CurFontRef;
  auto& recent = st.Tables.LastFonts;
  for (const TJwwStrRef r : recent) {
    if (Holds(st, r, font)) return st.CurFontRef = r;
  }
  st.CurFontRef = PoolString(st.Strings, font);
  recent = {st.CurFontRef, recent[0], recent[1], recent[2]};
  return st.CurFontRef;
}

uint32_t HeadNo(JwwState& st) { return HeadNumberOf(st.Tables, StampHead(st)); }

// The head of a point: the point colour instead of the line colour.
uint32_t PointHeadNo(JwwState& st) {
  TJwwAttrHead head = StampHead(st);
  head.Colour = st.CurPointColour;
  return HeadNumberOf(st.Tables, head);
}

// A text record of the line "KW x y dx dy "text", without its order item; its head takes the
// colour of its text size.
TJwwRecText MakeText(JwwState& st, int32_t kind, const double (&v)[4], TJwwStrRef font, TJwwStrRef text) {
  const TJwwTextType& size =
      st.CurTextType >= 1 && st.CurTextType <= 10 ? st.TextTypes[st.CurTextType] : st.CurFreeText;
  TJwwAttrHead head = StampHead(st);
  head.Colour = size.Colour;
  const TJwwTextStyle style{kind, st.CurTextCode, st.CurTextType, size.Width, size.Height, size.Spacing,
                            font};
  return TJwwRecText{
      HeadNumberOf(st.Tables, head), StyleNumberOf(st.Tables, style), v[0], v[1], v[2], v[3], text};
}

}  // namespace

// The text kinds by the second letter of their keyword: "ch" 0, "cv" 1, ... "c2" 9; -1 for none.
int32_t TextKindOf(char second) {
  switch (second) {
    case 'h': return 0;
    case 'v': return 1;
    case 's': return 2;
    case 'r': return 3;
    case 'o': return 4;
    case 'p': return 5;
    case 't': return 6;
    case 'k': return 7;
    case 'z': return 8;
    case '2': return 9;
    default: return -1;
  }
}

void AddTextRecord(JwwState& st, int32_t kind, const double (&v)[4], std::string_view text) {
  const TJwwStrRef font = CurrentFontRef(st);
  const TJwwStrRef pooled = PoolString(st.Strings, CutSjis(text, kTextLimit));
  const TJwwRecText record = MakeText(st, kind, v, font, pooled);
  if (st.InMessage && kind == 2) {
    const TJwwEntLine& l = st.CurMessageLine;
    const TJwwRecLine line{HeadNumberOf(st.Tables, l.Head), 0, l.X1, l.Y1, l.X2, l.Y2};
    st.Messages.Records().Add() = TJwwRecMsg{line, record};
    AddOrder(st, TJwwEntityKind::Msg);
  } else {
    st.Texts.Records().Add() = record;
    AddOrder(st, TJwwEntityKind::Text);
  }
  EndEntity(st, true);
}

void AddCircleRecord(JwwState& st, double x, double y, double radius) {
  st.Circles.Records().Add() = {HeadNo(st), x, y, radius};
  AddOrder(st, TJwwEntityKind::Circle);
  EndEntity(st, true);
}

void AddPointRecord(JwwState& st, double x, double y) {
  st.Points.Records().Add() = {PointHeadNo(st), x, y};
  AddOrder(st, TJwwEntityKind::Point);
  EndEntity(st, true);
}

void AddLineRecord(JwwState& st, double x1, double y1, double x2, double y2) {
  if (st.InMessage) {
    st.CurMessageLine = TJwwEntLine{StampHead(st), 0, x1, y1, x2, y2};
  } else {
    st.Lines.Records().Add() = {HeadNo(st), st.InPolyline ? st.PolylineCount : 0, x1, y1, x2, y2};
    AddOrder(st, TJwwEntityKind::Line);
  }
  EndEntity(st, false);  // a polyline or message block stays open
}

namespace {

struct TPoint {
  double X, Y;
};

bool Same(TPoint a, TPoint b) { return std::fabs(a.X - b.X) <= 1e-10 && std::fabs(a.Y - b.Y) <= 1e-10; }

void AddSolid(JwwState& st, std::initializer_list<TPoint> points) {
  const uint32_t head = HeadNo(st);
  const TPoint* p = points.begin();
  switch (points.size()) {
    case 2:
      st.Solids2.Records().Add() = {head, st.CurSolidColour, p[0].X, p[0].Y, p[1].X, p[1].Y};
      AddOrder(st, TJwwEntityKind::Solid2);
      break;
    case 3:
      st.Solids3.Records().Add() = {head, st.CurSolidColour, p[0].X, p[0].Y, p[1].X, p[1].Y, p[2].X, p[2].Y};
      AddOrder(st, TJwwEntityKind::Solid3);
      break;
    default:
      st.Solids4.Records().Add() = {
          head, st.CurSolidColour, p[0].X, p[0].Y, p[1].X, p[1].Y, p[2].X, p[2].Y, p[3].X, p[3].Y};
      AddOrder(st, TJwwEntityKind::Solid4);
      break;
  }
  EndEntity(st, true);
}

}  // namespace

// "sl": two, three or four points; repeated points reduce the solid to fewer.
void AddSolidRecord(JwwState& st, const double* v, int count) {
  const TPoint p1{v[0], v[1]}, p2{v[2], v[3]};
  if (count == 4) return AddSolid(st, {p1, p2});
  const TPoint p3{v[4], v[5]};
  if (count == 6) {
    if (Same(p1, p2)) return AddSolid(st, {p1, p3});
    if (Same(p2, p3)) return AddSolid(st, {p1, p2});
    return AddSolid(st, {p1, p2, p3});
  }
  const TPoint p4{v[6], v[7]};
  if (Same(p1, p2) && Same(p1, p3)) return AddSolid(st, {p1, p4});
  if (Same(p2, p3) && Same(p2, p4)) return AddSolid(st, {p1, p2});
  if (Same(p1, p2) && Same(p3, p4)) return AddSolid(st, {p1, p3});
  if (Same(p4, p1) || Same(p4, p2) || Same(p4, p3)) return AddSolid(st, {p1, p2, p3});
  if (Same(p3, p1) || Same(p3, p2)) return AddSolid(st, {p1, p2, p4});
  if (Same(p2, p1)) return AddSolid(st, {p1, p3, p4});
  AddSolid(st, {p1, p2, p3, p4});
}

void AddArcRecord(JwwState& st, const double* v) {
  st.Arcs.Records().Add() = {HeadNo(st), v[0], v[1], v[2], v[3], v[4], v[5], v[6]};
  AddOrder(st, TJwwEntityKind::Arc);
  EndEntity(st, true);
}

namespace {

// "sc" and "se": seven reals and a code.
void AddSolidWithCode(JwwState& st, const TTokens& t, TJwwList<TJwwRecSolidSc>& list, TJwwEntityKind kind) {
  const uint32_t head = HeadNo(st);
  TJwwRecSolidSc& e = list.Add();
  e.HeadNo = head;
  e.SolidColour = st.CurSolidColour;
  for (int i = 0; i < 7; ++i) e.Values[i] = Real(t, i + 1);
  e.Code = ReadInt(t[8]);
  AddOrder(st, kind);
  EndEntity(st, true);
}

// "so" and "sg": eight reals.
void AddSolidOfEight(JwwState& st, const TTokens& t, TJwwList<TJwwRecSolidSo>& list, TJwwEntityKind kind) {
  const uint32_t head = HeadNo(st);
  TJwwRecSolidSo& e = list.Add();
  e.HeadNo = head;
  e.SolidColour = st.CurSolidColour;
  for (int i = 0; i < 8; ++i) e.Values[i] = Real(t, i + 1);
  AddOrder(st, kind);
  EndEntity(st, true);
}

}  // namespace

TJwwAttrHead StampHead(const JwwState& st) {
  return TJwwAttrHead{st.CurHhpNo,    st.CurGroup,     st.CurLayer, st.CurLineColour,
                      st.CurLineType, st.CurLineWidth, st.CurZFlags};
}

void AddOrder(JwwState& st, TJwwEntityKind kind) { st.EntityOrder.Add(kind); }

bool ApplyEntityRule(JwwState& st, const TTokens& t) {
  const std::string_view k = t[0];
  const int32_t n = t.Count;
  if (k.size() == 2) {
    // The fields of each kind, checked before the record is made, as the rules below read them.
    const auto fields = [&](int first, int count) { MarkNonNumeric(st, t, first, count); };
    switch (k[0]) {
      case 'c':
        if (k[1] == 'i' && n == 4) {
          fields(1, 3);
          AddCircleRecord(st, Real(t, 1), Real(t, 2), Real(t, 3));
          return true;
        }
        if (k[1] == 'i' && n >= 8) {
          fields(1, 7);
          double v[7];
          for (int i = 0; i < 7; ++i) v[i] = Real(t, i + 1);
          AddArcRecord(st, v);
          return true;
        }
        if (const int32_t kind = TextKindOf(k[1]); kind >= 0 && n >= 6) {
          fields(1, 4);
          const double v[4] = {Real(t, 1), Real(t, 2), Real(t, 3), Real(t, 4)};
          AddTextRecord(st, kind, v, t[5]);
          return true;
        }
        break;
      case 'p':
        if (k[1] == 't' && n == 3) {
          fields(1, 2);
          AddPointRecord(st, Real(t, 1), Real(t, 2));
          return true;
        }
        if (k[1] == 't' && n >= 6) {
          fields(1, 5);
          st.PointsEx.Records().Add() = {PointHeadNo(st), ReadInt(t[5]), Real(t, 1),
                                         Real(t, 2),      Real(t, 3),    Real(t, 4)};
          AddOrder(st, TJwwEntityKind::PointEx);
          EndEntity(st, true);
          return true;
        }
        break;
      case 'B':
        if (k[1] == 'L' && n >= 4) {
          fields(1, 2);
          const TJwwStrRef name = PoolString(st.Strings, t[3]);
          st.Blocks.Records().Add() = {HeadNo(st), name, Real(t, 1), Real(t, 2)};
          AddOrder(st, TJwwEntityKind::Block);
          EndEntity(st, true);
          return true;
        }
        break;
      case 's':
        if (k[1] == 'l' && (n == 5 || n == 7 || n >= 9)) {
          const int count = n >= 9 ? 8 : n - 1;
          fields(1, count);
          double v[8] = {};
          for (int i = 0; i < count; ++i) v[i] = Real(t, i + 1);
          AddSolidRecord(st, v, count);
          return true;
        }
        if (n >= 9 && (k[1] == 'c' || k[1] == 'e' || k[1] == 'o' || k[1] == 'g')) {
          fields(1, 8);
          switch (k[1]) {
            case 'c': AddSolidWithCode(st, t, st.SolidsSc.Records(), TJwwEntityKind::SolidSc); return true;
            case 'e': AddSolidWithCode(st, t, st.SolidsSe.Records(), TJwwEntityKind::SolidSe); return true;
            case 'o': AddSolidOfEight(st, t, st.SolidsSo.Records(), TJwwEntityKind::SolidSo); return true;
            case 'g': AddSolidOfEight(st, t, st.SolidsSg.Records(), TJwwEntityKind::SolidSg); return true;
            default: break;
          }
        }
        break;
      default: break;
    }
  }
  if (n == 4) {
    // Any other line of four tokens: a line, a polyline segment, or the line of a message block.
    MarkNonNumeric(st, t, 0, 4);
    AddLineRecord(st, Real(t, 0), Real(t, 1), Real(t, 2), Real(t, 3));
    return true;
  }
  return false;
}
