// Replacing a file through a temporary file of the run's own and a rename.
#include "AtomicFile.h"

#include <cstdint>
#include <exception>
#include <random>
#include <string>
#include <system_error>
#include <thread>

#include "platform/FileReplace.h"

namespace fs = std::filesystem;

namespace {

// <target name>.<process id>-<16 hex digits>.tmp: recognisable as ours, unique per run and try.
constexpr std::string_view kTemporarySuffix = ".tmp";
constexpr int kRandomDigits = 16;
constexpr auto kStaleAfter = std::chrono::minutes(1);
constexpr auto kRetryPause = std::chrono::milliseconds(50);
constexpr int kNameTries = 8;

std::uint64_t RandomBits(int attempt) {
  std::uint64_t bits = static_cast<std::uint64_t>(attempt + 1) * std::uint64_t{0x9E3779B97F4A7C15};
  bits ^= static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
  try {
    std::random_device rd;
    bits ^= (static_cast<std::uint64_t>(rd()) << 32) ^ rd();
  } catch (const std::exception&) {
    // No source of randomness: the process id, the clock and the attempt still part the runs.
  }
  return bits;
}

fs::path TemporaryNameFor(const fs::path& target, int attempt) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string name = target.filename().string();
  name += '.';
  name += std::to_string(detail::ProcessId());
  name += '-';
  std::uint64_t bits = RandomBits(attempt);
  for (int i = 0; i < kRandomDigits; ++i, bits >>= 4) name += kHex[bits & 15];
  name += kTemporarySuffix;
  return target.parent_path() / name;
}

bool AllOf(std::string_view s, std::string_view allowed) {
  return !s.empty() && s.find_first_not_of(allowed) == std::string_view::npos;
}

// Temporary files for `targetName` in `folder` of a run that was killed between creating and
// renaming them; an older one cannot belong to a run that is still writing.
void RemoveStaleTemporaryFiles(const fs::path& folder, const fs::path& targetName) noexcept {
  try {
    std::error_code ec;
    const auto now = fs::file_time_type::clock::now();
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
      const fs::path& p = it->path();
      if (!IsTemporaryNameFor(p.filename(), targetName)) continue;
      if (!fs::is_regular_file(fs::symlink_status(p, ec)) || ec) continue;
      const auto written = fs::last_write_time(p, ec);
      if (!ec && now - written > kStaleAfter) fs::remove(p, ec);
      ec.clear();
    }
  } catch (const std::exception&) {
    // Tidying is a courtesy; a name that cannot be read is left where it is.
  }
}

}  // namespace

bool IsTemporaryNameFor(const fs::path& name, const fs::path& targetName) {
  const std::string n = name.string();
  const std::string prefix = targetName.string() + '.';
  if (n.size() <= prefix.size() + kTemporarySuffix.size()) return false;
  if (n.compare(0, prefix.size(), prefix) != 0) return false;
  if (n.compare(n.size() - kTemporarySuffix.size(), kTemporarySuffix.size(), kTemporarySuffix) != 0)
    return false;
  const std::string_view middle =
      std::string_view(n).substr(prefix.size(), n.size() - prefix.size() - kTemporarySuffix.size());
  const std::size_t dash = middle.find('-');
  return dash != std::string_view::npos && AllOf(middle.substr(0, dash), "0123456789") &&
         middle.size() - dash - 1 == kRandomDigits && AllOf(middle.substr(dash + 1), "0123456789abcdef");
}

void RemoveFileIfPresent(const fs::path& file) noexcept {
  std::error_code ec;
  const fs::file_status s = fs::symlink_status(file, ec);
  if (ec || !fs::exists(s) || fs::is_directory(s)) return;
  fs::remove(file, ec);
}

TWriteError ReplaceFileContents(const fs::path& target, std::string_view bytes,
                                const TReplaceOptions& options) {
  // A link in the target's place stays a link: the file it leads to, in the same folder, is the
  // one replaced, through a temporary file beside it.
  fs::path file;
  TWriteError error = detail::FinalTarget(target, file);
  if (error != TWriteError::None) return error;
  fs::path temp;
  error = TWriteError::Other;
  try {
    // Tidied in the target's own folder only.
    RemoveStaleTemporaryFiles(target.parent_path().empty() ? fs::path(".") : target.parent_path(),
                              file.filename());
    // A name of our own that nobody else uses; an existing one (another run's, or a planted link)
    // is never opened: take another name.
    for (int i = 0; i < kNameTries; ++i) {
      temp = TemporaryNameFor(file, i);
      std::error_code ec;
      if (fs::exists(fs::symlink_status(temp, ec))) continue;
      error = detail::CreateFlushedFile(temp, bytes, file);
      if (error != TWriteError::Other || !fs::exists(fs::symlink_status(temp, ec))) break;
    }
  } catch (const std::exception&) {
    return TWriteError::Other;  // not even a name could be built: nothing was created
  }
  if (error != TWriteError::None) return error;

  const auto deadline = std::chrono::steady_clock::now() + options.InUseWait;
  error = detail::RenameOver(temp, file);
  while (error == TWriteError::InUse && std::chrono::steady_clock::now() < deadline) {
    try {
      if (options.WhileHeld) options.WhileHeld();
    } catch (const std::exception&) {
      // Only the saying failed (out of memory): the wait goes on.
    }
    std::this_thread::sleep_for(kRetryPause);
    error = detail::RenameOver(temp, file);
  }
  if (error != TWriteError::None) RemoveFileIfPresent(temp);
  return error;
}
