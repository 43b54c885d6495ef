// MonitorPlacement.h: a remembered window position may point at a monitor that is gone (a laptop
// undocked, a display rearranged). A window whose title bar would be off every monitor could not
// be moved back with the mouse, so it is brought into the nearest monitor's work area instead.
#pragma once

#include <windows.h>

// The top-left for a window of `size` wanted at `wanted`: `wanted` itself while any part of its
// caption strip (the top `captionHeight` pixels) lies on a monitor; otherwise the nearest
// position inside the work area of the nearest monitor.
POINT PlaceOnMonitors(POINT wanted, SIZE size, int captionHeight);

// The pure part: `wanted` moved just far enough to lie within `area` (top-left kept inside when
// the window is larger than the area).
POINT ClampIntoArea(POINT wanted, SIZE size, const RECT& area);
