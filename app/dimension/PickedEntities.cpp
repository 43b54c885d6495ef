// The entities the host handed over for a prompt that picks one (#1ln, #1ci): the host writes
// them after "hhp1ln" / "hhp1ci", so the reader stamps them with pick number 1.
#include <cmath>

#include "Dimension.h"
#include "MyFunc.h"
#include "PickedEntities.h"

namespace {

constexpr int32_t kFirstPick = 1;

// Whether every number of the entity picked by `pick` was one (no "nan", "1,500", "1e400").
bool PickIsNumeric(const JwwState& host, int32_t pick) {
  return pick < 1 || pick > 63 || ((host.NonNumericPicks >> pick) & 1u) == 0;
}

}  // namespace

void ArcAngles(const TJwwEntArc& e, double& start, double& end) {
  start = NormalizeDeg(JwwArcStart(e) + JwwArcTilt(e));
  end = NormalizeDeg(JwwArcEnd(e) + JwwArcTilt(e));
}

std::optional<TJwwEntLine> PickedLine(const JwwState& host, int32_t pick) {
  for (const TJwwEntLine& l : host.Lines) {
    if (l.Head.HhpNo == pick) return l;
  }
  return std::nullopt;
}

TRefusal PickedLineRefusal(const JwwState& host, int32_t pick) {
  const std::optional<TJwwEntLine> l = PickedLine(host, pick);
  if (!l) return TRefusal::NoLine;
  return PickIsNumeric(host, pick) ? TRefusal::None : TRefusal::MissingPoint;
}

TRefusal PickedCircle(const JwwState& host, TDimensionInput& in) {
  if (!PickIsNumeric(host, kFirstPick)) return TRefusal::MissingPoint;
  // The first circle or arc in the order the host wrote them, whichever list it is in.
  for (const TJwwOrderItem item : host.EntityOrder) {
    if (item.Kind == TJwwEntityKind::Circle) {
      const TJwwEntCircle e = host.Circles[item.Index];
      if (e.Head.HhpNo != kFirstPick) continue;
      in.Centre = {e.X, e.Y};
      in.Radius = e.Radius;
      in.WholeCircle = true;
      return TRefusal::None;
    }
    if (item.Kind == TJwwEntityKind::Arc) {
      const TJwwEntArc e = host.Arcs[item.Index];
      if (e.Head.HhpNo != kFirstPick) continue;
      in.Centre = {e.X, e.Y};
      in.Radius = e.Radius;
      if (!JwwArcIsCircular(e)) return TRefusal::Ellipse;
      // An arc whose ends meet goes all the way round.
      const double span = std::fmod(JwwArcEnd(e) - JwwArcStart(e), 360.0);
      in.WholeCircle = span == 0.0;
      ArcAngles(e, in.ArcStart, in.ArcEnd);
      return TRefusal::None;
    }
  }
  return TRefusal::NoCircle;
}

TRefusal PickedArc(const JwwState& host, TDimensionInput& in) {
  if (!PickIsNumeric(host, kFirstPick)) return TRefusal::MissingPoint;
  for (const TJwwOrderItem item : host.EntityOrder) {
    if (item.Kind == TJwwEntityKind::Circle && host.Circles[item.Index].Head.HhpNo == kFirstPick)
      return TRefusal::NoArc;
    if (item.Kind != TJwwEntityKind::Arc) continue;
    const TJwwEntArc e = host.Arcs[item.Index];
    if (e.Head.HhpNo != kFirstPick) continue;
    if (!JwwArcIsCircular(e)) return TRefusal::Ellipse;
    // An arc whose ends meet is a whole circle: it has no length to give.
    const double span = std::fmod(JwwArcEnd(e) - JwwArcStart(e), 360.0);
    if (!std::isfinite(span) || span == 0.0) return TRefusal::NoArc;
    in.Centre = {e.X, e.Y};
    in.Radius = e.Radius;
    in.WholeCircle = false;
    ArcAngles(e, in.ArcStart, in.ArcEnd);
    return TRefusal::None;
  }
  return TRefusal::NoArc;
}
