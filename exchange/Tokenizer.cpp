// Cutting lines into tokens, byte for byte (the rules are listed in Tokenizer.h).
//
// Split copies the tokens into the scratch buffer in up to three phases: splitting (up to the
// first quote or equals sign), the rest of the line as one token, and, when more tokens come than
// the array holds, counting only. Each phase copies runs of ordinary bytes eight at a time and
// looks at the rest through a table.
#include "Tokenizer.h"

#include "WordScan.h"

#include <array>
#include <climits>
#include <cstring>

namespace {

enum class TByteClass : uint8_t { Keep, Lead, Quote, Equals, Separator, Drop };

constexpr std::array<TByteClass, 256> MakeByteClasses() {
  std::array<TByteClass, 256> c{};
  for (std::size_t b = 0; b < 256; ++b) {
    if ((b >= 0x80 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFD)) c[b] = TByteClass::Lead;
    else if (b >= 0x20 && b <= 0xFD) c[b] = TByteClass::Keep;
    else c[b] = TByteClass::Drop;  // controls (CR, LF, Ctrl-Z and NUL included), 0xFE, 0xFF
  }
  c['"'] = TByteClass::Quote;
  c['='] = TByteClass::Equals;
  c[' '] = TByteClass::Separator;
  c['\t'] = TByteClass::Separator;
  return c;
}
constexpr std::array<TByteClass, 256> kClass = MakeByteClasses();

// After splitting has ended: blanks, quotes and equals signs are ordinary bytes too.
constexpr std::array<bool, 256> MakeRestKeep() {
  std::array<bool, 256> k{};
  for (std::size_t b = 0; b < 256; ++b)
    k[b] = kClass[b] <= TByteClass::Separator && kClass[b] != TByteClass::Lead && b != '\t';
  return k;
}
constexpr std::array<bool, 256> kRestKeep = MakeRestKeep();

int32_t CountUp(int32_t n) { return n < INT32_MAX ? n + 1 : n; }

// Ordinary bytes while splitting, eight at a time: printable ASCII but blank, quote and equals
// sign. Returns how many lead the word; bytes of other kinds go through the table.
inline int PlainSplitting(uint64_t x) {
  const uint64_t special =
      (x & EveryByte(0x80)) | BytesBelow(x, 0x21) | BytesEqual(x, '"') | BytesEqual(x, '=');
  return special ? FirstFlagged(special) : 8;
}

// Ordinary bytes of the rest of a line: printable ASCII, blanks included.
inline int PlainRest(uint64_t x) {
  const uint64_t special = (x & EveryByte(0x80)) | BytesBelow(x, 0x20);
  return special ? FirstFlagged(special) : 8;
}

using TBytes = const unsigned char*;

// The copying scan of one line. The scratch buffer holds at least as many bytes as the line:
// tokens only ever drop bytes, so W never passes P's offset, and a word of eight bytes copied
// whole before its count is known still lies within the buffer.
struct TCopy {
  TCopy(TTokens& t, std::string_view line, char* scratch)
      : tokens(t),
        p(reinterpret_cast<TBytes>(line.data())),
        end(p + line.size()),
        w(scratch),
        start(scratch) {}

  TTokens& tokens;
  TBytes p;
  TBytes end;
  char* w;
  char* start;  // where the current token began
  int index = 0;
  int32_t count = 1;

  // A lead byte and the byte after it, whatever that is; a lead byte that is the line's last
  // byte is dropped.
  void Pair() {
    if (end - p < 2) {
      ++p;
      return;
    }
    w[0] = static_cast<char>(p[0]);
    w[1] = static_cast<char>(p[1]);
    w += 2;
    p += 2;
  }

  template <int (*kPlain)(uint64_t)>
  void CopyWords() {
    if (!kJwwWordScan) return;
    while (end - p >= 8) {
      const uint64_t x = LoadWord(p);
      std::memcpy(w, &x, 8);
      const int n = kPlain(x);
      p += n;
      w += n;
      if (n < 8) return;
    }
  }

  // Splitting. True when a quote or equals sign ended it (the rest of the line is one token),
  // false at the line's end or when the array is full (index == kJwwMaxTokens).
  bool Splitting() {
    for (;;) {
      CopyWords<PlainSplitting>();
      while (p < end && kClass[*p] == TByteClass::Keep) *w++ = static_cast<char>(*p++);
      if (p == end) return false;
      switch (static_cast<TByteClass>(kClass[*p])) {
        case TByteClass::Keep: break;
        case TByteClass::Lead: Pair(); break;
        case TByteClass::Quote: ++p; return true;
        case TByteClass::Equals:
          *w++ = '=';
          ++p;
          return true;
        case TByteClass::Separator:
          ++p;
          if (w != start) {
            Close();
            if (index == kJwwMaxTokens) return false;
          }
          break;
        case TByteClass::Drop: ++p; break;
      }
    }
  }

  // The rest of the line, one token.
  void Rest() {
    for (;;) {
      CopyWords<PlainRest>();
      while (p < end && kRestKeep[*p]) *w++ = static_cast<char>(*p++);
      if (p == end) return;
      if (kClass[*p] == TByteClass::Lead) Pair();
      else ++p;  // a control byte, a tab, 0xFE or 0xFF
    }
  }

  // No slot is left: the bytes are dropped, but the separators still count.
  void CountOnly() {
    bool nonEmpty = false;  // the current (dropped) token has bytes
    while (p < end) {
      switch (static_cast<TByteClass>(kClass[*p])) {
        case TByteClass::Keep:
          nonEmpty = true;
          ++p;
          break;
        case TByteClass::Lead:
          if (end - p >= 2) nonEmpty = true;
          p += end - p >= 2 ? 2 : 1;
          break;
        case TByteClass::Quote:
        case TByteClass::Equals: return;  // the rest is one token: no separator counts any more
        case TByteClass::Separator:
          if (nonEmpty) count = CountUp(count);
          nonEmpty = false;
          ++p;
          break;
        case TByteClass::Drop: ++p; break;
      }
    }
  }

  std::string_view Current() const { return std::string_view(start, static_cast<std::size_t>(w - start)); }

  void Close() {
    tokens.Token[index++] = Current();
    ++count;
    start = w;
  }
};

}  // namespace

void TTokenizer::Reserve(std::size_t bytes) {
  if (bytes <= capacity_) return;
  const std::size_t grown = bytes > 2 * capacity_ ? bytes : 2 * capacity_;
  scratch_.reset();  // the old tokens are dead: never hold both buffers
  capacity_ = 0;
  scratch_.reset(new char[grown]);
  capacity_ = grown;
}

void TTokenizer::Clear() {
  for (int i = 0; i < used_; ++i) tokens_.Token[i] = std::string_view();
}

const TTokens& TTokenizer::Split(std::string_view line) {
  Reserve(line.size() < 256 ? 256 : line.size());
  Clear();
  TCopy c(tokens_, line, scratch_.get());
  if (c.Splitting()) c.Rest();
  if (c.index == kJwwMaxTokens) {
    c.CountOnly();
    used_ = kJwwMaxTokens;
  } else {
    tokens_.Token[c.index] = c.Current();
    used_ = c.index + 1;
  }
  tokens_.Count = c.count;
  return tokens_;
}
