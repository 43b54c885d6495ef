// q746.dat: what is written, how each line reads back, and that a failed save keeps the old file.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "Unit1.h"

namespace fs = std::filesystem;
using testsupport::ReadFile;
using testsupport::TempDir;
using testsupport::TRecordingView;
using testsupport::WriteFile;

namespace {

std::string Lines(const std::vector<std::string>& lines, const char* end = "\r\n") {
  std::string s;
  for (const std::string& l : lines) s += l + end;
  return s;
}

// A full file of 22 dialog lines that differs from the starting values everywhere.
std::vector<std::string> DialogLines() {
  return {"250", "-30", "5",    "11", "4", "8", "0", "2.5", "R=", "\x81\x40\x82\x8D", "-1", "0", "1.5",
          "4",   "30",  "0.25", "1",  "1", "1", "0", "1",   "1"};
}

void CheckDialogLines(const TForm1& f) {
  EXPECT_EQ(f.SavedLeft, 250);
  EXPECT_EQ(f.SavedTop, -30);
  EXPECT_EQ(f.ComboBox1.ItemIndex, 5);
  EXPECT_EQ(f.ComboBox2.ItemIndex, 11);
  EXPECT_EQ(f.ComboBox3.ItemIndex, 4);
  EXPECT_EQ(f.ComboBox4.ItemIndex, 8);
  EXPECT_EQ(f.ComboBox5.ItemIndex, 0);
  EXPECT_EQ(f.Edit1.Text, "2.5");
  EXPECT_EQ(f.Edit2.Text, "R=");
  EXPECT_EQ(f.Edit3.Text, "\x81\x40\x82\x8D");
  EXPECT_EQ(f.Edit4.Text, "-1");
  EXPECT_EQ(f.Edit7.Text, "4");
  EXPECT_EQ(f.Edit9.Text, "0.25");
  EXPECT_EQ(f.RadioGroup1.ItemIndex, 1);
  EXPECT_EQ(f.RadioGroup2.ItemIndex, 1);
  EXPECT_TRUE(f.CheckBox1.Checked);
  EXPECT_FALSE(f.CheckBox2.Checked);
  EXPECT_TRUE(f.CheckBox3.Checked);
  EXPECT_TRUE(f.CheckBox4.Checked);
}

}  // namespace

// The lines are numbered in order; every control that can be set has one line, of the kind its
// type asks for; the record of the last dimension stands in lines 23 to 31.
TEST(Settings, EveryControlHasOneLineOfItsKind) {
  int line = 0;
  std::set<std::string> named;
  for (const TSettingLine& l : SettingsTable()) {
    EXPECT_EQ(l.Line, ++line);
    const bool record = (l.Line >= kFirstRecordLine && l.Line <= 31) || l.Line == 34 || l.Line == 35;
    EXPECT_EQ(l.Control == nullptr, record || l.Line <= 2) << l.Line;
    EXPECT_LE(l.Line, kSettingsLastLine);
    if (!l.Control) continue;
    const TControlEntry* c = FindControl(l.Control);
    ASSERT_NE(c, nullptr) << l.Control;
    EXPECT_TRUE(named.insert(l.Control).second) << l.Control;
    const TSettingKind kind = c->Kind == TControlKind::List         ? TSettingKind::ListIndex
                              : c->Kind == TControlKind::Edit       ? TSettingKind::EditText
                              : c->Kind == TControlKind::RadioGroup ? TSettingKind::RadioIndex
                                                                    : TSettingKind::CheckBox;
    // The check box of runs without the dialog keeps a bit for each mode of the file.
    EXPECT_TRUE(l.Kind == kind || (kind == TSettingKind::CheckBox && l.Kind == TSettingKind::QuickModes))
        << l.Control;
  }
  for (const TControlEntry& c : ControlTable())
    EXPECT_EQ(named.count(c.Name), IsSettable(c) ? 1u : 0u) << c.Name;
  EXPECT_EQ(line, kSettingsLastLine);
}

// Each control that feeds the dimension gives the input its starting value (DefaultInputs), and
// its row says how often the overflow guard counts it as a paper distance.
TEST(Settings, EveryControlFeedsItsOwnField) {
  const TDimensionInput defaults = DefaultInputs();
  EXPECT_EQ(defaults.TextGap, 0.5);
  EXPECT_EQ(defaults.Value.Decimals, 3);
  EXPECT_EQ(defaults.Value.Mode, 2);
  EXPECT_EQ(defaults.OutsideGap, 8);
  ASSERT_NE(defaults.PaperDistances, nullptr);
  // The text gap counts twice, the point gap, overhangs and arrow length once: 1 + 2 + 2 + 2 + 3.
  EXPECT_EQ(defaults.PaperDistances(defaults), 10);
  TDimensionInput wider = defaults;
  wider.TextGap = -4;
  EXPECT_EQ(defaults.PaperDistances(wider), 17);
  wider.OutsideGap = 1e300;  // moves a point, which the guard counts as such
  EXPECT_EQ(defaults.PaperDistances(wider), 17);
}

TEST(Settings, SaveWritesEveryLine) {
  TempDir dir("q748-settings");
  // The record of the last dimension is written back exactly as it was read, whatever it holds.
  const std::vector<std::string> record = {"3", "5E-5", "-12.5", "abc", " 1", "", "x y", "1E15", "0.30"};
  std::vector<std::string> before = DialogLines();
  before.insert(before.end(), record.begin(), record.end());
  WriteFile(dir.path() / "q746.dat", Lines(before));
  TForm1 f(dir.path(), nullptr);
  f.ComboBox3.Items.assign(11, "x");
  f.LoadSettings(dir.path() / "q746.dat");
  f.SavedLeft = -12;
  f.SavedTop = 345;
  f.ComboBox1.ItemIndex = 11;
  f.ComboBox2.ItemIndex = 0;
  f.ComboBox3.ItemIndex = 10;
  f.Edit2.Text = "R ";
  f.Edit3.Text = "\x81\x40\x82\x8D";  // full-width blank and ｍ: stored as they are
  f.Edit4.Text = "";
  f.Edit9.Text = "a\r\nbc";  // a line break would shift every later line
  f.RadioGroup1.ItemIndex = 1;
  f.CheckBox2.Checked = true;
  f.CheckBox4.Checked = true;
  f.Jww.FirstGroup = 3;  // this run's host values are no dimension drawn: not recorded
  f.Jww.AxisAngle = -12.5;
  f.Jww.PickedPoints[1] = {true, 1234.56789, -0.5, TJwwPickKind::Plain};
  f.SaveSettings(dir.path() / "q746.dat");
  EXPECT_EQ(ReadFile(dir.path() / "q746.dat"),
            Lines({"-12",  "345", "11",  "0",    "10",    "8",     "0",  "2.5", "R ",  "\x81\x40\x82\x8D",
                   "",     "0",   "1.5", "4",    "30",    "a  bc", "1",  "1",   "1",   "1",
                   "1",    "1",   "3",   "5E-5", "-12.5", "abc",   " 1", "",    "x y", "1E15",
                   "0.30", "1",   "8",   "",     "",      "0",     "0",  "0"}));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

// Line 36 holds a bit for each mode of the file that draws without the dialog: a dialog's check box
// shows and changes its own mode's bit and keeps the others; the settings launcher's stands for
// them all. A run that changes nothing leaves the file's bytes as they were.
TEST(Settings, QuickModesAreKeptPerMode) {
  const TDimensionMode ordinary{}, chain{.Next = TNext::Chain}, outside{.Next = TNext::Outside},
      line{.Pick = TPick::Line}, row{.Pick = TPick::Fence}, radius{.Kind = TKind::Radius};
  const struct {
    const char* name;
    const char* read;  // line 36 as found ("" : the file has no line 36)
    TDimensionMode mode;
    bool settingsOnly;
    bool shown;  // the check box as the dialog opens
    int tick;    // -1: left as shown; 0 or 1: the user's choice
    const char* saved;
  } cases[] = {
      {"an older file's 1 is the four-point mode's", "1", ordinary, false, true, -1, "1"},
      {"and not the chain's", "1", chain, false, false, -1, "1"},
      {"nor a picked line's", "1", line, false, false, -1, "1"},
      {"a chain ticked joins the four-point mode", "1", chain, false, false, 1, "3"},
      {"outside untouched among others", "13", outside, false, true, -1, "13"},
      {"a picked line cleared keeps the others", "13", line, false, true, 0, "5"},
      {"the four-point mode cleared", "15", ordinary, false, true, 0, "14"},
      {"no line 36", "", chain, false, false, -1, "0"},
      {"a radius has one mode", "1", radius, false, true, 0, "0"},
      {"settings: any mode shows it", "4", ordinary, true, true, -1, "4"},
      {"settings: cleared clears them all", "13", chain, true, true, 0, "0"},
      {"settings: ticked ticks them all", "0", line, true, false, 1, "31"},
      {"a row ticked joins the others", "13", row, false, false, 1, "29"},
      {"a row's bit is its own", "16", ordinary, false, false, -1, "16"},
      {"settings: a radius", "0", radius, true, false, 1, "1"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir("q748-settings");
    std::vector<std::string> lines = DialogLines();
    lines.resize(35);
    lines[31] = "1";  // CheckBox5, Edit10 as a run writes them
    lines[32] = "8";
    if (*c.read) lines.insert(lines.end(), {c.read, "0", "0"});  // then a row's CheckBox7 and CheckBox8
    TForm1 f(dir.path(), nullptr, c.mode);
    f.SettingsOnly = c.settingsOnly;
    const fs::path file = f.SettingsFile();
    WriteFile(file, Lines(lines));
    f.ComboBox3.Items.assign(11, "x");
    f.LoadSettings(file);
    EXPECT_EQ(f.CheckBox6.Checked, c.shown);
    if (c.tick >= 0) f.CheckBox6.Checked = c.tick == 1;
    ASSERT_EQ(f.SaveSettings(file), TWriteError::None);
    const std::string saved = ReadFile(file);
    std::size_t at = 0;
    for (int i = 1; i < 36; ++i) at = saved.find("\r\n", at) + 2;
    EXPECT_EQ(saved.substr(at, saved.find("\r\n", at) - at), c.saved);
    if (c.tick < 0 && *c.read) {
      EXPECT_EQ(saved, Lines(lines)) << "a run that changes nothing";
    }
  }
}

TEST(Settings, SaveThenLoadGivesTheSameDialog) {
  TempDir dir("q748-settings");
  const fs::path file = dir.path() / "q746.dat";
  WriteFile(file, Lines(DialogLines()));
  TForm1 a(dir.path(), nullptr);
  a.ComboBox3.Items.assign(11, "x");
  a.LoadSettings(file);
  a.SaveSettings(file);
  TForm1 b(dir.path(), nullptr);
  b.ComboBox3.Items.assign(11, "x");
  b.LoadSettings(file);
  EXPECT_EQ(b.SavedLeft, 250);
  EXPECT_EQ(b.SavedTop, -30);
  for (const TSettingLine& l : SettingsTable()) {
    if (!l.Control) continue;
    SCOPED_TRACE(l.Control);
    if (auto* c = a.ComboBoxByName(l.Control)) {
      EXPECT_EQ(c->ItemIndex, b.ComboBoxByName(l.Control)->ItemIndex);
    } else if (auto* e = a.EditByName(l.Control)) {
      EXPECT_EQ(e->Text, b.EditByName(l.Control)->Text);
    } else if (auto* r = a.RadioGroupByName(l.Control)) {
      EXPECT_EQ(r->ItemIndex, b.RadioGroupByName(l.Control)->ItemIndex);
    } else {
      EXPECT_EQ(a.CheckBoxByName(l.Control)->Checked, b.CheckBoxByName(l.Control)->Checked);
    }
  }
  EXPECT_EQ(b.Edit3.Text, "\x81\x40\x82\x8D");
  EXPECT_EQ(b.ComboBox2.ItemIndex, 11);
  EXPECT_EQ(b.Edit4.Text, "-1");

  // Saving what the file already holds leaves the file alone (its time stays); a change replaces it.
  fs::last_write_time(file, fs::file_time_type::clock::now() - std::chrono::hours(48));
  const fs::file_time_type old = fs::last_write_time(file);  // as the file system keeps it
  EXPECT_EQ(b.SaveSettings(file), TWriteError::None);
  EXPECT_EQ(fs::last_write_time(file), old);
  b.Edit4.Text = "-2";
  EXPECT_EQ(b.SaveSettings(file), TWriteError::None);
  EXPECT_NE(fs::last_write_time(file), old);
}

// Each line of the file applied to the dialog, with the rules of its kind.
TEST(Settings, LoadRules) {
  struct Case {
    const char* name;
    std::string content;
    void (*check)(const TForm1&);
  } cases[] = {
      {"a file of 22 lines", Lines(DialogLines()), CheckDialogLines},
      {"a full file of 31 lines loads the same",
       Lines(DialogLines()) + Lines({"3", "100", "0", "1", "2", "3", "4", "5", "6"}), CheckDialogLines},
      {"the record of the last dimension: axis angle and points",
       Lines(DialogLines()) + Lines({"3", "100", "30", "1", "2", "3", "4", "5", "6"}),
       [](const TForm1& f) {
         ASSERT_TRUE(f.LastDimension());
         const TLastDimension& r = *f.LastDimension();
         EXPECT_EQ(r.AxisAngle, 30);
         EXPECT_EQ(r.Points[1].X, 1);
         EXPECT_EQ(r.Points[3].Y, 6);
         EXPECT_FALSE(r.RowStart);
       }},
      {"two lines: the rest reads as empty lines", Lines({"10", "20"}),
       [](const TForm1& f) {
         EXPECT_EQ(f.SavedLeft, 10);
         EXPECT_EQ(f.SavedTop, 20);
         for (const TComboBox* c : {&f.ComboBox1, &f.ComboBox2, &f.ComboBox3, &f.ComboBox4, &f.ComboBox5})
           EXPECT_EQ(c->ItemIndex, 0);
         for (const TEdit* e : {&f.Edit1, &f.Edit4, &f.Edit7, &f.Edit8, &f.Edit9}) EXPECT_EQ(e->Text, "");
         EXPECT_EQ(f.RadioGroup1.ItemIndex, 0);
         EXPECT_EQ(f.RadioGroup2.ItemIndex, 0);
         EXPECT_FALSE(f.CheckBox1.Checked);
       }},
      {"line 3 of -5 selects item 0", Lines({"1", "1", "-5", "-1"}),
       [](const TForm1& f) {
         EXPECT_EQ(f.ComboBox1.ItemIndex, 0);
         EXPECT_EQ(f.ComboBox2.ItemIndex, 0);
       }},
      {"line 3 of 12 leaves no selection", Lines({"1", "1", "12", "11"}),
       [](const TForm1& f) {
         EXPECT_EQ(f.ComboBox1.ItemIndex, -1);
         EXPECT_EQ(f.ComboBox2.ItemIndex, 11);
       }},
      {"line 17 of 7 selects the last item, negative the first",
       Lines({"1", "1", "0", "0", "0", "0", "0", "1", "", "", "1", "1", "1", "1", "1", "1", "7", "-3"}),
       [](const TForm1& f) {
         EXPECT_EQ(f.RadioGroup1.ItemIndex, 1);
         EXPECT_EQ(f.RadioGroup2.ItemIndex, 0);
       }},
      {"line 1 of abc places the dialog at 0", Lines({"abc", " 7"}),
       [](const TForm1& f) {
         EXPECT_EQ(f.SavedLeft, 0);
         EXPECT_EQ(f.SavedTop, 7);
       }},
      {"check boxes: any integer but 0", Lines({"1", "1", "0", "0", "0", "0", "0", "1", "",   "",  "1",
                                                "1", "1", "1", "1", "1", "0", "0", "2", "-1", "x", "0"}),
       [](const TForm1& f) {
         EXPECT_TRUE(f.CheckBox1.Checked);
         EXPECT_TRUE(f.CheckBox2.Checked);
         EXPECT_FALSE(f.CheckBox3.Checked);
         EXPECT_FALSE(f.CheckBox4.Checked);
       }},
      {"LF alone ends a line too; a CR elsewhere stays", "11\n22\r\n1\n\n\n\n\nA\rB\r\r\n R \r\n",
       [](const TForm1& f) {
         EXPECT_EQ(f.SavedLeft, 11);
         EXPECT_EQ(f.SavedTop, 22);
         EXPECT_EQ(f.ComboBox1.ItemIndex, 1);
         EXPECT_EQ(f.Edit1.Text, "A\rB\r");
         EXPECT_EQ(f.Edit2.Text, " R ");
       }},
      {"last line without a line end", "5\r\n6\r\n3",
       [](const TForm1& f) {
         EXPECT_EQ(f.SavedTop, 6);
         EXPECT_EQ(f.ComboBox1.ItemIndex, 3);
         EXPECT_EQ(f.ComboBox2.ItemIndex, 0);
       }},
      {"a CR at the very end, with no LF after it, is no line end",
       "5\r\n6\r\n0\r\n0\r\n0\r\n0\r\n0\r\n2.5\r", [](const TForm1& f) { EXPECT_EQ(f.Edit1.Text, "2.5\r"); }},
      {"a long saved text is shown whole", Lines({"1", "1", "0", "0", "0", "0", "0", std::string(300, '9')}),
       [](const TForm1& f) { EXPECT_EQ(f.Edit1.Text.size(), 300u); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir("q748-settings");
    const fs::path file = dir.path() / "q746.dat";
    WriteFile(file, c.content);
    TForm1 f(dir.path(), nullptr);
    f.ComboBox3.Items.assign(11, "x");
    f.LoadSettings(file);
    c.check(f);
  }
}

TEST(Settings, NoFileKeepsTheStartingValues) {
  TempDir dir("q748-settings");
  TForm1 f(dir.path(), nullptr);
  f.SavedLeft = 5;
  f.LoadSettings(dir.path() / "q746.dat");
  EXPECT_EQ(f.SavedLeft, 100);
  EXPECT_EQ(f.SavedTop, 100);
  EXPECT_EQ(f.ComboBox4.ItemIndex, 3);
  EXPECT_EQ(f.Edit4.Text, "0.5");

  // A folder of that name is no settings file either.
  fs::create_directory(dir.path() / "q746.dat");
  f.LoadSettings(dir.path() / "q746.dat");
  EXPECT_EQ(f.ComboBox4.ItemIndex, 3);
  EXPECT_EQ(f.Edit4.Text, "0.5");
}

// A save that fails keeps the settings of the last good save and leaves no temporary file.
TEST(Settings, FailedSaveKeepsTheOldFile) {
  TempDir dir("q748-settings");
  const fs::path file = dir.path() / "q746.dat";
  const std::string old = Lines(DialogLines());
  WriteFile(file, old);

  // A folder that may not be written: the old file stays, and the user is told on the side.
  TRecordingView view;
  TForm1 f(dir.path(), &view);
  const fs::path readOnly = fs::path(Q748_SCRATCH_MOUNTS) / "read-only" / "q746.dat";
  const std::string before = ReadFile(readOnly);
  EXPECT_EQ(f.SaveSettings(readOnly), TWriteError::NoPermission);
  EXPECT_EQ(ReadFile(readOnly), before);
  ASSERT_EQ(view.Notices.size(), 1u);
  EXPECT_EQ(view.Notices[0],
            WriteFailureMessage(kMessageSettingsNotSaved, readOnly, TWriteError::NoPermission));
  EXPECT_TRUE(view.Errors.empty());                                  // the dialog goes on
  EXPECT_EQ(f.LabelA1.Caption, SjisText(kMessageSettingsNotSaved));  // and says so on its status line

  // The target cannot be replaced: it is a folder. The temporary file does not stay behind.
  const fs::path folder = dir.path() / "sub";
  fs::create_directories(folder / "q746.dat" / "inner");
  EXPECT_EQ(f.SaveSettings(folder / "q746.dat"), TWriteError::Other);
  EXPECT_TRUE(fs::is_directory(folder / "q746.dat" / "inner"));
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);

  // The folder is gone: nothing is created, nothing thrown.
  f.SaveSettings(dir.path() / "gone" / "q746.dat");
  EXPECT_FALSE(fs::exists(dir.path() / "gone"));
}

// The preview's check box stands in line 32, after the record: files of 31 lines (or fewer)
// keep it at its starting value, checked; the lines between are skipped, not read.
TEST(Settings, PreviewLineIsReadOnlyWhenPresent) {
  const std::vector<std::string> record = {"3", "100", "0", "1", "2", "3", "4", "5", "6"};
  struct Case {
    const char* name;
    std::string content;
    bool shown;
  } cases[] = {
      {"22 lines", Lines(DialogLines()), true},
      {"31 lines", Lines(DialogLines()) + Lines(record), true},
      {"32 lines, hidden", Lines(DialogLines()) + Lines(record) + Lines({"0"}), false},
      {"32 lines, shown", Lines(DialogLines()) + Lines(record) + Lines({"1"}), true},
      {"32 lines, hidden, no line end", Lines(DialogLines()) + Lines(record) + "0", false},
      {"32 lines, empty line 32 hides", Lines(DialogLines()) + Lines(record) + Lines({""}), false},
      {"a line 23 of 0 is no line 32", Lines(DialogLines()) + Lines({"0"}), true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir("q748-settings");
    const fs::path file = dir.path() / "q746.dat";
    WriteFile(file, c.content);
    TForm1 f(dir.path(), nullptr);
    f.ComboBox3.Items.assign(11, "x");
    EXPECT_TRUE(f.CheckBox5.Checked);  // the starting value
    f.LoadSettings(file);
    EXPECT_EQ(f.CheckBox5.Checked, c.shown);
    CheckDialogLines(f);  // the dialog's lines read all the same
  }
}
