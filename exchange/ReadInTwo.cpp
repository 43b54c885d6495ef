// Reading a large file with both cores. A worker thread reads the blocks, cuts them into lines and
// parses the common entity lines (ParseFastLine needs no state); the calling thread takes the
// blocks in file order and applies every line to the state: the parsed ones through
// ApplyFastLine, the others through the tokenizer and the rules. So each line is applied exactly
// as one thread applies it, in the same order, and the state comes out the same.
//
// Three batches circulate between the threads (a block's bytes and its parsed lines), so memory
// stays bounded whatever the file's size. A read error or running out of memory in the worker
// ends the reading with false after the blocks before it; running out of memory while applying
// stops the worker and returns false. What was applied stays.
#include <algorithm>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "ReadRules.h"
#include "Tokenizer.h"

namespace {

// A line of a block: parsed, or (General) its bytes for the tokenizer.
struct TBlockLine {
  TFastLine Fast;
  bool General;
  uint32_t Offset, Length;
};

struct TBatch {
  std::vector<char> Bytes;  // complete lines
  std::vector<TBlockLine> Lines;
  bool Last = false, Failed = false;
};

// Batches ready to apply, and empty ones for the worker to fill; Stop releases a waiting worker.
class TBatchQueue {
 public:
  void Put(std::unique_ptr<TBatch> b, bool full) {
    {
      std::lock_guard<std::mutex> lock(m_);
      (full ? full_ : free_).push_back(std::move(b));
    }
    cv_.notify_all();
  }
  // The next full batch, or the next free one (nullptr once stopped).
  std::unique_ptr<TBatch> Take(bool full) {
    std::unique_lock<std::mutex> lock(m_);
    auto& q = full ? full_ : free_;
    cv_.wait(lock, [&] { return !q.empty() || stopped_; });
    if (stopped_ && !full) return nullptr;
    auto b = std::move(q.front());
    q.pop_front();
    return b;
  }
  void Stop() {
    {
      std::lock_guard<std::mutex> lock(m_);
      stopped_ = true;
    }
    cv_.notify_all();
  }

 private:
  std::mutex m_;
  std::condition_variable cv_;
  std::deque<std::unique_ptr<TBatch>> full_, free_;
  bool stopped_ = false;
};

// Cuts the complete lines of B into lines, parsing the fast ones.
void ParseBlock(TBatch& b) {
  b.Lines.clear();
  const char* const start = b.Bytes.data();
  const char* p = start;
  const char* const end = p + b.Bytes.size();
  while (p < end) {
    TBlockLine line;
    line.General = false;
    if (const char* next = ParseFastLine(p, end, line.Fast)) {
      b.Lines.push_back(line);
      p = next;
      continue;
    }
    const char* const e = FindLineEnd(p, end);
    line.General = true;
    line.Offset = static_cast<uint32_t>(p - start);
    line.Length = static_cast<uint32_t>(e - p);
    b.Lines.push_back(line);
    p = AfterLineEnd(e, end);
  }
}

// The worker: fills free batches from READ until the end, a read error or Stop.
void Produce(TBatchQueue& queue, const std::function<int64_t(char*, std::size_t)>& read, std::size_t block) {
  std::vector<char> carry;  // the unfinished line of the last block
  for (;;) {
    std::unique_ptr<TBatch> b = queue.Take(false);
    if (!b) return;
    try {
      b->Bytes.assign(carry.begin(), carry.end());
      carry.clear();
      // At least one line end, or the end of the file: a line longer than a block takes more.
      // Only the bytes just read are searched for a line end (the ones before hold none), so a
      // line of any length is read in time linear in its length.
      std::size_t complete = 0;
      do {
        const std::size_t had = b->Bytes.size();
        b->Bytes.resize(had + block);
        std::size_t got = 0;
        while (got < block) {
          const int64_t n = read(b->Bytes.data() + had + got, block - got);
          if (n < 0) b->Failed = true;
          if (n <= 0) break;
          got += static_cast<std::size_t>(n);
        }
        b->Bytes.resize(had + got);
        b->Last = got < block;
        if (b->Last) {
          complete = b->Bytes.size();
        } else if (const std::size_t inNew = CompleteLines(b->Bytes.data() + had, got)) {
          complete = had + inNew;
        }
      } while (complete == 0 && !b->Last);
      carry.assign(b->Bytes.begin() + static_cast<std::ptrdiff_t>(complete), b->Bytes.end());
      b->Bytes.resize(complete);
      // Offsets are 32-bit: a longer line is read by one thread.
      if (b->Bytes.size() >= UINT32_MAX) throw std::bad_alloc();
      ParseBlock(*b);
    } catch (const std::exception&) {
      b->Lines.clear();
      b->Last = b->Failed = true;
    }
    const bool last = b->Last;
    queue.Put(std::move(b), true);
    if (last) return;
  }
}

}  // namespace

std::optional<bool> ReadInTwo(JwwState& st, const std::function<int64_t(char* p, std::size_t n)>& read,
                              std::size_t block) {
  TBatchQueue queue;
  std::thread worker;
  try {
    for (int i = 0; i < 3; ++i) queue.Put(std::make_unique<TBatch>(), false);
    worker = std::thread([&] { Produce(queue, read, block); });
  } catch (const std::exception&) {
    return std::nullopt;  // no second thread (or no memory for the batches): nothing read yet
  }
  bool ok = false;
  try {
    TTokenizer tokenizer;
    for (;;) {
      std::unique_ptr<TBatch> b = queue.Take(true);
      for (const TBlockLine& line : b->Lines) {
        if (line.General)
          ApplyLine(st, tokenizer, std::string_view(b->Bytes.data() + line.Offset, line.Length));
        else ApplyFastLine(st, line.Fast);
      }
      if (b->Last) {
        ok = !b->Failed;
        break;
      }
      queue.Put(std::move(b), false);
    }
  } catch (const std::exception&) {
    ok = false;  // out of memory, or the string pool is full
  }
  queue.Stop();
  worker.join();
  return ok;
}

bool ReadBufferInTwo(JwwState& st, std::string_view content, std::size_t block) {
  std::size_t at = 0;
  const auto read = [&](char* p, std::size_t n) -> int64_t {
    n = std::min(n, content.size() - at);
    std::copy_n(content.data() + at, n, p);
    at += n;
    return static_cast<int64_t>(n);
  };
  if (const auto ok = ReadInTwo(st, read, block)) return *ok;
  ReadBufferWith(st, content, true);
  return true;
}
