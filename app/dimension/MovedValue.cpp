// Finding the value of a drawn dimension in a selection and its dimension line: the one value text
// (or dimension entity), the line parallel to it that runs nearest to its middle (an angle's:
// the arc), and, for a value already set apart, its base line and leader, which are no dimension
// line however near they run.
#include "MovedValue.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <vector>

#include "DrawingSteps.h"
#include "MyFunc.h"
#include "PickedEntities.h"

namespace {

// Lines within this sine of the text's direction are parallel to it: far above the noise of
// coordinates written with 15 digits, far below any angle a drawing means.
constexpr double kParallelSine = 1e-9;

double Length(TPointD d) { return std::hypot(d.X, d.Y); }
double Apart(TPointD a, TPointD b) { return Length(Minus(a, b)); }

struct TSegment {
  TPointD A, B;
};

TSegment SegmentOf(const TJwwEntLine& l) { return {{l.X1, l.Y1}, {l.X2, l.Y2}}; }

double Noise(std::initializer_list<TPointD> points) {
  double largest = 0;
  for (TPointD p : points) largest = std::max({largest, std::fabs(p.X), std::fabs(p.Y)});
  return LevelTolerance({largest});
}

TPointD Nearest(const TSegment& s, TPointD p) {
  const TPointD d = Minus(s.B, s.A);
  const double dd = Dot(d, d);
  const double t = dd > 0 ? std::clamp(Dot(Minus(p, s.A), d) / dd, 0.0, 1.0) : 0.0;
  return Plus(s.A, d, t);
}

// A circular arc as the host means it: from its start to its end counter-clockwise, both measured
// from its tilt; ends that meet go all the way round.
struct TArc {
  TPointD Centre;
  double Radius, Start, Span;
};

TArc ArcOf(const TJwwEntArc& a) {
  double start = 0, end = 0;
  ArcAngles(a, start, end);
  double span = NormalizeDeg(JwwArcEnd(a) - JwwArcStart(a));
  if (span == 0) span = 360;
  return {{a.X, a.Y}, a.Radius, start, span};
}

TPointD ArcPoint(const TArc& a, double deg) {
  TPointD p;
  RotatePointDeg(a.Centre.X + a.Radius, a.Centre.Y, a.Centre.X, a.Centre.Y, deg, p.X, p.Y);
  return p;
}

TPointD Nearest(const TArc& a, TPointD p) {
  const TPointD d = Minus(p, a.Centre);
  // From the centre every point of the arc is as near: its middle.
  if (Length(d) <= Noise({p, a.Centre})) return ArcPoint(a, a.Start + a.Span / 2);
  const double along = NormalizeDeg(VectorAngleDeg(d.X, d.Y) - a.Start);
  if (along <= a.Span) return ArcPoint(a, a.Start + along);
  const TPointD first = ArcPoint(a, a.Start), last = ArcPoint(a, a.Start + a.Span);
  return Apart(first, p) <= Apart(last, p) ? first : last;
}

// The value's frame: where its text starts, runs and stands.
struct TFrame {
  TPointD Start, U, N;  // U along the text, N across it (towards its top)
};

bool Joined(TPointD a, TPointD b) { return Apart(a, b) <= Noise({a, b}); }

class TFinder {
 public:
  TFinder(const JwwState& host, TMovedValue& v) : host_(host), v_(v) {}

  void Find() {
    if (!FindValue()) return;
    PlaceText();
    for (const TJwwOrderItem item : host_.EntityOrder) {
      if (item.Kind == TJwwEntityKind::Line) {
        const TSegment s = SegmentOf(host_.Lines[item.Index]);
        if (Parallel(s)) parallel_.push_back({item, s});
        lines_.push_back({item, s});
      }
      if (item.Kind == TJwwEntityKind::Arc && JwwArcIsCircular(host_.Arcs[item.Index]))
        arcs_.push_back({item, ArcOf(host_.Arcs[item.Index])});
    }
    if (v_.Value.Kind == TJwwEntityKind::Msg) {
      v_.Line = v_.Value;
      const TSegment own = SegmentOf(host_.Messages[v_.Value.Index].Line);
      FindLeader([&](TPointD p, TJwwOrderItem) { return OnSegment(own, p); });
      return;
    }
    // A value set apart already: its dimension line (or arc) is where its leader comes from, the
    // nearest parallel line being its own base line.
    if (v_.Text.TextKind == kJwwTextAngle) {
      const bool led = FindLeader([&](TPointD p, TJwwOrderItem) {
        for (const TArcCandidate& a : arcs_) {
          if (OnArc(a.Arc, p)) {
            v_.Line = a.Item;
            return true;
          }
        }
        return false;
      });
      if (!led && !NearestArc()) Refuse(TMovedValueRefusal::NoDimensionLine);
      return;
    }
    const TCandidate* nearest = NearestParallel();
    if (!nearest) return Refuse(TMovedValueRefusal::NoDimensionLine);
    v_.Line = nearest->Item;
    FindLeader([&](TPointD p, TJwwOrderItem base) {
      for (const TCandidate& c : parallel_) {
        if (!Same(c.Item, base) && OnSegment(c.Segment, p)) {
          v_.Line = c.Item;
          return true;
        }
      }
      // An arc length's value reads along its dimension arc's tangent, where its leader starts.
      for (const TArcCandidate& a : arcs_) {
        if (OnArc(a.Arc, p)) {
          v_.Line = a.Item;
          return true;
        }
      }
      return false;
    });
  }

 private:
  struct TCandidate {
    TJwwOrderItem Item;
    TSegment Segment;
  };
  struct TArcCandidate {
    TJwwOrderItem Item;
    TArc Arc;
  };

  static bool Same(TJwwOrderItem a, TJwwOrderItem b) { return a.Kind == b.Kind && a.Index == b.Index; }

  void Refuse(TMovedValueRefusal r) { v_.Refusal = r; }

  bool FindValue() {
    int32_t count = 0;
    for (const TJwwOrderItem item : host_.EntityOrder) {
      const bool value =
          item.Kind == TJwwEntityKind::Msg ||
          (item.Kind == TJwwEntityKind::Text && IsValueTextKind(host_.Texts[item.Index].TextKind));
      if (!value) continue;
      if (++count == 1) v_.Value = item;
    }
    if (count == 0) Refuse(TMovedValueRefusal::NoValue);
    if (count > 1) Refuse(TMovedValueRefusal::ManyValues);
    return count == 1;
  }

  void PlaceText() {
    v_.Text = v_.Value.Kind == TJwwEntityKind::Msg ? host_.Messages[v_.Value.Index].Text
                                                   : host_.Texts[v_.Value.Index];
    const TJwwEntText& t = v_.Text;
    const double scale = DrawingScale(host_);
    const TPointD dir{t.DirX, t.DirY};
    const double length = Length(dir);
    // A text without a direction reads from left to right.
    const TPointD u =
        length > 0 && std::isfinite(length) ? TPointD{dir.X / length, dir.Y / length} : TPointD{1, 0};
    frame_ = {{t.X, t.Y}, u, {-u.Y, u.X}};
    v_.Start = frame_.Start;
    v_.Direction = u;
    v_.Extent = TextExtent(JwwStr(host_, t.Text), t.Width, t.Spacing) * scale;
    v_.Height = t.Height * scale;
    v_.Middle = Plus(Plus(frame_.Start, u, v_.Extent / 2), frame_.N, v_.Height / 2);
  }

  // A line of some length whose ends stand equally far from the text's line, within the noise of
  // their coordinates and the sine above.
  bool Parallel(const TSegment& s) const {
    const TPointD d = Minus(s.B, s.A);
    const double length = Length(d), noise = Noise({s.A, s.B});
    return length > noise && std::fabs(Cross(frame_.U, d)) <= length * kParallelSine + noise;
  }

  bool OnSegment(const TSegment& s, TPointD p) const { return Joined(Nearest(s, p), p); }
  static bool OnArc(const TArc& a, TPointD p) { return Joined(Nearest(a, p), p); }

  // The parallel line nearest to the text's middle.
  const TCandidate* NearestParallel() const {
    const TCandidate* best = nullptr;
    double bestDistance = 0;
    for (const TCandidate& c : parallel_) {
      const double d = Apart(Nearest(c.Segment, v_.Middle), v_.Middle);
      if (!best || d < bestDistance - Noise({c.Segment.A, c.Segment.B, v_.Middle})) {
        best = &c;
        bestDistance = d;
      }
    }
    return best;
  }

  // The circular arc nearest to the text's middle.
  bool NearestArc() {
    const TArcCandidate* best = nullptr;
    double bestDistance = 0;
    for (const TArcCandidate& c : arcs_) {
      const double d = Apart(Nearest(c.Arc, v_.Middle), v_.Middle);
      if (!std::isfinite(d)) continue;
      if (!best || d < bestDistance - Noise({c.Arc.Centre, v_.Middle, {c.Arc.Radius, 0}})) {
        best = &c;
        bestDistance = d;
      }
    }
    if (best) v_.Line = best->Item;
    return best != nullptr;
  }

  // Whether BASE lies under the text as this command draws a base line: starting as far before
  // the text as it lies below it, and ending as far after it.
  bool Underlines(const TSegment& base) const {
    const double s1 = Dot(Minus(base.A, frame_.Start), frame_.U),
                 s2 = Dot(Minus(base.B, frame_.Start), frame_.U);
    const double below = Dot(Minus(base.A, frame_.Start), frame_.N);
    const double noise = Noise({base.A, base.B, frame_.Start, {v_.Extent, v_.Height}});
    return std::fabs(std::min(s1, s2) - below) <= noise && std::fabs(s1 + s2 - v_.Extent) <= noise;
  }

  bool Square(const TSegment& leader) const {
    const TPointD d = Minus(leader.B, leader.A);
    return std::fabs(Dot(d, frame_.U)) <= Length(d) * kParallelSine + Noise({leader.A, leader.B});
  }

  // A base line under the value: the parallel line nearest to its middle, with a leader from one of its ends
  // to a point that ON_DIMENSION accepts. An extension line stands square to the dimension line; a leader
  // does so only by chance, so a square one counts only from a line that underlines the text as a base line
  // does.
  template <class OnDimension>
  bool FindLeader(OnDimension onDimension) {
    const TCandidate* base = NearestParallel();
    if (!base) return false;
    const bool underlines = Underlines(base->Segment);
    for (const TCandidate& l : lines_) {
      // A line along the value is a dimension line (the one before it in a chain), never its leader.
      if (Parallel(l.Segment) || (Square(l.Segment) && !underlines)) continue;
      for (const TSegment& s : {l.Segment, TSegment{l.Segment.B, l.Segment.A}}) {
        if (!Joined(s.A, base->Segment.A) && !Joined(s.A, base->Segment.B)) continue;
        if (!onDimension(s.B, base->Item)) continue;
        v_.BaseLine = base->Item;
        v_.Leader = l.Item;
        return true;
      }
    }
    return false;
  }

  const JwwState& host_;
  TMovedValue& v_;
  TFrame frame_{};
  std::vector<TCandidate> parallel_, lines_;
  std::vector<TArcCandidate> arcs_;
};

}  // namespace

std::string MovedValueMessage(TMovedValueRefusal r) {
  switch (r) {
    case TMovedValueRefusal::None: return std::string();
    case TMovedValueRefusal::NoValue: return SjisText(kMessageNoValue);
    case TMovedValueRefusal::ManyValues: return SjisText(kMessageManyValues);
    case TMovedValueRefusal::NoDimensionLine: return SjisText(kMessageNoDimensionLine);
  }
  return std::string();
}

TMovedValue FindMovedValue(const JwwState& host) {
  TMovedValue v;
  TFinder(host, v).Find();
  return v;
}

TPointD LeaderStart(const JwwState& host, const TMovedValue& v) {
  if (v.Leader) {
    // The leader's end away from the base line.
    const TSegment leader = SegmentOf(host.Lines[v.Leader->Index]);
    const TSegment base = SegmentOf(host.Lines[v.BaseLine->Index]);
    const bool firstAtBase = Joined(leader.A, base.A) || Joined(leader.A, base.B);
    return firstAtBase ? leader.B : leader.A;
  }
  switch (v.Line.Kind) {
    case TJwwEntityKind::Msg: return Nearest(SegmentOf(host.Messages[v.Line.Index].Line), v.Middle);
    case TJwwEntityKind::Arc: return Nearest(ArcOf(host.Arcs[v.Line.Index]), v.Middle);
    default: return Nearest(SegmentOf(host.Lines[v.Line.Index]), v.Middle);
  }
}
