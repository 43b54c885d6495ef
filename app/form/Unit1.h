// Unit1.h: the dialog TForm1 of the vertical dimension command, as a model without a toolkit.
//
// Contract:
// - Controls are plain data (TComboBox, TEdit, TCheckBox, TRadioGroup, TLabel); a front end (the
//   Win32 dialog or the headless command line) copies them in and out and calls the handlers.
//   The model never parses anything for the view and never talks to a window system.
// - Texts are Shift-JIS byte strings (captions, items, edit texts, messages); the view converts
//   them at its edge. Distances typed in the dialog are paper millimetres; coordinates drawing
//   units; angles degrees.
// - Lenient and quiet: an edit that is no number reads as 0; a refused OK moves the focus (or
//   shows one confirmation message) and leaves the dialog open; nothing throws.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "Dimension.h"

// ---- Plain controls ------------------------------------------------------------------------------

struct TComboBox {
  std::vector<std::string> Items;
  int ItemIndex = -1;  // -1: no selection
  // An index outside the items (past the last, or negative) leaves no selection.
  void SetItemIndex(int i) { ItemIndex = (i >= 0 && i < static_cast<int>(Items.size())) ? i : -1; }
};

struct TRadioGroup {
  std::vector<std::string> Items;
  int ItemIndex = -1;
  // An index past the last item selects the last item; a negative one clears the selection.
  void SetItemIndex(int i) {
    const int n = static_cast<int>(Items.size());
    ItemIndex = i < 0 ? -1 : (i >= n ? n - 1 : i);
  }
};

struct TEdit {
  std::string Text;
  int MaxLength = 0;  // restrains typing only; a longer text set by the program stays whole
};

struct TCheckBox {
  bool Checked = false;
};

struct TLabel {
  std::string Caption;
};

// ---- The table of the dialog's controls --------------------------------------------------------------

enum class TControlKind { List, Edit, RadioGroup, CheckBox, Button, Memo, ScrollBox, Label, Preview };

class TForm1;

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
  int FontHeight = 0;            // character height in pixels; 0: the form's font (13)
  int BackColour = -1;           // 0xRRGGBB background; -1: the parent's
  TNext OnlyWhen = TNext::None;  // shown only in this continued mode (None: always)
  TControlRole Role = TControlRole::Plain;
  std::vector<TKind> UnusedBy = {};  // kinds for which it means nothing: disabled, not checked
};
// Whether a control is shown in a mode (OnlyWhen), and whether it means anything there (UnusedBy).
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
inline constexpr const char* kFormCaption = "ソラトＫ";
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
// The notes' height when Edit10 and its labels stand below them (an outside dimension).
inline constexpr int kMemoHeightOutside = 180;

// The messages and status texts of the OK handling (UTF-8 source literals; SjisText them).
inline constexpr const char* kConfirmationCaption = "確認";
// The caption's end in the settings launcher's dialog, which draws nothing.
inline constexpr const char* kCaptionSettingsOnly = " - 設定（作図しません）";
// A run without the dialog that refuses says how the dialog comes back (Jw_cad starts the command
// when the last point is picked, so that is when Shift must be down); the settings launcher's name
// stands between the two parts.
inline constexpr const char* kMessageDialogBack =
    "ダイアログを表示するには、最後の点を Shift キーを押したまま指示してください。設定用の ";
inline constexpr const char* kMessageDialogBackEnd =
    " で「次回からダイアログを表示しない」を外すこともできます。";
// The settings launcher that opens the dialog of `mode`'s settings file without drawing
// ("q748hset.bat").
std::string SettingsLauncher(const TDimensionMode& mode);
inline constexpr const char* kStatusProcessing = "処理中です";
inline constexpr const char* kStatusWriting = "ファイル生成中です";
inline constexpr const char* kStatusIdle = "　";                // one full-width blank
inline constexpr const char* kStatusWaiting = "書き込み待ち…";  // another program holds the file
// Failures of the run's files, and their reasons in words a user can act on.
inline constexpr const char* kErrorCaption = "書き込みエラー";
inline constexpr const char* kMessageReadFailed = "JWC_TEMP.TXT を読み込めませんでしたので作図出来ません";
inline constexpr const char* kMessageWriteFailed = "作図結果を書き込めませんでした。何も作図されません。";
inline constexpr const char* kMessageWriteRetry =
    "作図結果を書き込めませんでした。［再試行］で同じ寸法をもう一度書き込みます（点の指示は要りません）。［キャンセル］では何も作図されません。";
inline constexpr const char* kMessageSettingsNotSaved = "設定を保存できませんでした（前回の設定のままです）";
inline constexpr const char* kMessageRecordNotSaved =
    "寸法は作図しましたが、その記録を保存できませんでした（次の連続・外側追加は前回の寸法から続きます）";
inline constexpr const char* kReasonInUse = "他のプログラムがこのファイルを使用中です。";
inline constexpr const char* kReasonNoPermission = "このフォルダーに書き込む権限がありません。";
inline constexpr const char* kReasonDiskFull = "ディスクの空き容量が不足しています。";
inline constexpr const char* kReasonLinkLeavesFolder =
    "このファイルは同じフォルダーのファイルを指していないリンクですので、書き込みませんでした。リンクを削除するか、普通のファイルに置き換えてください。";
inline constexpr const char* kReasonOther = "ファイルを書き込めませんでした。";
// "MESSAGE\nFILE\nREASON" in Shift-JIS; FILE in the system's own spelling.
std::string WriteFailureMessage(const char* messageUtf8, const std::filesystem::path& file, TWriteError why);

// ---- What the model asks of its view ---------------------------------------------------------------

class TFormView {
 public:
  virtual ~TFormView() = default;
  // The modal box of a refusal: caption `captionSjis` ("ソラトＫ（半径） - 確認"), warning icon,
  // one OK button. Returns when closed.
  virtual void ShowConfirmation(const std::string& captionSjis, const std::string& messageSjis) = 0;
  // LabelA1's caption changed while a handler runs: repaint it at once.
  virtual void RepaintStatus() = 0;
  // A failure that loses the user's dimension (the exchange file could not be written): a modal
  // error box with the caption kErrorCaption that the user must close. Returns when closed.
  virtual void ShowError(const std::string& messageSjis) = 0;
  // A failure that loses nothing of this run (the settings were not saved): a line on standard
  // error, no box.
  virtual void ShowNotice(const std::string& messageSjis) = 0;
  // The drawn dimension could not be written: a modal box with 再試行 and キャンセル (caption
  // kErrorCaption). True to try again, false to give up; nullopt when no one can be asked (the
  // model then shows the failure with ShowError).
  virtual std::optional<bool> AskRetry(const std::string& messageSjis) {
    static_cast<void>(messageSjis);
    return std::nullopt;
  }
};

// What the status line and a quick run say of a control that OK refuses (Shift-JIS): its caption,
// and for an edit the values it takes, so that the user knows what to type instead.
std::string RefusedControlMessage(const std::string& control);

// The ComboBox3 items for the exchange state: the host's current text type, then types 1 to 10.
std::vector<std::string> TextTypeItems(const JwwState& st);

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
  int Line;  // 1..36
  TSettingKind Kind;
  const char* Control;  // control name for the dialog's lines, nullptr for the others
  std::size_t Point;    // picked point of PointX / PointY
};
const std::vector<TSettingLine>& SettingsTable();
// The modes of one direction share a settings file; line 36 holds a bit for each that draws
// without the dialog: the four-point mode 1 (so that a file of a single "1" means that mode alone),
// chain 2, outside 4, a picked line 8. A kind without directions has one mode, bit 1.
int QuickModeBit(const TDimensionMode& mode);
// The bits of every mode that shares `mode`'s settings file.
int QuickModesOfFile(const TDimensionMode& mode);
// Lines 1..22 are the dialog's; 23..31 record the last dimension (read only to continue from it);
// 32 and 33 (CheckBox5, Edit10): a file without them keeps their starting values;
// 34 and 35 record where the last dimension's row started (a file without them records none); 36
// holds the modes of the file that draw without the dialog (CheckBox6 shows the dialog's own).
inline constexpr int kSettingsLinesRead = 22;
inline constexpr int kFirstRecordLine = 23;
inline constexpr int kRecordLines = 13;  // lines 23..35, of which 32 and 33 are the dialog's

// ---- The form -----------------------------------------------------------------------------------------

class TForm1 {
 public:
  // view may be null (no messages).
  TForm1(std::filesystem::path exeDir, TFormView* view, TDimensionMode mode = {});

  const TDimensionMode Mode;  // what the dialog draws; it chooses the settings file
  // The dialog only edits the settings (--settings): OK checks the fields and saves them, and
  // draws nothing; CheckBox6 stands for every mode of the settings file. Set before FormShow.
  bool SettingsOnly = false;
  // Line 36 as LoadSettings read it (QuickModeBit bits); SaveSettings changes only what CheckBox6
  // stands for.
  int QuickModes = 0;
  int QuickModesToSave() const;
  // The caption of this dialog's refusal box: "ソラトＫ（半径） - 確認" (Shift-JIS).
  std::string ConfirmationCaption() const;
  const std::filesystem::path ExeDir;  // the executable's folder: the exchange and settings files
  std::string Caption() const;         // Shift-JIS

  // Controls.
  TComboBox ComboBox1, ComboBox2, ComboBox3, ComboBox4, ComboBox5;
  TEdit Edit1, Edit2, Edit3, Edit4, Edit5, Edit6, Edit7, Edit8, Edit9;
  TEdit Edit10;  // the outside dimension's distance beyond the last one (outside mode only)
  TCheckBox CheckBox1, CheckBox2, CheckBox3, CheckBox4;
  TCheckBox CheckBox5;  // the preview is shown
  TCheckBox CheckBox6;  // the next runs of this mode draw without the dialog (QuickOk)
  TRadioGroup RadioGroup1, RadioGroup2;
  TLabel LabelA1;

  // Window position and the remembered one.
  int Left = 0, Top = 0;
  int SavedLeft = 100, SavedTop = 100;

  // What the handlers ask of the view.
  std::string FocusControl;     // name of the control that should receive the focus ("" none)
  bool CloseRequested = false;  // the dialog should close (then the view calls FormClose once)

  // The exchange state of this run.
  JwwState Jww;

  // Handlers.
  void FormShow();
  // Writes the output list to JWC_TEMP.TXT and releases the exchange state. A failed write is
  // shown through the view (ShowError) before the result, false, is returned. Then the settings
  // of an OK that drew are saved (SaveAfterClose).
  bool FormClose();
  // After OK drew a dimension: saves the settings, recording that dimension when its output was
  // delivered (drawn) and keeping the record read before when it was not, so that the next chain
  // goes on from the last dimension actually drawn. A record that cannot be saved after a drawing
  // is shown through the view (ShowError). Does nothing when OK drew nothing. The command line's
  // --stdout calls it instead of FormClose.
  void SaveAfterClose(bool drawn);
  void Button1Click();
  void Button2Click();
  // OK without a dialog to go back to: a refusal is shown in the confirmation box (a refused
  // field's reason too, and how the dialog comes back) and the run closes drawing nothing. After
  // FormShow; then FormClose.
  void QuickOk();
  // Whether the settings file of `mode` in `exeDir` asks for runs without the dialog (CheckBox6).
  static bool SkipsDialog(const std::filesystem::path& exeDir, TDimensionMode mode);
  void LoadSettings(const std::filesystem::path& fileName);
  // The settings file of this dialog's direction in ExeDir.
  std::filesystem::path SettingsFile() const;
  // The dialog's values, with the record of the last dimension (lines 23..31) exactly as
  // LoadSettings read it. Edit texts are saved on one line each. A failed save keeps the previous
  // file and is told on the status line and through the view (ShowNotice).
  TWriteError SaveSettings(const std::filesystem::path& fileName);
  // False when FormShow could not read JWC_TEMP.TXT: OK then refuses with kMessageReadFailed.
  bool ExchangeRead() const { return exchangeRead_; }
  // The last dimension recorded in the settings file that LoadSettings read, if it holds one.
  const std::optional<TLastDimension>& LastDimension() const { return last_; }

  // Control access by name, for the views and the command line's --set (nullptr when `name` is
  // not a control of that kind).
  TComboBox* ComboBoxByName(std::string_view name);
  TEdit* EditByName(std::string_view name);
  TCheckBox* CheckBoxByName(std::string_view name);
  TRadioGroup* RadioGroupByName(std::string_view name);
  TLabel* LabelByName(std::string_view name);
  const TComboBox* ComboBoxByName(std::string_view name) const;
  const TEdit* EditByName(std::string_view name) const;
  const TCheckBox* CheckBoxByName(std::string_view name) const;
  const TRadioGroup* RadioGroupByName(std::string_view name) const;

 private:
  void SetStatus(const char* utf8);
  // The refusal box, with how the dialog comes back in a run without it.
  void Confirm(const std::string& messageSjis);

  // The dialog's values and `record` (nullptr: the record lines as read) into fileName.
  TWriteError WriteSettings(const std::filesystem::path& fileName, const TLastDimension* record) const;

  TFormView* view_;
  bool exchangeRead_ = false;
  bool quick_ = false;  // QuickOk is running
  std::vector<std::string> recordLines_ =
      std::vector<std::string>(kRecordLines);  // as LoadSettings read them
  std::optional<TLastDimension> last_;         // recordLines_ as a dimension, when they hold one
  std::optional<TLastDimension> drawn_;        // the dimension OK drew, recorded once it is delivered
};

// Reads the dialog and the exchange state and checks the inputs in the dialog's order. On the
// first refused input `focus` is set to that control's name ("ComboBox1", "Edit7", ...) and the
// result is to be ignored; otherwise `focus` is empty. The dimension's points are made by the
// kind (a refusal of them is left in PointsRefusal for CheckDimension).
TDimensionInput ReadInputs(const TForm1& form, std::string& focus);

inline constexpr const char* kSettingsFileName = "q746.dat";
inline constexpr const char* kExchangeFileName = "JWC_TEMP.TXT";
