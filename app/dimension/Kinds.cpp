// The kinds of dimension, the three directions of the linear kind and its continued modes: their
// names, settings files, captions and words. Each table is a switch over its enum, so that a row
// left out fails to compile (-Werror=switch) instead of falling back to another.
#include <cstdlib>
#include <string>
#include <vector>

#include "Dimension.h"
#include "ArcKinds.h"
#include "LinearKind.h"
#include "MoveKind.h"
#include "RoundKinds.h"

namespace {

// The prompts' customary legend: left click a free point, right click a point of the drawing.
#define Q748_POINT(text) text " (L)free (R)Read"
constexpr const char* kTextStartPrompt = Q748_POINT("寸法値を書き始める点を指示してください");

}  // namespace

namespace {

// The preview's marks: a linear dimension's two measured points, a circle's or arc's centre, where
// an angle's lines cross.
std::vector<TPointD> MeasuredPoints(const TDimensionInput& in) {
  if (in.Pick == TPick::Fence) return in.Row;
  return {{in.Points[1].X, in.Points[1].Y}, {in.Points[2].X, in.Points[2].Y}};
}
std::vector<TPointD> Centre(const TDimensionInput& in) { return {in.Centre}; }
std::vector<TPointD> Crossing(const TDimensionInput& in) {
  TDimensionArc arc;
  if (AngleArc(in, arc)) return {arc.Centre};
  return {};
}

}  // namespace

const TKindEntry* KindRow(TKind k) {
  static const TKindEntry kLinear{
      .Kind = TKind::Linear,
      .Name = "linear",
      .Word = nullptr,
      .SettingsFile = nullptr,
      .Launcher = nullptr,
      .HasDirections = true,
      .RecordsPoints = true,
      .TextKind = kJwwTextSloped,
      .Symbol = "",
      .After = "",
      .Unitless = false,
      .Prompts = {{"#1", Q748_POINT("計測する１点目を指示してください")},
                  {"#2", Q748_POINT("計測する２点目を指示してください")},
                  {"#3", Q748_POINT("寸法線を通す点を指示してください")},
                  {"#4", kTextStartPrompt}},
      .Draws = {"◇寸法値が離れた{D}寸法", "　線を作図し、寸法値へ", "　引出線を引きます"},
      .Asks = {"　計測する２点、寸法線", "　を通す点、寸法値を", "　書き始める点"},
      .Unused = {},
      .MakePoints = LinearPoints,
      .Check = CheckLinearDimension,
      .Measure = MeasureLinear,
      .ValueText = NumberValueText,
      .Construct = ConstructLinearDimension,
      .Marks = MeasuredPoints,
  };
  static const TKindEntry kRadius{
      .Kind = TKind::Radius,
      .Name = "radius",
      .Word = "半径",
      .SettingsFile = "q746r.dat",
      .Launcher = "q748rd",
      .HasDirections = false,
      .RecordsPoints = false,
      .TextKind = 3,  // "cr"
      .Symbol = "R",
      .After = "",
      .Unitless = false,
      .Prompts = {{"#1ci", "半径を記入する円・円弧を指示してください"}, {"#2", kTextStartPrompt}},
      .Draws = {"◇円・円弧の半径を測り", "　寸法値が離れた半径寸法", "　を作図します"},
      .Asks = {"　円・円弧、寸法値を", "　書き始める点", ""},
      // No marker at the centre, no extension lines.
      .Unused = {"ComboBox1", "Edit5", "Edit6"},
      .MakePoints = RoundPoints,
      .Check = CheckRoundDimension,
      .Measure = MeasureRound,
      .ValueText = NumberValueText,
      .Construct = ConstructRoundDimension,
      .Marks = Centre,
  };
  static const TKindEntry kDiameter{
      .Kind = TKind::Diameter,
      .Name = "diameter",
      .Word = "直径",
      .SettingsFile = "q746d.dat",
      .Launcher = "q748dm",
      .HasDirections = false,
      .RecordsPoints = false,
      .TextKind = 4,  // "co"
      .Symbol = "φ",
      .After = "",
      .Unitless = false,
      .Prompts = {{"#1ci", "直径を記入する円・円弧を指示してください"}, {"#2", kTextStartPrompt}},
      .Draws = {"◇円・円弧の直径を測り", "　寸法値が離れた直径寸法", "　を作図します"},
      .Asks = {"　円・円弧、寸法値を", "　書き始める点", ""},
      // No extension lines; Edit6 takes the line of a part circle past the centre.
      .Unused = {"Edit5"},
      .MakePoints = RoundPoints,
      .Check = CheckRoundDimension,
      .Measure = MeasureRound,
      .ValueText = NumberValueText,
      .Construct = ConstructRoundDimension,
      .Marks = Centre,
  };
  static const TKindEntry kArcLength{
      .Kind = TKind::ArcLength,
      .Name = "arclength",
      .Word = "弧長",
      .SettingsFile = "q746arc.dat",
      .Launcher = "q748arc",
      .HasDirections = false,
      .RecordsPoints = false,
      .TextKind = kJwwTextSloped,
      .Symbol = "⌒",
      .After = "",
      .Unitless = false,
      .Prompts = {{"#1ci", "弧長を記入する円弧を指示してください"},
                  {"#2", Q748_POINT("寸法線（円弧）を通す点を指示してください")},
                  {"#3", kTextStartPrompt}},
      .Draws = {"◇円弧の長さを測り、", "　寸法値が離れた弧長寸法", "　を作図します"},
      .Asks = {"　円弧、寸法の円弧を通す", "　点、寸法値を書き始める", "　点"},
      // A dimension arc has no combined form.
      .Unused = {"CheckBox4"},
      .MakePoints = ArcLengthPoints,
      .Check = CheckArcLength,
      .Measure = MeasureArcLength,
      .ValueText = NumberValueText,
      .Construct = ConstructArcDimension,
      .Marks = Centre,
  };
  static const TKindEntry kAngle{
      .Kind = TKind::Angle,
      .Name = "angle",
      .Word = "角度",
      .SettingsFile = "q746ang.dat",
      .Launcher = "q748ang",
      .HasDirections = false,
      .RecordsPoints = false,
      .TextKind = 5,  // "cp"
      .Symbol = "",
      .After = "°",
      .Unitless = true,
      .Prompts = {{"#1ln", "角度を測る１本目の線を指示してください"},
                  {"#2ln", "角度を測る２本目の線を指示してください"},
                  {"#3", Q748_POINT("寸法線（円弧）を通す点を指示してください")},
                  {"#4", kTextStartPrompt}},
      .Draws = {"◇２線の間の角度を測り", "　寸法値が離れた角度寸法", "　を作図します"},
      .Asks = {"　２本の線、寸法の円弧を", "　通す点、寸法値を書き", "　始める点"},
      // Degrees have no unit and no thousands; a dimension arc has no combined form.
      .Unused = {"RadioGroup2", "CheckBox1", "CheckBox2", "CheckBox4"},
      .MakePoints = AnglePoints,
      .Check = CheckAngle,
      .Measure = MeasureAngle,
      .ValueText = NumberValueText,
      .Construct = ConstructArcDimension,
      .Marks = Crossing,
  };
  static const TKindEntry kMove{
      .Kind = TKind::Move,
      .Name = "move",
      .Word = "寸法値移動",
      .SettingsFile = "q746mv.dat",
      .Launcher = "q748mv",
      .HasDirections = false,
      .RecordsPoints = false,
      .TextKind = kJwwTextSloped,
      .Symbol = "",
      .After = "",
      .Unitless = false,
      .Prompts = {{"#1", Q748_POINT("寸法値の移動先を指示してください")}},
      // A range selection of the dimension (hd deletes exactly what was selected); blocks, curves
      // and solids are neither handed over nor deleted, as nothing could write them back.
      .Selection = {"#h1",
                    "寸法値を移動する寸法（寸法値と寸法線）を範囲選択してください",
                    {"#ht10", "#ht20", "#ht40"}},
      .Draws = {"◇作図済みの寸法の寸法値", "　を移動し、寸法線から", "　引出線を引きます"},
      .Asks = {"　移動する寸法の範囲選択", "　寸法値の移動先の点", ""},
      // The value keeps its text, text type and form as drawn; only its base line's gap is set.
      .Unused = {"ComboBox1",   "ComboBox2",   "ComboBox3", "ComboBox4", "ComboBox5", "Edit1",    "Edit2",
                 "Edit3",       "Edit5",       "Edit6",     "Edit7",     "Edit8",     "Edit9",    "Edit10",
                 "RadioGroup1", "RadioGroup2", "CheckBox1", "CheckBox2", "CheckBox3", "CheckBox4"},
      .MakePoints = MovePoints,
      .Check = CheckMove,
      .Measure = MeasureMove,
      .ValueText = MoveValueText,
      .Construct = ConstructMove,
      .Marks = MoveMarks,
      .Preview = PreviewMove,
  };
  switch (k) {
    case TKind::Linear: return &kLinear;
    case TKind::Radius: return &kRadius;
    case TKind::Diameter: return &kDiameter;
    case TKind::ArcLength: return &kArcLength;
    case TKind::Angle: return &kAngle;
    case TKind::Move: return &kMove;
  }
  return nullptr;  // a number that is no enumerator
}

const TKindEntry& KindEntry(TKind k) {
  const TKindEntry* row = KindRow(k);
  if (!row) std::abort();  // a number cast into the enum
  return *row;
}

const std::vector<TKind>& AllKinds() {
  // The enumerators count up from 0; the switch above has a row for each or does not compile.
  static const std::vector<TKind> kinds = [] {
    std::vector<TKind> v;
    for (int i = 0; KindRow(static_cast<TKind>(i)); ++i) v.push_back(static_cast<TKind>(i));
    return v;
  }();
  return kinds;
}

const TPickEntry& PickEntry(TPick p) {
  static constexpr TPickEntry kPoints{TPick::Points, "", ""};
  static constexpr TPickEntry kLine{TPick::Line, "line", "線指示"};
  static constexpr TPickEntry kFence{TPick::Fence, "fence", "一括"};
  switch (p) {
    case TPick::Points: return kPoints;
    case TPick::Line: return kLine;
    case TPick::Fence: return kFence;
  }
  std::abort();
}

const TPickEntry* FindPick(std::string_view name) {
  for (TPick p : {TPick::Line, TPick::Fence}) {
    if (name == PickEntry(p).Name) return &PickEntry(p);
  }
  return nullptr;
}

const TKindEntry* FindKind(std::string_view name) {
  for (TKind k : AllKinds()) {
    if (name == KindEntry(k).Name) return &KindEntry(k);
  }
  return nullptr;
}

const TDirectionEntry& DirectionEntry(TDirection d) {
  // q746.dat is the vertical dimension's file: users' existing settings stay where they are.
  static constexpr TDirectionEntry kVertical{TDirection::Vertical, "vertical", "q746.dat",
                                             "ソラトＫ",           "垂直",     "q748"};
  static constexpr TDirectionEntry kHorizontal{TDirection::Horizontal, "horizontal", "q746h.dat",
                                               "ソラトＫ（水平）",     "水平",       "q748h"};
  static constexpr TDirectionEntry kAligned{TDirection::Aligned, "aligned", "q746a.dat",
                                            "ソラトＫ（平行）",  "平行",    "q748a"};
  switch (d) {
    case TDirection::Vertical: return kVertical;
    case TDirection::Horizontal: return kHorizontal;
    case TDirection::Aligned: return kAligned;
  }
  std::abort();
}

const std::vector<TDirection>& AllDirections() {
  static const std::vector<TDirection> directions = {TDirection::Vertical, TDirection::Horizontal,
                                                     TDirection::Aligned};
  return directions;
}

const TDirectionEntry* FindDirection(std::string_view name) {
  for (TDirection d : AllDirections()) {
    if (name == DirectionEntry(d).Name) return &DirectionEntry(d);
  }
  return nullptr;
}

const TNextEntry& NextEntry(TNext n) {
  static constexpr TNextEntry kNone{TNext::None, "", ""};
  static constexpr TNextEntry kChain{TNext::Chain, "chain", "連続"};
  static constexpr TNextEntry kOutside{TNext::Outside, "outside", "外側追加"};
  switch (n) {
    case TNext::None: return kNone;
    case TNext::Chain: return kChain;
    case TNext::Outside: return kOutside;
  }
  std::abort();
}

const TNextEntry* FindNext(std::string_view name) {
  for (TNext n : {TNext::Chain, TNext::Outside}) {
    if (name == NextEntry(n).Name) return &NextEntry(n);
  }
  return nullptr;
}

const char* ModeSettingsFile(const TDimensionMode& m) {
  const TKindEntry& kind = KindEntry(m.Kind);
  return kind.HasDirections ? DirectionEntry(m.Direction).SettingsFile : kind.SettingsFile;
}

std::string ModeCaption(const TDimensionMode& m) {
  const TKindEntry& kind = KindEntry(m.Kind);
  // ソラトＫ（半径）, ソラトＫ（連続）, ソラトＫ（水平・外側追加）: the kind's or direction's word and the
  // mode's in brackets.
  std::vector<std::string> words;
  if (!kind.HasDirections) words.push_back(kind.Word);
  const std::string caption = kind.HasDirections ? DirectionEntry(m.Direction).Caption : kFormCaptionUtf8;
  const std::string mode = m.Next != TNext::None ? NextEntry(m.Next).Word : PickEntry(m.Pick).Word;
  if (!mode.empty()) words.push_back(mode);
  if (words.empty()) return caption;
  const std::string open = "（", close = "）";
  std::string joined;
  for (const std::string& w : words) joined += (joined.empty() ? "" : "・") + w;
  if (caption.find(open) == std::string::npos) return caption + open + joined + close;
  return caption.substr(0, caption.size() - close.size()) + "・" + joined + close;
}

std::string ModeLauncher(const TDimensionMode& m) {
  const TKindEntry& kind = KindEntry(m.Kind);
  return kind.HasDirections ? DirectionEntry(m.Direction).Launcher : kind.Launcher;
}

const std::vector<TPrompt>& ModePrompts(const TDimensionMode& m) {
  static const std::vector<TPrompt> kContinued = {{"#1", Q748_POINT("次の計測点を指示してください")},
                                                  {"#2", kTextStartPrompt}};
  // The fence's end asks for a rubber-band line from its start ("#2-", answered as hp2-).
  static const std::vector<TPrompt> kFence = {
      {"#1", Q748_POINT("寸法を記入する線を横切る線の始点を指示してください")},
      {"#2-", Q748_POINT("横切る線の終点を指示してください")},
      {"#3", Q748_POINT("寸法線を通す点を指示してください")}};
  static const std::vector<TPrompt> kLinePicked = {{"#1ln", "計測する線を指示してください"},
                                                   {"#2", Q748_POINT("寸法線を通す点を指示してください")},
                                                   {"#3", kTextStartPrompt}};
  if (m.Next != TNext::None) return kContinued;
  if (m.Pick == TPick::Line) return kLinePicked;
  if (m.Pick == TPick::Fence) return kFence;
  return KindEntry(m.Kind).Prompts;
}

const TModeSelection& ModeSelection(const TDimensionMode& m) {
  // No selection, but every entity of the drawing exported: the fence's lines are found in it.
  static const TModeSelection kWholeDrawing{"#h4", nullptr, {}};
  if (m.Pick == TPick::Fence) return kWholeDrawing;
  return KindEntry(m.Kind).Selection;
}

bool IsValidMode(const TDimensionMode& m) {
  if (!KindEntry(m.Kind).HasDirections)
    return m.Direction == TDirection::Vertical && m.Next == TNext::None && m.Pick == TPick::Points;
  return m.Pick == TPick::Points || m.Next == TNext::None;
}
