// The reader's fast path for the common entity lines (see ReadRules.h). A line qualifies only in
// the form the host writes: tokens separated by single blanks, no blank at either end, numbers
// of digits with an optional sign and point. Everything else goes to the tokenizer.
//
// Why the results are the same: such a line's tokens are exactly the bytes between its blanks,
// none of its keywords is taken by a keyword rule, and every number is converted by the same
// routine as the general path's: a plain decimal of at most 19 digits whose integer of digits is
// at most 2^53 is that integer divided by a power of ten (one correctly rounded division), and
// any other token goes to TextIsFloat, as ReadReal sends it to TextToFloat. A token that is no
// number at all sends its line to the general path, which marks a picked entity holding one: the
// check costs the common lines nothing.
#include "MyFunc.h"
#include "ReadNumbers.h"
#include "ReadRules.h"
#include "WordScan.h"

namespace {

bool IsDigit(char c) { return static_cast<unsigned char>(c - '0') < 10; }

// Whether all eight bytes of X are ASCII digits.
bool EightDigits(uint64_t x) {
  return ((x & EveryByte(0xF0)) | (((x + EveryByte(0x06)) & EveryByte(0xF0)) >> 4)) == EveryByte(0x33);
}

// The value of eight ASCII digits, the first in the lowest byte: pairs, then fours, then all
// eight, combined by multiplication instead of one digit after the other.
uint32_t EightDigitsValue(uint64_t x) {
  x -= EveryByte('0');
  x = x * 10 + (x >> 8);
  x = ((x & 0x000000FF000000FFull) * 0x000F424000000064ull +
       ((x >> 16) & 0x000000FF000000FFull) * 0x0000271000000001ull) >>
      32;
  return static_cast<uint32_t>(x);
}

// Digits from P into M, eight at a time where they come in runs.
[[gnu::always_inline]] inline const char* Digits(const char* p, const char* end, uint64_t& m) {
  if (kJwwWordScan) {
    while (end - p >= 8) {
      const uint64_t x = LoadWord(p);
      if (!EightDigits(x)) break;
      m = m * 100000000 + EightDigitsValue(x);
      p += 8;
    }
  }
  while (p != end && IsDigit(*p)) m = m * 10 + static_cast<unsigned>(*p++ - '0');
  return p;
}
bool IsLineEnd(const char* p, const char* end) { return p == end || *p == '\r' || *p == '\n'; }

// Any number that is no plain decimal of at most 2^53: out of the hot loop. False for a token
// that is no number ("-", ".", a value beyond the double range): the general path reads such a
// line, which marks a picked entity that holds one.
[[gnu::noinline]] bool GeneralNumber(const char* start, const char* end, double& v) {
  return TextIsFloat(std::string_view(start, static_cast<std::size_t>(end - start)), v);
}

// The number token at P, ending at a blank or the line's end; nullptr for an empty token or one
// with any other byte.
[[gnu::always_inline]] inline const char* Number(const char* p, const char* end, double& v) {
  const char* const start = p;
  const bool negative = p != end && *p == '-';
  p += negative;
  uint64_t m = 0;  // wraps beyond 19 digits: such a number goes to ReadReal
  const char* const integer = p;
  p = Digits(p, end, m);
  std::size_t digits = static_cast<std::size_t>(p - integer);
  std::size_t fraction = 0;
  if (p != end && *p == '.') {
    const char* const first = ++p;
    p = Digits(p, end, m);
    fraction = static_cast<std::size_t>(p - first);
    digits += fraction;
  }
  if (p == start || (p != end && *p != ' ' && *p != '\r' && *p != '\n')) return nullptr;
  if (digits == 0 || digits > 19 || m > (uint64_t{1} << 53) || fraction > 22) {
    if (!GeneralNumber(start, p, v)) return nullptr;
  } else {
    v = DecimalValue(m, fraction, negative);
  }
  return p;
}

// N number tokens from P, each but the last followed by one blank. Returns the end of the last,
// or nullptr when one of them is no number.
template <std::size_t N>
const char* Numbers(const char* p, const char* end, double* v) {
  for (std::size_t i = 0; i < N; ++i) {
    if (i > 0) {
      if (p == end || *p != ' ') return nullptr;
      ++p;
    }
    p = Number(p, end, v[i]);
    if (!p) return nullptr;
  }
  return p;
}

// The end of a text that runs from P to the line's end, when the tokenizer would keep all of its
// bytes as they are; nullptr when it would drop one (a control, a tab, 0xFE, 0xFF, or a lead
// byte without a second byte before the line end).
const char* PlainText(const char* p, const char* end) {
  while (p != end) {
    const auto b = static_cast<unsigned char>(*p);
    if (b >= 0x20 && b <= 0x7F) {
      ++p;
    } else if (IsLeadByte(b)) {
      if (end - p < 2 || p[1] == '\r' || p[1] == '\n') return nullptr;
      p += 2;
    } else if (b >= 0xA0 && b <= 0xDF) {
      ++p;
    } else {
      return b == '\r' || b == '\n' ? p : nullptr;
    }
  }
  return p;
}

// A bare pen line (see TFastLine), which the keyword rules take as its one token.
const char* PenLine(const char* p, const char* end, TFastLine& out) {
  const char* q = p + 1;
  if (q == end) return nullptr;
  out.Kind = TFastLine::kPen;
  if (*p == 'z') {
    if (*q < '1' || *q > '5') return nullptr;
    out.Pen = 'z';
    out.Int = *q - '0';
    ++q;
  } else if (*q == 'g' || *q == 'y') {
    out.Pen = *q++;
    if (q == end) return nullptr;
    if (IsDigit(*q)) out.Int = *q - '0';
    else if (*q >= 'a' && *q <= 'f') out.Int = *q - 'a' + 10;
    else return nullptr;
    ++q;
  } else if (*q == 'c' || *q == 't' || *q == 'w') {
    out.Pen = *q++;
    const char* const digits = q;
    int32_t value = 0;
    while (q != end && IsDigit(*q) && q - digits < 9) value = value * 10 + (*q++ - '0');
    if (q == digits) return nullptr;
    out.Int = value;
  } else {
    return nullptr;
  }
  return q == end || *q == '\r' || *q == '\n' ? AfterLineEnd(q, end) : nullptr;
}

}  // namespace

const char* ParseFastLine(const char* p, const char* end, TFastLine& out) {
  const char c = *p;
  if (c == 'l' || c == 'z') return PenLine(p, end, out);
  double* const v = out.V;
  if (IsDigit(c) || c == '-' || c == '.') {
    const char* q = Numbers<4>(p, end, v);
    if (!q || !IsLineEnd(q, end)) return nullptr;
    out.Kind = TFastLine::kLine;
    return AfterLineEnd(q, end);
  }
  if (end - p < 4 || p[2] != ' ') return nullptr;
  const char* const args = p + 3;
  if (c == 'c' && p[1] == 'i') {
    const char* q = Numbers<3>(args, end, v);
    if (!q) return nullptr;
    out.Kind = TFastLine::kCircle;
    if (!IsLineEnd(q, end)) {
      if (*q != ' ' || !(q = Numbers<4>(q + 1, end, v + 3)) || !IsLineEnd(q, end)) return nullptr;
      out.Kind = TFastLine::kArc;
    }
    return AfterLineEnd(q, end);
  }
  if (c == 's' && p[1] == 'l') {
    const char* q = Numbers<4>(args, end, v);
    out.Int = 4;
    while (q && !IsLineEnd(q, end)) {
      if (*q != ' ' || out.Int == 8) return nullptr;
      q = Numbers<2>(q + 1, end, v + out.Int);
      out.Int += 2;
    }
    if (!q) return nullptr;
    out.Kind = TFastLine::kSolid;
    return AfterLineEnd(q, end);
  }
  if (c == 'p' && p[1] == 't') {
    const char* q = Numbers<2>(args, end, v);
    if (!q || !IsLineEnd(q, end)) return nullptr;
    out.Kind = TFastLine::kPoint;
    return AfterLineEnd(q, end);
  }
  if (c == 'c') {
    out.Int = TextKindOf(p[1]);
    if (out.Int < 0) return nullptr;
    const char* q = Numbers<4>(args, end, v);
    if (!q || end - q < 2 || q[0] != ' ' || q[1] != '"') return nullptr;
    const char* const text = q + 2;
    const char* const e = PlainText(text, end);
    if (!e) return nullptr;
    out.Kind = TFastLine::kText;
    out.Text = std::string_view(text, static_cast<std::size_t>(e - text));
    return AfterLineEnd(e, end);
  }
  return nullptr;
}

void ApplyFastLine(JwwState& st, const TFastLine& line) {
  const double* const v = line.V;
  switch (line.Kind) {
    case TFastLine::kLine: AddLineRecord(st, v[0], v[1], v[2], v[3]); break;
    case TFastLine::kCircle: AddCircleRecord(st, v[0], v[1], v[2]); break;
    case TFastLine::kArc: AddArcRecord(st, v); break;
    case TFastLine::kSolid: AddSolidRecord(st, v, line.Int); break;
    case TFastLine::kPoint: AddPointRecord(st, v[0], v[1]); break;
    case TFastLine::kText: AddTextRecord(st, line.Int, {v[0], v[1], v[2], v[3]}, line.Text); break;
    case TFastLine::kPen: ApplyPenLine(st, line.Pen, line.Int); break;
  }
}

const char* ReadFastLine(JwwState& st, const char* p, const char* end) {
  TFastLine line;
  const char* const next = ParseFastLine(p, end, line);
  if (next) ApplyFastLine(st, line);
  return next;
}
