// Reading JWC_TEMP.TXT: the tokenizer, the keyword rules in their order, line ends, the host's
// own sample files, and inputs that are no proper exchange file at all.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <cstdint>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "CommandLine.h"
#include "JwwGaibu.h"
#include "MyFunc.h"
#include "ReadNumbers.h"
#include "ReadRules.h"
#include "TestSupport.h"
#include "Tokenizer.h"

namespace fs = std::filesystem;
using namespace std::string_literals;

namespace {

// "ＭＳ ゴシック" and "ＭＳ 明朝" in Shift-JIS.
const std::string kGothic = "<\x82\x6c\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4e>";
const std::string kMincho = "<\x82\x6c\x82\x72 \x96\xbe\x92\xa9>";

// ---- Tokenizer ----------------------------------------------------------------------------------

struct TokenCase {
  std::string Line;
  std::vector<std::string> Tokens;
  int32_t Count;
};

TEST(Tokenizer, SplitsByteForByte) {
  // clang-format off
  const TokenCase cases[] = {
      {"hk 0", {"hk", "0"}, 2},
      {"hk 30 ", {"hk", "30", ""}, 3},  // a trailing blank opens an empty token and counts
      {"  lg0", {"lg0"}, 1},
      {"a  b\t\tc", {"a", "b", "c"}, 3},
      {"hcc      1      2", {"hcc", "1", "2"}, 3},
      {"ch 1 2 3 4 \"text with  \"quote\" = and\ttab",
       {"ch", "1", "2", "3", "4", "text with  \"quote\" = andtab"}, 6},
      {"ch 1 2 3 4 \"", {"ch", "1", "2", "3", "4", ""}, 6},
      {"ch 1 2 3 4\"x y", {"ch", "1", "2", "3", "4x y"}, 5},
      {"file=C:\\jww\\a b\tc.jww", {"file=C:\\jww\\a bc.jww"}, 1},
      {"a=b c", {"a=b c"}, 1},
      {"a =b c", {"a", "=b c"}, 2},
      {"\"abc def", {"abc def"}, 1},
      {"cn\"$" + kMincho, {"cn$" + kMincho}, 1},
      {"cn\"$" + kGothic + "/", {"cn$" + kGothic + "/"}, 1},
      // A full-width blank is a character, never a separator.
      {"a\x81\x40" "b c", {"a\x81\x40" "b", "c"}, 2},
      // The byte after a lead byte goes with it, quote, blank or control alike.
      {"\x82\x22x y", {"\x82\x22x", "y"}, 2},
      {"\x82 x", {"\x82 x"}, 1},
      {"\x81\x09x", {"\x81\x09x"}, 1},
      {"\x80 x \xFD y", {"\x80 x", "\xFD y"}, 2},
      {"\xA0 \xDF x", {"\xA0", "\xDF", "x"}, 3},  // single-byte katakana range: no lead bytes
      // A lone lead byte at the line's end is dropped.
      {"ab\x82", {"ab"}, 1},
      {"ab \x82", {"ab", ""}, 2},
      {"\"ab\x9F", {"ab"}, 1},
      // Controls (Ctrl-Z and NUL among them), 0xFE and 0xFF are dropped.
      {"l\x01g\x1A" "0", {"lg0"}, 1},
      {"a\xFE" "b\xFF" " c\0d"s, {"ab", "cd"}, 2},
      {"x \"a\tb\x1A" "c", {"x", "abc"}, 2},
      {"~\x7F", {"~\x7F"}, 1},
  };
  // clang-format on
  TTokenizer tokenizer;
  for (const TokenCase& c : cases) {
    const TTokens& t = tokenizer.Split(c.Line);
    EXPECT_EQ(t.Count, c.Count) << c.Line;
    for (int i = 0; i < kJwwMaxTokens; ++i) {
      const auto n = static_cast<std::size_t>(i);
      const std::string expected = n < c.Tokens.size() ? c.Tokens[n] : "";
      EXPECT_EQ(std::string(t[i]), expected) << c.Line << " token " << i;
    }
  }
}

TEST(Tokenizer, EmptyLines) {
  TTokenizer tokenizer;
  for (const std::string& line :
       {""s, "   "s, " \t \t"s, "\x01\x02\x1A"s, "\0\0"s, "\xFE\xFF"s, "\x82"s, "\""s, "\t\""s})
    EXPECT_TRUE(tokenizer.Split(line).Empty()) << line;
  EXPECT_FALSE(tokenizer.Split("a").Empty());
  EXPECT_FALSE(tokenizer.Split(" a ").Empty());
}

TEST(Tokenizer, TokensBeyondTheArrayAreDroppedButCounted) {
  std::string line;
  for (int i = 1; i <= 40; ++i) line += std::to_string(i) + " ";
  TTokenizer tokenizer;
  const TTokens& t = tokenizer.Split(line);
  EXPECT_EQ(t.Count, 41);  // forty numbers and the empty token after the trailing blank
  EXPECT_EQ(t[0], "1");
  EXPECT_EQ(t[31], "32");

  line.pop_back();
  EXPECT_EQ(tokenizer.Split(line).Count, 40);
  // Past the array a quote still ends splitting, and a lone lead byte is still dropped.
  EXPECT_EQ(tokenizer.Split(line + " \"a b c d").Count, 41);
  EXPECT_EQ(tokenizer.Split(line + " \x82\x40 \x82").Count, 42);
  // A new line starts with empty tokens again.
  const TTokens& u = tokenizer.Split("x y");
  EXPECT_EQ(u.Count, 2);
  EXPECT_EQ(u[2], "");
  EXPECT_EQ(u[31], "");
}

TEST(Tokenizer, HugeLines) {
  TTokenizer tokenizer;
  std::string many;
  for (int i = 0; i < 100000; ++i) many += "ab ";
  EXPECT_EQ(tokenizer.Split(many).Count, 100001);
  const std::string one(4 << 20, 'x');
  const TTokens& t = tokenizer.Split("\"" + one);
  EXPECT_EQ(t.Count, 1);
  EXPECT_EQ(t[0].size(), one.size());
}

// Reading CONTENT with the fast path must leave what reading every line through the tokenizer
// leaves, to the last field (compared as the JSON dump of the whole state).
// The fast path, and reading with two threads in small and large blocks, leave the state the
// tokenizer leaves.
std::string Repeat(const std::string& s, int n) {
  std::string r;
  for (int i = 0; i < n; ++i) r += s;
  return r;
}

void ExpectFastAsGeneral(const std::string& content, const std::string& what) {
  JwwState fast, general;
  ReadBufferWith(fast, content, true);
  ReadBufferWith(general, content, false);
  const std::string expected = JwwStateToJson(general);
  ASSERT_EQ(JwwStateToJson(fast), expected) << what;
  for (std::size_t block : {16u, 4096u}) {
    JwwState two;
    EXPECT_TRUE(ReadBufferInTwo(two, content, block));
    ASSERT_EQ(JwwStateToJson(two), expected) << what << ", two threads, blocks of " << block;
  }
}

TEST(FastLines, SameStateAsTheTokenizer) {
  using namespace std::string_literals;
  const std::string cases[] = {
      // The common lines in their plain form, and near misses of each.
      "1 2 3 4\r\n-1.5 .5 -.25 1."s,
      "1 2 3 4 \n1  2 3 4\n 1 2 3 4\n1 2 3\n1 2 3 4 5\n1\t2 3 4"s,
      "12345678901234567890 0.1234567890123456789012 9007199254740993 9007199254740992\n"
      "- . -. 1e5 1 2 3 4\n1e5 2 3 4\n0x10 2 3 4\n+1 2 3 4\n1,5 2 3 4"s,
      // Runs of eight digits and more, on both sides of the point.
      "12345678.87654321 99999999 -0.00000001 1234567890123456789\n"
      "00000000000000000001 1234567.12345678 9007199254740992.5 -12345678901234567.1"s,
      // Twenty digits that wrap a 64-bit integer to a small one (2^64 + 1), with and without a point.
      "18446744073709551617 2 3 4\nci 1 2 1844674407370955161.7\npt -18446744073709551617 1"s,
      "ci 1 2 3\nci 1 2 3 4 5 6 7\nci 1 2\nci  1 2 3\nci 1 2 3 \nci1 2 3 4"s,
      // Arcs and solids, the solids with repeated points, and near misses of each.
      "ci 1 2 3 4 5 6 7\r\nci 1 2 3 4 5 6 7 \nci 1 2 3 4 5 6\nci 1 2 3 4 5 6 7 8\nci 1 2 3 4 5 6 7 8 9\n"
      "ci 1 2 3 4 5 6 1e1\nci 1 2 3  4 5 6 7\n"s,
      "lc10 5\nsl 1 2 3 4\nsl 1 2 3 4 5 6\nsl 1 2 1 2 5 6\nsl 1 2 3 4 3 4\nsl 1 2 3 4 5 6 7 8\n"
      "sl 1 2 1 2 1 2 7 8\nsl 1 2 3 4 3 4 3 4\nsl 1 2 1 2 5 6 5 6\nsl 1 2 3 4 5 6 1 2\nsl 1 2 3 4 1 2 7 8\n"
      "sl 1 2 1 2.00000000001 5 6 7 8\nsl 1 2 3 4 5\nsl 1 2 3 4 5 6 7\nsl 1 2 3 4 5 6 7 8 9\nsl 1 2 3\n"
      "sl 1 2 3 4 \nsl  1 2 3 4\nsl 1 2 3 4 5 6 7 8 9 10\nsl1 2 3 4"s,
      "pt 1 2\npt 1 2 3 4 5\npt 1\nlc3\npn5\npt 7 8\rpt 9 10\r\n"s,
      "ch 1 2 3 4 \"text\ncs 1 2 3 4 \"\ncv 1 2 3 4 \"a \"b\" =c\ncs 1 2 3 4 \"x\ty\n"
      "c2 1 2 3 4 \"\x90\xa1\x96\x40\nch 1 2 3 4 \"ab\x82\nch 1 2 3 4 \"ab\x82\r\nch 1 2 3 4 \"\xca\xdd\xfe\n"
      "cn 1 2 3 4 \"x\ncc 1 2 3 4 \"x\nch 1 2 3 4 x\nch 1 2 3 4\"x\nch 1 2 3 4 \"\x82\x0d"s,
      // Message and polyline blocks, flags and attributes around them.
      "msg\nz1\n1 2 3 4\nz2\ncs 5 6 1 0 \"m\n#\npl\n1 2 3 4\n5 6 7 8\n#\nlc4\npn2\npt 1 1\n"s,
      // Pen lines (the first of each is kept), and near misses of each.
      "lg2\nly\nlyf\nlyF\nlg\nlc10\nlc10 7\nlc007\nlt123456789\nlt1234567890\nlw+3\nz0\nz5\nz1 \n1 2 3 4\n"
      "lga\nlgg\nlg12\nlgn\nlyn\nlc\nlt-1\nlw 4\nz6\nz\nlc5\r\nlw8\rci 1 2 3\nlg3 9\nly4 8\n1 2 3 4"s,
      // Lines of thousands of blocks of 16 bytes: a path kept whole, a text, and a last line
      // without a line end; short lines between them.
      "file=" + std::string(40000, 'p') + "q\r\n1 2 3 4\r\nch 1 2 3 4 \"" + std::string(30000, 't') +
          "\r\nlc7\r\n" + std::string(20000, ' ') + "hk 9 " + std::string(20000, '5'),
      // Blocks of more lines than the worker keeps for one block: the applying thread reads on.
      Repeat("1 2 3 4\nz1\n\n", 3000) + Repeat("ci 5 6 7\r\n\r\n", 2000),
  };
  for (const std::string& c : cases) ExpectFastAsGeneral(c, c);

  // Which lines the fast path takes itself; one it turns down is left untouched.
  // clang-format off
  const struct {
    std::string Line;
    bool Taken;
    int Entities;
  } forms[] = {
      {"1 2 3 4", true, 1},          {"-1.5 .5 -.25 1.\r\nx", true, 1}, {"1  2 3 4", false, 0},
      {"1 2 3 4 ", false, 0},        {"1e5 2 3 4", false, 0},           {"ci 1 2 3", true, 1},
      {"ci 1 2 3 4 5 6 7", true, 1},  {"ci 1 2 3 4 5 6", false, 0},     {"ci 1 2 3 4 5 6 7 8", false, 0},
      {"sl 1 2 3 4", true, 1},       {"sl 1 2 3 4 5 6", true, 1},       {"sl 1 2 3 4 5 6 7 8", true, 1},
      {"sl 1 2 3 4 5", false, 0},    {"sl 1 2 3 4 5 6 7 8 9 0", false, 0}, {"sl 1 2 3", false, 0},
      {"pt 1 2", true, 1},              {"pt 1 2 3 4 5", false, 0},
      {"cs 1 2 3 4 \"x y", true, 1},  {"cs 1 2 3 4 \"x\ty", false, 0}, {"ch 1 2 3 4 \"ab\x82", false, 0},
      {"cn 1 2 3 4 \"x", false, 0},   {"lc3", true, 0},                  {"lc3 5", false, 0},
      {"lgf\r\nx", true, 0},          {"lgF", false, 0},                 {"lg12", false, 0},
      {"lt123456789", true, 0},      {"lt1234567890", false, 0},        {"z5", true, 0},
      {"z6", false, 0},              {"pn3", false, 0},
      // A number token that is no number goes to the general path, which marks a picked entity.
      {"- 0 40 70", false, 0},       {"1" + std::string(400, '0') + " 0 40 70", false, 0},
      {"12345678901234567890 0 40 70", true, 1},
  };
  // clang-format on
  for (const auto& f : forms) {
    JwwState st;
    const char* const end = f.Line.data() + f.Line.size();
    const char* next = ReadFastLine(st, f.Line.data(), end);
    EXPECT_EQ(next != nullptr, f.Taken) << f.Line;
    EXPECT_EQ(st.EntityOrder.Count(), f.Entities) << f.Line;
    if (next) {
      EXPECT_EQ(std::string(next, end), std::ranges::count(f.Line, '\n') > 0 ? "x" : "") << f.Line;
    }
  }
}

// An entity read under a pick number (1..63) with a field that is no strict number marks its pick,
// on every path: the general reader, the fast path and two threads.
TEST(EntityRules, NonNumericFieldsMarkTheirPick) {
  const auto bit = [](int pick) { return uint64_t{1} << pick; };
  const struct {
    std::string Input;
    uint64_t Picks;
  } cases[] = {
      {"hhp1ci\nci nan 0 5", bit(1)},
      {"hhp2ci\nci 1,500 0 5", bit(2)},
      {"hhp3ci\nci 1e400 0 5", bit(3)},
      {"hhp4ci\nci 0 0 5 nan 90 1 0", bit(4)},  // an arc's start angle
      {"hhp4ci\nci 0 0 5 0 90 1 inf", bit(4)},  // its tilt, the last field
      {"hhp5ln\n10 nan 40 70", bit(5)},
      {"hhp5ln\n10 20 40 nan", bit(5)},  // a line's last field
      {"hhp63ln\n- 0 40 70", bit(63)},   // a sign alone, at the last pick number
      {"hhp6ln\n1" + std::string(400, '0') + " 0 40 70", bit(6)},
      {"hhp7\npt 1 nan", bit(7)},
      {"hhp7\npt 1 2 1 0 nan", bit(7)},  // a marker's code
      {"hhp8ch\nch nan 2 1 0 \"10", bit(8)},
      {"hhp9\nsl 0 0 x 5", bit(9)},
      {"hhp1ci\nci nan 0 5\nhhp2ln\n1 2 3 4", bit(1)},  // the pick current when read
      // No mark: the fields are numbers, or no pick is current, or the odd token is no field.
      {"ci nan 0 5", 0},
      {"hhp1ci\nci 1 2 3\nhhp\nci nan 0 5", 0},
      {"hhp64ln\n10 nan 40 70", 0},
      {"hhp0ln\n10 nan 40 70", 0},
      {"hhp6ln\n12345678901234567890 -1. .5 +2", 0},
      {"hhp4ci\nci 0 0 5 0 90 1 0 nan", 0},
      {"hhp8ch\nch 1 2 1 0 \"nan", 0},
  };
  for (const auto& c : cases) {
    JwwState st;
    JwwReadBuffer(st, c.Input);
    EXPECT_EQ(st.NonNumericPicks, c.Picks) << c.Input;
    EXPECT_GT(st.EntityOrder.Count(), 0) << c.Input;  // read as an entity still
    ExpectFastAsGeneral(c.Input, c.Input);
  }
}

TEST(FastLines, RandomContentSameAsTheTokenizer) {
  std::mt19937 gen(7480);
  // Mostly the pieces of the common lines, so that many lines take the fast path; now and then a
  // byte that a rule drops or moves.
  // clang-format off
  const std::string alphabet[] = {"1", "-2.5", ".", " ", " ", "\n", "\r\n", "ci ", "pt ", "ch ", "cs ", "sl ",
                                  " \"", "msg\n", "#\n", "pl\n", "z1\n", "lc5\n", "lg", "ly", "lt", "z", "f", "10", "\t", "\"", "=",
                                  "\r", "\x82", "\x82\xa0", "\xa0", "\x1a", std::string(1, '\0'), "\xfe",
                                  "123456789012345678901", "9007199254740993", "hhp3ln\n", "nan", "hhp\n",
                                  "1,5", "1e400"};
  // clang-format on
  std::uniform_int_distribution<int> pick(0, static_cast<int>(std::size(alphabet)) - 1);
  std::uniform_int_distribution<int> common(0, 22);
  for (int round = 0; round < 300; ++round) {
    std::string content;
    for (int i = 0; i < 1 + round * 3; ++i) content += alphabet[round % 2 ? pick(gen) : common(gen)];
    ExpectFastAsGeneral(content, "round " + std::to_string(round));
  }
}

// FindSjis's answer for a needle that is not there, named so in a failure message.
MATCHER(NotFound, negation ? "is a position" : "is npos (not found)") {
  return arg == std::string_view::npos;
}

TEST(TokenSearch, NeverMatchesOnASecondByte) {
  // 0x83 0x63 is a double-byte character whose second byte is "c".
  EXPECT_EQ(FindSjis("hp1ln", "ln"), 3u);
  EXPECT_THAT(FindSjis("\x83\x63i", "ci"), NotFound());
  EXPECT_EQ(FindSjis("\x83\x63\x63i", "ci"), 2u);
  EXPECT_THAT(FindSjis("ab", "abc"), NotFound());
  EXPECT_EQ(FindSjis("x\x82", "\x82"), 1u);
}

TEST(StringPool, StopsAtItsLimit) {
  TJwwByteString pool;
  pool += "abc";
  const TJwwStrRef r = PoolString(pool, "de", 5);
  EXPECT_EQ(r.Offset, 3u);
  EXPECT_EQ(r.Length, 2u);
  EXPECT_THROW(PoolString(pool, "f", 5), PoolFull);
  EXPECT_EQ(std::string_view(pool), "abcde");
  EXPECT_NO_THROW(PoolString(pool, "", 5));
}

// ---- Numbers ------------------------------------------------------------------------------------

TEST(ReaderNumbers, SameAsTheLenientConversions) {
  // clang-format off
  std::vector<std::string> texts = {
      "0", "-0", "1", "-1", "0.1", "-0.5", ".5", "-.5", "5.", "-", ".", "-.", "", "+1", " 1", "1 ",
      "1e3", "1.5E-3", "00012.50", "-3705.09184620973", "1203.33721089515", "9007199254740992",
      "9007199254740993", "900719925474099.3", "0.9007199254740993", "1234567890123456789",
      "12345678901234567890", "0.0000000000000000000001", "0.00000000000000000000001",
      "1.0000000000000000000000", "99999999999999999999999", "2147483647", "2147483648", "-2147483648",
      "-2147483649", "$A", "0x1F", "12a", "1.2.3", "--1", "1-", "\x82\x4f", "999999999", "-999999999",
      "1000000000", "0000000000012", "3.4028236692093846346e38"};
  // clang-format on
  std::mt19937 gen(748);
  const char alphabet[] = "0123456789012345678901234567890123456789..--eE+ $x";
  std::uniform_int_distribution<int> length(1, 26), pick(0, static_cast<int>(sizeof alphabet) - 2);
  for (int i = 0; i < 20000; ++i) {
    std::string t;
    for (int n = length(gen); n > 0; --n) t += alphabet[pick(gen)];
    texts.push_back(t);
  }
  std::uniform_real_distribution<double> coordinate(-20000, 20000);
  char buf[64];
  for (int i = 0; i < 20000; ++i) {
    std::snprintf(buf, sizeof buf, i % 3 == 0 ? "%.15g" : i % 3 == 1 ? "%.3f" : "%.17g", coordinate(gen));
    texts.push_back(buf);
  }
  for (const std::string& t : texts) {
    const double fast = ReadReal(t), exact = TextToFloat(t);
    EXPECT_EQ(std::memcmp(&fast, &exact, sizeof fast), 0) << t << ": " << fast << " " << exact;
    EXPECT_EQ(ReadInt(t), TextToInt(t)) << t;
  }
}

// ---- Keyword rules ------------------------------------------------------------------------------

void Read(JwwState& st, const std::string& content) { JwwReadBuffer(st, content); }

struct FieldCase {
  const char* Input;  // lines separated by "\n"
  double (*Field)(const JwwState&);
  double Expected;
};

#define FIELD(expr) [](const JwwState& s) -> double { return (expr); }

TEST(KeywordRules, SetTheirFields) {
  const FieldCase cases[] = {
      {"hk 30", FIELD(s.AxisAngle), 30},
      {"hk 30 ", FIELD(s.AxisAngle), 30},  // count 3 is at least 2
      {"hk", FIELD(s.AxisAngle), 0},
      {"hk 1 2 3 ", FIELD(s.AxisAngle), 1},
      {"hkx 5", FIELD(s.AxisAngle), 0},  // "is" compares the whole keyword
      {"hs 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16", FIELD(s.GroupScale[0]), 1},
      {"hs 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16", FIELD(s.GroupScale[15]), 16},
      {"hs 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15", FIELD(s.GroupScale[0]), 1.0},
      {"hs 7 2 3 4 5 6 7 8 9 10 11 12 13 14 15", FIELD(s.GroupScale[14]), 1.0},
      {"hzs 420 297", FIELD(s.SheetWidth), 420},
      {"hzs 420 297", FIELD(s.SheetHeight), 297},
      {"hzs 420", FIELD(s.SheetWidth), 1189},
      {"hcw 1 2 3 4 5 6 7 8 9 10", FIELD(s.TextTypes[10].Width), 10},
      {"hch 1 2 3 4 5 6 7 8 9 10", FIELD(s.TextTypes[1].Height), 1},
      {"hcd 0 0 0.5 0.5 0.5 0.5 1 1 1 1", FIELD(s.TextTypes[3].Spacing), 0.5},
      {"hcc      1      1      2      2      3      3      4      4      5      5",
       FIELD(s.TextTypes[9].Colour), 5},
      {"hcc 1 2 3 4 5 6 7 8 9", FIELD(s.TextTypes[1].Colour), 2},
      {"hcw 1 2 3 4 5 6 7 8 9", FIELD(s.TextTypes[1].Width), 3},
      {"bz", FIELD(s.BzFlag), 1},
      {"bz 0", FIELD(s.BzFlag), 1},
      {"hn 1 2 3 4", FIELD(s.HnValues[4]), 4},
      {"hn 1 2 3 4", FIELD(s.Lines.Count()), 0},
      {"hn 1 2 3", FIELD(s.HnValues[1]), 0},
      // Layer group: one hexadecimal digit after "lg", either case.
      {"lg12", FIELD(s.CurGroup), 1},
      {"lga", FIELD(s.CurGroup), 10},
      {"lgA", FIELD(s.CurGroup), 10},
      {"lgf", FIELD(s.FirstGroup), 15},
      {"lgz", FIELD(s.CurGroup), 0},
      {"lg", FIELD(s.CurGroup), 0},
      {"lg3\nlg5", FIELD(s.FirstGroup), 3},
      {"lg3\nlg5", FIELD(s.CurGroup), 5},
      {"lgf 7", FIELD(s.GroupValues[15]), 7},
      {"lg2 7 8", FIELD(s.GroupValues[2]), 7},
      {"lg2", FIELD(s.GroupValues[2]), 0},
      // Layer, with its value at group * 16 + layer.
      {"ly1", FIELD(s.FirstLayer), 1},
      {"lyF\nly2", FIELD(s.FirstLayer), 15},
      {"lyF\nly2", FIELD(s.CurLayer), 2},
      {"lg2\nly5 9", FIELD(s.LayerValues[2 * 16 + 5]), 9},
      {"ly\x82\x60", FIELD(s.CurLayer), 0},
      // Layer names take the rest of token 0.
      {"lg3\nlgnWalls", FIELD(s.GroupNames[3] == "Walls"), 1},
      {"lg3\nly4\nlynDoors x", FIELD(s.LayerNames[3 * 16 + 4] == "Doors"), 1},
      {"lgnA\nlg", FIELD(s.CurGroup), 0},  // "lgn" is no group line
      // Line colour, type and width: every character after the keyword, decimal.
      {"lc2", FIELD(s.FirstLineColour), 2},
      {"lc2\nlc12", FIELD(s.FirstLineColour), 2},
      {"lc2\nlc12", FIELD(s.CurLineColour), 12},
      {"lc12 34", FIELD(s.CurSolidColour), 0},
      {"lc10 255", FIELD(s.CurSolidColour), 255},
      {"lc10", FIELD(s.CurSolidColour), 0},
      {"lc10 255\nlc3", FIELD(s.CurSolidColour), 255},
      {"lcx", FIELD(s.CurLineColour), 0},
      {"lt2", FIELD(s.FirstLineType), 2},
      {"lt2\nlt3", FIELD(s.CurLineType), 3},
      {"lw35", FIELD(s.FirstLineWidth), 35},
      {"lw35\nlw1", FIELD(s.FirstLineWidth), 35},
      {"lw35\nlw1", FIELD(s.CurLineWidth), 1},
      // Text type, with a free size for type 0 and at least five tokens.
      {"cn2", FIELD(s.FirstTextType), 2},
      {"cn2\ncn7", FIELD(s.FirstTextType), 2},
      {"cn2\ncn7", FIELD(s.CurTextType), 7},
      {"cn0 3.5 4 0.35 2", FIELD(s.FirstFreeText.Width), 3.5},
      {"cn0 3.5 4 0.35 2", FIELD(s.FirstFreeText.Height), 4},
      {"cn0 3.5 4 0.35 2", FIELD(s.FirstFreeText.Spacing), 0.35},
      {"cn0 3.5 4 0.35 2", FIELD(s.CurFreeText.Colour), 2},
      {"cn0 3.5 4 0.35", FIELD(s.FirstFreeText.Width), 2},
      {"cn3 3.5 4 0.35 2", FIELD(s.CurFreeText.Width), 2},
      {"cn2\ncn0 3.5 4 0.35 2", FIELD(s.FirstFreeText.Width), 2},
      {"cn2\ncn0 3.5 4 0.35 2", FIELD(s.CurFreeText.Width), 3.5},
      // Text code: one digit, above 8 gives 0.
      {"cc12", FIELD(s.CurTextCode), 1},
      {"cc9", FIELD(s.CurTextCode), 0},
      {"cc8", FIELD(s.CurTextCode), 8},
      {"cc", FIELD(s.CurTextCode), 0},
      {"cc-1", FIELD(s.CurTextCode), 0},
      // Flags for the next entity.
      {"z1", FIELD(s.CurZFlags), 1},
      {"z1\nz1", FIELD(s.CurZFlags), 1},
      {"z1\nz3\nz5", FIELD(s.CurZFlags), 1 + 4 + 16},
      {"z6", FIELD(s.CurZFlags), 0},
      {"z11", FIELD(s.CurZFlags), 0},
      {"pn3", FIELD(s.CurPointColour), 3},
      // Blocks.
      {"pl", FIELD(s.InPolyline), 1},
      {"pl\npl", FIELD(s.PolylineCount), 2},
      {"msg\npl", FIELD(s.InMessage), 0},
      {"pl\nmsg", FIELD(s.InPolyline), 0},
      {"pl\nmsg", FIELD(s.InMessage), 1},
      {"pl\n#", FIELD(s.InPolyline), 0},
      {"msg\n#", FIELD(s.InMessage), 0},
      {"msg\n# x", FIELD(s.InMessage), 0},
      {"msg\n##", FIELD(s.InMessage), 1},
      // Pick number: digits before an "ln", "ci" or "ch" suffix; a "-" spoils them.
      {"hhp7", FIELD(s.CurHhpNo), 7},
      {"hhp7ci", FIELD(s.CurHhpNo), 7},
      {"hhp12ln", FIELD(s.CurHhpNo), 12},
      {"hhp7ch", FIELD(s.CurHhpNo), 7},
      {"hhp7-", FIELD(s.CurHhpNo), 0},
      {"hhp7ci8ln", FIELD(s.CurHhpNo), 7},
      {"hhpch7", FIELD(s.CurHhpNo), 0},
      {"hhp7\nhhp", FIELD(s.CurHhpNo), 0},
      // The file name: token 0 after "file=", blanks kept, tabs dropped.
      {"file=C:\\jww\\a b\tc.jww", FIELD(s.DrawingFileName == "C:\\jww\\a bc.jww"), 1},
      {"file=", FIELD(s.DrawingFileName.empty()), 1},
  };
  for (const FieldCase& c : cases) {
    JwwState st;
    Read(st, c.Input);
    EXPECT_EQ(c.Field(st), c.Expected) << c.Input;
  }
}

TEST(KeywordRules, FontNames) {
  JwwState st;
  Read(st, "cn$\ncn\"$" + kMincho + "/\ncn$<B>");
  EXPECT_EQ(st.FirstFontName, kMincho + "/");  // the first non-empty one
  EXPECT_EQ(st.CurFontName, "<B>");
  JwwResetCurrent(st);
  EXPECT_EQ(st.CurFontName, kGothic);
  EXPECT_EQ(st.FirstFontName, kMincho + "/");
}

struct PickCase {
  const char* Line;
  int Slot;  // 0: no slot filled
  TJwwPickKind Kind;
};

TEST(KeywordRules, PickedPoints) {
  const PickCase cases[] = {
      {"hp1 1.5 -2.25", 1, TJwwPickKind::Plain},
      {"hp12ln 1.5 -2.25", 12, TJwwPickKind::Ln},
      {"hp3- 1.5 -2.25", 3, TJwwPickKind::Dash},
      {"hp4ci 1.5 -2.25", 4, TJwwPickKind::Ci},
      {"hp5ch 1.5 -2.25", 5, TJwwPickKind::Ch},
      {"hp99 1.5 -2.25", 99, TJwwPickKind::Plain},
      {"hp0 1.5 -2.25", 0, {}},
      {"hp100 1.5 -2.25", 0, {}},
      {"hp1-ln 1.5 -2.25", 0, {}},
      {"hp 1.5 -2.25", 0, {}},
      {"hp-1 1.5 -2.25", 0, {}},
      {"hp$A 1.5 -2.25", 10, TJwwPickKind::Plain},
  };
  for (const PickCase& c : cases) {
    JwwState st;
    Read(st, c.Line);
    EXPECT_EQ(st.PickedCount, c.Slot ? 1 : 0) << c.Line;
    for (int slot = 0; slot < 100; ++slot) {
      const TJwwPickedPoint& p = st.PickedPoints[static_cast<std::size_t>(slot)];
      EXPECT_EQ(p.Used, slot == c.Slot && c.Slot != 0) << c.Line << " slot " << slot;
      if (slot == c.Slot && c.Slot != 0) {
        EXPECT_EQ(p.X, 1.5);
        EXPECT_EQ(p.Y, -2.25);
        EXPECT_EQ(p.Kind, c.Kind) << c.Line;
      }
    }
    EXPECT_EQ(st.Lines.Count(), 0) << c.Line;  // taken by the rule even when no slot is named
  }
}

TEST(KeywordRules, PickedPointGivenTwiceCountsTwice) {
  JwwState st;
  Read(st, "hp1 1 2\nhp1 3 4\nhp2 5");
  EXPECT_EQ(st.PickedCount, 2);
  EXPECT_EQ(st.PickedPoints[1].X, 3);
  EXPECT_EQ(st.PickedPoints[1].Y, 4);
  EXPECT_FALSE(st.PickedPoints[2].Used);  // too few tokens
  EXPECT_FALSE(st.PickedPoints[0].Used);
}

TEST(KeywordRules, CountFailureFallsThroughToTheLineRule) {
  // Too few tokens for their own rule, four in all: read as lines, token 0 giving 0.
  for (const char* line : {"hn 1 2 3", "hcw 1 2 3", "hs 1 2 3", "hcc 1 2 3"}) {
    JwwState st;
    Read(st, line);
    ASSERT_EQ(st.Lines.Count(), 1) << line;
    EXPECT_EQ(st.Lines[0].X1, 0.0);
    EXPECT_EQ(st.Lines[0].Y1, 1.0);
    EXPECT_EQ(st.Lines[0].X2, 2.0);
    EXPECT_EQ(st.Lines[0].Y2, 3.0);
  }
  // Keywords of the attribute rules take any count: never a line.
  for (const char* line : {"lg1 2 3 4", "lc1 2 3 4", "cn1 2 3 4", "pn1 2 3 4", "hp1 2 3 4", "hhp1 2 3 4",
                           "bz 2 3 4", "lgn 2 3 4", "pl 1 2 3", "# 1 2 3"}) {
    JwwState st;
    Read(st, line);
    EXPECT_EQ(st.Lines.Count(), 0) << line;
  }
}

TEST(KeywordRules, AFileWithoutAttributesKeepsTheDefaults) {
  JwwState st;
  Read(st, "hq\nhk 0\nunknown\n   \n");
  EXPECT_EQ(st.FirstGroup, 0);
  EXPECT_EQ(st.GroupScale[st.FirstGroup], 1.0);
  EXPECT_EQ(st.FirstTextType, 1);
  EXPECT_EQ(st.TextTypes[1].Width, 3.0);
  EXPECT_EQ(st.TextTypes[1].Colour, 2);
  EXPECT_EQ(st.FirstFontName, "");
  EXPECT_EQ(st.CurFontName, kGothic);
  EXPECT_EQ(st.EntityOrder.Count(), 0);
  for (int i = 1; i <= 6; ++i) EXPECT_TRUE(st.AttrPending[i]) << i;
}

// ---- Line ends and odd bytes --------------------------------------------------------------------

TEST(ReadBuffer, LineEnds) {
  JwwState st;
  // CR LF, a lone CR, a lone LF, and a last line without a line end.
  Read(st, "hk 1\r\nhzs 2 3\rhn 1 2 3 4\nlc5\r\r\n\nlt6");
  EXPECT_EQ(st.AxisAngle, 1);
  EXPECT_EQ(st.SheetWidth, 2);
  EXPECT_EQ(st.HnValues[4], 4);
  EXPECT_EQ(st.CurLineColour, 5);
  EXPECT_EQ(st.CurLineType, 6);

  JwwState cr;
  std::string lines;
  for (int i = 0; i < 2000; ++i) lines += "1 2 3 4\r";
  Read(cr, lines);
  EXPECT_EQ(cr.Lines.Count(), 2000);
}

TEST(ReadBuffer, ControlBytesAreDropped) {
  JwwState st;
  Read(st, "hk 1\x1A\r\nhzs 4 5\r\n\x1Al\0c3\r\n"s);
  EXPECT_EQ(st.AxisAngle, 1);  // Ctrl-Z is no end of file
  EXPECT_EQ(st.SheetWidth, 4);
  EXPECT_EQ(st.CurLineColour, 3);
}

TEST(ReadBuffer, OddInputsDoNoHarm) {
  std::mt19937 gen(748);
  std::uniform_int_distribution<int> byte(0, 255);
  const std::string prefixes[] = {"", "hp1 ", "ch 1 2 3 4 \"", "sl ", "BL 1 2 ", "cn$", "lg"};
  for (int round = 0; round < 300; ++round) {
    std::string content = prefixes[round % 7];
    const int n = 1 + round * 7;
    for (int i = 0; i < n; ++i) content += static_cast<char>(byte(gen));
    JwwState st;
    Read(st, content);
    // Every order item names an existing record; every pooled string lies inside the pool.
    for (const TJwwOrderItem& o : st.EntityOrder) {
      EXPECT_GE(o.Index, 0);
      EXPECT_LT(o.Index, JwwListCount(st, static_cast<int32_t>(o.Kind)));
    }
    for (const TJwwEntText& t : st.Texts) {
      EXPECT_LE(t.Text.Length, 255u);
      EXPECT_LE(uint64_t{t.Text.Offset} + t.Text.Length, st.Strings.size());
    }
  }
}

TEST(ReadBuffer, NumbersWithHundredsOfDigits) {
  JwwState st;
  const std::string digits(400, '7');
  Read(st, "hk " + digits + "\nhzs 0." + digits + " -" + digits + "e-900\nhp1 " + digits + ".5 1e99999");
  EXPECT_TRUE(std::isfinite(st.AxisAngle));
  EXPECT_NEAR(st.SheetWidth, 0.7777777, 1e-6);
  EXPECT_TRUE(std::isfinite(st.SheetHeight));
  EXPECT_TRUE(st.PickedPoints[1].Used);
  EXPECT_TRUE(std::isfinite(st.PickedPoints[1].X));
  EXPECT_TRUE(std::isfinite(st.PickedPoints[1].Y));
}

TEST(ReadLine, OneLineAtATime) {
  JwwState st;
  JwwReadLine(st, "pl");
  JwwReadLine(st, "1 2 3 4");
  JwwReadLine(st, "");
  EXPECT_EQ(st.Lines.Count(), 1);
  EXPECT_EQ(st.Lines[0].PolylineNo, 1);
  // After the release nothing is left to fill; reading must still not write out of bounds.
  JwwRelease(st);
  JwwReadLine(st, "hp1 1 2");
  JwwReadLine(st, "lg3 4");
  JwwReadLine(st, "ly3 4");
  JwwReadLine(st, "lgnX");
  JwwReadLine(st, "lynX");
  EXPECT_EQ(st.PickedCount, 0);
  EXPECT_EQ(st.CurGroup, 3);
}

// ---- Files --------------------------------------------------------------------------------------

using testsupport::TempDir;
using testsupport::WriteFile;

TEST(ReadFile, MissingFileOrDirectory) {
  TempDir dir;
  JwwState st;
  EXPECT_FALSE(JwwReadFile(st, dir.path() / "JWC_TEMP.TXT"));
  EXPECT_FALSE(JwwReadFile(st, dir.path()));
  fs::create_directory(dir.path() / "JWC_TEMP.TXT");
  EXPECT_FALSE(JwwReadFile(st, dir.path() / "JWC_TEMP.TXT"));
  EXPECT_EQ(st.AxisAngle, 0.0);
  EXPECT_EQ(st.CurFontName, kGothic);
}

TEST(ReadFile, ReadsWhatTheBufferReads) {
  TempDir dir;
  const std::string content = "hq\r\nhk 12.5\r\nlg2\r\nz3\r\n1 2 3 4\r\nch 0 0 1 0 \"a b\r\n";
  WriteFile(dir.path() / "JWC_TEMP.TXT", content);
  JwwState fromFile, fromBuffer;
  EXPECT_TRUE(JwwReadFile(fromFile, dir.path() / "JWC_TEMP.TXT"));
  JwwReadBuffer(fromBuffer, content);
  EXPECT_EQ(fromFile.AxisAngle, 12.5);
  EXPECT_EQ(fromFile.FirstGroup, 2);
  ASSERT_EQ(fromFile.Lines.Count(), 1);
  EXPECT_EQ(fromFile.Lines[0].Head.ZFlags, 4);
  ASSERT_EQ(fromFile.Texts.Count(), 1);
  EXPECT_EQ(JwwStr(fromFile, fromFile.Texts[0].Text), "a b");
  EXPECT_EQ(std::string_view(fromFile.Strings), std::string_view(fromBuffer.Strings));
  EXPECT_EQ(fromFile.EntityOrder.Count(), fromBuffer.EntityOrder.Count());
}

TEST(ReadFile, FolderWithAJapaneseName) {
  TempDir dir;
  const fs::path folder = dir.path() / fs::path(u8"\u5916\u90e8\u5909\u5f62 \uff11");  // 外部変形 １
  fs::create_directory(folder);
  WriteFile(folder / "JWC_TEMP.TXT", "hq\r\nhk 45\r\n");
  JwwState st;
  EXPECT_TRUE(JwwReadFile(st, folder / "JWC_TEMP.TXT"));
  EXPECT_EQ(st.AxisAngle, 45);
}

TEST(ReadFile, EmptyAndOddFiles) {
  TempDir dir;
  const fs::path file = dir.path() / "JWC_TEMP.TXT";
  const std::string odd[] = {""s,
                             "\0\0\0\0"s,
                             "\r\r\r"s,
                             "\x82"s,
                             "hk 3\x82"s,
                             std::string(3 << 20, 'a'),
                             std::string(1 << 20, ' ') + "hk 9"};
  for (const std::string& content : odd) {
    WriteFile(file, content);
    JwwState st;
    EXPECT_TRUE(JwwReadFile(st, file)) << content.size();
    EXPECT_EQ(st.EntityOrder.Count(), 0);
  }
  JwwState st;
  WriteFile(file, "hk 3\x82");
  EXPECT_TRUE(JwwReadFile(st, file));
  EXPECT_EQ(st.AxisAngle, 3);
  WriteFile(file, std::string(1 << 20, ' ') + "hk 9");
  EXPECT_TRUE(JwwReadFile(st, file));
  EXPECT_EQ(st.AxisAngle, 9);
}

// Read as a large file is, with two threads: the result is what one thread reads from memory.
TEST(ReadFile, LinesAcrossBlocksReadAsFromABuffer) {
  TempDir dir;
  const fs::path file = dir.path() / "JWC_TEMP.TXT";
  std::string body;
  const std::string filler(200, 'x');  // long lines: few records, many bytes
  for (int i = 0; body.size() < (1u << 20) + 300; ++i)
    body += "ch " + std::to_string(i) + " 2 1 0 \"\x90\xa1\x96\x40 " + filler + "\r\n";
  std::string longLine = "ch 0 0 1 0 \"";
  while (longLine.size() < (3u << 20)) longLine += "\x82\xa0 x";
  // A CR LF split between the first two blocks, a line longer than a block, lone CRs, and a last
  // line without a line end.
  std::string content = body;
  content.resize((1u << 20) - 1);
  content += "\r\n1 2 3 4\r\n" + longLine + "\r\npl\r5 6 7 8\r" + body;
  // Then a drawing's mix of attribute changes, lines, texts, circles, points, polylines and
  // messages, and long lines to the size read with two threads.
  for (int i = 0; i < 8000; ++i) {
    const std::string n = std::to_string(i % 997) + "." + std::to_string(i % 13);
    content +=
        "lg" + std::string(1, "0123456789abcdef"[i % 16]) + "\r\nlc" + std::to_string(1 + i % 9) + "\r\n";
    if (i % 7 == 0) content += "z" + std::to_string(1 + i % 5) + "\r\n";
    content += n + " -" + n + " 1e3 " + n + "\r\nci " + n + " 2 3\r\npt " + n + " " + n + "\r\n";
    content += "ch 1 2 1 0 \"\x90\xa1 " + n + "\r\ncn" + std::to_string(1 + i % 10) + "\r\n";
    if (i % 11 == 0)
      content += "pl\r\n1 2 3 4\r\n3 4 5 6\r\n#\r\nmsg\r\n" + n + " 0 1 1\r\ncs 0 0 1 0 \"m\r\n";
  }
  while (content.size() < kTwoThreadBytes) content += body;
  content += "hk 7";
  WriteFile(file, content);
  JwwState fromFile, fromBuffer;
  ASSERT_TRUE(JwwReadFile(fromFile, file));
  JwwReadBuffer(fromBuffer, content);
  EXPECT_EQ(JwwStateToJson(fromFile), JwwStateToJson(fromBuffer));
  EXPECT_EQ(fromFile.AxisAngle, 7);
  EXPECT_GT(fromFile.Texts.Count(), 8000);
  EXPECT_GT(fromFile.Messages.Count(), 700);
}

// A read error in the worker ends the reading with false; the bytes read before it stay applied,
// as one thread applies them. The error comes at a block's start, in the middle of a block (after
// a short read) and in place of the end of the file; lines of 8 bytes cross blocks of 12.
TEST(ReadFile, AReadErrorKeepsWhatWasReadBeforeIt) {
  std::string content;
  for (int i = 0; i < 40; ++i) content += std::to_string(i % 10) + " 2 3 4\n";
  // clang-format off
  const struct {
    std::size_t Block, FailAt;  // bytes delivered before the first failing read
  } cases[] = {
      {16, 0}, {16, 16}, {16, 48}, {12, 36}, {12, 30}, {16, 170}, {16, 320},
  };
  // clang-format on
  for (const auto& c : cases) {
    std::size_t at = 0;
    const auto read = [&](char* p, std::size_t n) -> int64_t {
      if (at >= c.FailAt) return -1;
      n = std::min({n, c.FailAt - at, content.size() - at});
      std::copy_n(content.data() + at, n, p);
      at += n;
      return static_cast<int64_t>(n);
    };
    JwwState two, one;
    EXPECT_EQ(ReadInTwo(two, read, c.Block), false) << c.Block << " " << c.FailAt;
    JwwReadBuffer(one, content.substr(0, c.FailAt));
    EXPECT_EQ(JwwStateToJson(two), JwwStateToJson(one)) << c.Block << " " << c.FailAt;
  }
}

// ---- The host's own files -----------------------------------------------------------------------

TEST(HostSamples, FirstSample) {
  JwwState st;
  ASSERT_TRUE(JwwReadFile(st, fs::path(Q748_TEST_DATA) / "hosts" / "host-input-1.txt"));
  EXPECT_EQ(st.AxisAngle, 0.0);
  for (double scale : st.GroupScale) EXPECT_EQ(scale, 100.0);
  EXPECT_EQ(st.TextTypes[2].Width, 2.5);
  EXPECT_EQ(st.TextTypes[10].Height, 10.0);
  EXPECT_EQ(st.TextTypes[3].Spacing, 0.5);
  EXPECT_EQ(st.TextTypes[9].Colour, 5);
  EXPECT_EQ(st.PickedCount, 4);
  EXPECT_EQ(st.PickedPoints[1].X, -1820.4);
  EXPECT_EQ(st.PickedPoints[1].Y, -955.25);
  EXPECT_EQ(st.PickedPoints[4].X, -3705.09184620973);
  EXPECT_EQ(st.PickedPoints[4].Y, 1203.33721089515);
  EXPECT_EQ(st.FirstGroup, 0);
  EXPECT_EQ(st.FirstLayer, 1);
  EXPECT_EQ(st.FirstLineColour, 2);
  EXPECT_EQ(st.FirstLineType, 1);
  EXPECT_EQ(st.FirstLineWidth, 0);
  EXPECT_EQ(st.FirstTextType, 2);
  EXPECT_EQ(st.FirstFontName, kGothic);
  EXPECT_EQ(st.DrawingFileName, "");
  EXPECT_EQ(st.EntityOrder.Count(), 0);
}

TEST(HostSamples, SecondSample) {
  JwwState st;
  ASSERT_TRUE(JwwReadFile(st, fs::path(Q748_TEST_DATA) / "hosts" / "host-input-2.txt"));
  // "C:\jww\表\A棟_断面図.jww" in Shift-JIS: the second byte of "表" is a backslash.
  EXPECT_EQ(st.DrawingFileName, "C:\\jww\\\x95\\\\A\x93\x8f_\x92\x66\x96\xca\x90\x7d.jww");
  EXPECT_EQ(st.AxisAngle, 30.0);
  EXPECT_EQ(st.GroupScale[2], 50.0);
  EXPECT_EQ(st.GroupScale[10], 30.0);
  EXPECT_EQ(st.GroupScale[15], 1.0);
  EXPECT_EQ(st.SheetWidth, 420.0);
  EXPECT_EQ(st.SheetHeight, 297.0);
  EXPECT_EQ(st.PickedPoints[1].X, 512.883331298828);
  EXPECT_EQ(st.PickedPoints[2].Y, 377.249999999999);
  EXPECT_EQ(st.PickedPoints[4].Y, 415.3);
  EXPECT_EQ(st.FirstGroup, 10);  // "lga", read before the text sizes
  EXPECT_EQ(st.FirstLayer, 15);
  EXPECT_EQ(st.FirstLineColour, 9);
  EXPECT_EQ(st.FirstLineType, 2);
  EXPECT_EQ(st.FirstLineWidth, 35);
  EXPECT_EQ(st.FirstTextType, 0);
  EXPECT_EQ(st.FirstFreeText.Width, 3.5);
  EXPECT_EQ(st.FirstFreeText.Height, 3.5);
  EXPECT_EQ(st.FirstFreeText.Spacing, 0.35);
  EXPECT_EQ(st.FirstFreeText.Colour, 2);
  EXPECT_EQ(st.FirstFontName, kMincho + "/");  // the italic mark stays part of the name
  EXPECT_EQ(st.GroupScale[st.FirstGroup], 30.0);
}

}  // namespace
