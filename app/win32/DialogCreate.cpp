// The dialog's windows: the classes, the form and its controls from the layout, their fonts,
// places and sizes at the window's dpi, and the window's place on the monitors.
#include "DialogWindow.h"

#include <commctrl.h>
#include <imm.h>

#include "DialogFont.h"
#include "DpiScale.h"
#include "MonitorPlacement.h"
#include "WideText.h"
#include "WinCheck.h"

namespace {

constexpr wchar_t kPaneClass[] = L"q748.Pane";
constexpr int kIconResource = 1;

// A dialog without controls of its own: they are created from the control table, at the window's dpi.
struct TEmptyTemplate {
  DLGTEMPLATE Header;
  WORD Menu = 0, ClassName = 0, Title = 0;  // none, the dialog class, set afterwards
};

// Fixed single border, system menu and minimise box only.
constexpr DWORD kFormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kFormExStyle = WS_EX_APPWINDOW | WS_EX_CONTROLPARENT;

// The tips in the form's font, broken into lines of at most this width (96-dpi pixels).
constexpr int kTipFontHeight = 13;
constexpr int kTipWidth = 360;

// An open marker list's width: room for the shape, the text and the code.
constexpr int kMarkerListWidth = 112;

// Rows shown by an open drop-down list: eight, enough for most lists without covering the dialog.
constexpr int kDropDownRows = 8;

struct TWindowKind {
  const wchar_t* ClassName;
  DWORD Style;
  DWORD ExStyle;
};

TWindowKind KindOf(const TChildWindow& c) {
  switch (c.Class) {
    case TChildClass::ComboList:
      // A marker list draws its items itself: each shows its marker's shape.
      return {L"COMBOBOX",
              static_cast<DWORD>(CBS_DROPDOWNLIST | WS_VSCROLL |
                                 (c.MarkerItems ? CBS_OWNERDRAWFIXED | CBS_HASSTRINGS : 0)),
              0};
    case TChildClass::Edit: return {L"EDIT", ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case TChildClass::GroupBox: return {L"BUTTON", BS_GROUPBOX | WS_CLIPSIBLINGS, 0};
    case TChildClass::RadioButton: return {L"BUTTON", BS_AUTORADIOBUTTON, 0};
    case TChildClass::CheckBox: return {L"BUTTON", BS_AUTOCHECKBOX, 0};
    case TChildClass::PushButton:
      return {L"BUTTON",
              static_cast<DWORD>((c.Id == kOkButtonId ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | BS_NOTIFY), 0};
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
      switch (c.Role) {
        case TControlRole::StatusLine: return {L"STATIC", SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX, 0};
        case TControlRole::InformationLine: return {L"STATIC", SS_LEFTNOWORDWRAP | SS_NOPREFIX, 0};
        case TControlRole::Plain: return {L"STATIC", SS_LEFT | SS_NOPREFIX, 0};
      }
      return {L"STATIC", SS_LEFT | SS_NOPREFIX, 0};
    case TChildClass::Preview: return {TPreviewPanel::kClassName, 0, 0};
  }
  return {L"STATIC", 0, 0};
}

std::wstring MemoText(const TDimensionMode& mode) {
  std::string joined;
  for (const std::string& line : Memo1Lines(mode)) {
    if (!joined.empty()) joined += "\r\n";
    joined += line;
  }
  return SjisToWide(joined);
}

// The panes hold labels (the preview's line): their colour is asked of the pane, and the dialog
// answers it as it answers for its own labels.
LRESULT CALLBACK PaneProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CTLCOLORSTATIC)
    return SendMessageW(GetAncestor(window, GA_ROOT), message, wParam, lParam);
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

bool TDialogWindow::RegisterClasses(std::wstring& error) {
  WNDCLASSEXW pane{};
  pane.cbSize = sizeof pane;
  pane.lpfnWndProc = PaneProc;
  pane.hInstance = instance_;
  pane.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  pane.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  pane.lpszClassName = kPaneClass;
  // Registered already by an earlier dialog of this process: fine.
  if (!RegisterClassExW(&pane) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
    error = WinFailureText("RegisterClassExW", GetLastError());
    return false;
  }
  return TPreviewPanel::Register(instance_, error);
}

bool TDialogWindow::Create(std::wstring& error) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_TAB_CLASSES};  // tooltips too
  Q748_WIN(InitCommonControlsEx(&controls));
  if (!RegisterClasses(error)) return false;

  TEmptyTemplate empty{};
  empty.Header.style = kFormStyle;
  empty.Header.dwExtendedStyle = kFormExStyle;
  if (CreateDialogIndirectParamW(instance_, &empty.Header, nullptr, FormProc,
                                 reinterpret_cast<LPARAM>(this)) == nullptr) {
    error = WinFailureText("CreateDialogIndirectParamW(TForm1)", GetLastError());
    return false;
  }
  LeaveDpiChangesToTheDialog(window_);
  Q748_WIN(SetWindowTextW(window_, SjisToWide(form_.Caption()).c_str()));
  faceName_ = ChooseFace(Utf8LiteralToWide(kFormFontName), ShiftJisFaces());
  if (!CreateChildren(error)) return false;
  ApplyDpi(WindowDpi(window_));
  // The notes once their font is set: set before it, their thirty lines would be laid out twice,
  // first in the system font (some milliseconds of the start-up under Wine).
  for (size_t i = 0; i < children_.size(); ++i) {
    if (children_[i].Class == TChildClass::Memo)
      Q748_WIN(SetWindowTextW(handles_[i], MemoText(form_.Mode).c_str()));
  }
  const SIZE size = OuterSize(dpi_);
  Q748_WIN(
      SetWindowPos(window_, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE));

  form_.FormShow();
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
    if (!c.Enabled) style |= WS_DISABLED;
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

// A tip over every control that has one: what it is, what it takes and its Alt key. Made once the
// window is on screen (another top-level window costs start-up time, and no tip is needed before).
bool TDialogWindow::CreateTips(std::wstring& error) {
  if (tips_ != nullptr || window_ == nullptr) return true;
  tips_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                          CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr,
                          instance_, nullptr);
  if (tips_ == nullptr) {
    error = WinFailureText("CreateWindowExW(tooltips)", GetLastError());
    return false;
  }
  for (size_t i = 0; i < children_.size(); ++i) {
    const TChildWindow& c = children_[i];
    if (c.HintSjis.empty() || c.Class == TChildClass::GroupBox) continue;
    std::wstring text = SjisToWide(c.HintSjis);
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = window_;
    tool.uId = reinterpret_cast<UINT_PTR>(handles_[i]);
    tool.lpszText = text.data();
    SendMessageW(tips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }
  SetTipsStyle();
  return true;
}

void TDialogWindow::SetTipsStyle() {
  if (tips_ == nullptr) return;
  SendMessageW(tips_, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(kTipFontHeight)), FALSE);
  SendMessageW(tips_, TTM_SETMAXTIPWIDTH, 0, ScaleToDpi(kTipWidth, dpi_));
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
    if (c.Parent < 0 && c.Bounds.Left == 0 && c.Bounds.Width == kFormClientWidth)
      w = ScaleToDpi(ClientWidth96(), dpi);
    // The notes' lines are measured to the box: the edit's margins would cut their last characters.
    if (c.Class == TChildClass::Memo) SendMessageW(h, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
    if (c.Class == TChildClass::Label && c.Bounds.Width <= 0 && dc != nullptr) {
      // An automatic label: as large as its text.
      HGDIOBJ old = SelectObject(dc, font);
      const std::wstring text = SjisToWide(c.CaptionSjis);
      RECT r{0, 0, 0, 0};
      DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r,
                DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
      SelectObject(dc, old);
      w = r.right - r.left;
      hgt = r.bottom - r.top;
    }
    if (c.Class == TChildClass::ComboList) {
      if (c.MarkerItems) {
        SendMessageW(h, CB_SETITEMHEIGHT, 0, ScaleToDpi(kMarkerItemHeight, dpi));
        SendMessageW(h, CB_SETDROPPEDWIDTH, static_cast<WPARAM>(ScaleToDpi(kMarkerListWidth, dpi)), 0);
      }
      FitComboField(h, x, y, w, hgt);
      continue;
    }
    Q748_WIN(SetWindowPos(h, nullptr, x, y, w, hgt, SWP_NOZORDER | SWP_NOACTIVATE));
  }
  if (dc != nullptr) ReleaseDC(window_, dc);
  SetTipsStyle();
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
    Q748_WIN(
        SetWindowPos(window_, nullptr, placed.x, placed.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE));
    fitDpi();
  }
}
