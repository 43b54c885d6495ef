// ReadRules.h: the pieces of JwwReadLine (internal to the exchange library).
//
// A line is tokenized once (Tokenizer.h), then the keyword rules (header, layer names, attributes,
// blocks, picked points, pick number) are tried in their fixed order, and what they leave goes to
// the entity rules. The first rule whose keyword test and token count both hold takes the line.
//
// These routines throw std::bad_alloc when memory runs out and PoolFull when the string pool
// would pass its 4 GiB offset range; the public reading operations catch both.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <new>
#include <optional>
#include <string_view>

#include "JwwGaibu.h"
#include "Tokenizer.h"

// The string pool cannot take a string without its offsets passing the range of TJwwStrRef.
struct PoolFull : std::bad_alloc {
  const char* what() const noexcept override { return "string pool full"; }
};

// The pool's limit: offsets and lengths are 32-bit.
inline constexpr std::size_t kPoolLimit = UINT32_MAX;

// Appends S to the pool and returns where it lies. Throws PoolFull when the pool would grow
// beyond `limit` bytes (the limit is a parameter only so that tests can reach it).
TJwwStrRef PoolString(TJwwByteString& pool, std::string_view s, std::size_t limit = kPoolLimit);

// Position of the first occurrence of NEEDLE in TEXT that starts on a character boundary
// (never on the second byte of a double-byte character), or npos.
std::size_t FindSjis(std::string_view text, std::string_view needle);

// JwwReadBuffer with the fast path (FASTLINES, as JwwReadBuffer reads) or every line through the
// tokenizer: the two must leave the same state.
void ReadBufferWith(JwwState& st, std::string_view content, bool fastLines);

// A pen line's effect: the group, layer, line colour, line type or line width ('g', 'y', 'c',
// 't', 'w') set to VALUE, the first of each kept; or Z flag VALUE (1..5) set ('z').
void ApplyPenLine(JwwState& st, char which, int32_t value);

// The keyword lines: file=, the header (hk, hs, hzs, hcw, hch, hcd, hcc, hn), picked points (hp)
// and the pick number (hhp), layer names and pen (lgn, lyn, lg, ly, lc, lt, lw), text attributes
// (cn$, cn, cc), z1..z5, pn, bz, and the starts and ends of polylines and messages (pl, msg, #).
// True when one of them took the line.
bool ApplyKeywordRule(JwwState& st, const TTokens& t);

// The entity rules that follow: lines, circles, arcs, texts, messages, points, blocks, solids.
// True when one of them took the line.
bool ApplyEntityRule(JwwState& st, const TTokens& t);

// Every entity list is to reserve room for N more records when it first needs memory: the
// bound a file of N * 7 bytes sets, as an entity line takes at least 7 bytes with its line end.
void ReserveEntities(JwwState& st, int64_t n);
inline constexpr int64_t kJwwMinEntityBytes = 7;

// The records of the common entity lines, as the entity rules and the fast path add them.
void AddLineRecord(JwwState& st, double x1, double y1, double x2, double y2);
void AddCircleRecord(JwwState& st, double x, double y, double radius);
void AddPointRecord(JwwState& st, double x, double y);
// An arc ("ci" with seven numbers), and a solid ("sl" with COUNT numbers: 4, 6 or 8).
void AddArcRecord(JwwState& st, const double* v);
void AddSolidRecord(JwwState& st, const double* v, int count);
// A text or message text: KIND 0..9, V the position and direction, TEXT as tokenized.
void AddTextRecord(JwwState& st, int32_t kind, const double (&v)[4], std::string_view text);
// The text kinds by the second letter of their keyword: "ch" 0, "cv" 1, ... "c2" 9; -1 for none.
int32_t TextKindOf(char second);

// The fast path of the reader: reads the line at P (of a buffer ending at END) when it is one of
// the common entity lines in its plain form: four numbers (a line), "ci" with three or seven (an
// arc), "sl" with four, six or eight, "pt" with two, or a text keyword with four numbers and a
// quoted text. Numbers are converted straight
// from the buffer. Returns where the next line starts, or nullptr, having changed nothing, for
// any other line or any unusual byte: the general path then reads it, with the same result.
const char* ReadFastLine(JwwState& st, const char* p, const char* end);

// ReadFastLine in two steps: parsing the line, which needs no state, then applying it. Besides the
// entity lines, the fast path takes the bare pen lines of one token: "lg" or "ly" with one digit or
// lower-case hex digit, "lc", "lt" or "lw" with one to nine decimal digits, "z1" to "z5".
struct TFastLine {
  enum TKind : uint8_t { kLine, kCircle, kArc, kSolid, kPoint, kText, kPen } Kind;
  int32_t Int;            // Text: 0..9 by its keyword; Solid: 4, 6 or 8 numbers; Pen: the value
  char Pen;               // Pen: the keyword's second letter ('g', 'y', 'c', 't', 'w'), or 'z'
  double V[8];            // the numbers, as many as the kind has
  std::string_view Text;  // Text: in the buffer parsed
};
const char* ParseFastLine(const char* p, const char* end, TFastLine& out);
void ApplyFastLine(JwwState& st, const TFastLine& line);

// The reader's general path for one line: tokenized with TOKENIZER, then the rules.
void ApplyLine(JwwState& st, TTokenizer& tokenizer, std::string_view line);
// Every line of CONTENT, the fast ones through ReadFastLine, the others through ApplyLine.
void ReadLines(JwwState& st, TTokenizer& tokenizer, std::string_view content);
// The first CR or LF of [p, end), or END.
const char* FindLineEnd(const char* p, const char* end);
// Where the line after the line end at P starts (P at END: END).
const char* AfterLineEnd(const char* p, const char* end);
// The length of the complete lines of [p, p + n): up to and with its last line end; 0 when it
// has none.
std::size_t CompleteLines(const char* p, std::size_t n);

// Reading with two threads, from a source that fills a buffer: one thread reads blocks of BLOCK
// bytes, cuts them into lines and parses the fast lines, the caller's thread applies them in
// order and parses what the other has not reached when it comes to a block's rest. READ
// fills up to N bytes at P and returns how many (0 at the end), or -1 on a read error. Leaves the
// state reading the same bytes with one thread leaves; false on a read error or when memory runs
// out (what was read before stays); nothing, having read nothing, when no thread can be started.
std::optional<bool> ReadInTwo(JwwState& st, const std::function<int64_t(char* p, std::size_t n)>& read,
                              std::size_t block);
// The same over CONTENT (with one thread when a second cannot be started), for the tests.
bool ReadBufferInTwo(JwwState& st, std::string_view content, std::size_t block);
// Files from this size on are read with two threads.
inline constexpr std::uintmax_t kTwoThreadBytes = 8u << 20;

// Appends one item to EntityOrder.
void AddOrder(JwwState& st, TJwwEntityKind kind);
// The attribute head of an entity read now.
TJwwAttrHead StampHead(const JwwState& st);
// The number of HEAD, or of STYLE, in the shared tables; added when new. A state whose numbers
// fit is coded in its number and needs no table (JwwHeadCode).
uint32_t TableHeadNumber(TJwwRecordTables& t, const TJwwAttrHead& head);
inline uint32_t HeadNumberOf(TJwwRecordTables& t, const TJwwAttrHead& head) {
  const uint32_t code = JwwHeadCode(head);
  return code ? code : TableHeadNumber(t, head);
}
uint32_t StyleNumberOf(TJwwRecordTables& t, const TJwwTextStyle& style);
