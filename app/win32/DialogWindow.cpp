// The dialog's life: its message loop and messages, the handlers run for the buttons, the one
// close path, and what the model asks of its view. Creation is in DialogCreate.cpp, the binding
// of the controls to the model in DialogBinding.cpp.
#include "DialogWindow.h"

#include <utility>

#include "DpiScale.h"
#include "MessageBoxes.h"
#include "PreviewPainter.h"
#include "MyFunc.h"
#include "WideText.h"
#include "WinCheck.h"

namespace {

constexpr int kWhite = 0xFFFFFF;

// Not in every SDK's headers: the per-monitor dpi messages of Windows 10.
constexpr UINT kWmDpiChanged = 0x02E0;
constexpr UINT kWmGetDpiScaledSize = 0x02E4;
// Posted by Show: the tips are made once the window is on screen.
constexpr UINT kWmCreateTips = WM_APP + 1;

COLORREF ColourRef(int rrggbb) { return RGB((rrggbb >> 16) & 0xFF, (rrggbb >> 8) & 0xFF, rrggbb & 0xFF); }

bool IsPushButton(const TChildWindow& c) { return c.Class == TChildClass::PushButton; }

// The controls whose changes the preview follows, and the notification of a change.
bool IsPreviewInput(const TChildWindow& c, int code) {
  switch (c.Class) {
    case TChildClass::Edit: return code == EN_CHANGE;
    case TChildClass::ComboList: return code == CBN_SELCHANGE;
    case TChildClass::CheckBox:
    case TChildClass::RadioButton: return code == BN_CLICKED;
    case TChildClass::GroupBox:
    case TChildClass::PushButton:
    case TChildClass::Memo:
    case TChildClass::Pane:
    case TChildClass::Label:
    case TChildClass::Preview: return false;
  }
  return false;
}

}  // namespace

TDialogWindow::TDialogWindow(HINSTANCE instance, std::filesystem::path exeDir, TDimensionMode mode,
                             bool settingsOnly)
    : instance_(instance),
      form_(std::move(exeDir), this, mode),
      children_(DialogChildren(ControlTable(), mode)) {
  form_.SettingsOnly = settingsOnly;
}

TDialogWindow::~TDialogWindow() {
  if (window_ != nullptr) DestroyWindow(window_);
  for (auto& [height, font] : fonts_) DeleteObject(font);
  for (auto& [colour, brush] : brushes_) DeleteObject(brush);
  if (bigIcon_ != nullptr) DestroyIcon(bigIcon_);
  if (smallIcon_ != nullptr) DestroyIcon(smallIcon_);
}
void TDialogWindow::Show(int showCommand) {
  ShowWindow(window_, showCommand);
  UpdateWindow(window_);
  SetForegroundWindow(window_);
  PostMessageW(window_, kWmCreateTips, 0, 0);
}

int TDialogWindow::RunMessageLoop() {
  MSG msg{};
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    // The dialog keys: Tab, Enter (default button), Esc (Cancel), Alt+letter.
    if (window_ != nullptr && TranslateDialogMessage(window_, msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}

bool TDialogWindow::TranslateDialogMessage(HWND dialog, MSG& msg) {
  if (dialog == nullptr || !IsWindow(dialog)) return false;
  if (msg.message == WM_SYSCHAR && (msg.hwnd == dialog || IsChild(dialog, msg.hwnd))) {
    auto* self = reinterpret_cast<TDialogWindow*>(GetWindowLongPtrW(dialog, GWLP_USERDATA));
    if (self != nullptr && self->OnAccessKey(static_cast<wchar_t>(msg.wParam))) return true;
  }
  return IsDialogMessageW(dialog, &msg) != FALSE;
}

// Alt+letter of a control's row: the focus goes to it, and a check box is clicked, as the
// dialog manager does for an underlined letter. The buttons' letters are the dialog manager's.
bool TDialogWindow::OnAccessKey(wchar_t letter) {
  if (phase_ != TPhase::Open || letter > 0x7F) return false;
  const TControlEntry* row = FindAccessKey(static_cast<char>(letter), form_.Mode);
  if (row == nullptr) return false;
  FocusNamedControl(row->Name);
  if (row->Kind == TControlKind::CheckBox) {
    HWND box = ControlWindow(row->Name);
    if (box != nullptr) SendMessageW(box, BM_CLICK, 0, 0);
  }
  return true;
}

// ---- The model and the controls ------------------------------------------------------------------------

HWND TDialogWindow::ControlWindow(std::string_view name, int item) const {
  for (size_t i = 0; i < children_.size(); ++i) {
    if (children_[i].Name == name && children_[i].Item == item) return handles_[i];
  }
  return nullptr;
}

HWND TDialogWindow::RoleWindow(TControlRole role) const {
  for (size_t i = 0; i < children_.size(); ++i) {
    if (children_[i].Role == role) return handles_[i];
  }
  return nullptr;
}

HWND TDialogWindow::PreviewWindow() const {
  for (size_t i = 0; i < children_.size(); ++i) {
    if (children_[i].Class == TChildClass::Preview) return handles_[i];
  }
  return nullptr;
}

int TDialogWindow::ChildIndex(HWND control) const {
  for (size_t i = 0; i < handles_.size(); ++i) {
    if (handles_[i] == control) return static_cast<int>(i);
  }
  return -1;
}
void TDialogWindow::RunHandler(void (TForm1::*handler)()) {
  if (phase_ != TPhase::Open) return;
  phase_ = TPhase::Handling;
  CopyFromControls();
  (form_.*handler)();
  if (phase_ == TPhase::Handling) phase_ = TPhase::Open;
  RepaintStatus();
  if (!form_.FocusControl.empty()) {
    FocusNamedControl(form_.FocusControl);
    form_.FocusControl.clear();
  }
  if (form_.CloseRequested) CloseDialog();
}

void TDialogWindow::CloseDialog(bool destroying) {
  if (phase_ == TPhase::Closed) return;
  if (phase_ == TPhase::Handling && !destroying) {
    form_.CloseRequested = true;
    return;
  }
  // Before FormShow there is no exchange state and no folder to write to.
  const bool write = phase_ != TPhase::Building;
  phase_ = TPhase::Closed;
  if (write) form_.FormClose();
  if (!destroying && window_ != nullptr) DestroyWindow(window_);
}

// ---- What the model asks of the view -------------------------------------------------------------

void TDialogWindow::ShowConfirmation(const std::string& captionSjis, const std::string& messageSjis) {
  ConfirmationBox(window_, captionSjis, messageSjis);
}

// Also while the window is going away: owned by it while it is there, else by nobody.
void TDialogWindow::ShowError(const std::string& messageSjis) { ErrorBox(window_, messageSjis); }

std::optional<bool> TDialogWindow::AskRetry(const std::string& messageSjis) {
  return RetryBox(window_, messageSjis);
}

void TDialogWindow::ShowNotice(const std::string& messageSjis) { NoticeLine(messageSjis); }

void TDialogWindow::RepaintStatus() {
  HWND status = RoleWindow(TControlRole::StatusLine);
  if (status == nullptr) return;
  Q748_WIN(SetWindowTextW(status, SjisToWide(form_.LabelA1.Caption).c_str()));
  UpdateWindow(status);
  // Called while a handler or a held file keeps the thread busy: the rest of the window is
  // painted too (a box moved away leaves no hole), without taking any input.
  MSG msg{};
  while (PeekMessageW(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) DispatchMessageW(&msg);
}

// ---- Messages ------------------------------------------------------------------------------------------

INT_PTR CALLBACK TDialogWindow::FormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* self = reinterpret_cast<TDialogWindow*>(lParam);
    self->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, static_cast<LONG_PTR>(lParam));
    return FALSE;  // the controls come after: the focus is placed when the window is activated
  }
  auto* self = reinterpret_cast<TDialogWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) return FALSE;
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    self->window_ = nullptr;
    return FALSE;
  }
  return self->HandleMessage(message, wParam, lParam);
}

// The dialog manager does the rest: Tab and the arrows, Enter and Esc, Alt+letter, the default
// button, and keeping the focused control while the window is inactive.
INT_PTR TDialogWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND: OnCommand(wParam, lParam); return TRUE;
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return reinterpret_cast<INT_PTR>(
          OnControlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)));
    case kWmGetDpiScaledSize:
      *reinterpret_cast<SIZE*>(lParam) = OuterSize(static_cast<UINT>(wParam));
      SetWindowLongPtrW(window_, DWLP_MSGRESULT, TRUE);
      return TRUE;
    case kWmDpiChanged: {
      ApplyDpi(HIWORD(wParam));
      const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
      const SIZE size = OuterSize(dpi_);
      SetWindowPos(window_, nullptr, suggested->left, suggested->top, size.cx, size.cy,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      return TRUE;
    }
    case WM_MEASUREITEM: {
      auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
      if (measure->CtlType != ODT_COMBOBOX) return FALSE;
      measure->itemHeight = static_cast<UINT>(ScaleToDpi(kMarkerItemHeight, dpi_));
      return TRUE;
    }
    case WM_DRAWITEM: OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)); return TRUE;
    case kWmCreateTips: {
      // Without tips the dialog works all the same: a failure is only told.
      std::wstring error;
      if (!CreateTips(error)) NoticeLine(WideToSjis(error));
      return TRUE;
    }
    case WM_CLOSE:
      // The close box and Alt+F4: not Cancel's handler, only the close.
      CloseDialog();
      return TRUE;
    case WM_ENDSESSION:
      if (wParam) CloseDialog();
      return TRUE;
    case WM_DESTROY:
      // Destroyed by another path as well: the exchange file is written all the same.
      CloseDialog(true);
      PostQuitMessage(0);
      return TRUE;
    default: return FALSE;
  }
}

void TDialogWindow::OnCommand(WPARAM wParam, LPARAM lParam) {
  const int id = LOWORD(wParam);
  const int code = HIWORD(wParam);
  HWND control = reinterpret_cast<HWND>(lParam);
  if (id == kOkButtonId && code == BN_CLICKED) return RunHandler(&TForm1::Button1Click);
  if (id == kCancelButtonId && code == BN_CLICKED) return RunHandler(&TForm1::Button2Click);
  const int index = ChildIndex(control);
  if (index < 0) return;
  const TChildWindow& c = children_[static_cast<size_t>(index)];
  if (c.Class == TChildClass::RadioButton && code == BN_CLICKED) UpdateRadioTabStops(c.Name);
  // The dialog manager moves the default button when it moves the focus itself; a click or a
  // program moves the focus past it, so the button says so.
  if (IsPushButton(c) && code == BN_SETFOCUS)
    SendMessageW(window_, DM_SETDEFID, static_cast<WPARAM>(c.Id), 0);
  if (IsPushButton(c) && code == BN_KILLFOCUS) SendMessageW(window_, DM_SETDEFID, kOkButtonId, 0);
  if (IsPreviewInput(c, code)) UpdatePreview();
}

// An item of a marker list: its shape, its text and, in the open list, its host code.
void TDialogWindow::OnDrawItem(const DRAWITEMSTRUCT& item) {
  if (item.CtlType != ODT_COMBOBOX) return;
  const int index = static_cast<int>(item.itemID);  // -1: the field of a list without a choice
  std::wstring text;
  if (index >= 0) {
    const LRESULT length = SendMessageW(item.hwndItem, CB_GETLBTEXTLEN, item.itemID, 0);
    if (length > 0) {
      text.assign(static_cast<size_t>(length) + 1, L'\0');
      SendMessageW(item.hwndItem, CB_GETLBTEXT, item.itemID, reinterpret_cast<LPARAM>(text.data()));
      text.resize(static_cast<size_t>(length));
    }
  }
  const TMarkerItemState state{(item.itemState & ODS_SELECTED) != 0, (item.itemState & ODS_COMBOBOXEDIT) != 0,
                               (item.itemState & ODS_DISABLED) != 0};
  PaintMarkerItem(item.hDC, item.rcItem, index, text, state, TPreviewStyle{faceName_, dpi_});
  if ((item.itemState & ODS_FOCUS) != 0 && (item.itemState & ODS_NOFOCUSRECT) == 0)
    DrawFocusRect(item.hDC, &item.rcItem);
  SetWindowLongPtrW(window_, DWLP_MSGRESULT, TRUE);
}

HBRUSH TDialogWindow::OnControlColour(HDC dc, HWND control) {
  const int index = ChildIndex(control);
  int colour = kWhite;
  if (index >= 0 && children_[static_cast<size_t>(index)].BackColour >= 0) {
    colour = children_[static_cast<size_t>(index)].BackColour;
  }
  SetBkColor(dc, ColourRef(colour));
  return BrushFor(colour);
}
HBRUSH TDialogWindow::BrushFor(int colour) {
  auto found = brushes_.find(colour);
  if (found != brushes_.end()) return found->second;
  HBRUSH brush = CreateSolidBrush(ColourRef(colour));
  brushes_[colour] = brush;
  return brush;
}
