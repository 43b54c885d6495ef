// Tokenizer.h: cutting the lines of JWC_TEMP.TXT into tokens (internal to the reader).
//
// The rules, byte for byte:
// - A lead byte (0x80..0x9F, 0xE0..0xFD) and the byte after it go into the current token together,
//   whatever that byte is; a lead byte that is the line's last byte is dropped.
// - While splitting: a double quote ends splitting and is dropped; an equals sign is kept and ends
//   splitting; a blank or tab after a non-empty token opens the next token and counts it.
// - Bytes 0x20..0xFD are kept (after splitting ends, blanks, quotes and equals signs too); other
//   bytes (controls, tabs once splitting has ended, 0xFE, 0xFF, Ctrl-Z among them) are dropped.
// - Splitting never resumes: after the first quote or equals sign the rest is one token.
//
// At most kJwwMaxTokens tokens are kept. The bytes of tokens beyond the last slot are dropped, but
// Count keeps counting them, so a rule that wants "exactly 4" or "at least N" tokens still sees
// the line's true count.
//
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

inline constexpr int kJwwMaxTokens = 32;

struct TTokens {
  // Views into the tokenizer's scratch buffer; valid until the next line is tokenized. Tokens
  // the line did not reach are empty.
  std::string_view Token[kJwwMaxTokens];
  // 1 plus one per separator that followed a non-empty token (so a trailing blank counts).
  // Saturates at INT32_MAX.
  int32_t Count = 1;

  std::string_view operator[](int i) const { return Token[i]; }
  // An empty line, or one of blanks and dropped bytes only.
  bool Empty() const { return Count == 1 && Token[0].empty(); }
};

// Reuses one scratch buffer for every line: no allocation per token, and per line only when a
// line is longer than every line before it. May throw std::bad_alloc for such a line.
class TTokenizer {
 public:
  // One line given without its line end; a CR or LF in it is a control byte like any other.
  const TTokens& Split(std::string_view line);

 private:
  void Clear();
  void Reserve(std::size_t bytes);

  std::unique_ptr<char[]> scratch_;
  std::size_t capacity_ = 0;
  int used_ = kJwwMaxTokens;  // tokens the last line may have set
  TTokens tokens_;
};
