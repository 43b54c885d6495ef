// The entity rules: every entity line becomes a record in its typed list, stamped with the
// attributes current when it is read, and an item of EntityOrder.
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

double Real(const TJwwTokens& t, int i) { return JwwReal(t[i]); }

// Clears the one-entity flags, and (for every entity but a plain line) closes the block.
void EndEntity(JwwState& st, bool closesBlock) {
  st.CurZFlags = 0;
  if (closesBlock) {
    st.InPolyline = false;
    st.InMessage = false;
  }
}

// The current font's pooled copy, pooled once per font line: CurFontRef caches it for as long
// as it still matches CurFontName (cut to the text limit).
TJwwStrRef CurrentFontRef(JwwState& st) {
  const std::string_view font = CutSjis(st.CurFontName, kTextLimit);
  const TJwwStrRef r = st.CurFontRef;
  const bool valid = r.Offset <= st.Strings.size() && r.Length <= st.Strings.size() - r.Offset &&
                     std::string_view(st.Strings).substr(r.Offset, r.Length) == font;
  if (!valid) st.CurFontRef = JwwPoolString(st.Strings, font);
  return st.CurFontRef;
}

// A text record of the line "KW x y dx dy "text", without its order item.
void FillText(JwwState& st, const TJwwTokens& t, int32_t kind, TJwwEntText& e,
              TJwwStrRef font, TJwwStrRef text) {
  e.Head = JwwStampHead(st);
  e.TextKind = kind;
  e.TextCode = st.CurTextCode;
  e.TextType = st.CurTextType;
  const TJwwTextType& size = st.CurTextType >= 1 && st.CurTextType <= 10
                                 ? st.TextTypes[st.CurTextType]
                                 : st.CurFreeText;
  e.Width = size.Width;
  e.Height = size.Height;
  e.Spacing = size.Spacing;
  e.Head.Colour = size.Colour;
  e.X = Real(t, 1);
  e.Y = Real(t, 2);
  e.DirX = Real(t, 3);
  e.DirY = Real(t, 4);
  e.FontName = font;
  e.Text = text;
}

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

void AddTextOrMessage(JwwState& st, const TJwwTokens& t, int32_t kind) {
  const TJwwStrRef font = CurrentFontRef(st);
  const TJwwStrRef text = JwwPoolString(st.Strings, CutSjis(t[5], kTextLimit));
  if (st.InMessage && kind == 2) {
    TJwwEntMsg& m = st.Messages.Add();
    m.Line = st.CurMessageLine;
    m.Line.PolylineNo = 0;
    FillText(st, t, kind, m.Text, font, text);
    JwwAddOrder(st, ekMsg, st.Messages.Count() - 1);
  } else {
    FillText(st, t, kind, st.Texts.Add(), font, text);
    JwwAddOrder(st, ekText, st.Texts.Count() - 1);
  }
  EndEntity(st, true);
}

struct TPoint {
  double X, Y;
};

bool Same(TPoint a, TPoint b) {
  return std::fabs(a.X - b.X) <= 1e-10 && std::fabs(a.Y - b.Y) <= 1e-10;
}

void AddSolid(JwwState& st, std::initializer_list<TPoint> points) {
  const TJwwAttrHead head = JwwStampHead(st);
  const TPoint* p = points.begin();
  switch (points.size()) {
    case 2: {
      TJwwEntSolid2& e = st.Solids2.Add();
      e = {head, st.CurSolidColour, p[0].X, p[0].Y, p[1].X, p[1].Y};
      JwwAddOrder(st, ekSolid2, st.Solids2.Count() - 1);
      break;
    }
    case 3: {
      TJwwEntSolid3& e = st.Solids3.Add();
      e = {head, st.CurSolidColour, p[0].X, p[0].Y, p[1].X, p[1].Y, p[2].X, p[2].Y};
      JwwAddOrder(st, ekSolid3, st.Solids3.Count() - 1);
      break;
    }
    default: {
      TJwwEntSolid4& e = st.Solids4.Add();
      e = {head, st.CurSolidColour, p[0].X, p[0].Y, p[1].X, p[1].Y, p[2].X, p[2].Y, p[3].X, p[3].Y};
      JwwAddOrder(st, ekSolid4, st.Solids4.Count() - 1);
      break;
    }
  }
  EndEntity(st, true);
}

// "sl": two, three or four points; repeated points reduce the solid to fewer.
void AddReducedSolid(JwwState& st, const TJwwTokens& t) {
  const TPoint p1{Real(t, 1), Real(t, 2)}, p2{Real(t, 3), Real(t, 4)};
  if (t.Count == 5) return AddSolid(st, {p1, p2});
  const TPoint p3{Real(t, 5), Real(t, 6)};
  if (t.Count == 7) {
    if (Same(p1, p2)) return AddSolid(st, {p1, p3});
    if (Same(p2, p3)) return AddSolid(st, {p1, p2});
    return AddSolid(st, {p1, p2, p3});
  }
  const TPoint p4{Real(t, 7), Real(t, 8)};
  if (Same(p1, p2) && Same(p1, p3)) return AddSolid(st, {p1, p4});
  if (Same(p2, p3) && Same(p2, p4)) return AddSolid(st, {p1, p2});
  if (Same(p1, p2) && Same(p3, p4)) return AddSolid(st, {p1, p3});
  if (Same(p4, p1) || Same(p4, p2) || Same(p4, p3)) return AddSolid(st, {p1, p2, p3});
  if (Same(p3, p1) || Same(p3, p2)) return AddSolid(st, {p1, p2, p4});
  if (Same(p2, p1)) return AddSolid(st, {p1, p3, p4});
  AddSolid(st, {p1, p2, p3, p4});
}

// "sc" and "se": seven reals and a code.
void AddSolidWithCode(JwwState& st, const TJwwTokens& t, TJwwList<TJwwEntSolidSc>& list,
                      int32_t kind) {
  TJwwEntSolidSc& e = list.Add();
  e.Head = JwwStampHead(st);
  e.SolidColour = st.CurSolidColour;
  for (int i = 0; i < 7; ++i) e.Values[i] = Real(t, i + 1);
  e.Code = JwwInt(t[8]);
  JwwAddOrder(st, kind, list.Count() - 1);
  EndEntity(st, true);
}

// "so" and "sg": eight reals.
void AddSolidOfEight(JwwState& st, const TJwwTokens& t, TJwwList<TJwwEntSolidSo>& list,
                     int32_t kind) {
  TJwwEntSolidSo& e = list.Add();
  e.Head = JwwStampHead(st);
  e.SolidColour = st.CurSolidColour;
  for (int i = 0; i < 8; ++i) e.Values[i] = Real(t, i + 1);
  JwwAddOrder(st, kind, list.Count() - 1);
  EndEntity(st, true);
}

// Any other line of four tokens: a line, a polyline segment, or the line of a message block.
void AddLineOrMessageLine(JwwState& st, const TJwwTokens& t) {
  const TJwwEntLine line{JwwStampHead(st), st.InPolyline ? st.PolylineCount : 0,
                         Real(t, 0), Real(t, 1), Real(t, 2), Real(t, 3)};
  if (st.InMessage) {
    st.CurMessageLine = line;
    st.CurMessageLine.PolylineNo = 0;
  } else {
    st.Lines.Add() = line;
    JwwAddOrder(st, ekLine, st.Lines.Count() - 1);
  }
  EndEntity(st, false);  // a polyline or message block stays open
}

}  // namespace

TJwwAttrHead JwwStampHead(const JwwState& st) {
  return TJwwAttrHead{st.CurHhpNo,    st.CurGroup,     st.CurLayer, st.CurLineColour,
                      st.CurLineType, st.CurLineWidth, st.CurZFlags};
}

void JwwAddOrder(JwwState& st, int32_t kind, int32_t index) {
  st.EntityOrder.Add() = TJwwOrderItem{kind, index};
}

bool JwwApplyEntityRule(JwwState& st, const TJwwTokens& t) {
  const std::string_view k = t[0];
  const int32_t n = t.Count;
  if (k.size() == 2) {
    switch (k[0]) {
      case 'c':
        if (k[1] == 'i' && n == 4) {
          TJwwEntCircle& e = st.Circles.Add();
          e = {JwwStampHead(st), Real(t, 1), Real(t, 2), Real(t, 3)};
          JwwAddOrder(st, ekCircle, st.Circles.Count() - 1);
          EndEntity(st, true);
          return true;
        }
        if (k[1] == 'i' && n >= 8) {
          TJwwEntArc& e = st.Arcs.Add();
          e = {JwwStampHead(st), Real(t, 1), Real(t, 2), Real(t, 3),
               Real(t, 4),       Real(t, 5), Real(t, 6), Real(t, 7)};
          JwwAddOrder(st, ekArc, st.Arcs.Count() - 1);
          EndEntity(st, true);
          return true;
        }
        if (const int32_t kind = TextKindOf(k[1]); kind >= 0 && n >= 6) {
          AddTextOrMessage(st, t, kind);
          return true;
        }
        break;
      case 'p':
        if (k[1] == 't' && n == 3) {
          TJwwEntPoint& e = st.Points.Add();
          e = {JwwStampHead(st), Real(t, 1), Real(t, 2)};
          e.Head.Colour = st.CurPointColour;
          JwwAddOrder(st, ekPoint, st.Points.Count() - 1);
          EndEntity(st, true);
          return true;
        }
        if (k[1] == 't' && n >= 6) {
          TJwwEntPointEx& e = st.PointsEx.Add();
          e = {JwwStampHead(st), Real(t, 1), Real(t, 2), Real(t, 3), Real(t, 4), JwwInt(t[5])};
          e.Head.Colour = st.CurPointColour;
          JwwAddOrder(st, ekPointEx, st.PointsEx.Count() - 1);
          EndEntity(st, true);
          return true;
        }
        break;
      case 'B':
        if (k[1] == 'L' && n >= 4) {
          const TJwwStrRef name = JwwPoolString(st.Strings, t[3]);
          TJwwEntBlk& e = st.Blocks.Add();
          e = {JwwStampHead(st), Real(t, 1), Real(t, 2), name};
          JwwAddOrder(st, ekBlock, st.Blocks.Count() - 1);
          EndEntity(st, true);
          return true;
        }
        break;
      case 's':
        if (k[1] == 'l' && (n == 5 || n == 7 || n >= 9)) {
          AddReducedSolid(st, t);
          return true;
        }
        if (n >= 9) {
          switch (k[1]) {
            case 'c': AddSolidWithCode(st, t, st.SolidsSc, ekSolidSc); return true;
            case 'e': AddSolidWithCode(st, t, st.SolidsSe, ekSolidSe); return true;
            case 'o': AddSolidOfEight(st, t, st.SolidsSo, ekSolidSo); return true;
            case 'g': AddSolidOfEight(st, t, st.SolidsSg, ekSolidSg); return true;
            default: break;
          }
        }
        break;
      default:
        break;
    }
  }
  if (n == 4) {
    AddLineOrMessageLine(st, t);
    return true;
  }
  return false;
}
