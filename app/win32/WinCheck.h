// WinCheck.h: checked Win32 calls. A call that fails is reported with the expression that failed
// and the system's text for GetLastError(), so that a fault in the field can be named.
#pragma once

#include <windows.h>

#include <string>

// The system's message for an error code (trailing line break removed), or "error N".
std::wstring SystemErrorText(DWORD code);

// "expression: message (N)" for a call that failed with `code`.
std::wstring WinFailureText(const char* expression, DWORD code);

// Shows the failure text in a message box, and sends it to the debugger and to standard error
// (when there is one).
void ReportWinFailure(const char* expression, DWORD code);

// Passes `result` through; a zero, false or null result is reported first.
template <class T>
T CheckedWinCall(T result, const char* expression) {
  if (!result) ReportWinFailure(expression, GetLastError());
  return result;
}

#define Q748_WIN(expr) CheckedWinCall((expr), #expr)
