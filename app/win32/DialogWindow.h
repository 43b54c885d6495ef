// DialogWindow.h: the Win32 dialog, a binding over the TForm1 model. It creates the form as a
// dialog of the system's dialog manager (which does Tab, Enter, Esc, Alt+letter, the default
// button and the focus) and the controls from the control table, copies the model into them
// after FormShow, copies them back into the model before a handler runs, and carries out what the
// handler asks for (focus, close). At every change of a control it copies the controls back as
// well and shows the model's preview. It parses nothing itself. Layout is in 96-dpi pixels,
// scaled to the monitor's dpi.
#pragma once

#include <windows.h>

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "DialogLayout.h"
#include "PreviewPanel.h"
#include "Unit1.h"

class TDialogWindow final : public TFormView {
 public:
  // settingsOnly: the settings launcher's dialog (TForm1::SettingsOnly).
  TDialogWindow(HINSTANCE instance, std::filesystem::path exeDir, TDimensionMode mode = {},
                bool settingsOnly = false);
  ~TDialogWindow() override;
  TDialogWindow(const TDialogWindow&) = delete;
  TDialogWindow& operator=(const TDialogWindow&) = delete;

  // Creates the window and its controls, runs FormShow, fills the controls and places the
  // window; it stays hidden until Show. On failure `error` says which call failed.
  bool Create(std::wstring& error);
  void Show(int showCommand);
  // Runs the messages until the dialog has closed; the process's exit code.
  int RunMessageLoop();
  // What the message loop does with a message for `dialog` before dispatching it: the controls'
  // Alt keys, then the dialog manager's keys. True when the message was handled.
  static bool TranslateDialogMessage(HWND dialog, MSG& msg);

  HWND Handle() const { return window_; }
  // The window of a control (a radio group's button `item`, or its frame for -1); null if none.
  HWND ControlWindow(std::string_view name, int item = -1) const;
  // The tooltips window (null until the window has been shown and its messages run).
  HWND TipsWindow() const { return tips_; }
  TForm1& Form() { return form_; }
  const TForm1& Form() const { return form_; }
  bool Closed() const { return phase_ == TPhase::Closed; }
  UINT Dpi() const { return dpi_; }
  // The picture the preview panel shows (empty when it shows none).
  const TPreviewPicture& PreviewPicture() const { return previewPanel_.Picture(); }

  // TFormView
  void ShowConfirmation(const std::string& captionSjis, const std::string& messageSjis) override;
  void RepaintStatus() override;
  void ShowError(const std::string& messageSjis) override;
  std::optional<bool> AskRetry(const std::string& messageSjis) override;
  void ShowNotice(const std::string& messageSjis) override;

 private:
  // Where the dialog is in its life; each phase says what may happen in it.
  enum class TPhase {
    Building,  // before FormShow: closing writes nothing
    Filling,   // the model is copied into the controls: their notifications are that copy's own
    Open,      // the user works the controls
    Handling,  // a handler runs: the preview waits, a close waits for the handler's end
    Closed,    // FormClose has run (or is no longer due)
  };

  static INT_PTR CALLBACK FormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void OnCommand(WPARAM wParam, LPARAM lParam);
  bool OnAccessKey(wchar_t letter);
  void OnDrawItem(const DRAWITEMSTRUCT& item);
  HBRUSH OnControlColour(HDC dc, HWND control);

  bool RegisterClasses(std::wstring& error);
  bool CreateChildren(std::wstring& error);
  bool CreateTips(std::wstring& error);
  void SetTipsStyle();  // the tips' font and width at the current dpi
  void ApplyDpi(UINT dpi);
  int ClientWidth96() const;  // with or without the preview
  SIZE OuterSize(UINT dpi) const;
  HFONT FontFor(int height96);
  void LoadIcons();
  void PlaceAt(int left, int top);

  void CopyIntoControls();
  void CopyFromControls();
  void UpdatePreview();
  void ShowPreviewPanel(bool shown);
  void SetControlText(HWND control, const std::string& sjis);
  void RunHandler(void (TForm1::*handler)());
  void FocusNamedControl(const std::string& name);
  void UpdateRadioTabStops(const std::string& group);
  // The one way out: FormClose once, then the window goes. While a handler runs the close waits
  // for its end, unless the window is being destroyed already.
  void CloseDialog(bool destroying = false);

  int ChildIndex(HWND control) const;
  HWND RoleWindow(TControlRole role) const;  // the first control of `role`; null if none
  HWND PreviewWindow() const;
  HBRUSH BrushFor(int colour);

  HINSTANCE instance_;
  TForm1 form_;
  std::vector<TChildWindow> children_;
  std::vector<HWND> handles_;  // parallel to children_
  HWND window_ = nullptr;
  HWND tips_ = nullptr;  // the tooltips of the controls; the window owns it
  UINT dpi_ = 96;
  std::wstring faceName_;
  std::map<int, HFONT> fonts_;     // by 96-dpi height, for the current dpi
  std::map<int, HBRUSH> brushes_;  // by 0xRRGGBB
  HICON bigIcon_ = nullptr, smallIcon_ = nullptr;
  TPreviewPanel previewPanel_;
  bool previewShown_ = true;  // the panel is shown and the window widened by it
  TPhase phase_ = TPhase::Building;
};
