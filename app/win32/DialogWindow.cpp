// The dialog's life: its message loop and messages, the handlers run for the buttons, the one
// close path, and what the model asks of its view. Creation is in DialogCreate.cpp, the binding
// of the controls to the model in DialogBinding.cpp.
#include "DialogWindow.h"

#include <cstdio>
#include <utility>

#include "MyFunc.h"
#include "WideText.h"
#include "WinCheck.h"

namespace {

constexpr int kWhite = 0xFFFFFF;

// Not in every SDK's headers: the per-monitor dpi messages of Windows 10.
constexpr UINT kWmDpiChanged = 0x02E0;
constexpr UINT kWmGetDpiScaledSize = 0x02E4;

COLORREF ColourRef(int rrggbb) {
  return RGB((rrggbb >> 16) & 0xFF, (rrggbb >> 8) & 0xFF, rrggbb & 0xFF);
}

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

TDialogWindow::TDialogWindow(HINSTANCE instance, std::filesystem::path exeDir, TDirection direction, TNext next)
    : instance_(instance), form_(std::move(exeDir), this, direction, next),
      children_(DialogChildren(ControlTable(), next)) {}

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
}

int TDialogWindow::RunMessageLoop() {
  MSG msg{};
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    // The dialog keys: Tab, Enter (default button), Esc (Cancel), Alt+letter.
    if (window_ != nullptr && IsDialogMessageW(window_, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}

// ---- The model and the controls ------------------------------------------------------------------------

HWND TDialogWindow::ControlWindow(std::string_view name, int item) const {
  for (size_t i = 0; i < children_.size(); ++i) {
    if (children_[i].Name == name && children_[i].Item == item) return handles_[i];
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
  if (inHandler_ || closed_) return;
  inHandler_ = true;
  CopyFromControls();
  (form_.*handler)();
  inHandler_ = false;
  RepaintStatus();
  if (!form_.FocusControl.empty()) {
    FocusNamedControl(form_.FocusControl);
    form_.FocusControl.clear();
  }
  if (form_.CloseRequested) CloseDialog();
}

void TDialogWindow::MakeDefaultButton(HWND button) {
  for (size_t i = 0; i < children_.size(); ++i) {
    if (!IsPushButton(children_[i])) continue;
    const DWORD type = handles_[i] == button ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    SendMessageW(handles_[i], BM_SETSTYLE, type | BS_NOTIFY, TRUE);
  }
}

void TDialogWindow::CloseDialog() {
  if (closed_) return;
  closed_ = true;
  if (shown_) form_.FormClose();
  if (window_ != nullptr) DestroyWindow(window_);
}

// ---- What the model asks of the view -------------------------------------------------------------

void TDialogWindow::ShowConfirmation(const std::string& messageSjis) {
  MessageBoxW(window_, SjisToWide(messageSjis).c_str(), Utf8LiteralToWide(kConfirmationCaption).c_str(),
              MB_ICONQUESTION | MB_OK);
}

void TDialogWindow::ShowError(const std::string& messageSjis) {
  // Also while the window is going away: owned by it while it is there, else by nobody.
  HWND owner = window_ != nullptr && IsWindow(window_) ? window_ : nullptr;
  MessageBoxW(owner, SjisToWide(messageSjis).c_str(), Utf8LiteralToWide(kErrorCaption).c_str(),
              MB_ICONERROR | MB_OK | (owner == nullptr ? MB_TASKMODAL | MB_SETFOREGROUND : 0));
}

void TDialogWindow::ShowNotice(const std::string& messageSjis) {
  // A dialog started from a console still has standard error; otherwise this goes nowhere.
  const std::string line = SjisToUtf8(SingleLine(messageSjis));
  std::fprintf(stderr, "q748: %s\n", line.c_str());
  std::fflush(stderr);
}

void TDialogWindow::RepaintStatus() {
  HWND status = ControlWindow("LabelA1");
  if (status == nullptr) return;
  Q748_WIN(SetWindowTextW(status, SjisToWide(form_.LabelA1.Caption).c_str()));
  UpdateWindow(status);
}

// ---- Messages ------------------------------------------------------------------------------------------

LRESULT CALLBACK TDialogWindow::FormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<TDialogWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<TDialogWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    self->window_ = nullptr;
    return DefWindowProcW(window, message, wParam, lParam);
  }
  return self->HandleMessage(message, wParam, lParam);
}

LRESULT TDialogWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      return OnCommand(wParam, lParam);
    case DM_GETDEFID: {
      // Enter presses the push button that has the focus, else OK.
      const int focused = ChildIndex(GetFocus());
      const int id = focused >= 0 && IsPushButton(children_[static_cast<size_t>(focused)])
                         ? children_[static_cast<size_t>(focused)].Id
                         : kOkButtonId;
      return MAKELRESULT(id, DC_HASDEFID);
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return OnControlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_ACTIVATE:
      // A plain window forgets its focused control when it is deactivated; keep it.
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus != nullptr && IsChild(window_, focus)) savedFocus_ = focus;
      } else {
        RestoreFocus();
      }
      return 0;
    case WM_SETFOCUS:
      RestoreFocus();
      return 0;
    case kWmGetDpiScaledSize: {
      *reinterpret_cast<SIZE*>(lParam) = OuterSize(static_cast<UINT>(wParam));
      return TRUE;
    }
    case kWmDpiChanged: {
      ApplyDpi(HIWORD(wParam));
      const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
      const SIZE size = OuterSize(dpi_);
      SetWindowPos(window_, nullptr, suggested->left, suggested->top, size.cx, size.cy,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      return 0;
    }
    case WM_CLOSE:
      // The close box and Alt+F4; while a handler runs, after it.
      if (inHandler_) {
        form_.CloseRequested = true;
      } else {
        CloseDialog();
      }
      return 0;
    case WM_ENDSESSION:
      if (wParam) CloseDialog();
      return 0;
    case WM_DESTROY:
      // Destroyed by another path than CloseDialog: the exchange file is written all the same
      // (but not before FormShow, when there is no exchange state and no folder to write to).
      if (!closed_) {
        closed_ = true;
        if (shown_) form_.FormClose();
      }
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window_, message, wParam, lParam);
  }
}

LRESULT TDialogWindow::OnCommand(WPARAM wParam, LPARAM lParam) {
  const int id = LOWORD(wParam);
  const int code = HIWORD(wParam);
  HWND control = reinterpret_cast<HWND>(lParam);
  if (id == kOkButtonId && code == BN_CLICKED) {
    RunHandler(&TForm1::Button1Click);
    return 0;
  }
  if (id == kCancelButtonId && code == BN_CLICKED) {
    RunHandler(&TForm1::Button2Click);
    return 0;
  }
  const int index = ChildIndex(control);
  if (index < 0) return 0;
  const TChildWindow& c = children_[static_cast<size_t>(index)];
  if (c.Class == TChildClass::RadioButton && code == BN_CLICKED) UpdateRadioTabStops(c.Name);
  if (IsPushButton(c) && code == BN_SETFOCUS) MakeDefaultButton(control);
  if (IsPushButton(c) && code == BN_KILLFOCUS) MakeDefaultButton(ControlWindow("Button1"));
  if (IsPreviewInput(c, code)) UpdatePreview();
  return 0;
}

LRESULT TDialogWindow::OnControlColour(HDC dc, HWND control) {
  const int index = ChildIndex(control);
  int colour = kWhite;
  if (index >= 0 && children_[static_cast<size_t>(index)].BackColour >= 0) {
    colour = children_[static_cast<size_t>(index)].BackColour;
  }
  SetBkColor(dc, ColourRef(colour));
  return reinterpret_cast<LRESULT>(BrushFor(colour));
}

HBRUSH TDialogWindow::BrushFor(int colour) {
  auto found = brushes_.find(colour);
  if (found != brushes_.end()) return found->second;
  HBRUSH brush = CreateSolidBrush(ColourRef(colour));
  brushes_[colour] = brush;
  return brush;
}
