// The JSON dump of whatever reading left: it converts every text of the state from Shift-JIS, so
// it must give well-formed JSON for any bytes those texts hold. The dump is checked as a parser
// reads it, event by event, without building a document of it: well-formed (every string valid
// UTF-8), one object, and in its "Texts" one object per text record.
#include <cstddef>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

#include "CommandLine.h"
#include "JwwGaibu.h"

namespace {

using Json = nlohmann::json;

class TDumpCheck : public nlohmann::json_sax<Json> {
 public:
  bool null() override { return Value(); }
  bool boolean(bool) override { return Value(); }
  bool number_integer(number_integer_t) override { return Value(); }
  bool number_unsigned(number_unsigned_t) override { return Value(); }
  bool number_float(number_float_t, const string_t&) override { return Value(); }
  bool string(string_t&) override { return Value(); }
  bool binary(binary_t&) override { return false; }  // JSON text has none
  bool start_object(std::size_t) override {
    if (depth_ == 0) object_ = true;
    if (depth_ == 2 && inTexts_) ++texts_;
    ++depth_;
    return true;
  }
  bool key(string_t& k) override {
    textsNext_ = depth_ == 1 && k == "Texts";
    return true;
  }
  bool end_object() override {
    --depth_;
    return true;
  }
  bool start_array(std::size_t) override {
    inTexts_ = depth_ == 1 && textsNext_;
    ++depth_;
    return depth_ > 1;  // the dump is an object, not an array
  }
  bool end_array() override {
    if (--depth_ == 1) inTexts_ = false;
    return true;
  }
  bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) override {
    return false;
  }

  bool Object() const { return object_; }
  int64_t Texts() const { return texts_; }

 private:
  bool Value() const { return depth_ > 0; }  // a plain value alone is no dump either

  int depth_ = 0;
  bool object_ = false, textsNext_ = false, inTexts_ = false;
  int64_t texts_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  JwwState st;
  JwwReadBuffer(st, std::string_view(reinterpret_cast<const char*>(data), size));
  const std::string json = JwwStateToJson(st);
  TDumpCheck check;
  if (!Json::sax_parse(json, &check) || !check.Object()) __builtin_trap();
  if (check.Texts() != st.Texts.Count()) __builtin_trap();
  return 0;
}
