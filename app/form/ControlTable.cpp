// The dialog's controls as one table: the model takes its starting values from it and the Win32
// view creates its windows from it.
#include <vector>

#include "Unit1.h"

namespace {

using K = TControlKind;

const std::vector<const char*> kMarkerItems = {"線矢印", "△", "□",  "Ｏ", "○",  "■",
                                               "▲",      "●", "～", "＞", "／", "△"};
const std::vector<const char*> kPrecisionItems = {"1",       "0.1",      "0.01",      "0.001",     "0.0001",
                                                  "0.00001", "0.000001", "0.0000001", "0.00000001"};
const std::vector<const char*> kRoundingItems = {"切り捨て", "切り上げ", "四捨五入"};

// Tab order, then the preview panel and the static labels. Columns: name, member, texts (title,
// allowed values, help), kind, tab, left, top, width, height, caption (edit: starting text), items,
// starting index (check box: 1 checked), length limit, IME off, tab stop, font height, background.
std::vector<TControlEntry> BuildTable() {
  const int w = kFormClientWidth;
  // clang-format off
  return {
      {"ComboBox1", &TForm1::ComboBox1,
       {"始点", "", "the marker at point 1, an item index:\n"
       "0 線矢印 (line arrow), 1 △, 2 □, 3 Ｏ, 4 ○, 5 ■, 6 ▲, 7 ●, 8 ～, 9 ＞,\n"
       "10 ／, 11 △ (the host's marker 11)"},
       K::List, 0, 48, 4, 81, 21, "", kMarkerItems, 0, 0, true, true},
      {"ComboBox2", &TForm1::ComboBox2,
       {"終点", "", "the marker at point 2, the same items"},
       K::List, 1, 48, 28, 81, 21, "", kMarkerItems, 0, 0, true, true},
      {"Edit7", &TForm1::Edit7,
       {"線矢印の長さ", "（0より大きく1000以下）", "line arrow length, paper mm (> 0, <= 1000)"},
       K::Edit, 2, 48, 64, 33, 21, "3", {}, -1, 8, true, true},
      {"Edit8", &TForm1::Edit8,
       {"線矢印の角度", "（0より大きく180未満）", "line arrow angle, degrees (> 0, < 180)"},
       K::Edit, 3, 48, 88, 33, 21, "15", {}, -1, 8, true, true},
      // Narrower than the edits below it: the note after it (Label20) needs the room up to Memo1.
      {"Edit1", &TForm1::Edit1,
       {"端点倍率", "（0より大きい値）", "size factor of point markers (> 0)"},
       K::Edit, 4, 72, 112, 53, 21, "1", {}, -1, 16, true, true},
      {"ComboBox3", &TForm1::ComboBox3,
       {"寸法値の文字種", "", "text type: 0 the host's current one, 1..10 that type"},
       K::List, 5, 136, 28, 169, 21, "", {}, -1, 0, true, true},
      {"Edit2", &TForm1::Edit2,
       {"接頭文字", "", "prefix of the value"},
       K::Edit, 6, 200, 56, 105, 21, "", {}, -1, 32, false, true},
      {"Edit3", &TForm1::Edit3,
       {"接尾文字", "", "suffix of the value"},
       K::Edit, 7, 200, 80, 105, 21, "", {}, -1, 32, false, true},
      {"ComboBox4", &TForm1::ComboBox4,
       {"寸法値の精度", "", "precision: 0 \"1\", 1 \"0.1\", ... 8 \"0.00000001\""},
       K::List, 8, 200, 136, 105, 21, "", kPrecisionItems, 3, 0, true, true},
      {"ComboBox5", &TForm1::ComboBox5,
       {"寸法値の丸め", "", "rounding: 0 切り捨て, 1 切り上げ, 2 四捨五入"},
       K::List, 9, 200, 160, 105, 21, "", kRoundingItems, 2, 0, true, true},
      {"RadioGroup1", &TForm1::RadioGroup1,
       {"小数点以下の０表示", "", "zeros after the point: 0 無 (dropped), 1 有 (shown)"},
       K::RadioGroup, 10, 8, 184, 145, 41, "小数点以下の０表示", {"無", "有"}, 0, 0, false, true},
      {"RadioGroup2", &TForm1::RadioGroup2,
       {"寸法値の単位", "", "unit: 0 mm, 1 ｍ"},
       K::RadioGroup, 11, 160, 184, 145, 41, "寸法値の単位", {"mm", "ｍ"}, 0, 0, false, true},
      {"CheckBox1", &TForm1::CheckBox1,
       {"３桁毎カンマ付加", "", "thousands separators: 0 or 1"},
       K::CheckBox, 12, 8, 232, 145, 17, "３桁毎カンマ付加", {}, 0, 0, false, true},
      {"CheckBox2", &TForm1::CheckBox2,
       {"単位の付加", "", "the unit after the value: 0 or 1"},
       K::CheckBox, 13, 152, 232, 105, 17, "単位の付加", {}, 0, 0, false, true},
      {"CheckBox3", &TForm1::CheckBox3,
       {"寸法値を全角化", "", "full-width value: 0 or 1"},
       K::CheckBox, 14, 256, 232, 129, 17, "寸法値を全角化", {}, 0, 0, false, true},
      {"CheckBox4", &TForm1::CheckBox4,
       {"寸法図形化", "", "dimension line and value as one entity: 0 or 1"},
       K::CheckBox, 15, 384, 232, 105, 17, "寸法図形化", {}, 0, 0, false, true},
      {"Edit4", &TForm1::Edit4,
       {"寸法値と水平線との距離", "", "value text to its base line, paper mm"},
       K::Edit, 16, 200, 252, 57, 21, "0.5", {}, -1, 16, true, true},
      {"Edit5", &TForm1::Edit5,
       {"計測点と寸法補助線の距離", "（0以上）", "measured point to extension line, paper mm (>= 0)"},
       K::Edit, 17, 200, 276, 57, 21, "2", {}, -1, 16, true, true},
      {"Edit6", &TForm1::Edit6,
       {"寸法補助線のはみ出し距離", "（0以上）", "extension line past the dimension line (>= 0)"},
       K::Edit, 18, 200, 300, 57, 21, "2", {}, -1, 16, true, true},
      {"Edit9", &TForm1::Edit9,
       {"逆矢印の寸法はみだし距離", "（0以上）", "dimension line past reversed markers (>= 0)"},
       K::Edit, 19, 200, 324, 57, 21, "2", {}, -1, 16, true, true},
      // Only for an outside dimension, below the notes, which are then shorter (kMemoHeightOutside).
      {"Edit10", &TForm1::Edit10,
       {"外側追加の間隔", "（0より大きい値）", "with --next outside: the new dimension line beyond the\n"
       "last one, paper mm (> 0)"},
       K::Edit, 20, 312, 204, 57, 21, "8", {}, -1, 16, true, true, 0, -1, TNext::Outside},
      {"Button1", {}, {}, K::Button, 21, 360, 264, 121, 33, "ＯＫ(&Y)", {}, -1, 0, false, true},
      {"Button2", {}, {}, K::Button, 22, 360, 312, 121, 33, "キャンセル(&N)", {}, -1, 0, false, true},
      // The notes in a 12-pixel font: their longest lines (twelve full-width characters) fit the
      // box beside the scroll bar in the Japanese faces Windows and Wine offer.
      {"Memo1", {}, {}, K::Memo, 23, 312, 0, 177, 225, "", {}, -1, 0, false, false, 12, 0xBBEBF4},
      // Docked at the bottom, 65 high, below the status line; holds the (blank) information pane.
      {"ScrollBox1", {}, {}, K::ScrollBox, 24, 0, 371, w, 65, "", {}, -1, 0, false, false},
      // In the information pane below the preview's line, within the controls' 492 pixels: it stays
      // in reach when the preview is hidden and the window narrows.
      {"CheckBox5", &TForm1::CheckBox5,
       {"プレビュー表示", "", "the preview panel is shown: 0 or 1"},
       K::CheckBox, 25, 8, 371 + 28, 129, 17, "プレビュー表示", {}, 1, 0, false, true},
      // What OK would draw, redrawn as the controls change; outside the tab order.
      {"PreviewPanel", {}, {}, K::Preview, -1, kPreviewLeft, kPreviewTop, kPreviewWidth, kPreviewHeight, "", {}, -1, 0, false,
       false},

      {"Label6", {}, {}, K::Label, -1, 8, 8, 0, 0, "始点", {}, -1, 0, false, false},
      {"Label7", {}, {}, K::Label, -1, 8, 32, 0, 0, "終点", {}, -1, 0, false, false},
      {"Label15", {}, {}, K::Label, -1, 8, 52, 0, 0, "（線矢印）", {}, -1, 0, false, false, 11},
      {"Label17", {}, {}, K::Label, -1, 8, 68, 0, 0, "長さ", {}, -1, 0, false, false},
      {"Label18", {}, {}, K::Label, -1, 88, 68, 0, 0, "図寸mm", {}, -1, 0, false, false},
      {"Label16", {}, {}, K::Label, -1, 8, 92, 0, 0, "角度", {}, -1, 0, false, false},
      {"Label19", {}, {}, K::Label, -1, 88, 92, 0, 0, "°", {}, -1, 0, false, false},
      {"Label1", {}, {}, K::Label, -1, 8, 116, 0, 0, "端点倍率", {}, -1, 0, false, false},
      {"Label20", {}, {}, K::Label, -1, 128, 116, 0, 0, "（点マーカ　線矢印を除く）", {}, -1, 0, false, false},
      {"Label2", {}, {}, K::Label, -1, 136, 8, 0, 0, "寸法値の文字種", {}, -1, 0, false, false},
      {"Label11", {}, {}, K::Label, -1, 136, 60, 0, 0, "接頭文字", {}, -1, 0, false, false},
      {"Label12", {}, {}, K::Label, -1, 136, 84, 0, 0, "接尾文字", {}, -1, 0, false, false},
      {"Label13", {}, {}, K::Label, -1, 8, 140, 0, 0, "寸法値の精度", {}, -1, 0, false, false},
      {"Label21", {}, {}, K::Label, -1, 8, 164, 0, 0, "寸法値の丸め", {}, -1, 0, false, false},
      {"Label3", {}, {}, K::Label, -1, 8, 256, 0, 0, "寸法値と水平線との距離", {}, -1, 0, false, false},
      {"Label4", {}, {}, K::Label, -1, 264, 256, 0, 0, "図寸mm", {}, -1, 0, false, false},
      {"Label5", {}, {}, K::Label, -1, 8, 280, 0, 0, "計測点と寸法補助線の距離", {}, -1, 0, false, false},
      {"Label8", {}, {}, K::Label, -1, 264, 280, 0, 0, "図寸mm", {}, -1, 0, false, false},
      {"Label9", {}, {}, K::Label, -1, 8, 304, 0, 0, "寸法補助線のはみ出し距離", {}, -1, 0, false, false},
      {"Label10", {}, {}, K::Label, -1, 264, 304, 0, 0, "図寸mm", {}, -1, 0, false, false},
      {"Label14", {}, {}, K::Label, -1, 8, 328, 0, 0, "逆矢印の寸法はみだし距離", {}, -1, 0, false, false},
      {"Label22", {}, {}, K::Label, -1, 264, 328, 0, 0, "図寸mm", {}, -1, 0, false, false},
      {"Label23", {}, {}, K::Label, -1, 312, 186, 0, 0, "外側追加の間隔", {}, -1, 0, false, false, 0, -1, TNext::Outside},
      {"Label24", {}, {}, K::Label, -1, 376, 208, 0, 0, "図寸mm", {}, -1, 0, false, false, 0, -1, TNext::Outside},
      // The status line: docked above the information pane, full width, text centred.
      {"LabelA1", &TForm1::LabelA1, {}, K::Label, -1, 0, 347, w, 24, kStatusIdle, {}, -1, 0, false, false, 0, 0xE7E7E7,
       TNext::None, TControlRole::StatusLine},
  };
  // clang-format on
}

}  // namespace

const std::vector<TControlEntry>& ControlTable() {
  static const std::vector<TControlEntry> table = BuildTable();
  return table;
}

const TControlEntry* FindControl(std::string_view name) {
  for (const TControlEntry& c : ControlTable()) {
    if (name == c.Name) return &c;
  }
  return nullptr;
}

bool IsSettable(const TControlEntry& entry) {
  return entry.Kind == TControlKind::List || entry.Kind == TControlKind::Edit ||
         entry.Kind == TControlKind::RadioGroup || entry.Kind == TControlKind::CheckBox;
}

std::string_view ControlFamily(std::string_view name) {
  return name.substr(0, name.find_last_not_of("0123456789") + 1);
}

int ControlNumber(std::string_view name) {
  int number = 0;
  for (char c : name.substr(ControlFamily(name).size())) number = number * 10 + (c - '0');
  return number;
}
