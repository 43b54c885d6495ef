// Number conversion, number forms, fixed-point formatting and rounding.
#include "MyFunc.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>

namespace {

struct IntCase {
  const char* text;
  int32_t expected;
};

TEST(TextToInt, AcceptsExactlyTheGrammar) {
  // clang-format off
  const IntCase cases[] = {
      {"12", 12}, {" 12", 12}, {"   12", 12}, {"+12", 12}, {"-12", -12}, {"0", 0}, {"-0", 0},
      {"007", 7}, {"2147483647", 2147483647}, {"-2147483648", INT32_MIN},
      {"$A", 10}, {"$a", 10}, {"0x1F", 31}, {"0X1f", 31}, {"x1F", 31}, {"X1F", 31},
      {"$FFFFFFFF", -1}, {"$80000000", INT32_MIN}, {"$7FFFFFFF", 2147483647},
      {"$000000000A", 10},  // leading zeros are not significant digits
      {"-$A", -10}, {"+$A", 10}, {" $f", 15}, {"-$FFFFFFFF", 1}, {"$0", 0},
      {"00000000000000000012", 12},
  };
  // clang-format on
  for (const auto& c : cases) {
    EXPECT_EQ(TextToInt(c.text), c.expected) << '"' << c.text << '"';
  }
}

TEST(TextToInt, RejectsEverythingElseAsZero) {
  // clang-format off
  const char* const cases[] = {
      "", " ", "12 ", "1.5", "abc", "2147483648", "-2147483649", "99999999999", "+", "-", "+-1",
      "--1", "1e3", "\t12", "12\t", "\xA0\x31\x32", "1 2", "$", "0x", "x", "$G", "$1G", "$100000000",
      "$FFFFFFFFF", "0x-1", "$-1", "$ 1", "- 1", "\x82\x50\x82\x51", "0b1", "1_000", "12\r", "12\n",
  };
  // clang-format on
  for (const char* text : cases) {
    EXPECT_EQ(TextToInt(text), 0) << '"' << text << '"';
  }
  // A text with a zero byte inside is not wholly a number either.
  EXPECT_EQ(TextToInt(std::string_view("12\0", 3)), 0);
}

struct FloatCase {
  const char* text;
  double expected;
};

TEST(TextToFloat, AcceptsExactlyTheGrammar) {
  // clang-format off
  const FloatCase cases[] = {
      {"2.5", 2.5}, {"-.5", -0.5}, {"1e3", 1000}, {" 7", 7}, {"+7", 7}, {"5.", 5}, {".5", 0.5},
      {"1E3", 1000}, {"1e+3", 1000}, {"1e-3", 0.001}, {"-1.25E2", -125}, {"0", 0}, {"000.000", 0},
      {"12345678901234567890", 12345678901234567890.0}, {"0.1", 0.1}, {"1.7976931348623157e308", 1.7976931348623157e308},
      {"4.9e-324", 4.9e-324}, {"100.", 100}, {"   -3", -3},
  };
  // clang-format on
  for (const auto& c : cases) {
    EXPECT_EQ(TextToFloat(c.text), c.expected) << '"' << c.text << '"';
  }
  EXPECT_TRUE(std::signbit(TextToFloat("-0")));
}

TEST(TextToFloat, RejectsEverythingElseAsZero) {
  const char* const cases[] = {
      "",      " ",      "2,5",   "1e",       "1e+",    "3 ",    "e3",
      ".",     "-.",     "+",     "-",        "+-1",    "1.2.3", "inf",
      "-inf",  "nan",    "INF",   "infinity", "0x10",   "1e3.5", "1d3",
      "\t1",   "1\t",    "1 e3",  "1e 3",     "--1",    "$1",    "1.7976931348623159e308",
      "1e400", "-1e400", "12abc", "\x82\x50", "1e-400",
  };
  for (const char* text : cases) {
    EXPECT_EQ(TextToFloat(text), 0.0) << '"' << text << '"';
  }
}

// What a user types into a number field: blanks around it and full-width digits, signs and
// points are taken; anything else is no number.
TEST(TypedNumber, AsAUserTypesIt) {
  const struct {
    const char* text;
    bool number;
    double value;
  } cases[] = {
      {"3 ", true, 3},
      {" 3", true, 3},
      {"\x81\x40"
       "2.5\x81\x40",
       true, 2.5},                                       // full-width blanks
      {"\x82\x52", true, 3},                             // ３
      {"\x81\x7C\x82\x50\x81\x44\x82\x54", true, -1.5},  // －１．５
      {"\x81\x7B"
       "7",
       true, 7},  // ＋7
      {"1e3", true, 1000},
      {"", false, 0},
      {" \x81\x40 ", false, 0},
      {"abc", false, 0},
      {"1 2", false, 0},
      {"1,5", false, 0},
      {"\x82\x52\x82\x8D", false, 0},  // ３ｍ
      {"nan", false, 0},
      {"1e400", false, 0},
      {"\x82", false, 0},  // a lone lead byte
  };
  for (const auto& c : cases) {
    double v = -1;
    EXPECT_EQ(TypedNumber(c.text, v), c.number) << '"' << c.text << '"';
    EXPECT_EQ(v, c.value) << '"' << c.text << '"';
  }
}

TEST(NumberForms, IntegerForms) {
  const struct {
    int32_t value;
    const char* decimal;
    const char* hex;
    // clang-format off
  } cases[] = {
      {0, "0", "0"}, {9, "9", "9"}, {10, "10", "A"}, {15, "15", "F"}, {16, "16", "10"}, {-3, "-3", "FFFFFFFD"},
      {-1, "-1", "FFFFFFFF"}, {255, "255", "FF"}, {INT32_MAX, "2147483647", "7FFFFFFF"},
      {INT32_MIN, "-2147483648", "80000000"}, {0xABCDEF, "11259375", "ABCDEF"},
  };
  // clang-format on
  for (const auto& c : cases) {
    EXPECT_EQ(IntToText(c.value), c.decimal);
    EXPECT_EQ(IntToHex(c.value), c.hex);
    // Both forms read back to the same value.
    EXPECT_EQ(TextToInt(IntToText(c.value)), c.value);
    std::string prefixed(1, '$');
    prefixed += IntToHex(c.value);
    EXPECT_EQ(TextToInt(prefixed), c.value);
  }
}

TEST(NumberForms, GeneralRealForm) {
  const struct {
    double value;
    const char* text;
    // clang-format off
  } cases[] = {
      {0.0, "0"}, {-0.0, "0"}, {2, "2"}, {1500, "1500"}, {0.5, "0.5"}, {0.00012, "0.00012"},
      {1.5e-5, "1.5E-5"}, {-12.5, "-12.5"}, {1234.56789, "1234.56789"}, {0.00005, "5E-5"},
      {0.0005, "0.0005"}, {0.0001, "0.0001"}, {0.1, "0.1"}, {1e15, "1E15"}, {999999999999999.9, "1E15"},
      {999999999999999.0, "999999999999999"}, {100000000000000.0, "100000000000000"},
      {12345678901234.25, "12345678901234.3"},   // a tie: away from zero, not to even
      {-12345678901234.25, "-12345678901234.3"},
      {862.0613338608315, "862.061333860831"},   // exact value ...8314961..., not the 17-digit ...8315
      {98616.86900000005, "98616.869"},           // 17 digits end in 50: the exact value below decides
      {82584.36100000015, "82584.3610000001"},
      {10 * std::cos(3.14159265358979323846 / 2), "6.12323399573677E-16"},
      {1.0 / 3, "0.333333333333333"}, {2.0 / 3, "0.666666666666667"}, {-2.0 / 3, "-0.666666666666667"},
      {0.1 + 0.2, "0.3"}, {1e16, "1E16"}, {1.25e20, "1.25E20"}, {-1e-300, "-1E-300"},
      {5e-324, "4.94065645841247E-324"}, {1.7976931348623157e308, "1.79769313486232E308"},
      {0.00009999999999999999, "0.0001"},  // rounding carries it into the fixed-point range
      {123456789012345678.0, "1.23456789012346E17"},
  };
  // clang-format on
  for (const auto& c : cases) {
    EXPECT_EQ(FloatToText(c.value), c.text) << c.value;
  }
  EXPECT_EQ(FloatToText(std::numeric_limits<double>::infinity()), "0");
  EXPECT_EQ(FloatToText(std::numeric_limits<double>::quiet_NaN()), "0");
}

TEST(NumberForms, GeneralRealFormReadsBackWithinFifteenDigits) {
  std::mt19937_64 random(748);
  std::uniform_real_distribution<double> mantissa(1.0, 10.0);
  std::uniform_int_distribution<int> exponent(-30, 30);
  for (int i = 0; i < 20000; ++i) {
    const double x = (i % 2 ? -1 : 1) * mantissa(random) * std::pow(10.0, exponent(random));
    const std::string text = FloatToText(x);
    const double back = TextToFloat(text);
    ASSERT_NE(back, 0.0) << text;
    EXPECT_LE(std::fabs(back - x), std::fabs(x) * 5.1e-15) << x << " " << text;
    // Writing the value read back gives the same text again.
    EXPECT_EQ(FloatToText(back), text);
  }
}

TEST(FormatFixed, RoundsHalfAwayAtTheLastDigit) {
  const struct {
    int decimals;
    double value;
    const char* fixed;
    const char* grouped;
  } cases[] = {
      {2, 1234567.125, "1234567.13", "1,234,567.13"},
      {0, 0.5, "1", "1"},
      {0, -0.5, "-1", "-1"},
      {2, -0.001, "0.00", "0.00"},
      {2, -0.0, "0.00", "0.00"},
      {2, 0.0, "0.00", "0.00"},
      {0, 0.4, "0", "0"},
      {0, -0.4, "0", "0"},
      {3, 1.0005, "1.000", "1.000"},  // 1.00049999999999999 at 18 digits: below the half
      {2, 2.675, "2.67", "2.67"},     // 2.67499999999999982 at 18 digits
      {1, 999.95, "1000.0", "1,000.0"},
      {0, 999999.5, "1000000", "1,000,000"},
      {2, -1234.5, "-1234.50", "-1,234.50"},
      {4, 0.00005, "0.0001", "0.0001"},
      {18, 0.1, "0.100000000000000006", "0.100000000000000006"},
      {5, 12, "12.00000", "12.00000"},
      {0, 123, "123", "123"},
      {0, 1234, "1234", "1,234"},
      {0, 123456, "123456", "123,456"},
      {1, 1e20, "100000000000000000000.0", "100,000,000,000,000,000,000.0"},
      {19, 1.5, "1.50", "1.50"},  // out of range: 2 decimals
      {-1, 1.5, "1.50", "1.50"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FormatFixed(c.decimals, c.value), c.fixed) << c.decimals << " " << c.value;
    EXPECT_EQ(FormatGrouped(c.decimals, c.value), c.grouped) << c.decimals << " " << c.value;
  }
  EXPECT_EQ(FormatFixed(2, std::numeric_limits<double>::quiet_NaN()), "0.00");
}

TEST(RoundTiny, RoundsToTheTenBillionthGrid) {
  EXPECT_EQ(RoundTiny(0.1 + 0.2), 0.3);
  EXPECT_EQ(RoundTiny(-1e-11), 0.0);
  EXPECT_EQ(RoundTiny(44.99999999999999), 45.0);
  EXPECT_EQ(RoundTiny(-44.99999999999999), -45.0);
  EXPECT_EQ(RoundTiny(0.6e-10), 1e-10);
  EXPECT_EQ(RoundTiny(-0.6e-10), -1e-10);
  EXPECT_EQ(RoundTiny(0.49e-10), 0.0);
  // Exactly half a step (5e-11 times 1e10 is exactly 0.5) goes away from zero.
  EXPECT_EQ(RoundTiny(5e-11), 1e-10);
  EXPECT_EQ(RoundTiny(-5e-11), -1e-10);
  EXPECT_EQ(RoundTiny(1.23456789012345), 1.2345678901);
  EXPECT_EQ(RoundTiny(1e300), 1e300);  // beyond the grid's reach: unchanged, not infinity
}

TEST(RoundDigits, ModesAreExactInDecimal) {
  const struct {
    int digits;
    TRoundMode mode;
    double x;
    double expected;
  } cases[] = {
      {2, TRoundMode::Truncate, 1.239, 1.23},
      {0, TRoundMode::RoundUp, 2.125, 3},
      {0, TRoundMode::RoundUp, 2.0625, 2},
      {1, TRoundMode::RoundHalf, 0.25, 0.3},
      {1, TRoundMode::RoundHalf, -2.25, -2.3},
      {1, TRoundMode::Truncate, -2.25, -2.2},
      {20, TRoundMode::RoundHalf, 2.5, 3},  // digits above 13: whole numbers
      {-1, TRoundMode::RoundHalf, 2.5, 3},
      {0, TRoundMode::RoundHalf, 2.4999, 2},
      {1, static_cast<TRoundMode>(7), 0.25, 0.3},  // any other mode rounds half
      // Binary noise below the twelfth digit does not move the result.
      {2, TRoundMode::Truncate, 1234.29, 1234.29},
      {2, TRoundMode::Truncate, 99.99, 99.99},
      {2, TRoundMode::Truncate, 1234.56, 1234.56},
      {2, TRoundMode::Truncate, -1234.29, -1234.29},
      {2, TRoundMode::RoundHalf, 2.675, 2.68},
      {2, TRoundMode::RoundHalf, 1.005, 1.01},
      {0, TRoundMode::Truncate, 999.9999999999999, 1000},
      {1, TRoundMode::Truncate, 1234.75, 1234.7},
      {1, TRoundMode::RoundUp, 1234.75, 1234.8},
      {1, TRoundMode::RoundHalf, 1234.75, 1234.8},
      {1, TRoundMode::RoundUp, 2.0078125, 2.0},
      {1, TRoundMode::RoundUp, 2.01, 2.1},    // a tenth of the last digit raises it
      {1, TRoundMode::RoundUp, 2.0099, 2.0},  // less than a tenth does not
      {1, TRoundMode::RoundUp, -2.01, -2.1},
      {2, TRoundMode::RoundUp, 0.1 + 0.2, 0.3},
      {3, TRoundMode::RoundHalf, 0.0, 0.0},
      {1, TRoundMode::RoundHalf, 9.96, 10.0},
      // Fine precisions keep the asked-for digits: the noise goes two decimals below them, but
      // never below fifteen significant digits.
      {8, TRoundMode::Truncate, 12345.67890123, 12345.67890123},  // 12345.67890122999..., not ...2012
      {8, TRoundMode::Truncate, 12345.678901234, 12345.67890123},
      {7, TRoundMode::RoundHalf, 122313.11548543, 122313.1154854},
      {13, TRoundMode::Truncate, 0.1234567890123456, 0.1234567890123},
      {8, TRoundMode::RoundHalf, 123456789012.345678, 123456789012.346},  // fifteen digits at most
      {0, TRoundMode::Truncate, 123456789012345.0, 123456789012345.0},
      {0, TRoundMode::Truncate, 1234567890123456.0, 1234567890123460.0},
      {2, TRoundMode::RoundHalf, 1e-20, 0.0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RoundDigits(c.digits, c.mode, c.x), c.expected)
        << "digits " << c.digits << " mode " << static_cast<int>(c.mode) << " x " << c.x;
  }
  EXPECT_TRUE(std::isinf(RoundDigits(2, TRoundMode::RoundHalf, std::numeric_limits<double>::infinity())));
}

}  // namespace
