// The reader's fast path against the general path: reading any bytes with the fast path must
// leave exactly the state that reading every line through the tokenizer leaves (compared as the
// JSON dump of the whole state, every record and field included); and so must reading them with
// two threads.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "CommandLine.h"
#include "JwwGaibu.h"
#include "ReadRules.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string_view content(reinterpret_cast<const char*>(data), size);
  JwwState fast, general;
  ReadBufferWith(fast, content, true);
  ReadBufferWith(general, content, false);
  const std::string expected = JwwStateToJson(general);
  if (JwwStateToJson(fast) != expected) __builtin_trap();
  // Two threads, in blocks of a size the input chooses.
  JwwState two;
  const std::size_t block = size > 0 ? 1 + data[0] % 64 : 1;
  if (!ReadBufferInTwo(two, content, block) || JwwStateToJson(two) != expected) __builtin_trap();
  return 0;
}
