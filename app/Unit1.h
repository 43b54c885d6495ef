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
//   shows the one confirmation message) and leaves the dialog open; nothing throws.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "JwwGaibu.h"

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

enum class TControlKind { List, Edit, RadioGroup, CheckBox, Button, Memo, ScrollBox, Label };

// One control of the dialog: the model builds its controls from this table, and the Win32 view
// creates its windows from the same table. Texts here are UTF-8 source literals; the model keeps
// them as Shift-JIS (see ControlCaption / ControlItems).
struct TControlSpec {
  const char* Name;          // "ComboBox1", "Edit7", "Label6", ...
  TControlKind Kind;
  int TabOrder;              // -1 for controls outside the tab order (labels)
  int Left, Top, Width, Height;  // client pixels at 96 dpi
  const char* Caption;       // button, check box, radio group or label caption; edit starting text
  std::vector<const char*> Items;  // list and radio group items
  int StartIndex;            // starting item index (-1 none), or 1 for a check box checked
  int MaxLength;             // edits; 0 for none
  bool ImeOff;               // the input method is switched off while the control has the focus
  bool TabStop;
};

const std::vector<TControlSpec>& ControlTable();
const TControlSpec* FindControl(std::string_view name);

// The dialog's fixed texts, as Shift-JIS.
std::string SjisText(std::string_view utf8);  // a UTF-8 source literal as Shift-JIS
const std::vector<std::string>& Memo1Lines();   // the thirty lines of notes

// ---- What the model asks of its view ---------------------------------------------------------------

class TFormView {
 public:
  virtual ~TFormView() = default;
  // The modal confirmation box: caption "確認", question icon, one OK button. Returns when closed.
  virtual void ShowConfirmation(const std::string& messageSjis) = 0;
  // LabelA1's caption changed while a handler runs: repaint it at once.
  virtual void RepaintStatus() = 0;
};

// ---- The value settings of the dimension text ----------------------------------------------------------

struct TValueSettings {
  int Decimals = 3;        // ComboBox4 index: decimals 0..8
  int Mode = 2;            // ComboBox5 index: 0 truncate, 1 round up, 2 round half
  int Zeros = 0;           // RadioGroup1: 0 trailing zeros removed, 1 shown
  int Unit = 0;            // RadioGroup2: 0 mm, 1 metres
  bool Grouped = false;    // CheckBox1
  bool WithUnit = false;   // CheckBox2
  bool FullWidth = false;  // CheckBox3
  std::string Prefix;      // Edit2, already cleaned (blank -> empty)
  std::string Suffix;      // Edit3, likewise
};

// The value text of a dimension of length L (drawing units).
std::string BuildValueText(double length, const TValueSettings& v);

// ---- The form -----------------------------------------------------------------------------------------

class TForm1 {
 public:
  TForm1(std::filesystem::path exeDir, TFormView* view);

  // Controls.
  TComboBox ComboBox1, ComboBox2, ComboBox3, ComboBox4, ComboBox5;
  TEdit Edit1, Edit2, Edit3, Edit4, Edit5, Edit6, Edit7, Edit8, Edit9;
  TCheckBox CheckBox1, CheckBox2, CheckBox3, CheckBox4;
  TRadioGroup RadioGroup1, RadioGroup2;
  TLabel LabelA1;

  // Window position and the remembered one.
  int Left = 0, Top = 0;
  int SavedLeft = 100, SavedTop = 100;
  std::filesystem::path ExeDir;  // set by FormShow to the executable's folder

  // What the handlers ask of the view.
  std::string FocusControl;      // name of the control that should receive the focus ("" none)
  bool CloseRequested = false;   // the dialog should close (then the view calls FormClose once)

  // The exchange state of this run.
  JwwState Jww;

  // Handlers.
  void FormShow();
  void FormClose();
  void Button1Click();
  void Button2Click();
  void LoadSettings(const std::filesystem::path& fileName);
  void SaveSettings(const std::filesystem::path& fileName);

  // Control access by name, for the views and the command line's --set.
  TComboBox* ComboBoxByName(std::string_view name);
  TEdit* EditByName(std::string_view name);
  TCheckBox* CheckBoxByName(std::string_view name);
  TRadioGroup* RadioGroupByName(std::string_view name);

 private:
  std::filesystem::path exeDir_;
  TFormView* view_;
};

inline constexpr const char* kSettingsFileName = "q746.dat";
inline constexpr const char* kExchangeFileName = "JWC_TEMP.TXT";
