// Shift-JIS text routines: blanks, byte windows, full-width conversion, extents and cuts.
// Texts are written as Shift-JIS byte escapes; split literals keep an escape from swallowing
// the letter after it.
#include "MyFunc.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A (0x41), あ (0x82 0xA0), B (0x42)
const std::string kAaB = "A\x82\xA0\x42";

TEST(RemoveBlanks, DropsBlanksAndControlsOnCharacterBoundaries) {
  const struct {
    std::string text, expected;
  } cases[] = {
      {"\x81\x40\x82\x81 b\t", "\x82\x81\x62"},  // full-width blank, ａ, blank, b, tab
      {" \x81\x40\t\r\n \x81\x40", ""},
      {"", ""},
      {"a b", "ab"},
      {"\x7F", "\x7F"},                  // DEL is no control character here
      {"\xB1\xDE", "\xB1\xDE"},          // half-width katakana stay
      {"\x95\x5C", "\x95\x5C"},          // a trail byte 0x5C is part of its character
      {"\x88\x81\x40", "\x88\x81\x40"},  // 0x81 here is a trail byte: no full-width blank
      {"\x82\x20", "\x82\x20"},          // lead byte + 0x20 is one (malformed) character
      {"A\x82", "A\x82"},                // a lone lead byte at the end stays
      {std::string("a\0b", 3), "ab"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RemoveBlanks(c.text), c.expected);
  }
}

TEST(CopyMbcs, TakesWholeCharactersInsideTheWindow) {
  const struct {
    std::string text;
    int start, count;
    std::string expected;
    int taken;
  } cases[] = {
      {kAaB, 2, 2, "\x82\xA0", 2},
      {kAaB, 3, 2, "B", 1},  // the window begins on a trail byte
      {kAaB, 1, 2, "A", 1},  // the window ends on a lead byte
      {kAaB, 5, 1, "", 0},
      {kAaB, 0, 2, "", 0},
      {kAaB, 1, 0, "", 0},
      {kAaB, 1, -1, "", 0},
      {kAaB, 1, 4, kAaB, 4},
      {kAaB, 4, 2147483647, "B", 1},
      {"", 1, 1, "", 0},
      {"\x95\x5C\x5C", 2, 2, "\x5C", 1},  // 表 then a backslash: the 0x5C inside 表 is no start
      {"\x83\x5C\x83\x5C", 2, 3, "\x83\x5C", 2},
      {"A\x82", 2, 1, "\x82", 1},             // a lone lead byte at the end is one byte
      {"\xB6\xDE\x41", 2, 2, "\xDE\x41", 2},  // half-width katakana are single bytes
  };
  for (const auto& c : cases) {
    int taken = -1;
    EXPECT_EQ(CopyMbcs(c.text, c.start, c.count, taken), c.expected) << c.start << "/" << c.count;
    EXPECT_EQ(taken, c.taken) << c.start << "/" << c.count;
  }
}

TEST(ToFullWidth, MapsAsciiKanaAndHiragana) {
  const struct {
    std::string text, expected;
  } cases[] = {
      {"", ""},
      {"0123456789", "\x82\x4F\x82\x50\x82\x51\x82\x52\x82\x53\x82\x54\x82\x55\x82\x56\x82\x57\x82\x58"},
      {"-1,234.5", "\x81\x7C\x82\x50\x81\x43\x82\x51\x82\x52\x82\x53\x81\x44\x82\x54"},
      {" ", "\x81\x40"},
      {"Az", "\x82\x60\x82\x9A"},
      {"\\~", "\x81\x8F\x81\x50"},  // yen sign and overline, as on a Japanese system
      {"\"'", "\x81\x68\x81\x66"},
      {"()+", "\x81\x69\x81\x6A\x81\x7B"},
      {"\xB6\xDE", "\x83\x4B"},          // ｶﾞ -> ガ
      {"\xCA\xDF", "\x83\x70"},          // ﾊﾟ -> パ
      {"\xB3\xDE", "\x83\x94"},          // ｳﾞ -> ヴ
      {"\xDC\xDE", "\x83\x8F\x81\x4A"},  // ﾜﾞ has no combined form: ワ゛
      {"\xB1\xDF", "\x83\x41\x81\x4B"},  // ｱﾟ: ア゜
      {"\xDE\xDF", "\x81\x4A\x81\x4B"},  // the marks alone
      {"\xB6", "\x83\x4A"},
      {"\xA1\xA2\xA3\xA4\xA5\xB0", "\x81\x42\x81\x75\x81\x76\x81\x41\x81\x45\x81\x5B"},
      {"\xA6\xA7\xAF\xDD", "\x83\x92\x83\x40\x83\x62\x83\x93"},                  // ｦ ｧ ｯ ﾝ
      {"\x82\xA0\x82\xF1\x82\xDE\x82\x9F", "\x83\x41\x83\x93\x83\x80\x83\x40"},  // あんむぁ
      {"\x82\xAA", "\x83\x4B"},                                                  // が -> ガ
      {"\x95\x5C\x83\x5C", "\x95\x5C\x83\x5C"},  // 表ソ stay: their trail 0x5C is no backslash
      {"\x82\x60\x81\x40", "\x82\x60\x81\x40"},  // already full width
      {"\x82\x9E", "\x82\x9E"},                  // not a hiragana
      {"\t\x7F\xA0\xFE\xFF", "\t\x7F\xA0\xFE\xFF"},
      {"1\x82", "\x82\x50\x82"},             // a lone lead byte at the end stays
      {"\x83\xB6\xDE", "\x83\xB6\x81\x4A"},  // 0xB6 is a trail byte here; only ﾞ is converted
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ToFullWidth(c.text), c.expected) << c.text;
  }
}

TEST(ToFullWidth, LongTextsConvertWhole) {
  const std::string digits(300, '7');
  std::string expected;
  for (int i = 0; i < 300; ++i) {
    expected += "\x82\x56";
  }
  EXPECT_EQ(ToFullWidth(digits), expected);
  // A voiced mark right where a 126-byte piece would end still joins its kana.
  const std::string kana = std::string(125, '1') + "\xB6\xDE";
  EXPECT_EQ(ToFullWidth(kana).substr(250), "\x83\x4B");
}

TEST(TextExtent, CountsHalfWidthAsHalf) {
  // clang-format off
  const struct {
    std::string text;
    double width, spacing, expected;
  } cases[] = {
      {"abcd", 3, 0, 6},
      {"abcd", 3, 1, 7.5},
      {"\x82\xA0\x82\xA2", 3, 1, 7},
      {"", 3, 1, 0},
      {"\tA", 2, 1, 1.5},  // a control character has no width but is followed by spacing
      {"A\t", 2, 1, 1.5},
      {"A\x82\xA0", 4, 2, 7},
      {"\x82\xA0\x41", 4, 2, 8},
      {"A\x82", 4, 0, 4},  // a lone lead byte at the end counts as a half-width character
      {"\xB6\xDE", 2, 0, 2},
      {"\x95\x5C", 5, 1, 5},
  };
  // clang-format on
  for (const auto& c : cases) {
    EXPECT_DOUBLE_EQ(TextExtent(c.text, c.width, c.spacing), c.expected) << c.text;
  }
}

TEST(CutSjis, NeverEndsInsideACharacter) {
  const struct {
    std::string text;
    std::size_t max;
    std::string expected;
  } cases[] = {
      {kAaB, 2, "A"},          {kAaB, 3, "A\x82\xA0"},
      {kAaB, 4, kAaB},         {kAaB, 100, kAaB},
      {kAaB, 0, ""},           {"\x95\x5C\x5C", 2, "\x95\x5C"},
      {"\x95\x5C\x5C", 1, ""}, {"AB\x82", 3, "AB\x82"},
      {"AB\x82", 2, "AB"},     {"", 5, ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CutSjis(c.text, c.max), c.expected) << c.max;
  }
}

}  // namespace
