// Code page 932 <-> UTF-8 at the program's edges.
#include "MyFunc.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const std::string kReplacement = "\xEF\xBF\xBD";  // U+FFFD

TEST(SjisToUtf8, DecodesCodePage932) {
  const struct {
    std::string sjis, utf8;
  } cases[] = {
      {"", ""},
      {"Az09 ~\\", "Az09 ~\\"},
      {"\x95\x5C", "\xE8\xA1\xA8"},              // 表 (trail byte 0x5C)
      {"\x83\x5C", "\xE3\x82\xBD"},              // ソ
      {"\x82\xA0", "\xE3\x81\x82"},              // あ
      {"\x81\x40", "\xE3\x80\x80"},              // full-width blank
      {"\x81\x5F", "\xEF\xBC\xBC"},              // ＼ U+FF3C
      {"\x81\x60", "\xEF\xBD\x9E"},              // ～ U+FF5E
      {"\x81\x8F", "\xEF\xBF\xA5"},              // ￥ U+FFE5
      {"\x87\x40", "\xE2\x91\xA0"},              // ① (NEC row 13)
      {"\xFA\x40", "\xE2\x85\xB0"},              // ⅰ (IBM extension)
      {"\xB1", "\xEF\xBD\xB1"},                  // ｱ
      {"\xA1\xDF", "\xEF\xBD\xA1\xEF\xBE\x9F"},  // ｡ﾟ
      {"A\x82", "A" + kReplacement},             // a lone lead byte at the end
      {"\x80", kReplacement},
      {"\xA0", kReplacement},
      {"\xFD\xFE\xFF", kReplacement + kReplacement + kReplacement},
      {"\x81\x20", kReplacement + " "},  // no valid second byte: it stays its own character
      {"\x81\x7F", kReplacement + "\x7F"},
      {"\x85\x40", kReplacement},  // a valid pair that is no character
      {std::string("\0A", 2), std::string("\0A", 2)},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SjisToUtf8(c.sjis), c.utf8);
  }
}

TEST(Utf8ToSjis, EncodesCodePage932) {
  const struct {
    std::string utf8, sjis;
  } cases[] = {
      {"", ""},
      {"Az09 ~\\", "Az09 ~\\"},
      {"\xE8\xA1\xA8", "\x95\x5C"},
      {"\xE3\x82\xBD", "\x83\x5C"},
      {"\xE3\x81\x82", "\x82\xA0"},
      {"\xEF\xBD\xB1", "\xB1"},
      {"\xEF\xBD\xA1\xEF\xBE\x9F", "\xA1\xDF"},
      {"\xE2\x89\x92", "\x81\xE0"},  // ≒: the JIS code, not the NEC duplicate 0x87 0x90
      {"\xEF\xBF\xA2", "\x81\xCA"},  // ￢: the JIS code, not the IBM duplicate
      {"\xE2\x85\xB0", "\xFA\x40"},  // ⅰ: the IBM code, not the NEC-selected 0xEE 0xEF
      {"\xE7\xBA\x8A", "\xFA\x5C"},  // 纊: likewise, with a trail byte 0x5C
      {"\xEF\xBF\xA4", "\xFA\x55"},  // ￤
      {"\xE2\x85\xA0", "\x87\x54"},  // Ⅰ: NEC row 13 before the IBM duplicate
      {"\xE2\x82\xAC", "?"},         // € has no code-page-932 form
      {"\xC2\xA5", "?"},             // nor has U+00A5
      {"\xF0\x9F\x98\x80", "?"},     // nor anything beyond the BMP
      {"\xC3", "?"},                 // truncated
      {"\xE3\x81\x41", "??A"},       // one "?" per bad byte
      {"\x80\xBF", "??"},            // stray continuation bytes
      {"\xC0\xAF", "??"},            // overlong
      {"\xE0\x80\xAF", "???"},       // overlong
      {"\xED\xA0\x80", "???"},       // surrogate
      {"\xF4\x90\x80\x80", "????"},  // beyond U+10FFFF
      {"\xFE\xFF", "??"},
      {"a\xE8\xA1\xA8\x62", "a\x95\x5C\x62"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Utf8ToSjis(c.utf8), c.sjis);
  }
}

TEST(Cp932, EveryCharacterRoundTrips) {
  int characters = 0;
  for (int b = 0; b < 0x100; ++b) {
    const std::string one(1, static_cast<char>(b));
    const std::string utf8 = SjisToUtf8(one);
    if (b < 0x80 || (b >= 0xA1 && b <= 0xDF)) {
      EXPECT_EQ(Utf8ToSjis(utf8), one) << b;
      ++characters;
    }
  }
  for (int lead = 0x81; lead <= 0xFC; ++lead) {
    if (lead > 0x9F && lead < 0xE0) {
      continue;
    }
    for (int trail = 0x40; trail <= 0xFC; ++trail) {
      const std::string pair{static_cast<char>(lead), static_cast<char>(trail)};
      const std::string utf8 = SjisToUtf8(pair);
      if (utf8 == kReplacement || trail == 0x7F) {
        continue;
      }
      ++characters;
      // Duplicated codes (NEC and IBM rows) come back as the one preferred code of the same
      // character, so compare through the character.
      const std::string back = Utf8ToSjis(utf8);
      ASSERT_EQ(back.size(), 2u) << std::hex << lead << " " << trail;
      EXPECT_EQ(SjisToUtf8(back), utf8) << std::hex << lead << " " << trail;
    }
  }
  // ASCII, 63 half-width katakana, JIS X 0208, NEC and IBM extensions and the user-defined area.
  EXPECT_GT(characters, 9000);
}

}  // namespace
