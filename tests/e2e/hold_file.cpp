// hold_file FILE MILLISECONDS: holds FILE open as a virus scanner or an indexer does (other
// readers allowed, no one may replace or delete it), says "held" on standard output, then lets go.
#include <windows.h>

#include <cstdio>
#include <cwchar>

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) {
    std::fputs("usage: hold_file FILE MILLISECONDS\n", stderr);
    return 2;
  }
  HANDLE h = CreateFileW(argv[1], GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    std::fprintf(stderr, "hold_file: cannot open the file (error %lu)\n", GetLastError());
    return 1;
  }
  std::puts("held");
  std::fflush(stdout);
  Sleep(static_cast<DWORD>(std::wcstoul(argv[2], nullptr, 10)));
  CloseHandle(h);
  return 0;
}
