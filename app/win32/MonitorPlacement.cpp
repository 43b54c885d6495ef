#include "MonitorPlacement.h"

#include <algorithm>

namespace {

std::vector<RECT> MonitorRects() {
  std::vector<RECT> rects;
  EnumDisplayMonitors(
      nullptr, nullptr,
      [](HMONITOR, HDC, LPRECT monitor, LPARAM param) -> BOOL {
        reinterpret_cast<std::vector<RECT>*>(param)->push_back(*monitor);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&rects));
  return rects;
}

}  // namespace

bool CaptionIsGrabbable(const RECT& caption, const std::vector<RECT>& monitors) {
  const LONG needed = std::min<LONG>(kGrabbableCaptionWidth, caption.right - caption.left);
  for (const RECT& m : monitors) {
    RECT on{};
    if (!IntersectRect(&on, &caption, &m)) continue;
    if (on.right - on.left >= needed && on.top == caption.top && on.bottom == caption.bottom) return true;
  }
  return false;
}

POINT ClampIntoArea(POINT wanted, SIZE size, const RECT& area) {
  POINT p = wanted;
  p.x = std::max(area.left, std::min(p.x, area.right - size.cx));
  p.y = std::max(area.top, std::min(p.y, area.bottom - size.cy));
  return p;
}

POINT PlaceOnMonitors(POINT wanted, SIZE size, int captionHeight) {
  const RECT window{wanted.x, wanted.y, wanted.x + size.cx, wanted.y + size.cy};
  HMONITOR nearest = MonitorFromRect(&window, MONITOR_DEFAULTTONEAREST);
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (nearest == nullptr || !GetMonitorInfoW(nearest, &info)) return wanted;
  const RECT& area = info.rcWork;
  // The whole window on its monitor whenever it fits: a position saved at a smaller dpi would
  // otherwise leave the preview, the buttons and the status line of the larger window off screen.
  if (size.cx <= area.right - area.left && size.cy <= area.bottom - area.top)
    return ClampIntoArea(wanted, size, area);
  const RECT caption{wanted.x, wanted.y, wanted.x + size.cx, wanted.y + captionHeight};
  if (CaptionIsGrabbable(caption, MonitorRects())) return wanted;
  return ClampIntoArea(wanted, size, area);
}
