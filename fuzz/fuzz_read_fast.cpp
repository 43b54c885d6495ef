// The reader's fast path against the general path: reading any bytes with the fast path must
// leave exactly the state that reading every line through the tokenizer leaves (compared as the
// JSON dump of the whole state, every record and field included).
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
  if (JwwStateToJson(fast) != JwwStateToJson(general)) __builtin_trap();
  return 0;
}
