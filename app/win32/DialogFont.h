// DialogFont.h: the dialog's Japanese font. The form asks for "ＭＳ ゴシック" with the Shift-JIS
// character set; where that face is not installed (a Windows without the Japanese supplemental
// fonts, Wine), another installed Shift-JIS face stands in, so that the texts never fall back to
// a font without Japanese glyphs.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct TFontFace {
  std::wstring Name;
  bool FixedPitch = false;
};

// The installed faces that carry the Shift-JIS character set (vertical "@" faces left out).
std::vector<TFontFace> ShiftJisFaces();

// The face to use for `wanted` among `installed`: `wanted` itself, else the first of the known
// Japanese UI faces, else the first fixed-pitch face, else the first face; `wanted` when none.
std::wstring ChooseFace(const std::wstring& wanted, const std::vector<TFontFace>& installed);

// A font of `face` whose characters are `pixelHeight` high (the em height, not the cell).
HFONT CreateDialogFont(const std::wstring& face, int pixelHeight);
// The same, its baseline turned `angleTenths` tenths of a degree anticlockwise from the x axis.
HFONT CreateTurnedFont(const std::wstring& face, int pixelHeight, int angleTenths);
