// The value text: precision, rounding, zeros, unit, separators, full width, prefix and suffix.
#include <gtest/gtest.h>

#include <string>

#include "Dimension.h"

namespace {

struct Case {
  double length;
  int decimals, mode, zeros, unit;
  bool grouped, withUnit, fullWidth;
  const char* prefix;  // UTF-8; given as typed, cleaned as OK cleans it
  const char* suffix;
  const char* expected;  // UTF-8
};

TValueSettings Settings(const Case& c) {
  TValueSettings v;
  v.Decimals = c.decimals;
  v.Mode = c.mode;
  v.Zeros = c.zeros;
  v.Unit = c.unit;
  v.Grouped = c.grouped;
  v.WithUnit = c.withUnit;
  v.FullWidth = c.fullWidth;
  v.Prefix = CleanAffix(SjisText(c.prefix));
  v.Suffix = CleanAffix(SjisText(c.suffix));
  return v;
}

constexpr int kTrunc = 0, kUp = 1, kHalf = 2;
constexpr int kNone = 0, kShown = 1;
constexpr int kMm = 0, kM = 1;

}  // namespace

TEST(ValueText, Build) {
  const Case cases[] = {
      // Zeros after the point, with and without thousands separators.
      {1234.5, 3, kHalf, kNone, kMm, false, false, false, "", "", "1234.5"},
      {1234.5, 3, kHalf, kShown, kMm, false, false, false, "", "", "1234.500"},
      {1234.5, 3, kHalf, kNone, kMm, true, false, false, "", "", "1,234.5"},
      {1234.5, 3, kHalf, kShown, kMm, true, false, false, "", "", "1,234.500"},
      // The three roundings.
      {1234.75, 1, kTrunc, kNone, kMm, false, false, false, "", "", "1234.7"},
      {1234.75, 1, kUp, kNone, kMm, false, false, false, "", "", "1234.8"},
      {1234.75, 1, kHalf, kNone, kMm, false, false, false, "", "", "1234.8"},
      // Round up raises the last digit only for a dropped part of at least a tenth of it.
      {2.0625, 1, kUp, kNone, kMm, false, false, false, "", "", "2.1"},
      {2.0078125, 1, kUp, kNone, kMm, false, false, false, "", "", "2"},
      {2.0078125, 1, kUp, kShown, kMm, false, false, false, "", "", "2.0"},
      // Whole numbers: no point, and the zeros setting has nothing to do.
      {2.5, 0, kTrunc, kNone, kMm, false, false, false, "", "", "2"},
      {2.5, 0, kUp, kNone, kMm, false, false, false, "", "", "3"},
      {2.5, 0, kHalf, kNone, kMm, false, false, false, "", "", "3"},
      {2.5, 0, kHalf, kShown, kMm, false, false, false, "", "", "3"},
      {1000, 0, kHalf, kNone, kMm, false, false, false, "", "", "1000"},  // zeros before no point stay
      {1200, 3, kHalf, kNone, kMm, false, false, false, "", "", "1200"},
      // Metres.
      {2500, 1, kHalf, kNone, kM, false, true, false, "", "", "2.5ｍ"},
      {1000, 3, kHalf, kNone, kM, false, true, false, "", "", "1ｍ"},
      {1000, 3, kHalf, kShown, kM, false, true, false, "", "", "1.000ｍ"},
      {2999.99, 2, kTrunc, kNone, kM, false, false, false, "", "", "2.99"},
      {1234.5, 3, kHalf, kNone, kMm, false, true, false, "", "", "1234.5mm"},
      // Separators go in the integer part only.
      {1234567.25, 2, kHalf, kNone, kMm, true, false, false, "", "", "1,234,567.25"},
      {999.9999, 8, kHalf, kShown, kMm, true, false, false, "", "", "999.99990000"},
      {0.00000001, 8, kHalf, kShown, kMm, false, false, false, "", "", "0.00000001"},
      // Only the number goes full width; prefix and unit stay as they are.
      {1234.5, 1, kHalf, kNone, kMm, true, true, true, "R=", "", "R=１，２３４．５mm"},
      {2500, 3, kHalf, kNone, kM, false, true, true, "", "", "２．５ｍ"},
      // Prefix, unit, suffix in that order; a blank affix is none, any other kept whole.
      {100, 3, kHalf, kNone, kMm, false, true, false, "R ", " max", "R 100mm max"},
      {100, 3, kHalf, kNone, kMm, false, false, false, "　", "　ｍ", "100　ｍ"},
      {100, 3, kHalf, kNone, kMm, false, false, false, " \t　", "\r\n", "100"},
      {100, 3, kHalf, kNone, kMm, false, false, false, "φ", "", "φ100"},
      // A positive length that rounds to nothing is a zero.
      {0.25, 0, kHalf, kNone, kMm, false, false, false, "", "", "0"},
      {0.25, 2, kTrunc, kShown, kMm, false, false, false, "", "", "0.25"},
      // Lengths measured with a binary error just below the decimal value keep that value.
      {0.1 + 0.2, 1, kTrunc, kNone, kMm, false, false, false, "", "", "0.3"},
      {1234.29, 2, kTrunc, kNone, kMm, false, false, false, "", "", "1234.29"},
      {2700.25, 2, kHalf, kShown, kMm, true, false, false, "", "", "2,700.25"},
      // Long lengths at fine precisions keep every asked-for digit.
      {12345.678901234, 8, kTrunc, kShown, kMm, false, false, false, "", "", "12345.67890123"},
      {122313.11548543, 7, kHalf, kShown, kMm, true, false, false, "", "", "122,313.1154854"},
      {12345678.90123456, 8, kTrunc, kShown, kM, false, false, false, "", "", "12345.67890123"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(BuildValueText(c.length, Settings(c)), SjisText(c.expected))
        << c.length << " decimals " << c.decimals << " mode " << c.mode << " -> " << c.expected;
  }
}

TEST(ValueText, CleanAffix) {
  const struct {
    std::string typed, expected;
  } cases[] = {
      {"", ""},
      {"   ", ""},
      {"\x81\x40", ""},  // one full-width blank
      {"\t\x81\x40 \r", ""},
      {"R ", "R "},
      {" \x81\x40\x82\x8D", " \x81\x40\x82\x8D"},  // a blank and ｍ: kept whole
      {"\x7F", "\x7F"},
      {"a\r\nb", "a  b"},  // a pasted line break stays on the line
  };
  for (const auto& c : cases) EXPECT_EQ(CleanAffix(c.typed), c.expected) << c.typed;
}
