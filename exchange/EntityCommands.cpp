// The entity commands: flag lines, lines, point markers, arcs, texts and messages, and the deletion
// of the host's selection. Degenerate input (no length, no direction, nothing but blanks) is
// skipped without a word.
#include <cmath>
#include <initializer_list>
#include <iterator>

#include "JwwGaibu.h"
#include "MyFunc.h"

namespace {

constexpr double kTolerance = 1e-8;

// Kind numbers 0..9 of the text keywords; any other kind is a plain horizontal "ch".
constexpr std::string_view kTextKeywords[] = {"ch", "cv", "cs", "cr", "co", "cp", "ct", "ck", "cz", "c2"};
constexpr int32_t kMessageTextKind = kJwwTextSloped;

void AppendNumbers(std::string& line, std::initializer_list<double> values) {
  for (double v : values) {
    if (!line.empty()) line += ' ';
    line += FloatToText(v);
  }
}

bool NoLength(double x1, double y1, double x2, double y2) {
  return std::fabs(x2 - x1) < kTolerance && std::fabs(y2 - y1) < kTolerance;
}

bool NoDirection(double dirX, double dirY) {
  return std::fabs(dirX) <= kTolerance && std::fabs(dirY) <= kTolerance;
}

bool IsBlank(std::string_view text) { return RemoveBlanks(text).empty(); }

void AppendLine(JwwState& st, double x1, double y1, double x2, double y2) {
  std::string line;
  AppendNumbers(line, {x1, y1, x2, y2});
  JwwAddOutputLine(st, line);
}

// The head ends with a blank and a double quote, and is joined with the text when written, so
// the text may hold blanks and runs to the end of the line.
void AppendText(JwwState& st, int32_t kind, std::string_view text, double x, double y, double dirX,
                double dirY) {
  const bool known = kind >= 0 && kind < static_cast<int32_t>(std::size(kTextKeywords));
  std::string head(known ? kTextKeywords[kind] : kTextKeywords[0]);
  AppendNumbers(head, {x, y, dirX, dirY});
  head += " \"";
  JwwAddOutputLine(st, head, true);
  JwwAddOutputLine(st, text);
}

}  // namespace

void JwwAddZFlags(JwwState& st, uint8_t mask) {
  if (mask & 1) JwwAddOutputLine(st, "z1");
  if (mask & 2) JwwAddOutputLine(st, "z2");
  if (mask & 4) JwwAddOutputLine(st, "z3");
  if ((mask & 8) && !(mask & 16)) JwwAddOutputLine(st, "z4");
  if (mask & 16) JwwAddOutputLine(st, "z5");
}

void JwwAddLine(JwwState& st, double x1, double y1, double x2, double y2) {
  if (NoLength(x1, y1, x2, y2)) return;
  AppendLine(st, x1, y1, x2, y2);
}

void JwwAddPoint(JwwState& st, int32_t code, double x, double y, double scale, double angle) {
  if (code < -7 || code > 11) code = -3;
  if (std::fabs(scale) <= kTolerance) scale = 1.0;
  std::string line = "pt";
  AppendNumbers(line, {x, y, scale, angle});
  line += ' ';
  line += IntToText(code);
  JwwAddOutputLine(st, line);
}

void JwwAddArc(JwwState& st, double x, double y, double r, double startDeg, double endDeg) {
  for (double v : {x, y, r, startDeg, endDeg}) {
    if (!std::isfinite(v)) return;
  }
  if (std::fabs(r) <= kTolerance) return;
  std::string line = "ci";
  AppendNumbers(line, {x, y, r, startDeg, endDeg, 1.0, 0.0});
  JwwAddOutputLine(st, line);
}

void JwwAddText(JwwState& st, int32_t kind, std::string_view text, double x, double y, double dirX,
                double dirY) {
  if (NoDirection(dirX, dirY) || IsBlank(text)) return;
  AppendText(st, kind, text, x, y, dirX, dirY);
}

void JwwAddMessage(JwwState& st, std::string_view text, double x1, double y1, double x2, double y2, double x,
                   double y, double dirX, double dirY) {
  if (NoLength(x1, y1, x2, y2) || NoDirection(dirX, dirY)) return;
  std::string measured;
  if (IsBlank(text)) {
    // No value given: the host shows the line's length, to a multiple of 1e-8.
    const double d = Distance(x1, y1, x2, y2);
    measured = FloatToText(std::trunc(d / kTolerance + 0.5) * kTolerance);
    text = measured;
  }
  JwwAddOutputLine(st, "msg");
  AppendLine(st, x1, y1, x2, y2);
  AppendText(st, kMessageTextKind, text, x, y, dirX, dirY);
}

void JwwAddDeleteSelection(JwwState& st) { JwwAddOutputLine(st, "hd"); }
