// The shared tables of the entity records: finding or adding an attribute state or a text style,
// and the full records completed from them.
#include <algorithm>
#include <bit>
#include <cstring>
#include <new>

#include "ReadRules.h"

namespace {

uint64_t Bits(double x) { return std::bit_cast<uint64_t>(x); }

bool Same(const TJwwAttrHead& a, const TJwwAttrHead& b) {
  return std::memcmp(&a, &b, sizeof a) == 0;  // seven int32_t, no padding
}

// Sizes compare bit for bit: -0 and 0 are different styles, which the records must tell apart.
bool Same(const TJwwTextStyle& a, const TJwwTextStyle& b) {
  return a.TextKind == b.TextKind && a.TextCode == b.TextCode && a.TextType == b.TextType &&
         Bits(a.Width) == Bits(b.Width) && Bits(a.Height) == Bits(b.Height) &&
         Bits(a.Spacing) == Bits(b.Spacing) && a.FontName.Offset == b.FontName.Offset &&
         a.FontName.Length == b.FontName.Length;
}

// The number of VALUE: one of the last few found, or a new entry. A look-up of every entry by
// hash would find more, but its misses of the cache cost more time than reading a line.
template <class T>
uint32_t Intern(TJwwList<T>& table, TJwwRecordTables::TLast& last, const T& value) {
  for (uint32_t n : last) {
    if (Same(table[static_cast<int32_t>(n)], value)) return n;
  }
  if (table.Count() == INT32_MAX) throw std::bad_alloc();
  const auto no = static_cast<uint32_t>(table.Count());
  table.Add() = value;
  std::copy_backward(last.begin(), last.end() - 1, last.end());
  last[0] = no;
  return no;
}

template <class T>
void Reset(TJwwList<T>& table) {
  table.Clear();
  table.Add();
}

}  // namespace

void TJwwRecordTables::Clear() {
  Reset(Heads);
  Reset(Styles);
  LastHeadNo = {};
  LastStyleNo = {};
  LastFonts = {};
}

uint32_t HeadNumberOf(TJwwRecordTables& t, const TJwwAttrHead& head) {
  return Intern(t.Heads, t.LastHeadNo, head);
}

uint32_t StyleNumberOf(TJwwRecordTables& t, const TJwwTextStyle& style) {
  return Intern(t.Styles, t.LastStyleNo, style);
}

// ---- Full records ------------------------------------------------------------------------------

TJwwEntLine JwwView(const TJwwRecordTables& t, const TJwwRecLine& r) {
  return {t.Head(r.HeadNo), r.PolylineNo, r.X1, r.Y1, r.X2, r.Y2};
}
TJwwEntCircle JwwView(const TJwwRecordTables& t, const TJwwRecCircle& r) {
  return {t.Head(r.HeadNo), r.X, r.Y, r.Radius};
}
TJwwEntArc JwwView(const TJwwRecordTables& t, const TJwwRecArc& r) {
  return {t.Head(r.HeadNo), r.X, r.Y, r.Radius, r.Value4, r.Value5, r.Value6, r.Value7};
}
TJwwEntPoint JwwView(const TJwwRecordTables& t, const TJwwRecPoint& r) {
  return {t.Head(r.HeadNo), r.X, r.Y};
}
TJwwEntPointEx JwwView(const TJwwRecordTables& t, const TJwwRecPointEx& r) {
  return {t.Head(r.HeadNo), r.X, r.Y, r.Scale, r.Angle, r.Code};
}
TJwwEntText JwwView(const TJwwRecordTables& t, const TJwwRecText& r) {
  const TJwwTextStyle& s = t.Style(r.StyleNo);
  return {t.Head(r.HeadNo), s.TextKind, s.TextCode, s.TextType, s.Width, s.Height, s.Spacing, r.X, r.Y,
          r.DirX,           r.DirY,     s.FontName, r.Text};
}
TJwwEntMsg JwwView(const TJwwRecordTables& t, const TJwwRecMsg& r) {
  return {JwwView(t, r.Line), JwwView(t, r.Text)};
}
TJwwEntBlk JwwView(const TJwwRecordTables& t, const TJwwRecBlk& r) {
  return {t.Head(r.HeadNo), r.X, r.Y, r.Name};
}
TJwwEntSolid2 JwwView(const TJwwRecordTables& t, const TJwwRecSolid2& r) {
  return {t.Head(r.HeadNo), r.SolidColour, r.X1, r.Y1, r.X2, r.Y2};
}
TJwwEntSolid3 JwwView(const TJwwRecordTables& t, const TJwwRecSolid3& r) {
  return {t.Head(r.HeadNo), r.SolidColour, r.X1, r.Y1, r.X2, r.Y2, r.X3, r.Y3};
}
TJwwEntSolid4 JwwView(const TJwwRecordTables& t, const TJwwRecSolid4& r) {
  return {t.Head(r.HeadNo), r.SolidColour, r.X1, r.Y1, r.X2, r.Y2, r.X3, r.Y3, r.X4, r.Y4};
}
TJwwEntSolidSc JwwView(const TJwwRecordTables& t, const TJwwRecSolidSc& r) {
  TJwwEntSolidSc e{t.Head(r.HeadNo), r.SolidColour, {}, r.Code};
  std::memcpy(e.Values, r.Values, sizeof e.Values);
  return e;
}
TJwwEntSolidSo JwwView(const TJwwRecordTables& t, const TJwwRecSolidSo& r) {
  TJwwEntSolidSo e{t.Head(r.HeadNo), r.SolidColour, {}};
  std::memcpy(e.Values, r.Values, sizeof e.Values);
  return e;
}
