// Small helpers shared by the tests: a temporary folder that cleans up after itself, whole-file
// reads and writes of raw bytes, and a view of the dialog that records what the model asks of it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

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

}  // namespace testsupport
