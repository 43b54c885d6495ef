// The model's boxes as Win32 message boxes.
#include "MessageBoxes.h"

#include <cstdio>

#include "MyFunc.h"
#include "WideText.h"

namespace {

int Box(HWND owner, const std::string& messageSjis, const std::wstring& caption, UINT flags) {
  if (owner != nullptr && !IsWindow(owner)) owner = nullptr;
  if (owner == nullptr) flags |= MB_TASKMODAL | MB_SETFOREGROUND;
  return MessageBoxW(owner, SjisToWide(messageSjis).c_str(), caption.c_str(), flags);
}

}  // namespace

// A refusal asks nothing: a warning, not a question.
void ConfirmationBox(HWND owner, const std::string& captionSjis, const std::string& messageSjis) {
  Box(owner, messageSjis, SjisToWide(captionSjis), MB_ICONWARNING | MB_OK);
}

void ErrorBox(HWND owner, const std::string& messageSjis) {
  Box(owner, messageSjis, Utf8LiteralToWide(kErrorCaption), MB_ICONERROR | MB_OK);
}

bool RetryBox(HWND owner, const std::string& messageSjis) {
  return Box(owner, messageSjis, Utf8LiteralToWide(kErrorCaption), MB_ICONWARNING | MB_RETRYCANCEL) ==
         IDRETRY;
}

void NoticeLine(const std::string& messageSjis) {
  const std::string line = SjisToUtf8(SingleLine(messageSjis));
  std::fprintf(stderr, "q748: %s\n", line.c_str());
  std::fflush(stderr);
}

bool ShiftHeld() { return (GetAsyncKeyState(VK_SHIFT) & 0x8000) != 0; }
