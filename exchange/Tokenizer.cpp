// Cutting lines into tokens, byte for byte (the rules are listed in Tokenizer.h).
//
// The scan runs in three phases: splitting (up to the first quote or equals sign), the rest of
// the line as one token, and, when more tokens come than the array holds, counting only. Each
// phase copies runs of ordinary bytes in a tight loop and looks at the rest through a table.
#include "Tokenizer.h"

#include "WordScan.h"

#include <array>
#include <climits>
#include <cstring>

namespace {

enum TByteClass : uint8_t { bcKeep, bcLead, bcQuote, bcEquals, bcSeparator, bcDrop, bcLineEnd };

// lineEnds: CR and LF end the line (reading a buffer), or are dropped controls (one line).
constexpr std::array<uint8_t, 256> MakeByteClasses(bool lineEnds) {
  std::array<uint8_t, 256> c{};
  for (int b = 0; b < 256; ++b) {
    if ((b >= 0x80 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFD)) c[b] = bcLead;
    else if (b >= 0x20 && b <= 0xFD) c[b] = bcKeep;
    else c[b] = bcDrop;  // controls (Ctrl-Z and NUL included), 0xFE, 0xFF
  }
  c['"'] = bcQuote;
  c['='] = bcEquals;
  c[' '] = bcSeparator;
  c['\t'] = bcSeparator;
  if (lineEnds) c['\r'] = c['\n'] = bcLineEnd;
  return c;
}
constexpr std::array<uint8_t, 256> kInLine = MakeByteClasses(false);
constexpr std::array<uint8_t, 256> kInBuffer = MakeByteClasses(true);

// After splitting has ended: blanks, quotes and equals signs are ordinary bytes too.
constexpr std::array<bool, 256> MakeRestKeep() {
  std::array<bool, 256> k{};
  for (int b = 0; b < 256; ++b) k[b] = kInLine[b] <= bcSeparator && kInLine[b] != bcLead && b != '\t';
  return k;
}
constexpr std::array<bool, 256> kRestKeep = MakeRestKeep();

int32_t CountUp(int32_t n) { return n < INT32_MAX ? n + 1 : n; }

// Lines up to this length are tokenized in one pass; a longer line is measured first.
constexpr std::size_t kWindow = 64 * 1024;

// Ordinary bytes while splitting, eight at a time: printable ASCII but blank, quote and equals
// sign. Returns how many lead the word; bytes of other kinds go through the table. A word is
// copied whole before its count is known: it lies within the limit, so within the scratch buffer.
inline int PlainSplitting(uint64_t x) {
  const uint64_t special = (x & JwwBytes(0x80)) | JwwBytesBelow(x, 0x21) | JwwBytesEqual(x, '"') |
                           JwwBytesEqual(x, '=');
  return special ? JwwFirstFlagged(special) : 8;
}

// Ordinary bytes of the rest of a line: printable ASCII, blanks included.
inline int PlainRest(uint64_t x) {
  const uint64_t special = (x & JwwBytes(0x80)) | JwwBytesBelow(x, 0x20);
  return special ? JwwFirstFlagged(special) : 8;
}

// A lead byte either starts a pair with the byte after it, or stands alone at the line's end
// (and is dropped), or cannot be judged yet because the window stops right after it.
enum class TLead { Pair, Lone, Incomplete };
template <bool kLineEnds>
inline TLead LeadByte(const unsigned char* p, const unsigned char* limit, const unsigned char* end,
                      const std::array<uint8_t, 256>& cls) {
  if (limit - p < 2) return limit != end ? TLead::Incomplete : TLead::Lone;
  if (kLineEnds && cls[p[1]] == bcLineEnd) return TLead::Lone;
  return TLead::Pair;
}

}  // namespace

void TJwwTokenizer::Reserve(std::size_t bytes) {
  if (bytes <= capacity_) return;
  const std::size_t grown = bytes > 2 * capacity_ ? bytes : 2 * capacity_;
  scratch_.reset();  // the old tokens are dead: never hold both buffers
  capacity_ = 0;
  scratch_.reset(new char[grown]);
  capacity_ = grown;
}

// Tokenizes from P. Scanning stops at a line end (with kLineEnds) or at END. LIMIT (<= END)
// bounds the bytes looked at, so that the scratch buffer is never overrun; reaching it before
// the line is known to end clears COMPLETE. Returns where scanning stopped: at the line end.
template <bool kLineEnds>
const unsigned char* TJwwTokenizer::Run(const unsigned char* p, const unsigned char* limit,
                                        const unsigned char* end, bool& complete) {
  const std::array<uint8_t, 256>& cls = kLineEnds ? kInBuffer : kInLine;
  for (int i = 0; i < used_; ++i) tokens_.Token[i] = std::string_view();
  char* const base = scratch_.get();
  char* w = base;
  char* start = base;  // where the current token began
  int index = 0;
  int32_t count = 1;
  bool nonEmpty = false;  // counting phase: the current (dropped) token has bytes
  complete = true;

  // Splitting.
  for (;;) {
    if (kJwwWordScan) {
      while (limit - p >= 8) {
        const uint64_t x = JwwLoadWord(p);
        std::memcpy(w, &x, 8);
        const int n = PlainSplitting(x);
        p += n;
        w += n;
        if (n < 8) break;
      }
    }
    while (p < limit && cls[*p] == bcKeep) *w++ = static_cast<char>(*p++);
    if (p >= limit) goto at_limit;
    switch (static_cast<TByteClass>(cls[*p])) {
      case bcKeep:
        continue;
      case bcLead:
        switch (LeadByte<kLineEnds>(p, limit, end, cls)) {
          case TLead::Incomplete: goto incomplete;
          case TLead::Lone: ++p; continue;  // a lone lead byte at the line's end
          case TLead::Pair: break;
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
        *w++ = '=';
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
      case bcLineEnd:
        goto done;
    }
  }

rest_of_line:
  // One token to the end of the line.
  for (;;) {
    if (kJwwWordScan) {
      while (limit - p >= 8) {
        const uint64_t x = JwwLoadWord(p);
        std::memcpy(w, &x, 8);
        const int n = PlainRest(x);
        p += n;
        w += n;
        if (n < 8) break;
      }
    }
    while (p < limit && kRestKeep[*p]) *w++ = static_cast<char>(*p++);
    if (p >= limit) goto at_limit;
    const uint8_t c = cls[*p];
    if (c == bcLead) {
      switch (LeadByte<kLineEnds>(p, limit, end, cls)) {
        case TLead::Incomplete: goto incomplete;
        case TLead::Lone: ++p; continue;
        case TLead::Pair: break;
      }
      w[0] = static_cast<char>(p[0]);
      w[1] = static_cast<char>(p[1]);
      w += 2;
      p += 2;
    } else if (kLineEnds && c == bcLineEnd) {
      goto done;
    } else {
      ++p;  // a control byte, a tab, 0xFE or 0xFF
    }
  }

beyond_the_array:
  // No slot is left: the bytes are dropped, but the separators still count.
  for (;;) {
    if (p >= limit) goto beyond_at_limit;
    switch (static_cast<TByteClass>(cls[*p])) {
      case bcKeep:
        nonEmpty = true;
        ++p;
        continue;
      case bcLead:
        switch (LeadByte<kLineEnds>(p, limit, end, cls)) {
          case TLead::Incomplete: goto incomplete;
          case TLead::Lone: ++p; continue;  // a lone lead byte at the line's end
          case TLead::Pair: break;
        }
        nonEmpty = true;
        p += 2;
        continue;
      case bcQuote:
      case bcEquals:
        goto skip_to_line_end;  // the rest is one token: no separator counts any more
      case bcSeparator:
        if (nonEmpty) count = CountUp(count);
        nonEmpty = false;
        ++p;
        continue;
      case bcDrop:
        ++p;
        continue;
      case bcLineEnd:
        goto beyond_done;
    }
  }

skip_to_line_end:
  if (kLineEnds) {
    while (p < limit && cls[*p] != bcLineEnd) ++p;
  } else {
    p = limit;
  }
beyond_at_limit:
  if (p >= limit && limit != end) goto incomplete;
beyond_done:
  tokens_.Count = count;
  used_ = kJwwMaxTokens;
  return p;

at_limit:
  if (limit != end) goto incomplete;
done:
  tokens_.Token[index] = std::string_view(start, static_cast<std::size_t>(w - start));
  tokens_.Count = count;
  used_ = index + 1;
  return p;

incomplete:
  complete = false;
  used_ = kJwwMaxTokens;
  return p;
}

const TJwwTokens& TJwwTokenizer::Split(std::string_view line) {
  // Tokens only ever drop bytes, so the line's length is room enough for all of them.
  Reserve(line.size() < 256 ? 256 : line.size());
  const auto* p = reinterpret_cast<const unsigned char*>(line.data());
  bool complete = true;
  Run<false>(p, p + line.size(), p + line.size(), complete);
  return tokens_;
}

const char* TJwwTokenizer::SplitNext(const char* p, const char* end) {
  Reserve(kWindow);
  const auto* up = reinterpret_cast<const unsigned char*>(p);
  const auto* ue = reinterpret_cast<const unsigned char*>(end);
  const auto* limit = static_cast<std::size_t>(ue - up) > capacity_ ? up + capacity_ : ue;
  bool complete = true;
  const unsigned char* q = Run<true>(up, limit, ue, complete);
  if (!complete) {
    // A line longer than the scratch buffer: find its end, make room, tokenize it again.
    const char* lf = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
    if (!lf) lf = end;
    const char* cr = static_cast<const char*>(std::memchr(p, '\r', static_cast<std::size_t>(lf - p)));
    const auto* lineEnd = reinterpret_cast<const unsigned char*>(cr ? cr : lf);
    Reserve(static_cast<std::size_t>(lineEnd - up));
    q = Run<true>(up, lineEnd, lineEnd, complete);
  }
  if (q < ue) {
    if (*q == '\r' && q + 1 < ue && q[1] == '\n') ++q;  // CR LF
    ++q;
  }
  return reinterpret_cast<const char*>(q);
}
