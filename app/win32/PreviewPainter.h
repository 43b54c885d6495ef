// PreviewPainter.h: the preview picture drawn with GDI, the same shapes and colours as its SVG.
// The picture is fitted into the box it is drawn in; line widths and marks follow the dpi.
#pragma once

#include <windows.h>

#include <string>

#include "Preview.h"
#include "Unit1.h"

struct TPreviewStyle {
  std::wstring Face;  // the dialog's Japanese face, for the value text
  UINT Dpi = 96;
};

// The margin kept free around the picture, at 96 dpi (the SVG's).
inline constexpr int kPreviewMargin = 8;

// Draws `picture` into the width x height box at the origin of `dc`; the background is left as
// it is. An empty picture draws nothing.
void PaintPreviewPicture(HDC dc, const TPreviewPicture& picture, int width, int height,
                         const TPreviewStyle& style);
