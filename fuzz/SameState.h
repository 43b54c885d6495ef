// SameState.h: whether two exchange states hold the same, compared field by field: every member
// the state's table lists (RecordFields.h), with every field of its records and values, reals bit
// for bit and texts byte for byte, records as they read back (their attributes and pooled texts
// looked up), so the numbering inside the shared tables and the pool's layout do not count. Far
// cheaper than comparing two dumps, which is what lets the fuzz targets run many inputs a second.
//
// The tables list every field of every record (their member count is checked there), so a field
// added to a record is compared once it is in its table, and must be.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <string>
#include <tuple>
#include <type_traits>
#include <vector>

#include "JwwGaibu.h"
#include "RecordFields.h"

namespace samestate {

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
  template <JwwRecord T>
  bool operator()(const T& x, const T& y) const {
    return Fields(x, y, JwwFieldsOf<T>());
  }
  // A list of records or the reading order, item by item as it reads back.
  template <class L>
  requires requires(const L& l) { l.Count(); }
  bool operator()(const L& x, const L& y) const {
    if (x.Count() != y.Count()) return false;
    auto j = y.begin();
    for (auto i = x.begin(); i != x.end(); ++i, ++j)
      if (!(*this)(*i, *j)) return false;
    return true;
  }

  // X and Y field by field, as FIELDS list them.
  template <class R, class F>
  bool Fields(const R& x, const R& y, const F& fields) const {
    return std::apply([&](const auto&... f) { return ((*this)(x.*f.Member, y.*f.Member) && ...); }, fields);
  }

 private:
  const JwwState& a_;
  const JwwState& b_;
};

}  // namespace samestate

inline bool SameState(const JwwState& a, const JwwState& b) {
  return samestate::TSame(a, b).Fields(a, b, JwwStateFields());
}
