// SettingsFile.h: the lines of the settings file (q746.dat and each mode's own), which saving and loading
// both walk.
#pragma once

#include <cstddef>
#include <vector>

#include "Dimension.h"

// ---- The settings file --------------------------------------------------------------------------------

// One line of q746.dat; SaveSettings and LoadSettings both walk SettingsTable().
enum class TSettingKind {
  SavedLeft,  // decimal integer; read without bounds
  SavedTop,
  ListIndex,   // decimal integer; read: negative -> 0, past the last item -> no selection
  EditText,    // the text as it is; read whole
  RadioIndex,  // decimal integer; read: negative -> 0, past the last item -> the last item
  CheckBox,    // "1" / "0"; read: checked when the integer is not 0
  FirstGroup,  // the run's exchange state, written only
  GroupScale,
  AxisAngle,
  PointX,
  PointY,
  RowStartX,  // where the row of the last dimension started (lines 34 and 35)
  RowStartY,
  QuickModes,  // the modes that draw without the dialog, a decimal integer of QuickModeBit bits
};
struct TSettingLine {
  int Line;  // 1..kSettingsLastLine
  TSettingKind Kind;
  const char* Control;  // control name for the dialog's lines, nullptr for the others
  std::size_t Point;    // picked point of PointX / PointY
};
const std::vector<TSettingLine>& SettingsTable();
// The modes of one direction share a settings file; line 36 holds a bit for each that draws
// without the dialog: the four-point mode 1 (so that a file of a single "1" means that mode alone),
// chain 2, outside 4, a picked line 8, a row 16. A kind without directions has one mode, bit 1.
int QuickModeBit(const TDimensionMode& mode);
// The bits of every mode that shares `mode`'s settings file.
int QuickModesOfFile(const TDimensionMode& mode);
// Lines 1..22 are the dialog's; 23..31 record the last dimension (read only to continue from it);
// 32 and 33 (CheckBox5, Edit10): a file without them keeps their starting values; 34 and 35 record
// where the last dimension's row started (a file without them records none); 36 holds the modes of
// the file that draw without the dialog (CheckBox6 shows the dialog's own); 37 and 38 (CheckBox7,
// CheckBox8) a row's, which a file without them leaves at their starting values. The controls'
// rows give their own lines.
inline constexpr int kSettingsLastLine = 38;
inline constexpr int kSettingsLinesRead = 22;
inline constexpr int kFirstRecordLine = 23;
inline constexpr int kRecordLines = 13;  // lines 23..35, of which 32 and 33 are the dialog's

inline constexpr const char* kSettingsFileName = "q746.dat";
inline constexpr const char* kExchangeFileName = "JWC_TEMP.TXT";
