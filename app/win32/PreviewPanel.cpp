#include "PreviewPanel.h"

#include <algorithm>

#include "DpiScale.h"
#include "WinCheck.h"

namespace {

constexpr COLORREF kBackground = RGB(255, 255, 255);
constexpr COLORREF kBorder = RGB(160, 160, 160);

}  // namespace

bool TPreviewPanel::Register(HINSTANCE instance, std::wstring& error) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = Proc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = nullptr;  // every pixel is painted by Paint
  wc.lpszClassName = kClassName;
  if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
    error = WinFailureText("RegisterClassExW(q748.Preview)", GetLastError());
    return false;
  }
  return true;
}

void TPreviewPanel::Paint(HWND window, HDC dc) const {
  RECT client{};
  GetClientRect(window, &client);
  const int width = client.right, height = client.bottom;
  if (width <= 0 || height <= 0) return;
  // Off screen first, then one copy: no flicker while the user types.
  HDC memory = CreateCompatibleDC(dc);
  HBITMAP bitmap = memory != nullptr ? CreateCompatibleBitmap(dc, width, height) : nullptr;
  const bool buffered = bitmap != nullptr;
  HDC target = buffered ? memory : dc;
  HGDIOBJ oldBitmap = buffered ? SelectObject(memory, bitmap) : nullptr;

  HBRUSH background = CreateSolidBrush(kBackground);
  FillRect(target, &client, background);
  DeleteObject(background);
  PaintPreviewPicture(target, picture_, width, height, style_);
  // A thin frame, drawn last so that the picture never covers it.
  const int frame = std::max(1, ScaleToDpi(1, style_.Dpi));
  HBRUSH border = CreateSolidBrush(kBorder);
  const RECT edges[] = {{0, 0, width, frame},
                        {0, height - frame, width, height},
                        {0, 0, frame, height},
                        {width - frame, 0, width, height}};
  for (const RECT& r : edges) FillRect(target, &r, border);
  DeleteObject(border);

  if (buffered) {
    BitBlt(dc, 0, 0, width, height, memory, 0, 0, SRCCOPY);
    SelectObject(memory, oldBitmap);
    DeleteObject(bitmap);
  }
  if (memory != nullptr) DeleteDC(memory);
}

LRESULT CALLBACK TPreviewPanel::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    SetWindowLongPtrW(window, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
  }
  const auto* self = reinterpret_cast<const TPreviewPanel*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  switch (message) {
    case WM_ERASEBKGND: return 1;  // Paint covers it all
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(window, &ps);
      if (dc != nullptr && self != nullptr) self->Paint(window, dc);
      EndPaint(window, &ps);
      return 0;
    }
    case WM_PRINTCLIENT:
      if (self != nullptr) self->Paint(window, reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_NCDESTROY: SetWindowLongPtrW(window, GWLP_USERDATA, 0); break;
    default: break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}
