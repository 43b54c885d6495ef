// JwwRecords.h: the entity records of the exchange state (included by JwwGaibu.h).
//
// Entities read from a large file share their attributes: a record stores a 4-byte number of
// its attribute state (group, layer, colour, ...): the state itself when its numbers are small,
// else its index in a table of the distinct states; and a text
// record the number of its text style (code, type, sizes, font) in a table of its own, with the
// text's kind in the number. The
// order of the entities keeps one byte per entity, its kind. Reading a list gives full records
// (TJwwEntLine, ...), with the shared parts filled in, so that nothing that reads records needs
// to know how they are stored.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "JwwList.h"

// The attribute integers of an entity read: the shared state a record refers to. A point's
// Colour is the point colour and a text's the colour of its text size.
struct TJwwAttrHead {
  int32_t HhpNo, Group, Layer, Colour, LineType, LineWidth, ZFlags;
};

// A string kept in the state's string pool (JwwState::Strings): records stay small and
// trivially copyable. Read it with JwwStr(state, ref).
struct TJwwStrRef {
  uint32_t Offset, Length;
};

// The style of a text record, shared by the texts read under the same text attributes.
struct TJwwTextStyle {
  int32_t TextKind, TextCode, TextType;
  double Width, Height, Spacing;
  TJwwStrRef FontName;  // at most 255 bytes
};

// A record's head number: a state whose numbers are as small as drawings use is coded in the
// number itself (the top bit set, its fields packed below it), so that neither finding nor
// reading it touches a table; the number of any other state is the index of its table entry.
// Most files then never add a state to the table at all.
inline constexpr uint32_t kJwwHeadInline = 0x80000000u;
// The field widths of a coded state, in the order of TJwwAttrHead: pick number 0..1, group and
// layer 0..15, colour 0..255, line type 0..15, line width 0..31, Z flags 0..31.
inline constexpr int kJwwHeadBits[7] = {1, 4, 4, 8, 4, 5, 5};
// Where each field starts in a coded state: one after the other, filling the 31 bits.
inline constexpr int kJwwHeadAt[7] = {0, 1, 5, 9, 17, 21, 26};
static_assert([] {
  for (int i = 0; i < 6; ++i)
    if (kJwwHeadAt[i] + kJwwHeadBits[i] != kJwwHeadAt[i + 1]) return false;
  return kJwwHeadAt[6] + kJwwHeadBits[6] == 31;
}());

// The number coding HEAD itself, or 0 (a table index, never a coded state) when a field does not
// fit. Without a branch: whether states fit changes from entity to entity.
inline uint32_t JwwHeadCode(const TJwwAttrHead& h) {
  uint32_t code = kJwwHeadInline, over = 0;
  const auto put = [&](int32_t x, int i) {
    const auto u = static_cast<uint32_t>(x);  // a negative field becomes too large to fit
    over |= u >> kJwwHeadBits[i];
    code |= u << kJwwHeadAt[i];
  };
  put(h.HhpNo, 0);
  put(h.Group, 1);
  put(h.Layer, 2);
  put(h.Colour, 3);
  put(h.LineType, 4);
  put(h.LineWidth, 5);
  put(h.ZFlags, 6);
  return over ? 0 : code;
}

// The state a coded number holds.
inline TJwwAttrHead JwwHeadOfCode(uint32_t code) {
  const auto get = [code](int i) {
    return static_cast<int32_t>((code >> kJwwHeadAt[i]) & ((1u << kJwwHeadBits[i]) - 1));
  };
  return TJwwAttrHead{get(0), get(1), get(2), get(3), get(4), get(5), get(6)};
}

// Finding a state that is not coded in its number, or a style, in its table: the few found last,
// else an open-addressing index of the table by hash, which keeps at most half of its slots used
// and doubles as the table grows.
template <class T>
struct TJwwTableIndex {
  static constexpr uint32_t kEmpty = UINT32_MAX;
  struct TRecent {
    T Value;
    uint32_t No;
  };
  std::array<TRecent, 4> Recent{};  // newest first
  std::vector<uint32_t> Slots;
};

// A text record's style number: texts of all kinds take turns under the same attributes, so the
// kind is kept in the number's top four bits (one more than the kind; 0 for the kind of the
// entry) and the entry holds the rest of the style, with kind 0.
inline constexpr int kJwwStyleKindShift = 28;
inline constexpr uint32_t kJwwStyleIndexMask = (1u << kJwwStyleKindShift) - 1;

// The shared tables the records refer to by number. An entity whose state (or style) is in the
// table takes its number; any other state is added, unless its number codes it. So the tables
// grow with the distinct attribute states of the file, never with its entities. Entry 0 of each
// is all zeros: what a zero-filled record reads as.
struct TJwwRecordTables {
  TJwwList<TJwwAttrHead> Heads;
  TJwwList<TJwwTextStyle> Styles;
  // Entities of different kinds take turns between a few states: a point takes the point colour,
  // a text the colour of its size.
  TJwwTableIndex<TJwwAttrHead> HeadIndex;
  TJwwTableIndex<TJwwTextStyle> StyleIndex;
  std::array<TJwwStrRef, 4> LastFonts{};  // the fonts pooled last, newest first

  TJwwRecordTables() { Clear(); }
  void Clear();  // back to entry 0 only
  // The tables never pass INT32_MAX entries, so every number below kJwwHeadInline is an index.
  TJwwAttrHead Head(uint32_t no) const {
    return no & kJwwHeadInline ? JwwHeadOfCode(no) : Heads[static_cast<int32_t>(no)];
  }
  TJwwTextStyle Style(uint32_t no) const {
    TJwwTextStyle s = Styles[static_cast<int32_t>(no & kJwwStyleIndexMask)];
    if (no >> kJwwStyleKindShift) s.TextKind = static_cast<int32_t>(no >> kJwwStyleKindShift) - 1;
    return s;
  }
};

// ---- Full records, as reading a list gives them ------------------------------------------------

struct TJwwEntLine {
  TJwwAttrHead Head;
  int32_t PolylineNo;
  double X1, Y1, X2, Y2;
};
struct TJwwEntCircle {
  TJwwAttrHead Head;
  double X, Y, Radius;
};
struct TJwwEntArc {
  TJwwAttrHead Head;
  double X, Y, Radius, Value4, Value5, Value6, Value7;
};
// An arc's fields as the host means them ("ci X Y R A1 A2 F T"): the start and end angles in
// degrees, counter-clockwise and measured from the tilt; the flatness (1 for a circular arc); the
// tilt in degrees.
inline double JwwArcStart(const TJwwEntArc& a) { return a.Value4; }
inline double JwwArcEnd(const TJwwEntArc& a) { return a.Value5; }
inline double JwwArcFlatness(const TJwwEntArc& a) { return a.Value6; }
inline double JwwArcTilt(const TJwwEntArc& a) { return a.Value7; }
inline bool JwwArcIsCircular(const TJwwEntArc& a) { return a.Value6 == 1.0; }
struct TJwwEntPoint {
  TJwwAttrHead Head;
  double X, Y;
};
struct TJwwEntPointEx {
  TJwwAttrHead Head;
  double X, Y, Scale, Angle;
  int32_t Code;
};
struct TJwwEntText {
  TJwwAttrHead Head;
  int32_t TextKind, TextCode, TextType;
  double Width, Height, Spacing, X, Y, DirX, DirY;
  TJwwStrRef FontName, Text;  // each at most 255 bytes
};
struct TJwwEntMsg {
  TJwwEntLine Line;
  TJwwEntText Text;
};
struct TJwwEntBlk {
  TJwwAttrHead Head;
  double X, Y;
  TJwwStrRef Name;  // any length
};
struct TJwwEntSolid2 {
  TJwwAttrHead Head;
  int32_t SolidColour;
  double X1, Y1, X2, Y2;
};
struct TJwwEntSolid3 {
  TJwwAttrHead Head;
  int32_t SolidColour;
  double X1, Y1, X2, Y2, X3, Y3;
};
struct TJwwEntSolid4 {
  TJwwAttrHead Head;
  int32_t SolidColour;
  double X1, Y1, X2, Y2, X3, Y3, X4, Y4;
};
struct TJwwEntSolidSc {  // also the record of "se"
  TJwwAttrHead Head;
  int32_t SolidColour;
  double Values[7];  // Values 1 to 7 at [0]..[6]
  int32_t Code;
};
struct TJwwEntSolidSo {  // also the record of "sg"
  TJwwAttrHead Head;
  int32_t SolidColour;
  double Values[8];  // Values 1 to 8 at [0]..[7]
};
using TJwwEntSolidSe = TJwwEntSolidSc;
using TJwwEntSolidSg = TJwwEntSolidSo;

// ---- Stored records: the full ones with a head number for the head -----------------------------

struct TJwwRecLine {
  uint32_t HeadNo;
  int32_t PolylineNo;
  double X1, Y1, X2, Y2;
};
struct TJwwRecCircle {
  uint32_t HeadNo;
  double X, Y, Radius;
};
struct TJwwRecArc {
  uint32_t HeadNo;
  double X, Y, Radius, Value4, Value5, Value6, Value7;
};
struct TJwwRecPoint {
  uint32_t HeadNo;
  double X, Y;
};
struct TJwwRecPointEx {
  uint32_t HeadNo;
  int32_t Code;
  double X, Y, Scale, Angle;
};
struct TJwwRecText {
  uint32_t HeadNo, StyleNo;
  double X, Y, DirX, DirY;
  TJwwStrRef Text;
};
struct TJwwRecMsg {  // the line keeps the head (attributes and Z flags) of its own line
  TJwwRecLine Line;
  TJwwRecText Text;
};
struct TJwwRecBlk {
  uint32_t HeadNo;
  TJwwStrRef Name;
  double X, Y;
};
struct TJwwRecSolid2 {
  uint32_t HeadNo;
  int32_t SolidColour;
  double X1, Y1, X2, Y2;
};
struct TJwwRecSolid3 {
  uint32_t HeadNo;
  int32_t SolidColour;
  double X1, Y1, X2, Y2, X3, Y3;
};
struct TJwwRecSolid4 {
  uint32_t HeadNo;
  int32_t SolidColour;
  double X1, Y1, X2, Y2, X3, Y3, X4, Y4;
};
struct TJwwRecSolidSc {
  uint32_t HeadNo;
  int32_t SolidColour;
  double Values[7];
  int32_t Code;
};
struct TJwwRecSolidSo {
  uint32_t HeadNo;
  int32_t SolidColour;
  double Values[8];
};

TJwwEntLine JwwView(const TJwwRecordTables& t, const TJwwRecLine& r);
TJwwEntCircle JwwView(const TJwwRecordTables& t, const TJwwRecCircle& r);
TJwwEntArc JwwView(const TJwwRecordTables& t, const TJwwRecArc& r);
TJwwEntPoint JwwView(const TJwwRecordTables& t, const TJwwRecPoint& r);
TJwwEntPointEx JwwView(const TJwwRecordTables& t, const TJwwRecPointEx& r);
TJwwEntText JwwView(const TJwwRecordTables& t, const TJwwRecText& r);
TJwwEntMsg JwwView(const TJwwRecordTables& t, const TJwwRecMsg& r);
TJwwEntBlk JwwView(const TJwwRecordTables& t, const TJwwRecBlk& r);
TJwwEntSolid2 JwwView(const TJwwRecordTables& t, const TJwwRecSolid2& r);
TJwwEntSolid3 JwwView(const TJwwRecordTables& t, const TJwwRecSolid3& r);
TJwwEntSolid4 JwwView(const TJwwRecordTables& t, const TJwwRecSolid4& r);
TJwwEntSolidSc JwwView(const TJwwRecordTables& t, const TJwwRecSolidSc& r);
TJwwEntSolidSo JwwView(const TJwwRecordTables& t, const TJwwRecSolidSo& r);

template <class Rec, class View>
using TJwwRecords = TJwwRecordList<Rec, View, TJwwRecordTables>;

// ---- The reading order -------------------------------------------------------------------------

// clang-format off
enum class TJwwEntityKind : int32_t {
  Line = 1, Circle, Arc, Text, Point, PointEx, Msg, Block, Solid2, Solid3, Solid4, SolidSc, SolidSe, SolidSo, SolidSg
};
// clang-format on
struct TJwwOrderItem {
  TJwwEntityKind Kind;
  int32_t Index;  // zero-based position in that kind's list
};

// The kind of each entity in reading order, one byte each; an item's index in its kind's list
// is the number of items of that kind before it, counted as the list is walked.
class TJwwOrderList {
 public:
  class iterator {
   public:
    explicit iterator(const uint8_t* p) : p_(p) {}
    TJwwOrderItem operator*() const { return TJwwOrderItem{static_cast<TJwwEntityKind>(*p_), seen_[*p_]}; }
    iterator& operator++() {
      ++seen_[*p_++];
      return *this;
    }
    bool operator!=(const iterator& o) const { return p_ != o.p_; }

   private:
    const uint8_t* p_;
    std::array<int32_t, 16> seen_{};
  };

  int32_t Count() const { return list_.Count(); }
  int32_t Capacity() const { return list_.Capacity(); }
  int64_t HeldBytes() const { return list_.HeldBytes(); }
  // Walks the items before I: for tests and single look-ups, not for loops.
  TJwwOrderItem operator[](int32_t i) const {
    iterator it(list_.begin());
    for (int32_t k = 0; k < i; ++k) ++it;
    return *it;
  }
  iterator begin() const { return iterator(list_.begin()); }
  iterator end() const { return iterator(list_.end()); }
  void Add(TJwwEntityKind kind) { list_.Add() = static_cast<uint8_t>(kind); }
  void ReserveAhead(int64_t n) { list_.ReserveAhead(n); }
  void Clear() { list_.Clear(); }

 private:
  TJwwList<uint8_t> list_;
};
