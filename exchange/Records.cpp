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

// Hashes of a state and of a style, spread over all bits; equal values (as Same sees them) hash
// equally.
uint64_t Mix(uint64_t h, uint64_t x) { return (h ^ x) * 0x9E3779B97F4A7C15ull; }

uint64_t Hash(const TJwwAttrHead& a) {
  uint64_t h = 0;
  for (int32_t x : {a.HhpNo, a.Group, a.Layer, a.Colour, a.LineType, a.LineWidth, a.ZFlags})
    h = Mix(h, static_cast<uint32_t>(x));
  return h;
}

uint64_t Hash(const TJwwTextStyle& s) {
  uint64_t h = Mix(Mix(0, static_cast<uint32_t>(s.TextKind)), static_cast<uint32_t>(s.TextCode));
  h = Mix(h, static_cast<uint32_t>(s.TextType));
  for (double x : {s.Width, s.Height, s.Spacing}) h = Mix(h, Bits(x));
  return Mix(h, uint64_t{s.FontName.Offset} << 32 | s.FontName.Length);
}

// The slot of VALUE in the index: the one that holds its number, or the empty one where it goes.
template <class T>
std::size_t Find(const TJwwList<T>& table, const TJwwTableIndex<T>& index, const T& value) {
  const std::size_t mask = index.Slots.size() - 1;
  std::size_t i = static_cast<std::size_t>(Hash(value) >> 32) & mask;
  while (index.Slots[i] != index.kEmpty && !Same(table[static_cast<int32_t>(index.Slots[i])], value))
    i = (i + 1) & mask;
  return i;
}

// Indexes every entry of TABLE again, in SLOTS slots (a power of two).
template <class T>
void Rebuild(const TJwwList<T>& table, TJwwTableIndex<T>& index, std::size_t slots) {
  index.Slots.assign(slots, index.kEmpty);
  for (int32_t n = 0; n < table.Count(); ++n)
    index.Slots[Find(table, index, table[n])] = static_cast<uint32_t>(n);
}

// Adds VALUE to TABLE and returns its number. Added to the table first: when that runs out of
// memory, the index still holds only entries.
template <class T>
uint32_t Add(TJwwList<T>& table, const T& value) {
  if (table.Count() == INT32_MAX) throw std::bad_alloc();
  table.Add() = value;
  return static_cast<uint32_t>(table.Count() - 1);
}

// The number of VALUE in TABLE, added when new (the index doubled when it is half full).
template <class T>
uint32_t Intern(TJwwList<T>& table, TJwwTableIndex<T>& index, const T& value) {
  auto& recent = index.Recent;
  for (std::size_t r = 0; r < recent.size(); ++r) {
    if (Same(recent[r].Value, value)) {
      const auto found = recent[r];
      std::copy_backward(recent.begin(), recent.begin() + static_cast<std::ptrdiff_t>(r),
                         recent.begin() + static_cast<std::ptrdiff_t>(r) + 1);
      recent[0] = found;
      return found.No;
    }
  }
  uint32_t& slot = index.Slots[Find(table, index, value)];
  uint32_t no = slot;
  if (no == index.kEmpty) {
    no = Add(table, value);
    slot = no;
    if (static_cast<std::size_t>(table.Count()) * 2 > index.Slots.size())
      Rebuild(table, index, index.Slots.size() * 2);
  }
  std::copy_backward(recent.begin(), recent.end() - 1, recent.end());
  recent[0] = {value, no};
  return no;
}

template <class T>
void Reset(TJwwList<T>& table, TJwwTableIndex<T>& index) {
  table.Clear();
  table.Add();
  index.Recent = {};
  Rebuild(table, index, 16);
}

}  // namespace

void TJwwRecordTables::Clear() {
  Reset(Heads, HeadIndex);
  Reset(Styles, StyleIndex);
  LastFonts = {};
}

uint32_t TableHeadNumber(TJwwRecordTables& t, const TJwwAttrHead& head) {
  return Intern(t.Heads, t.HeadIndex, head);
}

uint32_t StyleNumberOf(TJwwRecordTables& t, const TJwwTextStyle& style) {
  const auto kind = static_cast<uint32_t>(style.TextKind);
  const bool coded = kind < 15;  // the reader's kinds are 0..9
  TJwwTextStyle entry = style;
  if (coded) entry.TextKind = 0;
  const uint32_t no = Intern(t.Styles, t.StyleIndex, entry);
  // A table of more styles than the number holds: as if memory ran out (hundreds of millions of
  // texts, each of its own size).
  if (no > kJwwStyleIndexMask) throw std::bad_alloc();
  return coded ? (kind + 1) << kJwwStyleKindShift | no : no;
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
  const TJwwTextStyle s = t.Style(r.StyleNo);
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
