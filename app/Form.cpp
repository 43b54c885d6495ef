// TForm1: its starting values, showing and closing the dialog, Cancel, and access by name.
#include <cstddef>
#include <utility>

#include "Unit1.h"

TForm1::TForm1(std::filesystem::path exeDir, TFormView* view, TDirection direction, TNext next)
    : Direction(direction), Next(next), exeDir_(std::move(exeDir)), view_(view) {
  for (const TControlSpec& c : ControlTable()) {
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
      case TControlKind::CheckBox:
        CheckBoxByName(c.Name)->Checked = c.StartIndex == 1;
        break;
      case TControlKind::Label:
        if (std::string_view(c.Name) == "LabelA1") LabelA1.Caption = SjisText(c.Caption);
        break;
      case TControlKind::Button:
      case TControlKind::Memo:
      case TControlKind::ScrollBox:
      case TControlKind::Preview:
        break;  // nothing of theirs is model data
    }
  }
}

void TForm1::FormShow() {
  JwwInit(Jww);
  ExeDir = exeDir_;
  // A missing or unreadable exchange file leaves the defaults; the dialog opens all the same, and
  // OK says that the file could not be read.
  exchangeRead_ = JwwReadFile(Jww, ExeDir / kExchangeFileName);
  JwwResetCurrent(Jww);
  ComboBox3.Items = TextTypeItems(Jww);
  ComboBox3.ItemIndex = -1;
  // After the list, so that the saved text-type index selects one of its items.
  LoadSettings(SettingsFile());
  Left = SavedLeft;
  Top = SavedTop;
}

bool TForm1::FormClose() {
  const std::filesystem::path file = ExeDir / kExchangeFileName;
  TWriteError why = TWriteError::None;
  const bool written = JwwWriteFile(Jww, file, &why);
  JwwRelease(Jww);
  // The host finds its own input, which begins with "hq", and draws nothing: say why.
  if (!written && view_) view_->ShowError(WriteFailureMessage(kMessageWriteFailed, file, why));
  return written;
}

void TForm1::Button2Click() { CloseRequested = true; }

void TForm1::SetStatus(const char* utf8) {
  LabelA1.Caption = SjisText(utf8);
  if (view_) view_->RepaintStatus();
}

// ---- Access by name ------------------------------------------------------------------------------

namespace {

template <class T>
struct TNamedMember {
  const char* Name;
  T TForm1::*Member;
};

constexpr TNamedMember<TComboBox> kComboBoxes[] = {
    {"ComboBox1", &TForm1::ComboBox1}, {"ComboBox2", &TForm1::ComboBox2}, {"ComboBox3", &TForm1::ComboBox3},
    {"ComboBox4", &TForm1::ComboBox4}, {"ComboBox5", &TForm1::ComboBox5}};
constexpr TNamedMember<TEdit> kEdits[] = {
    {"Edit1", &TForm1::Edit1}, {"Edit2", &TForm1::Edit2}, {"Edit3", &TForm1::Edit3},
    {"Edit4", &TForm1::Edit4}, {"Edit5", &TForm1::Edit5}, {"Edit6", &TForm1::Edit6},
    {"Edit7", &TForm1::Edit7}, {"Edit8", &TForm1::Edit8}, {"Edit9", &TForm1::Edit9},
    {"Edit10", &TForm1::Edit10}};
constexpr TNamedMember<TCheckBox> kCheckBoxes[] = {
    {"CheckBox1", &TForm1::CheckBox1}, {"CheckBox2", &TForm1::CheckBox2},
    {"CheckBox3", &TForm1::CheckBox3}, {"CheckBox4", &TForm1::CheckBox4},
    {"CheckBox5", &TForm1::CheckBox5}};
constexpr TNamedMember<TRadioGroup> kRadioGroups[] = {
    {"RadioGroup1", &TForm1::RadioGroup1}, {"RadioGroup2", &TForm1::RadioGroup2}};

template <class T, std::size_t N>
T TForm1::*Find(const TNamedMember<T> (&table)[N], std::string_view name) {
  for (const TNamedMember<T>& m : table) {
    if (name == m.Name) return m.Member;
  }
  return nullptr;
}

}  // namespace

TComboBox* TForm1::ComboBoxByName(std::string_view name) {
  auto m = Find(kComboBoxes, name);
  return m ? &(this->*m) : nullptr;
}
TEdit* TForm1::EditByName(std::string_view name) {
  auto m = Find(kEdits, name);
  return m ? &(this->*m) : nullptr;
}
TCheckBox* TForm1::CheckBoxByName(std::string_view name) {
  auto m = Find(kCheckBoxes, name);
  return m ? &(this->*m) : nullptr;
}
TRadioGroup* TForm1::RadioGroupByName(std::string_view name) {
  auto m = Find(kRadioGroups, name);
  return m ? &(this->*m) : nullptr;
}
const TComboBox* TForm1::ComboBoxByName(std::string_view name) const {
  auto m = Find(kComboBoxes, name);
  return m ? &(this->*m) : nullptr;
}
const TEdit* TForm1::EditByName(std::string_view name) const {
  auto m = Find(kEdits, name);
  return m ? &(this->*m) : nullptr;
}
const TCheckBox* TForm1::CheckBoxByName(std::string_view name) const {
  auto m = Find(kCheckBoxes, name);
  return m ? &(this->*m) : nullptr;
}
const TRadioGroup* TForm1::RadioGroupByName(std::string_view name) const {
  auto m = Find(kRadioGroups, name);
  return m ? &(this->*m) : nullptr;
}
