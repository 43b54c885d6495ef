// Any byte sequence is a possible JWC_TEMP.TXT: reading it must not crash, and must leave a state
// whose order items and pooled strings all point inside their lists and pool.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "JwwGaibu.h"

namespace {

void Check(bool ok) {
  if (!ok) __builtin_trap();
}

void CheckRef(const JwwState& st, TJwwStrRef r, uint32_t limit) {
  Check(r.Length <= limit);
  Check(uint64_t{r.Offset} + r.Length <= st.Strings.size());
}

void CheckText(const JwwState& st, const TJwwEntText& t) {
  CheckRef(st, t.FontName, 255);
  CheckRef(st, t.Text, 255);
  Check(t.TextKind >= 0 && t.TextKind <= 9);
  Check(t.TextCode >= 0 && t.TextCode <= 8);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  JwwState st;
  JwwReadBuffer(st, std::string_view(reinterpret_cast<const char*>(data), size));

  int64_t records = 0;
  for (int32_t kind = static_cast<int32_t>(TJwwEntityKind::Line);
       kind <= static_cast<int32_t>(TJwwEntityKind::SolidSg); ++kind)
    records += JwwListCount(st, kind);
  Check(records == st.EntityOrder.Count());
  for (const TJwwOrderItem& o : st.EntityOrder)
    Check(o.Index >= 0 && o.Index < JwwListCount(st, static_cast<int32_t>(o.Kind)));
  for (const TJwwEntText& t : st.Texts) CheckText(st, t);
  for (const TJwwEntMsg& m : st.Messages) CheckText(st, m.Text);
  for (const TJwwEntBlk& b : st.Blocks) CheckRef(st, b.Name, UINT32_MAX);
  Check(st.CurGroup >= 0 && st.CurGroup <= 15 && st.CurLayer >= 0 && st.CurLayer <= 15);
  Check(st.PickedPoints.size() == 100 && !st.PickedPoints[0].Used);

  JwwResetCurrent(st);
  return 0;
}
