// PreviewPanel.h: the window of the dialog's preview. It shows the picture it was last given,
// painted off screen and copied in one piece, so that redrawing at every keystroke does not
// flicker; with no picture it is a plain white panel. It holds no model: the dialog decides what
// it shows.
#pragma once

#include <windows.h>

#include <string>
#include <utility>

#include "PreviewPainter.h"
#include "Preview.h"
#include "Unit1.h"

class TPreviewPanel {
 public:
  static constexpr const wchar_t* kClassName = L"q748.Preview";

  // Registers the window class once per process (again is fine). The window is created with
  // CreateWindowExW(..., kClassName, ..., lpParam = this).
  static bool Register(HINSTANCE instance, std::wstring& error);

  // The picture to show (an empty picture: none); the caller invalidates the window.
  void SetPicture(TPreviewPicture picture) { picture_ = std::move(picture); }
  const TPreviewPicture& Picture() const { return picture_; }
  void SetStyle(TPreviewStyle style) { style_ = std::move(style); }

  // The whole client area of `window` into `dc`: background, picture, border.
  void Paint(HWND window, HDC dc) const;

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  TPreviewPicture picture_;
  TPreviewStyle style_;
};
