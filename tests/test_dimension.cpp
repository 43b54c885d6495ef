// OK: the input checks and their order, the refusals, and the construction of the dimension with
// its extension lines, value text, base line, leader and end markers.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <limits>
#include <numbers>
#include <random>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "MyFunc.h"
#include "TestSupport.h"
#include "Dimension.h"
#include "FenceCrossings.h"
#include "MoveKind.h"
#include "MovedValue.h"
#include "RecordFields.h"
#include "RowDimension.h"
#include "RowPlacement.h"
#include "Unit1.h"
#include "ArcKinds.h"
#include "DimensionParts.h"
#include "LinearKind.h"
#include "RoundKinds.h"

namespace fs = std::filesystem;
using ::testing::Not;
using testsupport::HasSjisSubstr;
using testsupport::ReadFile;
using testsupport::TempDir;
using testsupport::TRecordingView;
using testsupport::WriteFile;

namespace {

constexpr double kPi = 3.14159265358979323846;

// The host file of the complete run: axis 0, scale 1, text type 1 current, no font.
const char* kHost =
    "hq\r\nhk 0\r\nhs 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1\r\nhp1 0 0\r\nhp2 0 100\r\nhp3 50 30\r\n"
    "hp4 80 40\r\nlg0\r\nly0\r\nlc1\r\nlt1\r\nlw0\r\ncn1\r\n";

// A form shown on kHost (or another host file), with ComboBox3 at text type 1.
struct TShownForm {
  explicit TShownForm(const std::string& host = kHost) : form(dir.path(), &view) {
    view.Form = &form;
    WriteFile(dir.path() / "JWC_TEMP.TXT", host);
    form.FormShow();
    form.ComboBox3.ItemIndex = 1;
  }
  TempDir dir{"q748-dim"};
  TRecordingView view;
  TForm1 form;
};

// The dialog's starting values, the four points of the complete run, axis 0, scale 1.
TDimensionInput Input(TPointD p1 = {0, 0}, TPointD p2 = {0, 100}, TPointD p3 = {50, 30},
                      TPointD p4 = {80, 40}) {
  TDimensionInput in = DefaultInputs();
  in.TextTypeItem = 1;
  const TPointD p[] = {{}, p1, p2, p3, p4};
  for (std::size_t i = 1; i <= 4; ++i) in.Points[i] = {true, p[i].X, p[i].Y, TJwwPickKind::Plain};
  return in;
}

std::vector<std::string> Slots(const JwwState& st) {
  std::vector<std::string> v;
  for (const TJwwOutputSlot& s : st.OutputLines) v.push_back(s.Text);
  return v;
}

// The dimension built on a scratch state made from `host` (by default a host file naming nothing).
std::vector<std::string> Construct(const TDimensionInput& in, const JwwState& host = JwwState()) {
  JwwState out;
  JwwCopyHostValues(host, out);
  ConstructDimension(in, out);
  return Slots(out);
}

// The numbers of a slot after an optional keyword.
std::vector<double> Numbers(const std::string& slot) {
  std::istringstream s(slot);
  std::vector<double> v;
  std::string word;
  while (s >> word) {
    char* end = nullptr;
    const double d = std::strtod(word.c_str(), &end);
    if (end && *end == '\0') v.push_back(d);
  }
  return v;
}

// The words of a slot that are no numbers (keywords, the text of a text slot).
std::vector<std::string> Words(const std::string& slot) {
  std::istringstream s(slot);
  std::vector<std::string> v;
  for (std::string word; s >> word;) {
    char* end = nullptr;
    std::strtod(word.c_str(), &end);
    if (!end || *end != '\0') v.push_back(word);
  }
  return v;
}

// The slots that are lines (four numbers, no keyword), in order.
std::vector<std::vector<double>> LineSlots(const std::vector<std::string>& slots) {
  std::vector<std::vector<double>> v;
  for (const std::string& s : slots) {
    const std::vector<double> n = Numbers(s);
    if (n.size() == 4 && !s.empty() && (std::isdigit(static_cast<unsigned char>(s[0])) || s[0] == '-'))
      v.push_back(n);
  }
  return v;
}

void ExpectLine(const std::vector<double>& actual, std::vector<double> expected, double tol = 1e-4) {
  ASSERT_EQ(actual.size(), 4u);
  for (std::size_t i = 0; i < 4; ++i) EXPECT_NEAR(actual[i], expected[i], tol) << "coordinate " << i;
}

}  // namespace

// ---- The checks -----------------------------------------------------------------------------------

TEST(Inputs, ChecksInTheirOrder) {
  struct Case {
    const char* name;
    void (*change)(TForm1&);
    const char* focus;  // "" accepted
  } cases[] = {
      {"starting values", [](TForm1&) {}, ""},
      {"ComboBox1 none", [](TForm1& f) { f.ComboBox1.ItemIndex = -1; }, "ComboBox1"},
      {"ComboBox2 none", [](TForm1& f) { f.ComboBox2.ItemIndex = -1; }, "ComboBox2"},
      {"Edit1 0", [](TForm1& f) { f.Edit1.Text = "0"; }, "Edit1"},
      {"Edit1 no number", [](TForm1& f) { f.Edit1.Text = "1a"; }, "Edit1"},
      {"Edit1 empty", [](TForm1& f) { f.Edit1.Text = ""; }, "Edit1"},
      {"Edit1 negative", [](TForm1& f) { f.Edit1.Text = "-2"; }, "Edit1"},
      {"Edit7 0", [](TForm1& f) { f.Edit7.Text = "0"; }, "Edit7"},
      {"Edit7 1000", [](TForm1& f) { f.Edit7.Text = "1000"; }, ""},
      {"Edit7 1000.001", [](TForm1& f) { f.Edit7.Text = "1000.001"; }, "Edit7"},
      {"Edit8 179.9", [](TForm1& f) { f.Edit8.Text = "179.9"; }, ""},
      {"Edit8 180", [](TForm1& f) { f.Edit8.Text = "180"; }, "Edit8"},
      {"Edit8 0", [](TForm1& f) { f.Edit8.Text = "0"; }, "Edit8"},
      {"ComboBox3 none", [](TForm1& f) { f.ComboBox3.ItemIndex = -1; }, "ComboBox3"},
      {"ComboBox4 none", [](TForm1& f) { f.ComboBox4.ItemIndex = -1; }, "ComboBox4"},
      {"ComboBox5 none", [](TForm1& f) { f.ComboBox5.ItemIndex = -1; }, "ComboBox5"},
      {"RadioGroup1 none", [](TForm1& f) { f.RadioGroup1.ItemIndex = -1; }, "RadioGroup1"},
      {"RadioGroup2 none", [](TForm1& f) { f.RadioGroup2.ItemIndex = -1; }, "RadioGroup2"},
      {"Edit5 negative", [](TForm1& f) { f.Edit5.Text = "-0.1"; }, "Edit5"},
      {"Edit5 0", [](TForm1& f) { f.Edit5.Text = "0"; }, ""},
      {"Edit5 no number", [](TForm1& f) { f.Edit5.Text = "x"; }, "Edit5"},
      {"Edit9 emptied", [](TForm1& f) { f.Edit9.Text = ""; }, "Edit9"},
      {"Edit4 no number", [](TForm1& f) { f.Edit4.Text = "abc"; }, "Edit4"},
      {"Edit6 with blanks and full-width digits", [](TForm1& f) { f.Edit6.Text = "\x81\x40\x82\x52 "; }, ""},
      {"Edit6 negative", [](TForm1& f) { f.Edit6.Text = "-1"; }, "Edit6"},
      {"Edit9 negative", [](TForm1& f) { f.Edit9.Text = "-1"; }, "Edit9"},
      {"Edit4 any value", [](TForm1& f) { f.Edit4.Text = "-1"; }, ""},
      // The first refused control in the dialog's order takes the focus.
      {"ComboBox2 before Edit1",
       [](TForm1& f) {
         f.Edit1.Text = "0";
         f.ComboBox2.ItemIndex = -1;
       },
       "ComboBox2"},
      {"Edit8 before ComboBox3",
       [](TForm1& f) {
         f.ComboBox3.ItemIndex = -1;
         f.Edit8.Text = "200";
       },
       "Edit8"},
      {"ComboBox1 before everything",
       [](TForm1& f) {
         f.Edit9.Text = "-1";
         f.Edit7.Text = "0";
         f.ComboBox1.ItemIndex = -1;
       },
       "ComboBox1"},
      {"Edit7 before Edit8",
       [](TForm1& f) {
         f.Edit8.Text = "180";
         f.Edit7.Text = "0";
       },
       "Edit7"},
      {"Edit5 before Edit9",
       [](TForm1& f) {
         f.Edit9.Text = "-1";
         f.Edit5.Text = "-1";
       },
       "Edit5"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TShownForm s;
    c.change(s.form);
    std::string focus = "stale";
    ReadInputs(s.form, focus);
    EXPECT_EQ(focus, c.focus);
  }
}

TEST(Inputs, ReadTheDialogAndTheExchangeState) {
  TShownForm s(
      "hq\r\nhk 30\r\nhs 1 1 50 1 1 1 1 1 1 1 1 1 1 1 1 1\r\nhp1 1 2\r\nhp2 3 4\r\nhp4 7 8\r\nlg2\r\nly5\r\nlc9\r\nlt2\r\nlw35\r\n"
      "cn0 3.5 3.5 0.35 2\r\ncn\"$<font>\r\n");
  s.form.Edit2.Text = "\x81\x40";
  s.form.Edit3.Text = " mm";
  s.form.Edit4.Text = "\x81\x7C\x82\x4F\x81\x44\x82\x54";  // －０．５, full-width
  // Each number edit feeds its own field: every one a different value.
  s.form.Edit1.Text = "1.5";
  s.form.Edit5.Text = "2.5";
  s.form.Edit6.Text = "3.5";
  s.form.Edit7.Text = "4.5";
  s.form.Edit9.Text = "5.5";
  std::string focus;
  const TDimensionInput in = ReadInputs(s.form, focus);
  ASSERT_EQ(focus, "");
  EXPECT_EQ(in.AxisAngle, 30);
  EXPECT_EQ(in.Scale, 50);
  EXPECT_TRUE(in.Points[1].Used);
  EXPECT_FALSE(in.Points[3].Used);
  EXPECT_EQ(in.Points[4].Y, 8);
  EXPECT_EQ(in.Value.Prefix, "");
  EXPECT_EQ(in.Value.Suffix, " mm");
  EXPECT_EQ(in.TextGap, -0.5);
  EXPECT_EQ(in.ArrowAngle, 15);
  EXPECT_EQ(in.MarkerFactor, 1.5);
  EXPECT_EQ(in.PointGap, 2.5);
  EXPECT_EQ(in.Overhang, 3.5);
  EXPECT_EQ(in.ArrowLength, 4.5);
  EXPECT_EQ(in.ReverseOverhang, 5.5);
  EXPECT_EQ(in.Value.Decimals, 3);
}

// ---- OK from start to end ----------------------------------------------------------------------------

TEST(Button1Click, RefusedInputMovesTheFocusAndDoesNothingElse) {
  TShownForm s;
  s.form.Left = 7;
  s.form.Top = 9;
  s.form.Edit7.Text = "1000.001";
  s.form.Button1Click();
  EXPECT_EQ(s.form.FocusControl, "Edit7");
  EXPECT_FALSE(s.form.CloseRequested);
  EXPECT_EQ(s.form.Jww.OutputCount, 0);
  EXPECT_TRUE(s.view.Messages.empty());
  EXPECT_TRUE(s.view.Repaints.empty());
  EXPECT_FALSE(fs::exists(s.dir.path() / "q746.dat"));
  EXPECT_EQ(s.form.SavedLeft, 7);  // the position is taken before anything is examined
  EXPECT_EQ(s.form.SavedTop, 9);
}

TEST(Button1Click, ZeroLengthIsRefusedAfterTheSave) {
  TShownForm s("hq\r\nhp1 0 5\r\nhp2 40 5\r\nhp3 50 30\r\nhp4 80 40\r\n");
  s.form.Left = 44;
  s.form.Button1Click();
  ASSERT_EQ(s.view.Messages.size(), 1u);
  EXPECT_EQ(s.view.Messages[0], SjisText("寸法が「0」になりますので作図出来ません"));
  EXPECT_FALSE(s.form.CloseRequested);
  EXPECT_TRUE(s.form.FocusControl.empty());
  EXPECT_EQ(s.form.Jww.OutputCount, 0);
  EXPECT_TRUE(s.view.Repaints.empty());
  EXPECT_EQ(s.form.LabelA1.Caption, "\x81\x40");
  const std::string saved = ReadFile(s.dir.path() / "q746.dat");
  EXPECT_EQ(saved.substr(0, 13), "44\r\n100\r\n0\r\n0");
  // Closing now writes the empty output.
  s.form.Button2Click();
  EXPECT_TRUE(s.form.FormClose());
  EXPECT_EQ(ReadFile(s.dir.path() / "JWC_TEMP.TXT"), "hq\r\n");
}

// A point the host did not hand over would be taken as the origin; it is refused instead, after
// the save, before anything is appended, and before the length is looked at.
TEST(Button1Click, MissingPointIsRefused) {
  const char* hosts[] = {
      "hq\r\nhp1 0 0\r\nhp2 0 100\r\nhp3 50 30\r\n",    // no fourth point
      "hq\r\nhp1 0 0\r\nhp2 0 100\r\n",                 // only two points picked
      "hq\r\nhp2 0 100\r\nhp3 50 30\r\nhp4 80 40\r\n",  // no first point
      "hq\r\nhp1 0 5\r\nhp2 40 5\r\nhp4 80 40\r\n",     // zero length as well
      "",                                               // no host file at all
  };
  for (const char* host : hosts) {
    SCOPED_TRACE(host);
    TShownForm s(host);
    s.form.Button1Click();
    ASSERT_EQ(s.view.Messages.size(), 1u);
    EXPECT_EQ(s.view.Messages[0], SjisText("指示点が不足していますので作図出来ません"));
    EXPECT_EQ(RefusalMessage(TRefusal::MissingPoint), s.view.Messages[0]);
    EXPECT_FALSE(s.form.CloseRequested);
    EXPECT_EQ(s.form.Jww.OutputCount, 0);
    EXPECT_TRUE(fs::exists(s.dir.path() / "q746.dat"));
  }
}

// The complete run: every command in order, the status texts, and the close.
TEST(Button1Click, CompleteRun) {
  TShownForm s;
  s.form.Button1Click();
  EXPECT_TRUE(s.form.CloseRequested);
  EXPECT_TRUE(s.view.Messages.empty());
  ASSERT_EQ(s.view.Repaints.size(), 2u);
  EXPECT_EQ(s.view.Repaints[0], SjisText("処理中です"));
  EXPECT_EQ(s.view.Repaints[1], SjisText("ファイル生成中です"));
  EXPECT_EQ(s.form.LabelA1.Caption, SjisText("ファイル生成中です"));

  const std::vector<std::string> slots = Slots(s.form.Jww);
  const std::vector<std::string> keywords = {"lg0", "ly0", "lc1", "pn1", "lt1", "lw0", "cn\"$"};
  ASSERT_EQ(slots.size(), 7u + 4 + 11 + 8);
  for (std::size_t i = 0; i < keywords.size(); ++i) EXPECT_EQ(slots[i], keywords[i]);
  for (std::size_t i : {7u, 9u, 11u, 15u, 18u, 20u, 22u, 24u, 26u, 28u}) EXPECT_EQ(slots[i], "z3") << i;
  EXPECT_EQ(slots[13], "cn1");
  EXPECT_EQ(slots[14], "cc0");
  EXPECT_EQ(slots[16].substr(0, 9), "cs 80 40 ");
  const std::vector<double> dir = Numbers(slots[16]);
  ASSERT_EQ(dir.size(), 4u);
  EXPECT_NEAR(dir[2], 0, 1e-12);
  EXPECT_NEAR(dir[3], 10, 1e-12);
  EXPECT_EQ(slots[16].substr(slots[16].size() - 2), " \"");
  EXPECT_EQ(slots[17], "100");

  const std::vector<std::vector<double>> lines = LineSlots(slots);
  ASSERT_EQ(lines.size(), 9u);
  ExpectLine(lines[0], {2, 0, 52, 0});
  ExpectLine(lines[1], {2, 100, 52, 100});
  ExpectLine(lines[2], {50, 0, 50, 100});
  ExpectLine(lines[3], {50, 50, 80.5, 45});
  ExpectLine(lines[4], {80.5, 39.5, 80.5, 45});
  ExpectLine(lines[5], {50, 0, 49.2235, 2.8978});
  ExpectLine(lines[6], {50, 0, 50.7765, 2.8978});
  ExpectLine(lines[7], {50, 100, 50.7765, 97.1022});
  ExpectLine(lines[8], {50, 100, 49.2235, 97.1022});

  // Nothing is saved before the output is written; then lines 23 to 31 record the dimension
  // drawn, followed by the preview's box and the outside distance.
  EXPECT_FALSE(fs::exists(s.dir.path() / "q746.dat"));
  ASSERT_TRUE(s.form.FormClose());
  const std::string saved = ReadFile(s.dir.path() / "q746.dat");
  // ... lines 34 and 35 where its row starts (its own first point), and the dialog's next box.
  const std::string tail =
      "\r\n0\r\n1\r\n0\r\n0\r\n0\r\n0\r\n100\r\n50\r\n30\r\n1\r\n8\r\n0\r\n0\r\n0\r\n0\r\n0\r\n";
  ASSERT_GT(saved.size(), tail.size());
  EXPECT_EQ(saved.substr(saved.size() - tail.size()), tail);

  // A radius records its group, scale and axis angle but no points: no chain goes on from it.
  TempDir folder("q748-dim");
  WriteFile(folder.path() / "JWC_TEMP.TXT",
            "hq\r\nhk 0\r\nhs 4 4 4 4 4 4 4 4 4 4 4 4 4 4 4 4\r\nhp1ci 5 0\r\n"
            "hp2 9 9\r\nhhp1ci\r\nci 0 0 5\r\n");
  TForm1 radius(folder.path(), nullptr, TDimensionMode{TKind::Radius});
  radius.FormShow();
  radius.Button1Click();
  ASSERT_TRUE(radius.CloseRequested);
  ASSERT_TRUE(radius.FormClose());
  const std::string record = ReadFile(folder.path() / "q746r.dat");
  EXPECT_THAT(record, HasSjisSubstr("\r\n0\r\n4\r\n0\r\n\r\n\r\n\r\n\r\n\r\n\r\n"));
}

// The preamble: the host's first attributes, and the line colour for the point markers too.
TEST(Button1Click, PreambleTakesTheHostsFirstAttributes) {
  TShownForm s(
      "hq\r\nhp1 0 0\r\nhp2 0 100\r\nhp3 50 30\r\nhp4 80 40\r\nlg3\r\nlyc\r\nlc3\r\npn7\r\nlt4\r\n"
      "lw12\r\ncn\"$<x>\r\nlg5\r\nlc6\r\n");
  s.form.Button1Click();
  const std::vector<std::string> slots = Slots(s.form.Jww);
  ASSERT_GE(slots.size(), 7u);
  const std::vector<std::string> expected = {"lg3", "lyC", "lc3", "pn3", "lt4", "lw12", "cn\"$<x>"};
  EXPECT_EQ(std::vector<std::string>(slots.begin(), slots.begin() + 7), expected);
}

// The preview runs the same construction on a scratch state: it must give the same lines.
TEST(Button1Click, ScratchConstructionWritesWhatOkWrites) {
  const char* hosts[] = {
      kHost,
      "hq\r\nhk 30\r\nhs 1 1 50 1 1 1 1 1 1 1 1 1 1 1 1 1\r\nhcw 2 2.5 3 4 5 6 7 8 9 10\r\nhp1 512.88 -120.5\r\nhp2 640.1 377.25\r\nhp3 300 0\r\n"
      "hp4 150.75 415.3\r\nlg2\r\nlyf\r\nlc9\r\nlt2\r\nlw35\r\ncn0 3.5 3.5 0.35 2\r\ncn\"$<x>/\r\n",
  };
  for (const char* host : hosts) {
    for (int item : {0, 1, 3}) {
      TShownForm s(host);
      s.form.ComboBox3.ItemIndex = item;
      s.form.CheckBox4.Checked = item == 3;
      s.form.ComboBox2.ItemIndex = 9;
      std::string focus;
      const TDimensionInput in = ReadInputs(s.form, focus);
      ASSERT_EQ(focus, "");
      JwwState scratch;
      JwwCopyHostValues(s.form.Jww, scratch);
      ConstructDimension(in, scratch);
      s.form.Button1Click();
      ASSERT_TRUE(s.form.CloseRequested);
      EXPECT_EQ(JwwOutputText(scratch), JwwOutputText(s.form.Jww)) << host << " item " << item;
    }
  }
}

// ---- The frame and the extension lines ------------------------------------------------------------

TEST(Construction, FrameAndExtensionLines) {
  struct Case {
    const char* name;
    double axis, scale, gap, overhang;
    TPointD p1, p2, p3;
    TPointD a1, a2;
    std::vector<double> ext1, ext2;  // empty: not written
    TDirection direction = TDirection::Vertical;
    // clang-format off
  } cases[] = {
      {"P3 on the positive side", 0, 1, 2, 2, {0, 0}, {0, 100}, {50, 30}, {50, 0}, {50, 100},
       {2, 0, 52, 0}, {2, 100, 52, 100}},
      {"P3 on the negative side", 0, 1, 2, 2, {0, 0}, {0, 100}, {-50, 30}, {-50, 0}, {-50, 100},
       {-2, 0, -52, 0}, {-2, 100, -52, 100}},
      {"axis angle 90", 90, 1, 2, 2, {0, 0}, {100, 0}, {30, 50}, {0, 50}, {100, 50},
       {0, 2, 0, 52}, {100, 2, 100, 52}},
      {"scale 100", 0, 100, 2, 2, {0, 0}, {0, 1000}, {500, 30}, {500, 0}, {500, 1000},
       {200, 0, 700, 0}, {200, 1000, 700, 1000}},
      {"P3 closer than the gap", 0, 1, 5, 1, {0, 0}, {0, 100}, {2, 30}, {2, 0}, {2, 100},
       {5, 0, 3, 0}, {5, 100, 3, 100}},
      {"dimension line through P1, gap equal to overhang", 0, 1, 2, 2, {0, 0}, {-30, 100}, {0, 30},
       {0, 0}, {0, 100}, {}, {-28, 100, 2, 100}},
      // Horizontal: measured along the axis angle; aligned: along P1 -> P2, whichever way.
      {"horizontal, axis 0", 0, 1, 2, 2, {0, 0}, {100, 0}, {30, 50}, {0, 50}, {100, 50},
       {0, 2, 0, 52}, {100, 2, 100, 52}, TDirection::Horizontal},
      {"horizontal, axis 30, P1 on the far end", 30, 1, 2, 2, {86.60254037844388, 50}, {0, 0},
       {-25, 43.30127018922194}, {61.60254037844388, 93.30127018922192}, {-25, 43.30127018922194},
       {85.60254037844388, 51.73205080756887, 60.60254037844388, 95.0333209967908},
       {-1, 1.7320508075688774, -26, 45.03332099679081}, TDirection::Horizontal},
      {"aligned, axis 30 not looked at", 30, 1, 2, 2, {0, 0}, {30, 40}, {-34, 38}, {-40, 30}, {-10, 70},
       {-1.6, 1.2, -41.6, 31.2}, {28.4, 41.2, -11.6, 71.2}, TDirection::Aligned},
      {"aligned, the points the other way", 0, 1, 2, 2, {30, 40}, {0, 0}, {-34, 38}, {-10, 70}, {-40, 30},
       {28.4, 41.2, -11.6, 71.2}, {-1.6, 1.2, -41.6, 31.2}, TDirection::Aligned},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TDimensionInput in = Input(c.p1, c.p2, c.p3);
    in.Direction = c.direction;
    in.AxisAngle = c.axis;
    in.Scale = c.scale;
    in.PointGap = c.gap;
    in.Overhang = c.overhang;
    const TDimensionFrame fr = DimensionFrame(in);
    EXPECT_NEAR(fr.A1.X, c.a1.X, 1e-9);
    EXPECT_NEAR(fr.A1.Y, c.a1.Y, 1e-9);
    EXPECT_NEAR(fr.A2.X, c.a2.X, 1e-9);
    EXPECT_NEAR(fr.A2.Y, c.a2.Y, 1e-9);
    const std::vector<std::string> slots = Construct(in);
    ASSERT_GE(slots.size(), 11u);
    EXPECT_EQ(slots[7], "z3");
    // A zero-length line is not written; its flags line is.
    std::size_t next = 8;
    if (!c.ext1.empty()) ExpectLine(Numbers(slots[next++]), c.ext1, 1e-9);
    EXPECT_EQ(slots[next++], "z3");
    ExpectLine(Numbers(slots[next]), c.ext2, 1e-9);
  }
}

// Horizontal and aligned dimensions are the vertical construction in a turned frame: the same
// lines, markers, text and leader as a vertical dimension at the frame's angle, whatever the
// inputs; where the frame is a whole number of quarter turns, without any rounding noise.
TEST(Construction, OtherDirectionsAreTheVerticalOneTurned) {
  struct Case {
    const char* name;
    TDirection direction;
    double axis;
    TPointD p1, p2, p3, p4;
    int marker;     // both ends
    bool combined;  // CheckBox4
    bool exact;     // no number in the output carries rounding noise
    // clang-format off
  } cases[] = {
      {"horizontal, axis 0", TDirection::Horizontal, 0, {0, 0}, {100, 0}, {30, 50}, {40, 80}, 0, false, true},
      {"horizontal, axis 0, P2 first, text below", TDirection::Horizontal, 0, {100, 0}, {0, 0}, {30, -50}, {40, -80}, 1, false, true},
      {"horizontal, axis 0, reversed on the x axis", TDirection::Horizontal, 0, {0, 0}, {2, 0}, {7, 0}, {10, 20}, 0, false, true},
      {"horizontal, axis 30", TDirection::Horizontal, 30, {0, 0}, {86.6, 50}, {-25, 43.3}, {10, 90}, 0, true, false},
      {"horizontal, axis 30, reversed markers", TDirection::Horizontal, 30, {0, 0}, {2, 1}, {-25, 43.3}, {10, 90}, 0, false, false},
      {"horizontal, axis 90", TDirection::Horizontal, 90, {0, 0}, {0, 100}, {-30, 50}, {-50, 60}, 6, false, true},
      {"horizontal, axis -123.4", TDirection::Horizontal, -123.4, {5, 7}, {-40, 80}, {60, 20}, {1, 2}, 2, true, false},
      {"aligned, level", TDirection::Aligned, 30, {0, 0}, {100, 0}, {30, 50}, {40, 80}, 0, false, true},
      {"aligned, straight down", TDirection::Aligned, 0, {0, 100}, {0, 0}, {30, 50}, {40, 80}, 0, true, true},
      {"aligned, sloping", TDirection::Aligned, 0, {0, 0}, {30, 40}, {-34, 38}, {-60, 50}, 0, false, false},
      {"aligned, sloping the other way, reversed", TDirection::Aligned, 10, {3, 4}, {0, 0}, {-34, 38}, {-60, 50}, 1, false, false},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TDimensionInput in = Input(c.p1, c.p2, c.p3, c.p4);
    in.Direction = c.direction;
    in.AxisAngle = c.axis;
    in.StartMarker = in.EndMarker = c.marker;
    in.Combined = c.combined;
    TDimensionInput vertical = in;
    vertical.Direction = TDirection::Vertical;
    vertical.AxisAngle = c.direction == TDirection::Horizontal
                             ? c.axis - 90.0
                             : VectorAngleDeg(c.p2.X - c.p1.X, c.p2.Y - c.p1.Y) - 90.0;
    const std::vector<std::string> turned = Construct(in), reference = Construct(vertical);
    ASSERT_FALSE(turned.empty());
    ASSERT_EQ(turned.size(), reference.size());
    for (std::size_t i = 0; i < turned.size(); ++i) {
      const std::vector<double> got = Numbers(turned[i]), want = Numbers(reference[i]);
      EXPECT_EQ(Words(turned[i]), Words(reference[i])) << turned[i];
      ASSERT_EQ(got.size(), want.size()) << turned[i];
      for (std::size_t k = 0; k < got.size(); ++k) EXPECT_NEAR(got[k], want[k], 1e-9) << turned[i];
      if (c.exact) {
        EXPECT_THAT(turned[i], Not(HasSjisSubstr("E-")));
      }
    }
  }
  // Coincident points measure nothing in the aligned frame either.
  TDimensionInput same = Input({5, 5}, {5, 5}, {30, 50}, {40, 80});
  same.Direction = TDirection::Aligned;
  EXPECT_EQ(CheckDimension(same, JwwState()), TRefusal::ZeroLength);
}

TEST(Construction, RefusedInputAppendsNothing) {
  constexpr double kHuge = 1e308;
  const auto with = [](TDimensionInput in, auto change) {
    change(in);
    return in;
  };
  const struct {
    const char* name;
    TDimensionInput in = DefaultInputs();
    TRefusal expected;
    double hostTextWidth = 3;  // of the host's text type 1
    // clang-format off
  } cases[] = {
      {"drawn", Input(), TRefusal::None},
      {"level", Input({0, 5}, {40, 5}), TRefusal::ZeroLength},
      {"missing point", with(Input(), [](TDimensionInput& in) { in.Points[3].Used = false; }),
       TRefusal::MissingPoint},
      // Level is judged against the coordinates' own rounding noise (1e-12 of the largest of
      // points 1 to 3), never finer than 1e-10.
      {"1.5e-10 near the origin", Input({0, 0}, {0, 1.5e-10}), TRefusal::None},
      {"0.5e-10 near the origin", Input({0, 0}, {0, 0.5e-10}), TRefusal::ZeroLength},
      {"1e-6 at 5e5", Input({5e5, 0}, {5e5, 1e-6}), TRefusal::None},
      {"1e-7 at 5e5", Input({5e5, 0}, {5e5, 1e-7}), TRefusal::ZeroLength},
      {"1e-7 with P3 at 5e5", Input({0, 0}, {0, 1e-7}, {5e5, 30}), TRefusal::ZeroLength},
      {"1e-7 with P4 at 5e5", Input({0, 0}, {0, 1e-7}, {50, 30}, {5e5, 40}), TRefusal::None},
      // A number that does not fit a double would be written as 0 and draw to the origin.
      {"points at +-1e308", Input({0, -kHuge}, {0, kHuge}), TRefusal::TooLarge},
      {"text gap times the scale", with(Input(), [](TDimensionInput& in) { in.TextGap = kHuge / 40; in.Scale = 50; }),
       TRefusal::TooLarge},
      {"negative text gap", with(Input(), [](TDimensionInput& in) { in.TextGap = -kHuge; }), TRefusal::TooLarge},
      {"point gap", with(Input(), [](TDimensionInput& in) { in.PointGap = kHuge; in.Scale = 50; }),
       TRefusal::TooLarge},
      {"overhang", with(Input(), [](TDimensionInput& in) { in.Overhang = kHuge; in.Scale = 50; }),
       TRefusal::TooLarge},
      {"reverse overhang", with(Input(), [](TDimensionInput& in) { in.ReverseOverhang = kHuge; in.Scale = 2; }),
       TRefusal::TooLarge},
      {"marker factor", with(Input(), [](TDimensionInput& in) { in.StartMarker = 1; in.MarkerFactor = kHuge; }),
       TRefusal::TooLarge},
      {"text width", Input(), TRefusal::TooLarge, kHuge},
      // Every paper distance is multiplied by the scale.
      {"infinite scale", with(Input(), [](TDimensionInput& in) { in.Scale = HUGE_VAL; }), TRefusal::BadScale},
      {"scale 0", with(Input(), [](TDimensionInput& in) { in.Scale = 0; }), TRefusal::BadScale},
      {"negative scale", with(Input(), [](TDimensionInput& in) { in.Scale = -50; }), TRefusal::BadScale},
      {"scale not a number", with(Input(), [](TDimensionInput& in) { in.Scale = std::nan(""); }),
       TRefusal::BadScale},
      {"a picked point that was no number", with(Input(), [](TDimensionInput& in) { in.Points[4].Numeric = false; }),
       TRefusal::MissingPoint},
      {"point at 1e300", Input({0, 0}, {0, 100}, {50, 30}, {1e300, 40}), TRefusal::None},
      {"exactly the tolerance near the origin", Input({0, 0}, {0, 1e-10}), TRefusal::None},
      {"a radius of exactly the tolerance",
       with(Input(), [](TDimensionInput& in) { in.Kind = TKind::Radius; in.Radius = 1e-10; }), TRefusal::None},
      // The host takes a text of 255 bytes: "100" after a prefix of 252 bytes fits, of 253 not.
      {"value text of 255 bytes", with(Input(), [](TDimensionInput& in) { in.Value.Prefix.assign(252, 'x'); }),
       TRefusal::None},
      {"value text of 256 bytes", with(Input(), [](TDimensionInput& in) { in.Value.Prefix.assign(253, 'x'); }),
       TRefusal::TooLarge},
      {"radius 1e260: a value of 262 digits",
       with(Input(), [](TDimensionInput& in) { in.Kind = TKind::Radius; in.Radius = 1e260; in.Points[1] = {}; }),
       TRefusal::TooLarge},
      {"angle: a line of no length",
       with(Input(), [](TDimensionInput& in) { in.Kind = TKind::Angle; in.LineEnds = {{{5, 5}, {5, 5}, {0, 0}, {0, 9}}}; }),
       TRefusal::ZeroLine},
      {"angle: parallel", with(Input(), [](TDimensionInput& in) {
         in.Kind = TKind::Angle; in.LineEnds = {{{0, 0}, {9, 0}, {0, 5}, {-3, 5}}}; }),
       TRefusal::Parallel},
      // A row: its measured points, with the fence's ends and a point of its dimension line.
      {"row", with(Input({-5, 0}, {-5, 300}), [](TDimensionInput& in) {
         in.Pick = TPick::Fence; in.Row = {{0, 0}, {0, 100}, {0, 250}}; }), TRefusal::None},
      {"row of one point", with(Input({-5, 0}, {-5, 300}), [](TDimensionInput& in) {
         in.Pick = TPick::Fence; in.Row = {{0, 0}}; }), TRefusal::TooFewLines},
      {"row without its dimension line", with(Input({-5, 0}, {-5, 300}), [](TDimensionInput& in) {
         in.Pick = TPick::Fence; in.Row = {{0, 0}, {0, 100}}; in.Points[3].Used = false; }), TRefusal::MissingPoint},
      {"row at +-1e308", with(Input({-5, 0}, {-5, 300}), [](TDimensionInput& in) {
         in.Pick = TPick::Fence; in.Row = {{0, -kHuge}, {0, kHuge}}; }), TRefusal::TooLarge},
      {"row: its overall distance times the scale", with(Input({-5, 0}, {-5, 300}), [](TDimensionInput& in) {
         in.Pick = TPick::Fence; in.Row = {{0, 0}, {0, 100}, {0, 250}}; in.OutsideGap = kHuge / 40; in.Scale = 50; }),
       TRefusal::TooLarge},
  };
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    JwwState host;
    host.TextTypes[1].Width = c.hostTextWidth;
    EXPECT_EQ(CheckDimension(c.in, host), c.expected);
    EXPECT_EQ(Construct(c.in, host).empty(), c.expected != TRefusal::None);
  }
  EXPECT_EQ(RefusalMessage(TRefusal::None), "");
  EXPECT_EQ(RefusalMessage(TRefusal::TooLarge), SjisText("数値が大きすぎますので作図出来ません"));
  EXPECT_EQ(RefusalMessage(TRefusal::BadScale), SjisText("縮尺が正しくありませんので作図出来ません"));
  EXPECT_EQ(RefusalMessage(TRefusal::ZeroLine), SjisText("線の長さが０ですので作図出来ません"));
}

// A chain goes on from whichever recorded end its new point is nearer to along the measuring
// direction (the second on a tie), and its row runs on to the recorded point farthest away.
TEST(Construction, ChainsGoOnFromTheEndTheyTouch) {
  const struct {
    const char* name;
    TDirection direction;
    double axis;
    TPointD l1, l2, added;
    std::optional<TPointD> rowStart;  // as recorded
    TPointD from, row;
  } cases[] = {
      {"on past the second end",
       TDirection::Horizontal,
       0,
       {0, 0},
       {1820, 0},
       {2730, 0},
       {},
       {1820, 0},
       {0, 0}},
      {"a line picked at its far end: on past the first",
       TDirection::Horizontal,
       0,
       {3640, 0},
       {1820, 0},
       {4550, 0},
       {},
       {3640, 0},
       {1820, 0}},
      {"back past the first end", TDirection::Vertical, 0, {0, 0}, {0, 100}, {0, -80}, {}, {0, 0}, {0, 100}},
      {"a tie goes on from the second",
       TDirection::Vertical,
       0,
       {0, 0},
       {0, 100},
       {0, 50},
       {},
       {0, 100},
       {0, 0}},
      {"measured along the axis, not by distance",
       TDirection::Horizontal,
       0,
       {0, 0},
       {100, 1000},
       {60, 0},
       {},
       {100, 1000},
       {0, 0}},
      {"the row keeps its start",
       TDirection::Vertical,
       0,
       {0, 100},
       {0, 250},
       {0, 300},
       TPointD{0, 0},
       {0, 250},
       {0, 0}},
      {"aligned, along the last dimension",
       TDirection::Aligned,
       0,
       {0, 0},
       {30, 40},
       {-30, -40},
       {},
       {0, 0},
       {30, 40}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TLastDimension last;
    last.AxisAngle = c.axis;
    last.Points[1] = c.l1;
    last.Points[2] = c.l2;
    last.Points[3] = {50, 30};
    last.RowStart = c.rowStart;
    TDimensionInput in = Input(c.added, {9, 9});
    in.Direction = c.direction;
    in.AxisAngle = c.axis;
    in.Next = TNext::Chain;
    ASSERT_EQ(ContinuePoints(last, in), TRefusal::None);
    EXPECT_EQ(in.Points[1].X, c.from.X);
    EXPECT_EQ(in.Points[1].Y, c.from.Y);
    EXPECT_EQ(in.Points[2].X, c.added.X);
    ASSERT_TRUE(in.RowStart);
    EXPECT_EQ(in.RowStart->X, c.row.X);
    EXPECT_EQ(in.RowStart->Y, c.row.Y);
  }
}

// ---- End markers -------------------------------------------------------------------------------------

// A line arrow reaches al * cos(aa) whatever the factor; a point marker's reach grows with the
// factor, the long markers (triangles, arrow heads) reaching six times as far as the short ones.
TEST(EndMarkers, Reach) {
  for (const auto& [al, aa] : {std::pair{3.0, 15.0}, std::pair{3.0, 100.0}, std::pair{7.5, 45.0}}) {
    for (double factor : {1.0, 5.0})
      EXPECT_NEAR(MarkerReach(0, factor, al, aa), al * std::cos(aa * kPi / 180), 1e-12) << al << " " << aa;
  }
  for (int kind = 1; kind <= 11; ++kind) {
    const double one = MarkerReach(kind, 1, 3, 15);
    EXPECT_TRUE(one == kPointMarkerLong || one == kPointMarkerShort || kind == 8 || kind == 10) << kind;
    for (double factor : {0.5, 2.0, 4.0})
      EXPECT_DOUBLE_EQ(MarkerReach(kind, factor, 3, 15), factor * one) << kind;
  }
  EXPECT_EQ(MarkerReach(1, 1, 3, 15), kPointMarkerLong);   // △
  EXPECT_EQ(MarkerReach(2, 1, 3, 15), kPointMarkerShort);  // □
}

TEST(EndMarkers, Lines) {
  struct Case {
    const char* name;
    TPointD a1, a2;
    int k1, k2;
    double factor, scale, overshoot, angle;
    std::vector<std::string> expected;  // slots; numbers compared to 1e-4
    // clang-format off
  } cases[] = {
      {"line arrows inside", {50, 0}, {50, 100}, 0, 0, 1, 1, 2, 15,
       {"z3", "50 0 49.2235 2.8978", "z3", "50 0 50.7765 2.8978", "z3", "50 100 50.7765 97.1022", "z3",
        "50 100 49.2235 97.1022"}},
      {"5.80 is long enough", {0, 0}, {0, 5.80}, 0, 0, 1, 1, 2, 15,
       {"z3", "0 0 -0.7765 2.8978", "z3", "0 0 0.7765 2.8978", "z3", "0 5.8 0.7765 2.9022", "z3",
        "0 5.8 -0.7765 2.9022"}},
      {"5.79 is reversed, with overshoot", {0, 0}, {0, 5.79}, 0, 0, 1, 1, 2, 15,
       {"z3", "0 0 0 -2", "z3", "0 0 0.7765 -2.8978", "z3", "0 0 -0.7765 -2.8978", "z3", "0 5.79 0 7.79",
        "z3", "0 5.79 -0.7765 8.6878", "z3", "0 5.79 0.7765 8.6878"}},
      {"reversed without overshoot", {0, 0}, {0, 10}, 0, 0, 1, 3, 0, 15,
       {"z3", "0 0 2.3294 -8.6933", "z3", "0 0 -2.3294 -8.6933", "z3", "0 10 -2.3294 18.6933", "z3",
        "0 10 2.3294 18.6933"}},
      {"triangles at scale 50 fit 1501", {0, 0}, {0, 1501}, 6, 6, 2, 50, 2, 15,
       {"z3", "pt 0 0 2 270 6", "z3", "pt 0 1501 2 90 6"}},
      {"triangles at scale 50 fit exactly 1500", {0, 0}, {0, 1500}, 6, 6, 2, 50, 2, 15,
       {"z3", "pt 0 0 2 270 6", "z3", "pt 0 1500 2 90 6"}},
      {"triangles at scale 50 reverse in 1499", {0, 0}, {0, 1499}, 6, 6, 2, 50, 2, 15,
       {"z3", "0 0 0 -100", "z3", "pt 0 0 2 90 6", "z3", "0 1499 0 1599", "z3", "pt 0 1499 2 270 6"}},
      {"item 11 is code 11, the factor unscaled", {0, 0}, {100, 0}, 11, 3, 2.5, 100, 2, 15,
       {"z3", "0 0 -200 0", "z3", "pt 0 0 2.5 0 11", "z3", "100 0 300 0", "z3", "pt 100 0 2.5 180 3"}},
      {"arrows wider than 90 degrees never reverse", {0, 0}, {0, 0.001}, 0, 0, 1, 1, 2, 100,
       {"z3", "0 0 -2.9544 -0.5209", "z3", "0 0 2.9544 -0.5209", "z3", "0 0.001 2.9544 0.5219", "z3",
        "0 0.001 -2.9544 0.5219"}},
      {"a tiny factor draws at factor 1", {0, 0}, {0, 100}, 4, 4, 1e-9, 1, 2, 15,
       {"z3", "pt 0 0 1 270 4", "z3", "pt 0 100 1 90 4"}},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TDimensionInput in = Input();
    in.StartMarker = c.k1;
    in.EndMarker = c.k2;
    in.MarkerFactor = c.factor;
    in.Scale = c.scale;
    in.ReverseOverhang = c.overshoot;
    in.ArrowAngle = c.angle;
    JwwState out;
    JwwResetCurrent(out);
    AddEndMarkers(in, c.a1, c.a2, std::hypot(c.a2.X - c.a1.X, c.a2.Y - c.a1.Y), false, out);
    const std::vector<std::string> slots = Slots(out);
    ASSERT_EQ(slots.size(), c.expected.size());
    for (std::size_t i = 0; i < slots.size(); ++i) {
      const std::vector<double> got = Numbers(slots[i]), want = Numbers(c.expected[i]);
      EXPECT_EQ(slots[i].substr(0, 2), c.expected[i].substr(0, 2)) << i;
      ASSERT_EQ(got.size(), want.size()) << slots[i];
      for (std::size_t k = 0; k < got.size(); ++k) EXPECT_NEAR(got[k], want[k], 1e-4) << slots[i];
    }
  }
}

// ---- The value text, its base line and leader -----------------------------------------------------

TEST(ValuePlacement, TextAngle) {
  // clang-format off
  const struct {
    double axis, expected;
  } cases[] = {{0, 90}, {10, 280}, {100, 10}, {90, 0}, {180, 90}, {-90, 0}, {80, 350}, {270, 0}, {-10, 80},
               // Up to 1e-8 past upright the text still reads upwards; beyond, it turns over.
               {5e-9, 90 + 5e-9}, {2e-8, 270 + 2e-8}};
  // clang-format on
  // The dimension line of a vertical dimension runs at the axis angle + 90 degrees.
  for (const auto& c : cases) EXPECT_NEAR(ValueTextAngle(c.axis + 90.0), c.expected, 1e-9) << c.axis;
}

TEST(ValuePlacement, BaseLineAndLeader) {
  const struct {
    const char* name;
    TPointD p4;
    double ta, extent, g;
    TPointD t0, t1, leader;
    // clang-format off
  } cases[] = {
      {"base line before the middle: leader to its end", {80, 40}, 90, 4.5, 0.5, {80.5, 39.5}, {80.5, 45},
       {80.5, 45}},
      {"base line beyond the middle: leader to its start", {80, 60}, 90, 4.5, 0.5, {80.5, 59.5}, {80.5, 65},
       {80.5, 59.5}},
      {"straddling the middle: leader to its start", {80, 48}, 90, 4.5, 0.5, {80.5, 47.5}, {80.5, 53},
       {80.5, 47.5}},
      {"no gap: the base line is the text", {80, 40}, 90, 4.5, 0, {80, 40}, {80, 44.5}, {80, 44.5}},
      {"negative gap: shorter than the text", {80, 40}, 90, 4.5, -1, {79, 41}, {79, 43.5}, {79, 43.5}},
      {"text at 0 degrees", {10, 80}, 0, 6, 1, {9, 79}, {17, 79}, {17, 79}},
      {"ending exactly at the middle: not beyond it, leader to its end", {43, 80}, 0, 6, 1, {42, 79}, {50, 79},
       {50, 79}},
  };
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const TBaseLine b = PlaceBaseLine({50, 0}, {50, 100}, c.p4, c.ta, c.extent, c.g);
    EXPECT_NEAR(b.Middle.X, 50, 1e-12);
    EXPECT_NEAR(b.Middle.Y, 50, 1e-12);
    EXPECT_NEAR(b.T0.X, c.t0.X, 1e-9);
    EXPECT_NEAR(b.T0.Y, c.t0.Y, 1e-9);
    EXPECT_NEAR(b.T1.X, c.t1.X, 1e-9);
    EXPECT_NEAR(b.T1.Y, c.t1.Y, 1e-9);
    EXPECT_NEAR(b.LeaderEnd.X, c.leader.X, 1e-9);
    EXPECT_NEAR(b.LeaderEnd.Y, c.leader.Y, 1e-9);
  }
}

TEST(ValuePlacement, TextType) {
  const struct {
    int item, hostType;
    int number;
    double width;
  } cases[] = {{0, 5, 5, 5}, {0, 0, 0, 2.25}, {0, 12, 1, 1}, {0, -1, 1, 1}, {3, 7, 3, 3}, {10, 0, 10, 10}};
  for (const auto& c : cases) {
    TDimensionInput in = Input();
    JwwState host;
    for (int i = 1; i <= 10; ++i) host.TextTypes[i].Width = i;
    host.FirstFreeText = {2.25, 2.5, 0.25, 6};
    in.TextTypeItem = c.item;
    host.FirstTextType = c.hostType;
    const TValueTextType t = ChooseTextType(in, host);
    EXPECT_EQ(t.Number, c.number) << c.item << " " << c.hostType;
    EXPECT_EQ(t.Size.Width, c.width) << c.item << " " << c.hostType;
  }
}

TEST(ValuePlacement, PlainCombinedAndFreeSize) {
  struct Case {
    const char* name;
    int item, hostType;
    bool combined;
    double axis;
    std::vector<std::string> expected;  // slots after the extension lines, before the markers
  } cases[] = {
      {"plain",
       1,
       1,
       false,
       0,
       {"z3", "50 0 50 100", "cn1", "cc0", "z3", "cs 80 40 0 10 \"", "100", "z3", "50 50 80.5 45", "z3",
        "80.5 39.5 80.5 45"}},
      {"combined: no separate line, no text code",
       1,
       1,
       true,
       0,
       {"cn1", "msg", "50 0 50 100", "cs 80 40 0 10 \"", "100", "z3", "50 50 80.5 45", "z3",
        "80.5 39.5 80.5 45"}},
      {"the host's free size",
       0,
       0,
       false,
       0,
       {"z3", "50 0 50 100", "cn0 3.5 3.5 0.35 2", "cc0", "z3", "cs 80 40 0 10 \"", "100", "z3",
        "50 50 80.5 46.1", "z3", "80.5 39.5 80.5 46.1"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TDimensionInput in = Input();
    in.TextTypeItem = c.item;
    in.Combined = c.combined;
    in.AxisAngle = c.axis;
    JwwState out;
    out.FirstTextType = c.hostType;
    out.FirstFreeText = {3.5, 3.5, 0.35, 2};
    JwwResetCurrent(out);
    AddValueText(in, {50, 0}, {50, 100}, FrameTurn(in).LineAngle(), false, out);
    const std::vector<std::string> slots = Slots(out);
    ASSERT_EQ(slots.size(), c.expected.size());
    for (std::size_t i = 0; i < slots.size(); ++i) {
      const std::vector<double> got = Numbers(slots[i]), want = Numbers(c.expected[i]);
      EXPECT_EQ(slots[i].substr(0, 2), c.expected[i].substr(0, 2)) << i;
      ASSERT_EQ(got.size(), want.size()) << slots[i];
      for (std::size_t k = 0; k < got.size(); ++k) EXPECT_NEAR(got[k], want[k], 1e-9) << slots[i];
    }
  }
}

TEST(ValuePlacement, AxisAngle100) {
  // The measured points lie 100 apart along 190 degrees, the direction of the dimension line.
  TDimensionInput in = Input({0, 0}, {-98.4807753012208, -17.364817766693}, {50, 30});
  in.AxisAngle = 100;
  ASSERT_NEAR(DimensionFrame(in).Length, 100, 1e-9);
  const std::vector<std::string> slots = Construct(in);
  // The text runs at 10 degrees, the direction vector ten long.
  std::vector<double> text;
  for (const std::string& s : slots)
    if (s.starts_with("cs ")) text = Numbers(s);
  ASSERT_EQ(text.size(), 4u);
  EXPECT_NEAR(text[2], 10 * std::cos(std::numbers::pi / 18), 1e-9);
  EXPECT_NEAR(text[3], 10 * std::sin(std::numbers::pi / 18), 1e-9);
  // The host's text type is given back after a value text in another type.
  in.TextTypeItem = 4;
  EXPECT_EQ(Construct(in).back(), "cn1");
}

// ---- Radius and diameter ---------------------------------------------------------------------------

// A radius runs from the centre to the circle towards where it was picked and has the end marker
// only; a diameter runs through the centre with both markers; neither has extension lines. The
// value is R (Ｒ full-width) or φ with the number, written with the host's radius ("cr") or
// diameter ("co") keyword, and placed as the linear kind places it.
TEST(RoundKinds, Construction) {
  struct Case {
    const char* name;
    TKind kind;
    TPointD centre;
    double r;
    TPointD picked, text;
    std::vector<std::vector<double>> lines;  // dimension line, leader, base line, then the markers' lines
    std::string textSlot, value;             // Shift-JIS
    double scale = 1, axis = 0;
    bool fullWidth = false;
  };
  const double c15 = 2.897777, s15 = 0.776457;  // 3 cos 15°, 3 sin 15°
  // clang-format off
  const Case cases[] = {
      {"radius to the right", TKind::Radius, {100, 50}, 20, {130, 50}, {140, 80},
       {{100, 50, 120, 50}, {110, 50, 139.5, 79.5}, {139.5, 79.5, 145, 79.5},
        {120, 50, 120 - c15, 50 - s15}, {120, 50, 120 - c15, 50 + s15}},
       "cr 140 80 10 0 \"", "R20"},
      {"diameter picked above", TKind::Diameter, {100, 50}, 20, {100, 80}, {130, 40},
       {{100, 30, 100, 70}, {100, 50, 130.5, 46.5}, {130.5, 39.5, 130.5, 46.5},
        {100, 30, 100 - s15, 30 + c15}, {100, 30, 100 + s15, 30 + c15},
        {100, 70, 100 + s15, 70 - c15}, {100, 70, 100 - s15, 70 - c15}},
       "co 130 40 0 10 \"", "\x83\xD3" "40"},
      {"radius too short for its marker: turned about with the overshoot", TKind::Radius, {0, 0}, 2, {0, -5},
       {10, 10},
       {{0, 0, 0, -2}, {0, -1, 10.5, 9.5}, {10.5, 9.5, 10.5, 13.5}, {0, -2, 0, -4},
        {0, -2, s15, -2 - c15}, {0, -2, -s15, -2 - c15}},
       "cr 10 10 0 10 \"", "R2"},
      {"picked at the centre: along the axis angle; full width", TKind::Radius, {10, 10}, 4, {10, 10}, {0, 20},
       {{10, 10, 10, 14}, {10, 12, 0.5, 19.5}, {0.5, 19.5, 0.5, 26.5}},
       "cr 0 20 0 10 \"", "\x82\x71\x82\x53", 1, 90, true},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TDimensionInput in = Input();
    in.Kind = c.kind;
    in.Centre = c.centre;
    in.Radius = c.r;
    in.Points[1] = {true, c.picked.X, c.picked.Y, TJwwPickKind::Ci};
    in.Points[4] = {true, c.text.X, c.text.Y, TJwwPickKind::Plain};
    in.Scale = c.scale;
    in.AxisAngle = c.axis;
    in.Value.FullWidth = c.fullWidth;
    ASSERT_EQ(CheckDimension(in, JwwState()), TRefusal::None);
    const std::vector<std::string> slots = Construct(in);
    const auto text = std::find(slots.begin(), slots.end(), c.textSlot);
    ASSERT_NE(text, slots.end()) << ::testing::PrintToString(slots);
    EXPECT_EQ(*(text + 1), c.value);
    const std::vector<std::vector<double>> lines = LineSlots(slots);
    // The markers of the picked-at-the-centre case are not listed: only its first lines are.
    if (c.lines.size() > 3) {
      ASSERT_EQ(lines.size(), c.lines.size());
    }
    for (std::size_t i = 0; i < c.lines.size(); ++i) ExpectLine(lines[i], c.lines[i]);
    EXPECT_EQ(MeasureRound(in), c.kind == TKind::Diameter ? 2 * c.r : c.r);
  }
  // Combined: the dimension line and the value as one message entity, as the linear kind does.
  TDimensionInput in = Input();
  in.Kind = TKind::Diameter;
  in.Centre = {0, 0};
  in.Radius = 10;
  in.Points[1] = {true, 10, 0, TJwwPickKind::Ci};
  in.Combined = true;
  const std::vector<std::string> slots = Construct(in);
  EXPECT_NE(std::find(slots.begin(), slots.end(), "msg"), slots.end());
}

namespace {

// The numbers of the first slot that starts with `keyword` and a blank.
std::vector<double> SlotNumbers(const std::vector<std::string>& slots, const std::string& keyword) {
  for (const std::string& s : slots)
    if (s.starts_with(keyword + " ")) return Numbers(s);
  return {};
}

double Cross(TPointD a, TPointD b) { return a.X * b.Y - a.Y * b.X; }

}  // namespace

// The circle or arc a kind picked, read from the host's lines: a circular arc's angles are measured
// from its tilt (the host's door swings), a whole circle has none, an entity of another pick or one
// that held no number is not taken.
TEST(PickedEntities, ArcsAsTheHostMeansThem) {
  const struct {
    const char* name;
    TKind kind;
    std::string entity;  // after "hhp1ci" unless it names its own pick
    TRefusal refusal;
    double start = 0, end = 0;
    bool whole = false;
    uint64_t nonNumeric = 0;  // the reader's bits of picks that held no number
  } cases[] = {
      {"a door swing of a real plan", TKind::ArcLength,
       "ci -3656.34336825142 -3257.26145046476 699.999989690007 285.029296875 15.029296875 1 74.9706878662109",
       TRefusal::None, 0, 90},
      {"another door swing", TKind::ArcLength, "ci 0 0 700 59.77 149.77 1 120.23", TRefusal::None, 180, 270},
      {"tilt 0", TKind::ArcLength, "ci 0 0 5 10 80 1 0", TRefusal::None, 10, 80},
      {"tilt 90", TKind::ArcLength, "ci 0 0 5 10 80 1 90", TRefusal::None, 100, 170},
      {"tilt 180", TKind::ArcLength, "ci 0 0 5 10 80 1 180", TRefusal::None, 190, 260},
      {"tilt 270 across 0", TKind::ArcLength, "ci 0 0 5 10 80 1 270", TRefusal::None, 280, 350},
      {"an odd tilt", TKind::ArcLength, "ci 0 0 5 300 20 1 33.5", TRefusal::None, 333.5, 53.5},
      {"a tilted ellipse is refused", TKind::ArcLength, "ci 0 0 5 10 80 0.5 30", TRefusal::Ellipse},
      {"a whole circle has no length", TKind::ArcLength, "ci 0 0 5", TRefusal::NoArc},
      {"an arc whose ends meet, tilted", TKind::ArcLength, "ci 0 0 5 40 400 1 25", TRefusal::NoArc},
      {"only another pick's arc", TKind::ArcLength, "hhp2ci\r\nci 0 0 5 10 80 1 0", TRefusal::NoArc},
      {"radius of a tilted arc", TKind::Radius, "ci 0 0 5 10 80 1 90", TRefusal::None, 100, 170},
      {"radius of a circle", TKind::Radius, "ci 0 0 5", TRefusal::None, 0, 0, true},
      {"diameter of an arc all round", TKind::Diameter, "ci 0 0 5 30 390 1 0", TRefusal::None, 30, 30, true},
      {"only another pick's circle", TKind::Diameter, "hhp2ci\r\nci 0 0 5", TRefusal::NoCircle},
      {"a circle that held no number", TKind::Radius, "ci 0 0 5", TRefusal::MissingPoint, 0, 0, true, 2},
      {"an arc that held no number", TKind::ArcLength, "ci 0 0 5 10 80 1 0", TRefusal::MissingPoint, 0, 0,
       false, 2},
      {"another pick held no number", TKind::Radius, "ci 0 0 5", TRefusal::None, 0, 0, true, 4},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    JwwState host;
    JwwInit(host);
    const bool ownPick = c.entity.starts_with("hhp");
    JwwReadBuffer(host, "hq\r\nhp1ci 5 0\r\nhp2 50 50\r\nhp3 60 60\r\n" +
                            std::string(ownPick ? "" : "hhp1ci\r\n") + c.entity + "\r\n");
    host.NonNumericPicks = c.nonNumeric;
    TDimensionInput in = Input();
    in.Kind = c.kind;
    ASSERT_EQ(KindEntry(c.kind).MakePoints(host, std::nullopt, in), c.refusal);
    if (c.refusal != TRefusal::None) continue;
    EXPECT_EQ(in.WholeCircle, c.whole);
    if (c.whole) continue;
    // Degrees apart, either way round: the host's angles are single precision.
    const auto apart = [](double a, double b) { return std::fabs(std::remainder(a - b, 360.0)); };
    EXPECT_LT(apart(in.ArcStart, c.start), 1e-4) << in.ArcStart;
    EXPECT_LT(apart(in.ArcEnd, c.end), 1e-4) << in.ArcEnd;
  }
  // The door swing's arc length is drawn on its own quarter: the dimension arc's middle at 45°.
  TShownForm s(
      "hq\r\nhk 0\r\nhs 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1\r\nhp1ci -3161 -3752\r\n"
      "hp2 -3090.65 -2691.6\r\nhp3 -2000 -2000\r\nlg0\r\nly0\r\nlc1\r\nlt1\r\nlw0\r\ncn1\r\nhhp1ci\r\n"
      "ci -3656.34336825142 -3257.26145046476 699.999989690007 285.029296875 15.029296875 1 "
      "74.9706878662109\r\n");
  JwwState out;
  const TDimensionInput in = [&] {
    TForm1 form(s.dir.path(), nullptr, TDimensionMode{TKind::ArcLength});
    form.FormShow();
    form.ComboBox3.ItemIndex = 1;
    std::string focus;
    return ReadInputs(form, focus);
  }();
  ASSERT_EQ(CheckDimension(in, JwwState()), TRefusal::None);
  const std::vector<double> arc = SlotNumbers(Construct(in), "ci");
  ASSERT_EQ(arc.size(), 7u);
  const double middle = arc[3] + std::fmod(arc[4] - arc[3] + 360.0, 360.0) / 2.0;
  EXPECT_NEAR(std::fmod(middle, 360.0), 45.0, 1e-4);
  EXPECT_EQ(arc[6], 0);  // written with absolute angles
}

// The diameter of an arc that does not reach the far side runs from the arc through the centre and
// Edit6 past it, with one marker at the arc; one that does is drawn whole. A radius whose marker
// reaches exactly r fits, however the recomputed length rounds.
TEST(RoundKinds, PartialDiametersAndExactFits) {
  const struct {
    const char* name;
    double start, end;  // the arc, degrees
    TPointD picked;
    bool farEnd;
  } cases[] = {
      {"an upper arc picked at its top", 30, 150, {5000, 800}, false},
      {"three quarters picked where the far side is on it", 0, 270, {5000 + 565.685, 565.685}, true},
      {"the far side exactly at the arc's end", 0, 180, {5800, 0}, true},
      {"the far side just past the arc's end", 0, 179.999, {5800, 0}, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TDimensionInput in = Input();
    in.Kind = TKind::Diameter;
    in.Centre = {5000, 0};
    in.Radius = 800;
    in.WholeCircle = false;
    in.ArcStart = c.start;
    in.ArcEnd = c.end;
    in.Points[1] = {true, c.picked.X, c.picked.Y, TJwwPickKind::Ci};
    in.Points[4] = {true, 6000, 1000, TJwwPickKind::Plain};
    in.Overhang = 3;
    EXPECT_EQ(DiameterHasFarEnd(in), c.farEnd);
    ASSERT_EQ(CheckDimension(in, JwwState()), TRefusal::None);
    const std::vector<std::vector<double>> lines = LineSlots(Construct(in));
    ASSERT_FALSE(lines.empty());
    const double d = std::hypot(c.picked.X - 5000, c.picked.Y);
    const TPointD u{(c.picked.X - 5000) / d, c.picked.Y / d};
    const double back = c.farEnd ? 800 : 3;
    ExpectLine(lines[0], {5000 - back * u.X, -back * u.Y, 5000 + 800 * u.X, 800 * u.Y}, 1e-3);
    // Dimension line, leader, base line, and two arrow lines per marker.
    EXPECT_EQ(lines.size(), 3u + (c.farEnd ? 4 : 2));
    EXPECT_EQ(DimensionValueText(in), SjisText("φ1600"));
  }
  // Marker 7 at factor 0.5 and scale 20 reaches 12.5, a radius of 12.5 exactly; at 37° the
  // recomputed length is not 12.5 to the last bit.
  TDimensionInput in = Input();
  in.Kind = TKind::Radius;
  in.Centre = {0, 0};
  in.Radius = 12.5;
  in.EndMarker = 7;
  in.MarkerFactor = 0.5;
  in.Scale = 20;
  for (double deg : {37.0, 61.0, 113.0, 200.0, 331.0}) {
    in.Points[1] = {true, 30 * std::cos(deg * kPi / 180), 30 * std::sin(deg * kPi / 180), TJwwPickKind::Ci};
    const std::vector<double> marker = SlotNumbers(Construct(in), "pt");
    ASSERT_EQ(marker.size(), 5u);
    EXPECT_NEAR(marker[3], deg, 1e-9) << "the marker points outwards, not turned about";
    EXPECT_EQ(LineSlots(Construct(in)).size(), 3u) << "no overshoot line";
  }
}

// ---- Arc length and angle ------------------------------------------------------------------------------

// The arc length of arcs on both sides of a right angle and across 0°: the dimension arc is
// concentric, outside the arc through the picked point; the extension lines run along the
// bisector up to 90° and from the centre beyond; the value is ⌒ and r times the span.
TEST(ArcKinds, ArcLength) {
  const TPointD c{10, 20};
  const double r = 50, bigR = 80;
  const struct {
    double start, end;
    bool radial;
  } cases[] = {{10, 70, false}, {0, 90, false},  {300, 30, false},
               {0, 90.5, true}, {30, 200, true}, {350, 100, true}};
  for (const auto& k : cases) {
    SCOPED_TRACE(std::to_string(k.start) + " to " + std::to_string(k.end));
    TDimensionInput in = Input();
    in.Kind = TKind::ArcLength;
    in.Centre = c;
    in.Radius = r;
    in.ArcStart = k.start;
    in.ArcEnd = k.end;
    const double span = std::fmod(k.end - k.start + 360.0, 360.0);
    const double mid = (k.start + span / 2) * kPi / 180;
    in.Points[3] = {true, c.X + bigR * std::cos(mid), c.Y + bigR * std::sin(mid), TJwwPickKind::Plain};
    in.Points[4] = {true, 300, 300, TJwwPickKind::Plain};
    ASSERT_EQ(CheckDimension(in, JwwState()), TRefusal::None);
    const std::vector<std::string> slots = Construct(in);
    const std::vector<double> arc = SlotNumbers(slots, "ci");
    ASSERT_EQ(arc.size(), 7u);
    EXPECT_NEAR(arc[0], c.X, 1e-9);
    EXPECT_NEAR(arc[1], c.Y, 1e-9);
    EXPECT_NEAR(arc[2], bigR, 1e-9);
    EXPECT_EQ(arc[5], 1);
    EXPECT_EQ(arc[6], 0);
    if (k.radial) {
      EXPECT_NEAR(arc[3], k.start, 1e-9);
      EXPECT_NEAR(arc[4], k.end, 1e-9);
    }
    const std::vector<std::vector<double>> lines = LineSlots(slots);
    ASSERT_GE(lines.size(), 2u);
    const TPointD bisector{std::cos(mid), std::sin(mid)};
    for (std::size_t i = 0; i < 2; ++i) {
      const TPointD from{lines[i][0], lines[i][1]}, to{lines[i][2], lines[i][3]};
      const TPointD along{to.X - from.X, to.Y - from.Y};
      const double ends[2] = {k.start, k.end};
      const double a = ends[i] * kPi / 180;
      const TPointD e{c.X + r * std::cos(a), c.Y + r * std::sin(a)};
      // From Edit5 (2) off the arc's end to Edit6 (2) past the dimension arc.
      EXPECT_NEAR(std::hypot(from.X - e.X, from.Y - e.Y), 2, 1e-9);
      const TPointD dir = k.radial ? TPointD{std::cos(a), std::sin(a)} : bisector;
      EXPECT_NEAR(Cross(along, dir), 0, 1e-9);
      EXPECT_GT(along.X * dir.X + along.Y * dir.Y, 0);
      EXPECT_NEAR(std::hypot(to.X - 2 * dir.X - c.X, to.Y - 2 * dir.Y - c.Y), bigR, 1e-9);
    }
    EXPECT_EQ(lines.size(), 2u + 2 + 4);  // extension lines, leader and base line, two arrows
    EXPECT_NEAR((TDimensionArc{c, r, k.start, k.end, {}}.Span()), span, 1e-9);
    TValueSettings v = in.Value;
    v.Symbol = SjisText("⌒");
    EXPECT_EQ(DimensionValueText(in), BuildValueText(r * span * kPi / 180, v));
    EXPECT_NE(std::find(slots.begin(), slots.end(), DimensionValueText(in)), slots.end());
  }
}

// The angle between two lines in each of the four sectors they make, whichever way round each was
// written: the dimension arc runs round the crossing through the picked point, from one ray to
// the other; a line that stops short of the arc gets an extension line along its ray.
TEST(ArcKinds, AngleInEachSector) {
  const TPointD o{100, 100};
  const double t = 60 * kPi / 180;
  const struct {
    double pick;  // direction of the picked point from the crossing, degrees
    double start, end;
  } sectors[] = {{30, 0, 60}, {120, 60, 180}, {210, 180, 240}, {300, 240, 360}};
  for (bool reversed : {false, true}) {
    for (const auto& s : sectors) {
      SCOPED_TRACE(std::to_string(s.pick) + (reversed ? " reversed" : ""));
      TDimensionInput in = Input();
      in.Kind = TKind::Angle;
      // Line 1 along 0 degrees from 110 to 130; line 2 along 60 degrees through the crossing.
      const TPointD a1{110, 100}, a2{130, 100}, b1{o.X - 40 * std::cos(t), o.Y - 40 * std::sin(t)},
          b2{o.X + 40 * std::cos(t), o.Y + 40 * std::sin(t)};
      in.LineEnds =
          reversed ? std::array<TPointD, 4>{a2, a1, b2, b1} : std::array<TPointD, 4>{a1, a2, b1, b2};
      const double p = s.pick * kPi / 180;
      in.Points[3] = {true, o.X + 25 * std::cos(p), o.Y + 25 * std::sin(p), TJwwPickKind::Plain};
      in.Points[4] = {true, 0, 0, TJwwPickKind::Plain};
      ASSERT_EQ(CheckDimension(in, JwwState()), TRefusal::None);
      TDimensionArc arc;
      ASSERT_TRUE(AngleArc(in, arc));
      EXPECT_NEAR(arc.Centre.X, o.X, 1e-9);
      EXPECT_NEAR(arc.Centre.Y, o.Y, 1e-9);
      EXPECT_NEAR(arc.Radius, 25, 1e-9);
      EXPECT_NEAR(arc.Start, s.start, 1e-9);
      EXPECT_NEAR(std::fmod(arc.End, 360), std::fmod(s.end, 360), 1e-9);
      EXPECT_NEAR(MeasureAngle(in), s.end - s.start, 1e-9);
      // Line 1 runs from 10 to 30 beyond the crossing: along 0 degrees it reaches past the arc
      // (25), along 180 it does not reach at all; line 2 reaches 40 both ways.
      const bool extends = s.start == 180 || s.end == 180;
      ASSERT_EQ(arc.Extensions.size(), extends ? 1u : 0u);
      if (extends) {
        // From Edit5 (2) past the line's nearer end (-10 along 180 degrees) to Edit6 (2) past the arc.
        EXPECT_NEAR(arc.Extensions[0][0].X, o.X + 10 - 2, 1e-9);
        EXPECT_NEAR(arc.Extensions[0][1].X, o.X - 27, 1e-9);
      }
      const std::vector<std::string> slots = Construct(in);
      const std::string value = FormatFixed(0, s.end - s.start) + SjisText("°");
      EXPECT_NE(std::find(slots.begin(), slots.end(), value), slots.end()) << ::testing::PrintToString(slots);
      EXPECT_EQ(SlotNumbers(slots, "ci").size(), 7u);
      EXPECT_EQ(SlotNumbers(slots, "cp").size(), 4u);  // the angle's text keyword
    }
  }
  // A span runs counter-clockwise, in (0, 360]: ends that meet go all the way round.
  EXPECT_EQ((TDimensionArc{o, 5, 40, 40, {}}.Span()), 360);
  EXPECT_EQ((TDimensionArc{o, 5, 350, 10, {}}.Span()), 20);
  // No unit and no thousands for degrees, whatever the dialog says; full width as asked.
  TDimensionInput in = Input();
  in.Kind = TKind::Angle;
  in.LineEnds = {{{0, 0}, {10, 0}, {0, 0}, {0, 10}}};
  in.Points[3] = {true, 5, 5, TJwwPickKind::Plain};
  in.Value.Unit = 1;
  in.Value.WithUnit = true;
  in.Value.Grouped = true;
  in.Value.FullWidth = true;
  EXPECT_EQ(DimensionValueText(in), SjisText("９０°"));
}

// A point of the dimension arc snapped onto a line lies on a ray: the sector is the one between that
// ray and the other line's ray on the side where that line was picked, whatever the rounding. Every
// line that does not reach the arc gets an extension line along its ray, towards the arc from short
// of it and from beyond it alike; a line that ends exactly at the arc needs none.
TEST(ArcKinds, AngleSnappedOntoALineAndLinesApartFromTheArc) {
  const TPointD end2{1732.0508075689, 1000};
  const struct {
    const char* name;
    std::array<TPointD, 4> lines;
    TPointD pick1, pick2, through;
    double angle;
    std::vector<std::array<double, 2>> extensions;  // distances from the crossing along the ray: from, to
  } cases[] = {
      {"at the end of line 2", {{{0, 0}, {2000, 0}, {0, 0}, end2}}, {1000, 0}, {866, 500}, end2, 30, {}},
      {"at the end of line 1", {{{0, 0}, {2000, 0}, {0, 0}, end2}}, {1000, 0}, {866, 500}, {2000, 0}, 30, {}},
      {"line 1 written the other way",
       {{{2000, 0}, {0, 0}, end2, {0, 0}}},
       {1000, 0},
       {866, 500},
       end2,
       30,
       {}},
      {"line 1 picked on the other side of the crossing",
       {{{-2000, 0}, {2000, 0}, {0, 0}, end2}},
       {-1000, 0},
       {866, 500},
       end2,
       150,
       {}},
      {"a snapped point past the crossing",
       {{{-2000, 0}, {2000, 0}, {0, 0}, end2}},
       {1000, 0},
       {866, 500},
       {-500, 0},
       150,
       {}},
      {"both lines start beyond the arc",
       {{{-5000, -6500}, {-3500, -6500}, {-5500, -6000}, {-5500, -4500}}},
       {-4000, -6500},
       {-5500, -5000},
       {-5287.867965644, -6287.867965644},
       90,
       {{498, 298}, {498, 298}}},
      {"one line short of the arc",
       {{{0, 0}, {100, 0}, {0, 0}, {0, 500}}},
       {50, 0},
       {0, 250},
       {212.132, 212.132},
       90,
       {{102, 302}}},
      {"a line ending exactly at the arc",
       {{{0, 0}, {300, 0}, {0, 0}, {0, 500}}},
       {50, 0},
       {0, 250},
       {212.13203435596427, 212.13203435596427},
       90,
       {}},
      {"a line starting exactly at the arc",
       {{{300, 0}, {900, 0}, {0, 0}, {0, 500}}},
       {500, 0},
       {0, 250},
       {212.13203435596427, 212.13203435596427},
       90,
       {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TDimensionInput in = Input();
    in.Kind = TKind::Angle;
    in.LineEnds = c.lines;
    in.Points[1] = {true, c.pick1.X, c.pick1.Y, TJwwPickKind::Ln};
    in.Points[2] = {true, c.pick2.X, c.pick2.Y, TJwwPickKind::Ln};
    in.Points[3] = {true, c.through.X, c.through.Y, TJwwPickKind::Plain};
    ASSERT_EQ(CheckDimension(in, JwwState()), TRefusal::None);
    EXPECT_NEAR(MeasureAngle(in), c.angle, 1e-6);
    TDimensionArc arc;
    ASSERT_TRUE(AngleArc(in, arc));
    ASSERT_EQ(arc.Extensions.size(), c.extensions.size());
    for (std::size_t i = 0; i < c.extensions.size(); ++i) {
      const auto& e = arc.Extensions[i];
      EXPECT_NEAR(std::hypot(e[0].X - arc.Centre.X, e[0].Y - arc.Centre.Y), c.extensions[i][0], 1e-3);
      EXPECT_NEAR(std::hypot(e[1].X - arc.Centre.X, e[1].Y - arc.Centre.Y), c.extensions[i][1], 1e-3);
      // Along one of the arc's rays.
      const double along = VectorAngleDeg(e[1].X - arc.Centre.X, e[1].Y - arc.Centre.Y);
      EXPECT_TRUE(std::fabs(std::remainder(along - arc.Start, 360.0)) < 1e-6 ||
                  std::fabs(std::remainder(along - arc.End, 360.0)) < 1e-6)
          << along;
    }
  }
}

// Markers that do not fit along a short dimension arc turn about, each with its overshoot along the
// tangent; they point along the tangent away from the arc when they fit.
TEST(ArcKinds, MarkersAlongTheTangent) {
  for (double bigR : {2.0, 200.0}) {
    TDimensionInput in = Input();
    in.Kind = TKind::ArcLength;
    in.Centre = {0, 0};
    in.Radius = 1;
    in.ArcStart = 40;
    in.ArcEnd = 140;
    in.Points[3] = {true, 0, bigR, TJwwPickKind::Plain};
    in.Points[4] = {true, 50, 50, TJwwPickKind::Plain};
    ASSERT_EQ(CheckDimension(in, JwwState()), TRefusal::None);
    const std::vector<std::vector<double>> lines = LineSlots(Construct(in));
    const bool turned = bigR == 2.0;  // 2 times 100 degrees is 3.5, less than two arrows' 5.8
    ASSERT_EQ(lines.size(), 2u + 2 + 4 + (turned ? 2 : 0));
    // The first marker's end is the dimension arc's start, at 40 degrees: the arrow lines of an
    // outward marker lie on the counter-clockwise side of the radius there, a turned one's on the
    // other; a turned one's overshoot runs along the tangent away from the arc.
    const std::vector<double>& arrow = lines[turned ? 5 : 4];
    const TPointD end{bigR * std::cos(40 * kPi / 180), bigR * std::sin(40 * kPi / 180)};
    EXPECT_NEAR(arrow[0], end.X, 1e-9);
    EXPECT_NEAR(arrow[1], end.Y, 1e-9);
    EXPECT_EQ(Cross(end, {arrow[2] - end.X, arrow[3] - end.Y}) > 0, !turned);
    if (turned) {
      const std::vector<double>& overshoot = lines[4];
      EXPECT_NEAR(overshoot[0], end.X, 1e-9);
      EXPECT_NEAR(Cross(end, {overshoot[2] - end.X, overshoot[3] - end.Y}), -2 * bigR, 1e-9);
    }
  }
}

// ---- The value of a drawn dimension and its dimension line -------------------------------------------

namespace {

// A range selection as the host writes it: the header, its current attributes, the selected
// entities each after the state lines it changes (#zz: z3 on dimension parts). Text type 1 is the
// host's default, 3 wide and high without spacing, so "100" runs 4.5 paper mm and stands 3 high.
std::string Selection(const std::string& entities, int scale = 1) {
  std::string hs = "hs";
  for (int i = 0; i < 16; ++i) hs += " " + std::to_string(scale);
  return "hq\r\nhk 0\r\n" + hs +
         "\r\nhn -10000 -10000 10000 10000\r\nhp1 500 500\r\nlg0\r\nly1\r\nlc2\r\nlt1\r\nlw0\r\n" +
         "cn1\r\ncn\"$<\x82\x6c\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4e>\r\n" + entities;
}

// Every line as this command draws it: marked z3.
std::string Z3(std::initializer_list<const char*> lines) {
  std::string s;
  for (const char* l : lines) s += std::string("z3\r\n") + l + "\r\n";
  return s;
}

}  // namespace

// Which entity of a selection is the value, which its dimension line (positions in the host's
// order, worked out by hand), where the moved value's leader would start, and each refusal.
TEST(MovedValue, ValueAndDimensionLineOfASelection) {
  const std::string arrows =
      Z3({"50 0 49.2235428646924 2.89777747886721", "50 0 50.7764571353076 2.8977774788672",
          "50 100 50.7764571353076 97.1022225211328", "50 100 49.2235428646924 97.1022225211328"});
  struct Case {
    const char* name;
    std::string selection;
    const char* message;                                    // the refusal's (UTF-8), or nullptr
    int value = -1, line = -1, baseLine = -1, leader = -1;  // positions in the host's order; -1 none
    TPointD leaderStart{};
  };
  const Case cases[] = {
      // The text's middle (750, 125) at 1/50: 4 characters of 1.5 and 3 high, times 50. The
      // extension lines run from the dimension line's ends to a wall of another layer and colour:
      // square to it, they lead nowhere.
      {"the host's dimension: a line marked z3 and its value above the middle",
       Selection(Z3({"0 0 1500 0", "0 0 0 -290", "1500 0 1500 -290"}) +
                     "ly3\r\nlc5\r\n0 -290 1500 -290\r\nly1\r\n" + Z3({"cs 600 50 10 0 \"1500"}),
                 50),
       nullptr,
       4,
       0,
       -1,
       -1,
       {750, 0}},
      // The base line (5) runs nearest to the text; its leader comes from the middle of 2. A line of
      // another layer and colour (10) runs nearer than 2.
      {"this command's dimension: extension lines, base line, leader and markers",
       Selection(Z3({"2 0 52 0", "2 100 52 100", "50 0 50 100", "cs 80 40 0 10 \"100", "50 50 80.5 45",
                     "80.5 39.5 80.5 45"}) +
                 arrows + "ly3\r\nlc5\r\n90 0 90 100\r\n"),
       nullptr,
       3,
       2,
       5,
       4,
       {50, 50}},
      {"a leader square to its base line, which underlines the text",
       Selection(Z3({"50 0 50 100", "cs 80 50.5 0 10 \"100", "50 50 80.5 50", "80.5 50 80.5 55.5"})),
       nullptr,
       1,
       0,
       3,
       2,
       {50, 50}},
      {"this command's radius, with the picked circle",
       Selection("ci 100 50 20\r\n" + Z3({"100 50 120 50", "cr 140 80 10 0 \"R20", "110 50 139.5 79.5",
                                          "139.5 79.5 145 79.5", "120 50 117.102222521133 49.2235428646924",
                                          "120 50 117.102222521133 50.7764571353076"})),
       nullptr,
       2,
       1,
       4,
       3,
       {110, 50}},
      // The leader's arc (2), though another (10) runs nearer to the text.
      {"this command's angle: the arc its leader comes from",
       Selection("110 100 130 100\r\n80 65.3589838486225 120 134.641016151378\r\n" +
                 Z3({"ci 99.9999999999998 100 25.0000000000002 0 60 1 0",
                     "cp 150 150 5 -8.66025403784439 \"60\x81\x8b",
                     "121.650635094611 112.5 152.816987298108 144.120834875401",
                     "149.316987298108 150.183012701892 152.816987298108 144.120834875401",
                     "125 100 124.223542864692 102.897777478867", "125 100 125.776457135308 102.897777478867",
                     "112.5 121.650635094611 115.397777478867 120.874177959304",
                     "112.5 121.650635094611 114.62132034356 119.529314751051"}) +
                 "ly3\r\nlc5\r\nci 100 100 60 0 90 1 0\r\n"),
       nullptr,
       3,
       2,
       5,
       4,
       {121.650635094611, 112.5}},
      // A value read along an arc whatever its keyword: the arc the leader comes from, though the
      // leader and base line are the only lines.
      {"this command's arc length: the arc its leader comes from",
       Selection("ci 0 0 50 0 90 1 0\r\n" +
                 Z3({"ci 0 0 84.8528137423857 20.3756816478 69.6243183522 1 0",
                     "cs 80 90 7.07106781186548 -7.07106781186548 \"\x81\xdc"
                     "78.54",
                     "60 60 79.2928932188134 90", "79.2928932188134 90 84.9497474683058 84.3431457505076"})),
       nullptr,
       2,
       1,
       4,
       3,
       {60, 60}},
      // Middle (38.18, 36.94), 53.13 from the centre: 3.13 from the arc of 50 (from 300 + 60 to
      // 30 + 60 degrees), 16.87 from that of 70; an ellipse is no dimension arc, however near.
      {"the host's angle: the nearest circular arc",
       Selection("ci 0 0 53 0 90 0.5 0\r\nly3\r\nci 0 0 70 0 90 1 0\r\nly1\r\n" +
                 Z3({"ci 0 0 50 300 30 1 60", "cp 35 38 7.07106781186548 -7.07106781186548 \"90\x81\x8b"})),
       nullptr,
       3,
       2,
       -1,
       -1,
       {35.9352632983235, 34.7657425014937}},
      {"a dimension entity: its own line, though another runs nearer",
       Selection("z3\r\nmsg\r\n0 0 100 0\r\ncs 40 1 10 0 \"100\r\n30 2 70 2\r\n"),
       nullptr,
       0,
       0,
       -1,
       -1,
       {42.25, 0}},
      {"this command's dimension entity, its base line and leader beside it",
       Selection("msg\r\n50 0 50 100\r\ncs 80 40 0 10 \"100\r\n" +
                 Z3({"50 50 80.5 45", "80.5 39.5 80.5 45"})),
       nullptr,
       0,
       0,
       2,
       1,
       {50, 50}},
      {"a chain: the segment under the value, not the one on the same line before it",
       Selection(Z3({"0 0 100 0", "100 0 200 0", "cs 130 1 10 0 \"100"})),
       nullptr,
       2,
       1,
       -1,
       -1,
       {132.25, 0}},
      {"parallel within the rounding of the digits written",
       Selection(
           "cs 0 0 0.707106781186548 0.707106781186547 \"50\r\n0 -1 70.7106781186548 69.7106781186547\r\n"),
       nullptr,
       0,
       1,
       -1,
       -1,
       {1.56066017177982, 0.560660171779821}},
      {"a line a thousandth off level is no dimension line",
       Selection("cs 0 1 10 0 \"5\r\n0 0 1000 0.001\r\n"), kMessageNoDimensionLine},
      {"lines across the value only", Selection("cs 40 1 10 0 \"100\r\n0 0 0 10\r\n100 0 100 10\r\n"),
       kMessageNoDimensionLine},
      {"an angle without an arc", Selection("0 0 100 0\r\ncp 40 1 10 0 \"30\x81\x8b\r\n"),
       kMessageNoDimensionLine},
      {"an angle by an ellipse", Selection("ci 0 0 50 0 90 0.5 0\r\ncp 35 38 7 -7 \"90\x81\x8b\r\n"),
       kMessageNoDimensionLine},
      {"texts of other keywords are no values",
       Selection(
           "0 0 100 0\r\nch 40 1 10 0 \"100\r\ncv 0 0 0 10 \"1\r\nck 0 5 10 0 \"k\r\nc2 0 5 10 0 \"2\r\n"),
       kMessageNoValue},
      {"nothing selected", Selection(""), kMessageNoValue},
      {"two values", Selection("0 0 100 0\r\ncs 40 1 10 0 \"100\r\nct 40 11 10 0 \"100\r\n"),
       kMessageManyValues},
      {"a value and a dimension entity",
       Selection("co 40 1 10 0 \"100\r\nmsg\r\n0 0 100 0\r\ncs 40 1 10 0 \"100\r\n"), kMessageManyValues},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    JwwState host;
    JwwReadBuffer(host, c.selection);
    const TMovedValue v = FindMovedValue(host);
    EXPECT_EQ(MovedValueMessage(v.Refusal), c.message ? SjisText(c.message) : "");
    if (c.message) continue;
    ASSERT_EQ(v.Refusal, TMovedValueRefusal::None);
    const auto same = [&](std::optional<TJwwOrderItem> got, int position) {
      if (position < 0) return !got.has_value();
      const TJwwOrderItem want = host.EntityOrder[position];
      return got && got->Kind == want.Kind && got->Index == want.Index;
    };
    EXPECT_TRUE(same(v.Value, c.value));
    EXPECT_TRUE(same(v.Line, c.line));
    EXPECT_TRUE(same(v.BaseLine, c.baseLine));
    EXPECT_TRUE(same(v.Leader, c.leader));
    const TPointD start = LeaderStart(host, v);
    EXPECT_NEAR(start.X, c.leaderStart.X, 1e-9);
    EXPECT_NEAR(start.Y, c.leaderStart.Y, 1e-9);
  }
}

// ---- A row: the fence's measured points and the places of its values -------------------------------

namespace {

// The frame of a row of `direction` whose fence runs from f1 to f2, at axis angle `axis`.
TFrameTurn RowTurn(TDirection direction, TPointD f1, TPointD f2, double axis = 0) {
  TDimensionInput in;
  in.Direction = direction;
  in.AxisAngle = axis;
  in.Points[1] = {true, f1.X, f1.Y, TJwwPickKind::Plain};
  in.Points[2] = {true, f2.X, f2.Y, TJwwPickKind::Plain};
  return FrameTurn(in);
}

}  // namespace

// Which lines a fence measures, and in which order.
TEST(Fence, MeasuredPoints) {
  const TFence across{{0, 0}, {100, 0}, {50, 30}};  // a horizontal row's fence along x
  struct TCase {
    const char* what;
    std::string lines;
    std::vector<TPointD> points;  // empty: too few lines
  };
  const std::vector<TCase> cases = {
      {"sorted along the row", "70 -5 70 5\n10 5 10 -5\n40 -5 40 5\n", {{10, 0}, {40, 0}, {70, 0}}},
      {"slanted lines: where they cross", "0 -10 20 10\n60 10 80 -10\n", {{10, 0}, {70, 0}}},
      {"a line ending on the fence", "25 0 25 -50\n50 -5 50 5\n", {{25, 0}, {50, 0}}},
      {"one ending short of it", "25 -0.001 25 -50\n50 -5 50 5\n", {}},
      {"touching within the tolerance", "25 1e-11 25 50\n50 -5 50 5\n", {{25, 1e-11}, {50, 0}}},
      {"touching beyond it", "25 1e-9 25 50\n50 -5 50 5\n", {}},
      {"the fence's ends count", "0 -5 0 5\n100 -5 100 5\n", {{0, 0}, {100, 0}}},
      {"past its end", "0 -5 0 5\n100.001 -5 100.001 5\n", {}},
      {"along the fence", "20 0 60 0\n30 -5 30 5\n50 -5 50 5\n", {{30, 0}, {50, 0}}},
      {"along it within the tolerance", "20 1e-11 60 -1e-11\n30 -5 30 5\n50 -5 50 5\n", {{30, 0}, {50, 0}}},
      {"a point on it", "20 0 20 0\n30 -5 30 5\n50 -5 50 5\n", {{30, 0}, {50, 0}}},
      {"a dimension's line (z3)", "z3\n30 -5 30 5\n50 -5 50 5\n", {}},
      {"z3 marks one line only", "z3\n30 -5 30 5\n50 -5 50 5\n60 -5 60 5\n", {{50, 0}, {60, 0}}},
      {"a dimension entity's line", "msg\n30 -5 30 5\ncs 30 0 1 0 \"10\n50 -5 50 5\n", {}},
      {"one position twice", "40 -5 40 5\n40 5 40 -5\n39 -1 41 1\n", {}},
  };
  for (const TCase& c : cases) {
    JwwState host;
    JwwReadBuffer(host, "hq\nhk 0\n" + c.lines);
    const TFenceCrossings r =
        FenceCrossings(host, across, RowTurn(TDirection::Horizontal, across.Start, across.End));
    EXPECT_EQ(r.Refusal, c.points.empty() ? TRefusal::TooFewLines : TRefusal::None) << c.what;
    ASSERT_EQ(r.Points.size(), c.points.size()) << c.what;
    for (std::size_t i = 0; i < c.points.size(); ++i) {
      EXPECT_NEAR(r.Points[i].X, c.points[i].X, 1e-12) << c.what << " point " << i;
      EXPECT_NEAR(r.Points[i].Y, c.points[i].Y, 1e-12) << c.what << " point " << i;
    }
  }
}

// The measuring direction of each kind of row; a fence of no length, or of no numbers, is a
// missing point; a line whose numbers overflow is passed over.
TEST(Fence, DirectionsAndRefusals) {
  JwwState host;
  JwwReadBuffer(host, "hq\nhk 0\n-5 70 5 70\n-5 20 5 20\n");
  // Vertical at axis 0: measured along y, from the lower one up.
  const TFence upright{{0, 100}, {0, 0}, {30, 50}};
  TFenceCrossings r =
      FenceCrossings(host, upright, RowTurn(TDirection::Vertical, upright.Start, upright.End));
  ASSERT_EQ(r.Points.size(), 2u);
  EXPECT_EQ(r.Points[0].Y, 20);
  EXPECT_EQ(r.Points[1].Y, 70);
  // A horizontal row measures along x: both lines cross this fence at x = 0, so they are one.
  r = FenceCrossings(host, upright, RowTurn(TDirection::Horizontal, upright.Start, upright.End));
  EXPECT_EQ(r.Refusal, TRefusal::TooFewLines);
  // Aligned: along the fence, from its start, whichever way it runs.
  JwwState slanted;
  JwwReadBuffer(slanted, "hq\nhk 0\n24 32 24 40\n6 8 6 0\n");
  const TFence diagonal{{30, 40}, {0, 0}, {0, 10}};
  r = FenceCrossings(slanted, diagonal, RowTurn(TDirection::Aligned, diagonal.Start, diagonal.End));
  ASSERT_EQ(r.Points.size(), 2u);
  EXPECT_NEAR(r.Points[0].X, 24, 1e-12);  // nearer the fence's start
  EXPECT_NEAR(r.Points[1].X, 6, 1e-12);

  // Positions equal within the tolerance (1e-10) are one: of the crossings of this steep fence at
  // y 10 and 20 the one nearer the dimension line (y = 25) is kept; y 90 lies 2.4e-10 further on.
  JwwState steep;
  JwwReadBuffer(steep, "hq\nhk 0\n-5 10 5 10\n-5 20 5 20\n-5 90 5 90\n");
  const TFence almostPlumb{{0, 0}, {3e-10, 100}, {50, 25}};
  r = FenceCrossings(steep, almostPlumb, RowTurn(TDirection::Horizontal, almostPlumb.Start, almostPlumb.End));
  ASSERT_EQ(r.Points.size(), 2u);
  EXPECT_EQ(r.Points[0].Y, 20);
  EXPECT_EQ(r.Points[1].Y, 90);

  for (const TFence bad : {TFence{{5, 5}, {5, 5}, {0, 0}}, TFence{{5, 5}, {5 + 1e-11, 5}, {0, 0}},
                           TFence{{std::nan(""), 0}, {5, 5}, {0, 0}}}) {
    r = FenceCrossings(host, bad, RowTurn(TDirection::Vertical, bad.Start, bad.End));
    EXPECT_EQ(r.Refusal, TRefusal::MissingPoint);
    EXPECT_TRUE(r.Points.empty());
  }
  EXPECT_EQ(RefusalMessage(TRefusal::TooFewLines), SjisText("寸法を記入する線が２本以上ありません"));

  // Records whose numbers are not finite (the reader never makes them; a future one might).
  JwwState odd;
  JwwReadBuffer(odd, "hq\nhk 0\n-5 20 5 20\n-5 70 5 70\n");
  const double inf = std::numeric_limits<double>::infinity();
  const uint32_t head = JwwHeadCode(TJwwAttrHead{0, 0, 0, 1, 1, 0, 0});
  odd.Lines.Records().Add() = TJwwRecLine{head, 0, -5, 50, inf, 50};
  odd.Lines.Records().Add() = TJwwRecLine{head, 0, std::nan(""), 40, 5, 40};
  r = FenceCrossings(odd, upright, RowTurn(TDirection::Vertical, upright.Start, upright.End));
  ASSERT_EQ(r.Points.size(), 2u);
  EXPECT_EQ(r.Points[1].Y, 70);
}

// Random fences over random lines: the points lie on the fence, strictly in order, and do not
// depend on the order of the lines.
TEST(Fence, OrderedOnTheFenceWhateverTheLinesOrder) {
  std::mt19937 rng(29);
  std::uniform_real_distribution<double> coord(-100, 100);
  for (int round = 0; round < 100; ++round) {
    const TFence fence{{coord(rng), coord(rng)}, {coord(rng), coord(rng)}, {coord(rng), coord(rng)}};
    const TDirection direction = AllDirections()[static_cast<std::size_t>(round) % 3];
    const TFrameTurn turn = RowTurn(direction, fence.Start, fence.End, round * 7.5);
    std::vector<std::string> lines;
    for (int i = 0; i < 60; ++i) {
      // Some lines share their crossing with another, through a common end on the fence.
      const double t = std::uniform_real_distribution<double>(0, 1)(rng);
      const TPointD on{fence.Start.X + t * (fence.End.X - fence.Start.X),
                       fence.Start.Y + t * (fence.End.Y - fence.Start.Y)};
      std::ostringstream l;
      l.precision(17);
      if (i % 3 == 0) {
        l << on.X << ' ' << on.Y << ' ' << coord(rng) << ' ' << coord(rng) << '\n';
        l << coord(rng) << ' ' << coord(rng) << ' ' << on.X << ' ' << on.Y << '\n';
      } else {
        l << coord(rng) << ' ' << coord(rng) << ' ' << coord(rng) << ' ' << coord(rng) << '\n';
      }
      lines.push_back(l.str());
    }
    TFenceCrossings first;
    for (int shuffle = 0; shuffle < 2; ++shuffle) {
      std::string text = "hq\n";
      for (const std::string& l : lines) text += l;
      JwwState host;
      JwwReadBuffer(host, text);
      const TFenceCrossings r = FenceCrossings(host, fence, turn);
      const TPointD measure = OutOfFrame({0, 1}, {0, 0}, turn);
      const double length = std::hypot(fence.End.X - fence.Start.X, fence.End.Y - fence.Start.Y);
      for (std::size_t i = 0; i < r.Points.size(); ++i) {
        const TPointD p = r.Points[i];
        const double off = ((fence.End.X - fence.Start.X) * (p.Y - fence.Start.Y) -
                            (fence.End.Y - fence.Start.Y) * (p.X - fence.Start.X)) /
                           length;
        EXPECT_LT(std::fabs(off), 1e-9) << "round " << round;
        if (i > 0) {
          const TPointD q = r.Points[i - 1];
          EXPECT_GT((p.X - q.X) * measure.X + (p.Y - q.Y) * measure.Y, 1e-10) << "round " << round;
        }
      }
      if (shuffle == 0) {
        first = r;
        std::shuffle(lines.begin(), lines.end(), rng);
        continue;
      }
      ASSERT_EQ(r.Points.size(), first.Points.size()) << "round " << round;
      for (std::size_t i = 0; i < r.Points.size(); ++i) {
        EXPECT_EQ(r.Points[i].X, first.Points[i].X) << "round " << round;
        EXPECT_EQ(r.Points[i].Y, first.Points[i].Y) << "round " << round;
      }
    }
  }
}

namespace {

// The row of the worked cases: gap 0.5, markers reaching 1 along the line and 0.5 across,
// overhang 2, every value 4 long and 2.5 high; the value fits in a segment of 4 + 2*0.5 + 2*1 = 7.
TRowInput WorkedRow(std::vector<double> ends, bool upAway = true, bool allOut = false) {
  TRowInput in;
  in.Ends = std::move(ends);
  in.Extents.assign(in.Ends.size() - 1, 4.0);
  in.Heights.assign(in.Ends.size() - 1, 2.5);
  in.TextGap = -0.5;  // its size is the clearance
  in.StartReach = in.EndReach = 1.0;
  in.MarkerHalfWidth = 0.5;
  in.Overhang = 2.0;
  in.AllOut = allOut;
  in.UpAway = upAway;
  return in;
}

// A value as the worked cases give it: its row, its box, and (moved) the end of its leader.
struct TWorkedValue {
  int Row;
  double X0, X1, Y0, Y1;
  TPointD LeaderTo{};
};

}  // namespace

// Worked by hand from the rule in RowPlacement.h.
TEST(RowPlacement, WorkedRows) {
  struct TCase {
    const char* what;
    TRowInput in;
    std::vector<TWorkedValue> values;
  };
  // Values on the line stand 0.5 above it, 2.5 high. The first row of moved values: 0.5 beyond
  // the values on the line (top 3.0), so its base line at 3.5 and its values from 4.0 to 6.5.
  const std::vector<TCase> cases = {
      {"all fit, one exactly",
       WorkedRow({0, 10, 20, 27}),
       {{0, 3, 7, 0.5, 3}, {0, 13, 17, 0.5, 3}, {0, 21.5, 25.5, 0.5, 3}}},
      // Centred over its middle 11.5; its base line 9..14 is joined at its start (both ends are
      // 2.5 away). The row needs a height of 2.5 * (3.0 + 0.5) / (1.5 + 1) = 3.5 for the leader to
      // keep clear of the values on the line: what it has anyway.
      {"one narrow segment",
       WorkedRow({0, 10, 13, 23}),
       {{0, 3, 7, 0.5, 3}, {1, 9.5, 13.5, 4, 6.5, {9, 3.5}}, {0, 16, 20, 0.5, 3}}},
      {"one just too narrow", WorkedRow({0, 6.99}), {{1, 1.495, 5.495, 3, 5.5, {0.995, 2.5}}}},
      // Middles 21 and 23 want their texts from 19 and 21, but the footprints (base lines) of
      // 5 need 0.5 between them: 5.5 from start to start, 3.5 more than they have, shared.
      {"a cluster pushed apart by the least amount",
       WorkedRow({0, 20, 22, 24, 44}),
       {{0, 8, 12, 0.5, 3},
        {1, 17.25, 21.25, 4, 6.5, {21.75, 3.5}},
        {1, 22.75, 26.75, 4, 6.5, {22.25, 3.5}},
        {0, 32, 36, 0.5, 3}}},
      // Five segments of 3 (middles 21.5 .. 33.5) in one row would push the outer two by 5, more
      // than their text's 4: the second and fourth stand in a second row, plumb over their
      // middles, on the sides the row pushed them to, their base lines at 3.5 + 2.5 + 2 * 0.5 = 7;
      // the others then sit unpushed between those leaders.
      {"a second row when one row pushes too far",
       WorkedRow({0, 20, 23, 26, 29, 32, 35, 55}),
       {{0, 8, 12, 0.5, 3},
        {1, 19.5, 23.5, 4, 6.5, {19, 3.5}},
        {2, 20, 24, 7.5, 10, {24.5, 7}},
        {1, 25.5, 29.5, 4, 6.5, {25, 3.5}},
        {2, 31, 35, 7.5, 10, {30.5, 7}},
        {1, 31.5, 35.5, 4, 6.5, {31, 3.5}},
        {0, 43, 47, 0.5, 3}}},
      // Five segments of 2.9: the second and fourth would fit in a second row (5.8 apart, 5.5
      // needed) but the third would not fit between their leaders (6 needed), nor would a value
      // of the first row with one in three or four in further rows, so the run stays on
      // the first row, spread by 2.6 a step from the middle one (5.5 - 2.9). Its outer leaders
      // stray 2.7, so the row stands at 2.7 * (3.0 + 0.5) / (1.45 + 1) = 27/7.
      {"a run the second row cannot take",
       WorkedRow({0, 20, 22.9, 25.8, 28.7, 31.6, 34.5, 54.5}),
       {{0, 8, 12, 0.5, 3},
        {1, 14.25, 18.25, 27.0 / 7 + 0.5, 27.0 / 7 + 3, {18.75, 27.0 / 7}},
        {1, 19.75, 23.75, 27.0 / 7 + 0.5, 27.0 / 7 + 3, {24.25, 27.0 / 7}},
        {1, 25.25, 29.25, 27.0 / 7 + 0.5, 27.0 / 7 + 3, {24.75, 27.0 / 7}},
        {1, 30.75, 34.75, 27.0 / 7 + 0.5, 27.0 / 7 + 3, {30.25, 27.0 / 7}},
        {1, 36.25, 40.25, 27.0 / 7 + 0.5, 27.0 / 7 + 3, {35.75, 27.0 / 7}},
        {0, 42.5, 46.5, 0.5, 3}}},
      // Segments of 2, 5, 1.5 and 3 (middles 21, 24.5, 27.75, 30): with every second value in a
      // second row the third would stand between leaders 24.5 and 30 (5.5 apart, 6 needed). With
      // one in three a row further, the second stands plumb in the second row before its middle
      // (the row pushed it back), the third in the third row after its middle, and the fourth
      // starts 0.5 past the third's leader (28.75). The first stays centred; its leader strays 2.5
      // over a half segment of 1, so the first row stands at 2.5 * 3.5 / 2 = 4.375, the others
      // 3.5 apart.
      {"a third row where the second cannot take the run",
       WorkedRow({0, 20, 22, 27, 28.5, 31.5, 51.5}),
       {{0, 8, 12, 0.5, 3},
        {1, 19, 23, 4.875, 7.375, {18.5, 4.375}},
        {2, 20, 24, 8.375, 10.875, {24.5, 7.875}},
        {3, 28.25, 32.25, 11.875, 14.375, {27.75, 11.375}},
        {1, 28.75, 32.75, 4.875, 7.375, {28.25, 4.375}},
        {0, 39.5, 43.5, 0.5, 3}}},
      // Nothing on the line: the row's base line stands 0.5 past the overhang.
      {"all out",
       WorkedRow({0, 10, 20}, true, true),
       {{1, 3, 7, 3, 5.5, {2.5, 2.5}}, {1, 13, 17, 3, 5.5, {12.5, 2.5}}}},
      // The text's up towards the fence: values on the line stand below it; a moved value's base
      // line lies beyond its text, so the text starts 0.5 after the middle, the leader plumb.
      {"text up towards the fence",
       WorkedRow({0, 10, 13, 23}, false),
       {{0, 3, 7, -3, -0.5}, {1, 12, 16, 2.5, 5, {11.5, 5.5}}, {0, 16, 20, -3, -0.5}}},
      // There a value moves on only: the second keeps 3.5 (text height and gap) for its leader
      // before its base line, so its text starts at 21.5 + 4 + 0.5 + 0.5 + 3 + 0.5 = 30. The
      // second row would not help (the first value reaches past the second's middle), so the row
      // stands higher instead: the leader, 6.5 aside, must stray within its value's height 3 no
      // more than the 3 kept, less the 0.5 * 6.5 / Y its slant costs at a corner: its base line at
      // Y = 6.5 * (3 + 0.5) / 3, the row's values 3 below that.
      {"text up towards the fence, a cluster",
       WorkedRow({0, 20, 22, 24, 44}, false),
       {{0, 8, 12, -3, -0.5},
        {1, 21.5, 25.5, 22.75 / 3 - 3, 22.75 / 3 - 0.5, {21, 22.75 / 3}},
        {1, 30, 34, 22.75 / 3 - 3, 22.75 / 3 - 0.5, {29.5, 22.75 / 3}},
        {0, 32, 36, -3, -0.5}}},
  };
  for (const TCase& c : cases) {
    const std::vector<TRowValue> got = PlaceRowValues(c.in);
    ASSERT_EQ(got.size(), c.values.size()) << c.what;
    for (std::size_t i = 0; i < got.size(); ++i) {
      const TWorkedValue& w = c.values[i];
      const TRowValue& v = got[i];
      EXPECT_EQ(v.Row, w.Row) << c.what << ", value " << i;
      EXPECT_NEAR(v.Box.X0, w.X0, 1e-9) << c.what << ", value " << i;
      EXPECT_NEAR(v.Box.X1, w.X1, 1e-9) << c.what << ", value " << i;
      EXPECT_NEAR(v.Box.Y0, w.Y0, 1e-9) << c.what << ", value " << i;
      EXPECT_NEAR(v.Box.Y1, w.Y1, 1e-9) << c.what << ", value " << i;
      if (w.Row == 0) continue;
      const double middle = (c.in.Ends[i] + c.in.Ends[i + 1]) / 2;
      EXPECT_EQ(v.LeaderFrom.X, middle) << c.what << ", value " << i;
      EXPECT_EQ(v.LeaderFrom.Y, 0) << c.what << ", value " << i;
      EXPECT_NEAR(v.LeaderTo.X, w.LeaderTo.X, 1e-9) << c.what << ", value " << i;
      EXPECT_NEAR(v.LeaderTo.Y, w.LeaderTo.Y, 1e-9) << c.what << ", value " << i;
    }
  }
}

namespace {

struct TSegment2 {
  TPointD A, B;
};

double PointToBox(TPointD p, const TRowBox& b) {
  const double dx = std::max({b.X0 - p.X, 0.0, p.X - b.X1});
  const double dy = std::max({b.Y0 - p.Y, 0.0, p.Y - b.Y1});
  return std::hypot(dx, dy);
}

double PointToSegment(TPointD p, TSegment2 s) {
  const double dx = s.B.X - s.A.X, dy = s.B.Y - s.A.Y, len2 = dx * dx + dy * dy;
  const double t = len2 > 0 ? std::clamp(((p.X - s.A.X) * dx + (p.Y - s.A.Y) * dy) / len2, 0.0, 1.0) : 0.0;
  return std::hypot(p.X - (s.A.X + t * dx), p.Y - (s.A.Y + t * dy));
}

// Whether the segment passes through the box's inside (clipped against its four sides).
bool SegmentEntersBox(TSegment2 s, const TRowBox& b) {
  double t0 = 0, t1 = 1;
  const double dx = s.B.X - s.A.X, dy = s.B.Y - s.A.Y;
  const double p[] = {-dx, dx, -dy, dy};
  const double q[] = {s.A.X - b.X0, b.X1 - s.A.X, s.A.Y - b.Y0, b.Y1 - s.A.Y};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) return false;
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0) t0 = std::max(t0, t);
    else t1 = std::min(t1, t);
  }
  return t0 < t1;
}

double SegmentToBox(TSegment2 s, const TRowBox& b) {
  if (SegmentEntersBox(s, b)) return 0;
  double d = std::min(PointToBox(s.A, b), PointToBox(s.B, b));
  for (TPointD corner : {TPointD{b.X0, b.Y0}, TPointD{b.X1, b.Y0}, TPointD{b.X0, b.Y1}, TPointD{b.X1, b.Y1}})
    d = std::min(d, PointToSegment(corner, s));
  return d;
}

double BoxToBox(const TRowBox& a, const TRowBox& b) {
  const double dx = std::max({a.X0 - b.X1, 0.0, b.X0 - a.X1});
  const double dy = std::max({a.Y0 - b.Y1, 0.0, b.Y0 - a.Y1});
  return std::hypot(dx, dy);
}

bool SegmentsCross(TSegment2 s, TSegment2 t) {
  const auto side = [](TPointD a, TPointD b, TPointD p) {
    return (b.X - a.X) * (p.Y - a.Y) - (b.Y - a.Y) * (p.X - a.X);
  };
  const double d1 = side(s.A, s.B, t.A), d2 = side(s.A, s.B, t.B);
  const double d3 = side(t.A, t.B, s.A), d4 = side(t.A, t.B, s.B);
  return ((d1 > 0 && d2 < 0) || (d1 < 0 && d2 > 0)) && ((d3 > 0 && d4 < 0) || (d3 < 0 && d4 > 0));
}

// A random crowded row: runs of short segments between long ones.
TRowInput RandomRow(std::mt19937& rng) {
  const auto real = [&](double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(rng); };
  const auto chance = [&](double p) { return std::bernoulli_distribution(p)(rng); };
  TRowInput in;
  const int n = std::uniform_int_distribution<int>(1, 200)(rng);
  const double tiny = real(0.02, 1), height = real(1, 4);
  in.Ends.push_back(real(-1000, 1000));
  for (int i = 0; i < n; ++i) {
    const double kind = real(0, 1);
    const double length = kind < 0.4 ? real(tiny, 2 * tiny) : kind < 0.8 ? real(1, 8) : real(8, 40);
    in.Ends.push_back(in.Ends.back() + length);
    in.Extents.push_back(real(0.5, 12));
    in.Heights.push_back(chance(0.8) ? height : real(1, 4));
  }
  in.TextGap = chance(0.1) ? 0.0 : real(-1, 1.5);
  in.StartReach = chance(0.2) ? 0.0 : real(0, 3);
  in.EndReach = chance(0.5) ? in.StartReach : real(0, 3);
  in.MarkerHalfWidth = real(0, 1.5);
  in.Overhang = real(0, 5);
  in.AllOut = chance(0.25);
  in.UpAway = chance(0.5);
  if (chance(0.3)) {
    in.Left = in.Ends.front();
    in.Right = in.Ends.back();
  }
  return in;
}

}  // namespace

// Random crowded rows: no two values overlap, and no value comes nearer than the clearance to
// another, to any line the row draws (leaders, base lines, extension lines, the dimension line)
// or to a marker; no two leaders cross; each moved value hangs on its own base line and leader,
// in the order of its segment within its row; a value on the line really fits.
TEST(RowPlacement, RandomCrowdedRowsKeepEverythingApart) {
  std::mt19937 rng(748);
  int moved = 0, further = 0, deeper = 0, onLine = 0, bounded = 0;
  // First a row whose third-row leaders pass where the second row's long values would stand.
  TRowInput third = WorkedRow({0, 20, 21.8647, 26.5181, 32.6288, 38.8578, 41.4503, 42.453, 46.784, 66.784});
  third.TextGap = 0.5;
  third.Extents = {10.4908, 5.0283, 3.50873, 4.67422, 5.56092, 10.1457, 9.08445, 5.30182, 11.8286};
  std::vector<TRowInput> rows = {third};
  for (int round = 0; round < 200; ++round) rows.push_back(RandomRow(rng));
  for (std::size_t round = 0; round < rows.size(); ++round) {
    const TRowInput& in = rows[round];
    const std::vector<TRowValue> v = PlaceRowValues(in);
    const std::size_t n = v.size();
    ASSERT_EQ(n, in.Extents.size());
    const double c = RowClearance(in), reach = std::max(in.StartReach, in.EndReach);
    const double eps = 1e-9 * (1 + std::fabs(in.Ends.front()) + std::fabs(in.Ends.back()));
    const std::string at = "round " + std::to_string(round);

    std::vector<TSegment2> leaders, baseLines;
    std::vector<std::size_t> leaderOf, baseOf;
    for (std::size_t i = 0; i < n; ++i) {
      const TRowValue& x = v[i];
      EXPECT_NEAR(x.Box.X1 - x.Box.X0, in.Extents[i], eps) << at;
      EXPECT_NEAR(x.Box.Y1 - x.Box.Y0, in.Heights[i], eps) << at;
      const double middle = (in.Ends[i] + in.Ends[i + 1]) / 2;
      if (x.Row == 0) {
        ++onLine;
        EXPECT_FALSE(in.AllOut) << at;
        EXPECT_GE(in.Ends[i + 1] - in.Ends[i], in.Extents[i] + 2 * c + in.StartReach + in.EndReach - eps)
            << at;
        EXPECT_GE(x.Box.X0, in.Ends[i] + reach + c - eps) << at;
        EXPECT_LE(x.Box.X1, in.Ends[i + 1] - reach - c + eps) << at;
        EXPECT_NEAR((x.Box.X0 + x.Box.X1) / 2, middle, eps) << at;
        EXPECT_NEAR(in.UpAway ? x.Box.Y0 : -x.Box.Y1, c, eps) << at;
        continue;
      }
      ++moved;
      further += x.Row > 1;
      deeper += x.Row > 2;
      EXPECT_NEAR(x.T0.X, x.Box.X0 - c, eps) << at;
      EXPECT_NEAR(x.T1.X, x.Box.X1 + c, eps) << at;
      EXPECT_EQ(x.T0.Y, x.T1.Y) << at;
      EXPECT_NEAR(x.T0.Y, in.UpAway ? x.Box.Y0 - c : x.Box.Y1 + c, eps) << at;
      EXPECT_EQ(x.LeaderFrom.X, middle) << at;
      EXPECT_EQ(x.LeaderFrom.Y, 0) << at;
      EXPECT_TRUE((x.LeaderTo.X == x.T0.X || x.LeaderTo.X == x.T1.X) && x.LeaderTo.Y == x.T0.Y) << at;
      leaders.push_back({x.LeaderFrom, x.LeaderTo});
      leaderOf.push_back(i);
      baseLines.push_back({x.T0, x.T1});
      baseOf.push_back(i);
    }

    for (std::size_t i = 0; i < n; ++i) {
      const TRowBox& b = v[i].Box;
      for (std::size_t j = i + 1; j < n; ++j) {
        EXPECT_GE(BoxToBox(b, v[j].Box), c - eps) << at << ": values " << i << " and " << j;
        if (v[i].Row == v[j].Row && v[i].Row > 0) {
          EXPECT_LT(b.X0, v[j].Box.X0) << at << ": order";
        }
      }
      for (std::size_t k = 0; k < leaders.size(); ++k)
        EXPECT_GE(SegmentToBox(leaders[k], b), c - eps)
            << at << ": value " << i << ", leader of " << leaderOf[k];
      for (std::size_t k = 0; k < baseLines.size(); ++k)
        EXPECT_GE(SegmentToBox(baseLines[k], b), c - eps)
            << at << ": value " << i << ", base line of " << baseOf[k];
      for (std::size_t e = 0; e <= n; ++e) {
        const double x = in.Ends[e];
        EXPECT_GE(SegmentToBox({{x, -1e9}, {x, in.Overhang}}, b), c - eps)
            << at << ": value " << i << ", extension line " << e;
        EXPECT_GE(BoxToBox({x - reach, x + reach, -in.MarkerHalfWidth, in.MarkerHalfWidth}, b), c - eps)
            << at << ": value " << i << ", marker " << e;
      }
      EXPECT_GE(SegmentToBox({{in.Ends.front() - 1e9, 0}, {in.Ends.back() + 1e9, 0}}, b), c - eps)
          << at << ": value " << i << ", the dimension line";
    }
    // Lines across the row at its bounds keep the moved values inside them, unless the row is too
    // wide for that: then it stands as it would without bounds.
    if (std::isfinite(in.Left)) {
      TRowInput unbounded = in;
      unbounded.Left = -std::numeric_limits<double>::infinity();
      unbounded.Right = std::numeric_limits<double>::infinity();
      const std::vector<TRowValue> free = PlaceRowValues(unbounded);
      bool inside = true, same = true;
      for (std::size_t i = 0; i < n; ++i) {
        if (v[i].Row == 0) continue;
        inside = inside && v[i].T0.X >= in.Left + c - eps && v[i].T1.X <= in.Right - c + eps;
        same = same && v[i].Box.X0 == free[i].Box.X0 && v[i].Row == free[i].Row;
      }
      EXPECT_TRUE(inside || same) << at << ": moved values beyond the bounds";
      bounded += inside && !same;
    }
    for (std::size_t k = 0; k < leaders.size(); ++k) {
      for (std::size_t l = k + 1; l < leaders.size(); ++l)
        EXPECT_FALSE(SegmentsCross(leaders[k], leaders[l]))
            << at << ": leaders of " << leaderOf[k] << " and " << leaderOf[l];
      for (std::size_t l = 0; l < baseLines.size(); ++l)
        if (l != k) {
          EXPECT_FALSE(SegmentsCross(leaders[k], baseLines[l]))
              << at << ": leader " << leaderOf[k] << ", base line " << baseOf[l];
        }
    }
    if (HasFailure()) return;
  }
  // The rows were crowded: all three places occur.
  EXPECT_GT(onLine, 1000);
  EXPECT_GT(moved, 1000);
  EXPECT_GT(further, 50);
  EXPECT_GT(bounded, 5);
  EXPECT_GT(deeper, 0) << further;
}

namespace {

// A text of the output as a box in the frame of its own direction, and a line in the same frame.
struct TTextBox {
  TRowBox Box;
  std::string Text;
};

// A row drawn across random lines: the host's file, and the fence and dimension line picked.
std::string RandomRowFile(std::mt19937& rng, TDirection direction, double axis, bool overall, int lines) {
  const auto real = [&](double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(rng); };
  const double measure = direction == TDirection::Vertical     ? axis + 90
                         : direction == TDirection::Horizontal ? axis
                                                               : real(0, 360);
  // The fence runs along the measuring direction, or slanted to it (not for an aligned row).
  const double fence = direction == TDirection::Aligned ? measure : measure + real(-25, 25);
  const TPointD f{std::cos(fence * std::numbers::pi / 180), std::sin(fence * std::numbers::pi / 180)};
  const TPointD start{real(-5000, 5000), real(-5000, 5000)};
  const int n = lines > 0 ? lines : std::uniform_int_distribution<int>(2, 40)(rng);
  std::ostringstream s;
  s.precision(17);
  s << "hq\nhk " << axis << "\n";
  double t = real(5, 20);
  const double tiny = real(0.5, 4);
  for (int i = 0; i < n; ++i) {
    const double k = real(0, 1);
    // The overall dimension needs room for the moved values between its extension lines.
    const bool edge = overall && (i == 1 || i == n - 1);
    t += edge ? real(150, 300) : k < 0.4 ? real(tiny, 2 * tiny) : k < 0.8 ? real(5, 30) : real(30, 120);
    const TPointD at{start.X + t * f.X, start.Y + t * f.Y};
    const double across = (fence + 90 + real(-30, 30)) * std::numbers::pi / 180;
    const TPointD d{std::cos(across), std::sin(across)};
    const double a = real(5, 60), b = real(5, 60);
    s << at.X - a * d.X << ' ' << at.Y - a * d.Y << ' ' << at.X + b * d.X << ' ' << at.Y + b * d.Y << '\n';
  }
  const double side = std::bernoulli_distribution(0.5)(rng) ? 1 : -1, away = side * real(20, 120);
  const TPointD middle{start.X + t / 2 * f.X, start.Y + t / 2 * f.Y};
  s << "hp1 " << start.X << ' ' << start.Y << "\nhp2- " << start.X + (t + 5) * f.X << ' '
    << start.Y + (t + 5) * f.Y << "\nhp3 " << middle.X - away * f.Y << ' ' << middle.Y + away * f.X << '\n';
  return s.str();
}

}  // namespace

// Rows drawn across random lines, in every direction and axis angle, values on the line and moved,
// with and without the overall dimension: in the drawing, no value comes nearer than the text gap
// to another value or to any line the row draws (extension lines, dimension lines, markers,
// leaders, base lines), and every dimension of neighbours has its value.
TEST(RowDimension, RandomRowsKeepEveryValueClear) {
  std::mt19937 rng(7480);
  int rows = 0, moved = 0, onLine = 0;
  for (int round = 0; round < 120; ++round) {
    const auto real = [&](double lo, double hi) {
      return std::uniform_real_distribution<double>(lo, hi)(rng);
    };
    const TDirection direction = AllDirections()[static_cast<std::size_t>(round % 3)];
    const double axis = round % 2 ? 0.0 : real(-90, 90);
    // The first rounds: a row of one dimension, which has no overall dimension besides it.
    const bool overall = round < 3 || std::bernoulli_distribution(0.4)(rng);
    JwwState host;
    JwwReadBuffer(host, RandomRowFile(rng, direction, axis, overall, round < 3 ? 2 : 0));
    TDimensionInput in = DefaultInputs();
    in.Kind = TKind::Linear;
    in.Direction = direction;
    in.Pick = TPick::Fence;
    in.AxisAngle = host.AxisAngle;
    in.Scale = real(0.5, 3);
    in.TextTypeItem = 1 + round % 4;
    in.TextGap = real(0.2, 1.5);
    in.Value.Decimals = round % 3;
    in.AllOut = std::bernoulli_distribution(0.2)(rng);
    in.Overall = overall;
    in.OutsideGap = real(2, 10);
    in.ArrowLength = real(1, 4);
    in.ArrowAngle = real(10, 30);
    in.PointsRefusal = KindEntry(in.Kind).MakePoints(host, std::nullopt, in);
    const std::string at = "round " + std::to_string(round);
    ASSERT_EQ(CheckDimension(in, host), TRefusal::None) << at;
    JwwState out;
    JwwCopyHostValues(host, out);
    ConstructDimension(in, out);
    const TRowLayout layout = LayoutRow(in, host);
    const TJwwTextType size = ChooseTextType(in, host).Size;

    // Everything in the frame of the values' direction.
    const TPointD d = layout.AlongX;
    const auto frame = [&](double x, double y) { return TPointD{x * d.X + y * d.Y, -x * d.Y + y * d.X}; };
    std::vector<TTextBox> texts;
    std::vector<TSegment2> lines;
    std::istringstream written(JwwOutputText(out));
    for (std::string slot; std::getline(written, slot);) {
      if (!slot.empty() && slot.back() == '\r') slot.pop_back();
      const std::vector<double> v = Numbers(slot);
      if (slot.rfind("cs ", 0) == 0) {
        const std::string text = slot.substr(slot.find('"') + 1);
        const TPointD o = frame(v[0], v[1]);
        EXPECT_NEAR(v[2], 10 * d.X, 1e-9) << at << ": every value reads along the row";
        const double w = TextExtent(text, size.Width, size.Spacing) * in.Scale, h = size.Height * in.Scale;
        texts.push_back({{o.X, o.X + w, o.Y, o.Y + h}, text});
      } else if (v.size() == 4 && (std::isdigit(static_cast<unsigned char>(slot[0])) || slot[0] == '-')) {
        lines.push_back({frame(v[0], v[1]), frame(v[2], v[3])});
      }
    }
    // Moved values stand beyond the dimension line on the side away from the fence.
    const TPointD line = frame(in.Points[3].X, in.Points[3].Y);
    const TPointD fence = frame((in.Points[1].X + in.Points[2].X) / 2, (in.Points[1].Y + in.Points[2].Y) / 2);
    for (const TTextBox& t : texts) {
      const double middle = (t.Box.Y0 + t.Box.Y1) / 2 - line.Y;
      if (std::fabs(middle) > in.TextGap * in.Scale + (t.Box.Y1 - t.Box.Y0)) {
        EXPECT_LT(middle * (fence.Y - line.Y), 0) << at << ": " << t.Text << " moved towards the fence";
      }
    }
    const std::size_t dimensions = in.Row.size() - 1 + (overall && in.Row.size() > 2 ? 1 : 0);
    ASSERT_EQ(texts.size(), dimensions) << at;
    // The overall dimension's line is joined to extension lines at both ends.
    if (layout.Overall) {
      for (double x : {layout.Ends.front(), layout.Ends.back()}) {
        const TPointD p = layout.ToDrawing(x, layout.OverallY + layout.Overhang), end = frame(p.X, p.Y);
        EXPECT_TRUE(std::any_of(lines.begin(), lines.end(),
                                [&](const TSegment2& l) {
                                  return std::hypot(l.B.X - end.X, l.B.Y - end.Y) < 1e-6 ||
                                         std::hypot(l.A.X - end.X, l.A.Y - end.Y) < 1e-6;
                                }))
            << at << ": no extension line to the overall dimension at " << x;
      }
    }
    const double c = in.TextGap * in.Scale, eps = 1e-6;
    for (std::size_t i = 0; i < texts.size(); ++i) {
      for (std::size_t j = i + 1; j < texts.size(); ++j)
        EXPECT_GE(BoxToBox(texts[i].Box, texts[j].Box), c - eps) << at << ": values " << i << ", " << j;
      for (std::size_t k = 0; k < lines.size(); ++k)
        EXPECT_GE(SegmentToBox(lines[k], texts[i].Box), c - eps)
            << at << ": value " << i << " (" << texts[i].Text << "), line " << k;
    }
    ++rows;
    moved += layout.Moved;
    onLine += static_cast<int>(in.Row.size() - 1) - layout.Moved;
    if (HasFailure()) return;
  }
  EXPECT_GT(moved, 200);
  EXPECT_GT(onLine, 200);
  EXPECT_EQ(rows, 120);
}

// ---- Moving a drawn value out on a leader -------------------------------------------------------------

namespace {

// The header of a range selection for a move (#h1, #zz, #zw, #jww) in the layout of the host's own
// files: groups 0 to 7 at 1/SCALE, the others at 1/100; text types 1 and 2 are 2 and 2.5 wide and
// high without spacing; the new place of the value (hp1); the host's current attributes.
std::string MoveHeader(TPointD hp1, int scale = 1) {
  std::string hs = "hs";
  for (int i = 0; i < 16; ++i) hs += " " + std::to_string(i < 8 ? scale : 100);
  std::ostringstream p;
  p.precision(15);
  p << "hp1 " << hp1.X << " " << hp1.Y;
  return "hq\r\nhk 0\r\n" + hs +
         "\r\nhcw 2 2.5 3 4 5 6 7 8 9 10\r\nhch 2 2.5 3 4 5 6 7 8 9 10\r\nhcd 0 0 0.5 0.5 0.5 0.5 1 1 1 1\r\n"
         "hcc      1      1      2      2      3      3      4      4      5      5\r\n"
         "hn -10000 -10000 10000 10000\r\n" +
         p.str() +
         "\r\nlg0\r\nly1\r\nlc2\r\nlt1\r\nlw0\r\ncn1\r\ncn\"$<\x82\x6c\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4e>\r\n";
}

// What this command drew for IN, as the host hands it over in a selection: its state lines and
// its entities, each marked z3. Drawn in layer 2 and colour 3, not the move's current ones.
std::string Drawn(const TDimensionInput& in) {
  JwwState drawing;
  JwwReadBuffer(drawing, MoveHeader({0, 0}));
  drawing.FirstLayer = 2;
  drawing.FirstLineColour = 3;
  JwwState out;
  JwwCopyHostValues(drawing, out);
  ConstructDimension(in, out);
  return JwwOutputText(out);
}

// One move through the dialog's OK (the gap Edit4 at 1 paper mm), as the host runs it: what
// JWC_TEMP.TXT holds afterwards and what the dialog said.
struct TMoveRun {
  std::string Written;
  std::vector<std::string> Messages;
};
TMoveRun RunMove(const std::string& hostFile) {
  TempDir dir("q748-move");
  TRecordingView view;
  TForm1 form(dir.path(), &view, TDimensionMode{TKind::Move});
  view.Form = &form;
  WriteFile(dir.path() / "JWC_TEMP.TXT", hostFile);
  form.FormShow();
  form.Edit4.Text = "1";
  form.Button1Click();
  form.FormClose();
  return {ReadFile(dir.path() / "JWC_TEMP.TXT"), view.Messages};
}

// Where two records differ, field by field as RecordFields.h lists them, reals bit for bit and
// texts looked up in their own states; empty when they are the same.
class TRecordDiff {
 public:
  TRecordDiff(const JwwState& a, const JwwState& b) : a_(a), b_(b) {}
  template <JwwRecord R>
  std::string operator()(const R& x, const R& y) {
    where_.clear();
    Walk("", x, y);
    return where_;
  }

 private:
  void Note(const std::string& path, const std::string& x, const std::string& y) {
    if (where_.empty()) where_ = path + ": " + x + " / " + y;
  }
  void Walk(const std::string& path, double x, double y) {
    if (std::bit_cast<uint64_t>(x) != std::bit_cast<uint64_t>(y)) Note(path, FloatToText(x), FloatToText(y));
  }
  void Walk(const std::string& path, int32_t x, int32_t y) {
    if (x != y) Note(path, std::to_string(x), std::to_string(y));
  }
  void Walk(const std::string& path, TJwwStrRef x, TJwwStrRef y) {
    if (JwwStr(a_, x) != JwwStr(b_, y)) Note(path, std::string(JwwStr(a_, x)), std::string(JwwStr(b_, y)));
  }
  template <JwwRecord R>
  void Walk(const std::string& path, const R& x, const R& y) {
    std::apply(
        [&](const auto&... f) { (Walk(path + "." + std::string(f.Name), x.*f.Member, y.*f.Member), ...); },
        JwwFieldsOf<R>());
  }

  const JwwState& a_;
  const JwwState& b_;
  std::string where_;
};

// Where entity X of A and entity Y of B differ; empty when they are the same.
std::string EntityDiff(const JwwState& a, TJwwOrderItem x, const JwwState& b, TJwwOrderItem y) {
  if (x.Kind != y.Kind)
    return "kind " + std::to_string(static_cast<int>(x.Kind)) + " / " +
           std::to_string(static_cast<int>(y.Kind));
  TRecordDiff diff(a, b);
  switch (x.Kind) {
    case TJwwEntityKind::Line: return diff(a.Lines[x.Index], b.Lines[y.Index]);
    case TJwwEntityKind::Circle: return diff(a.Circles[x.Index], b.Circles[y.Index]);
    case TJwwEntityKind::Arc: return diff(a.Arcs[x.Index], b.Arcs[y.Index]);
    case TJwwEntityKind::Text: return diff(a.Texts[x.Index], b.Texts[y.Index]);
    case TJwwEntityKind::Point: return diff(a.Points[x.Index], b.Points[y.Index]);
    case TJwwEntityKind::PointEx: return diff(a.PointsEx[x.Index], b.PointsEx[y.Index]);
    case TJwwEntityKind::Msg: return diff(a.Messages[x.Index], b.Messages[y.Index]);
    default: return "a kind no move writes back";
  }
}

std::vector<TJwwOrderItem> Order(const JwwState& st) {
  std::vector<TJwwOrderItem> v;
  for (const TJwwOrderItem item : st.EntityOrder) v.push_back(item);
  return v;
}

// The head of a line, arc or dimension entity's line.
TJwwAttrHead LineHead(const JwwState& st, TJwwOrderItem item) {
  switch (item.Kind) {
    case TJwwEntityKind::Arc: return st.Arcs[item.Index].Head;
    case TJwwEntityKind::Msg: return st.Messages[item.Index].Line.Head;
    default: return st.Lines[item.Index].Head;
  }
}

TPointD Along(TPointD p, double deg, double t) {
  return {p.X + t * std::cos(deg * kPi / 180), p.Y + t * std::sin(deg * kPi / 180)};
}

}  // namespace

// The test plays the host: it applies the written file to the selection (hd deletes exactly the
// selected entities, every line after it is drawn under the state lines as they stand) by reading
// it back under the host's header, and holds the drawing so made to the old one without the old
// value (and the base line and leader it stood on) plus the moved value, its base line and leader.
// Every other entity comes back identical, field by field.
TEST(Move, TheHostsDrawingAfterwards) {
  const double r2 = std::sqrt(0.5);
  TDimensionInput linear = Input(), combined = Input();
  combined.Combined = true;
  TDimensionInput radius = Input({130, 50}, {}, {}, {140, 80});
  radius.Kind = TKind::Radius;
  radius.Centre = {100, 50};
  radius.Radius = 20;
  TDimensionInput diameter = radius;
  diameter.Kind = TKind::Diameter;
  TDimensionInput arcLength = Input({50, 0}, {}, {60, 60}, {80, 90});
  arcLength.Kind = TKind::ArcLength;
  arcLength.Centre = {0, 0};
  arcLength.Radius = 50;
  arcLength.ArcStart = 0;
  arcLength.ArcEnd = 90;
  arcLength.WholeCircle = false;
  TDimensionInput angle = Input({80, 0}, {0, 80}, {30, 40}, {50, 60});
  angle.Kind = TKind::Angle;
  angle.LineEnds = {{{0, 0}, {100, 0}, {0, 0}, {0, 100}}};
  struct Case {
    const char* name;
    std::string entities;
    int scale;
    TPointD hp1;
    std::vector<int> removed;  // positions in the host's order: the value, its old leader and base line
    int line;                  // the dimension line's position
    TPointD leaderStart;
    double textAngle;  // degrees
    double extent;     // the value's, drawing units
    // The leader meets the base line's start when the base line reaches past the leader's start
    // along the text, else its end.
    bool leaderToStart;
  };
  const Case cases[] = {
      // "1500" in text type 1 at 1/50: 200 long, 100 high, its middle (700, 100). Neighbours of
      // other layers, groups, colours, point colours and text types.
      {"the host's dimension at 1/50, with its neighbours",
       Z3({"0 0 1500 0", "0 0 0 -290", "1500 0 1500 -290"}) +
           "ly3\r\nlc5\r\n0 -290 1500 -290\r\nlg2\r\nly4\r\nlc6\r\nlt2\r\nlw3\r\nci 750 -600 100\r\npn3\r\n"
           "pt 100 -400 1.5 0 3\r\npt 120 -400\r\nlg0\r\nly1\r\nlc2\r\nlt1\r\nlw0\r\ncn2\r\n"
           "ch 200 -500 10 0 \"\x95\xc7\x90\x63\r\ncn1\r\n" +
           Z3({"cs 600 50 10 0 \"1500"}),
       50,
       {2000, 400},
       {8},
       0,
       {700, 0},
       0,
       200,
       true},
      // The dimension line x = 50 from 0 to 100, "100" along it.
      {"this command's linear dimension", Drawn(linear), 1, {150, 20}, {3, 4, 5}, 2, {50, 50}, 90, 3, false},
      {"this command's dimension entity",
       Drawn(combined),
       1,
       {150, 20},
       {2, 3, 4},
       2,
       {50, 50},
       90,
       3,
       false},
      {"this command's radius, with the picked circle",
       "ci 100 50 20\r\n" + Drawn(radius),
       1,
       {200, 100},
       {2, 3, 4},
       1,
       {110, 50},
       0,
       3,
       true},
      // "φ40": φ is a full-width character.
      {"this command's diameter",
       "ci 100 50 20\r\n" + Drawn(diameter),
       1,
       {60, -40},
       {2, 3, 4},
       1,
       {100, 50},
       0,
       4,
       false},
      // The dimension arc of radius 60√2 through (60, 60), its middle there; "⌒78.54" along the
      // tangent, reading down to the right.
      {"this command's arc length, with the picked arc",
       "ci 0 0 50 0 90 1 0\r\n" + Drawn(arcLength),
       1,
       {120, 150},
       {4, 5, 6},
       3,
       {60, 60},
       315,
       7,
       false},
      {"this command's angle, with the picked lines",
       "0 0 100 0\r\n0 0 0 100\r\n" + Drawn(angle),
       1,
       {40, 80},
       {3, 4, 5},
       2,
       {50 * r2, 50 * r2},
       315,
       4,
       false},
      // "100" in text type 1: its middle (41.5, 2).
      {"the host's dimension entity in another group, beside a line of another layer",
       "lg3\r\nly1\r\nz3\r\nmsg\r\n0 0 100 0\r\ncs 40 1 10 0 \"100\r\nly5\r\nlc4\r\n30 2 70 2\r\n",
       1,
       {-60, 30},
       {0},
       0,
       {41.5, 0},
       0,
       3,
       false},
      // "90°" (4 half-widths) with its middle at (40, 40), on the 45 degree ray.
      {"the host's angle, by its arc",
       Z3({"ci 0 0 50 0 90 1 0",
           "cp 37.8786796564404 40.7071067811865 7.07106781186548 -7.07106781186548 "
           "\"90\x81\x8b"}),
       1,
       {70, 70},
       {1},
       0,
       {50 * r2, 50 * r2},
       315,
       4,
       true},
      // "90°" written level, its middle at (40, 40): it turns to read along the arc.
      {"the host's angle written level",
       Z3({"ci 0 0 50 0 90 1 0", "cp 38 39 10 0 \"90\x81\x8b"}),
       1,
       {70, 70},
       {1},
       0,
       {50 * r2, 50 * r2},
       315,
       4,
       true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string header = MoveHeader(c.hp1, c.scale);
    JwwState before;
    JwwReadBuffer(before, header + c.entities);
    const std::vector<TJwwOrderItem> old = Order(before);
    const TMoveRun run = RunMove(header + c.entities);
    EXPECT_THAT(run.Messages, ::testing::IsEmpty());
    // The host deletes the selection first, and once.
    ASSERT_EQ(run.Written.substr(0, 4), "hd\r\n");
    EXPECT_EQ(run.Written.find("hd\r\n", 1), std::string::npos);
    JwwState after;
    JwwReadBuffer(after, header + run.Written.substr(4));
    const std::vector<TJwwOrderItem> now = Order(after);
    ASSERT_EQ(now.size(), old.size() - c.removed.size() + 3) << run.Written;
    for (int r : c.removed) ASSERT_LT(static_cast<std::size_t>(r), old.size());

    std::size_t k = 0;
    for (std::size_t i = 0; i < old.size(); ++i) {
      if (std::find(c.removed.begin(), c.removed.end(), static_cast<int>(i)) != c.removed.end()) continue;
      EXPECT_EQ(EntityDiff(before, old[i], after, now[k]), "") << "entity " << i;
      ++k;
    }
    // The value as it was, but at hp1 and along its dimension line.
    const TJwwOrderItem value = old[static_cast<std::size_t>(c.removed[0])], moved = now[k];
    ASSERT_EQ(moved.Kind, value.Kind);
    const bool msg = value.Kind == TJwwEntityKind::Msg;
    const TJwwEntText was = msg ? before.Messages[value.Index].Text : before.Texts[value.Index];
    const TJwwEntText is = msg ? after.Messages[moved.Index].Text : after.Texts[moved.Index];
    EXPECT_EQ(is.X, c.hp1.X);
    EXPECT_EQ(is.Y, c.hp1.Y);
    const double dirAngle = std::atan2(is.DirY, is.DirX) * 180 / kPi;
    EXPECT_NEAR(std::remainder(dirAngle - c.textAngle, 360.0), 0, 1e-9);
    EXPECT_NEAR(std::hypot(is.DirX, is.DirY), 10, 1e-12);
    TJwwEntText expected = was;
    expected.X = is.X;
    expected.Y = is.Y;
    expected.DirX = is.DirX;
    expected.DirY = is.DirY;
    EXPECT_EQ(TRecordDiff(before, after)(expected, is), "");
    if (msg) {
      EXPECT_EQ(
          TRecordDiff(before, after)(before.Messages[value.Index].Line, after.Messages[moved.Index].Line),
          "");
    }
    // The leader from the dimension line to the base line, which lies the gap before and below
    // the text and as far after it; both in the dimension line's attributes, marked z3.
    ASSERT_EQ(now[k + 1].Kind, TJwwEntityKind::Line);
    ASSERT_EQ(now[k + 2].Kind, TJwwEntityKind::Line);
    const TJwwEntLine leader = after.Lines[now[k + 1].Index], base = after.Lines[now[k + 2].Index];
    const double g = c.scale, t = c.textAngle;
    const TPointD t0 = Along(Along(c.hp1, t, -g), t + 90, -g), t1 = Along(t0, t, c.extent + 2 * g);
    const TPointD joined = c.leaderToStart ? t0 : t1;
    const double tol = 1e-9 * std::max(1.0, std::hypot(c.hp1.X, c.hp1.Y));
    ExpectLine({leader.X1, leader.Y1, leader.X2, leader.Y2},
               {c.leaderStart.X, c.leaderStart.Y, joined.X, joined.Y}, tol);
    ExpectLine({base.X1, base.Y1, base.X2, base.Y2}, {t0.X, t0.Y, t1.X, t1.Y}, tol);
    TJwwAttrHead head = LineHead(before, old[static_cast<std::size_t>(c.line)]);
    head.ZFlags = kJwwZDimension;
    for (const TJwwEntLine& l : {leader, base}) {
      EXPECT_EQ(TRecordDiff(before, after)(l.Head, head), "");
      EXPECT_EQ(l.PolylineNo, 0);
    }
    // What the preview tells: the value, the leader's start, the distance the value moves.
    TDimensionInput in = DefaultInputs();
    in.Kind = TKind::Move;
    in.Scale = c.scale;
    ASSERT_EQ(MovePoints(before, std::nullopt, in), TRefusal::None);
    EXPECT_EQ(MoveValueText(in), JwwStr(before, was.Text));
    const std::vector<TPointD> marks = MoveMarks(in);
    ASSERT_EQ(marks.size(), 1u);
    EXPECT_NEAR(marks[0].X, c.leaderStart.X, tol);
    EXPECT_NEAR(marks[0].Y, c.leaderStart.Y, tol);
    EXPECT_NEAR(MeasureMove(in), std::hypot(c.hp1.X - was.X, c.hp1.Y - was.Y), tol);
    // The host's own attributes stand again for what it draws next.
    EXPECT_EQ(after.CurGroup, before.FirstGroup);
    EXPECT_EQ(after.CurLayer, before.FirstLayer);
    EXPECT_EQ(after.CurLineColour, before.FirstLineColour);
    EXPECT_EQ(after.CurLineType, before.FirstLineType);
    EXPECT_EQ(after.CurLineWidth, before.FirstLineWidth);
    EXPECT_EQ(after.CurTextType, before.FirstTextType);
    EXPECT_EQ(after.CurFontName, before.FirstFontName);
  }
}

// A selection the move cannot take is refused with its message and nothing is written but "hq":
// hd would delete what could not be put back. The value itself is drawn anew, so it need not be
// one that could be written back.
TEST(Move, RefusalsWriteNothingButHq) {
  const std::string dimension = Z3({"0 0 100 0"});
  const std::string value = Z3({"cs 40 1 10 0 \"100"});
  struct Case {
    const char* name;
    std::string host;
    const char* message;  // UTF-8; nullptr: moved
  };
  const Case cases[] = {
      {"nothing selected", MoveHeader({50, 50}), kMessageNoValue},
      {"no value, only lines and a label", MoveHeader({50, 50}) + dimension + "ch 40 1 10 0 \"100\r\n",
       kMessageNoValue},
      {"two values", MoveHeader({50, 50}) + dimension + value + Z3({"ct 40 11 10 0 \"100"}),
       kMessageManyValues},
      {"a value without its dimension line", MoveHeader({50, 50}) + Z3({"0 0 0 10"}) + value,
       kMessageNoDimensionLine},
      {"a block", MoveHeader({50, 50}) + dimension + value + "BL 10 20 door\r\n", kMessageCannotWriteBack},
      {"a curve", MoveHeader({50, 50}) + "pl\r\n0 -10 10 -20\r\n10 -20 20 -10\r\n#\r\n" + dimension + value,
       kMessageCannotWriteBack},
      {"a solid", MoveHeader({50, 50}) + dimension + value + "sl 0 -5 10 -5 10 -15 0 -15\r\n",
       kMessageCannotWriteBack},
      {"a neighbour in a text type the host has not",
       MoveHeader({50, 50}) + dimension + value + "cn11\r\nch 0 9 10 0 \"a\r\n", kMessageCannotWriteBack},
      {"a value in a group drawn at another scale",
       MoveHeader({50, 50}) + dimension + "lg8\r\nly1\r\n" + value, kMessageCannotWriteBack},
      {"a line of a group drawn at another scale",
       MoveHeader({50, 50}) + dimension + value + "lg8\r\nly1\r\n0 -50 100 -50\r\n", kMessageCannotWriteBack},
      {"a dimension entity whose line is wider than the host takes",
       MoveHeader({50, 50}) + "lw30001\r\nmsg\r\n0 0 100 0\r\nlw0\r\ncs 40 1 10 0 \"100\r\n",
       kMessageCannotWriteBack},
      {"no new place for the value",
       MoveHeader({50, 50}).replace(MoveHeader({50, 50}).find("hp1 50 50\r\n"), 11, "") + dimension + value,
       kMessageMissingPoint},
      {"a line of another group at the same scale",
       MoveHeader({50, 50}) + dimension + value + "lg3\r\nly1\r\n0 -50 100 -50\r\n", nullptr},
      {"a value in a text type the host has not", MoveHeader({50, 50}) + dimension + "cn11\r\n" + value,
       nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const TMoveRun run = RunMove(c.host);
    if (!c.message) {
      EXPECT_THAT(run.Messages, ::testing::IsEmpty());
      EXPECT_EQ(run.Written.substr(0, 4), "hd\r\n");
      continue;
    }
    EXPECT_THAT(run.Messages, ::testing::ElementsAre(SjisText(c.message)));
    EXPECT_EQ(run.Written, "hq\r\n");
  }
}

// What the checks refuse of a move's input once its selection was taken, and that nothing is
// drawn from it.
TEST(Move, ChecksOfTheInput) {
  const std::string selection = Z3({"0 0 100 0", "cs 40 1 10 0 \"100"});
  struct Case {
    const char* name;
    std::string host;
    double scale;
    bool withDrawing;
    TRefusal refusal;
  };
  const Case cases[] = {
      {"a move as it comes", MoveHeader({50, 50}) + selection, 1, true, TRefusal::None},
      {"no selection to move from", MoveHeader({50, 50}) + selection, 1, false, TRefusal::NoValue},
      {"a scale of 0", MoveHeader({50, 50}) + selection, 0, true, TRefusal::BadScale},
      {"a scale that is no number", MoveHeader({50, 50}) + selection, std::nan(""), true, TRefusal::BadScale},
      {"a new place far out", MoveHeader({1e308, 50}) + selection, 1, true, TRefusal::TooLarge},
      {"a value text too wide to place",
       MoveHeader({50, 50}) + "z3\r\n0 0 100 0\r\ncn0 1e308 1 0 1\r\n" + Z3({"cs 40 1 10 0 \"100"}), 1, true,
       TRefusal::TooLarge},
      {"a new place that is no number",
       MoveHeader({50, 50}).replace(MoveHeader({50, 50}).find("hp1 50 50"), 9, "hp1 5,0 50") + selection, 1,
       true, TRefusal::MissingPoint},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    JwwState host;
    JwwReadBuffer(host, c.host);
    TDimensionInput in = DefaultInputs();
    in.Kind = TKind::Move;
    in.Scale = c.scale;
    MovePoints(host, std::nullopt, in);
    if (!c.withDrawing) in.Drawing = nullptr;
    EXPECT_EQ(CheckMove(in, host), c.refusal);
    JwwState out;
    JwwCopyHostValues(host, out);
    ConstructDimension(in, out);
    EXPECT_EQ(out.OutputCount == 0, c.refusal != TRefusal::None);
  }
}
