// Reading the dialog into the inputs of a dimension, checking the dialog's values on the way.
#include <string>

#include "MyFunc.h"
#include "Unit1.h"

TDimensionInput ReadInputs(const TForm1& f, std::string& focus) {
  TDimensionInput in;
  focus.clear();
  in.Kind = f.Mode.Kind;
  in.Direction = f.Mode.Direction;
  in.Next = f.Mode.Next;
  in.Pick = f.Mode.Pick;
  const auto refuse = [&focus](const char* control) {
    focus = control;
    return false;
  };
  // A list or radio group needs a selection; an edit a number its row accepts. A control that
  // means nothing in this mode (or is not shown) keeps its starting value.
  const auto choice = [&](const char* name, int& value) {
    if (!IsUsed(*FindControl(name), f.Mode)) return true;
    const TComboBox* list = f.ComboBoxByName(name);
    value = list ? list->ItemIndex : f.RadioGroupByName(name)->ItemIndex;
    return value >= 0 || refuse(name);
  };
  const auto number = [&](const char* name, double& value) {
    const TControlEntry& entry = *FindControl(name);
    if (!IsUsed(entry, f.Mode)) return true;
    // A text that is no number is refused, not read as 0.
    return (TypedNumber(f.EditByName(name)->Text, value) && entry.Accepts.Takes(value)) || refuse(name);
  };
  // The checks run in this order; the first refused control takes the focus.
  const bool accepted =
      choice("ComboBox1", in.StartMarker) && choice("ComboBox2", in.EndMarker) &&
      number("Edit1", in.MarkerFactor) && number("Edit7", in.ArrowLength) && number("Edit8", in.ArrowAngle) &&
      choice("ComboBox3", in.TextTypeItem) && choice("ComboBox4", in.Value.Decimals) &&
      choice("ComboBox5", in.Value.Mode) && choice("RadioGroup1", in.Value.Zeros) &&
      choice("RadioGroup2", in.Value.Unit) && number("Edit4", in.TextGap) && number("Edit5", in.PointGap) &&
      number("Edit6", in.Overhang) && number("Edit9", in.ReverseOverhang) && number("Edit10", in.OutsideGap);
  if (!accepted) return in;
  in.Value.Prefix = CleanAffix(f.Edit2.Text);
  in.Value.Suffix = CleanAffix(f.Edit3.Text);
  in.Value.Grouped = f.CheckBox1.Checked;
  in.Value.WithUnit = f.CheckBox2.Checked;
  in.Value.FullWidth = f.CheckBox3.Checked;
  // A dimension arc has no combined form: the check box means nothing there.
  in.Combined = f.CheckBox4.Checked && IsUsed(*FindControl("CheckBox4"), f.Mode);

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
