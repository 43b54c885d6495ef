// Cp932.cpp: code page 932 <-> UTF-8 for the program's edges (command line, JSON, SVG), from
// the generated table, so the result does not depend on the platform's converters.
#include "MyFunc.h"

#include "Cp932Table.inc"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <string>
#include <string_view>

namespace {

constexpr char32_t kReplacement = 0xFFFD;

inline bool IsCp932Lead(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
inline bool IsCp932Trail(unsigned char b) { return b >= 0x40 && b <= 0xFC && b != 0x7F; }

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (c >> 18)));
    out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

// One well-formed UTF-8 sequence at the start of s (no overlong forms, no surrogates, nothing
// above U+10FFFF): its code point and length, or length 0.
struct TDecoded {
  char32_t CodePoint;
  std::size_t Length;
};

TDecoded DecodeUtf8(std::string_view s) {
  const auto b0 = static_cast<unsigned char>(s[0]);
  if (b0 < 0x80) {
    return {b0, 1};
  }
  std::size_t length = 0;
  char32_t c = 0;
  unsigned char low = 0x80;
  unsigned char high = 0xBF;  // allowed range of the second byte
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    length = 2;
    c = b0 & 0x1F;
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    length = 3;
    c = b0 & 0x0F;
    if (b0 == 0xE0) low = 0xA0;
    if (b0 == 0xED) high = 0x9F;
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    length = 4;
    c = b0 & 0x07;
    if (b0 == 0xF0) low = 0x90;
    if (b0 == 0xF4) high = 0x8F;
  } else {
    return {0, 0};
  }
  if (s.size() < length) {
    return {0, 0};
  }
  for (std::size_t k = 1; k < length; ++k) {
    const auto b = static_cast<unsigned char>(s[k]);
    const unsigned char lo = k == 1 ? low : 0x80;
    const unsigned char hi = k == 1 ? high : 0xBF;
    if (b < lo || b > hi) {
      return {0, 0};
    }
    c = (c << 6) | (b & 0x3F);
  }
  return {c, length};
}

}  // namespace

std::string SjisToUtf8(std::string_view sjis) {
  std::string out;
  out.reserve(sjis.size() * 3 / 2);
  for (std::size_t i = 0; i < sjis.size();) {
    const auto b = static_cast<unsigned char>(sjis[i]);
    if (b < 0x80) {
      out.push_back(static_cast<char>(b));
      ++i;
    } else if (b >= 0xA1 && b <= 0xDF) {
      AppendUtf8(out, static_cast<char32_t>(0xFF61 + (b - 0xA1)));  // half-width katakana
      ++i;
    } else if (IsCp932Lead(b) && i + 1 < sjis.size() &&
               IsCp932Trail(static_cast<unsigned char>(sjis[i + 1]))) {
      const int lead = b <= 0x9F ? b - 0x81 : b - 0xE0 + (0x9F - 0x81 + 1);
      const int trail = static_cast<unsigned char>(sjis[i + 1]) - cp932::kTrailFirst;
      const uint16_t u = cp932::kDecode[lead * cp932::kTrailCount + trail];
      AppendUtf8(out, u != 0 ? u : kReplacement);
      i += 2;
    } else {
      // 0x80, 0xA0, 0xFD..0xFF, or a lead byte without a valid second byte.
      AppendUtf8(out, kReplacement);
      ++i;
    }
  }
  return out;
}

std::string Utf8ToSjis(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    const TDecoded d = DecodeUtf8(utf8.substr(i));
    if (d.Length == 0) {
      out.push_back('?');
      ++i;
      continue;
    }
    i += d.Length;
    const char32_t c = d.CodePoint;
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else if (c >= 0xFF61 && c <= 0xFF9F) {
      out.push_back(static_cast<char>(0xA1 + (c - 0xFF61)));
    } else {
      const auto* const first = std::begin(cp932::kEncode);
      const auto* const last = std::end(cp932::kEncode);
      const auto* it = std::lower_bound(
          first, last, c, [](const cp932::TEncodeEntry& e, char32_t v) { return e.Unicode < v; });
      if (it != last && it->Unicode == c) {
        out.push_back(static_cast<char>(it->Code >> 8));
        out.push_back(static_cast<char>(it->Code & 0xFF));
      } else {
        out.push_back('?');
      }
    }
  }
  return out;
}
