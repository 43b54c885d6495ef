// The attribute commands' state: what each keeps as current, when it is pending, and the
// numbering maps. The lines they write are checked byte for byte by the golden command files.
#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <string>
#include <vector>

#include "JwwGaibu.h"

namespace {

std::vector<std::string> Slots(const JwwState& st) {
  std::vector<std::string> texts;
  for (const TJwwOutputSlot& s : st.OutputLines) texts.push_back(s.Text);
  return texts;
}

TEST(Attributes, MapListNumbersToTheHostsNumbering) {
  JwwState st;
  st.FirstLineColour = 6;
  st.FirstLineType = 4;
  struct Case {
    int32_t n, colour, lineType;
  };
  const Case cases[] = {
      {INT_MIN, 6, 4},
      {-1, 6, 4},
      {0, 6, 4},
      {1, 1, 1},
      {9, 9, 9},
      {10, 101, 11},
      {11, 102, 12},
      {18, 109, 19},
      {19, 110, 31},
      {20, 111, 32},
      {INT_MAX, INT_MAX, INT_MAX},  // no overflow at the top of the range
  };
  for (const Case& c : cases) {
    EXPECT_EQ(JwwMapColourNo(st, c.n), c.colour) << c.n;
    EXPECT_EQ(JwwMapLineTypeNo(st, c.n), c.lineType) << c.n;
  }
}

// Each command of the common rule: its pending flag, the current value it keeps, and a run of
// calls with the value each should leave current and the line it should append (empty: none).
TEST(Attributes, WriteOnlyWhenPendingOrChangedAndKeepTheValue) {
  struct Call {
    int32_t n;
    const char* line;
    int32_t current;
  };
  struct Case {
    const char* name;
    std::function<void(JwwState&, int32_t)> set;
    int pending;
    int32_t JwwState::*current;
    std::vector<Call> calls;
  };
  const Case cases[] = {
      {"group",
       JwwSetGroup,
       1,
       &JwwState::CurGroup,
       {{0, "lg0", 0}, {0, "", 0}, {15, "lgF", 15}, {-1, "lgFFFFFFFF", -1}}},
      {"layer", JwwSetLayer, 2, &JwwState::CurLayer, {{0, "ly0", 0}, {0, "", 0}, {11, "lyB", 11}}},
      {"line colour",
       [](JwwState& st, int32_t n) { JwwSetLineColour(st, n, TJwwNumberMode::List); },
       3,
       &JwwState::CurLineColour,
       {{1, "lc1", 1}, {1, "", 1}, {10, "lc101", 101}, {10, "", 101}, {0, "lc5", 5}}},
      {"line type",
       [](JwwState& st, int32_t n) { JwwSetLineType(st, n, TJwwNumberMode::List); },
       4,
       &JwwState::CurLineType,
       {{1, "lt1", 1}, {11, "lt12", 12}, {12, "lt13", 13}, {-2, "lt3", 3}}},
      {"line width",
       JwwSetLineWidth,
       5,
       &JwwState::CurLineWidth,
       {{0, "lw0", 0}, {-1, "lw8", 8}, {8, "", 8}, {30001, "lw0", 0}, {-5, "", 0}}},
      {"text code",
       JwwSetTextCode,
       7,
       &JwwState::CurTextCode,
       {{0, "cc0", 0}, {9, "", 0}, {-1, "", 0}, {8, "cc8", 8}}},
      {"point colour",
       [](JwwState& st, int32_t n) { JwwSetPointColour(st, n, TJwwNumberMode::None); },
       9,
       &JwwState::CurPointColour,
       {{1, "pn1", 1}, {1, "", 1}, {0, "pn0", 0}, {12, "pn12", 12}}},
  };
  for (const Case& c : cases) {
    JwwState st;
    st.FirstLineColour = 5;
    st.FirstLineType = 3;
    st.FirstLineWidth = 8;
    JwwResetCurrent(st);
    for (const Call& call : c.calls) {
      const int32_t before = st.OutputCount;
      c.set(st, call.n);
      const std::string expected = call.line;
      if (expected.empty()) {
        EXPECT_EQ(st.OutputCount, before) << c.name << " " << call.n;
      } else {
        ASSERT_EQ(st.OutputCount, before + 1) << c.name << " " << call.n;
        EXPECT_EQ(st.OutputLines.back().Text, expected) << c.name;
        EXPECT_FALSE(st.OutputLines.back().JoinNext) << c.name;
      }
      EXPECT_EQ(st.*c.current, call.current) << c.name << " " << call.n;
      EXPECT_FALSE(st.AttrPending[c.pending]) << c.name;
    }
  }
}

TEST(Attributes, OnlyAWrittenGroupMakesTheLayerPending) {
  JwwState st;
  JwwResetCurrent(st);
  JwwSetGroup(st, 2);
  EXPECT_TRUE(st.AttrPending[2]);
  JwwSetLayer(st, 5);
  EXPECT_FALSE(st.AttrPending[2]);
  JwwSetGroup(st, 2);  // no line, so the layer stays stated
  EXPECT_FALSE(st.AttrPending[2]);
  JwwSetGroup(st, 4);
  EXPECT_TRUE(st.AttrPending[2]);
  JwwSetLayer(st, 5);
  EXPECT_EQ(Slots(st), (std::vector<std::string>{"lg2", "ly5", "lg4", "ly5"}));
  // The group is the only command that touches another command's flag.
  for (int i = 3; i <= 9; ++i) EXPECT_TRUE(st.AttrPending[i]) << i;
}

TEST(Attributes, TextTypeKeepsFreeSizesOnlyForTypeZero) {
  JwwState st;
  st.FirstTextType = 0;
  st.FirstFreeText = TJwwTextType{4, 5, 0.5, 7};
  JwwResetCurrent(st);

  JwwSetTextType(st, 3, 12, TJwwNumberMode::List, 9, 9, 9);
  EXPECT_EQ(st.CurTextType, 3);
  EXPECT_EQ(st.CurFreeText.Width, 2.0);  // untouched by a numbered type
  EXPECT_EQ(st.CurFreeText.Colour, 1);
  EXPECT_FALSE(st.AttrPending[6]);

  JwwSetTextType(st, 0, 12, TJwwNumberMode::List, 2.5, 3, 0.125);
  EXPECT_EQ(st.CurTextType, 0);
  EXPECT_EQ(st.CurFreeText.Width, 2.5);
  EXPECT_EQ(st.CurFreeText.Height, 3.0);
  EXPECT_EQ(st.CurFreeText.Spacing, 0.125);
  EXPECT_EQ(st.CurFreeText.Colour, 103);

  // Each field alone counts as a change; the same four values do not.
  const int32_t before = st.OutputCount;
  JwwSetTextType(st, 0, 103, TJwwNumberMode::None, 2.5, 3, 0.125);
  EXPECT_EQ(st.OutputCount, before);
  JwwSetTextType(st, 0, 104, TJwwNumberMode::None, 2.5, 3, 0.125);
  JwwSetTextType(st, 0, 104, TJwwNumberMode::None, 2.5, 3, 0.25);
  JwwSetTextType(st, 0, 104, TJwwNumberMode::None, 2.25, 3, 0.25);
  JwwSetTextType(st, 0, 104, TJwwNumberMode::None, 2.25, 3.5, 0.25);
  EXPECT_EQ(st.OutputCount, before + 4);

  // Out of range: the host's first text type, here free, with its first free sizes.
  JwwSetTextType(st, 99, 1, TJwwNumberMode::None, 1, 1, 1);
  EXPECT_EQ(st.OutputLines.back().Text, "cn0 4 5 0.5 7");
  EXPECT_EQ(st.CurFreeText.Colour, 7);
}

TEST(Attributes, FontNameFallsBackToTheHostsFirstFont) {
  const std::string gothic(kJwwDefaultFont);
  struct Case {
    const char* name;
    std::string firstFont;
    std::vector<std::string> calls;
    std::vector<std::string> lines;
    std::string current;
  };
  const Case cases[] = {
      {"default font is still written once", "", {gothic, gothic}, {"cn\"$" + gothic}, gothic},
      {"no name and no host font", "", {"", "<>"}, {"cn\"$"}, ""},
      {"no name: the host's font", "<Arial>", {"<>", "", "<Arial>"}, {"cn\"$<Arial>"}, "<Arial>"},
      {"case counts", "", {"<Arial>", "<ARIAL>"}, {"cn\"$<Arial>", "cn\"$<ARIAL>"}, "<ARIAL>"},
  };
  for (const Case& c : cases) {
    JwwState st;
    st.FirstFontName = c.firstFont;
    JwwResetCurrent(st);
    for (const std::string& name : c.calls) JwwSetFontName(st, name);
    EXPECT_EQ(Slots(st), c.lines) << c.name;
    EXPECT_EQ(st.CurFontName, c.current) << c.name;
    EXPECT_FALSE(st.AttrPending[8]) << c.name;
    for (const TJwwOutputSlot& s : st.OutputLines) EXPECT_FALSE(s.JoinNext) << c.name;
  }
}

}  // namespace
