// RecordFields.h: the fields of the exchange records and of the state, listed once, for the code
// that walks them all: the JSON dump (--dump) and the fuzzers' comparison of two states.
//
// A record's table gives each field's name (the dump's key) and member, in the dump's order. The
// table names every member of its record once: JwwFieldsOf does not compile for a record with a
// member its table lacks or a table that names one twice, so a field added to a record cannot be
// left out of either. The reader does not include this header.
#pragma once

#include <cstddef>
#include <string_view>
#include <tuple>
#include <type_traits>
#include <utility>

#include "JwwGaibu.h"

// What a field holds beyond its type, which decides how the dump shows it; a comparison takes
// every field whole.
enum class TJwwForm {
  Whole,    // as its type says
  FromOne,  // a table whose entry 0 is unused: shown from entry 1
  Slots,    // picked points by slot: shown are the used ones, each with its slot number first
  Bits,     // a mask of numbers 0..63: shown as the list of its set bits
  Unshown,  // compared, not in the dump, whose layout its golden files and readers hold fixed
};

template <class R, class M, TJwwForm Form>
struct TJwwField {
  using Type = M;
  static constexpr TJwwForm kForm = Form;
  std::string_view Name;
  M R::*Member;
};

template <TJwwForm Form = TJwwForm::Whole, class R, class M>
constexpr TJwwField<R, M, Form> JwwField(std::string_view name, M R::*member) {
  return {name, member};
}

// A record's table: TJwwFields<R>::kList, a tuple of fields. Only records have one.
template <class R>
struct TJwwFields;

template <class R>
concept JwwRecord = requires {
  TJwwFields<R>::kList;
};

// The number of members of the aggregate T: the most braced initializers it takes, one a member.
namespace jwwfields {
struct TAny {
  template <class T>
  operator T() const;  // never called: only asked whether it converts
};
template <class T, std::size_t N>
constexpr bool kTakes = []<std::size_t... I>(std::index_sequence<I...>) {
  return requires { T{{(static_cast<void>(I), TAny{})}...}; };
}
(std::make_index_sequence<N>{});
template <class T, std::size_t N = 0>
constexpr std::size_t MemberCount() {
  if constexpr (kTakes<T, N + 1>) return MemberCount<T, N + 1>();
  else return N;
}

// Whether no two fields of a table share a name or a member: with the count, that every member
// is listed once.
template <class A, class B>
constexpr bool SameField(const A& a, const B& b) {
  if (a.Name == b.Name) return true;
  if constexpr (std::is_same_v<decltype(a.Member), decltype(b.Member)>) return a.Member == b.Member;
  else return false;
}
template <class Table, class Field, std::size_t... I>
constexpr int Matches(const Table& t, const Field& f, std::index_sequence<I...>) {
  return (int{SameField(f, std::get<I>(t))} + ...);
}
template <class Table, std::size_t... I>
constexpr bool Distinct(const Table& t, std::index_sequence<I...> all) {
  return ((Matches(t, std::get<I>(t), all) == 1) && ...);
}
template <class Table>
constexpr bool Distinct(const Table& t) {
  return Distinct(t, std::make_index_sequence<std::tuple_size_v<Table>>{});
}
}  // namespace jwwfields

template <JwwRecord R>
constexpr const auto& JwwFieldsOf() {
  static_assert(jwwfields::MemberCount<R>() == std::tuple_size_v<decltype(TJwwFields<R>::kList)>,
                "a member of this record is missing from its table in RecordFields.h");
  static_assert(jwwfields::Distinct(TJwwFields<R>::kList), "a name or member is listed twice in this table");
  return TJwwFields<R>::kList;
}

// ---- The records -------------------------------------------------------------------------------

template <>
struct TJwwFields<TJwwTextType> {
  using R = TJwwTextType;
  static constexpr std::tuple kList{JwwField("Width", &R::Width), JwwField("Height", &R::Height),
                                    JwwField("Spacing", &R::Spacing), JwwField("Colour", &R::Colour)};
};

template <>
struct TJwwFields<TJwwPickedPoint> {
  using R = TJwwPickedPoint;
  static constexpr std::tuple kList{JwwField("Used", &R::Used), JwwField("X", &R::X), JwwField("Y", &R::Y),
                                    JwwField("Kind", &R::Kind),
                                    JwwField<TJwwForm::Unshown>("Numeric", &R::Numeric)};
};

template <>
struct TJwwFields<TJwwAttrHead> {
  using R = TJwwAttrHead;
  static constexpr std::tuple kList{JwwField("HhpNo", &R::HhpNo),       JwwField("Group", &R::Group),
                                    JwwField("Layer", &R::Layer),       JwwField("Colour", &R::Colour),
                                    JwwField("LineType", &R::LineType), JwwField("LineWidth", &R::LineWidth),
                                    JwwField("ZFlags", &R::ZFlags)};
};

template <>
struct TJwwFields<TJwwEntLine> {
  using R = TJwwEntLine;
  static constexpr std::tuple kList{JwwField("Head", &R::Head), JwwField("PolylineNo", &R::PolylineNo),
                                    JwwField("X1", &R::X1),     JwwField("Y1", &R::Y1),
                                    JwwField("X2", &R::X2),     JwwField("Y2", &R::Y2)};
};

template <>
struct TJwwFields<TJwwEntCircle> {
  using R = TJwwEntCircle;
  static constexpr std::tuple kList{JwwField("Head", &R::Head), JwwField("X", &R::X), JwwField("Y", &R::Y),
                                    JwwField("Radius", &R::Radius)};
};

template <>
struct TJwwFields<TJwwEntArc> {
  using R = TJwwEntArc;
  static constexpr std::tuple kList{JwwField("Head", &R::Head),     JwwField("X", &R::X),
                                    JwwField("Y", &R::Y),           JwwField("Radius", &R::Radius),
                                    JwwField("Value4", &R::Value4), JwwField("Value5", &R::Value5),
                                    JwwField("Value6", &R::Value6), JwwField("Value7", &R::Value7)};
};

template <>
struct TJwwFields<TJwwEntPoint> {
  using R = TJwwEntPoint;
  static constexpr std::tuple kList{JwwField("Head", &R::Head), JwwField("X", &R::X), JwwField("Y", &R::Y)};
};

template <>
struct TJwwFields<TJwwEntPointEx> {
  using R = TJwwEntPointEx;
  static constexpr std::tuple kList{JwwField("Head", &R::Head),   JwwField("X", &R::X),
                                    JwwField("Y", &R::Y),         JwwField("Scale", &R::Scale),
                                    JwwField("Angle", &R::Angle), JwwField("Code", &R::Code)};
};

template <>
struct TJwwFields<TJwwEntText> {
  using R = TJwwEntText;
  static constexpr std::tuple kList{JwwField("Head", &R::Head),
                                    JwwField("TextKind", &R::TextKind),
                                    JwwField("TextCode", &R::TextCode),
                                    JwwField("TextType", &R::TextType),
                                    JwwField("Width", &R::Width),
                                    JwwField("Height", &R::Height),
                                    JwwField("Spacing", &R::Spacing),
                                    JwwField("X", &R::X),
                                    JwwField("Y", &R::Y),
                                    JwwField("DirX", &R::DirX),
                                    JwwField("DirY", &R::DirY),
                                    JwwField("FontName", &R::FontName),
                                    JwwField("Text", &R::Text)};
};

template <>
struct TJwwFields<TJwwEntMsg> {
  using R = TJwwEntMsg;
  static constexpr std::tuple kList{JwwField("Line", &R::Line), JwwField("Text", &R::Text)};
};

template <>
struct TJwwFields<TJwwEntBlk> {
  using R = TJwwEntBlk;
  static constexpr std::tuple kList{JwwField("Head", &R::Head), JwwField("X", &R::X), JwwField("Y", &R::Y),
                                    JwwField("Name", &R::Name)};
};

template <>
struct TJwwFields<TJwwEntSolid2> {
  using R = TJwwEntSolid2;
  static constexpr std::tuple kList{JwwField("Head", &R::Head), JwwField("SolidColour", &R::SolidColour),
                                    JwwField("X1", &R::X1),     JwwField("Y1", &R::Y1),
                                    JwwField("X2", &R::X2),     JwwField("Y2", &R::Y2)};
};

template <>
struct TJwwFields<TJwwEntSolid3> {
  using R = TJwwEntSolid3;
  static constexpr std::tuple kList{JwwField("Head", &R::Head), JwwField("SolidColour", &R::SolidColour),
                                    JwwField("X1", &R::X1),     JwwField("Y1", &R::Y1),
                                    JwwField("X2", &R::X2),     JwwField("Y2", &R::Y2),
                                    JwwField("X3", &R::X3),     JwwField("Y3", &R::Y3)};
};

template <>
struct TJwwFields<TJwwEntSolid4> {
  using R = TJwwEntSolid4;
  static constexpr std::tuple kList{JwwField("Head", &R::Head), JwwField("SolidColour", &R::SolidColour),
                                    JwwField("X1", &R::X1),     JwwField("Y1", &R::Y1),
                                    JwwField("X2", &R::X2),     JwwField("Y2", &R::Y2),
                                    JwwField("X3", &R::X3),     JwwField("Y3", &R::Y3),
                                    JwwField("X4", &R::X4),     JwwField("Y4", &R::Y4)};
};

template <>
struct TJwwFields<TJwwEntSolidSc> {  // also the record of "se"
  using R = TJwwEntSolidSc;
  static constexpr std::tuple kList{JwwField("Head", &R::Head), JwwField("SolidColour", &R::SolidColour),
                                    JwwField("Values", &R::Values), JwwField("Code", &R::Code)};
};

template <>
struct TJwwFields<TJwwEntSolidSo> {  // also the record of "sg"
  using R = TJwwEntSolidSo;
  static constexpr std::tuple kList{JwwField("Head", &R::Head), JwwField("SolidColour", &R::SolidColour),
                                    JwwField("Values", &R::Values)};
};

template <>
struct TJwwFields<TJwwOrderItem> {
  using R = TJwwOrderItem;
  static constexpr std::tuple kList{JwwField("Kind", &R::Kind), JwwField("Index", &R::Index)};
};

template <>
struct TJwwFields<TJwwOutputSlot> {
  using R = TJwwOutputSlot;
  static constexpr std::tuple kList{JwwField("Text", &R::Text), JwwField("JoinNext", &R::JoinNext)};
};

template <>
struct TJwwFields<TJwwFirstAttributes> {
  using R = TJwwFirstAttributes;
  static constexpr std::tuple kList{
      JwwField("FirstGroup", &R::FirstGroup),           JwwField("FirstLayer", &R::FirstLayer),
      JwwField("FirstLineColour", &R::FirstLineColour), JwwField("FirstLineType", &R::FirstLineType),
      JwwField("FirstLineWidth", &R::FirstLineWidth),   JwwField("FirstTextType", &R::FirstTextType),
      JwwField("FirstFreeText", &R::FirstFreeText),     JwwField("FirstFontName", &R::FirstFontName)};
};

// ---- The state ---------------------------------------------------------------------------------

// The members of JwwState the dump shows and a comparison compares, in the dump's order, the
// first-seen attributes among them as their own table lists them. The state is no aggregate and
// holds members of the reader's own (the shared tables, the string pool, the pooled current font)
// that the records' texts and heads are looked up in, so no count checks this list.
struct TJwwStateFields {
  using S = JwwState;
  static constexpr auto kList = std::tuple_cat(
      std::tuple{JwwField("AxisAngle", &S::AxisAngle), JwwField("GroupScale", &S::GroupScale),
                 JwwField("SheetWidth", &S::SheetWidth), JwwField("SheetHeight", &S::SheetHeight),
                 JwwField<TJwwForm::FromOne>("TextTypes", &S::TextTypes), JwwField("BzFlag", &S::BzFlag),
                 JwwField<TJwwForm::FromOne>("HnValues", &S::HnValues),
                 JwwField("DrawingFileName", &S::DrawingFileName)},
      JwwFieldsOf<TJwwFirstAttributes>(),
      std::tuple{JwwField("CurGroup", &S::CurGroup), JwwField("CurLayer", &S::CurLayer),
                 JwwField("CurLineColour", &S::CurLineColour), JwwField("CurLineType", &S::CurLineType),
                 JwwField("CurLineWidth", &S::CurLineWidth), JwwField("CurTextType", &S::CurTextType),
                 JwwField("CurFreeText", &S::CurFreeText), JwwField("CurTextCode", &S::CurTextCode),
                 JwwField("CurFontName", &S::CurFontName), JwwField("CurPointColour", &S::CurPointColour),
                 JwwField("CurSolidColour", &S::CurSolidColour),
                 JwwField<TJwwForm::FromOne>("AttrPending", &S::AttrPending)},
      std::tuple{JwwField<TJwwForm::Slots>("PickedPoints", &S::PickedPoints),
                 JwwField("PickedCount", &S::PickedCount),
                 JwwField<TJwwForm::Bits>("NonNumericPicks", &S::NonNumericPicks)},
      std::tuple{JwwField("GroupValues", &S::GroupValues), JwwField("GroupNames", &S::GroupNames),
                 JwwField("LayerValues", &S::LayerValues), JwwField("LayerNames", &S::LayerNames)},
      std::tuple{JwwField("CurHhpNo", &S::CurHhpNo), JwwField("CurZFlags", &S::CurZFlags),
                 JwwField("PolylineCount", &S::PolylineCount), JwwField("InPolyline", &S::InPolyline),
                 JwwField("InMessage", &S::InMessage), JwwField("CurMessageLine", &S::CurMessageLine)},
      std::tuple{JwwField("Lines", &S::Lines), JwwField("Circles", &S::Circles), JwwField("Arcs", &S::Arcs),
                 JwwField("Texts", &S::Texts), JwwField("Points", &S::Points),
                 JwwField("PointsEx", &S::PointsEx), JwwField("Messages", &S::Messages),
                 JwwField("Blocks", &S::Blocks), JwwField("Solids2", &S::Solids2),
                 JwwField("Solids3", &S::Solids3), JwwField("Solids4", &S::Solids4),
                 JwwField("SolidsSc", &S::SolidsSc), JwwField("SolidsSe", &S::SolidsSe),
                 JwwField("SolidsSo", &S::SolidsSo), JwwField("SolidsSg", &S::SolidsSg),
                 JwwField("EntityOrder", &S::EntityOrder)},
      std::tuple{JwwField("OutputCount", &S::OutputCount), JwwField("OutputLines", &S::OutputLines)});
};

inline constexpr const auto& JwwStateFields() {
  static_assert(jwwfields::Distinct(TJwwStateFields::kList), "a name or member of the state is listed twice");
  return TJwwStateFields::kList;
}
