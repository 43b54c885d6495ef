// The exchange state as JSON, for --dump and for the golden tests of reading.
//
// Keys are the state's field names, in the state's own order, so the output is deterministic.
// Numbers are JSON numbers written in their shortest form that reads back to the same double;
// texts are converted from Shift-JIS to UTF-8 (bytes that are no character become U+FFFD).
// Tables indexed from 1 (TextTypes, HnValues, AttrPending) are arrays starting at index 1;
// PickedPoints lists only the slots an "hp" line filled, each with its slot number.
// Layout: an object or array whose members are all plain values takes one line.
//
// The dump is written record by record: each record (or small table) becomes a JSON value of its
// own, is laid out and goes to the stream, so memory stays near what reading itself took, never a
// document of the whole file.
#include <charconv>
#include <cmath>
#include <nlohmann/json.hpp>
#include <ostream>
#include <sstream>

#include "CommandLine.h"
#include "MyFunc.h"

namespace {

using Json = nlohmann::ordered_json;

template <class It>
Json Array(It first, It last) {
  Json a = Json::array();
  for (; first != last; ++first) a.push_back(*first);
  return a;
}

Json Text(std::string_view sjis) { return SjisToUtf8(sjis); }
Json Pooled(const JwwState& st, TJwwStrRef r) { return Text(JwwStr(st, r)); }

Json TextType(const TJwwTextType& t) {
  return Json{{"Width", t.Width}, {"Height", t.Height}, {"Spacing", t.Spacing}, {"Colour", t.Colour}};
}

Json Head(const TJwwAttrHead& h) {
  return Json{{"HhpNo", h.HhpNo},       {"Group", h.Group},         {"Layer", h.Layer},  {"Colour", h.Colour},
              {"LineType", h.LineType}, {"LineWidth", h.LineWidth}, {"ZFlags", h.ZFlags}};
}

Json Line(const TJwwEntLine& e) {
  return Json{{"Head", Head(e.Head)}, {"PolylineNo", e.PolylineNo},
              {"X1", e.X1},           {"Y1", e.Y1},
              {"X2", e.X2},           {"Y2", e.Y2}};
}

Json Circle(const TJwwEntCircle& e) {
  return Json{{"Head", Head(e.Head)}, {"X", e.X}, {"Y", e.Y}, {"Radius", e.Radius}};
}

Json Arc(const TJwwEntArc& e) {
  return Json{{"Head", Head(e.Head)}, {"X", e.X},           {"Y", e.Y},           {"Radius", e.Radius},
              {"Value4", e.Value4},   {"Value5", e.Value5}, {"Value6", e.Value6}, {"Value7", e.Value7}};
}

Json Point(const TJwwEntPoint& e) { return Json{{"Head", Head(e.Head)}, {"X", e.X}, {"Y", e.Y}}; }

Json PointEx(const TJwwEntPointEx& e) {
  return Json{{"Head", Head(e.Head)}, {"X", e.X},         {"Y", e.Y},
              {"Scale", e.Scale},     {"Angle", e.Angle}, {"Code", e.Code}};
}

Json EntText(const JwwState& st, const TJwwEntText& e) {
  // clang-format off
  return Json{{"Head", Head(e.Head)},  {"TextKind", e.TextKind},
              {"TextCode", e.TextCode}, {"TextType", e.TextType},
              {"Width", e.Width},       {"Height", e.Height},
              {"Spacing", e.Spacing},   {"X", e.X},
              {"Y", e.Y},               {"DirX", e.DirX},
              {"DirY", e.DirY},         {"FontName", Pooled(st, e.FontName)},
              {"Text", Pooled(st, e.Text)}};
  // clang-format on
}

Json Message(const JwwState& st, const TJwwEntMsg& e) {
  return Json{{"Line", Line(e.Line)}, {"Text", EntText(st, e.Text)}};
}

Json Block(const JwwState& st, const TJwwEntBlk& e) {
  return Json{{"Head", Head(e.Head)}, {"X", e.X}, {"Y", e.Y}, {"Name", Pooled(st, e.Name)}};
}

Json Solid2(const TJwwEntSolid2& e) {
  return Json{{"Head", Head(e.Head)}, {"SolidColour", e.SolidColour},
              {"X1", e.X1},           {"Y1", e.Y1},
              {"X2", e.X2},           {"Y2", e.Y2}};
}

Json Solid3(const TJwwEntSolid3& e) {
  return Json{{"Head", Head(e.Head)}, {"SolidColour", e.SolidColour},
              {"X1", e.X1},           {"Y1", e.Y1},
              {"X2", e.X2},           {"Y2", e.Y2},
              {"X3", e.X3},           {"Y3", e.Y3}};
}

Json Solid4(const TJwwEntSolid4& e) {
  return Json{{"Head", Head(e.Head)}, {"SolidColour", e.SolidColour},
              {"X1", e.X1},           {"Y1", e.Y1},
              {"X2", e.X2},           {"Y2", e.Y2},
              {"X3", e.X3},           {"Y3", e.Y3},
              {"X4", e.X4},           {"Y4", e.Y4}};
}

Json SolidSc(const TJwwEntSolidSc& e) {
  return Json{{"Head", Head(e.Head)},
              {"SolidColour", e.SolidColour},
              {"Values", Array(std::begin(e.Values), std::end(e.Values))},
              {"Code", e.Code}};
}

Json SolidSo(const TJwwEntSolidSo& e) {
  return Json{{"Head", Head(e.Head)},
              {"SolidColour", e.SolidColour},
              {"Values", Array(std::begin(e.Values), std::end(e.Values))}};
}

Json Texts(const std::vector<std::string>& names) {
  Json a = Json::array();
  for (const std::string& s : names) a.push_back(Text(s));
  return a;
}

bool IsPlain(const Json& j) { return !j.is_object() && !j.is_array(); }

bool AllPlain(const Json& j) {
  for (const Json& e : j) {
    if (!IsPlain(e)) return false;
  }
  return true;
}

// Reals in their shortest form that reads back to the same double, with ".0" on whole numbers so
// that they still read as reals; the library's own form is not always the shortest.
std::string Real(double x) {
  if (!std::isfinite(x)) return "null";  // no such value comes out of reading
  char buf[64];
  const std::to_chars_result r = std::to_chars(buf, buf + sizeof buf, x);
  std::string s(buf, r.ptr);
  if (s.find_first_of(".e") == std::string::npos) s += ".0";
  return s;
}

std::string Scalar(const Json& j) {
  if (j.is_number_float()) return Real(j.get<double>());
  return j.dump(-1, ' ', false, Json::error_handler_t::replace);
}

void Write(std::string& out, const Json& j, int indent) {
  if (IsPlain(j)) {
    out += Scalar(j);
    return;
  }
  const bool object = j.is_object();
  const char open = object ? '{' : '[';
  const char close = object ? '}' : ']';
  if (j.empty()) {
    out += open;
    out += close;
    return;
  }
  const bool oneLine = AllPlain(j);
  const std::string inner(static_cast<std::size_t>(indent + 2), ' ');
  out += open;
  bool first = true;
  for (auto it = j.begin(); it != j.end(); ++it) {
    if (!first) out += ',';
    first = false;
    if (oneLine) {
      if (it != j.begin()) out += ' ';
    } else {
      out += '\n';
      out += inner;
    }
    if (object) {
      out += Scalar(Json(it.key()));
      out += ": ";
    }
    Write(out, it.value(), indent + 2);
  }
  if (!oneLine) {
    out += '\n';
    out.append(static_cast<std::size_t>(indent), ' ');
  }
  out += close;
}

// The state's top-level object, member by member; a list member item by item.
class TJsonStream {
 public:
  explicit TJsonStream(std::ostream& out) : out_(out) {}

  void Member(const char* key, const Json& value) {
    Key(key);
    Write(buffer_, value, 2);
    Drain(false);
  }

  template <class L, class F>
  void List(const char* key, const L& list, F convert) {
    Key(key);
    bool first = true;
    for (const auto& e : list) {
      buffer_ += first ? "[\n    " : ",\n    ";
      first = false;
      Write(buffer_, convert(e), 4);
      Drain(false);
    }
    buffer_ += first ? "[]" : "\n  ]";
  }

  // Ends the object. False when the stream could not take everything.
  bool Finish() {
    buffer_ += members_ ? "\n}\n" : "{}\n";
    Drain(true);
    out_.flush();
    return !out_.fail();
  }

 private:
  void Key(const char* key) {
    buffer_ += members_++ ? ",\n  \"" : "{\n  \"";
    buffer_ += key;
    buffer_ += "\": ";
  }

  // Hands the buffer to the stream once it is large (or at the end).
  void Drain(bool all) {
    if (!all && buffer_.size() < (1 << 16)) return;
    out_.write(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
    buffer_.clear();
  }

  std::ostream& out_;
  std::string buffer_;
  int members_ = 0;
};

void StateToJson(const JwwState& st, TJsonStream& j) {
  j.Member("AxisAngle", st.AxisAngle);
  j.Member("GroupScale", Array(std::begin(st.GroupScale), std::end(st.GroupScale)));
  j.Member("SheetWidth", st.SheetWidth);
  j.Member("SheetHeight", st.SheetHeight);
  Json types = Json::array();
  for (int i = 1; i <= 10; ++i) types.push_back(TextType(st.TextTypes[i]));
  j.Member("TextTypes", types);
  j.Member("BzFlag", st.BzFlag);
  j.Member("HnValues", Array(std::begin(st.HnValues) + 1, std::end(st.HnValues)));

  j.Member("DrawingFileName", Text(st.DrawingFileName));

  j.Member("FirstGroup", st.FirstGroup);
  j.Member("FirstLayer", st.FirstLayer);
  j.Member("FirstLineColour", st.FirstLineColour);
  j.Member("FirstLineType", st.FirstLineType);
  j.Member("FirstLineWidth", st.FirstLineWidth);
  j.Member("FirstTextType", st.FirstTextType);
  j.Member("FirstFreeText", TextType(st.FirstFreeText));
  j.Member("FirstFontName", Text(st.FirstFontName));

  j.Member("CurGroup", st.CurGroup);
  j.Member("CurLayer", st.CurLayer);
  j.Member("CurLineColour", st.CurLineColour);
  j.Member("CurLineType", st.CurLineType);
  j.Member("CurLineWidth", st.CurLineWidth);
  j.Member("CurTextType", st.CurTextType);
  j.Member("CurFreeText", TextType(st.CurFreeText));
  j.Member("CurTextCode", st.CurTextCode);
  j.Member("CurFontName", Text(st.CurFontName));
  j.Member("CurPointColour", st.CurPointColour);
  j.Member("CurSolidColour", st.CurSolidColour);
  j.Member("AttrPending", Array(std::begin(st.AttrPending) + 1, std::end(st.AttrPending)));

  Json picked = Json::array();
  for (std::size_t slot = 0; slot < st.PickedPoints.size(); ++slot) {
    const TJwwPickedPoint& p = st.PickedPoints[slot];
    if (!p.Used) continue;
    picked.push_back(Json{{"Slot", slot}, {"Used", p.Used}, {"X", p.X}, {"Y", p.Y}, {"Kind", p.Kind}});
  }
  j.Member("PickedPoints", picked);
  j.Member("PickedCount", st.PickedCount);

  j.Member("GroupValues", st.GroupValues);
  j.Member("GroupNames", Texts(st.GroupNames));
  j.Member("LayerValues", st.LayerValues);
  j.Member("LayerNames", Texts(st.LayerNames));

  j.Member("CurHhpNo", st.CurHhpNo);
  j.Member("CurZFlags", st.CurZFlags);
  j.Member("PolylineCount", st.PolylineCount);
  j.Member("InPolyline", st.InPolyline);
  j.Member("InMessage", st.InMessage);
  j.Member("CurMessageLine", Line(st.CurMessageLine));

  j.List("Lines", st.Lines, Line);
  j.List("Circles", st.Circles, Circle);
  j.List("Arcs", st.Arcs, Arc);
  j.List("Texts", st.Texts, [&](const TJwwEntText& e) { return EntText(st, e); });
  j.List("Points", st.Points, Point);
  j.List("PointsEx", st.PointsEx, PointEx);
  j.List("Messages", st.Messages, [&](const TJwwEntMsg& e) { return Message(st, e); });
  j.List("Blocks", st.Blocks, [&](const TJwwEntBlk& e) { return Block(st, e); });
  j.List("Solids2", st.Solids2, Solid2);
  j.List("Solids3", st.Solids3, Solid3);
  j.List("Solids4", st.Solids4, Solid4);
  j.List("SolidsSc", st.SolidsSc, SolidSc);
  j.List("SolidsSe", st.SolidsSe, SolidSc);
  j.List("SolidsSo", st.SolidsSo, SolidSo);
  j.List("SolidsSg", st.SolidsSg, SolidSo);
  j.List("EntityOrder", st.EntityOrder, [](const TJwwOrderItem& e) {
    return Json{{"Kind", e.Kind}, {"Index", e.Index}};
  });

  j.Member("OutputCount", st.OutputCount);
  j.List("OutputLines", st.OutputLines, [](const TJwwOutputSlot& s) {
    return Json{{"Text", Text(s.Text)}, {"JoinNext", s.JoinNext}};
  });
}

}  // namespace

bool JwwWriteStateJson(const JwwState& st, std::ostream& out) {
  TJsonStream stream(out);
  StateToJson(st, stream);
  return stream.Finish();
}

std::string JwwStateToJson(const JwwState& st) {
  std::ostringstream out;
  JwwWriteStateJson(st, out);
  return std::move(out).str();
}
