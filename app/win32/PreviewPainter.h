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

// Draws `picture` into the width x height box at the origin of `dc`, `margin96` pixels (at 96
// dpi) kept free; the background is left as it is. An empty picture draws nothing.
void PaintPreviewPicture(HDC dc, const TPreviewPicture& picture, int width, int height,
                         const TPreviewStyle& style, int margin96 = kPreviewMargin);

// One item of an end-marker list as the list or its field shows it: the marker's shape at the
// left (as the construction draws it), the item's text, and in the open list the host's marker
// code, which tells apart items whose text and shape are alike. Selected items are highlighted.
struct TMarkerItemState {
  bool Selected = false;
  bool InField = false;  // the closed list's field (no code: it is narrow)
  bool Disabled = false;
};
void PaintMarkerItem(HDC dc, const RECT& box, int item, const std::wstring& text, TMarkerItemState state,
                     const TPreviewStyle& style);
