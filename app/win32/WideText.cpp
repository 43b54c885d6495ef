#include "WideText.h"

#include <windows.h>

#include "Unit1.h"

namespace {

std::wstring ToWide(unsigned codePage, std::string_view bytes) {
  if (bytes.empty()) return {};
  const int size = static_cast<int>(bytes.size());
  const int n = MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0);
  if (n <= 0) return {};
  std::wstring wide(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(codePage, 0, bytes.data(), size, wide.data(), n);
  return wide;
}

std::string FromWide(unsigned codePage, std::wstring_view wide) {
  if (wide.empty()) return {};
  const int size = static_cast<int>(wide.size());
  // Code page 932 takes a replacement character; UTF-8 may not be given one.
  const char* replacement = codePage == CP_UTF8 ? nullptr : "?";
  const int n = WideCharToMultiByte(codePage, 0, wide.data(), size, nullptr, 0, replacement, nullptr);
  if (n <= 0) return {};
  std::string bytes(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(codePage, 0, wide.data(), size, bytes.data(), n, replacement, nullptr);
  return bytes;
}

}  // namespace

std::wstring SjisToWide(std::string_view sjis) { return ToWide(kShiftJisCodePage, sjis); }

std::string WideToSjis(std::wstring_view wide) { return FromWide(kShiftJisCodePage, wide); }

std::string WideToUtf8(std::wstring_view wide) { return FromWide(CP_UTF8, wide); }

std::wstring Utf8LiteralToWide(std::string_view utf8) { return SjisToWide(SjisText(utf8)); }
