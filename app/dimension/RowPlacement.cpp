// Placing the values of a row: which stay on the line, and where the moved ones stand.
#include "RowPlacement.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

// Rows of moved values at the most, and how far each is taken (see PlacePlumb).
constexpr int kMaxRows = 4;
using TReach = std::array<double, kMaxRows + 1>;

// A moved value. On the first row its footprint (base line, and the room kept for its leader) is
// [Left + A, Left + B], Left being where its text starts.
struct TItem {
  std::size_t Seg = 0;
  double Middle = 0, Extent = 0, Height = 0, Length = 0;
  double A = 0, B = 0;
  double BaseLength = 0;         // its base line: the text and c at each end
  double Want = 0;               // where its text wants to start
  double Lo = -kInf, Hi = kInf;  // bounds of Left
  double Left = 0;
  int Row = 1;
  bool After = true;  // further rows: the text after its plumb leader (+x)
};

// Lefts of least total squared shift from Want that keep the order, the clearance c between
// neighbouring footprints, and the bounds: pool-adjacent violators on Left less the footprints
// before it, where each block takes its mean clamped to the bounds of its members. Returns the
// first index of each block.
std::vector<std::size_t> SolveInOrder(const std::vector<TItem*>& v, double apart) {
  struct TBlock {
    std::size_t First, Count;
    double Sum, Lo, Hi, Value;
  };
  const auto settle = [](TBlock& b) {
    b.Value = std::min(std::max(b.Sum / static_cast<double>(b.Count), b.Lo), b.Hi);
  };
  std::vector<TBlock> blocks;
  std::vector<double> offset(v.size());
  double off = 0;
  for (std::size_t k = 0; k < v.size(); ++k) {
    if (k > 0) off += v[k - 1]->B + apart - v[k]->A;
    offset[k] = off;
    TBlock b{k, 1, v[k]->Want - off, v[k]->Lo - off, v[k]->Hi - off, 0};
    settle(b);
    blocks.push_back(b);
    while (blocks.size() >= 2 && blocks[blocks.size() - 2].Value > blocks.back().Value) {
      const TBlock last = blocks.back();
      blocks.pop_back();
      TBlock& into = blocks.back();
      into.Count += last.Count;
      into.Sum += last.Sum;
      into.Lo = std::max(into.Lo, last.Lo);
      into.Hi = std::min(into.Hi, last.Hi);
      settle(into);
    }
  }
  std::vector<std::size_t> firsts;
  for (const TBlock& b : blocks) {
    firsts.push_back(b.First);
    for (std::size_t k = b.First; k < b.First + b.Count; ++k) v[k]->Left = b.Value + offset[k];
  }
  return firsts;
}

// A plumb value's footprint: its base line, from its leader on.
void PlumbFootprint(const TItem& it, bool after, double& left, double& right) {
  left = after ? it.Middle : it.Middle - it.BaseLength;
  right = after ? it.Middle + it.BaseLength : it.Middle;
}

// Puts `it` in row `row` (2 or further), plumb over its middle: its leader must clear what the
// rows it passes through hold, and its footprint what its own row holds, on the side the first row
// pushed it to, else on the other. Values are placed in segment order; reach[r] is how far row r is
// taken, by its footprints and by the leaders passing through it.
bool PlacePlumb(TItem& it, int row, double apart, TReach& reach, double lo, double hi) {
  for (int q = 2; q < row; ++q)
    if (it.Middle < reach[static_cast<std::size_t>(q)] + apart) return false;
  const bool pushedBack = it.Left < it.Want;
  for (bool after : {!pushedBack, pushedBack}) {
    double l, r;
    PlumbFootprint(it, after, l, r);
    if (l < reach[static_cast<std::size_t>(row)] + apart || l < lo || r > hi) continue;
    it.Row = row;
    it.After = after;
    reach[static_cast<std::size_t>(row)] = r;
    for (int q = 2; q < row; ++q)
      reach[static_cast<std::size_t>(q)] = std::max(reach[static_cast<std::size_t>(q)], it.Middle);
    return true;
  }
  return false;
}

// The run v[first, last) over further rows: of every `rows` values the first stays on the first row
// and the others stand one in each further row, for the fewest rows with which the whole run can be
// so placed; none of them: the run stays on the first row.
void Stagger(const std::vector<TItem*>& v, std::size_t first, std::size_t last, double apart, TReach& reach,
             double lo, double hi) {
  const TReach before = reach;
  for (int rows = 2; rows <= kMaxRows; ++rows) {
    bool ok = true;
    for (std::size_t k = first; k < last && ok; ++k) {
      const int place = static_cast<int>((k - first) % static_cast<std::size_t>(rows));
      if (place > 0) ok = PlacePlumb(*v[k], place + 1, apart, reach, lo, hi);
    }
    // The values left on the first row must fit between the plumb leaders.
    double next = -kInf;  // where the next footprint may start
    for (std::size_t k = first; k < last && ok; ++k) {
      const TItem& it = *v[k];
      if (it.Row >= 2) {
        ok = next <= it.Middle;
        next = it.Middle + apart;
      } else {
        next = std::max(it.Lo, next - it.A) + it.B + apart;
      }
    }
    if (ok) return;
    reach = before;
    for (std::size_t k = first; k < last; ++k) v[k]->Row = 1;
  }
}

}  // namespace

std::vector<TRowValue> PlaceRowValues(const TRowInput& in) {
  const std::size_t n = in.Extents.size();
  std::vector<TRowValue> out(n);
  if (in.Ends.size() != n + 1 || in.Heights.size() != n) return out;
  const double c = RowClearance(in);
  const double reach = std::max({0.0, in.StartReach, in.EndReach});
  const double halfWidth = std::max(0.0, in.MarkerHalfWidth);
  const bool up = in.UpAway;

  // On the line, or moved.
  std::vector<TItem> items;
  double onLineTop = 0, movedHeight = 0;
  bool anyOnLine = false;
  for (std::size_t i = 0; i < n; ++i) {
    const double e = std::max(0.0, in.Extents[i]), h = std::max(0.0, in.Heights[i]);
    const double x0 = in.Ends[i], x1 = in.Ends[i + 1], m = (x0 + x1) / 2;
    if (!in.AllOut && x1 - x0 >= e + 2 * c + 2 * reach) {
      TRowValue& v = out[i];
      v.Box = {m - e / 2, m + e / 2, up ? c : -c - h, up ? c + h : -c};
      anyOnLine = true;
      onLineTop = std::max(onLineTop, c + h);
      continue;
    }
    TItem it;
    it.Seg = i;
    it.Middle = m;
    it.Extent = e;
    it.Height = h;
    it.Length = x1 - x0;
    items.push_back(it);
    movedHeight = std::max(movedHeight, h);
  }
  const double lane = movedHeight + c;  // text up towards the fence: the leader's room
  // Between moved values, never less than a tenth of their height: at g = 0 neighbouring base
  // lines would otherwise meet end to end, and so would their leaders.
  const double apart = std::max(c, movedHeight / 10);
  // Places the moved values between lines across the row at `left` and `right`; false when they do
  // not fit between them.
  std::vector<TItem*> first;
  const auto arrange = [&](double left, double right) {
    first.clear();
    for (TItem& it : items) {
      it.A = up ? -c : -c - lane;
      it.B = it.Extent + c;
      it.BaseLength = it.Extent + 2 * c;
      it.Want = up ? it.Middle - it.Extent / 2 : it.Middle + c;
      it.Lo = std::max(up ? -kInf : it.Middle + c, left + c - it.A);
      it.Hi = right - c - it.B;
      it.Row = 1;
    }
    std::vector<TItem*> all;
    for (TItem& it : items) all.push_back(&it);

    // One row first; runs pushed more than a text length are staggered.
    const std::vector<std::size_t> runs = SolveInOrder(all, apart);
    TReach reached;
    reached.fill(-kInf);
    for (std::size_t r = 0; r < runs.size(); ++r) {
      const std::size_t begin = runs[r], end = r + 1 < runs.size() ? runs[r + 1] : all.size();
      bool far = false;
      for (std::size_t k = begin; k < end; ++k)
        far = far || std::fabs(all[k]->Left - all[k]->Want) > all[k]->Extent;
      if (far) Stagger(all, begin, end, apart, reached, left + c, right - c);
    }

    // The first row between the plumb leaders: a group that cannot fit before the next leader takes
    // that value back (the leader's row only loses a value, which keeps it clear).
    double next = -kInf, from = -kInf;  // next footprint's start; the last leader passed, plus c
    std::size_t group = 0;
    for (TItem* it : all) {
      if (it->Row >= 2) {
        if (next <= it->Middle) {
          for (std::size_t k = group; k < first.size(); ++k)
            first[k]->Hi = std::min(first[k]->Hi, it->Middle - apart - first[k]->B);
          group = first.size();
          next = from = it->Middle + apart;
          continue;
        }
        it->Row = 1;
      }
      it->Lo = std::max(it->Lo, from - it->A);
      next = std::max(it->Lo, next - it->A) + it->B + apart;
      first.push_back(it);
    }
    SolveInOrder(first, apart);
    // Bounds the row is too wide for give way: the order, the clearances and the plumb leaders hold.
    for (const TItem* it : first) {
      const double tiny = 1e-9 * (1 + std::fabs(it->Middle));
      if (it->Left < it->Lo - tiny || it->Left > it->Hi + tiny) return false;
    }
    return true;
  };
  if (!arrange(in.Left, in.Right)) arrange(-kInf, kInf);

  // Heights.
  double y1 = std::max({in.Overhang, halfWidth, up && anyOnLine ? onLineTop : 0.0}) + c;
  const auto leaderEnd = [&](const TItem& it) {
    const double t0 = it.Left - c, t1 = it.Left + it.Extent + c;
    return !up || std::fabs(t0 - it.Middle) <= std::fabs(t1 - it.Middle) ? t0 : t1;
  };
  // A leader of slope k (across per along) that keeps a horizontal room of r + c*k from a corner
  // keeps c from it: hence the c added to the heights below.
  for (const TItem* it : first) {
    const double stray = std::fabs(leaderEnd(*it) - it->Middle);
    if (up && anyOnLine) {
      y1 = std::max(y1, stray * (onLineTop + c) / (it->Length / 2 + reach));
    } else if (!up && lane > 0) {
      const double own = it->Height + c;
      y1 = std::max(y1, stray * (own + c) / lane - own);
    }
  }
  const double pitch = movedHeight + 2 * c;

  for (const TItem& it : items) {
    TRowValue& v = out[it.Seg];
    v.Row = it.Row;  // the first value of every run stays on the first row, so no row is empty
    const double y = y1 + (v.Row - 1) * pitch;  // the row's side nearer the line
    double left = it.Left;
    if (it.Row >= 2) left = it.After ? it.Middle + c : it.Middle - c - it.Extent;
    const double base = up ? y : y + it.Height + c;
    v.Box = {left, left + it.Extent, up ? y + c : y, up ? y + c + it.Height : y + it.Height};
    v.T0 = {left - c, base};
    v.T1 = {left + it.Extent + c, base};
    v.LeaderFrom = {it.Middle, 0};
    if (it.Row >= 2) {
      v.LeaderTo = it.After ? v.T0 : v.T1;
    } else {
      v.LeaderTo = {leaderEnd(it), base};
    }
  }
  return out;
}
