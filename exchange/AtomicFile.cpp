// Replacing a file through a temporary file and a rename.
#include "AtomicFile.h"

#include <exception>
#include <fstream>
#include <system_error>

namespace fs = std::filesystem;

namespace {

bool WriteWhole(const fs::path& file, std::string_view bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  if (!out.is_open()) return false;
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.flush();
  const bool written = out.good();
  out.close();
  return written && !out.fail();
}

}  // namespace

// A directory in the file's place is not ours to delete.
void RemoveFileIfPresent(const fs::path& file) noexcept {
  std::error_code ec;
  const fs::file_status s = fs::symlink_status(file, ec);
  if (ec || !fs::exists(s) || fs::is_directory(s)) return;
  fs::remove(file, ec);
}

fs::path TemporaryFileFor(const fs::path& target) {
  fs::path temp = target;
  temp += ".tmp";
  return temp;
}

bool ReplaceFileContents(const fs::path& target, std::string_view bytes,
                         bool removeTargetOnFailure) {
  bool done = false;
  try {
    const fs::path temp = TemporaryFileFor(target);
    try {
      if (WriteWhole(temp, bytes)) {
        std::error_code ec;
        fs::rename(temp, target, ec);
        done = !ec;
      }
    } catch (const std::exception&) {
      // Only allocation can throw here (the stream's buffer); it is a failed write like any other.
    }
    if (!done) RemoveFileIfPresent(temp);
  } catch (const std::exception&) {
    // Not even the temporary file's name could be built: nothing was created.
  }
  if (!done && removeTargetOnFailure) RemoveFileIfPresent(target);
  return done;
}
