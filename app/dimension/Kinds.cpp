// The kinds of dimension, the three directions of the linear kind and its continued modes: their
// names, settings files, captions and words. Each table is a switch over its enum, so that a row
// left out fails to compile (-Werror=switch) instead of falling back to another.
#include <cstdlib>
#include <string>

#include "Dimension.h"

namespace {

// How the linear kind gets its points: the host's four, or two of them and the last dimension.
TRefusal LinearPoints(const JwwState& host, const std::optional<TLastDimension>& last, TDimensionInput& in) {
  for (std::size_t i = 1; i <= 4; ++i) in.Points[i] = host.PickedPoints[i];
  return in.Next == TNext::None ? TRefusal::None : ContinuePoints(last, in);
}

}  // namespace

const TKindEntry& KindEntry(TKind k) {
  static constexpr TKindEntry kLinear{
      TKind::Linear,           "linear", nullptr, nullptr, true, LinearPoints, CheckLinearDimension,
      ConstructLinearDimension};
  switch (k) {
    case TKind::Linear: return kLinear;
  }
  std::abort();  // no enumerator: a number cast into the enum
}

const std::vector<TKind>& AllKinds() {
  static const std::vector<TKind> kinds = {TKind::Linear};
  return kinds;
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
  if (m.Next == TNext::None) return caption;
  // ソラトＫ（連続）, ソラトＫ（水平・外側追加）: the mode joins the direction's word in brackets.
  const std::string word = NextEntry(m.Next).Word;
  const std::string open = "（", close = "）";
  if (caption.find(open) == std::string::npos) return caption + open + word + close;
  return caption.substr(0, caption.size() - close.size()) + "・" + word + close;
}
