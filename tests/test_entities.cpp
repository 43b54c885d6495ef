// The entity lines of JWC_TEMP.TXT: their records, the attributes stamped into them, blocks,
// solid reduction, growth of the lists and the cut of long texts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "JwwGaibu.h"

using namespace std::string_literals;

namespace {

const std::string kGothic = "<\x82\x6c\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4e>";

void Read(JwwState& st, const std::string& content) { JwwReadBuffer(st, content); }

std::vector<TJwwEntityKind> Kinds(const JwwState& st) {
  std::vector<TJwwEntityKind> kinds;
  for (const TJwwOrderItem& o : st.EntityOrder) kinds.push_back(o.Kind);
  return kinds;
}

void ExpectHead(const TJwwAttrHead& h, TJwwAttrHead e, const std::string& what) {
  EXPECT_EQ(h.HhpNo, e.HhpNo) << what;
  EXPECT_EQ(h.Group, e.Group) << what;
  EXPECT_EQ(h.Layer, e.Layer) << what;
  EXPECT_EQ(h.Colour, e.Colour) << what;
  EXPECT_EQ(h.LineType, e.LineType) << what;
  EXPECT_EQ(h.LineWidth, e.LineWidth) << what;
  EXPECT_EQ(h.ZFlags, e.ZFlags) << what;
}

// Which rule takes a line, by the list it lands in (0: none).
struct RuleCase {
  const char* Line;
  TJwwEntityKind Kind;  // kNone: no rule takes it
};
constexpr TJwwEntityKind kNone{};

TEST(EntityRules, WhichRuleTakesALine) {
  // clang-format off
  const RuleCase cases[] = {
      {"ci 1 2 3", TJwwEntityKind::Circle},        {"ci 1 2 3 4 5 6 7", TJwwEntityKind::Arc},    {"ci 1 2 3 4", kNone},
      {"ci 1 2 3 4 5 6", kNone},         {"ch 1 2 3 4 \"t", TJwwEntityKind::Text},     {"ch 1 2 3 4", kNone},
      {"cv 1 2 3", TJwwEntityKind::Line},          {"c3 1 2 3 4 \"t", kNone},          {"pt 1 2", TJwwEntityKind::Point},
      {"pt 1 2 3 4 5", TJwwEntityKind::PointEx},   {"pt 1 2 3", TJwwEntityKind::Line},           {"pt 1 2 3 4", kNone},
      {"BL 1 2 name", TJwwEntityKind::Block},      {"BL 1 2", kNone},                  {"sl 1 2 3 4", TJwwEntityKind::Solid2},
      {"sl 1 2 3 4 5 6", TJwwEntityKind::Solid3},  {"sl 1 2 3 4 5 6 7 8", TJwwEntityKind::Solid4}, {"sl 1 2 3", TJwwEntityKind::Line},
      {"sl 1 2 3 4 5", kNone},           {"sl 1 2 3 4 5 6 7", kNone},        {"sc 1 2 3 4 5 6 7 8", TJwwEntityKind::SolidSc},
      {"se 1 2 3 4 5 6 7 8", TJwwEntityKind::SolidSe}, {"so 1 2 3 4 5 6 7 8", TJwwEntityKind::SolidSo},
      {"sg 1 2 3 4 5 6 7 8", TJwwEntityKind::SolidSg}, {"sc 1 2 3 4 5 6 7", kNone},     {"sx 1 2 3 4 5 6 7 8", kNone},
      {"1 2 3 4", TJwwEntityKind::Line},           {"x y z w", TJwwEntityKind::Line},            {"1 2 3 4 ", kNone},
      {"1 2 3", kNone},                  {"1 2 3 4 5", kNone},               {"CI 1 2 3", TJwwEntityKind::Line},
      {"sl 1 2 3 4 5 6 7 8 9 10", TJwwEntityKind::Solid4},
  };
  // clang-format on
  for (const RuleCase& c : cases) {
    JwwState st;
    Read(st, c.Line);
    if (c.Kind == kNone) {
      EXPECT_EQ(st.EntityOrder.Count(), 0) << c.Line;
    } else {
      ASSERT_EQ(st.EntityOrder.Count(), 1) << c.Line;
      EXPECT_EQ(st.EntityOrder[0].Kind, c.Kind) << c.Line;
      EXPECT_EQ(st.EntityOrder[0].Index, 0) << c.Line;
    }
  }
}

TEST(EntityRules, RecordsCarryTheirFields) {
  JwwState st;
  Read(st,
       "ci 1.5 2.5 3.5\n"
       "ci 1 2 3 4 5 6 7\n"
       "pn4\npt 7 8\npt 1 2 0.5 45 9\n"
       "BL 10 20 door\n"
       "sc 1 2 3 4 5 6 7 8\nse 9 8 7 6 5 4 3 2\n"
       "so 1 2 3 4 5 6 7 8\nsg 8 7 6 5 4 3 2 1\n");
  ASSERT_EQ(st.Circles.Count(), 1);
  EXPECT_EQ(st.Circles[0].X, 1.5);
  EXPECT_EQ(st.Circles[0].Y, 2.5);
  EXPECT_EQ(st.Circles[0].Radius, 3.5);
  ASSERT_EQ(st.Arcs.Count(), 1);
  const TJwwEntArc& a = st.Arcs[0];
  EXPECT_EQ(a.X + 10 * a.Y + 100 * a.Radius, 321);
  EXPECT_EQ(a.Value4, 4);
  EXPECT_EQ(a.Value7, 7);
  ASSERT_EQ(st.Points.Count(), 1);
  EXPECT_EQ(st.Points[0].X, 7);
  EXPECT_EQ(st.Points[0].Y, 8);
  EXPECT_EQ(st.Points[0].Head.Colour, 4);  // the point colour, not the line colour
  ASSERT_EQ(st.PointsEx.Count(), 1);
  EXPECT_EQ(st.PointsEx[0].Scale, 0.5);
  EXPECT_EQ(st.PointsEx[0].Angle, 45);
  EXPECT_EQ(st.PointsEx[0].Code, 9);
  EXPECT_EQ(st.PointsEx[0].Head.Colour, 4);
  ASSERT_EQ(st.Blocks.Count(), 1);
  EXPECT_EQ(st.Blocks[0].X, 10);
  EXPECT_EQ(JwwStr(st, st.Blocks[0].Name), "door");
  ASSERT_EQ(st.SolidsSc.Count(), 1);
  EXPECT_EQ(st.SolidsSc[0].Values[0], 1);
  EXPECT_EQ(st.SolidsSc[0].Values[6], 7);
  EXPECT_EQ(st.SolidsSc[0].Code, 8);
  ASSERT_EQ(st.SolidsSe.Count(), 1);
  EXPECT_EQ(st.SolidsSe[0].Code, 2);
  ASSERT_EQ(st.SolidsSo.Count(), 1);
  EXPECT_EQ(st.SolidsSo[0].Values[7], 8);
  ASSERT_EQ(st.SolidsSg.Count(), 1);
  EXPECT_EQ(st.SolidsSg[0].Values[0], 8);
  EXPECT_EQ(Kinds(st), (std::vector<TJwwEntityKind>{
                           TJwwEntityKind::Circle, TJwwEntityKind::Arc, TJwwEntityKind::Point,
                           TJwwEntityKind::PointEx, TJwwEntityKind::Block, TJwwEntityKind::SolidSc,
                           TJwwEntityKind::SolidSe, TJwwEntityKind::SolidSo, TJwwEntityKind::SolidSg}));
}

TEST(EntityRules, HeadsAreStampedFromTheCurrentAttributes) {
  JwwState st;
  Read(st,
       "lg2\nly3\nlc4\nlt5\nlw6\nhhp7\nz1\nz3\n"
       "1 2 3 4\n"
       "ci 0 0 1\n"
       "lga\nlyb\nlc10 99\nz2\nsl 0 0 1 0\n");
  ASSERT_EQ(st.Lines.Count(), 1);
  ExpectHead(st.Lines[0].Head, {7, 2, 3, 4, 5, 6, 1 | 4}, "line");
  ExpectHead(st.Circles[0].Head, {7, 2, 3, 4, 5, 6, 0}, "circle: flags cleared by the line");
  ASSERT_EQ(st.Solids2.Count(), 1);
  ExpectHead(st.Solids2[0].Head, {7, 10, 11, 10, 5, 6, 2}, "solid");
  EXPECT_EQ(st.Solids2[0].SolidColour, 99);
  EXPECT_EQ(st.CurZFlags, 0);
}

// Thousands of states, each line under its own, then all of them again: every line reads back its
// own state, and a state that comes back takes its first number. The values sit at the edges of
// what a record's number codes itself (and beyond, and negative), where two states could be
// confused; only the states beyond take table entries.
TEST(EntityRules, ManyStatesKeepTheirOwnNumbers) {
  const int32_t hhp[] = {0, 1, 2, -1};
  const int32_t colours[] = {0, 1, 255, 256, -2, INT32_MAX};
  const int32_t types[] = {0, 1, 15, 16};
  const int32_t widths[] = {0, 31, 32, -3};
  const char* const zLines[] = {"", "\nz5", "\nz1\nz2\nz3\nz4\nz5"};
  const int32_t zFlags[] = {0, 16, 31};
  std::string content;
  std::vector<TJwwAttrHead> expected;
  int32_t beyond = 0;
  for (int round = 0; round < 2; ++round) {
    int n = 0;
    for (int32_t h : hhp)
      for (int32_t c : colours)
        for (int32_t t : types)
          for (int32_t w : widths)
            for (int g = 0; g < 16; g += 5) {
              const int z = n++ % 3;
              const int l = 15 - g;
              content += "hhp" + std::to_string(h) + "\nlg" + "0123456789abcdef"[g] + "\nly" +
                         "0123456789abcdef"[l] + "\nlc" + std::to_string(c) + "\nlt" + std::to_string(t) +
                         "\nlw" + std::to_string(w) + zLines[z] + "\n1 2 3 4\n";
              expected.push_back({h, g, l, c, t, w, zFlags[z]});
              if (round == 0 &&
                  !(h >= 0 && h <= 1 && c >= 0 && c <= 255 && t >= 0 && t <= 15 && w >= 0 && w <= 31))
                ++beyond;
            }
  }
  JwwState st;
  Read(st, content);
  ASSERT_EQ(st.Lines.Count(), static_cast<int32_t>(expected.size()));
  for (int32_t i = 0; i < st.Lines.Count(); ++i)
    ExpectHead(st.Lines[i].Head, expected[static_cast<std::size_t>(i)], "line " + std::to_string(i));
  const int32_t half = st.Lines.Count() / 2;
  for (int32_t i = 0; i < half; ++i)
    EXPECT_EQ(st.Lines.Records()[i].HeadNo, st.Lines.Records()[half + i].HeadNo) << i;
  // Each state beyond what a number codes once; the first, all zeros, is entry 0.
  EXPECT_GT(beyond, 0);
  EXPECT_EQ(st.Tables.Heads.Count(), beyond + 1);
}

TEST(EntityRules, TextKindsAndSizes) {
  const char* const keywords[] = {"ch", "cv", "cs", "cr", "co", "cp", "ct", "ck", "cz", "c2"};
  std::string content = "hcw 1 2 3 4 5 6 7 8 9 10\nhcc 11 12 13 14 15 16 17 18 19 20\ncn3\ncc12\n";
  for (const char* k : keywords) content += std::string(k) + " 1 2 3 4 \"" + k + "\n";
  content += "cn0 6.5 7.5 0.5 42\nch 0 0 1 0 \"free\ncn0 1 1\nch 0 0 1 0 \"still free\n";
  content += "cn11\nch 0 0 1 0 \"type 11\n";
  // Twice into one state, emptied between: nothing found for the first reading may be taken for
  // the second.
  JwwState st;
  for (int pass = 0; pass < 2; ++pass) {
    if (pass) JwwInit(st);
    Read(st, content);
    ASSERT_EQ(st.Texts.Count(), 13);
    for (int i = 0; i < 10; ++i) {
      const TJwwEntText& t = st.Texts[i];
      EXPECT_EQ(t.TextKind, i) << keywords[i];
      EXPECT_EQ(JwwStr(st, t.Text), keywords[i]);
      EXPECT_EQ(t.TextType, 3);
      EXPECT_EQ(t.TextCode, 1);
      EXPECT_EQ(t.Width, 3);
      EXPECT_EQ(t.Height, 3);  // "hch" never came: the default
      EXPECT_EQ(t.Head.Colour, 13);
      EXPECT_EQ(t.X, 1);
      EXPECT_EQ(t.Y, 2);
      EXPECT_EQ(t.DirX, 3);
      EXPECT_EQ(t.DirY, 4);
    }
    for (int i = 10; i < 13; ++i) {
      const TJwwEntText& t = st.Texts[i];
      EXPECT_EQ(t.Width, 6.5) << i;
      EXPECT_EQ(t.Height, 7.5) << i;
      EXPECT_EQ(t.Spacing, 0.5) << i;
      EXPECT_EQ(t.Head.Colour, 42) << i;
    }
    EXPECT_EQ(st.Texts[12].TextType, 11);
  }
}

TEST(EntityRules, FontNamesOfTexts) {
  JwwState st;
  Read(st, "ch 0 0 1 0 \"a\ncn$<A>\nch 0 0 1 0 \"b\nch 0 0 1 0 \"c\ncn$\nch 0 0 1 0 \"d\n");
  ASSERT_EQ(st.Texts.Count(), 4);
  EXPECT_EQ(JwwStr(st, st.Texts[0].FontName), kGothic);  // before any font line: the default
  EXPECT_EQ(JwwStr(st, st.Texts[1].FontName), "<A>");
  EXPECT_EQ(JwwStr(st, st.Texts[2].FontName), "<A>");
  EXPECT_EQ(JwwStr(st, st.Texts[3].FontName), "");
  // One pooled copy per font line, not one per text.
  EXPECT_EQ(st.Texts[1].FontName.Offset, st.Texts[2].FontName.Offset);
  EXPECT_EQ(st.Strings.size(), kGothic.size() + 3 + 4);
}

TEST(EntityRules, LongTextsAreCutTo255Bytes) {
  const std::string ascii(300, 'x');
  // Double-byte characters, the 128th straddling byte 255: the cut keeps 127 of them, 254 bytes.
  std::string wide;
  for (int i = 0; i < 140; ++i) wide += "\x82\xa0";
  const std::string font(300, 'f');
  JwwState st;
  Read(st, "BL 0 0 " + ascii + "\nch 0 0 1 0 \"" + ascii + "\nch 0 0 1 0 \"" + wide + "\ncn$" + font +
               "\nch 0 0 1 0 \"" + std::string(255, 'y'));
  ASSERT_EQ(st.Texts.Count(), 3);
  EXPECT_EQ(JwwStr(st, st.Texts[0].Text), ascii.substr(0, 255));
  EXPECT_EQ(JwwStr(st, st.Texts[2].Text), std::string(255, 'y'));
  EXPECT_EQ(JwwStr(st, st.Texts[2].FontName), font.substr(0, 255));
  EXPECT_EQ(st.CurFontName, font);                  // the attribute itself keeps the whole name
  EXPECT_EQ(JwwStr(st, st.Blocks[0].Name), ascii);  // block names have no limit
  std::string cutWide;
  for (int i = 0; i < 127; ++i) cutWide += "\x82\xa0";
  EXPECT_EQ(JwwStr(st, st.Texts[1].Text), cutWide);
}

TEST(EntityRules, PolylineBlocks) {
  JwwState st;
  Read(st,
       "1 1 1 1\n"
       "pl\n0 0 1 0\n1 0 1 1\n#\n"
       "2 2 2 2\n"
       "pl\n0 0 2 0\nci 0 0 1\n3 3 3 3\n"
       "pl\npl\n4 4 4 4\n");
  ASSERT_EQ(st.Lines.Count(), 7);
  const int32_t expected[] = {0, 1, 1, 0, 2, 0, 4};
  for (int i = 0; i < 7; ++i) EXPECT_EQ(st.Lines[i].PolylineNo, expected[i]) << i;
  EXPECT_EQ(st.PolylineCount, 4);
  EXPECT_TRUE(st.InPolyline);
}

TEST(EntityRules, MessageBlocks) {
  JwwState st;
  Read(st,
       "msg\ncs 5 6 1 0 \"first\n"  // no line of its own: the default message line
       "lg3\nz3\nmsg\n10 20 30 40\nz3\ncs 1 2 1 0 \"second\n"
       "cs 7 8 1 0 \"plain\n"        // after the block: an ordinary text
       "msg\nch 0 0 1 0 \"not cs\n"  // another text kind closes the block
       "cs 0 0 1 0 \"plain too\n"
       "msg\ncs 9 9 1 0 \"third\n"  // copies the previous block's line
       "msg\n50 60 70 80\n#\ncs 0 0 1 0 \"closed\n");
  ASSERT_EQ(st.Messages.Count(), 3);
  const TJwwEntMsg& m0 = st.Messages[0];
  ExpectHead(m0.Line.Head, {0, 0, 0, 1, 1, 0, 0}, "default line");
  EXPECT_EQ(m0.Line.X1, 0);
  EXPECT_EQ(m0.Line.X2, 1);
  EXPECT_EQ(m0.Text.TextKind, 2);
  EXPECT_EQ(JwwStr(st, m0.Text.Text), "first");
  const TJwwEntMsg& m1 = st.Messages[1];
  ExpectHead(m1.Line.Head, {0, 3, 0, 1, 1, 0, 4}, "message line");
  EXPECT_EQ(m1.Line.X1, 10);
  EXPECT_EQ(m1.Line.Y2, 40);
  EXPECT_EQ(m1.Line.PolylineNo, 0);
  EXPECT_EQ(m1.Text.Head.ZFlags, 4);
  EXPECT_EQ(m1.Text.Head.Colour, 2);  // the text type's colour
  EXPECT_EQ(m1.Text.X, 1);
  EXPECT_EQ(st.Messages[2].Line.X1, 10);
  EXPECT_EQ(JwwStr(st, st.Messages[2].Text.Text), "third");
  ASSERT_EQ(st.Texts.Count(), 4);
  EXPECT_EQ(st.Lines.Count(), 0);  // message lines make no entity of their own
  EXPECT_EQ(st.CurMessageLine.X1, 50);
  EXPECT_EQ(Kinds(st),
            (std::vector<TJwwEntityKind>{TJwwEntityKind::Msg, TJwwEntityKind::Msg, TJwwEntityKind::Text,
                                         TJwwEntityKind::Text, TJwwEntityKind::Text, TJwwEntityKind::Msg,
                                         TJwwEntityKind::Text}));
}

TEST(EntityRules, AnEntityClosesBothBlocks) {
  for (const char* entity : {"ci 0 0 1", "pt 1 1", "BL 0 0 b", "sl 0 0 1 1", "ch 0 0 1 0 \"t"}) {
    JwwState st;
    Read(st, "pl\n" + std::string(entity));
    EXPECT_FALSE(st.InPolyline) << entity;
    JwwState msg;
    Read(msg, "msg\n" + std::string(entity));
    EXPECT_FALSE(msg.InMessage) << entity;
  }
}

struct SolidCase {
  const char* Coordinates;  // after "sl"
  TJwwEntityKind Kind;
  std::vector<double> Points;  // x1 y1 x2 y2 ...
};

TEST(EntityRules, SolidReduction) {
  const SolidCase cases[] = {
      {"1 2 3 4", TJwwEntityKind::Solid2, {1, 2, 3, 4}},
      // Three points.
      {"1 2 1 2 5 6", TJwwEntityKind::Solid2, {1, 2, 5, 6}},
      {"1 2 3 4 3 4", TJwwEntityKind::Solid2, {1, 2, 3, 4}},
      {"1 2 3 4 1 2", TJwwEntityKind::Solid3, {1, 2, 3, 4, 1, 2}},  // P1 = P3 alone stays three
      {"1 2 3 4 5 6", TJwwEntityKind::Solid3, {1, 2, 3, 4, 5, 6}},
      // Four points, case by case in their order.
      {"1 1 1 1 1 1 1 1", TJwwEntityKind::Solid2, {1, 1, 1, 1}},
      {"1 1 1 1 1 1 9 9", TJwwEntityKind::Solid2, {1, 1, 9, 9}},
      {"0 0 2 2 2 2 2 2", TJwwEntityKind::Solid2, {0, 0, 2, 2}},
      {"0 0 0 0 3 3 3 3", TJwwEntityKind::Solid2, {0, 0, 3, 3}},
      {"0 0 1 0 1 1 0 0", TJwwEntityKind::Solid3, {0, 0, 1, 0, 1, 1}},
      {"0 0 1 0 1 1 1 0", TJwwEntityKind::Solid3, {0, 0, 1, 0, 1, 1}},
      {"0 0 1 0 1 1 1 1", TJwwEntityKind::Solid3, {0, 0, 1, 0, 1, 1}},
      {"0 0 1 0 0 0 1 1", TJwwEntityKind::Solid3, {0, 0, 1, 0, 1, 1}},
      {"0 0 1 0 1 0 1 1", TJwwEntityKind::Solid3, {0, 0, 1, 0, 1, 1}},
      {"0 0 0 0 1 0 1 1", TJwwEntityKind::Solid3, {0, 0, 1, 0, 1, 1}},
      {"0 0 1 0 1 1 0 1", TJwwEntityKind::Solid4, {0, 0, 1, 0, 1, 1, 0, 1}},
      // Equal within 1e-10 in both coordinates; 2e-10 apart is apart.
      {"0 0 1e-10 -1e-10 5 5", TJwwEntityKind::Solid2, {0, 0, 5, 5}},
      {"0 0 2e-10 0 5 5", TJwwEntityKind::Solid3, {0, 0, 2e-10, 0, 5, 5}},
      {"0 0 0 2e-10 5 5", TJwwEntityKind::Solid3, {0, 0, 0, 2e-10, 5, 5}},
  };
  for (const SolidCase& c : cases) {
    JwwState st;
    Read(st, "lc10 7\nsl " + std::string(c.Coordinates));
    ASSERT_EQ(st.EntityOrder.Count(), 1) << c.Coordinates;
    EXPECT_EQ(st.EntityOrder[0].Kind, c.Kind) << c.Coordinates;
    std::vector<double> got;
    if (c.Kind == TJwwEntityKind::Solid2 && st.Solids2.Count() == 1) {
      const TJwwEntSolid2& s = st.Solids2[0];
      got = {s.X1, s.Y1, s.X2, s.Y2};
      EXPECT_EQ(s.SolidColour, 7);
    } else if (c.Kind == TJwwEntityKind::Solid3 && st.Solids3.Count() == 1) {
      const TJwwEntSolid3& s = st.Solids3[0];
      got = {s.X1, s.Y1, s.X2, s.Y2, s.X3, s.Y3};
    } else if (c.Kind == TJwwEntityKind::Solid4 && st.Solids4.Count() == 1) {
      const TJwwEntSolid4& s = st.Solids4[0];
      got = {s.X1, s.Y1, s.X2, s.Y2, s.X3, s.Y3, s.X4, s.Y4};
    }
    EXPECT_EQ(got, c.Points) << c.Coordinates;
  }
}

TEST(EntityLists, GrowInStepsOf1000) {
  JwwState st;
  std::string thousand;
  for (int i = 0; i < 1000; ++i) thousand += "1 2 3 4\n";
  Read(st, thousand);
  EXPECT_EQ(st.Lines.Count(), 1000);
  EXPECT_EQ(st.Lines.Capacity(), 1000);
  EXPECT_EQ(st.EntityOrder.Capacity(), 1000);
  Read(st, "5 6 7 8\nci 0 0 1\n");
  EXPECT_EQ(st.Lines.Count(), 1001);
  EXPECT_EQ(st.Lines.Capacity(), 2000);
  EXPECT_EQ(st.Lines[999].X1, 1);
  EXPECT_EQ(st.Lines[1000].X1, 5);
  EXPECT_EQ(st.EntityOrder.Count(), 1002);
  EXPECT_EQ(st.EntityOrder.Capacity(), 2000);
  EXPECT_EQ(st.EntityOrder[1000].Index, 1000);
  EXPECT_EQ(st.EntityOrder[1001].Kind, TJwwEntityKind::Circle);
  EXPECT_EQ(st.EntityOrder[1001].Index, 0);
  EXPECT_EQ(st.Circles.Capacity(), 1000);
  JwwInit(st);
  EXPECT_EQ(st.Lines.Count(), 0);
  EXPECT_EQ(st.Lines.Capacity(), 0);
  EXPECT_EQ(st.EntityOrder.Count(), 0);
}

}  // namespace
