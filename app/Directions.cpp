// The three directions of the dimension: their names, settings files, captions and words.
#include <string>

#include "Unit1.h"

namespace {

// q746.dat stays the vertical dimension's file, as Jw_cad users have it.
constexpr TDirectionEntry kDirections[] = {
    {TDirection::Vertical, "vertical", "q746.dat", "ソラトＫ", "垂直"},
    {TDirection::Horizontal, "horizontal", "q746h.dat", "ソラトＫ（水平）", "水平"},
    {TDirection::Aligned, "aligned", "q746a.dat", "ソラトＫ（平行）", "平行"},
};

constexpr TNextEntry kNexts[] = {
    {TNext::Chain, "chain", "連続"},
    {TNext::Outside, "outside", "外側追加"},
};

}  // namespace

const TNextEntry* FindNext(std::string_view name) {
  for (const TNextEntry& e : kNexts) {
    if (name == e.Name) return &e;
  }
  return nullptr;
}

const TDirectionEntry& DirectionEntry(TDirection d) {
  for (const TDirectionEntry& e : kDirections) {
    if (e.Direction == d) return e;
  }
  return kDirections[0];
}

const TDirectionEntry* FindDirection(std::string_view name) {
  for (const TDirectionEntry& e : kDirections) {
    if (name == e.Name) return &e;
  }
  return nullptr;
}

std::string TForm1::Caption() const {
  const std::string caption = DirectionEntry(Direction).Caption;
  if (Next == TNext::None) return SjisText(caption);
  // ソラトＫ（連続）, ソラトＫ（水平・外側追加）: the mode joins the direction's word in brackets.
  const std::string word = Next == TNext::Chain ? kNexts[0].Word : kNexts[1].Word;
  const std::string open = "（", close = "）";
  const std::size_t bracket = caption.find(open);
  if (bracket == std::string::npos) return SjisText(caption + open + word + close);
  return SjisText(caption.substr(0, caption.size() - close.size()) + "・" + word + close);
}

std::filesystem::path TForm1::SettingsFile() const { return ExeDir / DirectionEntry(Direction).SettingsFile; }
