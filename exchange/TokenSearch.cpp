// Searching a token for a keyword or suffix, character by character, so that a match never starts
// on the second byte of a double-byte character.
#include "ReadRules.h"

#include <cstring>

#include "MyFunc.h"

std::size_t FindSjis(std::string_view text, std::string_view needle) {
  if (needle.empty() || needle.size() > text.size()) return std::string_view::npos;
  const std::size_t last = text.size() - needle.size();
  std::size_t i = 0;
  while (i <= last) {
    if (std::memcmp(text.data() + i, needle.data(), needle.size()) == 0) return i;
    i += IsLeadByte(static_cast<unsigned char>(text[i])) ? 2u : 1u;
  }
  return std::string_view::npos;
}
