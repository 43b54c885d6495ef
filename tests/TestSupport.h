// Small helpers shared by the tests: a temporary folder that cleans up after itself, whole-file
// reads and writes of raw bytes, a view of the dialog that records what the model asks of it, and
// matchers that show Shift-JIS texts readably when they fail.
#pragma once

#include <gmock/gmock.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <ostream>
#include <random>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "MyFunc.h"
#include "Unit1.h"

namespace testsupport {

// A fresh folder of its own (optionally with a subfolder, e.g. one with a Japanese name): the
// native, sanitizer and Wine runs of the same test may overlap.
class TempDir {
 public:
  explicit TempDir(const std::string& prefix = "q748-test", const std::filesystem::path& subfolder = {}) {
    std::random_device rd;
    std::mt19937_64 gen((static_cast<uint64_t>(rd()) << 32) ^ rd());
    do {
      root_ = std::filesystem::temp_directory_path() / (prefix + "-" + std::to_string(gen()));
    } while (!std::filesystem::create_directory(root_));
    path_ = subfolder.empty() ? root_ : root_ / subfolder;
    std::filesystem::create_directories(path_);
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(root_, ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path root_, path_;
};

inline void WriteFile(const std::filesystem::path& p, std::string_view bytes) {
  std::ofstream out(p, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string ReadFile(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Records what the model asks of its view, with the status text at each repaint.
class TRecordingView : public TFormView {
 public:
  void ShowConfirmation(const std::string& caption, const std::string& m) override {
    Captions.push_back(caption);
    Messages.push_back(m);
  }
  void RepaintStatus() override { Repaints.push_back(Form ? Form->LabelA1.Caption : std::string()); }
  void ShowError(const std::string& m) override { Errors.push_back(m); }
  void ShowNotice(const std::string& m) override { Notices.push_back(m); }
  std::optional<bool> AskRetry(const std::string& m) override {
    if (!Retry) return std::nullopt;
    RetryAsks.push_back(m);
    return Retry();
  }
  const TForm1* Form = nullptr;
  std::function<std::optional<bool>()> Retry;  // the answer to each retry box; none: cannot ask
  std::vector<std::string> RetryAsks;
  std::vector<std::string> Captions;  // of the refusal boxes, one for each of Messages
  std::vector<std::string> Messages;
  std::vector<std::string> Errors;
  std::vector<std::string> Notices;
  std::vector<std::string> Repaints;
};

// Whether PART stands anywhere in TEXT, for a test's own bookkeeping. An assertion matches with
// HasSubstr or HasSjisSubstr instead, so that a failure shows both texts.
inline bool Contains(std::string_view text, std::string_view part) {
  return part.empty() || std::search(text.begin(), text.end(), part.begin(), part.end()) != text.end();
}

// Shift-JIS bytes as a failure message shows them: UTF-8 in quotes, with line ends, quotes and the
// other control bytes escaped, so that a whole file stays on one line.
inline std::string ReadableSjis(std::string_view sjis) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out = "\"";
  for (const char ch : SjisToUtf8(sjis)) {
    const auto b = static_cast<unsigned char>(ch);
    if (ch == '\r') {
      out += "\\r";
    } else if (ch == '\n') {
      out += "\\n";
    } else if (ch == '"' || ch == '\\') {
      out += {'\\', ch};
    } else if (b < 0x20 || b == 0x7F) {
      out += {'\\', 'x', kHex[b >> 4], kHex[b & 15]};
    } else {
      out += ch;
    }
  }
  return out + "\"";
}

// Matches Shift-JIS bytes as they are, anywhere or at the start, and tells both the wanted text and
// the text got as readable text: gtest alone prints every byte past ASCII as an escape.
class SjisTextMatcher {
 public:
  enum class Where { Anywhere, AtStart };
  SjisTextMatcher(std::string sjis, Where where) : sjis_(std::move(sjis)), where_(where) {}

  template <typename Text>
  bool MatchAndExplain(const Text& text, ::testing::MatchResultListener* listener) const {
    const std::string_view got(text);
    // gtest shows ASCII as it is; only bytes past it need reading.
    if (std::ranges::any_of(got, [](char ch) { return static_cast<unsigned char>(ch) >= 0x80; }))
      *listener << "which reads " << ReadableSjis(got);
    return where_ == Where::AtStart ? got.starts_with(sjis_) : Contains(got, sjis_);
  }
  void DescribeTo(std::ostream* os) const {
    *os << (where_ == Where::AtStart ? "starts with " : "contains ") << ReadableSjis(sjis_);
  }
  void DescribeNegationTo(std::ostream* os) const {
    *os << (where_ == Where::AtStart ? "does not start with " : "does not contain ") << ReadableSjis(sjis_);
  }

 private:
  std::string sjis_;
  Where where_;
};

// `matcher` where `wanted` holds, its negation elsewhere: a text that names a part exactly when a
// condition holds. A failure tells which of the two was expected.
template <typename M>
auto ExactlyWhen(bool wanted, M matcher) {
  return ::testing::Conditional(wanted, matcher, ::testing::Not(matcher));
}

inline ::testing::PolymorphicMatcher<SjisTextMatcher> HasSjisSubstr(std::string part) {
  return ::testing::MakePolymorphicMatcher(
      SjisTextMatcher(std::move(part), SjisTextMatcher::Where::Anywhere));
}
inline ::testing::PolymorphicMatcher<SjisTextMatcher> StartsWithSjis(std::string prefix) {
  return ::testing::MakePolymorphicMatcher(
      SjisTextMatcher(std::move(prefix), SjisTextMatcher::Where::AtStart));
}

}  // namespace testsupport
