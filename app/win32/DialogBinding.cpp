// The binding of the dialog's controls to the TForm1 model: copied in after FormShow, copied
// back before a handler and at every change, the preview shown from the model, and the focus.
#include "DialogWindow.h"

#include "WideText.h"
#include "WinCheck.h"

namespace {

std::wstring WindowText(HWND window) {
  const int length = GetWindowTextLengthW(window);
  if (length <= 0) return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const int got = GetWindowTextW(window, text.data(), length + 1);
  text.resize(static_cast<size_t>(got > 0 ? got : 0));
  return text;
}

}  // namespace

void TDialogWindow::CopyIntoControls() {
  // Setting an edit's text notifies a change; the preview is not to copy back half-filled controls.
  phase_ = TPhase::Filling;
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
        if (c.Role == TControlRole::StatusLine)
          Q748_WIN(SetWindowTextW(h, SjisToWide(form_.LabelA1.Caption).c_str()));
        break;
      case TChildClass::GroupBox:
      case TChildClass::PushButton:
      case TChildClass::Memo:
      case TChildClass::Pane:
      case TChildClass::Preview: break;  // fixed texts, set when created; the preview's are UpdatePreview's
    }
  }
  phase_ = TPhase::Open;
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
      case TChildClass::Preview: break;  // nothing the user can change
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
  if (phase_ != TPhase::Open) return;
  CopyFromControls();
  // The reason OK would refuse is told whether the picture is shown or not.
  TPreview preview = BuildPreview(form_);
  const bool on = form_.CheckBox5.Checked;
  ShowPreviewPanel(on);
  form_.LabelA1.Caption = !preview.Drawable ? preview.Status : SjisText(kStatusIdle);
  SetControlText(RoleWindow(TControlRole::StatusLine), form_.LabelA1.Caption);
  SetControlText(RoleWindow(TControlRole::InformationLine),
                 on && preview.Drawable ? preview.Info : std::string());
  previewPanel_.SetPicture(on && preview.Drawable ? std::move(preview.Picture) : TPreviewPicture{});
  if (HWND panel = PreviewWindow()) InvalidateRect(panel, nullptr, FALSE);
}

// Hidden, the preview leaves no empty frame: the panel goes and the window takes the controls'
// width; shown, the window widens again.
void TDialogWindow::ShowPreviewPanel(bool shown) {
  if (shown == previewShown_) return;
  previewShown_ = shown;
  if (HWND panel = PreviewWindow()) ShowWindow(panel, shown ? SW_SHOWNA : SW_HIDE);
  ApplyDpi(dpi_);
  const SIZE size = OuterSize(dpi_);
  Q748_WIN(
      SetWindowPos(window_, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE));
}

// A label's text, set only when it differs, so that a keystroke repaints only what changed.
void TDialogWindow::SetControlText(HWND h, const std::string& sjis) {
  if (h == nullptr) return;
  const std::wstring text = SjisToWide(sjis);
  if (WindowText(h) != text) Q748_WIN(SetWindowTextW(h, text.c_str()));
}

void TDialogWindow::FocusNamedControl(const std::string& name) {
  HWND target = nullptr;
  bool isEdit = false;
  for (size_t i = 0; i < children_.size(); ++i) {
    const TChildWindow& c = children_[i];
    if (c.Name != name || c.Class == TChildClass::GroupBox) continue;
    if (c.Class == TChildClass::RadioButton) {
      // A radio group takes the focus on its checked button, else on its first.
      if (target == nullptr || SendMessageW(handles_[i], BM_GETCHECK, 0, 0) == BST_CHECKED)
        target = handles_[i];
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
    const bool stop =
        anyChecked ? SendMessageW(handles_[i], BM_GETCHECK, 0, 0) == BST_CHECKED : children_[i].Item == 0;
    LONG_PTR style = GetWindowLongPtrW(handles_[i], GWL_STYLE);
    style = stop ? (style | WS_TABSTOP) : (style & ~static_cast<LONG_PTR>(WS_TABSTOP));
    SetWindowLongPtrW(handles_[i], GWL_STYLE, style);
  }
}
