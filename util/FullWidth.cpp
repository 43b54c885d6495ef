// FullWidth.cpp: ToFullWidth with the command's own code-page-932 table (Cp932Table.inc), so
// the value text comes out the same whatever the locale or platform. The table follows the
// Japanese Windows mapping (full width and katakana): printable ASCII to its full-width form,
// reading 0x5C as the yen sign and 0x7E as the overline (JIS X 0201) and the quotes as the
// typographic ones; half-width katakana to full-width katakana, a following voiced or
// semi-voiced mark combined where code page 932 has the combined character; hiragana to
// katakana.
#include "MyFunc.h"

#include "Cp932Table.inc"

#include <cstdint>
#include <string>
#include <string_view>

namespace {

inline void AppendCode(std::string& out, uint16_t code) {
  out.push_back(static_cast<char>(code >> 8));
  out.push_back(static_cast<char>(code & 0xFF));
}

constexpr unsigned char kVoicedMark = 0xDE;
constexpr unsigned char kSemiVoicedMark = 0xDF;

}  // namespace

std::string ToFullWidth(std::string_view s) {
  std::string out;
  out.reserve(s.size() * 2);
  for (std::size_t i = 0; i < s.size();) {
    const auto b = static_cast<unsigned char>(s[i]);
    if (IsLeadByte(b) && i + 1 < s.size()) {
      const auto t = static_cast<unsigned char>(s[i + 1]);
      if (b == 0x82 && t >= 0x9F && t <= 0xF1) {
        AppendCode(out, cp932::kKatakanaOfHiragana[t - 0x9F]);
      } else {
        out.append(s.substr(i, 2));
      }
      i += 2;
    } else if (b >= 0x20 && b <= 0x7E) {
      AppendCode(out, cp932::kFullWidthAscii[b - 0x20]);
      ++i;
    } else if (b >= 0xA1 && b <= 0xDF) {
      const std::size_t k = b - 0xA1;
      const unsigned char next = i + 1 < s.size() ? static_cast<unsigned char>(s[i + 1]) : 0;
      uint16_t combined = 0;
      if (next == kVoicedMark) {
        combined = cp932::kFullWidthVoiced[k];
      } else if (next == kSemiVoicedMark) {
        combined = cp932::kFullWidthSemiVoiced[k];
      }
      if (combined != 0) {
        AppendCode(out, combined);
        i += 2;
      } else {
        AppendCode(out, cp932::kFullWidthKana[k]);
        ++i;
      }
    } else {
      out.push_back(static_cast<char>(b));
      ++i;
    }
  }
  return out;
}
