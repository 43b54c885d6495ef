// The JSON dump of whatever reading left: it converts every text of the state from Shift-JIS, so
// it must give well-formed JSON for any bytes those texts hold.
#include <cstddef>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

#include "CommandLine.h"
#include "JwwGaibu.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  JwwState st;
  JwwReadBuffer(st, std::string_view(reinterpret_cast<const char*>(data), size));
  const std::string json = JwwStateToJson(st);
  const nlohmann::json parsed = nlohmann::json::parse(json, nullptr, false);
  if (parsed.is_discarded() || !parsed.is_object()) __builtin_trap();
  if (parsed["Texts"].size() != static_cast<std::size_t>(st.Texts.Count())) __builtin_trap();
  return 0;
}
