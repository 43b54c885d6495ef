// The dialog model: its control table, starting values, texts in Shift-JIS, item indexes, the
// text-type list, and showing, cancelling and closing the dialog.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "MyFunc.h"
#include "Preview.h"
#include "TestSupport.h"
#include "Unit1.h"

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::Not;
using testsupport::Contains;
using testsupport::ExactlyWhen;
using testsupport::HasSjisSubstr;
using testsupport::ReadFile;
using testsupport::StartsWithSjis;
using testsupport::TempDir;
using testsupport::TRecordingView;
using testsupport::WriteFile;

namespace {}  // namespace

// What holds of every row: its name is unique and names a control of the model of its kind; the
// rows that take the focus come first, without a gap (their order is the tab order); a settable
// control says what it is in --help; an edit that OK checks reads a number.
TEST(ControlTable, EveryRowNamesOneControlAndTheFocusRowsComeFirst) {
  const TForm1 form("", nullptr);
  std::set<std::string> names;
  bool pastTheFocus = false;
  for (const TControlEntry& c : ControlTable()) {
    SCOPED_TRACE(c.Name);
    EXPECT_TRUE(names.insert(c.Name).second);
    EXPECT_EQ(FindControl(c.Name), &c);
    const bool focus = c.Kind != TControlKind::Label && c.Kind != TControlKind::Preview;
    EXPECT_FALSE(focus && pastTheFocus) << "a control that takes the focus after the labels";
    pastTheFocus = pastTheFocus || !focus;
    EXPECT_FALSE(c.TabStop && !focus);
    switch (c.Kind) {
      case TControlKind::List: EXPECT_TRUE(form.ComboBoxByName(c.Name)); break;
      case TControlKind::Edit: EXPECT_TRUE(form.EditByName(c.Name)); break;
      case TControlKind::RadioGroup: EXPECT_TRUE(form.RadioGroupByName(c.Name)); break;
      case TControlKind::CheckBox: EXPECT_TRUE(form.CheckBoxByName(c.Name)); break;
      case TControlKind::Label:
      case TControlKind::Preview:
      case TControlKind::Button:
      case TControlKind::Memo:
      case TControlKind::ScrollBox: break;
    }
    if (IsSettable(c)) {
      EXPECT_NE(std::string(c.Title), "");
      EXPECT_NE(std::string(c.Help), "");
    }
    // Bounds belong to numbers; a bounded number says its bounds in both languages.
    const bool bounded = c.Accepts.LowKind != TBound::None || c.Accepts.HighKind != TBound::None;
    EXPECT_TRUE(!bounded || (c.Kind == TControlKind::Edit && c.Accepts.Number));
    EXPECT_EQ(AcceptedStatus(c).empty(), !c.Accepts.Number);
    EXPECT_EQ(AcceptedHelp(c).empty(), !c.Accepts.Number);
  }
  EXPECT_EQ(FindControl("Edit11"), nullptr);
  // The status line sits directly above the information pane at the foot of the window.
  const TControlEntry* status = FindControl("LabelA1");
  const TControlEntry* pane = FindControl("ScrollBox1");
  EXPECT_EQ(status->Top + status->Height, pane->Top);
  EXPECT_EQ(pane->Top + pane->Height, kFormClientHeight);
}

// No two controls of a dialog overlap, in each mode with controls of its own (the notes are
// shorter where they stand below them); only the check boxes of the information pane lie inside it.
TEST(ControlTable, NoControlOverlapsAnother) {
  const TDimensionMode modes[] = {{},
                                  {TKind::Linear, TDirection::Vertical, TNext::Chain, TPick::Points},
                                  {TKind::Linear, TDirection::Vertical, TNext::Outside, TPick::Points},
                                  {TKind::Linear, TDirection::Vertical, TNext::None, TPick::Fence}};
  for (const TDimensionMode& mode : modes) {
    const TNext next = mode.Next;
    std::vector<const TControlEntry*> shown;
    for (const TControlEntry& c : ControlTable()) {
      if (c.Width > 0 && IsShown(c, mode)) shown.push_back(&c);
    }
    const auto bottom = [&](const TControlEntry& c) {
      return c.Top + (c.Kind == TControlKind::Memo ? MemoHeight(mode) : c.Height);
    };
    for (std::size_t i = 0; i < shown.size(); ++i) {
      for (std::size_t j = i + 1; j < shown.size(); ++j) {
        const TControlEntry &a = *shown[i], &b = *shown[j];
        if (std::string(a.Name) == "ScrollBox1" &&
            (std::string(b.Name) == "CheckBox5" || std::string(b.Name) == "CheckBox6"))
          continue;
        const bool apart = a.Left + a.Width <= b.Left || b.Left + b.Width <= a.Left || bottom(a) <= b.Top ||
                           bottom(b) <= a.Top;
        EXPECT_TRUE(apart) << a.Name << " and " << b.Name << " in mode " << static_cast<int>(next) << " pick "
                           << static_cast<int>(mode.Pick);
      }
    }
  }
}

// What a number edit accepts is its row's bounds, no more and no less: OK refuses just outside
// them and takes the bound itself where the row includes it; the status line and --help say so.
TEST(ControlTable, EditsAreCheckedByTheirRows) {
  const struct {
    const char *name, *status, *help;
  } told[] = {
      {"Edit7", "（0より大きく1000以下）", " (> 0, <= 1000)"},
      {"Edit8", "（0より大きく180未満）", " (> 0, < 180)"},
      {"Edit1", "（0より大きい値）", " (> 0)"},
      {"Edit5", "（0以上）", " (>= 0)"},
      {"Edit10", "（0より大きい値）", " (> 0)"},
      {"Edit4", "（数値）", " (a number)"},
  };
  for (const auto& t : told) {
    EXPECT_EQ(AcceptedStatus(*FindControl(t.name)), t.status) << t.name;
    EXPECT_EQ(AcceptedHelp(*FindControl(t.name)), t.help) << t.name;
  }
  for (const TControlEntry& c : ControlTable()) {
    if (c.Kind != TControlKind::Edit || !c.Accepts.Number) continue;
    SCOPED_TRACE(c.Name);
    const auto focusWith = [&](double value) {
      TForm1 f("", nullptr, {TKind::Linear, TDirection::Vertical, TNext::Outside});
      f.ComboBox3.Items = {"x"};
      f.ComboBox3.ItemIndex = 0;
      f.EditByName(c.Name)->Text = FloatToText(value);
      std::string focus;
      ReadInputs(f, focus);
      return focus;
    };
    const TAccepted& a = c.Accepts;
    for (const auto& [kind, bound, step] :
         {std::tuple{a.LowKind, a.Low, -1e-9}, std::tuple{a.HighKind, a.High, 1e-9}}) {
      if (kind == TBound::None) continue;
      EXPECT_EQ(focusWith(bound + step), c.Name);
      EXPECT_EQ(focusWith(bound - step), "");
      EXPECT_EQ(focusWith(bound), kind == TBound::Closed ? "" : c.Name);
    }
    if (a.LowKind == TBound::None) {
      EXPECT_EQ(focusWith(-1e6), "");
    }
    // Whatever its bounds: a text that is no number is refused; blanks around a number and
    // full-width digits, signs and points are taken as a user types them.
    const auto focusWithText = [&](const std::string& text) {
      TForm1 f("", nullptr, {TKind::Linear, TDirection::Vertical, TNext::Outside});
      f.ComboBox3.Items = {"x"};
      f.ComboBox3.ItemIndex = 0;
      f.EditByName(c.Name)->Text = text;
      std::string focus;
      ReadInputs(f, focus);
      return focus;
    };
    for (const char* bad : {"", " ", "abc", "1,5", "1e400", "nan", "5mm"})
      EXPECT_EQ(focusWithText(bad), c.Name) << bad;
    for (const std::string& good : {std::string("5 "), SjisText("\u3000５．５"), std::string(" 7")})
      EXPECT_EQ(focusWithText(good), "") << good;
  }
}

// The preview widens the window to the right: the dialog's controls keep their places in the
// left 492 pixels, the preview stands right of them, and everything is inside the client area, so
// that nothing reachable with Tab is out of sight. The preview's check box stays within those
// 492 pixels, in the information pane, so that it is in reach with the preview hidden.
// Every Alt letter leads to one control (the buttons' underlined ones included), only where the
// control means something; every number field's tip says what it takes and its letter.
TEST(ControlTable, AccessKeysAreUniqueAndTipsTellWhatAFieldTakes) {
  std::set<char> letters;
  for (const TControlEntry& c : ControlTable()) {
    const std::string caption = c.Caption;
    const char key = Contains(caption, "(&") ? caption[caption.find("(&") + 2] : c.AccessKey;
    if (key == 0) continue;
    EXPECT_TRUE(key >= 'A' && key <= 'Z') << c.Name;
    EXPECT_TRUE(letters.insert(key).second) << c.Name << " repeats " << key;
    if (c.AccessKey == 0) continue;
    const std::string hint = ControlHint(c);
    EXPECT_THAT(hint, HasSjisSubstr(SjisText(std::string("Alt+") + key))) << c.Name;
    for (TKind kind : {TKind::Linear, TKind::Radius, TKind::Angle}) {
      for (TNext next : {TNext::None, TNext::Outside}) {
        if (kind != TKind::Linear && next != TNext::None) continue;
        const TDimensionMode mode{kind, TDirection::Vertical, next};
        const char lower = static_cast<char>(key - 'A' + 'a');
        EXPECT_EQ(FindAccessKey(lower, mode), IsUsed(c, mode) ? &c : nullptr) << c.Name;
      }
    }
  }
  EXPECT_GE(letters.size(), 20u);
  for (const TControlEntry& c : ControlTable()) {
    if (c.Kind != TControlKind::Edit) continue;
    EXPECT_NE(c.AccessKey, 0) << c.Name;
    const std::string hint = ControlHint(c);
    EXPECT_THAT(hint, StartsWithSjis(SjisText(std::string(c.Title) + AcceptedStatus(c)))) << c.Name;
    if (c.Accepts.Number) {
      EXPECT_FALSE(AcceptedStatus(c).empty()) << c.Name;
    }
  }
}

TEST(ControlTable, PreviewStandsRightOfTheControlsInsideTheWindow) {
  constexpr int kControlsWidth = 492;
  struct TRect {
    int Left, Top, Right, Bottom;
  };
  auto rect = [](const TControlEntry& c) { return TRect{c.Left, c.Top, c.Left + c.Width, c.Top + c.Height}; };
  const TControlEntry* panel = FindControl("PreviewPanel");
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(panel->Kind, TControlKind::Preview);
  EXPECT_FALSE(panel->TabStop);
  EXPECT_EQ(rect(*panel).Left, kPreviewLeft);
  EXPECT_EQ(rect(*panel).Top, kPreviewTop);
  EXPECT_EQ(rect(*panel).Right, kPreviewLeft + kPreviewWidth);
  EXPECT_EQ(rect(*panel).Bottom, kPreviewTop + kPreviewHeight);
  const TControlEntry* check = FindControl("CheckBox5");
  const TControlEntry* pane = FindControl("ScrollBox1");
  EXPECT_GE(check->Top, pane->Top);
  EXPECT_LE(check->Top + check->Height, pane->Top + pane->Height);
  EXPECT_EQ(kFormClientWidth, 732);
  EXPECT_EQ(kFormClientWidthWithoutPreview, kControlsWidth);
  for (const TControlEntry& c : ControlTable()) {
    SCOPED_TRACE(c.Name);
    const TRect r = rect(c);
    EXPECT_GE(r.Left, 0);
    EXPECT_GE(r.Top, 0);
    EXPECT_LE(r.Right, kFormClientWidth);
    EXPECT_LE(r.Bottom, kFormClientHeight);
    const std::string name = c.Name;
    const bool docked = name == "LabelA1" || name == "ScrollBox1";
    if (docked) {
      EXPECT_EQ(c.Left, 0);
      EXPECT_EQ(c.Width, kFormClientWidth);  // full width, under the preview too
    } else if (name != "PreviewPanel") {
      EXPECT_LE(r.Left, kControlsWidth);
      // An automatic label (0 x 0) has no extent in the table; the others end within the
      // controls' width.
      if (c.Width > 0) {
        EXPECT_LE(r.Right, kControlsWidth);
      }
    }
    // Nothing overlaps the preview panel.
    if (&c != panel && c.Width > 0 && c.Height > 0) {
      const TRect p = rect(*panel);
      const bool apart = r.Right <= p.Left || r.Left >= p.Right || r.Bottom <= p.Top || r.Top >= p.Bottom;
      EXPECT_TRUE(apart);
    }
  }
}

// The model starts with what the table gives each control.
TEST(Form, StartingValuesComeFromTheTable) {
  const TForm1 f("", nullptr);
  for (const TControlEntry& c : ControlTable()) {
    SCOPED_TRACE(c.Name);
    if (const TComboBox* box = f.ComboBoxByName(c.Name)) {
      ASSERT_EQ(box->Items.size(), c.Items.size());
      for (std::size_t i = 0; i < c.Items.size(); ++i) EXPECT_EQ(box->Items[i], SjisText(c.Items[i]));
      EXPECT_EQ(box->ItemIndex, c.StartIndex);
    } else if (const TRadioGroup* group = f.RadioGroupByName(c.Name)) {
      ASSERT_EQ(group->Items.size(), c.Items.size());
      EXPECT_EQ(group->ItemIndex, c.StartIndex);
    } else if (const TEdit* edit = f.EditByName(c.Name)) {
      EXPECT_EQ(edit->Text, SjisText(c.Caption));
      EXPECT_EQ(edit->MaxLength, c.MaxLength);
    } else if (const TCheckBox* check = f.CheckBoxByName(c.Name)) {
      EXPECT_EQ(check->Checked, c.StartIndex == 1);
    }
  }
  // A few values as the dialog shows them.
  EXPECT_EQ(f.ComboBox4.Items.at(static_cast<std::size_t>(f.ComboBox4.ItemIndex)), "0.001");
  EXPECT_EQ(f.ComboBox5.Items.at(static_cast<std::size_t>(f.ComboBox5.ItemIndex)), SjisText("四捨五入"));
  EXPECT_EQ(f.Edit7.Text, "3");
  EXPECT_EQ(f.Edit8.MaxLength, 8);
  EXPECT_EQ(f.ComboBox3.ItemIndex, -1);
  EXPECT_EQ(f.SavedLeft, 100);
  EXPECT_TRUE(f.FocusControl.empty());
  EXPECT_FALSE(f.CloseRequested);
}

// The Shift-JIS bytes of texts whose code-page-932 form differs from a plain JIS mapping or
// whose trail byte is an ASCII character.
TEST(Form, TextsAreShiftJis) {
  const TForm1 f("", nullptr);
  const struct {
    std::string actual, expected;
  } cases[] = {
      {f.ComboBox1.Items[0], "\x90\xFC\x96\xEE\x88\xF3"},  // 線矢印
      {f.ComboBox1.Items[1], "\x81\xA2"},                  // △
      {f.ComboBox1.Items[3], "\x82\x6E"},                  // Ｏ
      {f.ComboBox1.Items[8], "\x81\x60"},                  // ～ (not the wave dash of JIS)
      {f.ComboBox1.Items[9], "\x81\x84"},                  // ＞
      {f.ComboBox1.Items[10], "\x81\x5E"},                 // ／
      {f.ComboBox1.Items[11], "\x81\xA2"},                 // △ again
      {f.ComboBox2.Items[8], "\x81\x60"},
      {f.RadioGroup2.Items[1], "\x82\x8D"},                          // ｍ
      {f.RadioGroup1.Items[0], "\x96\xB3"},                          // 無
      {f.RadioGroup1.Items[1], "\x97\x4C"},                          // 有
      {f.ComboBox5.Items[2], "\x8E\x6C\x8E\xCC\x8C\xDC\x93\xFC"},    // 四捨五入
      {f.LabelA1.Caption, "\x81\x40"},                               // one full-width blank
      {SjisText(kConfirmationCaption), "\x8A\x6D\x94\x46"},          // 確認
      {SjisText(kFormCaption), "\x83\x5C\x83\x89\x83\x67\x82\x6A"},  // ソラトＫ, trail byte 0x5C
      {SjisText(kStatusProcessing), "\x8F\x88\x97\x9D\x92\x86\x82\xC5\x82\xB7"},
      {SjisText(kMessageZeroLength),
       "\x90\xA1\x96\x40\x82\xAA\x81\x75\x30\x81\x76\x82\xC9\x82\xC8\x82\xE8\x82\xDC\x82\xB7\x82\xCC"
       "\x82\xC5\x8D\xEC\x90\x7D\x8F\x6F\x97\x88\x82\xDC\x82\xB9\x82\xF1"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.actual, c.expected);
}

// Every mode that draws, for the tests that hold for each.
std::vector<TDimensionMode> AllModes() {
  std::vector<TDimensionMode> modes;
  for (TKind k : AllKinds())
    for (TDirection d : AllDirections())
      for (TNext n : {TNext::None, TNext::Chain, TNext::Outside})
        for (TPick p : {TPick::Points, TPick::Line, TPick::Fence})
          if (const TDimensionMode m{k, d, n, p}; IsValidMode(m)) modes.push_back(m);
  return modes;
}

// Thirty lines of notes for each mode: headings (◇, ◆) and their continuation lines, which start
// with one full-width blank, each within the notes' 24 columns. Each mode has notes of its own: they
// name the mode's settings file and what it measures, and a kind without directions names none.
TEST(Form, Memo1SpeaksOfTheModesKind) {
  std::set<std::vector<std::string>> seen;
  for (const TDimensionMode& m : AllModes()) {
    const std::string caption = ModeCaption(m);
    SCOPED_TRACE(caption);
    const std::vector<std::string> notes = Memo1Lines(m);
    ASSERT_EQ(notes.size(), 30u);
    std::string all;
    for (const std::string& line : notes) {
      all += SjisToUtf8(line) + "\n";
      EXPECT_LE(line.size(), 24u) << SjisToUtf8(line);
      if (line.empty()) continue;
      const std::string head = line.substr(0, 2);
      EXPECT_TRUE(head == "\x81\x40" || head == SjisText("◇") || head == SjisText("◆")) << SjisToUtf8(line);
    }
    EXPECT_TRUE(seen.insert(notes).second) << "the notes of another mode";
    EXPECT_THAT(all, HasSubstr(std::string(" ") + ModeSettingsFile(m) + " "));
    const char* word = m.Kind == TKind::Radius      ? "半径"
                       : m.Kind == TKind::Diameter  ? "直径"
                       : m.Kind == TKind::ArcLength ? "弧長"
                       : m.Kind == TKind::Angle     ? "角度"
                       : m.Kind == TKind::Move      ? "寸法値"
                                                    : DirectionEntry(m.Direction).Word;
    EXPECT_THAT(SjisToUtf8(notes[0]) + SjisToUtf8(notes[1]), HasSubstr(word));
    // The kind's own notes stand before the value text's (whose base line is 水平線).
    const std::string own = all.substr(0, all.find("◇寸法値の前後"));
    if (!KindEntry(m.Kind).HasDirections) {
      for (TDirection d : AllDirections()) EXPECT_THAT(own, Not(HasSubstr(DirectionEntry(d).Word)));
    }
    // What the launchers ask for: a continued mode its next point, a picked line the line.
    EXPECT_THAT(all, ExactlyWhen(m.Next != TNext::None, HasSubstr("次の計測点")));
    EXPECT_THAT(all, ExactlyWhen(m.Pick == TPick::Line, HasSubstr("計測する線")));
    EXPECT_THAT(all, ExactlyWhen(m.Pick == TPick::Fence, HasSubstr("横切る線")));
  }

  // The caption names the direction drawn and a continued mode.
  const struct {
    TDirection direction;
    TNext next;
    const char* caption;
    TPick pick = TPick::Points;
  } kinds[] = {
      {TDirection::Vertical, TNext::None, "ソラトＫ"},
      {TDirection::Vertical, TNext::Chain, "ソラトＫ（連続）"},
      {TDirection::Horizontal, TNext::None, "ソラトＫ（水平）"},
      {TDirection::Horizontal, TNext::Outside, "ソラトＫ（水平・外側追加）"},
      {TDirection::Aligned, TNext::Chain, "ソラトＫ（平行・連続）"},
      {TDirection::Vertical, TNext::None, "ソラトＫ（一括）", TPick::Fence},
      {TDirection::Horizontal, TNext::None, "ソラトＫ（水平・一括）", TPick::Fence},
      {TDirection::Aligned, TNext::None, "ソラトＫ（平行・一括）", TPick::Fence},
  };
  for (const auto& k : kinds) {
    const TForm1 f("", nullptr, {TKind::Linear, k.direction, k.next, k.pick});
    EXPECT_EQ(f.Caption(), SjisText(k.caption));
  }
}

// Each kind's row: its own enumerator, the controls it leaves unused are controls that OK would
// otherwise check or read, its caption names it, only the linear kind records points to go on from,
// and its value text is what its construction writes.
TEST(Form, EveryKindIsOneRow) {
  std::set<std::string> captions;
  for (TKind k : AllKinds()) {
    const TKindEntry& kind = KindEntry(k);
    SCOPED_TRACE(kind.Name);
    EXPECT_EQ(kind.Kind, k);
    EXPECT_EQ(FindKind(kind.Name), &kind);
    for (const char* name : kind.Unused) {
      const TControlEntry* c = FindControl(name);
      ASSERT_NE(c, nullptr) << name;
      EXPECT_TRUE(IsSettable(*c)) << name;
      EXPECT_FALSE(IsUsed(*c, TDimensionMode{k})) << name;
    }
    EXPECT_TRUE(captions.insert(ModeCaption(TDimensionMode{k})).second);
    EXPECT_EQ(kind.RecordsPoints, k == TKind::Linear);
    if (!kind.HasDirections) {
      EXPECT_NE(ModeCaption(TDimensionMode{k}).find(kind.Word), std::string::npos);
    }
  }
  // A number past the last enumerator has no row: AllKinds stops there.
  EXPECT_EQ(KindRow(static_cast<TKind>(AllKinds().size())), nullptr);
}

TEST(Form, ItemIndexBeyondTheItems) {
  struct Case {
    int given, list, radio;
  } cases[] = {{0, 0, 0}, {1, 1, 1}, {2, -1, 1}, {7, -1, 1}, {-1, -1, -1}, {-5, -1, -1}};
  for (const Case& c : cases) {
    TComboBox list{{"a", "b"}, 0};
    TRadioGroup radio{{"a", "b"}, 0};
    list.SetItemIndex(c.given);
    radio.SetItemIndex(c.given);
    EXPECT_EQ(list.ItemIndex, c.list) << c.given;
    EXPECT_EQ(radio.ItemIndex, c.radio) << c.given;
  }
}

TEST(Form, AccessByName) {
  TForm1 f("", nullptr);
  EXPECT_EQ(f.ComboBoxByName("ComboBox3"), &f.ComboBox3);
  EXPECT_EQ(f.EditByName("Edit9"), &f.Edit9);
  EXPECT_EQ(f.CheckBoxByName("CheckBox4"), &f.CheckBox4);
  EXPECT_EQ(f.RadioGroupByName("RadioGroup2"), &f.RadioGroup2);
  EXPECT_EQ(f.EditByName("ComboBox1"), nullptr);
  EXPECT_EQ(f.ComboBoxByName("combobox1"), nullptr);
  EXPECT_EQ(f.CheckBoxByName(""), nullptr);
  const TForm1& c = f;
  EXPECT_EQ(c.EditByName("Edit1"), &f.Edit1);
}

TEST(TextTypeList, ItemsFromTheHeader) {
  struct Case {
    int firstTextType;
    double width2;
    double spacing3;
    const char* first;
    const char* second;  // the item of text type 2
    const char* third;
  } cases[] = {
      {1, 3, 0, "現在の文字種(No1)", "No2: W3 H3 D0", "No3: W3 H3 D0"},
      {0, 2.5, 0.5, "現在の文字種(Free)", "No2: W2.5 H3 D0", "No3: W3 H3 D0.5"},
      {7, 3, 0.00005, "現在の文字種(No7)", "No2: W3 H3 D0", "No3: W3 H3 D5E-5"},
      {-2, 10, 0.0005, "現在の文字種(No-2)", "No2: W10 H3 D0", "No3: W3 H3 D0.0005"},
  };
  for (const Case& c : cases) {
    JwwState st;
    st.FirstTextType = c.firstTextType;
    st.TextTypes[2].Width = c.width2;
    st.TextTypes[3].Spacing = c.spacing3;
    const std::vector<std::string> items = TextTypeItems(st);
    ASSERT_EQ(items.size(), 11u);
    EXPECT_EQ(items[0], SjisText(c.first));
    EXPECT_EQ(items[1], "No1: W3 H3 D0");
    EXPECT_EQ(items[2], c.second);
    EXPECT_EQ(items[3], c.third);
    EXPECT_EQ(items[10], "No10: W3 H3 D0");
  }
}

TEST(Form, ShowReadsTheHostFileBuildsTheListAndLoadsTheSettings) {
  TempDir dir("q748-form");
  WriteFile(dir.path() / "JWC_TEMP.TXT", "hq\r\nhk 0\r\nhcw 2 2.5 3 4 5 6 7 8 9 10\r\nhp1 1 2\r\ncn7\r\n");
  std::string settings = "320\r\n-40\r\n8\r\n11\r\n10\r\n0\r\n1\r\n";
  for (int i = 8; i <= 22; ++i) settings += "1\r\n";
  WriteFile(dir.path() / "q746.dat", settings);

  TForm1 f(dir.path(), nullptr);
  f.FormShow();
  EXPECT_EQ(f.Jww.PickedPoints[1].X, 1.0);
  ASSERT_EQ(f.ComboBox3.Items.size(), 11u);
  EXPECT_EQ(f.ComboBox3.Items[0], SjisText("現在の文字種(No7)"));
  EXPECT_EQ(f.ComboBox3.Items[2], "No2: W2.5 H3 D0");
  EXPECT_EQ(f.ComboBox3.ItemIndex, 10);  // the saved index selects an item of the new list
  EXPECT_EQ(f.ComboBox1.ItemIndex, 8);
  EXPECT_EQ(f.ComboBox2.ItemIndex, 11);
  EXPECT_EQ(f.SavedLeft, 320);
  EXPECT_EQ(f.Left, 320);
  EXPECT_EQ(f.Top, -40);
  // Reading done, the current attributes are in their output role: every one pending.
  for (int i = 1; i <= 9; ++i) EXPECT_TRUE(f.Jww.AttrPending[i]) << i;
}

TEST(Form, ShowWithoutAnyFile) {
  TempDir dir("q748-form");
  TForm1 f(dir.path(), nullptr);
  f.FormShow();
  ASSERT_EQ(f.ComboBox3.Items.size(), 11u);
  EXPECT_EQ(f.ComboBox3.Items[0], SjisText("現在の文字種(No1)"));
  EXPECT_EQ(f.ComboBox3.ItemIndex, 0);  // the host's current text type: a first run draws
  EXPECT_EQ(f.Left, 100);
  EXPECT_EQ(f.Top, 100);
  EXPECT_EQ(f.ComboBox1.ItemIndex, 0);
  EXPECT_EQ(f.Edit8.Text, "15");
}

TEST(Form, SavedTextTypeIndexPastTheListLeavesNoSelection) {
  TempDir dir("q748-form");
  WriteFile(dir.path() / "q746.dat", "1\r\n2\r\n0\r\n0\r\n11\r\n");
  TForm1 f(dir.path(), nullptr);
  f.FormShow();
  EXPECT_EQ(f.ComboBox3.ItemIndex, -1);
}

TEST(Form, CancelAtOnceWritesTheEmptyOutput) {
  TempDir dir("q748-form");
  WriteFile(dir.path() / "JWC_TEMP.TXT", "hq\r\nhp1 1 2\r\nhp2 1 5\r\n");
  TForm1 f(dir.path(), nullptr);
  f.FormShow();
  f.Button2Click();
  EXPECT_TRUE(f.CloseRequested);
  EXPECT_TRUE(f.FocusControl.empty());
  EXPECT_TRUE(f.FormClose());
  EXPECT_EQ(ReadFile(dir.path() / "JWC_TEMP.TXT"), "hq\r\n");
  EXPECT_FALSE(fs::exists(dir.path() / "q746.dat"));  // Cancel never saves
}

// A host file that cannot be read is refused as such on OK, not as a missing point; a result that
// cannot be written is shown in an error box that names the file and the reason.
TEST(Form, FileFailuresAreToldAsWhatTheyAre) {
  const fs::path readOnly = fs::path(Q748_SCRATCH_MOUNTS) / "read-only";
  struct Case {
    const char* name;
    std::function<fs::path(const fs::path&)> folder;  // prepares the run's folder
    bool read;
    const char* reason;  // of the failed write; nullptr when it succeeds
  };
  const Case cases[] = {
      {"no host file", [](const fs::path& d) { return d; }, false, nullptr},
      {"a folder in the host file's place",
       [](const fs::path& d) {
         fs::create_directory(d / "JWC_TEMP.TXT");
         return d;
       },
       false, kReasonOther},
      {"the folder is gone", [](const fs::path& d) { return d / "gone"; }, false, kReasonOther},
      {"a read-only folder", [&](const fs::path&) { return readOnly; }, true, kReasonNoPermission},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir("q748-form");
    const fs::path folder = c.folder(dir.path());
    const std::string hostFile =
        fs::is_regular_file(folder / "JWC_TEMP.TXT") ? ReadFile(folder / "JWC_TEMP.TXT") : "";
    TRecordingView view;
    TForm1 f(folder, &view);
    f.FormShow();
    EXPECT_EQ(f.ExchangeRead(), c.read);
    f.ComboBox3.ItemIndex = 1;
    f.Button1Click();
    if (!c.read) {
      ASSERT_EQ(view.Messages.size(), 1u);
      EXPECT_EQ(view.Messages[0], SjisText(kMessageReadFailed));
      EXPECT_EQ(BuildPreview(f).Status, SjisText(kMessageReadFailed));
      EXPECT_EQ(f.Jww.OutputCount, 0);
    }
    EXPECT_EQ(f.FormClose(), c.reason == nullptr);
    if (c.reason == nullptr) {
      EXPECT_TRUE(view.Errors.empty());
    } else {
      ASSERT_EQ(view.Errors.size(), 1u);
      const std::u8string file = (folder / "JWC_TEMP.TXT").u8string();
      EXPECT_EQ(view.Errors[0], SjisText(kMessageWriteFailed) + "\n" + std::string(file.begin(), file.end()) +
                                    "\n" + SjisText(c.reason));
    }
    // Whatever stood there stays: the host's own input still begins with "hq".
    if (!hostFile.empty()) {
      EXPECT_EQ(ReadFile(folder / "JWC_TEMP.TXT"), hostFile);
    }
  }
}

// After OK drew, the record of lines 23..31 follows what reached the host: a result that could
// not be written keeps the record before it (and saves the dialog's values), and a record that
// cannot be saved after a drawing is shown, since the next chain would go on from the one before.
// A result that could not be written is offered again with the same points.
TEST(Form, TheRecordFollowsTheDrawing) {
  const std::string record = "0\r\n1\r\n0\r\n0\r\n0\r\n0\r\n100\r\n50\r\n30\r\n";
  enum class TOutput { Writable, Folder, Held };
  const struct {
    const char* name;
    TOutput output;       // JWC_TEMP.TXT after it was read: as it is, turned into a folder, held open
    bool settingsFails;   // q746.dat is a folder
    const char* answers;  // to each retry box: R mends the output and retries, r retries, c cancels;
                          // nullptr: no one can be asked
    bool drawn;
    const char* error;  // the error box shown, nullptr none
  } cases[] = {
      {"drawn and recorded", TOutput::Writable, false, nullptr, true, nullptr},
      {"the result cannot be written, no one to ask", TOutput::Folder, false, nullptr, false,
       kMessageWriteFailed},
      {"the record cannot be saved", TOutput::Writable, true, nullptr, true, kMessageRecordNotSaved},
      {"retried once the output is mended", TOutput::Folder, false, "rR", true, nullptr},
      {"retry given up", TOutput::Folder, false, "rc", false, nullptr},
      {"held by another program, retried once let go", TOutput::Held, false, "R", true, nullptr},
  };
#ifdef _WIN32
  constexpr bool kHeldFilesBlockRenames = true;
#else
  constexpr bool kHeldFilesBlockRenames = false;  // POSIX renames over an open file
#endif
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir("q748-form");
    const fs::path settings = dir.path() / "q746.dat", output = dir.path() / "JWC_TEMP.TXT";
    if (c.settingsFails) {
      fs::create_directories(settings / "x");
    } else {
      WriteFile(
          settings,
          "100\r\n100\r\n0\r\n0\r\n1\r\n3\r\n2\r\n1\r\n\r\n\r\n0.5\r\n2\r\n2\r\n3\r\n15\r\n2\r\n0\r\n0\r\n0\r\n"
          "0\r\n0\r\n0\r\n" +
              record);
    }
    const std::string host = "hq\r\nhp1 10 0\r\nhp2 10 70\r\nhp3 60 30\r\nhp4 80 40\r\n";
    WriteFile(output, host);
    TRecordingView view;
    std::optional<std::ifstream> held;
    std::string answers = c.answers ? c.answers : "";
    if (c.answers) {
      view.Retry = [&]() -> std::optional<bool> {
        const char answer = answers.empty() ? 'c' : answers.front();
        if (!answers.empty()) answers.erase(0, 1);
        if (answer == 'R') {
          held.reset();
          fs::remove_all(output);
        }
        return answer != 'c';
      };
    }
    TForm1 f(dir.path(), &view);
    view.Form = &f;
    f.FormShow();
    f.ComboBox3.ItemIndex = 1;
    f.Edit2.Text = "P";
    f.Button1Click();
    ASSERT_TRUE(f.CloseRequested);
    if (c.output == TOutput::Folder) {
      fs::remove(output);
      fs::create_directories(output / "x");
    }
    if (c.output == TOutput::Held) held.emplace(output, std::ios::binary);  // as a scanner holds it
    const bool blocked = c.output == TOutput::Folder || (c.output == TOutput::Held && kHeldFilesBlockRenames);
    EXPECT_EQ(f.FormClose(), c.drawn);
    ASSERT_EQ(view.Errors.size(), c.error ? 1u : 0u);
    if (c.error) {
      EXPECT_EQ(view.Errors[0].substr(0, SjisText(c.error).size()), SjisText(c.error));
    }
    // One box per failed write while someone can answer; each says why.
    EXPECT_EQ(view.RetryAsks.size(), blocked && c.answers ? std::string(c.answers).size() : 0u);
    for (const std::string& ask : view.RetryAsks)
      EXPECT_THAT(ask, StartsWithSjis(SjisText(kMessageWriteRetry)));
    // While another program holds the file the status line says the write waits.
    const bool waited = std::find(view.Repaints.begin(), view.Repaints.end(), SjisText(kStatusWaiting)) !=
                        view.Repaints.end();
    EXPECT_EQ(waited, c.output == TOutput::Held && kHeldFilesBlockRenames);
    if (c.drawn) {
      EXPECT_NE(ReadFile(output), host);
    }
    if (c.settingsFails) continue;
    const std::string saved = ReadFile(settings);
    EXPECT_THAT(saved, HasSjisSubstr("\r\nP\r\n"));  // the dialog's values either way
    const std::string drawnRecord = "0\r\n1\r\n0\r\n10\r\n0\r\n10\r\n70\r\n60\r\n30\r\n";
    EXPECT_THAT(saved, HasSjisSubstr(c.drawn ? drawnRecord : record));
  }
}

// A run without the dialog draws what OK would; a refusal has no dialog to go back to, so its
// reason is shown in the refusal box, titled with the mode, with how the dialog comes back, and
// the host gets "hq". Only the mode the box was ticked in runs so.
TEST(Form, QuickOkDrawsOrSaysWhyAndDrawsNothing) {
  const std::string host = "hq\r\nhp1 10 0\r\nhp2 10 70\r\nhp3 60 30\r\nhp4 80 40\r\n";
  const struct {
    const char* name;
    const char* edit1;
    const char* hostFile;
    std::string message;  // the box shown, empty for none
  } cases[] = {
      {"drawn", "1", nullptr, ""},
      {"a refused field", "0", nullptr, RefusedControlMessage("Edit1")},
      {"a refused dimension", "1", "hq\r\nhp1 10 0\r\nhp2 10 0\r\nhp3 60 30\r\nhp4 80 40\r\n",
       RefusalMessage(TRefusal::ZeroLength)},
  };
  const std::string back =
      "\n" + SjisText(kMessageDialogBack) + "q748set.bat" + SjisText(kMessageDialogBackEnd);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir("q748-form");
    WriteFile(dir.path() / "JWC_TEMP.TXT", c.hostFile ? c.hostFile : host);
    {
      TForm1 settings(dir.path(), nullptr);
      settings.Edit1.Text = c.edit1;
      settings.CheckBox6.Checked = true;
      ASSERT_EQ(settings.SaveSettings(settings.SettingsFile()), TWriteError::None);
    }
    EXPECT_TRUE(TForm1::SkipsDialog(dir.path(), {}));
    // Another direction's file is its own, and the other modes of the file keep their dialog.
    EXPECT_FALSE(TForm1::SkipsDialog(dir.path(), {.Direction = TDirection::Horizontal}));
    EXPECT_FALSE(TForm1::SkipsDialog(dir.path(), {.Next = TNext::Chain}));
    EXPECT_FALSE(TForm1::SkipsDialog(dir.path(), {.Pick = TPick::Line}));
    TRecordingView view;
    TForm1 f(dir.path(), &view);
    view.Form = &f;
    f.FormShow();
    f.QuickOk();
    EXPECT_TRUE(f.CloseRequested);
    EXPECT_TRUE(f.FocusControl.empty());
    EXPECT_EQ(f.FormClose(), true);
    ASSERT_EQ(view.Messages.size(), c.message.empty() ? 0u : 1u);
    if (!c.message.empty()) {
      EXPECT_EQ(view.Messages[0], c.message + back);
      EXPECT_EQ(view.Captions[0], SjisText("ソラトＫ - 確認"));
      EXPECT_EQ(ReadFile(dir.path() / "JWC_TEMP.TXT"), "hq\r\n");
    } else {
      // What OK in the dialog writes on the same files.
      TempDir same("q748-form");
      WriteFile(same.path() / "JWC_TEMP.TXT", host);
      fs::copy_file(dir.path() / "q746.dat", same.path() / "q746.dat");
      TForm1 dialog(same.path(), nullptr);
      dialog.FormShow();
      dialog.Button1Click();
      ASSERT_TRUE(dialog.CloseRequested && dialog.FormClose());
      EXPECT_EQ(ReadFile(dir.path() / "JWC_TEMP.TXT"), ReadFile(same.path() / "JWC_TEMP.TXT"));
      EXPECT_NE(ReadFile(dir.path() / "JWC_TEMP.TXT"), "hq\r\n");
    }
  }
  TempDir empty("q748-form");
  EXPECT_FALSE(TForm1::SkipsDialog(empty.path(), {}));  // no settings file: the dialog
}

// In the dialog a refusal's box names the mode and says why, nothing more: the dialog is there.
// The settings launcher's OK checks the fields and saves them, and draws nothing whatever the host
// handed over; the record of the last dimension stays.
TEST(Form, RefusalBoxNamesTheModeAndSettingsOnlyDrawsNothing) {
  const std::string record = "0\r\n1\r\n0\r\n10\r\n0\r\n10\r\n70\r\n60\r\n30\r\n";
  const struct {
    const char* name;
    TDimensionMode mode;
    bool settingsOnly;
    const char* edit1;
    const char* caption;  // of the refusal box; nullptr: none
    TRefusal refusal;
    bool closes;
  } cases[] = {
      {"a radius without a circle",
       {.Kind = TKind::Radius},
       false,
       "1",
       "ソラトＫ（半径） - 確認",
       TRefusal::NoCircle,
       false},
      {"an outside dimension without points",
       {.Direction = TDirection::Aligned, .Next = TNext::Outside},
       false,
       "1",
       "ソラトＫ（平行・外側追加） - 確認",
       TRefusal::MissingPoint,
       false},
      {"settings: no points needed", {.Kind = TKind::Radius}, true, "1", nullptr, TRefusal::None, true},
      {"settings: a refused field keeps the dialog",
       {.Next = TNext::Chain},
       true,
       "0",
       nullptr,
       TRefusal::None,
       false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir("q748-form");
    WriteFile(dir.path() / "JWC_TEMP.TXT", "hq\r\nhs 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1\r\n");
    TRecordingView view;
    TForm1 f(dir.path(), &view, c.mode);
    f.SettingsOnly = c.settingsOnly;
    // The starting values, with a record of the last dimension.
    ASSERT_EQ(TForm1(dir.path(), nullptr, c.mode).SaveSettings(f.SettingsFile()), TWriteError::None);
    std::string before = ReadFile(f.SettingsFile());
    std::size_t at = 0;
    for (int line = 1; line < kFirstRecordLine; ++line) at = before.find("\r\n", at) + 2;
    before.replace(at, 9 * 2, record);
    WriteFile(f.SettingsFile(), before);
    f.FormShow();
    f.Edit1.Text = c.edit1;
    f.Button1Click();
    EXPECT_EQ(f.CloseRequested, c.closes);
    ASSERT_EQ(view.Messages.size(), c.caption ? 1u : 0u);
    if (c.caption) {
      EXPECT_EQ(view.Captions[0], SjisText(c.caption));
      EXPECT_EQ(view.Messages[0], RefusalMessage(c.refusal));
    }
    if (c.settingsOnly && c.closes) {
      EXPECT_TRUE(f.FormClose());
      EXPECT_EQ(ReadFile(dir.path() / "JWC_TEMP.TXT"), "hq\r\n");
      const std::string saved = ReadFile(f.SettingsFile());
      EXPECT_NE(saved, before) << "the settings are saved";
      EXPECT_THAT(saved, HasSjisSubstr(record)) << "the record stays";
    } else if (!c.closes && c.settingsOnly) {
      EXPECT_EQ(f.FocusControl, "Edit1");
      EXPECT_EQ(ReadFile(f.SettingsFile()), before);
    }
  }
  // The settings launcher's dialog says that it draws nothing.
  TForm1 settings("", nullptr, {.Kind = TKind::Angle});
  settings.SettingsOnly = true;
  EXPECT_EQ(settings.Caption(), SjisText("ソラトＫ（角度） - 設定（作図しません）"));
}
