// The entity commands' slots: which are text heads, the bounds of the degenerate-input tests,
// and the measured length a message falls back to; entities written back as they were read.
// Whole lines of the dimensions are checked by the golden command files.
#include <gtest/gtest.h>

#include <initializer_list>
#include <charconv>
#include <cmath>
#include <functional>
#include <map>
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

// ---- Writing back what was read ----------------------------------------------------------------

// The header of a selection: scale 1/50, the host's ten text types (their colours 1..5), its
// current attributes and font.
const std::string kSelectionHeader =
    "hq\r\nhk 0\r\nhs 50 50 50 50 50 50 50 50 50 50 50 50 50 50 50 50\r\n"
    "hcw 2 2.5 3 4 5 6 7 8 9 10\r\nhch 2 2.5 3 4 5 6 7 8 9 10\r\nhcd 0 0 0.5 0.5 0.5 0.5 1 1 1 1\r\n"
    "hcc      1      1      2      2      3      3      4      4      5      5\r\nhn 0 0 1000 1000\r\n"
    "hp1 100 200\r\nlg0\r\nly2\r\nlc3\r\nlt1\r\nlw0\r\ncn3\r\n"
    "cn\"$<\x82\x6c\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4e>\r\n";

std::string Num(double v) {
  char buf[32];
  return std::string(buf, std::to_chars(buf, buf + sizeof buf, v).ptr);  // exact, -0 apart from 0
}

std::string Head(const TJwwAttrHead& h) {
  std::string s;
  for (int32_t x : {h.HhpNo, h.Group, h.Layer, h.Colour, h.LineType, h.LineWidth, h.ZFlags})
    s += std::to_string(x) + ",";
  return s;
}

std::string Text(const JwwState& st, const TJwwEntText& t) {
  std::string s = Head(t.Head) + " kind " + std::to_string(t.TextKind) + " code " +
                  std::to_string(t.TextCode) + " type " + std::to_string(t.TextType);
  for (double v : {t.Width, t.Height, t.Spacing, t.X, t.Y, t.DirX, t.DirY}) s += " " + Num(v);
  return s + " font " + std::string(JwwStr(st, t.FontName)) + " text " + std::string(JwwStr(st, t.Text));
}

// Every field of an entity read, attributes included, in one line.
std::string Record(const JwwState& st, TJwwOrderItem item) {
  const auto nums = [](std::string s, std::initializer_list<double> values) {
    for (double v : values) s += " " + Num(v);
    return s;
  };
  const int32_t i = item.Index;
  switch (item.Kind) {
    case TJwwEntityKind::Line: {
      const TJwwEntLine l = st.Lines[i];
      return nums("line " + Head(l.Head) + std::to_string(l.PolylineNo), {l.X1, l.Y1, l.X2, l.Y2});
    }
    case TJwwEntityKind::Circle: {
      const TJwwEntCircle c = st.Circles[i];
      return nums("circle " + Head(c.Head), {c.X, c.Y, c.Radius});
    }
    case TJwwEntityKind::Arc: {
      const TJwwEntArc a = st.Arcs[i];
      return nums("arc " + Head(a.Head), {a.X, a.Y, a.Radius, a.Value4, a.Value5, a.Value6, a.Value7});
    }
    case TJwwEntityKind::Point: {
      const TJwwEntPoint p = st.Points[i];
      return nums("point " + Head(p.Head), {p.X, p.Y});
    }
    case TJwwEntityKind::PointEx: {
      const TJwwEntPointEx p = st.PointsEx[i];
      return nums("marker " + Head(p.Head) + std::to_string(p.Code), {p.X, p.Y, p.Scale, p.Angle});
    }
    case TJwwEntityKind::Text: return "text " + Text(st, st.Texts[i]);
    case TJwwEntityKind::Msg: {
      const TJwwEntMsg m = st.Messages[i];
      const TJwwEntLine& l = m.Line;
      return nums("msg " + Head(l.Head) + std::to_string(l.PolylineNo), {l.X1, l.Y1, l.X2, l.Y2}) + " / " +
             Text(st, m.Text);
    }
    default: return "kind " + std::to_string(static_cast<int>(item.Kind));
  }
}

std::vector<std::string> Records(const JwwState& st) {
  std::vector<std::string> v;
  for (const TJwwOrderItem item : st.EntityOrder) v.push_back(Record(st, item));
  return v;
}

// A state line written while its attribute already had that value: the attribute commands write
// one only on a change. A layer may follow a group again, as a new group makes the host forget it.
std::string RepeatedStateLine(const JwwState& out) {
  std::map<std::string, std::string> last;
  for (std::size_t i = 0; i < out.OutputLines.size(); ++i) {
    const std::string& line = out.OutputLines[i].Text;
    if (out.OutputLines[i].JoinNext) {
      ++i;  // a text's head and the text itself
      continue;
    }
    std::string family = line.substr(0, 2);
    if (line.rfind("cn\"", 0) == 0) family = "font";
    if (family == "lg") last.erase("ly");
    if (family != "lg" && family != "ly" && family != "lc" && family != "lt" && family != "lw" &&
        family != "cn" && family != "cc" && family != "pn" && family != "font")
      continue;
    if (last.count(family) && last[family] == line) return line;
    last[family] = line;
  }
  return "";
}

// Read a selection, write every entity back into a fresh output state as the dimension code makes
// one, read that again under the same header: the same records in the same order, each state line
// only where it changes.
TEST(WriteBack, EveryKindReadsBackAsItWasRead) {
  struct Case {
    const char* name;
    std::string entities;
    std::vector<std::string> lines;  // lines the output must hold, in the real form where it reads back
  };
  const Case cases[] = {
      {"a dimension of the host's: a line and its value, marked z3",
       "z3\r\n0 0 1500 0\r\nz3\r\ncs 700 50 10 0 \"1500\r\n",
       {"z3", "0 0 1500 0", "cs 700 50 10 0 \"1500"}},
      {"lines under several groups, layers, colours, types and widths, one of no length",
       "lc2\r\nlt2\r\nlw5\r\n0 0 10 10\r\n10 10 20 0\r\nlg1\r\nly5\r\n-5 -5 -5 -5\r\nlga\r\nlyf\r\nlc103\r\nlt31\r\n"
       "lw0\r\n1 2 3 4\r\nlg1\r\nly5\r\n5 6 7 8\r\n",
       {"lgA", "lyF", "lc103", "lt31", "-5 -5 -5 -5"}},
      {"a whole circle, a tilted arc, an ellipse, with every flag",
       "ly4\r\nlc6\r\nci 50 50 25\r\nz1\r\nz4\r\nz5\r\nci 0 0 100 285.029296875 15.029296875 1 74.9706878662109\r\n"
       "z2\r\nci 10 -10 30 0 180 0.5 30\r\n",
       {"ci 50 50 25", "z4", "z5", "ci 0 0 100 285.029296875 15.029296875 1 74.9706878662109",
        "ci 10 -10 30 0 180 0.5 30"}},
      {"a plain point and markers in point colours",
       "pn4\r\npt 5 5\r\nz3\r\npt 6 6 1.5 45 3\r\npn7\r\nlt3\r\npt -1 -2 1 0 -7\r\n",
       {"pn4", "pt 5 5", "pt 6 6 1.5 45 3", "pn7", "pt -1 -2 1 0 -7"}},
      {"texts of every keyword, text type, free size, code and font",
       "ch 0 0 1 0 \"  two  blanks \r\ncv 0 0 0 1 \"tate\r\ncn0 2.5 3.5 0.25 7\r\ncc3\r\n"
       "cn\"$<\x82\x6c\x82\x72 \x96\xbe\x92\xa9>\r\ncr 1 1 0.707106781186548 0.707106781186548 \"\x82\x71"
       "50\r\n"
       "co 2 2 10 0 \"\x83\xd3"
       "100\r\ncp 3 3 0 10 \"30\x81\x8b\r\ncn7\r\ncc0\r\nct 4 4 10 0 \"1200\r\n"
       "ck 5 5 10 0 \"k\r\ncz 6 6 10 0 \"z\r\nc2 7 7 10 0 \"2\r\ncn0 2.5 3.5 0.25 8\r\nch 8 8 10 0 \"\r\n",
       {"cn0 2.5 3.5 0.25 7", "cc3", "cn\"$<\x82\x6c\x82\x72 \x96\xbe\x92\xa9>",
        "cr 1 1 0.707106781186548 0.707106781186548 \"\x82\x71"
        "50",
        "cn7", "cn0 2.5 3.5 0.25 8"}},
      {"a dimension entity whose line and text differ in layer, colour and flags",
       "lc2\r\nmsg\r\nz3\r\n0 100 200 100\r\nly6\r\ncn5\r\nz3\r\nz1\r\ncs 100 101 10 0 \"200\r\n0 0 1 1\r\n",
       {"msg", "0 100 200 100", "ly6", "cn5", "cs 100 101 10 0 \"200"}},
      {"numbers that fifteen digits do not hold",
       "0.30000000000000004 -0 1e300 1.2345678901234566e-7\r\nci 0 0 0.1 0 360 1 0\r\n",
       {"0.30000000000000004 -0 1E300 1.2345678901234566e-07", "ci 0 0 0.1 0 360 1 0"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    JwwState host;
    JwwReadBuffer(host, kSelectionHeader + c.entities);
    ASSERT_GT(host.EntityOrder.Count(), 0);
    JwwState out;
    JwwCopyHostValues(host, out);
    for (const TJwwOrderItem item : host.EntityOrder) {
      EXPECT_TRUE(JwwCanWriteBack(host, item)) << Record(host, item);
      EXPECT_TRUE(JwwAddEntityAsRead(out, host, item)) << Record(host, item);
    }
    JwwState back;
    JwwReadBuffer(back, kSelectionHeader + JwwOutputText(out));
    EXPECT_EQ(Records(back), Records(host));
    EXPECT_EQ(RepeatedStateLine(out), "");
    const std::string text = JwwOutputText(out);
    for (const std::string& line : c.lines)
      EXPECT_NE(text.find(line + "\r\n"), std::string::npos) << "no line \"" << line << "\" in\n" << text;
  }
}

// What cannot be put back as it was is not written at all: blocks and solids (the reader keeps
// too little of them), segments of curves, and what the attribute commands or the reader would
// change.
TEST(WriteBack, WhatCannotBePutBackWritesNothing) {
  const std::string longText(254, 'a');
  struct Case {
    const char* name;
    std::string entities;
    TJwwEntityKind kind;
    bool kindWritable, writable;
  };
  const Case cases[] = {
      {"a block", "BL 10 20 door\r\n", TJwwEntityKind::Block, false, false},
      {"a solid of four points", "sl 0 0 1 0 1 1 0 1\r\n", TJwwEntityKind::Solid4, false, false},
      {"a solid of two points", "sl 0 0 1 0\r\n", TJwwEntityKind::Solid2, false, false},
      {"a solid of three points", "sl 0 0 1 0 1 1\r\n", TJwwEntityKind::Solid3, false, false},
      {"a solid arc", "sc 0 0 1 0 90 1 0 5\r\n", TJwwEntityKind::SolidSc, false, false},
      {"a solid arc band", "se 0 0 1 0 90 1 0 5\r\n", TJwwEntityKind::SolidSe, false, false},
      {"a solid of eight", "so 0 0 1 0 1 1 0 1\r\n", TJwwEntityKind::SolidSo, false, false},
      {"a solid of eight, gradient", "sg 0 0 1 0 1 1 0 1\r\n", TJwwEntityKind::SolidSg, false, false},
      {"a segment of a curve", "pl\r\n0 0 1 1\r\n", TJwwEntityKind::Line, true, false},
      {"a line after a curve", "pl\r\n0 0 1 1\r\n#\r\n1 1 2 2\r\n", TJwwEntityKind::Line, true, true},
      {"a text type the host has not", "cn11\r\nch 0 0 1 0 \"a\r\n", TJwwEntityKind::Text, true, false},
      {"a text that may have been cut", "ch 0 0 1 0 \"" + longText + "\r\n", TJwwEntityKind::Text, true,
       false},
      {"a text surely whole", "ch 0 0 1 0 \"" + longText.substr(1) + "\r\n", TJwwEntityKind::Text, true,
       true},
      {"a text in no font, which the font command fills in", "cn\"$<>\r\nch 0 0 1 0 \"a\r\n",
       TJwwEntityKind::Text, true, false},
      {"a dimension entity in no font", "cn\"$<>\r\nmsg\r\n0 0 1 0\r\ncs 0 0 1 0 \"1\r\n",
       TJwwEntityKind::Msg, true, false},
      {"a width the width command does not write", "lw30001\r\n0 0 1 1\r\n", TJwwEntityKind::Line, true,
       false},
      {"the widest width it writes", "lw30000\r\n0 0 1 1\r\n", TJwwEntityKind::Line, true, true},
      {"a marker of a width it does not write", "lw-2\r\npt 0 0 1 0 3\r\n", TJwwEntityKind::PointEx, true,
       false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    JwwState host;
    JwwReadBuffer(host, kSelectionHeader + c.entities);
    ASSERT_GT(host.EntityOrder.Count(), 0);
    const TJwwOrderItem item = host.EntityOrder[host.EntityOrder.Count() - 1];
    ASSERT_EQ(item.Kind, c.kind);
    EXPECT_EQ(JwwCanWriteBack(item.Kind), c.kindWritable);
    EXPECT_EQ(JwwCanWriteBack(host, item), c.writable);
    JwwState out;
    JwwCopyHostValues(host, out);
    EXPECT_EQ(JwwAddEntityAsRead(out, host, item), c.writable);
    if (!c.writable) {
      EXPECT_EQ(out.OutputCount, 0);
    }
  }
  // An item that is not in its list.
  JwwState host;
  JwwReadBuffer(host, kSelectionHeader + "0 0 1 1\r\n");
  JwwState out;
  EXPECT_FALSE(JwwCanWriteBack(host, TJwwOrderItem{TJwwEntityKind::Line, 1}));
  EXPECT_FALSE(JwwAddEntityAsRead(out, host, TJwwOrderItem{TJwwEntityKind::Circle, 0}));
  EXPECT_EQ(out.OutputCount, 0);
}

}  // namespace
