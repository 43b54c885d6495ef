// The exchange state as JSON, for --dump and for the golden tests of reading.
//
// Keys are the names of the state's and the records' fields, in the order of their tables
// (RecordFields.h), so the output is deterministic.
// Numbers are JSON numbers written in their shortest form that reads back to the same double;
// texts are converted from Shift-JIS to UTF-8 (bytes that are no character become U+FFFD).
// Tables indexed from 1 (TextTypes, HnValues, AttrPending) are arrays starting at index 1;
// PickedPoints lists only the slots an "hp" line filled, each with its slot number.
// Layout: an object or array whose members are all plain values takes one line.
//
// A large file gives millions of records, so the JSON is written straight into one buffer that
// goes to the stream in chunks: each record's keys are fixed text and its numbers are converted in
// place, with no value built per record. Memory stays near what reading itself took.
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <ostream>
#include <span>
#include <sstream>
#include <string>
#include <string_view>
#include <tuple>
#include <type_traits>
#include <vector>

#include "CommandLine.h"
#include "MyFunc.h"
#include "RecordFields.h"

namespace {

// Bytes that go to the stream at once.
constexpr std::size_t kChunk = std::size_t{1} << 16;

class TWriter {
 public:
  explicit TWriter(std::ostream& out) : out_(out), buffer_(2 * kChunk) {}

  void Raw(std::string_view s) {
    std::memcpy(Room(s.size()), s.data(), s.size());
    used_ += s.size();
  }
  // A line break and the INDENT of the next line.
  void Break(int indent) { End(PutBreak(Room(static_cast<std::size_t>(indent) + 17), indent)); }
  // Writes a line break and INDENT blanks at P, which has room for INDENT + 17 bytes, and
  // returns their end. Indents are short: a fixed block of blanks is copied, which takes no call.
  static char* PutBreak(char* p, int indent) {
    static constexpr char kBlanks[16] = {' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ',
                                         ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' '};
    const auto n = static_cast<std::size_t>(indent);
    *p++ = '\n';
    if (n <= sizeof kBlanks) std::memcpy(p, kBlanks, sizeof kBlanks);
    else std::memset(p, ' ', n);
    return p + n;
  }

  void Int(int64_t v) {
    char* p = Room(24);
    used_ = static_cast<std::size_t>(std::to_chars(p, p + 24, v).ptr - buffer_.data());
  }

  // Reals in their shortest form that reads back to the same double, with ".0" on whole numbers
  // so that they still read as reals.
  void Real(double x) {
    if (!std::isfinite(x)) {  // no such value comes out of reading
      Raw("null");
      return;
    }
    char* p = Room(40);
    char* const end = std::to_chars(p, p + 32, x).ptr;
    used_ = static_cast<std::size_t>(end - buffer_.data());
    for (const char* q = p; q != end; ++q) {
      if (*q == '.' || *q == 'e') return;
    }
    Raw(".0");
  }

  void Bool(bool b) { Raw(b ? std::string_view("true") : std::string_view("false")); }

  // A Shift-JIS text as a JSON string in UTF-8. Most texts are ASCII and need no conversion.
  void Text(std::string_view sjis) {
    std::string_view utf8 = sjis;
    for (const char c : sjis) {
      if (static_cast<unsigned char>(c) >= 0x80) {
        scratch_ = SjisToUtf8(sjis);
        utf8 = scratch_;
        break;
      }
    }
    char* const start = Room(utf8.size() * 6 + 2);
    char* p = start;
    *p++ = '"';
    for (const char c : utf8) {
      const auto b = static_cast<unsigned char>(c);
      if (b >= 0x20 && c != '"' && c != '\\') {
        *p++ = c;
        continue;
      }
      *p++ = '\\';
      switch (b) {
        case '"': *p++ = '"'; break;
        case '\\': *p++ = '\\'; break;
        case '\b': *p++ = 'b'; break;
        case '\t': *p++ = 't'; break;
        case '\n': *p++ = 'n'; break;
        case '\f': *p++ = 'f'; break;
        case '\r': *p++ = 'r'; break;
        default: {
          static constexpr char kHex[] = "0123456789abcdef";
          const char u[] = {'u', '0', '0', kHex[b >> 4], kHex[b & 15]};
          std::memcpy(p, u, sizeof u);
          p += sizeof u;
        }
      }
    }
    *p++ = '"';
    used_ += static_cast<std::size_t>(p - start);
  }

  // False when the stream could not take everything.
  bool Finish() {
    Flush();
    out_.flush();
    return !out_.fail();
  }

  // Room for N more bytes at the end of the buffer; a full buffer goes to the stream first. What
  // is written there counts once End is given the end of it.
  char* Room(std::size_t n) {
    if (used_ + n > buffer_.size()) {
      Flush();
      if (n > buffer_.size()) buffer_.resize(n);
    }
    return buffer_.data() + used_;
  }
  void End(const char* end) { used_ = static_cast<std::size_t>(end - buffer_.data()); }

 private:
  void Flush() {
    out_.write(buffer_.data(), static_cast<std::streamsize>(used_));
    used_ = 0;
  }

  std::ostream& out_;
  std::vector<char> buffer_;
  std::size_t used_ = 0;
  std::string scratch_;
};

// The members of one object. An object of plain values takes one line; one that holds objects
// puts each member on a line of its own, two spaces in from the object's INDENT.
template <bool OneLine>
class TObject {
 public:
  TObject(TWriter& w, int indent) : w_(w), indent_(indent) {}
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  ~TObject() {
    if constexpr (!OneLine) w_.Break(indent_);
    w_.Raw("}");
  }

  // Writes the separator and KEY; the caller writes the value. Every key passes here, so all of
  // it goes into the room asked for once.
  TWriter& Key(std::string_view key) {
    char* p = w_.Room(static_cast<std::size_t>(indent_) + key.size() + 24);
    if constexpr (OneLine) {
      if (first_) {
        *p++ = '{';
      } else {
        *p++ = ',';
        *p++ = ' ';
      }
    } else {
      *p++ = first_ ? '{' : ',';
      p = TWriter::PutBreak(p, indent_ + 2);
    }
    first_ = false;
    *p++ = '"';
    std::memcpy(p, key.data(), key.size());
    p += key.size();
    std::memcpy(p, "\": ", 3);
    w_.End(p + 3);
    return w_;
  }

 private:
  TWriter& w_;
  int indent_;
  bool first_ = true;
};

// A value written as it is: a number, a flag, a text.
template <class T>
constexpr bool kPlain = std::is_arithmetic_v<T> || std::is_enum_v<T> || std::is_same_v<T, std::string> ||
                        std::is_same_v<T, TJwwStrRef>;

// A record takes one line when every member it shows is a plain value.
template <JwwRecord R>
constexpr bool kOneLine = std::apply(
    [](const auto&... f) {
      return ((kPlain<typename std::remove_cvref_t<decltype(f)>::Type> ||
               std::remove_cvref_t<decltype(f)>::kForm == TJwwForm::Unshown) &&
              ...);
    },
    JwwFieldsOf<R>());

// The state and its records as their tables in RecordFields.h list them, each value in the form
// its type gives. Every value takes the indent of the line it starts on.
class TDump {
 public:
  TDump(std::ostream& out, const JwwState& st) : w_(out), st_(st) {}

  // False when the stream could not take everything.
  bool State() {
    Object<false>(st_, JwwStateFields(), 0);
    w_.Raw("\n");
    return w_.Finish();
  }

 private:
  // A list's items, each on a line of its own, two spaces in from the list's INDENT.
  class TItems {
   public:
    TItems(TWriter& w, int indent) : w_(w), indent_(indent) {}
    TItems(const TItems&) = delete;
    TItems& operator=(const TItems&) = delete;
    ~TItems() {
      if (first_) {
        w_.Raw("[]");
        return;
      }
      w_.Break(indent_);
      w_.Raw("]");
    }
    // Starts the next item; its value is to be written at the returned indent.
    int Next() {
      w_.Raw(first_ ? "[" : ",");
      first_ = false;
      w_.Break(indent_ + 2);
      return indent_ + 2;
    }

   private:
    TWriter& w_;
    int indent_;
    bool first_ = true;
  };

  template <bool OneLine, class R, class Fields>
  void Object(const R& r, const Fields& fields, int indent, int64_t slot = -1) {
    TObject<OneLine> o(w_, indent);
    if (slot >= 0) o.Key("Slot").Int(slot);
    std::apply([&](const auto&... f) { (Member(o, r.*f.Member, f, indent + 2), ...); }, fields);
  }

  template <class O, class M, class F>
  void Member(O& o, const M& v, const F& f, int indent) {
    constexpr TJwwForm form = F::kForm;
    if constexpr (form == TJwwForm::Unshown) {
      return;
    } else {
      o.Key(f.Name);
      if constexpr (form == TJwwForm::Whole) {
        Value(v, indent);
      } else if constexpr (form == TJwwForm::FromOne) {
        Value(std::span(std::begin(v) + 1, std::end(v)), indent);
      } else if constexpr (form == TJwwForm::Slots) {
        using P = typename M::value_type;
        TItems items(w_, indent);
        for (std::size_t slot = 0; slot < v.size(); ++slot) {
          if (v[slot].Used)
            Object<kOneLine<P>>(v[slot], JwwFieldsOf<P>(), items.Next(), static_cast<int64_t>(slot));
        }
      } else {
        static_assert(form == TJwwForm::Bits);
        w_.Raw("[");
        bool first = true;
        for (int bit = 0; bit < 64; ++bit) {
          if (!((v >> bit) & 1)) continue;
          if (!first) w_.Raw(", ");
          first = false;
          w_.Int(bit);
        }
        w_.Raw("]");
      }
    }
  }

  template <class M>
  void Value(const M& v, int indent) {
    if constexpr (std::is_same_v<M, double>) {
      w_.Real(v);
    } else if constexpr (std::is_same_v<M, bool>) {
      w_.Bool(v);
    } else if constexpr (std::is_enum_v<M>) {
      w_.Int(static_cast<std::underlying_type_t<M>>(v));
    } else if constexpr (std::is_integral_v<M>) {
      static_assert(std::is_signed_v<M>, "an unsigned field needs a form of its own");
      w_.Int(v);
    } else if constexpr (std::is_same_v<M, std::string>) {
      w_.Text(v);
    } else if constexpr (std::is_same_v<M, TJwwStrRef>) {
      w_.Text(JwwStr(st_, v));
    } else if constexpr (JwwRecord<M>) {
      Object<kOneLine<M>>(v, JwwFieldsOf<M>(), indent);
    } else if constexpr (kPlain<std::remove_cvref_t<decltype(*std::begin(v))>>) {
      // An array of plain values takes one line.
      w_.Raw("[");
      bool first = true;
      for (const auto& x : v) {
        if (!first) w_.Raw(", ");
        first = false;
        Value(x, indent);
      }
      w_.Raw("]");
    } else {
      TItems items(w_, indent);
      for (const auto& x : v) Value(x, items.Next());
    }
  }

  TWriter w_;
  const JwwState& st_;
};

}  // namespace

bool JwwWriteStateJson(const JwwState& st, std::ostream& out) { return TDump(out, st).State(); }

std::string JwwStateToJson(const JwwState& st) {
  std::ostringstream out;
  JwwWriteStateJson(st, out);
  return std::move(out).str();
}
