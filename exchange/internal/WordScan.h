// WordScan.h: looking at eight bytes at once (internal to the reader's hot loops).
//
// A 64-bit word loaded from eight bytes, first byte in the lowest bits. Each test sets the top
// bit of the bytes it flags; bits above a flagged byte may be set falsely (borrows run upwards),
// so only "any flagged" and "the lowest flagged byte" are exact, which is all the callers use.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

inline constexpr bool kJwwWordScan = std::endian::native == std::endian::little;

inline uint64_t LoadWord(const void* p) {
  uint64_t x;
  std::memcpy(&x, p, sizeof x);
  return x;
}

inline constexpr uint64_t EveryByte(uint8_t b) { return 0x0101010101010101ull * b; }

// Bytes below N (N at most 0x80).
inline uint64_t BytesBelow(uint64_t x, uint8_t n) { return (x - EveryByte(n)) & ~x & EveryByte(0x80); }

// Bytes equal to B.
inline uint64_t BytesEqual(uint64_t x, uint8_t b) { return BytesBelow(x ^ EveryByte(b), 1); }

// The number of bytes before the lowest flagged one (MASK not zero).
inline int FirstFlagged(uint64_t mask) { return std::countr_zero(mask) >> 3; }
