// The kinds of dimension, the three directions of the linear kind and its continued modes: their
// names, settings files, captions and words. Each table is a switch over its enum, so that a row
// left out fails to compile (-Werror=switch) instead of falling back to another.
#include <cstdlib>
#include <string>

#include "Dimension.h"
#include "ArcKinds.h"
#include "LinearKind.h"
#include "RoundKinds.h"

namespace {

// The prompts' customary legend: left click a free point, right click a point of the drawing.
#define Q748_POINT(text) text " (L)free (R)Read"
constexpr const char* kTextStartPrompt = Q748_POINT("寸法値を書き始める点を指示してください");

}  // namespace

const TKindEntry& KindEntry(TKind k) {
  static const TKindEntry kLinear{
      .Kind = TKind::Linear,
      .Name = "linear",
      .SettingsFile = nullptr,
      .Caption = nullptr,
      .HasDirections = true,
      .TextKind = kJwwTextSloped,
      .Symbol = "",
      .After = "",
      .Unitless = false,
      .Prompts = {{"#1", Q748_POINT("計測する１点目を指示してください")},
                  {"#2", Q748_POINT("計測する２点目を指示してください")},
                  {"#3", Q748_POINT("寸法線を通す点を指示してください")},
                  {"#4", kTextStartPrompt}},
      .MakePoints = LinearPoints,
      .Check = CheckLinearDimension,
      .Measure = MeasureLinear,
      .Construct = ConstructLinearDimension,
  };
  static const TKindEntry kRadius{
      .Kind = TKind::Radius,
      .Name = "radius",
      .SettingsFile = "q746r.dat",
      .Caption = "ソラトＫ（半径）",
      .HasDirections = false,
      .TextKind = 3,  // "cr"
      .Symbol = "R",
      .After = "",
      .Unitless = false,
      .Prompts = {{"#1ci", "半径を記入する円・円弧を指示してください"}, {"#2", kTextStartPrompt}},
      .MakePoints = RoundPoints,
      .Check = CheckRoundDimension,
      .Measure = MeasureRound,
      .Construct = ConstructRoundDimension,
  };
  static const TKindEntry kDiameter{
      .Kind = TKind::Diameter,
      .Name = "diameter",
      .SettingsFile = "q746d.dat",
      .Caption = "ソラトＫ（直径）",
      .HasDirections = false,
      .TextKind = 4,  // "co"
      .Symbol = "φ",
      .After = "",
      .Unitless = false,
      .Prompts = {{"#1ci", "直径を記入する円・円弧を指示してください"}, {"#2", kTextStartPrompt}},
      .MakePoints = RoundPoints,
      .Check = CheckRoundDimension,
      .Measure = MeasureRound,
      .Construct = ConstructRoundDimension,
  };
  static const TKindEntry kArcLength{
      .Kind = TKind::ArcLength,
      .Name = "arclength",
      .SettingsFile = "q746arc.dat",
      .Caption = "ソラトＫ（弧長）",
      .HasDirections = false,
      .TextKind = kJwwTextSloped,
      .Symbol = "⌒",
      .After = "",
      .Unitless = false,
      .Prompts = {{"#1ci", "弧長を記入する円弧を指示してください"},
                  {"#2", Q748_POINT("寸法線（円弧）を通す点を指示してください")},
                  {"#3", kTextStartPrompt}},
      .MakePoints = ArcLengthPoints,
      .Check = CheckArcLength,
      .Measure = MeasureArcLength,
      .Construct = ConstructArcDimension,
  };
  static const TKindEntry kAngle{
      .Kind = TKind::Angle,
      .Name = "angle",
      .SettingsFile = "q746ang.dat",
      .Caption = "ソラトＫ（角度）",
      .HasDirections = false,
      .TextKind = 5,  // "cp"
      .Symbol = "",
      .After = "°",
      .Unitless = true,
      .Prompts = {{"#1ln", "角度を測る１本目の線を指示してください"},
                  {"#2ln", "角度を測る２本目の線を指示してください"},
                  {"#3", Q748_POINT("寸法線（円弧）を通す点を指示してください")},
                  {"#4", kTextStartPrompt}},
      .MakePoints = AnglePoints,
      .Check = CheckAngle,
      .Measure = MeasureAngle,
      .Construct = ConstructArcDimension,
  };
  switch (k) {
    case TKind::Linear: return kLinear;
    case TKind::Radius: return kRadius;
    case TKind::Diameter: return kDiameter;
    case TKind::ArcLength: return kArcLength;
    case TKind::Angle: return kAngle;
  }
  std::abort();  // no enumerator: a number cast into the enum
}

const std::vector<TKind>& AllKinds() {
  static const std::vector<TKind> kinds = {TKind::Linear, TKind::Radius, TKind::Diameter, TKind::ArcLength,
                                           TKind::Angle};
  return kinds;
}

const TPickEntry& PickEntry(TPick p) {
  static constexpr TPickEntry kPoints{TPick::Points, "", ""};
  static constexpr TPickEntry kLine{TPick::Line, "line", "線指示"};
  switch (p) {
    case TPick::Points: return kPoints;
    case TPick::Line: return kLine;
  }
  std::abort();
}

const TPickEntry* FindPick(std::string_view name) {
  return name == PickEntry(TPick::Line).Name ? &PickEntry(TPick::Line) : nullptr;
}

const TKindEntry* FindKind(std::string_view name) {
  for (TKind k : AllKinds()) {
    if (name == KindEntry(k).Name) return &KindEntry(k);
  }
  return nullptr;
}

const TDirectionEntry& DirectionEntry(TDirection d) {
  // q746.dat is the vertical dimension's file: users' existing settings stay where they are.
  static constexpr TDirectionEntry kVertical{TDirection::Vertical, "vertical", "q746.dat", "ソラトＫ",
                                             "垂直"};
  static constexpr TDirectionEntry kHorizontal{TDirection::Horizontal, "horizontal", "q746h.dat",
                                               "ソラトＫ（水平）", "水平"};
  static constexpr TDirectionEntry kAligned{TDirection::Aligned, "aligned", "q746a.dat", "ソラトＫ（平行）",
                                            "平行"};
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
  const std::string caption = kind.HasDirections ? DirectionEntry(m.Direction).Caption : kind.Caption;
  const std::string word = m.Next != TNext::None ? NextEntry(m.Next).Word : PickEntry(m.Pick).Word;
  if (word.empty()) return caption;
  // ソラトＫ（連続）, ソラトＫ（水平・外側追加）: the mode joins the direction's word in brackets.
  const std::string open = "（", close = "）";
  if (caption.find(open) == std::string::npos) return caption + open + word + close;
  return caption.substr(0, caption.size() - close.size()) + "・" + word + close;
}

const std::vector<TPrompt>& ModePrompts(const TDimensionMode& m) {
  static const std::vector<TPrompt> kContinued = {{"#1", Q748_POINT("次の計測点を指示してください")},
                                                  {"#2", kTextStartPrompt}};
  static const std::vector<TPrompt> kLinePicked = {{"#1ln", "計測する線を指示してください"},
                                                   {"#2", Q748_POINT("寸法線を通す点を指示してください")},
                                                   {"#3", kTextStartPrompt}};
  if (m.Next != TNext::None) return kContinued;
  if (m.Pick == TPick::Line) return kLinePicked;
  return KindEntry(m.Kind).Prompts;
}

bool IsValidMode(const TDimensionMode& m) {
  if (!KindEntry(m.Kind).HasDirections)
    return m.Direction == TDirection::Vertical && m.Next == TNext::None && m.Pick == TPick::Points;
  return m.Pick == TPick::Points || m.Next == TNext::None;
}
