// Turning points into the dimension's frame and back.
#include <cmath>

#include "MyFunc.h"
#include "Dimension.h"

namespace {

// P turned about C by q quarter turns counter-clockwise: exact, no sine or cosine involved.
TPointD QuarterTurns(TPointD p, TPointD c, int q) {
  const double dx = p.X - c.X, dy = p.Y - c.Y;
  switch (((q % 4) + 4) % 4) {
    case 1: return {c.X - dy, c.Y + dx};
    case 2: return {c.X - dx, c.Y - dy};
    case 3: return {c.X + dy, c.Y - dx};
    default: return p;
  }
}

// A base that is a whole number of quarter turns becomes quarter turns.
TFrameTurn Exact(double base, int quarter) {
  const double turns = base / 90.0;
  if (std::isfinite(turns) && turns == std::floor(turns) && std::fabs(turns) < 1e9)
    return {0.0, quarter + static_cast<int>(std::fmod(turns, 4.0)), false};
  return {base, quarter, true};
}

}  // namespace

TFrameTurn FrameTurn(const TDimensionInput& in) {
  switch (in.Direction) {
    case TDirection::Vertical: break;
    case TDirection::Horizontal: return Exact(in.AxisAngle, -1);
    case TDirection::Aligned: {
      // The dimension line runs from P1 towards P2 (coincident points give a zero length).
      const double along = VectorAngleDeg(in.Points[2].X - in.Points[1].X, in.Points[2].Y - in.Points[1].Y);
      return Exact(along, -1);
    }
  }
  // The vertical frame keeps the axis angle as it is, quarter turns included.
  return {in.AxisAngle, 0, true};
}

TPointD IntoFrame(TPointD p, TPointD c, const TFrameTurn& t) {
  TPointD r = p;
  if (t.Rotated) RotatePointDeg(p.X, p.Y, c.X, c.Y, -t.Base, r.X, r.Y);
  return QuarterTurns(r, c, -t.Quarter);
}

TPointD OutOfFrame(TPointD p, TPointD c, const TFrameTurn& t) {
  const TPointD q = QuarterTurns(p, c, t.Quarter);
  TPointD r = q;
  if (t.Rotated) RotatePointDeg(q.X, q.Y, c.X, c.Y, t.Base, r.X, r.Y);
  return r;
}
