// The replace's file-system steps on Windows.
#include <windows.h>

#include <exception>
#include <string>
#include <utility>

#include "FileReplace.h"

namespace detail {

namespace {

TWriteError FromWinError(DWORD e) {
  switch (e) {
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_NETWORK_ACCESS_DENIED: return TWriteError::NoPermission;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return TWriteError::DiskFull;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_USER_MAPPED_FILE: return TWriteError::InUse;
    default: return TWriteError::Other;
  }
}

// "\\?\C:\..." as "C:\..." and "\\?\UNC\server\..." as "\\server\...", while the name is short
// enough to go without the prefix, which not every file function of the C runtime takes.
std::wstring WithoutLongPathPrefix(std::wstring name) {
  if (name.size() >= MAX_PATH || name.rfind(L"\\\\?\\", 0) != 0) return name;
  if (name.rfind(L"\\\\?\\UNC\\", 0) == 0) return L"\\" + name.substr(7);
  if (name.size() >= 6 && name[5] == L':') return name.substr(4);
  return name;
}

// The name Windows gives the object at `p` after following every link, with its attributes;
// false when it cannot be opened (a dangling link, a loop, no such object).
bool FinalPathOf(const std::filesystem::path& p, std::wstring& name, DWORD& attributes) {
  const HANDLE h = CreateFileW(p.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  name.assign(MAX_PATH, L'\0');
  DWORD n = GetFinalPathNameByHandleW(h, name.data(), static_cast<DWORD>(name.size()), VOLUME_NAME_DOS);
  if (n >= name.size()) {
    name.resize(n);
    n = GetFinalPathNameByHandleW(h, name.data(), static_cast<DWORD>(name.size()), VOLUME_NAME_DOS);
  }
  BY_HANDLE_FILE_INFORMATION info{};
  const bool known = GetFileInformationByHandle(h, &info) != 0;
  CloseHandle(h);
  if (n == 0 || n >= name.size() || !known) return false;
  name.resize(n);
  attributes = info.dwFileAttributes;
  return true;
}

}  // namespace

// Only a symbolic link proper is followed: other reparse points (cloud placeholders, deduplicated
// files) are the file itself. Windows opens a link's whole chain in one step but does not say where
// a chain that cannot be opened (a dangling link, a loop) leads, so such a link is refused. (Wine
// shows POSIX links as the files they lead to, so there they are replaced as plain files.)
TWriteError FinalTarget(const std::filesystem::path& target, std::filesystem::path& file) {
  try {
    file = target;
    WIN32_FIND_DATAW found;
    const HANDLE find = FindFirstFileW(target.c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return TWriteError::None;  // nothing there, or the replace finds out
    FindClose(find);
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0 ||
        found.dwReserved0 != IO_REPARSE_TAG_SYMLINK)
      return TWriteError::None;
    std::wstring end, folder;
    DWORD endAttributes = 0, folderAttributes = 0;
    if (!FinalPathOf(target, end, endAttributes) || (endAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
      return TWriteError::LinkLeavesFolder;
    const std::filesystem::path named = target.parent_path().empty() ? L"." : target.parent_path();
    if (!FinalPathOf(named, folder, folderAttributes)) return TWriteError::Other;
    if (!folder.empty() && folder.back() == L'\\') folder.pop_back();  // a drive's root
    // Both names come from the same call, so one folder is spelt alike in both; the case is
    // ignored as the file system ignores it.
    const std::size_t slash = end.find_last_of(L'\\');
    if (slash == std::wstring::npos ||
        CompareStringOrdinal(end.c_str(), static_cast<int>(slash), folder.c_str(),
                             static_cast<int>(folder.size()), TRUE) != CSTR_EQUAL)
      return TWriteError::LinkLeavesFolder;
    file = WithoutLongPathPrefix(std::move(end));
    return TWriteError::None;
  } catch (const std::exception&) {
    return TWriteError::Other;
  }
}

TWriteError CreateFlushedFile(const std::filesystem::path& file, std::string_view bytes,
                              const std::filesystem::path&) {
  // CREATE_NEW fails on any existing name, a link included, so nothing planted is ever opened.
  HANDLE h = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                         FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (h == INVALID_HANDLE_VALUE) return FromWinError(GetLastError());
  DWORD error = ERROR_SUCCESS;
  const char* p = bytes.data();
  std::size_t left = bytes.size();
  while (left > 0 && error == ERROR_SUCCESS) {
    const DWORD chunk = left > (1u << 30) ? (1u << 30) : static_cast<DWORD>(left);
    DWORD written = 0;
    if (!WriteFile(h, p, chunk, &written, nullptr)) {
      error = GetLastError();
    } else if (written == 0) {
      error = ERROR_DISK_FULL;
    }
    p += written;
    left -= written;
  }
  // A rename that reaches the disk before the data would leave an empty file after a power cut.
  if (error == ERROR_SUCCESS && !FlushFileBuffers(h)) error = GetLastError();
  if (!CloseHandle(h) && error == ERROR_SUCCESS) error = GetLastError();
  if (error != ERROR_SUCCESS) {
    DeleteFileW(file.c_str());
    return FromWinError(error);
  }
  return TWriteError::None;
}

TWriteError RenameOver(const std::filesystem::path& from, const std::filesystem::path& to) {
  if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return TWriteError::None;
  const DWORD e = GetLastError();
  // The temporary file was just created in the same folder, so a refusal here is about the
  // target: held open by another program (a scanner, an indexer), or a file marked read-only.
  if (e == ERROR_ACCESS_DENIED) {
    const DWORD attributes = GetFileAttributesW(to.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
      return TWriteError::Other;
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0)
      return TWriteError::NoPermission;
    return TWriteError::InUse;
  }
  return FromWinError(e);
}

std::uint32_t ProcessId() { return static_cast<std::uint32_t>(GetCurrentProcessId()); }

}  // namespace detail
