// Reading a large file with both cores. A worker thread reads the blocks and hands each over at
// once; then it cuts the block into lines and parses the common entity lines (ParseFastLine needs
// no state), publishing them a few at a time. The calling thread takes the blocks in file order
// and applies every line to the state: the parsed ones through ApplyFastLine, the others through
// the tokenizer and the rules. When it has applied all that the worker has parsed of a block, it
// takes the rest of the block from the worker and reads it itself, as one thread reads; the worker
// goes on to the next block. So the parsing is shared by both threads in whatever proportion keeps
// both busy, each line is still applied exactly as one thread applies it, in the same order, and
// the state comes out the same.
//
// Four batches circulate between the threads (a block's bytes and its parsed lines), so memory
// stays bounded whatever the file's size. A read error or running out of memory in the worker
// ends the reading with false after the blocks before it; running out of memory while applying
// stops the worker and returns false. What was applied stays.
#include <algorithm>
#include <atomic>
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

// A line of a block: parsed, or (General) its bytes for the tokenizer; and where the next starts.
struct TBlockLine {
  TFastLine Fast;
  uint32_t Next;
  bool General;
};

// The worker's progress through a batch: the lines parsed so far, and whether it is done; the
// applying thread sets Stolen when it takes the rest of the batch. Lines are published in groups:
// one atomic operation for several lines.
constexpr uint32_t kDone = 1u << 30, kStolen = 1u << 31, kCountMask = kDone - 1;
constexpr uint32_t kPublishEvery = 8;

struct TBatch {
  std::unique_ptr<char[]> Bytes;  // complete lines, Size of them; not zero-filled
  std::size_t Size = 0, Capacity = 0;
  std::unique_ptr<TBlockLine[]> Lines;  // MaxLines of them; a block with more is read on by the caller
  uint32_t MaxLines = 0;
  std::atomic<uint32_t> Parsed{0};
  bool Last = false, Failed = false;
};

// Batches ready to apply, and empty ones for the worker to fill; Stop releases a waiting worker.
// The batches themselves belong to ReadInTwo, which outlives the worker.
class TBatchQueue {
 public:
  void Put(TBatch* b, bool full) {
    {
      std::lock_guard<std::mutex> lock(m_);
      (full ? full_ : free_).push_back(b);
    }
    cv_.notify_all();
  }
  // The next full batch, or the next free one (nullptr once stopped).
  TBatch* Take(bool full) {
    std::unique_lock<std::mutex> lock(m_);
    auto& q = full ? full_ : free_;
    cv_.wait(lock, [&] { return !q.empty() || stopped_; });
    if (stopped_ && !full) return nullptr;
    TBatch* b = q.front();
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
  std::deque<TBatch*> full_, free_;
  bool stopped_ = false;
};

// Cuts the complete lines of B into lines, parsing the fast ones, until the applying thread takes
// the rest or the batch holds as many lines as it can.
void ParseBlock(TBatch& b) {
  const char* const start = b.Bytes.get();
  const char* p = start;
  const char* const end = p + b.Size;
  uint32_t n = 0, published = 0;
  while (p < end && n < b.MaxLines) {
    TBlockLine& line = b.Lines[n];
    if (const char* next = ParseFastLine(p, end, line.Fast)) {
      line.General = false;
      p = next;
    } else {
      const char* const e = FindLineEnd(p, end);
      line.General = true;
      line.Fast.Text = std::string_view(p, static_cast<std::size_t>(e - p));
      p = AfterLineEnd(e, end);
    }
    line.Next = static_cast<uint32_t>(p - start);
    if (++n - published == kPublishEvery) {
      uint32_t expected = published;
      if (!b.Parsed.compare_exchange_strong(expected, n, std::memory_order_release)) return;  // taken
      published = n;
    }
  }
  uint32_t expected = published;
  b.Parsed.compare_exchange_strong(expected, p < end ? n : n | kDone, std::memory_order_release);
}

// Fills B with the complete lines that follow CARRY (the unfinished line of the last block) from
// READ, in blocks of BLOCK bytes.
void Fill(TBatch& b, std::vector<char>& carry, const std::function<int64_t(char*, std::size_t)>& read,
          std::size_t block) {
  b.Size = 0;
  b.Last = b.Failed = false;
  const auto reserve = [&b](std::size_t bytes) {
    if (bytes <= b.Capacity) return;
    std::size_t capacity = std::max(bytes, b.Capacity * 2);
    std::unique_ptr<char[]> grown(new char[capacity]);
    std::copy_n(b.Bytes.get(), b.Size, grown.get());
    b.Bytes = std::move(grown);
    b.Capacity = capacity;
  };
  reserve(carry.size() + block);
  std::copy(carry.begin(), carry.end(), b.Bytes.get());
  b.Size = carry.size();
  // At least one line end, or the end of the file: a line longer than a block takes more. Only
  // the bytes just read are searched for a line end (the ones before hold none), so a line of any
  // length is read in time linear in its length.
  std::size_t complete = 0;
  do {
    const std::size_t had = b.Size;
    reserve(had + block);
    std::size_t got = 0;
    while (got < block) {
      const int64_t n = read(b.Bytes.get() + had + got, block - got);
      if (n < 0) b.Failed = true;
      if (n <= 0) break;
      got += static_cast<std::size_t>(n);
    }
    b.Size = had + got;
    b.Last = got < block;
    if (b.Last) {
      complete = b.Size;
    } else if (const std::size_t inNew = CompleteLines(b.Bytes.get() + had, got)) {
      complete = had + inNew;
    }
  } while (complete == 0 && !b.Last);
  carry.assign(b.Bytes.get() + complete, b.Bytes.get() + b.Size);
  b.Size = complete;
  // Offsets are 32-bit: a longer line is read by one thread.
  if (b.Size >= UINT32_MAX) throw std::bad_alloc();
}

// The worker: fills free batches from READ until the end, a read error or Stop, each one block
// ahead of the one it parses, so that the applying thread finds the next block read when it has
// taken the rest of one.
void Produce(TBatchQueue& queue, const std::function<int64_t(char*, std::size_t)>& read, std::size_t block) {
  std::vector<char> carry;
  TBatch* parse = nullptr;  // handed over, still to be parsed
  bool more = true;
  while (more || parse) {
    TBatch* next = nullptr;
    if (more) {
      next = queue.Take(false);
      if (!next) return;
      try {
        Fill(*next, carry, read, block);
      } catch (const std::exception&) {
        next->Size = 0;
        next->Last = next->Failed = true;
      }
      next->Parsed.store(0, std::memory_order_relaxed);  // published with the batch by the queue's lock
      more = !next->Last;
      // A free batch is one the applying thread has finished: when that was the one still to be
      // parsed, it has read all of it itself.
      if (next == parse) parse = nullptr;
      queue.Put(next, true);
    }
    if (parse) ParseBlock(*parse);
    parse = next;
  }
}

// Applies the lines [FROM, TO) of B.
void Apply(JwwState& st, TTokenizer& tokenizer, const TBatch& b, uint32_t from, uint32_t to) {
  for (uint32_t i = from; i < to; ++i) {
    const TBlockLine& line = b.Lines[i];
    if (line.General) ApplyLine(st, tokenizer, line.Fast.Text);
    else ApplyFastLine(st, line.Fast);
  }
}

// Applies every line of B: what the worker has parsed, then, unless it parsed all, the rest as
// one thread reads it.
void ApplyBatch(JwwState& st, TTokenizer& tokenizer, TBatch& b) {
  uint32_t s = b.Parsed.load(std::memory_order_acquire);
  Apply(st, tokenizer, b, 0, s & kCountMask);
  if (s & kDone) return;
  const uint32_t applied = s & kCountMask;
  s = b.Parsed.fetch_or(kStolen, std::memory_order_acq_rel);
  const uint32_t parsed = s & kCountMask;
  Apply(st, tokenizer, b, applied, parsed);
  if (s & kDone) return;
  const std::size_t at = parsed > 0 ? b.Lines[parsed - 1].Next : 0;
  ReadLines(st, tokenizer, std::string_view(b.Bytes.get() + at, b.Size - at));
}

}  // namespace

std::optional<bool> ReadInTwo(JwwState& st, const std::function<int64_t(char* p, std::size_t n)>& read,
                              std::size_t block) {
  TBatchQueue queue;
  TBatch batches[4];
  std::thread worker;
  try {
    for (TBatch& b : batches) {
      // A line takes 16 bytes at least, as the host writes them; a block of shorter ones is read
      // on by the applying thread.
      b.MaxLines = static_cast<uint32_t>(std::min<std::size_t>(block / 16 + 64, kCountMask));
      b.Lines.reset(new TBlockLine[b.MaxLines]);
      queue.Put(&b, false);
    }
    worker = std::thread([&] { Produce(queue, read, block); });
  } catch (const std::exception&) {
    return std::nullopt;  // no second thread (or no memory for the batches): nothing read yet
  }
  bool ok = false;
  try {
    TTokenizer tokenizer;
    for (;;) {
      TBatch* const b = queue.Take(true);
      ApplyBatch(st, tokenizer, *b);
      if (b->Last) {
        ok = !b->Failed;
        break;
      }
      queue.Put(b, false);
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
