// The memory of the entity lists: one reservation, committed as the list grows.
#include <algorithm>
#include <cstring>
#include <new>

#include "JwwList.h"
#include "platform/PageMemory.h"

namespace {

std::size_t RoundUp(std::size_t n, std::size_t unit) { return (n + unit - 1) / unit * unit; }

}  // namespace

void TJwwListMemory::Grow(std::size_t bytes) {
  if (bytes > reserved_) {
    // A reservation of its own, large enough for the bound the reader gave, or twice the last.
    const std::size_t want = RoundUp(std::max({bytes, ahead_, 2 * reserved_}), kJwwReserveUnit);
    char* p = static_cast<char*>(JwwPagesReserve(want));
    if (!p) throw std::bad_alloc();
    if (committed_ > 0) {
      if (!JwwPagesCommit(p, committed_)) {
        JwwPagesRelease(p, want);
        throw std::bad_alloc();
      }
      std::memcpy(p, data_, committed_);
    }
    if (data_) JwwPagesRelease(data_, reserved_);
    data_ = p;
    reserved_ = want;
  }
  const std::size_t commit = std::min(RoundUp(bytes, JwwCommitUnit()), reserved_);
  if (!JwwPagesCommit(data_ + committed_, commit - committed_)) throw std::bad_alloc();
  committed_ = commit;
}

void TJwwListMemory::Free() {
  if (data_) JwwPagesRelease(data_, reserved_);
  data_ = nullptr;
  committed_ = reserved_ = ahead_ = 0;
}
