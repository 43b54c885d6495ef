// SameState.h: whether two exchange states hold the same, compared field by field: every member
// the JSON dump (--dump) shows, with every field of its records and values, reals bit for bit and
// texts byte for byte, records as they read back (their attributes and pooled texts looked up), so
// the numbering inside the shared tables and the pool's layout do not count. Far cheaper than comparing two
// dumps, which is what lets the fuzz targets run many inputs a second.
//
// Each record lists its fields once (Fields below); a record that gains a field no longer has as
// many fields as its list, and the comparison stops compiling until the field is listed.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <string>
#include <tuple>
#include <type_traits>
#include <utility>
#include <vector>

#include "JwwGaibu.h"

namespace samestate {

inline auto Fields(const TJwwTextType& t) { return std::tie(t.Width, t.Height, t.Spacing, t.Colour); }
inline auto Fields(const TJwwPickedPoint& p) { return std::tie(p.Used, p.X, p.Y, p.Kind, p.Numeric); }
inline auto Fields(const TJwwAttrHead& h) {
  return std::tie(h.HhpNo, h.Group, h.Layer, h.Colour, h.LineType, h.LineWidth, h.ZFlags);
}
inline auto Fields(const TJwwEntLine& e) { return std::tie(e.Head, e.PolylineNo, e.X1, e.Y1, e.X2, e.Y2); }
inline auto Fields(const TJwwEntCircle& e) { return std::tie(e.Head, e.X, e.Y, e.Radius); }
inline auto Fields(const TJwwEntArc& e) {
  return std::tie(e.Head, e.X, e.Y, e.Radius, e.Value4, e.Value5, e.Value6, e.Value7);
}
inline auto Fields(const TJwwEntPoint& e) { return std::tie(e.Head, e.X, e.Y); }
inline auto Fields(const TJwwEntPointEx& e) { return std::tie(e.Head, e.X, e.Y, e.Scale, e.Angle, e.Code); }
inline auto Fields(const TJwwEntText& e) {
  return std::tie(e.Head, e.TextKind, e.TextCode, e.TextType, e.Width, e.Height, e.Spacing, e.X, e.Y, e.DirX,
                  e.DirY, e.FontName, e.Text);
}
inline auto Fields(const TJwwEntMsg& e) { return std::tie(e.Line, e.Text); }
inline auto Fields(const TJwwEntBlk& e) { return std::tie(e.Head, e.X, e.Y, e.Name); }
inline auto Fields(const TJwwEntSolid2& e) { return std::tie(e.Head, e.SolidColour, e.X1, e.Y1, e.X2, e.Y2); }
inline auto Fields(const TJwwEntSolid3& e) {
  return std::tie(e.Head, e.SolidColour, e.X1, e.Y1, e.X2, e.Y2, e.X3, e.Y3);
}
inline auto Fields(const TJwwEntSolid4& e) {
  return std::tie(e.Head, e.SolidColour, e.X1, e.Y1, e.X2, e.Y2, e.X3, e.Y3, e.X4, e.Y4);
}
inline auto Fields(const TJwwEntSolidSc& e) { return std::tie(e.Head, e.SolidColour, e.Values, e.Code); }
inline auto Fields(const TJwwEntSolidSo& e) { return std::tie(e.Head, e.SolidColour, e.Values); }
inline auto Fields(const TJwwOrderItem& e) { return std::tie(e.Kind, e.Index); }
inline auto Fields(const TJwwOutputSlot& s) { return std::tie(s.Text, s.JoinNext); }
inline auto Fields(const TJwwFirstAttributes& f) {
  return std::tie(f.FirstGroup, f.FirstLayer, f.FirstLineColour, f.FirstLineType, f.FirstLineWidth,
                  f.FirstTextType, f.FirstFreeText, f.FirstFontName);
}

// The number of members of the aggregate T: the most braced initializers it takes, one a member.
struct TAnyField {
  template <class T>
  operator T() const;  // never called: only asked whether it converts
};
template <class T, std::size_t N>
constexpr bool kTakes = []<std::size_t... I>(std::index_sequence<I...>) {
  return requires { T{{(static_cast<void>(I), TAnyField{})}...}; };
}
(std::make_index_sequence<N>{});
template <class T, std::size_t N = 0>
constexpr std::size_t FieldCount() {
  if constexpr (kTakes<T, N + 1>) return FieldCount<T, N + 1>();
  else return N;
}

template <class T>
concept Listed = requires(const T& t) {
  Fields(t);
};

class TSame {
 public:
  TSame(const JwwState& a, const JwwState& b) : a_(a), b_(b) {}

  bool operator()(double x, double y) const {
    return std::bit_cast<uint64_t>(x) == std::bit_cast<uint64_t>(y);
  }
  bool operator()(int32_t x, int32_t y) const { return x == y; }
  bool operator()(uint64_t x, uint64_t y) const { return x == y; }
  bool operator()(bool x, bool y) const { return x == y; }
  template <class E>
  requires std::is_enum_v<E>
  bool operator()(E x, E y) const { return x == y; }
  bool operator()(const std::string& x, const std::string& y) const { return x == y; }
  bool operator()(TJwwStrRef x, TJwwStrRef y) const { return JwwStr(a_, x) == JwwStr(b_, y); }
  template <class T, std::size_t N>
  bool operator()(const T (&x)[N], const T (&y)[N]) const {
    for (std::size_t i = 0; i < N; ++i)
      if (!(*this)(x[i], y[i])) return false;
    return true;
  }
  template <class T>
  bool operator()(const std::vector<T>& x, const std::vector<T>& y) const {
    if (x.size() != y.size()) return false;
    for (std::size_t i = 0; i < x.size(); ++i)
      if (!(*this)(x[i], y[i])) return false;
    return true;
  }
  template <Listed T>
  bool operator()(const T& x, const T& y) const {
    constexpr std::size_t kListed = std::tuple_size_v<decltype(Fields(x))>;
    static_assert(FieldCount<T>() == kListed, "a field of this record is missing from its Fields");
    return Each(Fields(x), Fields(y), std::make_index_sequence<kListed>{});
  }

  // A list of records or the reading order, item by item as it reads back.
  template <class L>
  bool List(const L& x, const L& y) const {
    if (x.Count() != y.Count()) return false;
    auto j = y.begin();
    for (auto i = x.begin(); i != x.end(); ++i, ++j)
      if (!(*this)(*i, *j)) return false;
    return true;
  }

 private:
  template <class X, class Y, std::size_t... I>
  bool Each(const X& x, const Y& y, std::index_sequence<I...>) const {
    return ((*this)(std::get<I>(x), std::get<I>(y)) && ...);
  }

  const JwwState& a_;
  const JwwState& b_;
};

}  // namespace samestate

// Every member the dump shows, in its order.
inline bool SameState(const JwwState& a, const JwwState& b) {
  const samestate::TSame same(a, b);
  return same(a.AxisAngle, b.AxisAngle) && same(a.GroupScale, b.GroupScale) &&
         same(a.SheetWidth, b.SheetWidth) && same(a.SheetHeight, b.SheetHeight) &&
         same(a.TextTypes, b.TextTypes) && same(a.BzFlag, b.BzFlag) && same(a.HnValues, b.HnValues) &&
         same(a.DrawingFileName, b.DrawingFileName) &&
         same(static_cast<const TJwwFirstAttributes&>(a), static_cast<const TJwwFirstAttributes&>(b)) &&
         same(a.CurGroup, b.CurGroup) && same(a.CurLayer, b.CurLayer) &&
         same(a.CurLineColour, b.CurLineColour) && same(a.CurLineType, b.CurLineType) &&
         same(a.CurLineWidth, b.CurLineWidth) && same(a.CurTextType, b.CurTextType) &&
         same(a.CurFreeText, b.CurFreeText) && same(a.CurTextCode, b.CurTextCode) &&
         same(a.CurFontName, b.CurFontName) && same(a.CurPointColour, b.CurPointColour) &&
         same(a.CurSolidColour, b.CurSolidColour) && same(a.AttrPending, b.AttrPending) &&
         same(a.PickedPoints, b.PickedPoints) && same(a.PickedCount, b.PickedCount) &&
         same(a.NonNumericPicks, b.NonNumericPicks) && same(a.GroupValues, b.GroupValues) &&
         same(a.GroupNames, b.GroupNames) && same(a.LayerValues, b.LayerValues) &&
         same(a.LayerNames, b.LayerNames) && same(a.CurHhpNo, b.CurHhpNo) && same(a.CurZFlags, b.CurZFlags) &&
         same(a.PolylineCount, b.PolylineCount) && same(a.InPolyline, b.InPolyline) &&
         same(a.InMessage, b.InMessage) && same(a.CurMessageLine, b.CurMessageLine) &&
         same.List(a.Lines, b.Lines) && same.List(a.Circles, b.Circles) && same.List(a.Arcs, b.Arcs) &&
         same.List(a.Texts, b.Texts) && same.List(a.Points, b.Points) && same.List(a.PointsEx, b.PointsEx) &&
         same.List(a.Messages, b.Messages) && same.List(a.Blocks, b.Blocks) &&
         same.List(a.Solids2, b.Solids2) && same.List(a.Solids3, b.Solids3) &&
         same.List(a.Solids4, b.Solids4) && same.List(a.SolidsSc, b.SolidsSc) &&
         same.List(a.SolidsSe, b.SolidsSe) && same.List(a.SolidsSo, b.SolidsSo) &&
         same.List(a.SolidsSg, b.SolidsSg) && same.List(a.EntityOrder, b.EntityOrder) &&
         same(a.OutputCount, b.OutputCount) && same(a.OutputLines, b.OutputLines);
}
