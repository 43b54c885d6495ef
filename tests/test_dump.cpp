// The exchange state as JSON: golden files of whole readings (the host's samples and a file with
// every kind of entity), field names, numbers that read back exactly, and texts as UTF-8.
//
// On a mismatch the actual JSON is written beside the test executable as <name>.actual.json;
// with Q748_UPDATE_GOLDEN=1 in the environment the golden file itself is rewritten.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iterator>
#include <limits>
#include <nlohmann/json.hpp>
#include <random>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "CommandLine.h"
#include "JwwGaibu.h"
#include "MyFunc.h"
#include "TestSupport.h"

namespace fs = std::filesystem;

namespace {

constexpr int32_t kFirstKind = static_cast<int32_t>(TJwwEntityKind::Line);
constexpr int32_t kLastKind = static_cast<int32_t>(TJwwEntityKind::SolidSg);

const fs::path kData = Q748_TEST_DATA;

using ::testing::HasSubstr;
using testsupport::ReadFile;
using testsupport::WriteFile;

// ---- The dump as nlohmann-json builds it --------------------------------------------------------
// One JSON value per record, laid out value by value: the reference the direct writer is held to,
// byte for byte.
namespace reference {

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
  return Json{{"Head", Head(e.Head)},
              {"TextKind", e.TextKind},
              {"TextCode", e.TextCode},
              {"TextType", e.TextType},
              {"Width", e.Width},
              {"Height", e.Height},
              {"Spacing", e.Spacing},
              {"X", e.X},
              {"Y", e.Y},
              {"DirX", e.DirX},
              {"DirY", e.DirY},
              {"FontName", Pooled(st, e.FontName)},
              {"Text", Pooled(st, e.Text)}};
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

template <class L, class F>
Json List(const L& list, F convert) {
  Json a = Json::array();
  for (const auto& e : list) a.push_back(convert(e));
  return a;
}

bool IsPlain(const Json& j) { return !j.is_object() && !j.is_array(); }

bool AllPlain(const Json& j) {
  for (const Json& e : j) {
    if (!IsPlain(e)) return false;
  }
  return true;
}

// Reals: the shortest form that reads back, ".0" on whole numbers.
std::string Real(double x) {
  if (!std::isfinite(x)) return "null";
  char buf[64];
  const std::to_chars_result r = std::to_chars(buf, buf + sizeof buf, x);
  std::string s(buf, r.ptr);
  if (std::ranges::none_of(s, [](char ch) { return ch == '.' || ch == 'e'; })) s += ".0";
  return s;
}

std::string Scalar(const Json& j) {
  if (j.is_number_float()) return Real(j.get<double>());
  return j.dump(-1, ' ', false, Json::error_handler_t::replace);
}

// A value whose members are all plain takes one line.
void Write(std::string& out, const Json& j, int indent) {
  if (IsPlain(j)) {
    out += Scalar(j);
    return;
  }
  const bool object = j.is_object();
  if (j.empty()) {
    out += object ? "{}" : "[]";
    return;
  }
  const bool oneLine = AllPlain(j);
  const std::string inner(static_cast<std::size_t>(indent + 2), ' ');
  out += object ? '{' : '[';
  for (auto it = j.begin(); it != j.end(); ++it) {
    if (it != j.begin()) out += ',';
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
  out += object ? '}' : ']';
}

std::string Dump(const JwwState& st) {
  Json j;
  j["AxisAngle"] = st.AxisAngle;
  j["GroupScale"] = Array(std::begin(st.GroupScale), std::end(st.GroupScale));
  j["SheetWidth"] = st.SheetWidth;
  j["SheetHeight"] = st.SheetHeight;
  j["TextTypes"] = List(std::span(std::begin(st.TextTypes) + 1, std::end(st.TextTypes)), TextType);
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
    picked.push_back(Json{
        {"Slot", slot}, {"Used", p.Used}, {"X", p.X}, {"Y", p.Y}, {"Kind", static_cast<int32_t>(p.Kind)}});
  }
  j["PickedPoints"] = picked;
  j["PickedCount"] = st.PickedCount;
  Json picks = Json::array();
  for (int pick = 0; pick < 64; ++pick) {
    if (st.NonNumericPicks & (uint64_t{1} << pick)) picks.push_back(pick);
  }
  j["NonNumericPicks"] = picks;
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
    return Json{{"Kind", static_cast<int32_t>(e.Kind)}, {"Index", e.Index}};
  });
  j["OutputCount"] = st.OutputCount;
  j["OutputLines"] = List(st.OutputLines, [](const TJwwOutputSlot& s) {
    return Json{{"Text", Text(s.Text)}, {"JoinNext", s.JoinNext}};
  });
  std::string out;
  Write(out, j, 0);
  return out + "\n";
}

}  // namespace reference

struct GoldenCase {
  const char* Input;   // under tests/data
  const char* Golden;  // under tests/data/read
};

TEST(DumpJson, GoldenFiles) {
  const GoldenCase cases[] = {
      {"hosts/host-input-1.txt", "host-input-1.json"},
      {"hosts/host-input-2.txt", "host-input-2.json"},
      {"read/entities.txt", "entities.json"},
  };
  const char* update = std::getenv("Q748_UPDATE_GOLDEN");
  for (const GoldenCase& c : cases) {
    JwwState st;
    ASSERT_TRUE(JwwReadFile(st, kData / c.Input)) << c.Input;
    const std::string actual = JwwStateToJson(st);
    const fs::path golden = kData / "read" / c.Golden;
    if (update && std::strcmp(update, "1") == 0) WriteFile(golden, actual);
    const std::string expected = ReadFile(golden);
    EXPECT_EQ(actual, expected) << c.Input << ": see " << fs::absolute(std::string(c.Golden) + ".actual");
    if (actual != expected) WriteFile(std::string(c.Golden) + ".actual", actual);
  }
}

// ---- States for the differential test -----------------------------------------------------------

// Numbers at the edges of the shortest form: signed zero, the ends of the range, whole numbers
// around the point where the exponent form becomes the shorter one, and values no reading gives.
const double kEdgeNumbers[] = {0.0,
                               -0.0,
                               1e-300,
                               1e300,
                               0.1,
                               1.0,
                               -3.0,
                               10000.0,
                               1e5,
                               123456.0,
                               1200000.0,
                               1e6,
                               -1e15,
                               1e16,
                               1e21,
                               1e22,
                               1e23,
                               9007199254740993.0,
                               0.30000000000000004,
                               1e-5,
                               0.0001,
                               -1.5e-7,
                               4.9406564584124654e-324,
                               std::numeric_limits<double>::min(),
                               std::numeric_limits<double>::max(),
                               -std::numeric_limits<double>::max(),
                               std::numeric_limits<double>::quiet_NaN(),
                               std::numeric_limits<double>::infinity(),
                               -std::numeric_limits<double>::infinity()};

const int32_t kEdgeInts[] = {
    0, -1, 1, 9, 10, -10, 100000, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()};

using namespace std::string_view_literals;

// Quotes, backslashes, every kind of control byte (NUL included), DEL, a slash, Shift-JIS that is
// valid, half-width katakana, and bytes that are no character.
const std::string_view kEdgeTexts[] = {""sv,
                                       "\""sv,
                                       "\\"sv,
                                       "a\"b\\c/d"sv,
                                       "\x01\x02\x07\x08\x09\x0a\x0b\x0c\x0d\x0e\x1a\x1b\x1f\x20\x7f"sv,
                                       "a\0b"sv,
                                       "\x90\xa1\x96\x40"sv,
                                       "\xb1\xdf"sv,
                                       "a\x80"sv,
                                       "\x82"sv,
                                       "\x81\x20\xfd\xfe\xff\x80\xa0"sv,
                                       "C:\\jww\\\x90\x7d\x96\xca \"1\".jww\r\n"sv};

// Values for the fields of a state: the edge values in turn (seed 0), or random ones.
class TValues {
 public:
  explicit TValues(uint64_t seed) : random_(seed != 0), g_(seed) {}

  double Number() {
    if (!random_) return kEdgeNumbers[n_++ % std::size(kEdgeNumbers)];
    switch (g_() % 4) {
      case 0: return kEdgeNumbers[g_() % std::size(kEdgeNumbers)];
      case 1: return std::bit_cast<double>(static_cast<uint64_t>(g_()));
      case 2: return static_cast<double>(static_cast<int64_t>(g_() % 4000001) - 2000000);
      default:
        return static_cast<double>(static_cast<int64_t>(g_() % 2000001) - 1000000) / std::pow(10.0, g_() % 9);
    }
  }
  int32_t Int() {
    if (!random_) return kEdgeInts[i_++ % std::size(kEdgeInts)];
    if (g_() % 2 == 0) return kEdgeInts[g_() % std::size(kEdgeInts)];
    return static_cast<int32_t>(static_cast<uint32_t>(g_()));
  }
  bool Bool() { return random_ ? g_() % 2 == 0 : (b_++ % 2) == 0; }
  std::string Text() {
    if (!random_ || g_() % 3 == 0) return std::string(kEdgeTexts[t_++ % std::size(kEdgeTexts)]);
    std::string s(g_() % 16, ' ');
    for (char& c : s) c = static_cast<char>(g_() % 4 == 0 ? 0x81 + g_() % 0x7F : g_() % 256);
    return s;
  }
  uint64_t Next() { return random_ ? g_() : n_++; }

 private:
  bool random_;
  std::mt19937_64 g_;
  std::size_t n_ = 0, i_ = 0, b_ = 0, t_ = 0;
};

TJwwStrRef Pool(JwwState& st, const std::string& s) {
  const TJwwStrRef r{static_cast<uint32_t>(st.Strings.size()), static_cast<uint32_t>(s.size())};
  st.Strings += s;
  return r;
}

uint32_t AddHead(JwwState& st, TValues& v) {
  TJwwAttrHead& h = st.Tables.Heads.Add();
  h = TJwwAttrHead{v.Int(), v.Int(), v.Int(), v.Int(), v.Int(), v.Int(), v.Int()};
  return static_cast<uint32_t>(st.Tables.Heads.Count() - 1);
}

TJwwRecText AddText(JwwState& st, TValues& v) {
  TJwwTextStyle& s = st.Tables.Styles.Add();
  s = TJwwTextStyle{v.Int(), v.Int(), v.Int(), v.Number(), v.Number(), v.Number(), Pool(st, v.Text())};
  const auto style = static_cast<uint32_t>(st.Tables.Styles.Count() - 1);
  return TJwwRecText{AddHead(st, v), style,      v.Number(),        v.Number(),
                     v.Number(),     v.Number(), Pool(st, v.Text())};
}

TJwwRecLine AddLine(JwwState& st, TValues& v) {
  return TJwwRecLine{AddHead(st, v), v.Int(), v.Number(), v.Number(), v.Number(), v.Number()};
}

void Reals(TValues& v, double* first, double* last) {
  for (; first != last; ++first) *first = v.Number();
}

void FillTextType(TValues& v, TJwwTextType& t) {
  t = TJwwTextType{v.Number(), v.Number(), v.Number(), v.Int()};
}

// Every field of the state from V, and RECORDS records of every kind, in the reading order too.
void Fill(JwwState& st, TValues& v, int records) {
  st.AxisAngle = v.Number();
  Reals(v, std::begin(st.GroupScale), std::end(st.GroupScale));
  st.SheetWidth = v.Number();
  st.SheetHeight = v.Number();
  for (TJwwTextType& t : st.TextTypes) FillTextType(v, t);
  st.BzFlag = v.Bool();
  Reals(v, std::begin(st.HnValues), std::end(st.HnValues));
  st.DrawingFileName = v.Text();
  for (int32_t* x : {&st.FirstGroup, &st.FirstLayer, &st.FirstLineColour, &st.FirstLineType,
                     &st.FirstLineWidth, &st.FirstTextType, &st.CurGroup, &st.CurLayer, &st.CurLineColour,
                     &st.CurLineType, &st.CurLineWidth, &st.CurTextType, &st.CurTextCode, &st.CurPointColour,
                     &st.CurSolidColour, &st.PickedCount, &st.CurHhpNo, &st.CurZFlags, &st.PolylineCount}) {
    *x = v.Int();
  }
  FillTextType(v, st.FirstFreeText);
  FillTextType(v, st.CurFreeText);
  st.FirstFontName = v.Text();
  st.CurFontName = v.Text();
  for (bool& b : st.AttrPending) b = v.Bool();
  for (TJwwPickedPoint& p : st.PickedPoints)
    p = TJwwPickedPoint{v.Next() % 5 == 0, v.Number(), v.Number(), static_cast<TJwwPickKind>(v.Int())};
  st.NonNumericPicks = static_cast<uint64_t>(v.Int()) << 32 | static_cast<uint32_t>(v.Int());
  for (int32_t& x : st.GroupValues) x = v.Int();
  for (std::string& s : st.GroupNames) s = v.Text();
  for (int32_t& x : st.LayerValues) x = v.Int();
  for (std::size_t i = 0; i < st.LayerNames.size(); i += 1 + v.Next() % 40) st.LayerNames[i] = v.Text();
  st.InPolyline = v.Bool();
  st.InMessage = v.Bool();
  st.CurMessageLine = TJwwEntLine{TJwwAttrHead{v.Int(), v.Int(), v.Int(), v.Int(), v.Int(), v.Int(), v.Int()},
                                  v.Int(),
                                  v.Number(),
                                  v.Number(),
                                  v.Number(),
                                  v.Number()};

  for (int i = 0; i < records; ++i) {
    st.Lines.Records().Add() = AddLine(st, v);
    st.Circles.Records().Add() = TJwwRecCircle{AddHead(st, v), v.Number(), v.Number(), v.Number()};
    TJwwRecArc& arc = st.Arcs.Records().Add();
    arc.HeadNo = AddHead(st, v);
    Reals(v, &arc.X, &arc.Value7 + 1);
    st.Texts.Records().Add() = AddText(st, v);
    st.Points.Records().Add() = TJwwRecPoint{AddHead(st, v), v.Number(), v.Number()};
    st.PointsEx.Records().Add() =
        TJwwRecPointEx{AddHead(st, v), v.Int(), v.Number(), v.Number(), v.Number(), v.Number()};
    st.Messages.Records().Add() = TJwwRecMsg{AddLine(st, v), AddText(st, v)};
    st.Blocks.Records().Add() = TJwwRecBlk{AddHead(st, v), Pool(st, v.Text()), v.Number(), v.Number()};
    TJwwRecSolid2& s2 = st.Solids2.Records().Add();
    s2 = TJwwRecSolid2{AddHead(st, v), v.Int(), v.Number(), v.Number(), v.Number(), v.Number()};
    TJwwRecSolid3& s3 = st.Solids3.Records().Add();
    s3.HeadNo = AddHead(st, v);
    s3.SolidColour = v.Int();
    Reals(v, &s3.X1, &s3.Y3 + 1);
    TJwwRecSolid4& s4 = st.Solids4.Records().Add();
    s4.HeadNo = AddHead(st, v);
    s4.SolidColour = v.Int();
    Reals(v, &s4.X1, &s4.Y4 + 1);
    for (auto* list : {&st.SolidsSc.Records(), &st.SolidsSe.Records()}) {
      TJwwRecSolidSc& r = list->Add();
      r.HeadNo = AddHead(st, v);
      r.SolidColour = v.Int();
      Reals(v, std::begin(r.Values), std::end(r.Values));
      r.Code = v.Int();
    }
    for (auto* list : {&st.SolidsSo.Records(), &st.SolidsSg.Records()}) {
      TJwwRecSolidSo& r = list->Add();
      r.HeadNo = AddHead(st, v);
      r.SolidColour = v.Int();
      Reals(v, std::begin(r.Values), std::end(r.Values));
    }
    for (int32_t kind = kFirstKind; kind <= kLastKind; ++kind)
      st.EntityOrder.Add(static_cast<TJwwEntityKind>(kind));
    st.OutputLines.push_back(TJwwOutputSlot{v.Text(), v.Bool()});
    st.OutputCount = static_cast<int32_t>(st.OutputLines.size());
  }
}

// A random exchange file: header, attribute and entity lines of every kind with random numbers and
// texts, and lines of random bytes.
std::string RandomExchange(TValues& v, int lines) {
  const auto number = [&] {
    char buf[40];
    return std::string(buf, std::to_chars(buf, buf + sizeof buf, v.Number()).ptr);
  };
  const auto numbers = [&](int n) {
    std::string s;
    for (int i = 0; i < n; ++i) s += " " + number();
    return s;
  };
  std::string file = "hq\n";
  for (int i = 0; i < lines; ++i) {
    const std::string n = std::to_string(v.Next() % 20);
    switch (v.Next() % 24) {
      case 0: file += "hk" + numbers(1); break;
      case 1: file += "hs" + numbers(16); break;
      case 2: file += "hp" + n + numbers(2); break;
      case 3: file += "file=" + v.Text(); break;
      case 4: file += "lg" + n + " 1"; break;
      case 5: file += "lgn" + v.Text(); break;
      case 6: file += "lyn" + v.Text(); break;
      case 7: file += "lc" + n + " " + n; break;
      case 8: file += "cn" + n + numbers(4); break;
      case 9: file += "cn\"$" + v.Text(); break;
      case 10: file += "hhp" + n; break;
      case 11: file += "z" + n; break;
      case 12: file += numbers(4).substr(1); break;
      case 13: file += "ci" + numbers(3); break;
      case 14: file += "ci" + numbers(7); break;
      case 15: file += std::string(v.Next() % 2 ? "ch" : "cs") + numbers(4) + " \"" + v.Text(); break;
      case 16: file += "pt" + numbers(2); break;
      case 17: file += "pt" + numbers(5); break;
      case 18: file += "BL" + numbers(2) + " " + v.Text(); break;
      case 19: file += "sl" + numbers(4 + 2 * static_cast<int>(v.Next() % 3)); break;
      case 20: file += std::string(v.Next() % 2 ? "sc" : "se") + numbers(8); break;
      case 21: file += std::string(v.Next() % 2 ? "so" : "sg") + numbers(8); break;
      case 22: file += v.Next() % 2 ? "pl" : "msg"; break;
      default: file += v.Text(); break;
    }
    file += v.Next() % 4 ? "\n" : "\n#\n";
  }
  return file;
}

TEST(DumpJson, SameAsBuiltValueByValue) {
  struct DiffCase {
    const char* Name;
    int Seeds;       // 0: the edge values in turn, once
    bool EveryKind;  // the states hold every kind of entity between them
    void (*Build)(JwwState&, TValues&);
  };
  const DiffCase cases[] = {
      {"a fresh state", 0, false, [](JwwState&, TValues&) {}},
      {"the golden inputs", 0, false,
       [](JwwState& st, TValues&) {
         for (const char* f : {"hosts/host-input-1.txt", "hosts/host-input-2.txt", "read/entities.txt"}) {
           ASSERT_TRUE(JwwReadFile(st, kData / f)) << f;
         }
       }},
      {"every field and kind, edge values", 0, true,
       [](JwwState& st, TValues& v) { Fill(st, v, static_cast<int>(std::size(kEdgeNumbers))); }},
      // Past the writer's buffer: many records, and one text larger than the buffer itself.
      {"many records, a long name", 0, true,
       [](JwwState& st, TValues& v) {
         Fill(st, v, 400);
         st.Blocks.Records().Add() =
             TJwwRecBlk{0, Pool(st, std::string(60000, '\x01') + "\x90\xa1"), 1.0, 2.0};
       }},
      {"random states", 40, true,
       [](JwwState& st, TValues& v) { Fill(st, v, static_cast<int>(v.Next() % 8)); }},
      {"random exchange files", 40, true,
       [](JwwState& st, TValues& v) {
         JwwReadBuffer(st, RandomExchange(v, static_cast<int>(v.Next() % 80)));
       }},
  };
  for (const DiffCase& c : cases) {
    std::set<int32_t> kinds;
    for (int seed = c.Seeds ? 1 : 0; seed <= c.Seeds; ++seed) {
      JwwState st;
      TValues v(static_cast<uint64_t>(seed));
      c.Build(st, v);
      const std::string actual = JwwStateToJson(st);
      const std::string expected = reference::Dump(st);
      ASSERT_EQ(actual, expected) << c.Name << ", seed " << seed;
      for (int32_t kind = kFirstKind; kind <= kLastKind; ++kind) {
        if (JwwListCount(st, kind) > 0) kinds.insert(kind);
      }
    }
    if (c.EveryKind) {
      EXPECT_EQ(kinds.size(), static_cast<std::size_t>(kLastKind)) << c.Name;
    }
  }
}

TEST(DumpJson, KeysAreTheStateNames) {
  JwwState st;
  const nlohmann::ordered_json j = nlohmann::ordered_json::parse(JwwStateToJson(st));
  std::vector<std::string> keys;
  for (auto it = j.begin(); it != j.end(); ++it) keys.push_back(it.key());
  // clang-format off
  const std::vector<std::string> expected = {
      "AxisAngle", "GroupScale", "SheetWidth", "SheetHeight", "TextTypes", "BzFlag", "HnValues",
      "DrawingFileName", "FirstGroup", "FirstLayer", "FirstLineColour", "FirstLineType",
      "FirstLineWidth", "FirstTextType", "FirstFreeText", "FirstFontName", "CurGroup", "CurLayer",
      "CurLineColour", "CurLineType", "CurLineWidth", "CurTextType", "CurFreeText", "CurTextCode",
      "CurFontName", "CurPointColour", "CurSolidColour", "AttrPending", "PickedPoints",
      "PickedCount", "NonNumericPicks", "GroupValues", "GroupNames", "LayerValues", "LayerNames", "CurHhpNo",
      "CurZFlags", "PolylineCount", "InPolyline", "InMessage", "CurMessageLine", "Lines",
      "Circles", "Arcs", "Texts", "Points", "PointsEx", "Messages", "Blocks", "Solids2", "Solids3",
      "Solids4", "SolidsSc", "SolidsSe", "SolidsSo", "SolidsSg", "EntityOrder", "OutputCount",
      "OutputLines"};
  // clang-format on
  EXPECT_EQ(keys, expected);
  EXPECT_EQ(j["TextTypes"].size(), 10u);
  EXPECT_EQ(j["HnValues"].size(), 4u);
  EXPECT_EQ(j["AttrPending"].size(), 9u);
  EXPECT_EQ(j["LayerNames"].size(), 256u);
  EXPECT_EQ(j["CurMessageLine"]["Head"]["LineType"], 1);
  EXPECT_EQ(j["CurMessageLine"]["X2"], 1.0);
}

TEST(DumpJson, NumbersReadBackExactly) {
  // clang-format off
  const char* const numbers[] = {"0.1", "-0", "1e-300", "123456789.123456789", "0.30000000000000004",
                                 "1.7976931348623157e308", "2.2250738585072014e-308", "-1820.40918462097",
                                 "3", "1e22", "1e23", "4.35", "-2.5e-7", "1e300", "1e5", "1e6",
                                 "4.9406564584124654e-324"};
  // clang-format on
  std::string content;
  int slot = 1;
  for (const char* x : numbers) content += "hp" + std::to_string(slot++) + " " + x + " " + x + "\n";
  JwwState st;
  JwwReadBuffer(st, content);
  const nlohmann::json j = nlohmann::json::parse(JwwStateToJson(st));
  const nlohmann::json& picked = j["PickedPoints"];
  ASSERT_EQ(picked.size(), std::size(numbers));
  for (std::size_t i = 0; i < picked.size(); ++i) {
    const TJwwPickedPoint& p = st.PickedPoints[i + 1];
    EXPECT_EQ(picked[i]["Slot"], i + 1);
    const double x = picked[i]["X"].get<double>();
    EXPECT_EQ(std::memcmp(&x, &p.X, sizeof x), 0) << numbers[i];  // bit for bit, -0 included
  }
}

TEST(DumpJson, TextsBecomeUtf8) {
  JwwState st;
  // "寸法" in Shift-JIS, then bytes that are no character, then a lone lead byte.
  JwwReadBuffer(st, "ch 0 0 1 0 \"\x90\xa1\x96\x40 \xFD\x20 x\x82");
  ASSERT_EQ(st.Texts.Count(), 1);
  const nlohmann::json j = nlohmann::json::parse(JwwStateToJson(st));  // throws on bad UTF-8
  const std::string text = j["Texts"][0]["Text"];
  EXPECT_EQ(text.substr(0, 7), "\xE5\xAF\xB8\xE6\xB3\x95 ");  // 寸法
  EXPECT_THAT(text, HasSubstr("\xEF\xBF\xBD"));               // U+FFFD for the stray bytes
  EXPECT_EQ(j["Texts"][0]["FontName"],
            "<\xEF\xBC\xAD\xEF\xBC\xB3 \xE3\x82\xB4\xE3\x82\xB7\xE3\x83\x83\xE3\x82\xAF>");
}

}  // namespace
