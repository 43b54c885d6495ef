// The entity commands' slots: which are text heads, the bounds of the degenerate-input tests,
// and the measured length a message falls back to. Whole lines are checked by the golden
// command files.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "JwwGaibu.h"

namespace {

TEST(EntityCommands, OnlyTextHeadsAreJoinedWithTheNextSlot) {
  JwwState st;
  JwwResetCurrent(st);
  JwwSetFontName(st, "<A\">");
  JwwAddZFlags(st, 31);
  JwwAddLine(st, 0, 0, 1, 1);
  JwwAddPoint(st, 1, 0, 0, 1, 0);
  JwwAddText(st, kJwwTextSloped, "1\"", 0, 0, 10, 0);
  JwwAddMessage(st, "2\"", 0, 0, 1, 0, 0, 0, 10, 0);
  std::vector<bool> joins;
  for (const TJwwOutputSlot& s : st.OutputLines) joins.push_back(s.JoinNext);
  // font, z1 z2 z3 z5, line, point, head, text, msg, line, head, text
  const std::vector<bool> expected = {false, false, false, false, false, false, false,
                                      true,  false, false, false, true,  false};
  EXPECT_EQ(joins, expected);
  EXPECT_EQ(st.OutputLines[7].Text, "cs 0 0 10 0 \"");
  EXPECT_EQ(st.OutputLines[11].Text, "cs 0 0 10 0 \"");
}

// How many slots each call appends, at the edges of the 1e-8 tolerance: a line needs a length of
// at least 1e-8 in x or y; a direction needs more than 1e-8 in x or y.
TEST(EntityCommands, SkipDegenerateInputAtTheTolerance) {
  struct Case {
    const char* name;
    std::function<void(JwwState&)> call;
    int32_t slots;
  };
  const Case cases[] = {
      {"line of 1e-8 in x", [](JwwState& st) { JwwAddLine(st, 0, 5, 1e-8, 5); }, 1},
      {"line of just under 1e-8 in both", [](JwwState& st) { JwwAddLine(st, 0, 0, 0.99e-8, -0.99e-8); }, 0},
      {"line reversed", [](JwwState& st) { JwwAddLine(st, 1, 1, 0, 1); }, 1},
      {"text direction of 1e-8", [](JwwState& st) { JwwAddText(st, kJwwTextSloped, "1", 0, 0, -1e-8, 1e-8); },
       0},
      {"text direction of 1.1e-8",
       [](JwwState& st) { JwwAddText(st, kJwwTextSloped, "1", 0, 0, 0, -1.1e-8); }, 2},
      {"text of controls and blanks",
       [](JwwState& st) { JwwAddText(st, kJwwTextSloped, "\x81\x40 \t\r\n", 0, 0, 10, 0); }, 0},
      {"text of one byte", [](JwwState& st) { JwwAddText(st, kJwwTextSloped, ".", 0, 0, 10, 0); }, 2},
      {"message without direction", [](JwwState& st) { JwwAddMessage(st, "1", 0, 0, 1, 0, 0, 0, 1e-8, 0); },
       0},
      {"message of 1e-8", [](JwwState& st) { JwwAddMessage(st, "1", 0, 0, 0, 1e-8, 0, 0, 1, 0); }, 4},
      {"point anywhere", [](JwwState& st) { JwwAddPoint(st, 99, 0, 0, 0, 0); }, 1},
      {"flags without known bits", [](JwwState& st) { JwwAddZFlags(st, 0xE0); }, 0},
      {"arc of radius 1e-8", [](JwwState& st) { JwwAddArc(st, 5, 5, 1e-8, 0, 90); }, 0},
      {"arc of radius -1e-8", [](JwwState& st) { JwwAddArc(st, 5, 5, -1e-8, 0, 90); }, 0},
      {"arc of radius 1.1e-8", [](JwwState& st) { JwwAddArc(st, 5, 5, 1.1e-8, 0, 90); }, 1},
      {"arc at an infinite centre", [](JwwState& st) { JwwAddArc(st, HUGE_VAL, 5, 1, 0, 90); }, 0},
      {"arc of radius NaN", [](JwwState& st) { JwwAddArc(st, 0, 5, std::nan(""), 0, 90); }, 0},
      {"arc to an infinite angle", [](JwwState& st) { JwwAddArc(st, 0, 5, 1, 0, -HUGE_VAL); }, 0},
  };
  for (const Case& c : cases) {
    JwwState st;
    c.call(st);
    EXPECT_EQ(st.OutputCount, c.slots) << c.name;
  }
}

// An arc is a circle of flatness 1 and tilt 0 with its angles, in the number forms of every
// command (15 significant digits, no noise below them), and reads back as an arc.
TEST(EntityCommands, ArcsAreWrittenAsTheReaderReadsThem) {
  JwwState st;
  JwwAddArc(st, -12.5, 0.1 + 0.2, 100, 30, 300);
  JwwAddArc(st, 1e16, 5e-5, 2.5, 359.999999999999999, 0);
  ASSERT_EQ(st.OutputCount, 2);
  EXPECT_EQ(st.OutputLines[0].Text, "ci -12.5 0.3 100 30 300 1 0");
  EXPECT_EQ(st.OutputLines[1].Text, "ci 1E16 5E-5 2.5 360 0 1 0");
  EXPECT_FALSE(st.OutputLines[0].JoinNext);
  JwwState back;
  JwwInit(back);
  JwwReadBuffer(back, "hq\r\n" + st.OutputLines[0].Text + "\r\n");
  ASSERT_EQ(back.Arcs.Count(), 1);
  const TJwwEntArc a = back.Arcs[0];
  EXPECT_EQ(a.X, -12.5);
  EXPECT_EQ(a.Radius, 100);
  EXPECT_EQ(a.Value4, 30);
  EXPECT_EQ(a.Value5, 300);
  EXPECT_EQ(a.Value6, 1);
  EXPECT_EQ(a.Value7, 0);
}

TEST(EntityCommands, BlankMessageShowsTheLengthToAMultipleOf1e8) {
  struct Case {
    double x1, y1, x2, y2;
    const char* text;
  };
  const Case cases[] = {
      {0, 0, 3, 4, "5"},
      {3, 4, 0, 0, "5"},
      {0, 0, 1, 1, "1.41421356"},
      {0, 0, 0, 2.000000004999, "2"},
      {0, 0, 0, 2.000000005001, "2.00000001"},
      {-1000, 0, 0, 0, "1000"},
      {0, 0, 0, 1e-8, "1E-8"},
  };
  for (const Case& c : cases) {
    JwwState st;
    JwwAddMessage(st, " \x81\x40", c.x1, c.y1, c.x2, c.y2, 0, 0, 10, 0);
    ASSERT_EQ(st.OutputCount, 4) << c.text;
    EXPECT_EQ(st.OutputLines[3].Text, c.text);
  }
}

}  // namespace
