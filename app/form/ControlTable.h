// ControlTable.h: the table of the dialog's controls (one row per control: its place, caption, the
// values it accepts, its settings line and the field of the dimension it feeds), the window's own
// measures, and reading the dialog into a dimension.
#pragma once

#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "Controls.h"
#include "Dimension.h"

// ---- The table of the dialog's controls --------------------------------------------------------------

enum class TControlKind { List, Edit, RadioGroup, CheckBox, Button, Memo, ScrollBox, Label, Preview };

// The modes a control is shown in: every mode, or only the modes it belongs to (an outside
// dimension, a row along a fence).
enum class TShownIn { Always, Outside, Row, OutsideAndRow };

class TForm1;

// The field of the dimension input a control feeds: a list's or radio group's item index, an edit's
// number or text, a check box; none for the controls that only the form keeps.
using TInputField =
    std::variant<std::monostate, int TDimensionInput::*, double TDimensionInput::*, bool TDimensionInput::*,
                 int TValueSettings::*, bool TValueSettings::*, std::string TValueSettings::*>;

// Where the form keeps a control's value; none for buttons, the notes and the fixed labels.
using TControlMember = std::variant<std::monostate, TComboBox TForm1::*, TEdit TForm1::*, TCheckBox TForm1::*,
                                    TRadioGroup TForm1::*, TLabel TForm1::*>;

// What an edit accepts. A number edit reads its text as a number; its bounds, when it has any,
// give OK's check, the status line's「…（0より大きく1000以下）」and the --help line's "(> 0, <= 1000)".
enum class TBound { None, Open, Closed };  // no bound; the bound itself excluded; included
struct TAccepted {
  bool Number = false;
  TBound LowKind = TBound::None, HighKind = TBound::None;
  double Low = 0, High = 0;
  constexpr TAccepted AtMost(double v) const { return {Number, LowKind, TBound::Closed, Low, v}; }
  constexpr TAccepted Below(double v) const { return {Number, LowKind, TBound::Open, Low, v}; }
  bool Takes(double v) const;
};
inline constexpr TAccepted AnyNumber() { return {true}; }
inline constexpr TAccepted Above(double v) { return {true, TBound::Open, TBound::None, v, 0}; }
inline constexpr TAccepted AtLeast(double v) { return {true, TBound::Closed, TBound::None, v, 0}; }

// What a row is where a view treats it apart from the others of its kind.
enum class TControlRole {
  Plain,
  StatusLine,       // the label that tells what the dialog does and why OK refuses
  InformationLine,  // the preview's line of information (a view adds it under the preview)
};

// One control of the dialog: the model builds its controls from this table, the Win32 view
// creates its windows from it in the order of the rows (which is the tab order), and OK's checks,
// the status line, --help and --set take what a control accepts from its row. Texts here are
// UTF-8 source literals; the model keeps them as Shift-JIS (SjisText).
struct TControlEntry {
  const char* Name;  // "ComboBox1", "Edit7", "Label6", ...
  TControlMember Member = {};
  TControlKind Kind = TControlKind::Label;
  const char* Title = "";  // the caption beside it: the status line's name for it, --help's first word
  const char* Help = "";   // the rest of its --help line before the accepted values; "\n" continues it
  TAccepted Accepts = {};  // edits; a list or radio group accepts any of its items
  const char* Tip = "";    // more for its tip, on a line of its own
  int Left = 0, Top = 0, Width = 0, Height = 0;  // client pixels at 96 dpi; a label of 0 x 0 fits its caption
  const char* Caption = "";             // button, check box, group or label caption; edit starting text
  std::vector<const char*> Items = {};  // list and radio group items
  bool MarkerItems = false;             // a list of end markers: each item shows its marker's shape
  int StartIndex = -1;                  // starting item index (-1 none), or 1 for a check box checked
  int MaxLength = 0;                    // edits; 0 for none
  bool ImeOff = false;                  // the input method is off while the control has the focus
  bool TabStop = false;
  // Alt+this letter (upper case; 0 none) moves to the control: the captions are the dialog's
  // fixed texts, so the letter is told by the control's tip, not underlined in its caption.
  char AccessKey = 0;
  int FontHeight = 0;   // character height in pixels; 0: the form's font (13)
  int BackColour = -1;  // 0xRRGGBB background; -1: the parent's
  TShownIn OnlyWhen = TShownIn::Always;
  TControlRole Role = TControlRole::Plain;
  int Line = 0;  // its line in the settings file (0: none; see SettingsTable)
  // Saved as the bits of the modes of its settings file that draw without the dialog (QuickModeBit),
  // not as a plain check box.
  bool PerMode = false;
  TInputField Feeds = {};  // the field of the dimension input its value feeds (ReadInputs, DefaultInputs)
  // OK checks the controls of rank 1, 2, ... in turn; the first refused takes the focus. 0: not
  // checked (a text, a check box).
  int CheckRank = 0;
  // A paper distance that the overflow guard adds up this many times (the text gap stands on both
  // sides of the text); 0: none.
  double PaperWeight = 0;
};
// Whether a control is shown in a mode (OnlyWhen), and whether it means anything there (its kind's
// row names those that do not).
bool IsShown(const TControlEntry& entry, const TDimensionMode& mode);
bool IsUsed(const TControlEntry& entry, const TDimensionMode& mode);

// An edit's accepted values as the status line tells them (「（0以上）」, UTF-8; empty for any) and
// as --help does (" (>= 0)").
std::string AcceptedStatus(const TControlEntry& entry);
std::string AcceptedHelp(const TControlEntry& entry);

// The tip shown over a control (Shift-JIS; empty for none): its caption, an edit's accepted values
// ("線矢印の長さ（0より大きく1000以下）") and its access key ("　Alt+L").
std::string ControlHint(const TControlEntry& entry);
// The row whose access key is `letter` (either case), shown and used in `mode`; nullptr for none.
const TControlEntry* FindAccessKey(char letter, const TDimensionMode& mode);

const std::vector<TControlEntry>& ControlTable();
const TControlEntry* FindControl(std::string_view name);  // nullptr for an unknown name
// A control that --set can change: a list, an edit, a radio group or a check box.
bool IsSettable(const TControlEntry& entry);
// The number a control's name ends with ("Edit10": 10), and the name before it ("Edit").
int ControlNumber(std::string_view name);
std::string_view ControlFamily(std::string_view name);

// The thirty lines of notes: what the mode's kind draws (in the linear kind's direction), what its
// launchers ask Jw_cad for, and the settings file it keeps.
std::vector<std::string> Memo1Lines(const TDimensionMode& mode = {});

// The window itself (UTF-8 source literals like the table).
inline constexpr const char* kFormCaption = kFormCaptionUtf8;
inline constexpr const char* kApplicationTitle = "q748_ソラトＫ";
inline constexpr const char* kFormFontName = "ＭＳ ゴシック";
inline constexpr int kFormFontHeight = 13;
// The preview panel, right of the dialog's controls (client pixels at 96 dpi); also the size of
// the command line's SVG.
inline constexpr int kPreviewLeft = 496;
inline constexpr int kPreviewTop = 4;
inline constexpr int kPreviewWidth = 232;
inline constexpr int kPreviewHeight = 318;
// The controls fill 492 pixels; the window is widened to the right by the preview, and is that
// narrow while the preview is hidden.
inline constexpr int kFormClientWidth = kPreviewLeft + kPreviewWidth + 4;  // 732
inline constexpr int kFormClientWidthWithoutPreview = kPreviewLeft - 4;    // 492
inline constexpr int kFormClientHeight = 436;
// The notes' height in a mode: shorter where the mode's own controls stand below them (Edit10
// and its labels for an outside dimension; for a row also CheckBox7 and CheckBox8).
inline constexpr int kMemoHeightOutside = 180;
inline constexpr int kMemoHeightRow = 142;
int MemoHeight(const TDimensionMode& mode);

// The ComboBox3 items for the exchange state: the host's current text type, then types 1 to 10.
std::vector<std::string> TextTypeItems(const JwwState& st);

// Reads the dialog and the exchange state and checks the inputs in the dialog's order. On the
// first refused input `focus` is set to that control's name ("ComboBox1", "Edit7", ...) and the
// result is to be ignored; otherwise `focus` is empty. The dimension's points are made by the
// kind (a refusal of them is left in PointsRefusal for CheckDimension).
TDimensionInput ReadInputs(const TForm1& form, std::string& focus);
// A dimension input with every field a control feeds at that control's starting value (its row's
// starting item, text or check), and the overflow guard's paper distances taken from the rows.
TDimensionInput DefaultInputs();
