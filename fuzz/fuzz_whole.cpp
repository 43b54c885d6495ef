// The whole command on any host file and any settings file: shown, previewed, OK pressed and
// closed as the dialog does it. Whatever the two files hold, every number written back into
// JWC_TEMP.TXT is a finite real, and a settings file the command saved holds all its lines and
// reads back to the same bytes.
//
// The input: its first byte chooses the mode (Modes below: bytes 0 to 8 the linear kind's four
// picked points, direction byte % 3 and continued mode byte / 3; 9 to 11 its picked line in each
// direction; then the other kinds in their order); the rest up to the first NUL byte is
// JWC_TEMP.TXT, and what follows the NUL is the settings file (none without a NUL).
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "Preview.h"
#include "Unit1.h"

namespace {

namespace fs = std::filesystem;

void Check(bool ok) {
  if (!ok) __builtin_trap();
}

// A folder of this process's own, removed at its end. In memory where there is such a file
// system: every replace flushes its file and folder to the disk. A process that crashed (as a
// finding, or the many of a minimization) leaves its folder, which a later one removes.
class TWorkDir {
 public:
  TWorkDir() {
    std::error_code ec;
    const fs::path shm = "/dev/shm";
    const fs::path base = fs::is_directory(shm, ec) ? shm : fs::temp_directory_path();
    const std::string prefix = "q748-fuzz-whole-";
    for (fs::directory_iterator it(base, ec), end; !ec && it != end; it.increment(ec)) {
      const std::string name = it->path().filename().string();
      if (name.rfind(prefix, 0) != 0) continue;
      const int pid = std::atoi(name.c_str() + prefix.size());
      if (pid > 0 && kill(pid, 0) != 0 && errno == ESRCH) fs::remove_all(it->path(), ec);
      ec.clear();
    }
    path_ = base / (prefix + std::to_string(getpid()));
    fs::remove_all(path_, ec);
    fs::create_directories(path_);
  }
  ~TWorkDir() {
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

const fs::path& WorkDir() {
  static const TWorkDir dir;
  return dir.path();
}

class TQuietView : public TFormView {
 public:
  void ShowConfirmation(const std::string&, const std::string&) override {}
  void RepaintStatus() override {}
  void ShowError(const std::string&) override {}
  void ShowNotice(const std::string&) override {}
};

void Write(const fs::path& file, std::string_view bytes) {
  std::ofstream(file, std::ios::binary | std::ios::trunc)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::optional<std::string> Read(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Every mode the command draws, in the order the first byte counts them.
const std::vector<TDimensionMode>& Modes() {
  static const std::vector<TDimensionMode> modes = [] {
    std::vector<TDimensionMode> m;
    for (const TKind kind : AllKinds())
      for (const TPick pick : {TPick::Points, TPick::Line})
        for (const TNext next : {TNext::None, TNext::Chain, TNext::Outside})
          for (const TDirection direction : AllDirections())
            if (const TDimensionMode mode{kind, direction, next, pick}; IsValidMode(mode)) m.push_back(mode);
    return m;
  }();
  return modes;
}

bool Finite(double v) { return std::isfinite(v); }

// What OK would draw: when it would draw at all, every coordinate and size of the picture.
void CheckPreview(const TForm1& form) {
  const TPreview p = BuildPreview(form);
  if (!p.Drawable) return;
  for (const TPreviewShape& s : p.Picture.Shapes) {
    Check(Finite(s.Radius) && Finite(s.AngleDeg) && Finite(s.Height));
    for (const TPreviewPoint& q : s.Points) Check(Finite(q.X) && Finite(q.Y));
  }
  const std::string svg = PictureToSvg(p.Picture, kPreviewWidth, kPreviewHeight);
  Check(!svg.empty());
}

// Every line of the written file, up to its first double quote (a text follows it, which may
// spell anything): no "nan" or "inf" in any case, and every token that begins as a number does
// (a digit, a sign or a point) reads whole as a finite real.
void CheckNumbers(std::string_view file) {
  while (!file.empty()) {
    const std::size_t end = file.find('\n');
    std::string_view line = file.substr(0, end);
    file = end == std::string_view::npos ? std::string_view() : file.substr(end + 1);
    // Lines end with CR LF (the last may end with a text head and nothing after it).
    if (end != std::string_view::npos) {
      Check(!line.empty() && line.back() == '\r');
      line.remove_suffix(1);
    }
    Check(line.find('\r') == std::string_view::npos);
    line = line.substr(0, line.find('"'));
    std::string lower(line);
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    Check(lower.find("nan") == std::string::npos && lower.find("inf") == std::string::npos);
    while (!line.empty()) {
      const std::size_t blank = line.find(' ');
      const std::string_view token = line.substr(0, blank);
      line = blank == std::string_view::npos ? std::string_view() : line.substr(blank + 1);
      if (token.empty()) continue;
      const char c = token.front();
      if (!std::isdigit(static_cast<unsigned char>(c)) && c != '-' && c != '+' && c != '.') continue;
      double v = 0.0;
      const std::from_chars_result r = std::from_chars(token.data(), token.data() + token.size(), v);
      Check(r.ec == std::errc() && r.ptr == token.data() + token.size() && Finite(v));
    }
  }
}

// A saved settings file: at least 33 lines, each ended by CR LF. (The record of the last dimension
// is kept as it was read, so a CR inside one of its lines stays.)
void CheckSettingsLines(std::string_view s) {
  Check(s.size() >= 2 && s.substr(s.size() - 2) == "\r\n");
  int lines = 0;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\n') Check(i > 0 && s[i - 1] == '\r'), ++lines;
  }
  Check(lines >= 33);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const TDimensionMode mode = Modes()[data[0] % Modes().size()];
  const std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
  const std::size_t nul = rest.find('\0');
  const std::string_view host = rest.substr(0, nul);
  const std::optional<std::string_view> settings =
      nul == std::string_view::npos ? std::nullopt : std::optional(rest.substr(nul + 1));

  const fs::path& dir = WorkDir();
  for (const fs::directory_entry& e : fs::directory_iterator(dir)) fs::remove_all(e.path());
  Write(dir / kExchangeFileName, host);
  TQuietView view;
  TForm1 form(dir, &view, mode);
  const fs::path settingsFile = form.SettingsFile();
  if (settings) Write(settingsFile, *settings);

  form.FormShow();
  CheckPreview(form);
  form.Button1Click();
  if (form.CloseRequested) {
    Check(form.FormClose());
    const std::optional<std::string> written = Read(dir / kExchangeFileName);
    Check(written.has_value());
    CheckNumbers(*written);
  }

  // The settings file, when the command saved it (an OK that drew always does).
  const std::optional<std::string> saved = Read(settingsFile);
  const bool savedByUs = saved && (form.CloseRequested || !settings || *saved != *settings);
  if (!savedByUs) return 0;
  CheckSettingsLines(*saved);
  // Read back by the same dialog on the same host file and saved again: the same bytes.
  Write(dir / kExchangeFileName, host);
  TForm1 again(dir, &view, mode);
  again.FormShow();
  const fs::path resaved = dir / "resaved.dat";
  Check(again.SaveSettings(resaved) == TWriteError::None);
  const std::optional<std::string> bytes = Read(resaved);
  Check(bytes.has_value());
  Check(*bytes == *saved);
  return 0;
}
