#include "WinCheck.h"

#include "Unit1.h"
#include "WideText.h"

namespace {

void WriteToStandardError(const std::wstring& line) {
  // A console shows wide text as it is; a file or pipe gets UTF-8. Without either, nothing.
  HANDLE err = GetStdHandle(STD_ERROR_HANDLE);
  if (err == nullptr || err == INVALID_HANDLE_VALUE) return;
  DWORD mode = 0, written = 0;
  if (GetConsoleMode(err, &mode)) {
    WriteConsoleW(err, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    return;
  }
  const int n = WideCharToMultiByte(CP_UTF8, 0, line.data(), static_cast<int>(line.size()), nullptr, 0,
                                    nullptr, nullptr);
  if (n <= 0) return;
  std::string bytes(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, line.data(), static_cast<int>(line.size()), bytes.data(), n, nullptr,
                      nullptr);
  WriteFile(err, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

}  // namespace

std::wstring SystemErrorText(DWORD code) {
  wchar_t* buffer = nullptr;
  const DWORD n = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
      code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text;
  if (n != 0 && buffer != nullptr) text.assign(buffer, n);
  if (buffer != nullptr) LocalFree(buffer);
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) {
    text.pop_back();
  }
  if (text.empty()) text = L"error " + std::to_wstring(code);
  return text;
}

std::wstring WinFailureText(const char* expression, DWORD code) {
  std::wstring text;
  for (const char* p = expression; *p != '\0'; ++p)
    text += static_cast<wchar_t>(static_cast<unsigned char>(*p));
  text += L": ";
  text += SystemErrorText(code);
  text += L" (" + std::to_wstring(code) + L")";
  return text;
}

void ReportWinFailure(const char* expression, DWORD code) {
  const std::wstring text = WinFailureText(expression, code);
  const std::wstring line = L"q748: " + text + L"\n";
  OutputDebugStringW(line.c_str());
  WriteToStandardError(line);
  // A dialog has no console to read: the user is shown the failure, owned by no window, since the
  // one that failed may be half made.
  MessageBoxW(nullptr, text.c_str(), Utf8LiteralToWide(kApplicationTitle).c_str(),
              MB_ICONERROR | MB_OK | MB_TASKMODAL | MB_SETFOREGROUND);
}
