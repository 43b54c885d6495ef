// NumberParse.cpp: the lenient conversions of texts to numbers. They read every number of the
// exchange file, so they allocate nothing: the grammar is checked on the bytes, then
// std::from_chars (locale-free) converts the very same bytes.
#include "MyFunc.h"

#include <charconv>
#include <cstdint>
#include <string>
#include <string_view>
#include <system_error>

namespace {

inline bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

int32_t TextToInt(std::string_view s) {
  const char* p = s.data();
  const char* const end = p + s.size();
  while (p != end && *p == ' ') {
    ++p;
  }
  bool negative = false;
  if (p != end && (*p == '+' || *p == '-')) {
    negative = *p == '-';
    ++p;
  }
  if (p == end) {
    return 0;
  }
  uint32_t magnitude = 0;
  if (*p == '$' || *p == 'x' || *p == 'X' || (*p == '0' && end - p >= 2 && (p[1] == 'x' || p[1] == 'X'))) {
    p += *p == '0' ? 2 : 1;
    // from_chars takes neither a sign nor a prefix here, so only hexadecimal digits pass;
    // more than eight significant digits overflow 32 bits and fail.
    if (p == end) {
      return 0;
    }
    const auto res = std::from_chars(p, end, magnitude, 16);
    if (res.ec != std::errc{} || res.ptr != end) {
      return 0;
    }
  } else {
    if (!IsDigit(*p)) {
      return 0;
    }
    const auto res = std::from_chars(p, end, magnitude, 10);
    if (res.ec != std::errc{} || res.ptr != end) {
      return 0;
    }
    if (magnitude > (negative ? 2147483648u : 2147483647u)) {
      return 0;
    }
  }
  // Two's complement: $FFFFFFFF is -1, and -$A is -10.
  return static_cast<int32_t>(negative ? 0u - magnitude : magnitude);
}

bool TextIsFloat(std::string_view s, double& value) {
  value = 0.0;
  const char* p = s.data();
  const char* const end = p + s.size();
  while (p != end && *p == ' ') {
    ++p;
  }
  // from_chars takes "-" but not "+".
  const char* const number = (p != end && *p == '+') ? p + 1 : p;
  const char* q = number;
  if (q != end && *q == '-' && q == p) {
    ++q;
  }
  bool anyDigit = false;
  while (q != end && IsDigit(*q)) {
    ++q;
    anyDigit = true;
  }
  if (q != end && *q == '.') {
    ++q;
    while (q != end && IsDigit(*q)) {
      ++q;
      anyDigit = true;
    }
  }
  if (!anyDigit) {
    return false;
  }
  if (q != end && (*q == 'e' || *q == 'E')) {
    ++q;
    if (q != end && (*q == '+' || *q == '-')) {
      ++q;
    }
    if (q == end || !IsDigit(*q)) {
      return false;
    }
    while (q != end && IsDigit(*q)) {
      ++q;
    }
  }
  if (q != end) {
    return false;
  }
  double parsed = 0.0;
  const auto res = std::from_chars(number, end, parsed);
  // Out of range (beyond the largest double, or below the smallest) is no number either.
  if (res.ec != std::errc{} || res.ptr != end) {
    return false;
  }
  value = parsed;
  return true;
}

double TextToFloat(std::string_view s) {
  double value = 0.0;
  TextIsFloat(s, value);
  return value;
}

bool TypedNumber(std::string_view sjis, double& value) {
  std::string half;
  for (std::size_t i = 0; i < sjis.size(); ++i) {
    const auto b = static_cast<unsigned char>(sjis[i]);
    if (IsLeadByte(b) && i + 1 < sjis.size()) {
      const auto t = static_cast<unsigned char>(sjis[i + 1]);
      const unsigned code = static_cast<unsigned>(b) << 8 | t;
      ++i;
      if (code >= 0x824F && code <= 0x8258) half += static_cast<char>('0' + (code - 0x824F));  // ０..９
      else if (code == 0x817C) half += '-';                                                    // －
      else if (code == 0x817B) half += '+';                                                    // ＋
      else if (code == 0x8144) half += '.';                                                    // ．
      else if (code == 0x8140) half += ' ';  // full-width blank
      else {
        value = 0.0;  // any other character: no number
        return false;
      }
      continue;
    }
    half += static_cast<char>(b);
  }
  const std::size_t first = half.find_first_not_of(' ');
  const std::size_t last = half.find_last_not_of(' ');
  if (first == std::string::npos) {
    value = 0.0;
    return false;
  }
  return TextIsFloat(std::string_view(half).substr(first, last - first + 1), value);
}
