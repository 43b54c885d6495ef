// DialogWindow.h: the Win32 dialog, a binding over the TForm1 model. It creates the windows of
// the control table, copies the model into them after FormShow, copies them back into the model
// before a handler runs, and carries out what the handler asks for (focus, close). At every change
// of a control it copies the controls back as well and shows the model's preview. It parses
// nothing itself. Layout is in 96-dpi pixels, scaled to the monitor's dpi.
#pragma once

#include <windows.h>

#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "DialogLayout.h"
#include "PreviewPanel.h"
#include "Unit1.h"

class TDialogWindow final : public TFormView {
 public:
  TDialogWindow(HINSTANCE instance, std::filesystem::path exeDir, TDirection direction = TDirection::Vertical,
                TNext next = TNext::None);
  ~TDialogWindow() override;
  TDialogWindow(const TDialogWindow&) = delete;
  TDialogWindow& operator=(const TDialogWindow&) = delete;

  // Creates the window and its controls, runs FormShow, fills the controls and places the
  // window; it stays hidden until Show. On failure `error` says which call failed.
  bool Create(std::wstring& error);
  void Show(int showCommand);
  // Runs the messages until the dialog has closed; the process's exit code.
  int RunMessageLoop();

  HWND Handle() const { return window_; }
  // The window of a control (a radio group's button `item`, or its frame for -1); null if none.
  HWND ControlWindow(std::string_view name, int item = -1) const;
  TForm1& Form() { return form_; }
  bool Closed() const { return closed_; }
  UINT Dpi() const { return dpi_; }
  // The picture the preview panel shows (empty when it shows none).
  const TPreviewPicture& PreviewPicture() const { return previewPanel_.Picture(); }

  // TFormView
  void ShowConfirmation(const std::string& messageSjis) override;
  void RepaintStatus() override;
  void ShowError(const std::string& messageSjis) override;
  void ShowNotice(const std::string& messageSjis) override;

 private:
  static LRESULT CALLBACK FormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnCommand(WPARAM wParam, LPARAM lParam);
  LRESULT OnControlColour(HDC dc, HWND control);

  bool RegisterClasses(std::wstring& error);
  bool CreateChildren(std::wstring& error);
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
  void SetControlText(const char* name, const std::string& sjis);
  void RunHandler(void (TForm1::*handler)());
  void FocusNamedControl(const std::string& name);
  void RestoreFocus();
  void UpdateRadioTabStops(const std::string& group);
  void MakeDefaultButton(HWND button);
  void CloseDialog();

  int ChildIndex(HWND control) const;
  HBRUSH BrushFor(int colour);

  HINSTANCE instance_;
  TForm1 form_;
  std::vector<TChildWindow> children_;
  std::vector<HWND> handles_;          // parallel to children_
  HWND window_ = nullptr;
  UINT dpi_ = 96;
  std::wstring faceName_;
  std::map<int, HFONT> fonts_;         // by 96-dpi height, for the current dpi
  std::map<int, HBRUSH> brushes_;      // by 0xRRGGBB
  HICON bigIcon_ = nullptr, smallIcon_ = nullptr;
  HWND savedFocus_ = nullptr;
  TPreviewPanel previewPanel_;
  bool previewShown_ = true;  // the panel is shown and the window widened by it
  bool inHandler_ = false;
  bool copyingIn_ = false;  // CopyIntoControls runs: the controls' notifications are its own
  bool shown_ = false;   // FormShow has run: closing writes the exchange file
  bool closed_ = false;  // FormClose has run (or is no longer due)
};
