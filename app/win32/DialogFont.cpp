#include "DialogFont.h"

#include "WinCheck.h"

namespace {

int CALLBACK CollectFace(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM param) {
  auto* faces = reinterpret_cast<std::vector<TFontFace>*>(param);
  const std::wstring name = font->lfFaceName;
  if (name.empty() || name[0] == L'@') return 1;
  for (const TFontFace& f : *faces) {
    if (f.Name == name) return 1;
  }
  faces->push_back({name, (font->lfPitchAndFamily & 0x3) == FIXED_PITCH});
  return 1;
}

}  // namespace

std::vector<TFontFace> ShiftJisFaces() {
  std::vector<TFontFace> faces;
  HDC screen = Q748_WIN(GetDC(nullptr));
  if (screen == nullptr) return faces;
  LOGFONTW query{};
  query.lfCharSet = SHIFTJIS_CHARSET;
  EnumFontFamiliesExW(screen, &query, CollectFace, reinterpret_cast<LPARAM>(&faces), 0);
  ReleaseDC(nullptr, screen);
  return faces;
}

std::wstring ChooseFace(const std::wstring& wanted, const std::vector<TFontFace>& installed) {
  auto has = [&](const std::wstring& name) {
    for (const TFontFace& f : installed) {
      if (f.Name == name) return true;
    }
    return false;
  };
  if (has(wanted)) return wanted;
  // The English name of the same face, then the Japanese UI faces of the Windows versions.
  static const wchar_t* const kStandIns[] = {L"MS Gothic", L"MS UI Gothic", L"Yu Gothic UI",
                                             L"Meiryo UI", L"Meiryo",       L"\u30e1\u30a4\u30ea\u30aa"};
  for (const wchar_t* name : kStandIns) {
    if (has(name)) return name;
  }
  for (const TFontFace& f : installed) {
    if (f.FixedPitch) return f.Name;
  }
  if (!installed.empty()) return installed.front().Name;
  return wanted;
}

HFONT CreateDialogFont(const std::wstring& face, int pixelHeight) {
  return CreateTurnedFont(face, pixelHeight, 0);
}

HFONT CreateTurnedFont(const std::wstring& face, int pixelHeight, int angleTenths) {
  LOGFONTW lf{};
  lf.lfHeight = -pixelHeight;
  lf.lfEscapement = angleTenths;
  lf.lfOrientation = angleTenths;
  lf.lfWeight = FW_NORMAL;
  lf.lfCharSet = SHIFTJIS_CHARSET;
  lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  lf.lfQuality = DEFAULT_QUALITY;
  lf.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  face.copy(lf.lfFaceName, LF_FACESIZE - 1);
  return Q748_WIN(CreateFontIndirectW(&lf));
}
