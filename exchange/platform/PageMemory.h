// PageMemory.h: address space reserved once and committed piece by piece, for the entity lists
// (internal to the exchange library; one implementation per platform, chosen by the build).
#pragma once

#include <cstddef>

// The unit in which address space is reserved (Windows reserves in 64 KiB).
inline constexpr std::size_t kJwwReserveUnit = 65536;

// The unit in which memory is committed, a multiple of the page size: each commit is a system
// call, so the larger the fewer, as long as committing does not make the memory resident.
std::size_t JwwCommitUnit();

// BYTES of address space, not usable yet; nullptr when there is none.
void* JwwPagesReserve(std::size_t bytes);
// Makes [P, P + BYTES) of a reservation usable, zero-filled. False when memory runs out.
bool JwwPagesCommit(void* p, std::size_t bytes);
// Gives back a whole reservation.
void JwwPagesRelease(void* p, std::size_t bytes);
