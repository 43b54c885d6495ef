// Reading the dialog into the inputs of a dimension, checking the dialog's values on the way.
#include <string>

#include "MyFunc.h"
#include "Unit1.h"

TDimensionInput ReadInputs(const TForm1& f, std::string& focus) {
  TDimensionInput in;
  focus.clear();
  // The checks run in the dialog's order; the first refused control takes the focus.
  const auto refuse = [&focus](const char* control) {
    focus = control;
    return false;
  };
  const auto check = [&]() {
    in.StartMarker = f.ComboBox1.ItemIndex;
    in.EndMarker = f.ComboBox2.ItemIndex;
    in.MarkerFactor = TextToFloat(f.Edit1.Text);
    if (in.StartMarker < 0) return refuse("ComboBox1");
    if (in.EndMarker < 0) return refuse("ComboBox2");
    if (!(in.MarkerFactor > 0)) return refuse("Edit1");

    in.ArrowLength = TextToFloat(f.Edit7.Text);
    in.ArrowAngle = TextToFloat(f.Edit8.Text);
    if (!(in.ArrowLength > 0) || in.ArrowLength > 1000) return refuse("Edit7");
    if (!(in.ArrowAngle > 0) || in.ArrowAngle >= 180) return refuse("Edit8");

    in.TextTypeItem = f.ComboBox3.ItemIndex;
    in.Value.Prefix = CleanAffix(f.Edit2.Text);
    in.Value.Suffix = CleanAffix(f.Edit3.Text);
    in.Value.Decimals = f.ComboBox4.ItemIndex;
    in.Value.Mode = f.ComboBox5.ItemIndex;
    in.Value.Zeros = f.RadioGroup1.ItemIndex;
    in.Value.Unit = f.RadioGroup2.ItemIndex;
    in.Value.Grouped = f.CheckBox1.Checked;
    in.Value.WithUnit = f.CheckBox2.Checked;
    in.Value.FullWidth = f.CheckBox3.Checked;
    in.Combined = f.CheckBox4.Checked;
    in.Kind = f.Mode.Kind;
    in.Direction = f.Mode.Direction;
    in.TextGap = TextToFloat(f.Edit4.Text);  // any value, zero and negative ones included
    in.PointGap = TextToFloat(f.Edit5.Text);
    in.Overhang = TextToFloat(f.Edit6.Text);
    in.ReverseOverhang = TextToFloat(f.Edit9.Text);
    if (in.TextTypeItem < 0) return refuse("ComboBox3");
    if (in.Value.Decimals < 0) return refuse("ComboBox4");
    if (in.Value.Mode < 0) return refuse("ComboBox5");
    if (in.Value.Zeros < 0) return refuse("RadioGroup1");
    if (in.Value.Unit < 0) return refuse("RadioGroup2");
    if (in.PointGap < 0) return refuse("Edit5");
    if (in.Overhang < 0) return refuse("Edit6");
    if (in.ReverseOverhang < 0) return refuse("Edit9");
    in.Next = f.Mode.Next;
    if (in.Next == TNext::Outside) {
      in.OutsideGap = TextToFloat(f.Edit10.Text);
      if (!(in.OutsideGap > 0)) return refuse("Edit10");
    }
    return true;
  };
  if (!check()) return in;

  const JwwState& st = f.Jww;
  in.AxisAngle = st.AxisAngle;
  in.Scale = DrawingScale(st);
  in.PointsRefusal = KindEntry(in.Kind).MakePoints(st, f.LastDimension(), in);
  return in;
}
