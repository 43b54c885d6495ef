// Reading the dialog into the inputs of a dimension, checking the dialog's values on the way:
// each control's row says which field it feeds and in which turn it is checked.
#include <algorithm>
#include <cmath>
#include <string>
#include <type_traits>
#include <variant>
#include <vector>

#include "MyFunc.h"
#include "Unit1.h"

namespace {

// Where a row's field is in `in`, when its type is T (a field of the value settings included).
template <class T, class Input>
auto FieldOf(const TControlEntry& row, Input& in) {
  using Field = std::conditional_t<std::is_const_v<Input>, const T, T>;
  return std::visit(
      [&](auto member) -> Field* {
        using M = decltype(member);
        if constexpr (std::is_same_v<M, T TDimensionInput::*>) return &(in.*member);
        else if constexpr (std::is_same_v<M, T TValueSettings::*>) return &(in.Value.*member);
        else return nullptr;
      },
      row.Feeds);
}

// The rows OK checks, in their turn.
const std::vector<const TControlEntry*>& CheckedRows() {
  static const std::vector<const TControlEntry*> rows = [] {
    std::vector<const TControlEntry*> r;
    for (const TControlEntry& c : ControlTable())
      if (c.CheckRank > 0) r.push_back(&c);
    std::sort(r.begin(), r.end(), [](auto* a, auto* b) { return a->CheckRank < b->CheckRank; });
    return r;
  }();
  return rows;
}

// Reads one control into its field. False when OK refuses it: a list or radio group without a
// selection, an edit that is no number or one its row does not accept.
bool ReadControl(const TForm1& f, const TControlEntry& row, TDimensionInput& in) {
  switch (row.Kind) {
    case TControlKind::List:
    case TControlKind::RadioGroup: {
      const TComboBox* list = f.ComboBoxByName(row.Name);
      const int index = list ? list->ItemIndex : f.RadioGroupByName(row.Name)->ItemIndex;
      if (int* field = FieldOf<int>(row, in)) *field = index;
      return index >= 0;
    }
    case TControlKind::Edit: {
      const std::string& text = f.EditByName(row.Name)->Text;
      if (std::string* field = FieldOf<std::string>(row, in)) *field = CleanAffix(text);
      double* field = FieldOf<double>(row, in);
      if (!field) return true;
      // A text that is no number is refused, not read as 0.
      return TypedNumber(text, *field) && row.Accepts.Takes(*field);
    }
    case TControlKind::CheckBox: {
      // A check box that means nothing in this mode reads unchecked.
      if (bool* field = FieldOf<bool>(row, in))
        *field = f.CheckBoxByName(row.Name)->Checked && IsUsed(row, f.Mode);
      return true;
    }
    case TControlKind::Button:
    case TControlKind::Memo:
    case TControlKind::ScrollBox:
    case TControlKind::Label:
    case TControlKind::Preview: break;
  }
  return true;
}

double PaperDistancesOf(const TDimensionInput& in) {
  double sum = 0;
  for (const TControlEntry& c : ControlTable()) {
    if (c.PaperWeight == 0) continue;
    if (const double* field = FieldOf<double>(c, in)) sum += c.PaperWeight * std::fabs(*field);
  }
  return sum;
}

}  // namespace

TDimensionInput DefaultInputs() {
  TDimensionInput in;
  for (const TControlEntry& c : ControlTable()) {
    if (int* field = FieldOf<int>(c, in)) *field = c.StartIndex;
    if (bool* field = FieldOf<bool>(c, in)) *field = c.StartIndex == 1;
    if (std::string* field = FieldOf<std::string>(c, in)) *field = CleanAffix(SjisText(c.Caption));
    if (double* field = FieldOf<double>(c, in)) TypedNumber(SjisText(c.Caption), *field);
  }
  in.PaperDistances = PaperDistancesOf;
  return in;
}

TDimensionInput ReadInputs(const TForm1& f, std::string& focus) {
  TDimensionInput in = DefaultInputs();
  focus.clear();
  in.Kind = f.Mode.Kind;
  in.Direction = f.Mode.Direction;
  in.Next = f.Mode.Next;
  in.Pick = f.Mode.Pick;
  // A control that means nothing in this mode (or is not shown) keeps its starting value.
  for (const TControlEntry* row : CheckedRows()) {
    if (IsUsed(*row, f.Mode) && !ReadControl(f, *row, in)) {
      focus = row->Name;  // the first refused control takes the focus
      return in;
    }
  }
  for (const TControlEntry& row : ControlTable())
    if (row.CheckRank == 0 && row.Feeds.index() != 0) ReadControl(f, row, in);

  const JwwState& st = f.Jww;
  in.AxisAngle = st.AxisAngle;
  in.Scale = DrawingScale(st);
  in.PointsRefusal = KindEntry(in.Kind).MakePoints(st, f.LastDimension(), in);
  return in;
}

std::string RefusedControlMessage(const std::string& control) {
  const TControlEntry* entry = FindControl(control);
  const std::string caption = entry && *entry->Title ? entry->Title : control;
  const std::string allowed = entry ? AcceptedStatus(*entry) : "";
  const bool choice = entry && (entry->Kind == TControlKind::List || entry->Kind == TControlKind::RadioGroup);
  return SjisText("「" + caption + (choice ? "」を選択して下さい" : "」の値では作図出来ません" + allowed));
}
