// DpiScale.h: the dialog's layout is given in pixels at 96 dpi; on other screens every length is
// scaled by the monitor's dpi. The per-monitor functions are looked up at run time, so the
// program still starts on systems that lack them (it then uses the screen's dpi).
#pragma once

#include <windows.h>

inline constexpr UINT kLayoutDpi = 96;

// A length of the 96-dpi layout at `dpi`, rounded to the nearest pixel.
inline int ScaleToDpi(int length96, UINT dpi) {
  return MulDiv(length96, static_cast<int>(dpi), static_cast<int>(kLayoutDpi));
}

// The dpi the window is shown at (the screen's when the system has no per-window dpi).
UINT WindowDpi(HWND window);

// The outer size of a window whose client area is clientWidth x clientHeight at `dpi`.
SIZE OuterSizeForClient(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, UINT dpi);

// The system scales a dialog itself at a dpi change; this one places and sizes its own controls,
// so the system is told to leave it alone (a system without the call leaves it alone anyway).
void LeaveDpiChangesToTheDialog(HWND dialog);
