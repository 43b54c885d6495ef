// MonitorPlacement.h: a remembered window position may point at a monitor that is gone (a laptop
// undocked, a display rearranged), or leave only a sliver of the window on one. A window whose
// title bar cannot be grabbed could not be moved back with the mouse, and the host would wait for
// a dialog nobody sees, so it is brought into the nearest monitor's work area instead.
#pragma once

#include <windows.h>

#include <vector>

// How much of the title bar must lie on one monitor for the window to stay where it was.
inline constexpr int kGrabbableCaptionWidth = 100;

// The top-left for a window of `size` wanted at `wanted`: the nearest position that keeps the whole
// window inside the work area of its monitor (the one it lies on most) when it fits there; a larger
// window stays at `wanted` while the caption strip (the top `captionHeight` pixels) can be grabbed
// on some monitor (CaptionIsGrabbable), and is otherwise moved into that work area.
POINT PlaceOnMonitors(POINT wanted, SIZE size, int captionHeight);

// The pure parts. Whether kGrabbableCaptionWidth pixels of the caption's width (all of it when it
// is narrower) and its full height lie on one of `monitors`.
bool CaptionIsGrabbable(const RECT& caption, const std::vector<RECT>& monitors);
// `wanted` moved just far enough to lie within `area` (top-left kept inside when the window is
// larger than the area).
POINT ClampIntoArea(POINT wanted, SIZE size, const RECT& area);
