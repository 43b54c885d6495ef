// Any byte sequence is a possible q746.dat: loading it must not crash, must leave every list and
// radio group with a valid selection or none, and what is then saved must load back the same.
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "MyFunc.h"
#include "Unit1.h"

namespace {

namespace fs = std::filesystem;

void Check(bool ok) {
  if (!ok) __builtin_trap();
}

const fs::path& WorkDir() {
  static const fs::path dir = [] {
    fs::path d = fs::temp_directory_path() / ("q748-fuzz-settings-" + std::to_string(getpid()));
    fs::create_directories(d);
    return d;
  }();
  return dir;
}

void Load(TForm1& f, const fs::path& file) {
  f.ComboBox3.Items = TextTypeItems(f.Jww);
  f.ComboBox3.ItemIndex = -1;
  f.LoadSettings(file);
}

bool SameDialog(const TForm1& a, const TForm1& b) {
  if (a.SavedLeft != b.SavedLeft || a.SavedTop != b.SavedTop) return false;
  for (const TSettingLine& l : SettingsTable()) {
    if (!l.Control) continue;
    if (const TComboBox* c = a.ComboBoxByName(l.Control)) {
      // No selection is saved as -1, which reads back as item 0 (OK never saves it so).
      if (std::max(c->ItemIndex, 0) != b.ComboBoxByName(l.Control)->ItemIndex) return false;
    } else if (const TEdit* e = a.EditByName(l.Control)) {
      // Saved on one line: a CR read back at the file's very end (no LF after it) becomes a blank.
      if (SingleLine(e->Text) != b.EditByName(l.Control)->Text) return false;
    } else if (const TRadioGroup* r = a.RadioGroupByName(l.Control)) {
      if (r->ItemIndex != b.RadioGroupByName(l.Control)->ItemIndex) return false;
    } else if (a.CheckBoxByName(l.Control)->Checked != b.CheckBoxByName(l.Control)->Checked) {
      return false;
    }
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const fs::path input = WorkDir() / "q746.dat";
  const fs::path saved = WorkDir() / "saved.dat";
  std::ofstream(input, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));

  TForm1 first(WorkDir(), nullptr);
  Load(first, input);
  for (const TComboBox* c :
       {&first.ComboBox1, &first.ComboBox2, &first.ComboBox3, &first.ComboBox4, &first.ComboBox5})
    Check(c->ItemIndex >= -1 && c->ItemIndex < static_cast<int>(c->Items.size()));
  for (const TRadioGroup* r : {&first.RadioGroup1, &first.RadioGroup2})
    Check(r->ItemIndex >= 0 && r->ItemIndex < static_cast<int>(r->Items.size()));

  first.SaveSettings(saved);
  TForm1 second(WorkDir(), nullptr);
  Load(second, saved);
  Check(SameDialog(first, second));
  return 0;
}
