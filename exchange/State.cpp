// The exchange state's defaults, its reset between reading and writing, and its release.
#include <algorithm>
#include <iterator>

#include "ReadRules.h"

namespace {

void ResetCurrentAttributes(JwwState& st) {
  st.CurGroup = 0;
  st.CurLayer = 0;
  st.CurLineColour = 1;
  st.CurLineType = 1;
  st.CurLineWidth = 0;
  st.CurTextType = 1;
  st.CurFreeText = TJwwTextType{2.0, 2.0, 0.0, 1};
  st.CurTextCode = 0;
  st.CurFontName.assign(kJwwDefaultFont);
  st.CurPointColour = 1;
  st.CurSolidColour = 0;
}

void ClearLists(JwwState& st) {
  st.Lines.Clear();
  st.Circles.Clear();
  st.Arcs.Clear();
  st.Texts.Clear();
  st.Points.Clear();
  st.PointsEx.Clear();
  st.Messages.Clear();
  st.Blocks.Clear();
  st.Solids2.Clear();
  st.Solids3.Clear();
  st.Solids4.Clear();
  st.SolidsSc.Clear();
  st.SolidsSe.Clear();
  st.SolidsSo.Clear();
  st.SolidsSg.Clear();
  st.EntityOrder.Clear();
  st.Tables.Clear();
  st.Strings.Clear();
  std::vector<TJwwOutputSlot>().swap(st.OutputLines);
  st.OutputCount = 0;
}

}  // namespace

JwwState::JwwState() { JwwInit(*this); }

void JwwInit(JwwState& st) {
  st.DrawingFileName.clear();
  st.AxisAngle = 0.0;
  for (double& s : st.GroupScale) s = 1.0;
  st.SheetWidth = 1189.0;
  st.SheetHeight = 841.0;
  for (TJwwTextType& t : st.TextTypes) t = TJwwTextType{};
  st.BzFlag = false;
  for (double& h : st.HnValues) h = 0.0;

  st.GroupValues.assign(16, 0);
  st.GroupNames.assign(16, std::string());
  st.LayerValues.assign(256, 0);
  st.LayerNames.assign(256, std::string());

  static_cast<TJwwFirstAttributes&>(st) = TJwwFirstAttributes{};

  ResetCurrentAttributes(st);
  // Only the six "first line still to be taken" flags; 7 to 9 have no reading role.
  for (int i = 1; i <= 6; ++i) st.AttrPending[i] = true;

  st.PickedPoints.assign(100, TJwwPickedPoint{});
  st.PickedCount = 0;
  st.NonNumericPicks = 0;

  st.CurHhpNo = 0;
  st.CurZFlags = 0;
  st.PolylineCount = 0;
  st.InPolyline = false;
  st.InMessage = false;
  st.CurMessageLine = TJwwEntLine{{0, 0, 0, 1, 1, 0, 0}, 0, 0.0, 0.0, 1.0, 0.0};
  // No pooled copy of the current font yet: the first text read pools the default font once,
  // and so does the first text after each font line (the copy is checked against CurFontName).
  st.CurFontRef = TJwwStrRef{0, 0};

  ClearLists(st);
}

void JwwResetCurrent(JwwState& st) {
  for (int i = 1; i <= 9; ++i) st.AttrPending[i] = true;
  ResetCurrentAttributes(st);
  st.CurFontRef = TJwwStrRef{0, 0};
}

void JwwCopyHostValues(const JwwState& host, JwwState& scratch) {
  JwwInit(scratch);
  scratch.DrawingFileName = host.DrawingFileName;
  scratch.AxisAngle = host.AxisAngle;
  std::copy(std::begin(host.GroupScale), std::end(host.GroupScale), std::begin(scratch.GroupScale));
  scratch.SheetWidth = host.SheetWidth;
  scratch.SheetHeight = host.SheetHeight;
  std::copy(std::begin(host.TextTypes), std::end(host.TextTypes), std::begin(scratch.TextTypes));
  scratch.BzFlag = host.BzFlag;
  std::copy(std::begin(host.HnValues), std::end(host.HnValues), std::begin(scratch.HnValues));
  static_cast<TJwwFirstAttributes&>(scratch) = host;
  scratch.PickedPoints = host.PickedPoints;
  scratch.PickedCount = host.PickedCount;
  scratch.NonNumericPicks = host.NonNumericPicks;
  JwwResetCurrent(scratch);
}

void JwwRelease(JwwState& st) {
  std::vector<int32_t>().swap(st.GroupValues);
  std::vector<std::string>().swap(st.GroupNames);
  std::vector<int32_t>().swap(st.LayerValues);
  std::vector<std::string>().swap(st.LayerNames);
  std::vector<TJwwPickedPoint>().swap(st.PickedPoints);
  ClearLists(st);
}

int32_t JwwListCount(const JwwState& st, int32_t kind) {
  switch (static_cast<TJwwEntityKind>(kind)) {
    case TJwwEntityKind::Line: return st.Lines.Count();
    case TJwwEntityKind::Circle: return st.Circles.Count();
    case TJwwEntityKind::Arc: return st.Arcs.Count();
    case TJwwEntityKind::Text: return st.Texts.Count();
    case TJwwEntityKind::Point: return st.Points.Count();
    case TJwwEntityKind::PointEx: return st.PointsEx.Count();
    case TJwwEntityKind::Msg: return st.Messages.Count();
    case TJwwEntityKind::Block: return st.Blocks.Count();
    case TJwwEntityKind::Solid2: return st.Solids2.Count();
    case TJwwEntityKind::Solid3: return st.Solids3.Count();
    case TJwwEntityKind::Solid4: return st.Solids4.Count();
    case TJwwEntityKind::SolidSc: return st.SolidsSc.Count();
    case TJwwEntityKind::SolidSe: return st.SolidsSe.Count();
    case TJwwEntityKind::SolidSo: return st.SolidsSo.Count();
    case TJwwEntityKind::SolidSg: return st.SolidsSg.Count();
    default: return -1;
  }
}

void ReserveEntities(JwwState& st, int64_t n) {
  st.Lines.ReserveAhead(n);
  st.Circles.ReserveAhead(n);
  st.Arcs.ReserveAhead(n);
  st.Texts.ReserveAhead(n);
  st.Points.ReserveAhead(n);
  st.PointsEx.ReserveAhead(n);
  st.Messages.ReserveAhead(n);
  st.Blocks.ReserveAhead(n);
  st.Solids2.ReserveAhead(n);
  st.Solids3.ReserveAhead(n);
  st.Solids4.ReserveAhead(n);
  st.SolidsSc.ReserveAhead(n);
  st.SolidsSe.ReserveAhead(n);
  st.SolidsSo.ReserveAhead(n);
  st.SolidsSg.ReserveAhead(n);
  st.EntityOrder.ReserveAhead(n);
  // The texts and names come from the file: the pool never outgrows it.
  st.Strings.ReserveAhead(static_cast<std::size_t>(n * kJwwMinEntityBytes));
}
