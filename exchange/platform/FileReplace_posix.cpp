// The replace's file-system steps on POSIX systems.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <exception>
#include <system_error>

#include "FileReplace.h"

namespace detail {

namespace {

TWriteError FromErrno(int e) {
  switch (e) {
    case EACCES:
    case EPERM:
    case EROFS: return TWriteError::NoPermission;
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return TWriteError::DiskFull;
    case EBUSY:
    case ETXTBSY: return TWriteError::InUse;
    default: return TWriteError::Other;
  }
}

}  // namespace

TWriteError FinalTarget(const std::filesystem::path& target, std::filesystem::path& file) {
  try {
    file = target;
    struct stat st {};
    if (::lstat(target.c_str(), &st) != 0) {
      // Nothing there: the replace creates it, or finds out why it cannot (a missing folder).
      return errno == ENOENT ? TWriteError::None : FromErrno(errno);
    }
    if (!S_ISLNK(st.st_mode)) return TWriteError::None;
    // The whole chain resolved; a link that leads nowhere, loops or cannot be read is refused,
    // since where it would write cannot be told.
    std::error_code ec;
    const std::filesystem::path end = std::filesystem::canonical(target, ec);
    if (ec) return TWriteError::LinkLeavesFolder;
    const std::filesystem::path named = target.parent_path().empty() ? "." : target.parent_path();
    const std::filesystem::path folder = std::filesystem::canonical(named, ec);
    if (ec) return FromErrno(ec.value());
    if (end.parent_path() != folder) return TWriteError::LinkLeavesFolder;
    if (::lstat(end.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return TWriteError::LinkLeavesFolder;
    file = end;
    return TWriteError::None;
  } catch (const std::exception&) {
    return TWriteError::Other;
  }
}

TWriteError CreateFlushedFile(const std::filesystem::path& file, std::string_view bytes,
                              const std::filesystem::path& modeOf) {
  // The replaced file's permission bits, so that a private file stays private; a new file takes
  // the usual ones (the umask applies).
  struct stat old {};
  const bool keep = !modeOf.empty() && ::lstat(modeOf.c_str(), &old) == 0 && S_ISREG(old.st_mode);
  const mode_t mode = keep ? (old.st_mode & 0777) : 0666;
  const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
  if (fd < 0) return FromErrno(errno);
  // The umask may have taken bits the old file had. A file system without modes refuses; its
  // files have no mode to keep.
  if (keep) (void)::fchmod(fd, mode);
  int error = 0;
  const char* p = bytes.data();
  std::size_t left = bytes.size();
  while (left > 0 && error == 0) {
    const ssize_t n = ::write(fd, p, left);
    if (n < 0) {
      if (errno != EINTR) error = errno;
      continue;
    }
    if (n == 0) error = ENOSPC;
    p += n;
    left -= static_cast<std::size_t>(n);
  }
  // A rename that reaches the disk before the data would leave an empty file after a power cut.
  if (error == 0 && ::fsync(fd) != 0) error = errno;
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error != 0) {
    ::unlink(file.c_str());
    return FromErrno(error);
  }
  return TWriteError::None;
}

TWriteError RenameOver(const std::filesystem::path& from, const std::filesystem::path& to) {
  if (::rename(from.c_str(), to.c_str()) != 0) return FromErrno(errno);
  // The new name itself is an entry of the folder: flush the folder too (best effort).
  const std::filesystem::path folder = to.parent_path().empty() ? "." : to.parent_path();
  const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
  return TWriteError::None;
}

std::uint32_t ProcessId() { return static_cast<std::uint32_t>(::getpid()); }

}  // namespace detail
