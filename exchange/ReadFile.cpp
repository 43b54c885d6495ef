// Reading JWC_TEMP.TXT: the file in large blocks, cut into lines (the line end found eight bytes
// at a time), each line tokenized once and handed to the keyword rules and then the entity rules.
// The common entity lines in their plain form take a fast path first, which converts their
// numbers straight from the block (ReadRules.h); any other line goes to the tokenizer.
//
// Line ends: CR LF, LF and a lone CR each end a line; text after the last line end is a line too.
// A Ctrl-Z byte is no end of file here: it is a control byte like any other, which the tokenizer
// drops, so nothing after it is lost.
//
// Blocks rather than the whole file: the records read take about as much memory as the file's
// own bytes, and keeping the whole file beside them would double the peak for nothing. A block
// ends after its last line end; the unfinished line moves to the front of the next. A line
// longer than a block grows the buffer to that line's length.
//
// Failure: a missing file, a directory or any other non-regular file, an open or read error, and
// running out of memory (or out of string-pool offsets) end the reading with false. What was
// interpreted before stays; nothing throws out of these operations.
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <system_error>

#include "ReadRules.h"
#include "Tokenizer.h"
#include "WordScan.h"

namespace {

class TJwwReader {
 public:
  TJwwReader(JwwState& st, bool fastLines) : st_(st), fastLines_(fastLines) {}

  void Line(std::string_view line) { ApplyLine(st_, tokenizer_, line); }

  // Every line of CONTENT.
  void Lines(std::string_view content) {
    if (fastLines_) return ReadLines(st_, tokenizer_, content);
    const char* p = content.data();
    const char* const end = p + content.size();
    while (p < end) {
      const char* const e = FindLineEnd(p, end);
      Line(std::string_view(p, static_cast<std::size_t>(e - p)));
      p = AfterLineEnd(e, end);
    }
  }

 private:
  JwwState& st_;
  bool fastLines_;
  TTokenizer tokenizer_;
};

struct TFreeDeleter {
  void operator()(char* p) const { std::free(p); }
};

constexpr std::size_t kBlock = 1 << 20;
// Smaller blocks with two threads: four of them are in flight, each with its parsed lines.
constexpr std::size_t kTwoThreadBlock = 128 << 10;

// Reads and interprets the file block by block. False on an open or read error.
bool ReadBlocks(TJwwReader& reader, const std::filesystem::path& fileName) {
  std::ifstream in(fileName, std::ios::binary);
  if (!in) return false;
  std::size_t capacity = kBlock;
  std::unique_ptr<char, TFreeDeleter> buffer(static_cast<char*>(std::malloc(capacity)));
  if (!buffer) throw std::bad_alloc();
  std::size_t kept = 0;  // the unfinished line at the front of the buffer
  for (;;) {
    in.read(buffer.get() + kept, static_cast<std::streamsize>(capacity - kept));
    const std::size_t filled = kept + static_cast<std::size_t>(in.gcount());
    if (in.bad()) return false;
    if (in.eof()) {
      reader.Lines(std::string_view(buffer.get(), filled));
      return true;
    }
    if (!in) return false;
    // A CR LF split between two blocks reads as a lone CR and an empty line, which is ignored.
    const std::size_t complete = CompleteLines(buffer.get(), filled);
    reader.Lines(std::string_view(buffer.get(), complete));
    kept = filled - complete;
    if (kept == capacity) {
      // One line fills the whole buffer: make room for more of it.
      capacity *= 2;
      char* grown = static_cast<char*>(std::realloc(buffer.get(), capacity));
      if (!grown) throw std::bad_alloc();
      (void)buffer.release();
      buffer.reset(grown);
    } else if (kept > 0) {
      std::memmove(buffer.get(), buffer.get() + complete, kept);
    }
  }
}

}  // namespace

// The first CR or LF of [p, end), or END.
const char* FindLineEnd(const char* p, const char* end) {
  if (kJwwWordScan) {
    while (end - p >= 8) {
      const uint64_t x = LoadWord(p);
      const uint64_t ends = BytesEqual(x, '\n') | BytesEqual(x, '\r');
      if (ends) return p + FirstFlagged(ends);
      p += 8;
    }
  }
  while (p < end && *p != '\n' && *p != '\r') ++p;
  return p;
}

const char* AfterLineEnd(const char* p, const char* end) {
  if (p == end) return p;
  return *p == '\r' && end - p >= 2 && p[1] == '\n' ? p + 2 : p + 1;
}

std::size_t CompleteLines(const char* p, std::size_t n) {
  for (std::size_t i = n; i > 0; --i) {
    if (p[i - 1] == '\n' || p[i - 1] == '\r') return i;
  }
  return 0;
}

void ReadLines(JwwState& st, TTokenizer& tokenizer, std::string_view content) {
  const char* p = content.data();
  const char* const end = p + content.size();
  while (p < end) {
    if (const char* next = ReadFastLine(st, p, end)) {
      p = next;
      continue;
    }
    const char* const e = FindLineEnd(p, end);
    ApplyLine(st, tokenizer, std::string_view(p, static_cast<std::size_t>(e - p)));
    p = AfterLineEnd(e, end);
  }
}

void ApplyLine(JwwState& st, TTokenizer& tokenizer, std::string_view line) {
  const TTokens& t = tokenizer.Split(line);
  if (t.Empty()) return;
  if (!ApplyKeywordRule(st, t)) ApplyEntityRule(st, t);
}

bool JwwReadFile(JwwState& st, const std::filesystem::path& fileName) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(fileName, ec)) return false;
  try {
    const auto size = std::filesystem::file_size(fileName, ec);
    if (!ec) ReserveEntities(st, static_cast<int64_t>(size / kJwwMinEntityBytes) + 1);
    if (!ec && size >= kTwoThreadBytes) {
      std::ifstream in(fileName, std::ios::binary);
      if (!in) return false;
      const auto read = [&in](char* p, std::size_t n) -> int64_t {
        in.read(p, static_cast<std::streamsize>(n));
        return in.bad() ? -1 : static_cast<int64_t>(in.gcount());
      };
      if (const auto ok = ReadInTwo(st, read, kTwoThreadBlock)) return *ok;
      // No second thread: one reads it all.
    }
    TJwwReader reader(st, true);
    return ReadBlocks(reader, fileName);
  } catch (const std::exception&) {
    return false;  // out of memory, or the string pool is full
  }
}

void JwwReadBuffer(JwwState& st, std::string_view content) { ReadBufferWith(st, content, true); }

void ReadBufferWith(JwwState& st, std::string_view content, bool fastLines) {
  try {
    ReserveEntities(st, static_cast<int64_t>(content.size() / kJwwMinEntityBytes) + 1);
    TJwwReader(st, fastLines).Lines(content);
  } catch (const std::exception&) {
    // Out of memory: reading stops at the line that needed it.
  }
}

void JwwReadLine(JwwState& st, std::string_view line) {
  try {
    TJwwReader(st, true).Line(line);
  } catch (const std::exception&) {
    // Out of memory: the line is left unread.
  }
}
