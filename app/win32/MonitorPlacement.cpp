#include "MonitorPlacement.h"

#include <algorithm>

POINT ClampIntoArea(POINT wanted, SIZE size, const RECT& area) {
  POINT p = wanted;
  p.x = std::max(area.left, std::min(p.x, area.right - size.cx));
  p.y = std::max(area.top, std::min(p.y, area.bottom - size.cy));
  return p;
}

POINT PlaceOnMonitors(POINT wanted, SIZE size, int captionHeight) {
  const RECT caption{wanted.x, wanted.y, wanted.x + size.cx, wanted.y + captionHeight};
  if (MonitorFromRect(&caption, MONITOR_DEFAULTTONULL) != nullptr) return wanted;
  const RECT window{wanted.x, wanted.y, wanted.x + size.cx, wanted.y + size.cy};
  HMONITOR nearest = MonitorFromRect(&window, MONITOR_DEFAULTTONEAREST);
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (nearest == nullptr || !GetMonitorInfoW(nearest, &info)) return wanted;
  return ClampIntoArea(wanted, size, info.rcWork);
}
