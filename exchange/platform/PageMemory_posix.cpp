// Reserved address space on POSIX: an inaccessible mapping that commits by changing its
// protection, so that memory is counted (and can fail) when it is committed, not when touched.
#include <sys/mman.h>

#include "PageMemory.h"

// Committed pages become resident only when touched: 1 MiB at a time costs no memory and keeps
// the calls few (then as fast as realloc, measured).
std::size_t JwwCommitUnit() { return 1 << 20; }

void* JwwPagesReserve(std::size_t bytes) {
  void* p = mmap(nullptr, bytes, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
  return p == MAP_FAILED ? nullptr : p;
}

bool JwwPagesCommit(void* p, std::size_t bytes) { return mprotect(p, bytes, PROT_READ | PROT_WRITE) == 0; }

void JwwPagesRelease(void* p, std::size_t bytes) { munmap(p, bytes); }
