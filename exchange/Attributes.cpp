// The attribute commands: each states an attribute of the entities that follow, and writes its
// line only when the value changes or has not been written yet since the reset.
#include "JwwGaibu.h"
#include "MyFunc.h"

namespace {

// Indexes into AttrPending.
// clang-format off
enum : int {
  kPendGroup = 1, kPendLayer, kPendLineColour, kPendLineType, kPendLineWidth,
  kPendTextType, kPendTextCode, kPendFontName, kPendPointColour
};
// clang-format on

constexpr int32_t kMaxLineWidth = 30000;

// The common rule: write `keyword` + `text` when pending or changed, and remember the value.
// Returns whether the line was written.
bool WriteIfChanged(JwwState& st, int pendingIndex, int32_t& current, int32_t value, std::string_view keyword,
                    const std::string& text) {
  if (!st.AttrPending[pendingIndex] && value == current) return false;
  std::string line(keyword);
  line += text;
  JwwAddOutputLine(st, line);
  current = value;
  st.AttrPending[pendingIndex] = false;
  return true;
}

int32_t MapColour(const JwwState& st, int32_t n, TJwwNumberMode mode) {
  return mode == TJwwNumberMode::List ? JwwMapColourNo(st, n) : n;
}

bool SameSizes(const TJwwTextType& a, double width, double height, double spacing, int32_t colour) {
  return a.Width == width && a.Height == height && a.Spacing == spacing && a.Colour == colour;
}

}  // namespace

int32_t JwwMapColourNo(const JwwState& st, int32_t n) {
  if (n <= 0) return st.FirstLineColour;
  if (n <= 9) return n;
  // The host's extended colours start at 101; int64 keeps the largest list numbers defined.
  const int64_t mapped = static_cast<int64_t>(n) + 91;
  return mapped > INT32_MAX ? INT32_MAX : static_cast<int32_t>(mapped);
}

int32_t JwwMapLineTypeNo(const JwwState& st, int32_t n) {
  if (n <= 0) return st.FirstLineType;
  if (n <= 9) return n;
  if (n <= 18) return n + 1;
  const int64_t mapped = static_cast<int64_t>(n) + 12;
  return mapped > INT32_MAX ? INT32_MAX : static_cast<int32_t>(mapped);
}

void JwwSetGroup(JwwState& st, int32_t n) {
  // A new group makes the host forget which layer was meant: state the layer again.
  if (WriteIfChanged(st, kPendGroup, st.CurGroup, n, "lg", IntToHex(n))) st.AttrPending[kPendLayer] = true;
}

void JwwSetLayer(JwwState& st, int32_t n) {
  WriteIfChanged(st, kPendLayer, st.CurLayer, n, "ly", IntToHex(n));
}

void JwwSetLineColour(JwwState& st, int32_t n, TJwwNumberMode mode) {
  n = MapColour(st, n, mode);
  WriteIfChanged(st, kPendLineColour, st.CurLineColour, n, "lc", IntToText(n));
}

void JwwSetLineType(JwwState& st, int32_t n, TJwwNumberMode mode) {
  if (mode == TJwwNumberMode::List) n = JwwMapLineTypeNo(st, n);
  WriteIfChanged(st, kPendLineType, st.CurLineType, n, "lt", IntToText(n));
}

void JwwSetLineWidth(JwwState& st, int32_t n) {
  if (n == -1) n = st.FirstLineWidth;
  if (n < 0 || n > kMaxLineWidth) n = 0;
  WriteIfChanged(st, kPendLineWidth, st.CurLineWidth, n, "lw", IntToText(n));
}

void JwwSetTextType(JwwState& st, int32_t textType, int32_t colour, TJwwNumberMode mode, double width,
                    double height, double spacing) {
  colour = MapColour(st, colour, mode);
  if (textType < 0 || textType > 10) {
    textType = st.FirstTextType;
    if (textType == 0) {
      width = st.FirstFreeText.Width;
      height = st.FirstFreeText.Height;
      spacing = st.FirstFreeText.Spacing;
      colour = st.FirstFreeText.Colour;
    }
  }
  // The sizes count only for a free text size; a numbered type carries its own.
  const bool changed = textType != st.CurTextType ||
                       (textType == 0 && !SameSizes(st.CurFreeText, width, height, spacing, colour));
  if (!st.AttrPending[kPendTextType] && !changed) return;

  if (textType == 0) {
    std::string line = "cn0 ";
    line += FloatToText(width);
    line += ' ';
    line += FloatToText(height);
    line += ' ';
    line += FloatToText(spacing);
    line += ' ';
    line += IntToText(colour);
    JwwAddOutputLine(st, line);
    st.CurFreeText = TJwwTextType{width, height, spacing, colour};
  } else {
    JwwAddOutputLine(st, "cn" + IntToText(textType));
  }
  st.CurTextType = textType;
  st.AttrPending[kPendTextType] = false;
}

void JwwSetTextCode(JwwState& st, int32_t n) {
  if (n < 0 || n > 8) n = 0;
  WriteIfChanged(st, kPendTextCode, st.CurTextCode, n, "cc", IntToText(n));
}

void JwwSetFontName(JwwState& st, std::string_view name) {
  if (name.empty() || name == "<>") name = st.FirstFontName;
  if (!st.AttrPending[kPendFontName] && name == st.CurFontName) return;
  // The double quote lets the name hold blanks. The line is no text head: it stands alone.
  std::string line = "cn\"$";
  line += name;
  JwwAddOutputLine(st, line);
  st.CurFontName.assign(name);
  st.AttrPending[kPendFontName] = false;
}

void JwwSetPointColour(JwwState& st, int32_t n, TJwwNumberMode mode) {
  n = MapColour(st, n, mode);
  WriteIfChanged(st, kPendPointColour, st.CurPointColour, n, "pn", IntToText(n));
}
