// Reserved address space on Windows: MEM_RESERVE once, MEM_COMMIT as the list grows. The heap's
// realloc copies a growing block of millions of records again and again; this never does.
#include <windows.h>

#include "PageMemory.h"

// Committed memory is charged at once on Windows: commit a little ahead only.
std::size_t JwwCommitUnit() { return 65536; }

void* JwwPagesReserve(std::size_t bytes) { return VirtualAlloc(nullptr, bytes, MEM_RESERVE, PAGE_NOACCESS); }

bool JwwPagesCommit(void* p, std::size_t bytes) {
  return VirtualAlloc(p, bytes, MEM_COMMIT, PAGE_READWRITE) != nullptr;
}

void JwwPagesRelease(void* p, std::size_t) { VirtualFree(p, 0, MEM_RELEASE); }
