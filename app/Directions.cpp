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

}  // namespace

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

std::string TForm1::Caption() const { return SjisText(DirectionEntry(Direction).Caption); }

std::filesystem::path TForm1::SettingsFile() const { return ExeDir / DirectionEntry(Direction).SettingsFile; }
