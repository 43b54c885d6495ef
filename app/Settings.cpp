// q746.dat: the dialog's settings and position between runs, one value per line. Saving and
// loading both walk the one table of its lines.
#include <fstream>
#include <string>
#include <vector>

#include "AtomicFile.h"
#include "MyFunc.h"
#include "Unit1.h"

const std::vector<TSettingLine>& SettingsTable() {
  using K = TSettingKind;
  // The edits stand in the order of their names, not in the order of the dialog.
  static const std::vector<TSettingLine> table = {
      {1, K::SavedLeft, nullptr, 0},     {2, K::SavedTop, nullptr, 0},
      {3, K::ListIndex, "ComboBox1", 0}, {4, K::ListIndex, "ComboBox2", 0},
      {5, K::ListIndex, "ComboBox3", 0}, {6, K::ListIndex, "ComboBox4", 0},
      {7, K::ListIndex, "ComboBox5", 0}, {8, K::EditText, "Edit1", 0},
      {9, K::EditText, "Edit2", 0},      {10, K::EditText, "Edit3", 0},
      {11, K::EditText, "Edit4", 0},     {12, K::EditText, "Edit5", 0},
      {13, K::EditText, "Edit6", 0},     {14, K::EditText, "Edit7", 0},
      {15, K::EditText, "Edit8", 0},     {16, K::EditText, "Edit9", 0},
      {17, K::RadioIndex, "RadioGroup1", 0}, {18, K::RadioIndex, "RadioGroup2", 0},
      {19, K::CheckBox, "CheckBox1", 0}, {20, K::CheckBox, "CheckBox2", 0},
      {21, K::CheckBox, "CheckBox3", 0}, {22, K::CheckBox, "CheckBox4", 0},
      {23, K::FirstGroup, nullptr, 0},   {24, K::GroupScale, nullptr, 0},
      {25, K::AxisAngle, nullptr, 0},    {26, K::PointX, nullptr, 1},
      {27, K::PointY, nullptr, 1},       {28, K::PointX, nullptr, 2},
      {29, K::PointY, nullptr, 2},       {30, K::PointX, nullptr, 3},
      {31, K::PointY, nullptr, 3},
      // Added after the original lines, which readers of the original 31 lines never reach.
      {32, K::CheckBox, "CheckBox5", 0},
  };
  return table;
}

namespace {

std::string WrittenValue(const TForm1& f, const TSettingLine& l) {
  switch (l.Kind) {
    case TSettingKind::SavedLeft: return IntToText(f.SavedLeft);
    case TSettingKind::SavedTop: return IntToText(f.SavedTop);
    case TSettingKind::ListIndex: return IntToText(f.ComboBoxByName(l.Control)->ItemIndex);
    // One value a line: a line break inside a text would shift every later setting.
    case TSettingKind::EditText: return SingleLine(f.EditByName(l.Control)->Text);
    case TSettingKind::RadioIndex: return IntToText(f.RadioGroupByName(l.Control)->ItemIndex);
    case TSettingKind::CheckBox: return f.CheckBoxByName(l.Control)->Checked ? "1" : "0";
    case TSettingKind::FirstGroup: return IntToText(f.Jww.FirstGroup);
    case TSettingKind::GroupScale: return FloatToText(DrawingScale(f.Jww));
    case TSettingKind::AxisAngle: return FloatToText(f.Jww.AxisAngle);
    case TSettingKind::PointX: return FloatToText(f.Jww.PickedPoints[l.Point].X);
    case TSettingKind::PointY: return FloatToText(f.Jww.PickedPoints[l.Point].Y);
  }
  return std::string();
}

int NotNegative(int i) { return i < 0 ? 0 : i; }

void ApplyValue(TForm1& f, const TSettingLine& l, const std::string& value) {
  switch (l.Kind) {
    case TSettingKind::SavedLeft: f.SavedLeft = TextToInt(value); break;
    case TSettingKind::SavedTop: f.SavedTop = TextToInt(value); break;
    case TSettingKind::ListIndex: f.ComboBoxByName(l.Control)->SetItemIndex(NotNegative(TextToInt(value))); break;
    case TSettingKind::EditText: f.EditByName(l.Control)->Text = value; break;
    case TSettingKind::RadioIndex: f.RadioGroupByName(l.Control)->SetItemIndex(NotNegative(TextToInt(value))); break;
    case TSettingKind::CheckBox: f.CheckBoxByName(l.Control)->Checked = TextToInt(value) != 0; break;
    case TSettingKind::FirstGroup:
    case TSettingKind::GroupScale:
    case TSettingKind::AxisAngle:
    case TSettingKind::PointX:
    case TSettingKind::PointY: break;  // a record of the run that saved them, never read back
  }
}

}  // namespace

void TForm1::LoadSettings(const std::filesystem::path& fileName) {
  SavedLeft = 100;
  SavedTop = 100;
  std::error_code ec;
  if (!std::filesystem::is_regular_file(fileName, ec)) return;
  std::ifstream in(fileName, std::ios::binary);
  if (!in.is_open()) return;
  bool atEnd = false;
  int lineNo = 0;
  for (const TSettingLine& l : SettingsTable()) {
    const bool original = l.Line <= kSettingsLinesRead;
    if (!original && l.Line != kSettingsPreviewLine) continue;
    // A line ends at LF; a CR just before it is no part of the value. A missing original line
    // reads empty; a missing added line keeps the control's starting value (an older file).
    std::string value;
    bool present = false;
    while (!atEnd && lineNo < l.Line) {
      if (!std::getline(in, value)) {
        if (in.bad()) return;  // what was applied stays, the rest keeps its starting value
        atEnd = true;
        value.clear();
        break;
      }
      ++lineNo;
      present = lineNo == l.Line;
    }
    if (!present) value.clear();
    if (!present && !original) continue;
    if (!in.eof() && !value.empty() && value.back() == '\r') value.pop_back();
    ApplyValue(*this, l, value);
  }
}

TWriteError TForm1::SaveSettings(const std::filesystem::path& fileName) {
  std::string content;
  for (const TSettingLine& l : SettingsTable()) {
    content += WrittenValue(*this, l);
    content += "\r\n";
  }
  // A failed save keeps the settings of the last good one; OK goes on all the same.
  const TWriteError why = ReplaceFileContents(fileName, content);
  if (why != TWriteError::None && view_)
    view_->ShowNotice(WriteFailureMessage(kMessageSettingsNotSaved, fileName, why));
  return why;
}
