// Reading JWC_TEMP.TXT: the whole file in one go, split into lines, each line tokenized once and
// handed to the keyword rules and then the entity rules.
//
// Line ends: CR LF, LF and a lone CR each end a line; text after the last line end is a line too.
// A Ctrl-Z byte is no end of file here: it is a control byte like any other, which the tokenizer
// drops, so nothing after it is lost.
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

namespace {

class TJwwReader {
 public:
  explicit TJwwReader(JwwState& st) : st_(st) {}

  void Line(std::string_view line) {
    const TJwwTokens& t = tokenizer_.Split(line);
    if (t.Empty()) return;
    if (!JwwApplyKeywordRule(st_, t)) JwwApplyEntityRule(st_, t);
  }

  void Content(std::string_view content) {
    const char* p = content.data();
    const char* const end = p + content.size();
    const char* lf = p;  // the next LF at or after p (or end), found again once passed
    bool lfKnown = false;
    while (p < end) {
      if (!lfKnown || lf < p) {
        lf = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
        if (!lf) lf = end;
        lfKnown = true;
      }
      // A CR before the LF ends the line there: CR LF, or a lone CR.
      const auto* cr = static_cast<const char*>(std::memchr(p, '\r', static_cast<std::size_t>(lf - p)));
      if (cr) {
        Line(std::string_view(p, static_cast<std::size_t>(cr - p)));
        p = cr + 1;
        if (p == lf && lf != end) ++p;  // CR LF
      } else {
        Line(std::string_view(p, static_cast<std::size_t>(lf - p)));
        if (lf == end) break;
        p = lf + 1;
      }
    }
  }

 private:
  JwwState& st_;
  TJwwTokenizer tokenizer_;
};

// Interprets CONTENT; false when memory (or the string pool's range) ran out on the way.
bool ReadContent(JwwState& st, std::string_view content) noexcept {
  try {
    TJwwReader reader(st);
    reader.Content(content);
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

struct TFreeDeleter {
  void operator()(char* p) const { std::free(p); }
};

// The file's bytes, read to its end even if it grew after its size was taken. False on an open
// or read error.
bool ReadWholeFile(const std::filesystem::path& fileName, std::unique_ptr<char, TFreeDeleter>& data,
                   std::size_t& size) {
  std::ifstream in(fileName, std::ios::binary);
  if (!in) return false;
  in.seekg(0, std::ios::end);
  const std::streamoff expected = in.tellg();
  in.seekg(0, std::ios::beg);
  if (expected < 0 || !in) return false;
  // One byte more than expected, so that reaching the end needs no second read in the usual case.
  std::size_t capacity = static_cast<std::size_t>(expected) + 1;
  data.reset(static_cast<char*>(std::malloc(capacity)));  // not zero-filled: read fills it
  if (!data) throw std::bad_alloc();
  size = 0;
  for (;;) {
    in.read(data.get() + size, static_cast<std::streamsize>(capacity - size));
    size += static_cast<std::size_t>(in.gcount());
    if (in.bad()) return false;
    if (in.eof()) return true;
    if (!in) return false;
    capacity += capacity / 2 + 4096;  // the file grew while it was read
    char* grown = static_cast<char*>(std::realloc(data.get(), capacity));
    if (!grown) throw std::bad_alloc();
    data.release();
    data.reset(grown);
  }
}

}  // namespace

bool JwwReadFile(JwwState& st, const std::filesystem::path& fileName) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(fileName, ec)) return false;
  try {
    std::unique_ptr<char, TFreeDeleter> data;
    std::size_t size = 0;
    if (!ReadWholeFile(fileName, data, size)) return false;
    return ReadContent(st, std::string_view(data.get(), size));
  } catch (const std::exception&) {
    return false;
  }
}

void JwwReadBuffer(JwwState& st, std::string_view content) { ReadContent(st, content); }

void JwwReadLine(JwwState& st, std::string_view line) {
  try {
    TJwwReader(st).Line(line);
  } catch (const std::exception&) {
    // Out of memory: the line is left unread, as reading would stop at it.
  }
}
