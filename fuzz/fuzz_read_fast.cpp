// The reader's fast path against the general path: reading any bytes with the fast path must
// leave exactly the state that reading every line through the tokenizer leaves (every field and
// record, SameState.h); and so must reading them with two threads.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "JwwGaibu.h"
#include "ReadRules.h"
#include "SameState.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string_view content(reinterpret_cast<const char*>(data), size);
  JwwState fast, general;
  ReadBufferWith(fast, content, true);
  ReadBufferWith(general, content, false);
  if (!SameState(fast, general)) __builtin_trap();
  // The comparison itself must tell states apart: one that read entities is no fresh one.
  static const JwwState fresh;
  if (general.EntityOrder.Count() > 0 && SameState(general, fresh)) __builtin_trap();
  // Two threads, in blocks of a size the input chooses: down to one byte, but never more than
  // about 32 blocks, each a hand-over between the threads, which would outweigh all else.
  JwwState two;
  const std::size_t block = std::max<std::size_t>(size > 0 ? 1 + data[0] % 64 : 1, size / 32);
  if (!ReadBufferInTwo(two, content, block) || !SameState(two, general)) __builtin_trap();
  return 0;
}
