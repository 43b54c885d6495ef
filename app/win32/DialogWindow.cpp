#include "DialogWindow.h"

#include <commctrl.h>
#include <imm.h>

#include <cstdio>
#include <utility>

#include "DialogFont.h"
#include "DpiScale.h"
#include "MonitorPlacement.h"
#include "MyFunc.h"
#include "WideText.h"
#include "WinCheck.h"

namespace {

constexpr wchar_t kFormClass[] = L"q748.TForm1";
constexpr wchar_t kPaneClass[] = L"q748.Pane";
constexpr int kIconResource = 1;

// Fixed single border, system menu and minimise box only.
constexpr DWORD kFormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kFormExStyle = WS_EX_APPWINDOW | WS_EX_CONTROLPARENT;
constexpr int kWhite = 0xFFFFFF;

// Rows shown by an open drop-down list, as the form designer's default.
constexpr int kDropDownRows = 8;

// Not in every SDK's headers: the per-monitor dpi messages of Windows 10.
constexpr UINT kWmDpiChanged = 0x02E0;
constexpr UINT kWmGetDpiScaledSize = 0x02E4;

struct TWindowKind {
  const wchar_t* ClassName;
  DWORD Style;
  DWORD ExStyle;
};

TWindowKind KindOf(const TChildWindow& c) {
  switch (c.Class) {
    case TChildClass::ComboList: return {L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL, 0};
    case TChildClass::Edit: return {L"EDIT", ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case TChildClass::GroupBox: return {L"BUTTON", BS_GROUPBOX | WS_CLIPSIBLINGS, 0};
    case TChildClass::RadioButton: return {L"BUTTON", BS_AUTORADIOBUTTON, 0};
    case TChildClass::CheckBox: return {L"BUTTON", BS_AUTOCHECKBOX, 0};
    case TChildClass::PushButton:
      return {L"BUTTON", static_cast<DWORD>((c.Id == kOkButtonId ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | BS_NOTIFY), 0};
    // Read-only, vertical scroll bar, no word wrap; Enter is left to the dialog.
    case TChildClass::Memo:
      return {L"EDIT", ES_MULTILINE | ES_READONLY | ES_AUTOHSCROLL | WS_VSCROLL, WS_EX_CLIENTEDGE};
    // The information pane lies beneath the preview's check box: it leaves that box's pixels alone.
    case TChildClass::Pane:
      return c.Parent < 0 ? TWindowKind{kPaneClass, WS_CLIPCHILDREN | WS_CLIPSIBLINGS, WS_EX_CLIENTEDGE}
                          : TWindowKind{kPaneClass, WS_CLIPCHILDREN, 0};
    case TChildClass::Label:
      // The status line centres its text both ways; the preview's line stays one line; the other
      // labels are plain.
      if (c.Name == "LabelA1") return {L"STATIC", SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX, 0};
      if (c.Name == kPreviewInfo) return {L"STATIC", SS_LEFTNOWORDWRAP | SS_NOPREFIX, 0};
      return {L"STATIC", SS_LEFT | SS_NOPREFIX, 0};
    case TChildClass::Preview:
      return {TPreviewPanel::kClassName, 0, 0};
  }
  return {L"STATIC", 0, 0};
}

COLORREF ColourRef(int rrggbb) {
  return RGB((rrggbb >> 16) & 0xFF, (rrggbb >> 8) & 0xFF, rrggbb & 0xFF);
}

std::wstring WindowText(HWND window) {
  const int length = GetWindowTextLengthW(window);
  if (length <= 0) return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const int got = GetWindowTextW(window, text.data(), length + 1);
  text.resize(static_cast<size_t>(got > 0 ? got : 0));
  return text;
}

std::wstring MemoText() {
  std::string joined;
  for (const std::string& line : Memo1Lines()) {
    if (!joined.empty()) joined += "\r\n";
    joined += line;
  }
  return SjisToWide(joined);
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

// The panes hold labels (the preview's line): their colour is asked of the pane, and the dialog
// answers it as it answers for its own labels.
LRESULT CALLBACK PaneProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CTLCOLORSTATIC) return SendMessageW(GetAncestor(window, GA_ROOT), message, wParam, lParam);
  return DefWindowProcW(window, message, wParam, lParam);
}

// A drop-down list's field is as high as its font makes it; the layout gives the field's height,
// so the field's item height is set to what is left of it after the frame.
void FitComboField(HWND combo, int x, int y, int width, int fieldHeight) {
  const int rowHeight = static_cast<int>(SendMessageW(combo, CB_GETITEMHEIGHT, 0, 0));
  const int dropDown = kDropDownRows * (rowHeight > 0 ? rowHeight : fieldHeight) + 2;
  Q748_WIN(SetWindowPos(combo, nullptr, x, y, width, fieldHeight + dropDown, SWP_NOZORDER | SWP_NOACTIVATE));
  // Setting and reading the item height do not agree on every system (Wine reads back two
  // pixels more than was set): correct what was asked for by what the field turned out to be.
  int asked = static_cast<int>(SendMessageW(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
  for (int attempt = 0; attempt < 3 && asked > 0; ++attempt) {
    RECT field{};
    GetWindowRect(combo, &field);
    const int error = (field.bottom - field.top) - fieldHeight;
    if (error == 0 || asked - error <= 0) return;
    asked -= error;
    SendMessageW(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), asked);
  }
}

}  // namespace

TDialogWindow::TDialogWindow(HINSTANCE instance, std::filesystem::path exeDir)
    : instance_(instance), form_(std::move(exeDir), this), children_(DialogChildren(ControlTable())) {}

TDialogWindow::~TDialogWindow() {
  if (window_ != nullptr) DestroyWindow(window_);
  for (auto& [height, font] : fonts_) DeleteObject(font);
  for (auto& [colour, brush] : brushes_) DeleteObject(brush);
  if (bigIcon_ != nullptr) DestroyIcon(bigIcon_);
  if (smallIcon_ != nullptr) DestroyIcon(smallIcon_);
}

// ---- Creation ------------------------------------------------------------------------------------

bool TDialogWindow::RegisterClasses(std::wstring& error) {
  WNDCLASSEXW form{};
  form.cbSize = sizeof form;
  form.lpfnWndProc = FormProc;
  form.hInstance = instance_;
  form.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  form.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  form.lpszClassName = kFormClass;
  form.hIcon = LoadIconW(instance_, MAKEINTRESOURCEW(kIconResource));
  WNDCLASSEXW pane = form;
  pane.lpfnWndProc = PaneProc;
  pane.lpszClassName = kPaneClass;
  pane.hIcon = nullptr;
  for (const WNDCLASSEXW* wc : {&form, &pane}) {
    // Registered already by an earlier dialog of this process: fine.
    if (!RegisterClassExW(wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
      error = WinFailureText("RegisterClassExW", GetLastError());
      return false;
    }
  }
  return TPreviewPanel::Register(instance_, error);
}

bool TDialogWindow::Create(std::wstring& error) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
  Q748_WIN(InitCommonControlsEx(&controls));
  if (!RegisterClasses(error)) return false;

  const SIZE start = OuterSize(kLayoutDpi);
  window_ = CreateWindowExW(kFormExStyle, kFormClass, Utf8LiteralToWide(kFormCaption).c_str(), kFormStyle,
                            CW_USEDEFAULT, CW_USEDEFAULT, start.cx, start.cy, nullptr, nullptr, instance_, this);
  if (window_ == nullptr) {
    error = WinFailureText("CreateWindowExW(TForm1)", GetLastError());
    return false;
  }
  faceName_ = ChooseFace(Utf8LiteralToWide(kFormFontName), ShiftJisFaces());
  if (!CreateChildren(error)) return false;
  ApplyDpi(WindowDpi(window_));
  const SIZE size = OuterSize(dpi_);
  Q748_WIN(SetWindowPos(window_, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE));

  form_.FormShow();
  shown_ = true;
  CopyIntoControls();
  ShowPreviewPanel(form_.CheckBox5.Checked);  // the window's width before its place is judged
  PlaceAt(form_.Left, form_.Top);
  // After the placing: copying the controls back takes the window's place as well.
  UpdatePreview();
  return true;
}

bool TDialogWindow::CreateChildren(std::wstring& error) {
  handles_.assign(children_.size(), nullptr);
  for (size_t i = 0; i < children_.size(); ++i) {
    const TChildWindow& c = children_[i];
    const TWindowKind kind = KindOf(c);
    DWORD style = WS_CHILD | WS_VISIBLE | kind.Style;
    if (c.TabStop) style |= WS_TABSTOP;
    if (c.GroupStart) style |= WS_GROUP;
    HWND parent = c.Parent >= 0 ? handles_[static_cast<size_t>(c.Parent)] : window_;
    const std::wstring caption = SjisToWide(c.CaptionSjis);
    void* param = c.Class == TChildClass::Preview ? static_cast<void*>(&previewPanel_) : nullptr;
    HWND h = CreateWindowExW(kind.ExStyle, kind.ClassName, caption.c_str(), style, 0, 0, 0, 0, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.Id)), instance_, param);
    if (h == nullptr) {
      error = WinFailureText(("CreateWindowExW(" + c.Name + ")").c_str(), GetLastError());
      return false;
    }
    handles_[i] = h;
    // The input method stays off while this control has the focus.
    if (c.ImeOff) Q748_WIN(ImmAssociateContextEx(h, nullptr, 0));
    if (c.Class == TChildClass::Memo) Q748_WIN(SetWindowTextW(h, MemoText().c_str()));
    if (c.Class == TChildClass::ComboList) SendMessageW(h, CB_SETMINVISIBLE, kDropDownRows, 0);
  }
  // Beneath every other control, so that what stands on it (the preview's check box) is seen and
  // clicked; a pane is no tab stop, so the tab order stays the table's.
  for (size_t i = 0; i < children_.size(); ++i) {
    if (children_[i].Class == TChildClass::Pane && children_[i].Parent < 0) {
      Q748_WIN(SetWindowPos(handles_[i], HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE));
    }
  }
  return true;
}

int TDialogWindow::ClientWidth96() const {
  return previewShown_ ? kFormClientWidth : kFormClientWidthWithoutPreview;
}

SIZE TDialogWindow::OuterSize(UINT dpi) const {
  return OuterSizeForClient(ScaleToDpi(ClientWidth96(), dpi), ScaleToDpi(kFormClientHeight, dpi), kFormStyle,
                            kFormExStyle, dpi);
}

HFONT TDialogWindow::FontFor(int height96) {
  auto found = fonts_.find(height96);
  if (found != fonts_.end()) return found->second;
  HFONT font = CreateDialogFont(faceName_, ScaleToDpi(height96, dpi_));
  fonts_[height96] = font;
  return font;
}

void TDialogWindow::LoadIcons() {
  HICON big = static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(kIconResource), IMAGE_ICON,
                                            ScaleToDpi(32, dpi_), ScaleToDpi(32, dpi_), 0));
  HICON small = static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(kIconResource), IMAGE_ICON,
                                              ScaleToDpi(16, dpi_), ScaleToDpi(16, dpi_), 0));
  if (big != nullptr) SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
  if (small != nullptr) SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
  if (bigIcon_ != nullptr) DestroyIcon(bigIcon_);
  if (smallIcon_ != nullptr) DestroyIcon(smallIcon_);
  bigIcon_ = big;
  smallIcon_ = small;
}

// Fonts, places and sizes of every control for `dpi`; the form's own size is the caller's.
void TDialogWindow::ApplyDpi(UINT dpi) {
  dpi_ = dpi;
  previewPanel_.SetStyle({faceName_, dpi});
  std::map<int, HFONT> oldFonts;
  oldFonts.swap(fonts_);
  HDC dc = GetDC(window_);
  for (size_t i = 0; i < children_.size(); ++i) {
    const TChildWindow& c = children_[i];
    HWND h = handles_[i];
    HFONT font = FontFor(c.FontHeight);
    SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    int x = ScaleToDpi(c.Bounds.Left, dpi), y = ScaleToDpi(c.Bounds.Top, dpi);
    int w = ScaleToDpi(c.Bounds.Width, dpi), hgt = ScaleToDpi(c.Bounds.Height, dpi);
    // The status line and the information pane run the window's full width, whatever it is now.
    if (c.Parent < 0 && c.Bounds.Left == 0 && c.Bounds.Width == kFormClientWidth) w = ScaleToDpi(ClientWidth96(), dpi);
    // The notes' lines are measured to the box: the edit's margins would cut their last characters.
    if (c.Class == TChildClass::Memo) SendMessageW(h, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
    if (c.Class == TChildClass::Label && c.Bounds.Width <= 0 && dc != nullptr) {
      // An automatic label: as large as its text.
      HGDIOBJ old = SelectObject(dc, font);
      const std::wstring text = SjisToWide(c.CaptionSjis);
      RECT r{0, 0, 0, 0};
      DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
      SelectObject(dc, old);
      w = r.right - r.left;
      hgt = r.bottom - r.top;
    }
    if (c.Class == TChildClass::ComboList) {
      FitComboField(h, x, y, w, hgt);
      continue;
    }
    Q748_WIN(SetWindowPos(h, nullptr, x, y, w, hgt, SWP_NOZORDER | SWP_NOACTIVATE));
  }
  if (dc != nullptr) ReleaseDC(window_, dc);
  for (auto& [height, font] : oldFonts) DeleteObject(font);
  LoadIcons();
  RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void TDialogWindow::PlaceAt(int left, int top) {
  Q748_WIN(SetWindowPos(window_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE));
  auto fitDpi = [this] {
    const UINT dpi = WindowDpi(window_);
    if (dpi == dpi_) return;
    ApplyDpi(dpi);
    const SIZE size = OuterSize(dpi);
    SetWindowPos(window_, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  };
  fitDpi();
  RECT outer{};
  GetWindowRect(window_, &outer);
  POINT client{0, 0};
  ClientToScreen(window_, &client);
  const int caption = client.y > outer.top ? client.y - outer.top : GetSystemMetrics(SM_CYCAPTION);
  const POINT placed =
      PlaceOnMonitors(POINT{left, top}, SIZE{outer.right - outer.left, outer.bottom - outer.top}, caption);
  if (placed.x != left || placed.y != top) {
    Q748_WIN(SetWindowPos(window_, nullptr, placed.x, placed.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE));
    fitDpi();
  }
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

void TDialogWindow::CopyIntoControls() {
  // Setting an edit's text notifies a change; the preview is not to copy back half-filled controls.
  copyingIn_ = true;
  for (size_t i = 0; i < children_.size(); ++i) {
    const TChildWindow& c = children_[i];
    HWND h = handles_[i];
    switch (c.Class) {
      case TChildClass::ComboList:
        if (const TComboBox* box = form_.ComboBoxByName(c.Name)) {
          SendMessageW(h, CB_RESETCONTENT, 0, 0);
          for (const std::string& item : box->Items) {
            SendMessageW(h, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(SjisToWide(item).c_str()));
          }
          SendMessageW(h, CB_SETCURSEL, static_cast<WPARAM>(box->ItemIndex), 0);
        }
        break;
      case TChildClass::Edit:
        if (const TEdit* edit = form_.EditByName(c.Name)) {
          SendMessageW(h, EM_LIMITTEXT, static_cast<WPARAM>(edit->MaxLength > 0 ? edit->MaxLength : 0), 0);
          Q748_WIN(SetWindowTextW(h, SjisToWide(edit->Text).c_str()));
        }
        break;
      case TChildClass::RadioButton:
        if (const TRadioGroup* group = form_.RadioGroupByName(c.Name)) {
          SendMessageW(h, BM_SETCHECK, c.Item == group->ItemIndex ? BST_CHECKED : BST_UNCHECKED, 0);
          UpdateRadioTabStops(c.Name);
        }
        break;
      case TChildClass::CheckBox:
        if (const TCheckBox* box = form_.CheckBoxByName(c.Name)) {
          SendMessageW(h, BM_SETCHECK, box->Checked ? BST_CHECKED : BST_UNCHECKED, 0);
        }
        break;
      case TChildClass::Label:
        if (c.Name == "LabelA1") Q748_WIN(SetWindowTextW(h, SjisToWide(form_.LabelA1.Caption).c_str()));
        break;
      case TChildClass::GroupBox:
      case TChildClass::PushButton:
      case TChildClass::Memo:
      case TChildClass::Pane:
      case TChildClass::Preview:
        break;  // fixed texts, set when created; the preview's are UpdatePreview's
    }
  }
  copyingIn_ = false;
}

void TDialogWindow::CopyFromControls() {
  for (size_t i = 0; i < children_.size(); ++i) {
    const TChildWindow& c = children_[i];
    HWND h = handles_[i];
    switch (c.Class) {
      case TChildClass::ComboList:
        if (TComboBox* box = form_.ComboBoxByName(c.Name)) {
          const LRESULT sel = SendMessageW(h, CB_GETCURSEL, 0, 0);
          box->ItemIndex = sel == CB_ERR ? -1 : static_cast<int>(sel);
        }
        break;
      case TChildClass::Edit:
        if (TEdit* edit = form_.EditByName(c.Name)) edit->Text = WideToSjis(WindowText(h));
        break;
      case TChildClass::RadioButton:
        if (TRadioGroup* group = form_.RadioGroupByName(c.Name)) {
          if (c.Item == 0) group->ItemIndex = -1;
          if (SendMessageW(h, BM_GETCHECK, 0, 0) == BST_CHECKED) group->ItemIndex = c.Item;
        }
        break;
      case TChildClass::CheckBox:
        if (TCheckBox* box = form_.CheckBoxByName(c.Name)) {
          box->Checked = SendMessageW(h, BM_GETCHECK, 0, 0) == BST_CHECKED;
        }
        break;
      case TChildClass::GroupBox:
      case TChildClass::PushButton:
      case TChildClass::Memo:
      case TChildClass::Pane:
      case TChildClass::Label:
      case TChildClass::Preview:
        break;  // nothing the user can change
    }
  }
  // The window's own left and top: where the user left it, as the settings file records it.
  RECT outer{};
  if (IsIconic(window_)) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    GetWindowPlacement(window_, &placement);
    outer = placement.rcNormalPosition;  // work-area coordinates: shift to the screen's
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (GetMonitorInfoW(MonitorFromRect(&outer, MONITOR_DEFAULTTONEAREST), &info)) {
      OffsetRect(&outer, info.rcWork.left - info.rcMonitor.left, info.rcWork.top - info.rcMonitor.top);
    }
  } else {
    GetWindowRect(window_, &outer);
  }
  form_.Left = outer.left;
  form_.Top = outer.top;
}

// The preview of the controls as they stand: the picture in the panel, the information line, and
// in the status line why OK would refuse. Synchronous: building it takes microseconds. While a
// handler runs the status line is the handler's.
void TDialogWindow::UpdatePreview() {
  if (!shown_ || closed_ || inHandler_ || copyingIn_) return;
  CopyFromControls();
  // The reason OK would refuse is told whether the picture is shown or not.
  TPreview preview = BuildPreview(form_);
  const bool on = form_.CheckBox5.Checked;
  ShowPreviewPanel(on);
  form_.LabelA1.Caption = !preview.Drawable ? preview.Status : SjisText(kStatusIdle);
  SetControlText("LabelA1", form_.LabelA1.Caption);
  SetControlText(kPreviewInfo, on && preview.Drawable ? preview.Info : std::string());
  previewPanel_.SetPicture(on && preview.Drawable ? std::move(preview.Picture) : TPreviewPicture{});
  if (HWND panel = ControlWindow("PreviewPanel")) InvalidateRect(panel, nullptr, FALSE);
}

// Hidden, the preview leaves no empty frame: the panel goes and the window takes the original
// width; shown, the window widens again.
void TDialogWindow::ShowPreviewPanel(bool shown) {
  if (shown == previewShown_) return;
  previewShown_ = shown;
  if (HWND panel = ControlWindow("PreviewPanel")) ShowWindow(panel, shown ? SW_SHOWNA : SW_HIDE);
  ApplyDpi(dpi_);
  const SIZE size = OuterSize(dpi_);
  Q748_WIN(SetWindowPos(window_, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE));
}

// A label's text, set only when it differs, so that a keystroke repaints only what changed.
void TDialogWindow::SetControlText(const char* name, const std::string& sjis) {
  HWND h = ControlWindow(name);
  if (h == nullptr) return;
  const std::wstring text = SjisToWide(sjis);
  if (WindowText(h) != text) Q748_WIN(SetWindowTextW(h, text.c_str()));
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

void TDialogWindow::FocusNamedControl(const std::string& name) {
  HWND target = nullptr;
  bool isEdit = false;
  for (size_t i = 0; i < children_.size(); ++i) {
    const TChildWindow& c = children_[i];
    if (c.Name != name || c.Class == TChildClass::GroupBox) continue;
    if (c.Class == TChildClass::RadioButton) {
      // A radio group takes the focus on its checked button, else on its first.
      if (target == nullptr || SendMessageW(handles_[i], BM_GETCHECK, 0, 0) == BST_CHECKED) target = handles_[i];
      continue;
    }
    target = handles_[i];
    isEdit = c.Class == TChildClass::Edit;
    break;
  }
  if (target == nullptr) return;
  SetFocus(target);
  if (isEdit) SendMessageW(target, EM_SETSEL, 0, -1);
}

void TDialogWindow::RestoreFocus() {
  if (savedFocus_ != nullptr && IsWindow(savedFocus_)) {
    SetFocus(savedFocus_);
    return;
  }
  for (size_t i = 0; i < children_.size(); ++i) {
    if (children_[i].TabStop && handles_[i] != nullptr) {
      SetFocus(handles_[i]);
      return;
    }
  }
}

void TDialogWindow::UpdateRadioTabStops(const std::string& group) {
  // Tab enters a radio group on its checked button (its first when none is checked).
  std::vector<size_t> buttons;
  bool anyChecked = false;
  for (size_t i = 0; i < children_.size(); ++i) {
    if (children_[i].Class != TChildClass::RadioButton || children_[i].Name != group) continue;
    buttons.push_back(i);
    anyChecked = anyChecked || SendMessageW(handles_[i], BM_GETCHECK, 0, 0) == BST_CHECKED;
  }
  for (size_t i : buttons) {
    const bool stop = anyChecked ? SendMessageW(handles_[i], BM_GETCHECK, 0, 0) == BST_CHECKED
                                 : children_[i].Item == 0;
    LONG_PTR style = GetWindowLongPtrW(handles_[i], GWL_STYLE);
    style = stop ? (style | WS_TABSTOP) : (style & ~static_cast<LONG_PTR>(WS_TABSTOP));
    SetWindowLongPtrW(handles_[i], GWL_STYLE, style);
  }
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
