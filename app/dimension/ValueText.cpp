// The value text of the dimension: prefix, number, unit, suffix.
#include <string>

#include "MyFunc.h"
#include "Dimension.h"

namespace {

// Trailing zeros after the decimal point go, and the point with them when nothing else follows
// it; nothing before the point is ever touched.
void DropTrailingZeros(std::string& text) {
  const std::size_t point = text.find('.');
  if (point == std::string::npos) return;
  std::size_t end = text.size();
  while (end > point && (text[end - 1] == '0' || end - 1 == point)) --end;
  text.resize(end);
}

}  // namespace

std::string CleanAffix(std::string_view typed) {
  return RemoveBlanks(typed).empty() ? std::string() : SingleLine(typed);
}

std::string BuildValueText(double length, const TValueSettings& v) {
  double value = length;
  if (v.Unit == 1) value /= 1000.0;
  value = RoundDigits(v.Decimals, static_cast<TRoundMode>(v.Mode), value);
  // "." and "," always: the host reads the text as it is, whatever the user's number settings.
  std::string number = v.Grouped ? FormatGrouped(v.Decimals, value) : FormatFixed(v.Decimals, value);
  if (v.Zeros == 0) DropTrailingZeros(number);
  if (v.FullWidth) number = ToFullWidth(number);

  std::string text = v.Prefix;
  text += v.FullWidth ? ToFullWidth(v.Symbol) : v.Symbol;
  text += number;
  text += v.After;
  if (v.WithUnit) text += v.Unit == 1 ? SjisText("ｍ") : std::string("mm");
  text += v.Suffix;
  return text;
}

std::string DimensionValueText(const TDimensionInput& in) { return KindEntry(in.Kind).ValueText(in); }

std::string NumberValueText(const TDimensionInput& in) {
  return ValueTextOf(in, KindEntry(in.Kind).Measure(in));
}

std::string ValueTextOf(const TDimensionInput& in, double measure) {
  const TKindEntry& kind = KindEntry(in.Kind);
  TValueSettings v = in.Value;
  v.Symbol = SjisText(kind.Symbol);
  v.After = SjisText(kind.After);
  if (kind.Unitless) {
    // Degrees: no unit to write or to convert into, and no thousands.
    v.Unit = 0;
    v.WithUnit = false;
    v.Grouped = false;
  }
  return BuildValueText(measure, v);
}
