// Cutting one line into tokens, byte for byte (the rules are listed in Tokenizer.h).
#include "Tokenizer.h"

#include <array>
#include <climits>

namespace {

enum TByteClass : uint8_t { bcKeep, bcLead, bcQuote, bcEquals, bcSeparator, bcDrop };

constexpr std::array<uint8_t, 256> MakeByteClasses() {
  std::array<uint8_t, 256> c{};
  for (int b = 0; b < 256; ++b) {
    if ((b >= 0x80 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFD)) c[b] = bcLead;
    else if (b >= 0x20 && b <= 0xFD) c[b] = bcKeep;
    else c[b] = bcDrop;  // controls (Ctrl-Z included), 0xFE, 0xFF
  }
  c['"'] = bcQuote;
  c['='] = bcEquals;
  c[' '] = bcSeparator;
  c['\t'] = bcSeparator;
  return c;
}
constexpr std::array<uint8_t, 256> kByteClass = MakeByteClasses();

int32_t CountUp(int32_t n) { return n < INT32_MAX ? n + 1 : n; }

}  // namespace

const TJwwTokens& TJwwTokenizer::Split(std::string_view line) {
  // Tokens only ever drop bytes, so the line's length is room enough for all of them.
  if (scratch_.size() < line.size()) scratch_.resize(line.size());
  for (std::string_view& t : tokens_.Token) t = std::string_view();

  const auto* p = reinterpret_cast<const unsigned char*>(line.data());
  const auto* const end = p + line.size();
  char* const base = scratch_.data();
  char* w = base;
  char* start = base;  // where the current token began
  int index = 0;
  int32_t count = 1;

  // Splitting: up to the first quote or equals sign, or until the token array is full.
  while (p < end) {
    const unsigned char b = *p;
    switch (static_cast<TByteClass>(kByteClass[b])) {
      case bcKeep:
        *w++ = static_cast<char>(b);
        ++p;
        continue;
      case bcLead:
        if (end - p < 2) {  // a lone lead byte at the line's end
          p = end;
          continue;
        }
        w[0] = static_cast<char>(p[0]);
        w[1] = static_cast<char>(p[1]);
        w += 2;
        p += 2;
        continue;
      case bcQuote:
        ++p;
        goto rest_of_line;
      case bcEquals:
        *w++ = static_cast<char>(b);
        ++p;
        goto rest_of_line;
      case bcSeparator:
        ++p;
        if (w != start) {
          tokens_.Token[index] = std::string_view(start, static_cast<std::size_t>(w - start));
          ++index;
          ++count;
          start = w;
          if (index == kJwwMaxTokens) goto beyond_the_array;
        }
        continue;
      case bcDrop:
        ++p;
        continue;
    }
  }
  goto done;

rest_of_line:
  // One token to the end of the line: blanks, quotes and equals signs are ordinary bytes now.
  while (p < end) {
    const unsigned char b = *p;
    if (kByteClass[b] == bcLead) {
      if (end - p < 2) break;
      w[0] = static_cast<char>(p[0]);
      w[1] = static_cast<char>(p[1]);
      w += 2;
      p += 2;
    } else {
      if (b >= 0x20 && b <= 0xFD) *w++ = static_cast<char>(b);
      ++p;
    }
  }
  goto done;

beyond_the_array: {
  // No slot is left: the bytes are dropped, but the separators still count.
  bool nonEmpty = false;
  while (p < end) {
    const unsigned char b = *p;
    switch (static_cast<TByteClass>(kByteClass[b])) {
      case bcKeep:
        nonEmpty = true;
        ++p;
        continue;
      case bcLead:
        if (end - p < 2) {
          p = end;
          continue;
        }
        nonEmpty = true;
        p += 2;
        continue;
      case bcQuote:
      case bcEquals:
        p = end;  // the rest is one token: no further separator counts
        continue;
      case bcSeparator:
        if (nonEmpty) count = CountUp(count);
        nonEmpty = false;
        ++p;
        continue;
      case bcDrop:
        ++p;
        continue;
    }
  }
  tokens_.Count = count;
  return tokens_;
}

done:
  tokens_.Token[index] = std::string_view(start, static_cast<std::size_t>(w - start));
  tokens_.Count = count;
  return tokens_;
}
