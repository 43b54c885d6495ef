// WideText.h: texts across the Win32 boundary. The model's texts are Shift-JIS bytes; windows
// take UTF-16. Code page 932 is named explicitly, so the dialog reads and writes the same bytes
// whatever the system's ANSI code page is.
#pragma once

#include <string>
#include <string_view>

inline constexpr unsigned kShiftJisCodePage = 932;

std::wstring SjisToWide(std::string_view sjis);
// A character that Shift-JIS cannot hold becomes "?".
std::string WideToSjis(std::wstring_view wide);
std::string WideToUtf8(std::wstring_view wide);
// A UTF-8 source literal shown in a window, taken through Shift-JIS like every other text.
std::wstring Utf8LiteralToWide(std::string_view utf8);
