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

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ControlTable.h"
#include "Controls.h"
#include "Dimension.h"
#include "FormMessages.h"
#include "FormView.h"
#include "SettingsFile.h"

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
  TCheckBox CheckBox7;  // a row: every value moved out on a leader
  TCheckBox CheckBox8;  // a row: the overall dimension
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
