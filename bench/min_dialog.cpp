// The yardstick of bench/startup.py: the smallest ordinary Win32 dialog program, with the same
// manifest as q748.exe (common controls 6, per-monitor dpi) and a few controls from a resource
// template, and nothing else. Closes on OK, Cancel or the close box.
#include <windows.h>

namespace {

INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG: return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) EndDialog(window, LOWORD(wParam));
      return TRUE;
    case WM_CLOSE: EndDialog(window, IDCANCEL); return TRUE;
    default: return FALSE;
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  const INT_PTR result = DialogBoxParamW(instance, MAKEINTRESOURCEW(1), nullptr, DialogProc, 0);
  return result == IDOK ? 0 : 1;
}
