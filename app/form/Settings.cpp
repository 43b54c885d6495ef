// q746.dat: the dialog's settings and position between runs, one value per line. Saving and
// loading both walk the one table of its lines.
#include <algorithm>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "AtomicFile.h"
#include "MyFunc.h"
#include "Unit1.h"

int QuickModeBit(const TDimensionMode& mode) {
  if (mode.Next == TNext::Chain) return 2;
  if (mode.Next == TNext::Outside) return 4;
  if (mode.Pick == TPick::Line) return 8;
  if (mode.Pick == TPick::Fence) return 16;
  return 1;
}

int QuickModesOfFile(const TDimensionMode& mode) {
  return KindEntry(mode.Kind).HasDirections ? 1 | 2 | 4 | 8 | 16 : 1;
}

int TForm1::QuickModesToSave() const {
  // The settings dialog's box stands for every mode of the file: it is left as read unless the
  // user changed it, so that one mode's choice survives a look at the settings.
  const int bits = SettingsOnly ? QuickModesOfFile(Mode) : QuickModeBit(Mode);
  const bool wasChecked = (QuickModes & bits) != 0;
  if (CheckBox6.Checked == wasChecked) return QuickModes;
  return CheckBox6.Checked ? QuickModes | bits : QuickModes & ~bits;
}

const std::vector<TSettingLine>& SettingsTable() {
  static const std::vector<TSettingLine> table = [] {
    using K = TSettingKind;
    // The window's place and the record of the last dimension; after it, so that a reader that
    // stops at line 31 never meets them, the lines of controls and where the record's row started.
    std::vector<TSettingLine> t = {
        {1, K::SavedLeft, nullptr, 0},   {2, K::SavedTop, nullptr, 0},   {23, K::FirstGroup, nullptr, 0},
        {24, K::GroupScale, nullptr, 0}, {25, K::AxisAngle, nullptr, 0}, {26, K::PointX, nullptr, 1},
        {27, K::PointY, nullptr, 1},     {28, K::PointX, nullptr, 2},    {29, K::PointY, nullptr, 2},
        {30, K::PointX, nullptr, 3},     {31, K::PointY, nullptr, 3},    {34, K::RowStartX, nullptr, 0},
        {35, K::RowStartY, nullptr, 0},
    };
    // Every other line is a control's, as its row says.
    for (const TControlEntry& c : ControlTable()) {
      if (c.Line == 0) continue;
      K kind = K::CheckBox;
      if (c.Kind == TControlKind::List) kind = K::ListIndex;
      if (c.Kind == TControlKind::Edit) kind = K::EditText;
      if (c.Kind == TControlKind::RadioGroup) kind = K::RadioIndex;
      if (c.PerMode) kind = K::QuickModes;
      t.push_back({c.Line, kind, c.Name, 0});
    }
    std::sort(t.begin(), t.end(),
              [](const TSettingLine& a, const TSettingLine& b) { return a.Line < b.Line; });
    return t;
  }();
  return table;
}

namespace {

// A line of the record of the last dimension: the new record's value, or the line as it was read.
std::string RecordValue(const TLastDimension* record, const std::vector<std::string>& kept,
                        const TSettingLine& l) {
  if (!record) return kept[static_cast<std::size_t>(l.Line - kFirstRecordLine)];
  switch (l.Kind) {
    case TSettingKind::FirstGroup: return IntToText(record->Group);
    case TSettingKind::GroupScale: return FloatToText(record->Scale);
    case TSettingKind::AxisAngle: return FloatToText(record->AxisAngle);
    case TSettingKind::PointX:
      return record->HasPoints ? FloatToText(record->Points[l.Point].X) : std::string();
    case TSettingKind::PointY:
      return record->HasPoints ? FloatToText(record->Points[l.Point].Y) : std::string();
    case TSettingKind::RowStartX: return record->RowStart ? FloatToText(record->RowStart->X) : std::string();
    case TSettingKind::RowStartY: return record->RowStart ? FloatToText(record->RowStart->Y) : std::string();
    default: return std::string();
  }
}

std::string WrittenValue(const TForm1& f, const TSettingLine& l) {
  switch (l.Kind) {
    case TSettingKind::SavedLeft: return IntToText(f.SavedLeft);
    case TSettingKind::SavedTop: return IntToText(f.SavedTop);
    case TSettingKind::ListIndex: {
      // A list that means nothing to this kind is never checked, so it may stand without a choice:
      // its starting item is kept, which loads back as saved.
      const int index = f.ComboBoxByName(l.Control)->ItemIndex;
      const TControlEntry& entry = *FindControl(l.Control);
      return IntToText(index < 0 && !IsUsed(entry, f.Mode) ? entry.StartIndex : index);
    }
    // One value a line: a line break inside a text would shift every later setting.
    case TSettingKind::EditText: return SingleLine(f.EditByName(l.Control)->Text);
    case TSettingKind::RadioIndex: return IntToText(f.RadioGroupByName(l.Control)->ItemIndex);
    case TSettingKind::CheckBox: return f.CheckBoxByName(l.Control)->Checked ? "1" : "0";
    case TSettingKind::QuickModes: return IntToText(f.QuickModesToSave());
    case TSettingKind::FirstGroup:
    case TSettingKind::GroupScale:
    case TSettingKind::AxisAngle:
    case TSettingKind::PointX:
    case TSettingKind::PointY:
    case TSettingKind::RowStartX:
    case TSettingKind::RowStartY: break;  // the record: see RecordValue
  }
  return std::string();
}

int NotNegative(int i) { return i < 0 ? 0 : i; }

void ApplyValue(TForm1& f, const TSettingLine& l, const std::string& value) {
  switch (l.Kind) {
    case TSettingKind::SavedLeft: f.SavedLeft = TextToInt(value); break;
    case TSettingKind::SavedTop: f.SavedTop = TextToInt(value); break;
    case TSettingKind::ListIndex:
      f.ComboBoxByName(l.Control)->SetItemIndex(NotNegative(TextToInt(value)));
      break;
    case TSettingKind::EditText: f.EditByName(l.Control)->Text = value; break;
    case TSettingKind::RadioIndex:
      f.RadioGroupByName(l.Control)->SetItemIndex(NotNegative(TextToInt(value)));
      break;
    case TSettingKind::CheckBox: f.CheckBoxByName(l.Control)->Checked = TextToInt(value) != 0; break;
    case TSettingKind::QuickModes:
      f.QuickModes = TextToInt(value);
      f.CheckBoxByName(l.Control)->Checked =
          (f.QuickModes & (f.SettingsOnly ? QuickModesOfFile(f.Mode) : QuickModeBit(f.Mode))) != 0;
      break;
    case TSettingKind::FirstGroup:
    case TSettingKind::GroupScale:
    case TSettingKind::AxisAngle:
    case TSettingKind::PointX:
    case TSettingKind::PointY:
    case TSettingKind::RowStartX:
    case TSettingKind::RowStartY: break;  // the record of the last dimension: see RecordedDimension
  }
}

bool IsRecord(TSettingKind k) {
  return k == TSettingKind::FirstGroup || k == TSettingKind::GroupScale || k == TSettingKind::AxisAngle ||
         k == TSettingKind::PointX || k == TSettingKind::PointY || k == TSettingKind::RowStartX ||
         k == TSettingKind::RowStartY;
}

// The last dimension from lines 23..31, when its axis angle and points are all numbers (an older
// or damaged file records none), with the start of its row from lines 34 and 35 when they hold one.
std::optional<TLastDimension> RecordedDimension(const std::vector<std::string>& lines) {
  TLastDimension r;
  const auto number = [&](int line, double& value) {
    return TextIsFloat(lines[static_cast<std::size_t>(line - kFirstRecordLine)], value);
  };
  bool ok = number(25, r.AxisAngle);
  for (int i = 1; i <= 3; ++i)
    ok = ok && number(24 + 2 * i, r.Points[static_cast<std::size_t>(i)].X) &&
         number(25 + 2 * i, r.Points[static_cast<std::size_t>(i)].Y);
  if (!ok) return std::nullopt;
  if (TPointD start; number(34, start.X) && number(35, start.Y)) r.RowStart = start;
  return r;
}

// Whether fileName is a regular file whose bytes are exactly `content`.
bool HoldsExactly(const std::filesystem::path& fileName, const std::string& content) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(fileName, ec) ||
      std::filesystem::file_size(fileName, ec) != content.size())
    return false;
  std::ifstream in(fileName, std::ios::binary);
  std::string bytes(content.size(), '\0');
  return in.read(bytes.data(), static_cast<std::streamsize>(bytes.size())) && in.peek() == EOF &&
         bytes == content;
}

}  // namespace

void TForm1::LoadSettings(const std::filesystem::path& fileName) {
  SavedLeft = 100;
  SavedTop = 100;
  QuickModes = 0;
  last_.reset();
  recordLines_.assign(kRecordLines, std::string());
  std::error_code ec;
  if (!std::filesystem::is_regular_file(fileName, ec)) return;
  std::ifstream in(fileName, std::ios::binary);
  if (!in.is_open()) return;
  bool atEnd = false;
  int lineNo = 0;
  for (const TSettingLine& l : SettingsTable()) {
    const bool dialogLine = l.Line <= kSettingsLinesRead;
    // A line ends at LF; a CR just before it is no part of the value. A missing dialog line
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
    if (!present && !dialogLine) continue;
    if (!in.eof() && !value.empty() && value.back() == '\r') value.pop_back();
    if (IsRecord(l.Kind)) {
      recordLines_[static_cast<std::size_t>(l.Line - kFirstRecordLine)] = value;
      continue;
    }
    ApplyValue(*this, l, value);
  }
  last_ = RecordedDimension(recordLines_);
}

TWriteError TForm1::SaveSettings(const std::filesystem::path& fileName) {
  const TWriteError why = WriteSettings(fileName, nullptr);
  // A failed save keeps the settings of the last good one; OK goes on all the same. The status
  // line says so in the dialog (standard error is nowhere to be seen when Jw_cad starts it).
  if (why != TWriteError::None) {
    SetStatus(kMessageSettingsNotSaved);
    if (view_) view_->ShowNotice(WriteFailureMessage(kMessageSettingsNotSaved, fileName, why));
  }
  return why;
}

TWriteError TForm1::WriteSettings(const std::filesystem::path& fileName, const TLastDimension* record) const {
  std::string content;
  for (const TSettingLine& l : SettingsTable()) {
    content += IsRecord(l.Kind) ? RecordValue(record, recordLines_, l) : WrittenValue(*this, l);
    content += "\r\n";
  }
  // Most runs change nothing: then the file is left alone (no temporary file, no flush).
  if (HoldsExactly(fileName, content)) return TWriteError::None;
  return ReplaceFileContents(fileName, content);
}
