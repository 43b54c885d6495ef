// TForm1: its starting values, showing and closing the dialog, Cancel, and access by name.
#include <utility>
#include <variant>

#include "Unit1.h"

TForm1::TForm1(std::filesystem::path exeDir, TFormView* view, TDimensionMode mode)
    : Mode(mode), ExeDir(std::move(exeDir)), view_(view) {
  for (const TControlEntry& c : ControlTable()) {
    switch (c.Kind) {
      case TControlKind::List: {
        TComboBox* box = ComboBoxByName(c.Name);
        for (const char* item : c.Items) box->Items.push_back(SjisText(item));
        box->SetItemIndex(c.StartIndex);
        break;
      }
      case TControlKind::RadioGroup: {
        TRadioGroup* group = RadioGroupByName(c.Name);
        for (const char* item : c.Items) group->Items.push_back(SjisText(item));
        group->SetItemIndex(c.StartIndex);
        break;
      }
      case TControlKind::Edit: {
        TEdit* edit = EditByName(c.Name);
        edit->Text = SjisText(c.Caption);
        edit->MaxLength = c.MaxLength;
        break;
      }
      case TControlKind::CheckBox: CheckBoxByName(c.Name)->Checked = c.StartIndex == 1; break;
      case TControlKind::Label:
        // The status line is the one label the form keeps; the others are fixed.
        if (TLabel* label = LabelByName(c.Name)) label->Caption = SjisText(c.Caption);
        break;
      case TControlKind::Button:
      case TControlKind::Memo:
      case TControlKind::ScrollBox:
      case TControlKind::Preview: break;  // nothing of theirs is model data
    }
  }
}

void TForm1::FormShow() {
  JwwInit(Jww);
  // A missing or unreadable exchange file leaves the defaults; the dialog opens all the same, and
  // OK says that the file could not be read.
  exchangeRead_ = JwwReadFile(Jww, ExeDir / kExchangeFileName);
  JwwResetCurrent(Jww);
  ComboBox3.Items = TextTypeItems(Jww);
  // The host's current text type until the settings file says otherwise: a first run draws.
  ComboBox3.ItemIndex = 0;
  // After the list, so that the saved text-type index selects one of its items.
  LoadSettings(SettingsFile());
  Left = SavedLeft;
  Top = SavedTop;
}

bool TForm1::FormClose() {
  const std::filesystem::path file = ExeDir / kExchangeFileName;
  TReplaceOptions options;
  bool waiting = false;
  options.WhileHeld = [&] {
    if (!waiting) SetStatus(kStatusWaiting);
    else if (view_) view_->RepaintStatus();  // keeps the window painted while it waits
    waiting = true;
  };
  TWriteError why = TWriteError::None;
  bool written = JwwWriteFile(Jww, file, &why, options);
  // A drawn dimension is still in the output list: trying again needs no new points.
  while (!written && drawn_ && view_) {
    const std::optional<bool> retry = view_->AskRetry(WriteFailureMessage(kMessageWriteRetry, file, why));
    if (!retry) break;
    if (!*retry) {
      why = TWriteError::None;  // the user has seen why and chose to draw nothing
      break;
    }
    waiting = false;
    SetStatus(kStatusWriting);
    written = JwwWriteFile(Jww, file, &why, options);
  }
  JwwRelease(Jww);
  // The host finds its own input, which begins with "hq", and draws nothing: say why.
  if (!written && why != TWriteError::None && view_)
    view_->ShowError(WriteFailureMessage(kMessageWriteFailed, file, why));
  SaveAfterClose(written);
  return written;
}

void TForm1::Button2Click() { CloseRequested = true; }

// The settings launcher's dialog says that it draws nothing.
std::string TForm1::Caption() const {
  return SjisText(ModeCaption(Mode)) + (SettingsOnly ? SjisText(kCaptionSettingsOnly) : std::string());
}

std::filesystem::path TForm1::SettingsFile() const { return ExeDir / ModeSettingsFile(Mode); }

void TForm1::SetStatus(const char* utf8) {
  LabelA1.Caption = SjisText(utf8);
  if (view_) view_->RepaintStatus();
}

// ---- Access by name ------------------------------------------------------------------------------

namespace {

// The member of TForm1 that holds the control `name`, when it is one of type T.
template <class T>
T TForm1::*MemberOf(std::string_view name) {
  const TControlEntry* entry = FindControl(name);
  if (!entry) return nullptr;
  T TForm1::*const* member = std::get_if<T TForm1::*>(&entry->Member);
  return member ? *member : nullptr;
}

}  // namespace

TComboBox* TForm1::ComboBoxByName(std::string_view name) {
  auto m = MemberOf<TComboBox>(name);
  return m ? &(this->*m) : nullptr;
}
TEdit* TForm1::EditByName(std::string_view name) {
  auto m = MemberOf<TEdit>(name);
  return m ? &(this->*m) : nullptr;
}
TCheckBox* TForm1::CheckBoxByName(std::string_view name) {
  auto m = MemberOf<TCheckBox>(name);
  return m ? &(this->*m) : nullptr;
}
TRadioGroup* TForm1::RadioGroupByName(std::string_view name) {
  auto m = MemberOf<TRadioGroup>(name);
  return m ? &(this->*m) : nullptr;
}
TLabel* TForm1::LabelByName(std::string_view name) {
  auto m = MemberOf<TLabel>(name);
  return m ? &(this->*m) : nullptr;
}
const TComboBox* TForm1::ComboBoxByName(std::string_view name) const {
  auto m = MemberOf<TComboBox>(name);
  return m ? &(this->*m) : nullptr;
}
const TEdit* TForm1::EditByName(std::string_view name) const {
  auto m = MemberOf<TEdit>(name);
  return m ? &(this->*m) : nullptr;
}
const TCheckBox* TForm1::CheckBoxByName(std::string_view name) const {
  auto m = MemberOf<TCheckBox>(name);
  return m ? &(this->*m) : nullptr;
}
const TRadioGroup* TForm1::RadioGroupByName(std::string_view name) const {
  auto m = MemberOf<TRadioGroup>(name);
  return m ? &(this->*m) : nullptr;
}
