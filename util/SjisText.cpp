// SjisText.cpp: Shift-JIS text walked character by character with the one lead-byte rule of
// the command. A lead byte at the very end of a text (no second byte) counts as a single-byte
// character, so no routine ever reads past the end.
#include "MyFunc.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace {

// Bytes of the character that starts at i.
inline std::size_t CharLength(std::string_view s, std::size_t i) {
  return (IsLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size()) ? 2 : 1;
}

}  // namespace

std::string RemoveBlanks(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size();) {
    const std::size_t n = CharLength(s, i);
    const auto b = static_cast<unsigned char>(s[i]);
    const bool drop = n == 2 ? (b == 0x81 && static_cast<unsigned char>(s[i + 1]) == 0x40) : b <= 0x20;
    if (!drop) {
      out.append(s.substr(i, n));
    }
    i += n;
  }
  return out;
}

std::string CopyMbcs(std::string_view s, int start, int count, int& taken) {
  taken = 0;
  std::string out;
  if (s.empty() || start < 1 || static_cast<std::size_t>(start) > s.size() || count <= 0) {
    return out;
  }
  // 1-based byte window [first, last]; 64 bits so that start + count cannot overflow.
  const int64_t first = start;
  const int64_t last = static_cast<int64_t>(start) + count - 1;
  for (std::size_t i = 0; i < s.size();) {
    const std::size_t n = CharLength(s, i);
    const int64_t pos = static_cast<int64_t>(i) + 1;
    if (pos > last) {
      break;
    }
    if (pos >= first && pos + static_cast<int64_t>(n) - 1 <= last) {
      out.append(s.substr(i, n));
      taken += static_cast<int>(n);
    }
    i += n;
  }
  return out;
}

double TextExtent(std::string_view s, double width, double spacing) {
  double extent = 0.0;
  for (std::size_t i = 0; i < s.size();) {
    const std::size_t n = CharLength(s, i);
    const bool more = i + n < s.size();
    if (n == 2) {
      extent += width;
      if (more) {
        extent += spacing;
      }
    } else {
      if (static_cast<unsigned char>(s[i]) >= 0x20) {
        extent += width / 2;
      }
      if (more) {
        extent += spacing / 2;
      }
    }
    i += n;
  }
  return extent;
}

std::string_view CutSjis(std::string_view s, std::size_t maxBytes) {
  if (s.size() <= maxBytes) {
    return s;
  }
  std::size_t end = 0;
  while (end < s.size()) {
    const std::size_t n = CharLength(s, end);
    if (end + n > maxBytes) {
      break;
    }
    end += n;
  }
  return s.substr(0, end);
}

std::string SingleLine(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return out;
}
