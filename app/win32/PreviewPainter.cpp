#include "PreviewPainter.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "DialogFont.h"
#include "DpiScale.h"
#include "WideText.h"

namespace {

// The SVG's colours: black lines, a blue value text with a lighter dotted extent, red measured
// points.
constexpr COLORREF kInk = RGB(0, 0, 0);
constexpr COLORREF kText = RGB(0x10, 0x40, 0xA0);
constexpr COLORREF kTextBox = RGB(0x30, 0x70, 0xC0);
constexpr COLORREF kMeasured = RGB(0xC0, 0x30, 0x30);
constexpr COLORREF kFaint = RGB(0xB4, 0xB4, 0xB4);  // the last dimension and what was picked
constexpr int kMeasuredArm = 3;                     // half the size of the measured point's cross, 96 dpi

// Selects a GDI object for the lifetime of the holder and deletes it afterwards (stock objects
// are not deleted).
class TSelected {
 public:
  TSelected(HDC dc, HGDIOBJ object, bool owned) : dc_(dc), object_(object), owned_(owned) {
    old_ = SelectObject(dc, object);
  }
  ~TSelected() {
    SelectObject(dc_, old_);
    if (owned_ && object_ != nullptr) DeleteObject(object_);
  }
  TSelected(const TSelected&) = delete;
  TSelected& operator=(const TSelected&) = delete;

 private:
  HDC dc_;
  HGDIOBJ object_, old_;
  bool owned_;
};

POINT Pixel(const TPreviewFit& fit, TPreviewPoint p) {
  const TPreviewPoint q = fit.ToPixel(p);
  return POINT{static_cast<LONG>(std::lround(q.X)), static_cast<LONG>(std::lround(q.Y))};
}

std::vector<POINT> Pixels(const TPreviewFit& fit, const std::vector<TPreviewPoint>& points) {
  std::vector<POINT> out;
  out.reserve(points.size());
  for (const TPreviewPoint& p : points) out.push_back(Pixel(fit, p));
  return out;
}

// The value text: its baseline starts at the text's start point and runs in its direction, and
// its characters are spread so that it ends where its extent ends, as the host will draw it.
void PaintText(HDC dc, const TPreviewFit& fit, const TPreviewShape& s, const TPreviewStyle& style) {
  const int height = static_cast<int>(std::lround(s.Height * fit.Scale));
  const std::wstring text = SjisToWide(s.Text);
  if (height < 1 || text.empty()) return;
  const int tenths = static_cast<int>(std::lround(s.AngleDeg * 10.0)) % 3600;
  HFONT font = CreateTurnedFont(style.Face, height, tenths);
  if (font == nullptr) return;
  TSelected selected(dc, font, true);
  // Advances from the font, scaled to the extent (s.Radius holds the length along the baseline).
  std::vector<INT> advances(text.size(), 0);
  const int count = static_cast<int>(text.size());
  double natural = 0.0;
  for (int i = 0; i < count; ++i) {
    SIZE one{};
    GetTextExtentPoint32W(dc, &text[static_cast<size_t>(i)], 1, &one);
    advances[static_cast<size_t>(i)] = one.cx;
    natural += one.cx;
  }
  const double extent = s.Radius * fit.Scale;
  const bool spread = natural > 0.0 && extent > 0.0;
  double done = 0.0, placed = 0.0;
  for (INT& a : advances) {
    // Rounded on the running sum, so that the last character ends on the extent.
    done += spread ? a * extent / natural : a;
    const double next = std::round(done);
    a = static_cast<INT>(next - placed);
    placed = next;
  }
  SetTextAlign(dc, TA_BASELINE | TA_LEFT | TA_NOUPDATECP);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, kText);
  const POINT at = Pixel(fit, s.Points[0]);
  ExtTextOutW(dc, at.x, at.y, 0, nullptr, text.c_str(), static_cast<UINT>(count), advances.data());
}

}  // namespace

void PaintPreviewPicture(HDC dc, const TPreviewPicture& picture, int width, int height,
                         const TPreviewStyle& style, int margin96) {
  if (picture.Shapes.empty()) return;
  const TPreviewFit fit = FitPicture(picture, width, height, ScaleToDpi(margin96, style.Dpi));
  const int penWidth = std::max(1, ScaleToDpi(1, style.Dpi));
  const int arm = ScaleToDpi(kMeasuredArm, style.Dpi);
  const int saved = SaveDC(dc);
  SetBkMode(dc, TRANSPARENT);
  HPEN ink = CreatePen(PS_SOLID, penWidth, kInk);
  HPEN dotted = CreatePen(PS_DOT, 1, kTextBox);  // dots exist for one-pixel pens only
  HPEN red = CreatePen(PS_SOLID, penWidth, kMeasured);
  HPEN faint = CreatePen(PS_SOLID, penWidth, kFaint);
  HBRUSH fill = CreateSolidBrush(kInk);
  HGDIOBJ hollow = GetStockObject(NULL_BRUSH);
  for (const TPreviewShape& s : picture.Shapes) {
    if (s.Points.empty()) continue;
    const std::vector<POINT> p = Pixels(fit, s.Points);
    const int n = static_cast<int>(p.size());
    switch (s.Kind) {
      case TPreviewShapeKind::Line:
        if (n < 2) break;
        SelectObject(dc, ink);
        MoveToEx(dc, p[0].x, p[0].y, nullptr);
        LineTo(dc, p[1].x, p[1].y);
        SetPixelV(dc, p[1].x, p[1].y, kInk);  // LineTo leaves out the end point
        break;
      case TPreviewShapeKind::Polyline:
        SelectObject(dc, ink);
        Polyline(dc, p.data(), n);
        break;
      case TPreviewShapeKind::Polygon:
      case TPreviewShapeKind::FilledPolygon:
        SelectObject(dc, ink);
        SelectObject(dc, s.Kind == TPreviewShapeKind::FilledPolygon ? static_cast<HGDIOBJ>(fill) : hollow);
        Polygon(dc, p.data(), n);
        break;
      case TPreviewShapeKind::Circle:
      case TPreviewShapeKind::FilledCircle: {
        const int r = std::max(1, static_cast<int>(std::lround(s.Radius * fit.Scale)));
        SelectObject(dc, ink);
        SelectObject(dc, s.Kind == TPreviewShapeKind::FilledCircle ? static_cast<HGDIOBJ>(fill) : hollow);
        Ellipse(dc, p[0].x - r, p[0].y - r, p[0].x + r + 1, p[0].y + r + 1);
        break;
      }
      case TPreviewShapeKind::PickedCircle: {
        const int r = std::max(1, static_cast<int>(std::lround(s.Radius * fit.Scale)));
        SelectObject(dc, faint);
        SelectObject(dc, hollow);
        Ellipse(dc, p[0].x - r, p[0].y - r, p[0].x + r + 1, p[0].y + r + 1);
        break;
      }
      case TPreviewShapeKind::TextBox:
        SelectObject(dc, dotted);
        SelectObject(dc, hollow);
        Polygon(dc, p.data(), n);
        break;
      case TPreviewShapeKind::Text: PaintText(dc, fit, s, style); break;
      case TPreviewShapeKind::PickedArc:
        if (n < 2) break;
        SelectObject(dc, faint);
        Polyline(dc, p.data(), n);
        break;
      case TPreviewShapeKind::LastLine:
      case TPreviewShapeKind::PickedLine:
        if (n < 2) break;
        SelectObject(dc, faint);
        MoveToEx(dc, p[0].x, p[0].y, nullptr);
        LineTo(dc, p[1].x, p[1].y);
        break;
      case TPreviewShapeKind::Measured:
      case TPreviewShapeKind::LastMeasured:
        SelectObject(dc, s.Kind == TPreviewShapeKind::Measured ? red : faint);
        MoveToEx(dc, p[0].x - arm, p[0].y - arm, nullptr);
        LineTo(dc, p[0].x + arm + 1, p[0].y + arm + 1);
        MoveToEx(dc, p[0].x - arm, p[0].y + arm, nullptr);
        LineTo(dc, p[0].x + arm + 1, p[0].y - arm - 1);
        break;
    }
  }
  RestoreDC(dc, saved);
  DeleteObject(ink);
  DeleteObject(dotted);
  DeleteObject(red);
  DeleteObject(faint);
  DeleteObject(fill);
}

void PaintMarkerItem(HDC dc, const RECT& box, int item, const std::wstring& text, TMarkerItemState state,
                     const TPreviewStyle& style) {
  const int saved = SaveDC(dc);
  const bool selected = state.Selected && !state.Disabled;
  const COLORREF back = GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW);
  const COLORREF ink = GetSysColor(state.Disabled ? COLOR_GRAYTEXT
                                   : selected     ? COLOR_HIGHLIGHTTEXT
                                                  : COLOR_WINDOWTEXT);
  HBRUSH brush = CreateSolidBrush(back);
  FillRect(dc, &box, brush);
  DeleteObject(brush);
  const int height = box.bottom - box.top;
  // In the narrow field the shape gets a square, in the open list twice that.
  const int shapeWidth = state.InField ? height : 2 * height;
  // The shape on a white ground of its own, so that it reads the same when highlighted.
  if (item >= 0) {
    const int inset = std::max(1, ScaleToDpi(1, style.Dpi));
    RECT ground{box.left + inset, box.top + inset, box.left + shapeWidth - inset, box.bottom - inset};
    FillRect(dc, &ground, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    POINT origin{};
    OffsetViewportOrgEx(dc, ground.left, ground.top, &origin);
    PaintPreviewPicture(dc, MarkerPicture(item), ground.right - ground.left, ground.bottom - ground.top,
                        style, 2);
    SetViewportOrgEx(dc, origin.x, origin.y, nullptr);
  }
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ink);
  RECT textBox{box.left + shapeWidth + ScaleToDpi(3, style.Dpi), box.top, box.right, box.bottom};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &textBox,
            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_LEFT);
  if (!state.InField && item > 0) {
    const std::wstring code = L"(" + std::to_wstring(item) + L")";
    RECT codeBox{box.left, box.top, box.right - ScaleToDpi(3, style.Dpi), box.bottom};
    DrawTextW(dc, code.c_str(), static_cast<int>(code.size()), &codeBox,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_RIGHT);
  }
  RestoreDC(dc, saved);
}
