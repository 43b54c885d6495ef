// The exchange state as JSON, for --dump and for the golden tests of reading.
//
// Keys are the state's field names, in the state's own order, so the output is deterministic.
// Numbers are JSON numbers written in their shortest form that reads back to the same double;
// texts are converted from Shift-JIS to UTF-8 (bytes that are no character become U+FFFD).
// Tables indexed from 1 (TextTypes, HnValues, AttrPending) are arrays starting at index 1;
// PickedPoints lists only the slots an "hp" line filled, each with its slot number.
// Layout: an object or array whose members are all plain values takes one line.
#include <charconv>
#include <cmath>
#include <nlohmann/json.hpp>

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
  return Json{{"HhpNo", h.HhpNo},         {"Group", h.Group},         {"Layer", h.Layer},
              {"Colour", h.Colour},       {"LineType", h.LineType},   {"LineWidth", h.LineWidth},
              {"ZFlags", h.ZFlags}};
}

Json Line(const TJwwEntLine& e) {
  return Json{{"Head", Head(e.Head)}, {"PolylineNo", e.PolylineNo}, {"X1", e.X1},
              {"Y1", e.Y1},           {"X2", e.X2},                 {"Y2", e.Y2}};
}

Json Circle(const TJwwEntCircle& e) {
  return Json{{"Head", Head(e.Head)}, {"X", e.X}, {"Y", e.Y}, {"Radius", e.Radius}};
}

Json Arc(const TJwwEntArc& e) {
  return Json{{"Head", Head(e.Head)}, {"X", e.X},           {"Y", e.Y},
              {"Radius", e.Radius},   {"Value4", e.Value4}, {"Value5", e.Value5},
              {"Value6", e.Value6},   {"Value7", e.Value7}};
}

Json Point(const TJwwEntPoint& e) { return Json{{"Head", Head(e.Head)}, {"X", e.X}, {"Y", e.Y}}; }

Json PointEx(const TJwwEntPointEx& e) {
  return Json{{"Head", Head(e.Head)}, {"X", e.X},         {"Y", e.Y},
              {"Scale", e.Scale},     {"Angle", e.Angle}, {"Code", e.Code}};
}

Json EntText(const JwwState& st, const TJwwEntText& e) {
  return Json{{"Head", Head(e.Head)},  {"TextKind", e.TextKind},
              {"TextCode", e.TextCode}, {"TextType", e.TextType},
              {"Width", e.Width},       {"Height", e.Height},
              {"Spacing", e.Spacing},   {"X", e.X},
              {"Y", e.Y},               {"DirX", e.DirX},
              {"DirY", e.DirY},         {"FontName", Pooled(st, e.FontName)},
              {"Text", Pooled(st, e.Text)}};
}

Json Message(const JwwState& st, const TJwwEntMsg& e) {
  return Json{{"Line", Line(e.Line)}, {"Text", EntText(st, e.Text)}};
}

Json Block(const JwwState& st, const TJwwEntBlk& e) {
  return Json{{"Head", Head(e.Head)}, {"X", e.X}, {"Y", e.Y}, {"Name", Pooled(st, e.Name)}};
}

Json Solid2(const TJwwEntSolid2& e) {
  return Json{{"Head", Head(e.Head)}, {"SolidColour", e.SolidColour}, {"X1", e.X1},
              {"Y1", e.Y1},           {"X2", e.X2},                   {"Y2", e.Y2}};
}

Json Solid3(const TJwwEntSolid3& e) {
  return Json{{"Head", Head(e.Head)}, {"SolidColour", e.SolidColour}, {"X1", e.X1}, {"Y1", e.Y1},
              {"X2", e.X2},           {"Y2", e.Y2},                   {"X3", e.X3}, {"Y3", e.Y3}};
}

Json Solid4(const TJwwEntSolid4& e) {
  return Json{{"Head", Head(e.Head)}, {"SolidColour", e.SolidColour}, {"X1", e.X1}, {"Y1", e.Y1},
              {"X2", e.X2},           {"Y2", e.Y2},                   {"X3", e.X3}, {"Y3", e.Y3},
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

template <class L, class F>
Json List(const L& list, F convert) {
  Json a = Json::array();
  for (const auto& e : list) a.push_back(convert(e));
  return a;
}

Json Texts(const std::vector<std::string>& names) {
  Json a = Json::array();
  for (const std::string& s : names) a.push_back(Text(s));
  return a;
}

Json StateToJson(const JwwState& st) {
  Json j;
  j["AxisAngle"] = st.AxisAngle;
  j["GroupScale"] = Array(std::begin(st.GroupScale), std::end(st.GroupScale));
  j["SheetWidth"] = st.SheetWidth;
  j["SheetHeight"] = st.SheetHeight;
  Json types = Json::array();
  for (int i = 1; i <= 10; ++i) types.push_back(TextType(st.TextTypes[i]));
  j["TextTypes"] = types;
  j["BzFlag"] = st.BzFlag;
  j["HnValues"] = Array(std::begin(st.HnValues) + 1, std::end(st.HnValues));

  j["DrawingFileName"] = Text(st.DrawingFileName);

  j["FirstGroup"] = st.FirstGroup;
  j["FirstLayer"] = st.FirstLayer;
  j["FirstLineColour"] = st.FirstLineColour;
  j["FirstLineType"] = st.FirstLineType;
  j["FirstLineWidth"] = st.FirstLineWidth;
  j["FirstTextType"] = st.FirstTextType;
  j["FirstFreeText"] = TextType(st.FirstFreeText);
  j["FirstFontName"] = Text(st.FirstFontName);

  j["CurGroup"] = st.CurGroup;
  j["CurLayer"] = st.CurLayer;
  j["CurLineColour"] = st.CurLineColour;
  j["CurLineType"] = st.CurLineType;
  j["CurLineWidth"] = st.CurLineWidth;
  j["CurTextType"] = st.CurTextType;
  j["CurFreeText"] = TextType(st.CurFreeText);
  j["CurTextCode"] = st.CurTextCode;
  j["CurFontName"] = Text(st.CurFontName);
  j["CurPointColour"] = st.CurPointColour;
  j["CurSolidColour"] = st.CurSolidColour;
  j["AttrPending"] = Array(std::begin(st.AttrPending) + 1, std::end(st.AttrPending));

  Json picked = Json::array();
  for (std::size_t slot = 0; slot < st.PickedPoints.size(); ++slot) {
    const TJwwPickedPoint& p = st.PickedPoints[slot];
    if (!p.Used) continue;
    picked.push_back(Json{{"Slot", slot}, {"Used", p.Used}, {"X", p.X}, {"Y", p.Y}, {"Kind", p.Kind}});
  }
  j["PickedPoints"] = picked;
  j["PickedCount"] = st.PickedCount;

  j["GroupValues"] = st.GroupValues;
  j["GroupNames"] = Texts(st.GroupNames);
  j["LayerValues"] = st.LayerValues;
  j["LayerNames"] = Texts(st.LayerNames);

  j["CurHhpNo"] = st.CurHhpNo;
  j["CurZFlags"] = st.CurZFlags;
  j["PolylineCount"] = st.PolylineCount;
  j["InPolyline"] = st.InPolyline;
  j["InMessage"] = st.InMessage;
  j["CurMessageLine"] = Line(st.CurMessageLine);

  j["Lines"] = List(st.Lines, Line);
  j["Circles"] = List(st.Circles, Circle);
  j["Arcs"] = List(st.Arcs, Arc);
  j["Texts"] = List(st.Texts, [&](const TJwwEntText& e) { return EntText(st, e); });
  j["Points"] = List(st.Points, Point);
  j["PointsEx"] = List(st.PointsEx, PointEx);
  j["Messages"] = List(st.Messages, [&](const TJwwEntMsg& e) { return Message(st, e); });
  j["Blocks"] = List(st.Blocks, [&](const TJwwEntBlk& e) { return Block(st, e); });
  j["Solids2"] = List(st.Solids2, Solid2);
  j["Solids3"] = List(st.Solids3, Solid3);
  j["Solids4"] = List(st.Solids4, Solid4);
  j["SolidsSc"] = List(st.SolidsSc, SolidSc);
  j["SolidsSe"] = List(st.SolidsSe, SolidSc);
  j["SolidsSo"] = List(st.SolidsSo, SolidSo);
  j["SolidsSg"] = List(st.SolidsSg, SolidSo);
  j["EntityOrder"] = List(st.EntityOrder, [](const TJwwOrderItem& e) {
    return Json{{"Kind", e.Kind}, {"Index", e.Index}};
  });

  Json output = Json::array();
  for (const TJwwOutputSlot& s : st.OutputLines)
    output.push_back(Json{{"Text", Text(s.Text)}, {"JoinNext", s.JoinNext}});
  j["OutputCount"] = st.OutputCount;
  j["OutputLines"] = output;
  return j;
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

}  // namespace

std::string JwwStateToJson(const JwwState& st) {
  std::string out;
  Write(out, StateToJson(st), 0);
  out += '\n';
  return out;
}
