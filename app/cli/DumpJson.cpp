// The exchange state as JSON, for --dump and for the golden tests of reading.
//
// Keys are the state's field names, in the state's own order, so the output is deterministic.
// Numbers are JSON numbers written in their shortest form that reads back to the same double;
// texts are converted from Shift-JIS to UTF-8 (bytes that are no character become U+FFFD).
// Tables indexed from 1 (TextTypes, HnValues, AttrPending) are arrays starting at index 1;
// PickedPoints lists only the slots an "hp" line filled, each with its slot number.
// Layout: an object or array whose members are all plain values takes one line.
//
// A large file gives millions of records, so the JSON is written straight into one buffer that
// goes to the stream in chunks: each record's keys are fixed text and its numbers are converted in
// place, with no value built per record. Memory stays near what reading itself took.
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <ostream>
#include <span>
#include <sstream>
#include <string_view>
#include <vector>

#include "CommandLine.h"
#include "MyFunc.h"

namespace {

// Bytes that go to the stream at once.
constexpr std::size_t kChunk = std::size_t{1} << 16;

class TWriter {
 public:
  explicit TWriter(std::ostream& out) : out_(out), buffer_(2 * kChunk) {}

  void Raw(std::string_view s) {
    std::memcpy(Room(s.size()), s.data(), s.size());
    used_ += s.size();
  }
  void Spaces(int n) {
    const auto count = static_cast<std::size_t>(n);
    std::memset(Room(count), ' ', count);
    used_ += count;
  }

  void Int(int64_t v) {
    char* p = Room(24);
    used_ = static_cast<std::size_t>(std::to_chars(p, p + 24, v).ptr - buffer_.data());
  }

  // Reals in their shortest form that reads back to the same double, with ".0" on whole numbers
  // so that they still read as reals.
  void Real(double x) {
    if (!std::isfinite(x)) {  // no such value comes out of reading
      Raw("null");
      return;
    }
    char* p = Room(40);
    char* const end = std::to_chars(p, p + 32, x).ptr;
    used_ = static_cast<std::size_t>(end - buffer_.data());
    for (const char* q = p; q != end; ++q) {
      if (*q == '.' || *q == 'e') return;
    }
    Raw(".0");
  }

  void Bool(bool b) { Raw(b ? std::string_view("true") : std::string_view("false")); }

  // A Shift-JIS text as a JSON string in UTF-8. Most texts are ASCII and need no conversion.
  void Text(std::string_view sjis) {
    std::string_view utf8 = sjis;
    for (const char c : sjis) {
      if (static_cast<unsigned char>(c) >= 0x80) {
        scratch_ = SjisToUtf8(sjis);
        utf8 = scratch_;
        break;
      }
    }
    char* const start = Room(utf8.size() * 6 + 2);
    char* p = start;
    *p++ = '"';
    for (const char c : utf8) {
      const auto b = static_cast<unsigned char>(c);
      if (b >= 0x20 && c != '"' && c != '\\') {
        *p++ = c;
        continue;
      }
      *p++ = '\\';
      switch (b) {
        case '"': *p++ = '"'; break;
        case '\\': *p++ = '\\'; break;
        case '\b': *p++ = 'b'; break;
        case '\t': *p++ = 't'; break;
        case '\n': *p++ = 'n'; break;
        case '\f': *p++ = 'f'; break;
        case '\r': *p++ = 'r'; break;
        default: {
          static constexpr char kHex[] = "0123456789abcdef";
          const char u[] = {'u', '0', '0', kHex[b >> 4], kHex[b & 15]};
          std::memcpy(p, u, sizeof u);
          p += sizeof u;
        }
      }
    }
    *p++ = '"';
    used_ += static_cast<std::size_t>(p - start);
  }

  // False when the stream could not take everything.
  bool Finish() {
    Flush();
    out_.flush();
    return !out_.fail();
  }

 private:
  // Room for N more bytes at the end of the buffer; a full buffer goes to the stream first.
  char* Room(std::size_t n) {
    if (used_ + n > buffer_.size()) {
      Flush();
      if (n > buffer_.size()) buffer_.resize(n);
    }
    return buffer_.data() + used_;
  }
  void Flush() {
    out_.write(buffer_.data(), static_cast<std::streamsize>(used_));
    used_ = 0;
  }

  std::ostream& out_;
  std::vector<char> buffer_;
  std::size_t used_ = 0;
  std::string scratch_;
};

// The members of one object. An object of plain values takes one line; one that holds objects
// puts each member on a line of its own, two spaces in from the object's INDENT.
class TObject {
 public:
  TObject(TWriter& w, int indent, bool oneLine) : w_(w), indent_(indent), oneLine_(oneLine) {}
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  ~TObject() {
    if (!oneLine_) {
      w_.Raw("\n");
      w_.Spaces(indent_);
    }
    w_.Raw("}");
  }

  // Writes the separator and KEY; the caller writes the value.
  TWriter& Key(std::string_view key) {
    if (oneLine_) {
      w_.Raw(first_ ? "{\"" : ", \"");
    } else {
      w_.Raw(first_ ? "{\n" : ",\n");
      w_.Spaces(indent_ + 2);
      w_.Raw("\"");
    }
    first_ = false;
    w_.Raw(key);
    w_.Raw("\": ");
    return w_;
  }

 private:
  TWriter& w_;
  int indent_;
  bool oneLine_;
  bool first_ = true;
};

constexpr bool kOneLine = true;
constexpr bool kLines = false;

// A one-line array of plain values.
template <class It, class F>
void Plain(TWriter& w, It first, It last, F value) {
  w.Raw("[");
  for (It it = first; it != last; ++it) {
    if (it != first) w.Raw(", ");
    value(*it);
  }
  w.Raw("]");
}

void TextType(TWriter& w, const TJwwTextType& t) {
  TObject o(w, 0, kOneLine);
  o.Key("Width").Real(t.Width);
  o.Key("Height").Real(t.Height);
  o.Key("Spacing").Real(t.Spacing);
  o.Key("Colour").Int(t.Colour);
}

void Head(TWriter& w, const TJwwAttrHead& h) {
  TObject o(w, 0, kOneLine);
  o.Key("HhpNo").Int(h.HhpNo);
  o.Key("Group").Int(h.Group);
  o.Key("Layer").Int(h.Layer);
  o.Key("Colour").Int(h.Colour);
  o.Key("LineType").Int(h.LineType);
  o.Key("LineWidth").Int(h.LineWidth);
  o.Key("ZFlags").Int(h.ZFlags);
}

// Each record writer takes the indent of the line its object starts on.
void Line(TWriter& w, const TJwwEntLine& e, int indent) {
  TObject o(w, indent, kLines);
  Head(o.Key("Head"), e.Head);
  o.Key("PolylineNo").Int(e.PolylineNo);
  o.Key("X1").Real(e.X1);
  o.Key("Y1").Real(e.Y1);
  o.Key("X2").Real(e.X2);
  o.Key("Y2").Real(e.Y2);
}

void Circle(TWriter& w, const TJwwEntCircle& e, int indent) {
  TObject o(w, indent, kLines);
  Head(o.Key("Head"), e.Head);
  o.Key("X").Real(e.X);
  o.Key("Y").Real(e.Y);
  o.Key("Radius").Real(e.Radius);
}

void Arc(TWriter& w, const TJwwEntArc& e, int indent) {
  TObject o(w, indent, kLines);
  Head(o.Key("Head"), e.Head);
  o.Key("X").Real(e.X);
  o.Key("Y").Real(e.Y);
  o.Key("Radius").Real(e.Radius);
  o.Key("Value4").Real(e.Value4);
  o.Key("Value5").Real(e.Value5);
  o.Key("Value6").Real(e.Value6);
  o.Key("Value7").Real(e.Value7);
}

void Point(TWriter& w, const TJwwEntPoint& e, int indent) {
  TObject o(w, indent, kLines);
  Head(o.Key("Head"), e.Head);
  o.Key("X").Real(e.X);
  o.Key("Y").Real(e.Y);
}

void PointEx(TWriter& w, const TJwwEntPointEx& e, int indent) {
  TObject o(w, indent, kLines);
  Head(o.Key("Head"), e.Head);
  o.Key("X").Real(e.X);
  o.Key("Y").Real(e.Y);
  o.Key("Scale").Real(e.Scale);
  o.Key("Angle").Real(e.Angle);
  o.Key("Code").Int(e.Code);
}

void EntText(TWriter& w, const JwwState& st, const TJwwEntText& e, int indent) {
  TObject o(w, indent, kLines);
  Head(o.Key("Head"), e.Head);
  o.Key("TextKind").Int(e.TextKind);
  o.Key("TextCode").Int(e.TextCode);
  o.Key("TextType").Int(e.TextType);
  o.Key("Width").Real(e.Width);
  o.Key("Height").Real(e.Height);
  o.Key("Spacing").Real(e.Spacing);
  o.Key("X").Real(e.X);
  o.Key("Y").Real(e.Y);
  o.Key("DirX").Real(e.DirX);
  o.Key("DirY").Real(e.DirY);
  o.Key("FontName").Text(JwwStr(st, e.FontName));
  o.Key("Text").Text(JwwStr(st, e.Text));
}

void Message(TWriter& w, const JwwState& st, const TJwwEntMsg& e, int indent) {
  TObject o(w, indent, kLines);
  Line(o.Key("Line"), e.Line, indent + 2);
  EntText(o.Key("Text"), st, e.Text, indent + 2);
}

void Block(TWriter& w, const JwwState& st, const TJwwEntBlk& e, int indent) {
  TObject o(w, indent, kLines);
  Head(o.Key("Head"), e.Head);
  o.Key("X").Real(e.X);
  o.Key("Y").Real(e.Y);
  o.Key("Name").Text(JwwStr(st, e.Name));
}

void Solid2(TWriter& w, const TJwwEntSolid2& e, int indent) {
  TObject o(w, indent, kLines);
  Head(o.Key("Head"), e.Head);
  o.Key("SolidColour").Int(e.SolidColour);
  o.Key("X1").Real(e.X1);
  o.Key("Y1").Real(e.Y1);
  o.Key("X2").Real(e.X2);
  o.Key("Y2").Real(e.Y2);
}

void Solid3(TWriter& w, const TJwwEntSolid3& e, int indent) {
  TObject o(w, indent, kLines);
  Head(o.Key("Head"), e.Head);
  o.Key("SolidColour").Int(e.SolidColour);
  o.Key("X1").Real(e.X1);
  o.Key("Y1").Real(e.Y1);
  o.Key("X2").Real(e.X2);
  o.Key("Y2").Real(e.Y2);
  o.Key("X3").Real(e.X3);
  o.Key("Y3").Real(e.Y3);
}

void Solid4(TWriter& w, const TJwwEntSolid4& e, int indent) {
  TObject o(w, indent, kLines);
  Head(o.Key("Head"), e.Head);
  o.Key("SolidColour").Int(e.SolidColour);
  o.Key("X1").Real(e.X1);
  o.Key("Y1").Real(e.Y1);
  o.Key("X2").Real(e.X2);
  o.Key("Y2").Real(e.Y2);
  o.Key("X3").Real(e.X3);
  o.Key("Y3").Real(e.Y3);
  o.Key("X4").Real(e.X4);
  o.Key("Y4").Real(e.Y4);
}

void RealArray(TWriter& w, const double* first, const double* last) {
  Plain(w, first, last, [&](double x) { w.Real(x); });
}

void SolidSc(TWriter& w, const TJwwEntSolidSc& e, int indent) {
  TObject o(w, indent, kLines);
  Head(o.Key("Head"), e.Head);
  o.Key("SolidColour").Int(e.SolidColour);
  RealArray(o.Key("Values"), std::begin(e.Values), std::end(e.Values));
  o.Key("Code").Int(e.Code);
}

void SolidSo(TWriter& w, const TJwwEntSolidSo& e, int indent) {
  TObject o(w, indent, kLines);
  Head(o.Key("Head"), e.Head);
  o.Key("SolidColour").Int(e.SolidColour);
  RealArray(o.Key("Values"), std::begin(e.Values), std::end(e.Values));
}

// The state's top-level object, member by member; a list member item by item, each on a line.
class TStateWriter {
 public:
  explicit TStateWriter(std::ostream& out) : w_(out) {}

  TWriter& Member(std::string_view key) {
    w_.Raw(members_++ ? ",\n  \"" : "{\n  \"");
    w_.Raw(key);
    w_.Raw("\": ");
    return w_;
  }

  // WRITE(writer, item, indent) writes one item.
  template <class L, class F>
  void List(std::string_view key, const L& list, F write) {
    Member(key);
    bool first = true;
    for (const auto& e : list) {
      w_.Raw(first ? "[\n    " : ",\n    ");
      first = false;
      write(w_, e, 4);
    }
    w_.Raw(first ? "[]" : "\n  ]");
  }

  void Reals(std::string_view key, const double* first, const double* last) {
    RealArray(Member(key), first, last);
  }
  template <class L>
  void Ints(std::string_view key, const L& list) {
    Plain(Member(key), std::begin(list), std::end(list), [&](int64_t v) { w_.Int(v); });
  }
  void Texts(std::string_view key, const std::vector<std::string>& list) {
    Plain(Member(key), list.begin(), list.end(), [&](const std::string& s) { w_.Text(s); });
  }

  // Ends the object. False when the stream could not take everything.
  bool Finish() {
    w_.Raw(members_ ? "\n}\n" : "{}\n");
    return w_.Finish();
  }

 private:
  TWriter w_;
  int members_ = 0;
};

void StateToJson(const JwwState& st, TStateWriter& j) {
  j.Member("AxisAngle").Real(st.AxisAngle);
  j.Reals("GroupScale", std::begin(st.GroupScale), std::end(st.GroupScale));
  j.Member("SheetWidth").Real(st.SheetWidth);
  j.Member("SheetHeight").Real(st.SheetHeight);
  j.List("TextTypes", std::span(std::begin(st.TextTypes) + 1, std::end(st.TextTypes)),
         [](TWriter& w, const TJwwTextType& t, int) { TextType(w, t); });
  j.Member("BzFlag").Bool(st.BzFlag);
  j.Reals("HnValues", std::begin(st.HnValues) + 1, std::end(st.HnValues));

  j.Member("DrawingFileName").Text(st.DrawingFileName);

  j.Member("FirstGroup").Int(st.FirstGroup);
  j.Member("FirstLayer").Int(st.FirstLayer);
  j.Member("FirstLineColour").Int(st.FirstLineColour);
  j.Member("FirstLineType").Int(st.FirstLineType);
  j.Member("FirstLineWidth").Int(st.FirstLineWidth);
  j.Member("FirstTextType").Int(st.FirstTextType);
  TextType(j.Member("FirstFreeText"), st.FirstFreeText);
  j.Member("FirstFontName").Text(st.FirstFontName);

  j.Member("CurGroup").Int(st.CurGroup);
  j.Member("CurLayer").Int(st.CurLayer);
  j.Member("CurLineColour").Int(st.CurLineColour);
  j.Member("CurLineType").Int(st.CurLineType);
  j.Member("CurLineWidth").Int(st.CurLineWidth);
  j.Member("CurTextType").Int(st.CurTextType);
  TextType(j.Member("CurFreeText"), st.CurFreeText);
  j.Member("CurTextCode").Int(st.CurTextCode);
  j.Member("CurFontName").Text(st.CurFontName);
  j.Member("CurPointColour").Int(st.CurPointColour);
  j.Member("CurSolidColour").Int(st.CurSolidColour);
  TWriter& pending = j.Member("AttrPending");
  Plain(pending, std::begin(st.AttrPending) + 1, std::end(st.AttrPending), [&](bool b) { pending.Bool(b); });

  std::vector<std::size_t> picked;
  for (std::size_t slot = 0; slot < st.PickedPoints.size(); ++slot) {
    if (st.PickedPoints[slot].Used) picked.push_back(slot);
  }
  j.List("PickedPoints", picked, [&](TWriter& w, std::size_t slot, int) {
    const TJwwPickedPoint& p = st.PickedPoints[slot];
    TObject o(w, 0, kOneLine);
    o.Key("Slot").Int(static_cast<int64_t>(slot));
    o.Key("Used").Bool(p.Used);
    o.Key("X").Real(p.X);
    o.Key("Y").Real(p.Y);
    o.Key("Kind").Int(static_cast<int32_t>(p.Kind));
  });
  j.Member("PickedCount").Int(st.PickedCount);
  // The pick numbers of the set bits, easier to read than the mask.
  std::vector<int64_t> nonNumeric;
  for (int pick = 0; pick < 64; ++pick) {
    if ((st.NonNumericPicks >> pick) & 1) nonNumeric.push_back(pick);
  }
  j.Ints("NonNumericPicks", nonNumeric);

  j.Ints("GroupValues", st.GroupValues);
  j.Texts("GroupNames", st.GroupNames);
  j.Ints("LayerValues", st.LayerValues);
  j.Texts("LayerNames", st.LayerNames);

  j.Member("CurHhpNo").Int(st.CurHhpNo);
  j.Member("CurZFlags").Int(st.CurZFlags);
  j.Member("PolylineCount").Int(st.PolylineCount);
  j.Member("InPolyline").Bool(st.InPolyline);
  j.Member("InMessage").Bool(st.InMessage);
  Line(j.Member("CurMessageLine"), st.CurMessageLine, 2);

  j.List("Lines", st.Lines, Line);
  j.List("Circles", st.Circles, Circle);
  j.List("Arcs", st.Arcs, Arc);
  j.List("Texts", st.Texts, [&](TWriter& w, const TJwwEntText& e, int indent) { EntText(w, st, e, indent); });
  j.List("Points", st.Points, Point);
  j.List("PointsEx", st.PointsEx, PointEx);
  j.List("Messages", st.Messages,
         [&](TWriter& w, const TJwwEntMsg& e, int indent) { Message(w, st, e, indent); });
  j.List("Blocks", st.Blocks, [&](TWriter& w, const TJwwEntBlk& e, int indent) { Block(w, st, e, indent); });
  j.List("Solids2", st.Solids2, Solid2);
  j.List("Solids3", st.Solids3, Solid3);
  j.List("Solids4", st.Solids4, Solid4);
  j.List("SolidsSc", st.SolidsSc, SolidSc);
  j.List("SolidsSe", st.SolidsSe, SolidSc);
  j.List("SolidsSo", st.SolidsSo, SolidSo);
  j.List("SolidsSg", st.SolidsSg, SolidSo);
  j.List("EntityOrder", st.EntityOrder, [](TWriter& w, const TJwwOrderItem& e, int) {
    TObject o(w, 0, kOneLine);
    o.Key("Kind").Int(static_cast<int32_t>(e.Kind));
    o.Key("Index").Int(e.Index);
  });

  j.Member("OutputCount").Int(st.OutputCount);
  j.List("OutputLines", st.OutputLines, [](TWriter& w, const TJwwOutputSlot& s, int) {
    TObject o(w, 0, kOneLine);
    o.Key("Text").Text(s.Text);
    o.Key("JoinNext").Bool(s.JoinNext);
  });
}

}  // namespace

bool JwwWriteStateJson(const JwwState& st, std::ostream& out) {
  TStateWriter writer(out);
  StateToJson(st, writer);
  return writer.Finish();
}

std::string JwwStateToJson(const JwwState& st) {
  std::ostringstream out;
  JwwWriteStateJson(st, out);
  return std::move(out).str();
}
