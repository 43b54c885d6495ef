// The entities the host handed over for a prompt that picks one (#1ln, #1ci): the host writes
// them after "hhp1ln" / "hhp1ci", so the reader stamps them with pick number 1.
#include <cmath>

#include "Dimension.h"

namespace {

constexpr int32_t kFirstPick = 1;

}  // namespace

std::optional<TJwwEntLine> PickedLine(const JwwState& host, int32_t pick) {
  for (const TJwwEntLine& l : host.Lines) {
    if (l.Head.HhpNo == pick) return l;
  }
  return std::nullopt;
}

TRefusal PickedCircle(const JwwState& host, TPointD& c, double& r) {
  // The first circle or arc in the order the host wrote them, whichever list it is in.
  for (const TJwwOrderItem item : host.EntityOrder) {
    if (item.Kind == TJwwEntityKind::Circle) {
      const TJwwEntCircle e = host.Circles[item.Index];
      if (e.Head.HhpNo != kFirstPick) continue;
      c = {e.X, e.Y};
      r = e.Radius;
      return TRefusal::None;
    }
    if (item.Kind == TJwwEntityKind::Arc) {
      const TJwwEntArc e = host.Arcs[item.Index];
      if (e.Head.HhpNo != kFirstPick) continue;
      c = {e.X, e.Y};
      r = e.Radius;
      // Value6 is the flatness: 1 for a circular arc, anything else an ellipse's.
      return e.Value6 == 1.0 ? TRefusal::None : TRefusal::Ellipse;
    }
  }
  return TRefusal::NoCircle;
}

TRefusal PickedArc(const JwwState& host, TPointD& c, double& r, double& start, double& end) {
  for (const TJwwOrderItem item : host.EntityOrder) {
    if (item.Kind == TJwwEntityKind::Circle && host.Circles[item.Index].Head.HhpNo == kFirstPick)
      return TRefusal::NoArc;
    if (item.Kind != TJwwEntityKind::Arc) continue;
    const TJwwEntArc e = host.Arcs[item.Index];
    if (e.Head.HhpNo != kFirstPick) continue;
    if (e.Value6 != 1.0) return TRefusal::Ellipse;
    // An arc whose ends meet is a whole circle: it has no length to give.
    const double span = std::fmod(e.Value5 - e.Value4, 360.0);
    if (!std::isfinite(span) || span == 0.0) return TRefusal::NoArc;
    c = {e.X, e.Y};
    r = e.Radius;
    start = e.Value4;
    end = e.Value5;
    return TRefusal::None;
  }
  return TRefusal::NoArc;
}
