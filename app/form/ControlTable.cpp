// The dialog's controls as one table: the model takes its starting values from it and the Win32
// view creates its windows from it.
#include <algorithm>
#include <string>
#include <vector>

#include "MyFunc.h"
#include "Unit1.h"

namespace {

using K = TControlKind;

const std::vector<const char*> kMarkerItems = {"線矢印", "△", "□",  "Ｏ", "○",  "■",
                                               "▲",      "●", "～", "＞", "／", "△"};
const std::vector<const char*> kPrecisionItems = {"1",       "0.1",      "0.01",      "0.001",     "0.0001",
                                                  "0.00001", "0.000001", "0.0000001", "0.00000001"};
const std::vector<const char*> kRoundingItems = {"切り捨て", "切り上げ", "四捨五入"};

// The rows that take the focus, in the tab order; then the preview panel, the fixed labels and the
// status line, which the focus passes by.
std::vector<TControlEntry> BuildTable() {
  const int w = kFormClientWidth;
  // clang-format off
  return {
      {.Name = "ComboBox1", .Member = &TForm1::ComboBox1, .Kind = K::List,
       .Title = "始点",
       .Help = "the marker at point 1, an item index:\n"
               "0 線矢印 (line arrow), 1 △, 2 □, 3 Ｏ, 4 ○, 5 ■, 6 ▲, 7 ●, 8 ～, 9 ＞,\n"
               "10 ／, 11 △ (the host's marker 11)",
       .Left = 48, .Top = 4, .Width = 81, .Height = 21,
       .Items = kMarkerItems, .MarkerItems = true, .StartIndex = 0, .ImeOff = true, .TabStop = true, .AccessKey = 'S',
       .Line = 3, .Feeds = &TDimensionInput::StartMarker, .CheckRank = 1},
      {.Name = "ComboBox2", .Member = &TForm1::ComboBox2, .Kind = K::List,
       .Title = "終点", .Help = "the marker at point 2, the same items",
       .Left = 48, .Top = 28, .Width = 81, .Height = 21,
       .Items = kMarkerItems, .MarkerItems = true, .StartIndex = 0, .ImeOff = true, .TabStop = true, .AccessKey = 'E',
       .Line = 4, .Feeds = &TDimensionInput::EndMarker, .CheckRank = 2},
      {.Name = "Edit7", .Member = &TForm1::Edit7, .Kind = K::Edit,
       .Title = "線矢印の長さ", .Help = "line arrow length, paper mm", .Accepts = Above(0).AtMost(1000),
       .Left = 48, .Top = 64, .Width = 33, .Height = 21,
       .Caption = "3", .MaxLength = 8, .ImeOff = true, .TabStop = true, .AccessKey = 'L',
       .Line = 14, .Feeds = &TDimensionInput::ArrowLength, .CheckRank = 4, .PaperWeight = 1},
      {.Name = "Edit8", .Member = &TForm1::Edit8, .Kind = K::Edit,
       .Title = "線矢印の角度", .Help = "line arrow angle, degrees", .Accepts = Above(0).Below(180),
       .Left = 48, .Top = 88, .Width = 33, .Height = 21,
       .Caption = "15", .MaxLength = 8, .ImeOff = true, .TabStop = true, .AccessKey = 'A',
       .Line = 15, .Feeds = &TDimensionInput::ArrowAngle, .CheckRank = 5},
      // Narrower than the edits below it: the note after it (Label20) needs the room up to Memo1.
      {.Name = "Edit1", .Member = &TForm1::Edit1, .Kind = K::Edit,
       .Title = "端点倍率", .Help = "size factor of point markers", .Accepts = Above(0),
       .Left = 72, .Top = 112, .Width = 53, .Height = 21,
       .Caption = "1", .MaxLength = 16, .ImeOff = true, .TabStop = true, .AccessKey = 'F',
       .Line = 8, .Feeds = &TDimensionInput::MarkerFactor, .CheckRank = 3},
      {.Name = "ComboBox3", .Member = &TForm1::ComboBox3, .Kind = K::List,
       .Title = "寸法値の文字種", .Help = "text type: 0 the host's current one, 1..10 that type",
       .Left = 136, .Top = 28, .Width = 169, .Height = 21,
       .ImeOff = true, .TabStop = true, .AccessKey = 'T',
       .Line = 5, .Feeds = &TDimensionInput::TextTypeItem, .CheckRank = 6},
      {.Name = "Edit2", .Member = &TForm1::Edit2, .Kind = K::Edit,
       .Title = "接頭文字", .Help = "prefix of the value",
       .Left = 200, .Top = 56, .Width = 105, .Height = 21,
       .MaxLength = 32, .TabStop = true, .AccessKey = 'P',
       .Line = 9, .Feeds = &TValueSettings::Prefix},
      {.Name = "Edit3", .Member = &TForm1::Edit3, .Kind = K::Edit,
       .Title = "接尾文字", .Help = "suffix of the value",
       .Left = 200, .Top = 80, .Width = 105, .Height = 21,
       .MaxLength = 32, .TabStop = true, .AccessKey = 'X',
       .Line = 10, .Feeds = &TValueSettings::Suffix},
      {.Name = "ComboBox4", .Member = &TForm1::ComboBox4, .Kind = K::List,
       .Title = "寸法値の精度", .Help = "precision: 0 \"1\", 1 \"0.1\", ... 8 \"0.00000001\"",
       .Left = 200, .Top = 136, .Width = 105, .Height = 21,
       .Items = kPrecisionItems, .StartIndex = 3, .ImeOff = true, .TabStop = true, .AccessKey = 'D',
       .Line = 6, .Feeds = &TValueSettings::Decimals, .CheckRank = 7},
      {.Name = "ComboBox5", .Member = &TForm1::ComboBox5, .Kind = K::List,
       .Title = "寸法値の丸め", .Help = "rounding: 0 切り捨て, 1 切り上げ, 2 四捨五入",
       .Left = 200, .Top = 160, .Width = 105, .Height = 21,
       .Items = kRoundingItems, .StartIndex = 2, .ImeOff = true, .TabStop = true, .AccessKey = 'R',
       .Line = 7, .Feeds = &TValueSettings::Mode, .CheckRank = 8},
      {.Name = "RadioGroup1", .Member = &TForm1::RadioGroup1, .Kind = K::RadioGroup,
       .Title = "小数点以下の０表示", .Help = "zeros after the point: 0 無 (dropped), 1 有 (shown)",
       .Left = 8, .Top = 184, .Width = 145, .Height = 41,
       .Caption = "小数点以下の０表示", .Items = {"無", "有"}, .StartIndex = 0, .TabStop = true, .AccessKey = 'Z',
       .Line = 17, .Feeds = &TValueSettings::Zeros, .CheckRank = 9},
      {.Name = "RadioGroup2", .Member = &TForm1::RadioGroup2, .Kind = K::RadioGroup,
       .Title = "寸法値の単位", .Help = "unit: 0 mm, 1 ｍ",
       .Left = 160, .Top = 184, .Width = 145, .Height = 41,
       .Caption = "寸法値の単位", .Items = {"mm", "ｍ"}, .StartIndex = 0, .TabStop = true, .AccessKey = 'U',
       .Line = 18, .Feeds = &TValueSettings::Unit, .CheckRank = 10},
      // The check boxes of one row end where the next begins.
      {.Name = "CheckBox1", .Member = &TForm1::CheckBox1, .Kind = K::CheckBox,
       .Title = "３桁毎カンマ付加", .Help = "thousands separators: 0 or 1",
       .Left = 8, .Top = 232, .Width = 144, .Height = 17,
       .Caption = "３桁毎カンマ付加", .StartIndex = 0, .TabStop = true, .AccessKey = 'C',
       .Line = 19, .Feeds = &TValueSettings::Grouped},
      {.Name = "CheckBox2", .Member = &TForm1::CheckBox2, .Kind = K::CheckBox,
       .Title = "単位の付加", .Help = "the unit after the value: 0 or 1",
       .Left = 152, .Top = 232, .Width = 104, .Height = 17,
       .Caption = "単位の付加", .StartIndex = 0, .TabStop = true, .AccessKey = 'M',
       .Line = 20, .Feeds = &TValueSettings::WithUnit},
      {.Name = "CheckBox3", .Member = &TForm1::CheckBox3, .Kind = K::CheckBox,
       .Title = "寸法値を全角化", .Help = "full-width value: 0 or 1",
       .Left = 256, .Top = 232, .Width = 128, .Height = 17,
       .Caption = "寸法値を全角化", .StartIndex = 0, .TabStop = true, .AccessKey = 'W',
       .Line = 21, .Feeds = &TValueSettings::FullWidth},
      {.Name = "CheckBox4", .Member = &TForm1::CheckBox4, .Kind = K::CheckBox,
       .Title = "寸法図形化", .Help = "dimension line and value as one entity: 0 or 1",
       .Left = 384, .Top = 232, .Width = 105, .Height = 17,
       .Caption = "寸法図形化", .StartIndex = 0, .TabStop = true, .AccessKey = 'G',
       .Line = 22, .Feeds = &TDimensionInput::Combined},
      {.Name = "Edit4", .Member = &TForm1::Edit4, .Kind = K::Edit,
       .Title = "寸法値と水平線との距離", .Help = "value text to its base line, paper mm", .Accepts = AnyNumber(),
       .Left = 200, .Top = 252, .Width = 57, .Height = 21,
       .Caption = "0.5", .MaxLength = 16, .ImeOff = true, .TabStop = true, .AccessKey = 'H',
       .Line = 11, .Feeds = &TDimensionInput::TextGap, .CheckRank = 11, .PaperWeight = 2},
      {.Name = "Edit5", .Member = &TForm1::Edit5, .Kind = K::Edit,
       .Title = "計測点と寸法補助線の距離", .Help = "measured point to extension line, paper mm", .Accepts = AtLeast(0),
       .Left = 200, .Top = 276, .Width = 57, .Height = 21,
       .Caption = "2", .MaxLength = 16, .ImeOff = true, .TabStop = true, .AccessKey = 'K',
       .Line = 12, .Feeds = &TDimensionInput::PointGap, .CheckRank = 12, .PaperWeight = 1},
      {.Name = "Edit6", .Member = &TForm1::Edit6, .Kind = K::Edit,
       .Title = "寸法補助線のはみ出し距離", .Help = "extension line past the dimension line", .Accepts = AtLeast(0),
       .Left = 200, .Top = 300, .Width = 57, .Height = 21,
       .Caption = "2", .MaxLength = 16, .ImeOff = true, .TabStop = true, .AccessKey = 'J',
       .Line = 13, .Feeds = &TDimensionInput::Overhang, .CheckRank = 13, .PaperWeight = 1},
      {.Name = "Edit9", .Member = &TForm1::Edit9, .Kind = K::Edit,
       .Title = "逆矢印の寸法はみだし距離", .Help = "dimension line past reversed markers", .Accepts = AtLeast(0),
       .Left = 200, .Top = 324, .Width = 57, .Height = 21,
       .Caption = "2", .MaxLength = 16, .ImeOff = true, .TabStop = true, .AccessKey = 'B',
       .Line = 16, .Feeds = &TDimensionInput::ReverseOverhang, .CheckRank = 14, .PaperWeight = 1},
      // Only for a row: below the notes, which are then shorter (MemoHeight).
      {.Name = "CheckBox7", .Member = &TForm1::CheckBox7, .Kind = K::CheckBox,
       .Title = "全ての寸法値を引き出す",
       .Help = "with --pick fence: every value moved out on a leader, also\nthose that fit on the line: 0 or 1",
       .Left = 312, .Top = 146, .Width = 177, .Height = 17,
       .Caption = "全ての寸法値を引き出す", .StartIndex = 0, .TabStop = true, .AccessKey = 'V',
       .OnlyWhen = TShownIn::Row, .Line = 37, .Feeds = &TDimensionInput::AllOut},
      {.Name = "CheckBox8", .Member = &TForm1::CheckBox8, .Kind = K::CheckBox,
       .Title = "全体寸法を追加",
       .Help = "with --pick fence: the overall dimension, Edit10 beyond the\nrow: 0 or 1",
       .Left = 312, .Top = 166, .Width = 177, .Height = 17,
       .Caption = "全体寸法を追加", .StartIndex = 0, .TabStop = true,
       .OnlyWhen = TShownIn::Row, .Line = 38, .Feeds = &TDimensionInput::Overall},
      // Only for an outside dimension and a row, below the notes.
      {.Name = "Edit10", .Member = &TForm1::Edit10, .Kind = K::Edit,
       .Title = "外側追加の間隔",
       .Help = "with --next outside: the new dimension line beyond the\nlast one; with --pick fence: the overall dimension's line\nbeyond the row; paper mm",
       .Accepts = Above(0),
       .Left = 312, .Top = 204, .Width = 57, .Height = 21,
       .Caption = "8", .MaxLength = 16, .ImeOff = true, .TabStop = true, .AccessKey = 'O', .OnlyWhen = TShownIn::OutsideAndRow,
       .Line = 33, .Feeds = &TDimensionInput::OutsideGap, .CheckRank = 15},
      {.Name = "Button1", .Kind = K::Button, .Left = 360, .Top = 264, .Width = 121, .Height = 33,
       .Caption = "ＯＫ(&Y)", .TabStop = true},
      {.Name = "Button2", .Kind = K::Button, .Left = 360, .Top = 312, .Width = 121, .Height = 33,
       .Caption = "キャンセル(&N)", .TabStop = true},
      // The notes in a 12-pixel font: their longest lines (twelve full-width characters) fit the
      // box beside the scroll bar in the Japanese faces Windows and Wine offer.
      {.Name = "Memo1", .Kind = K::Memo, .Left = 312, .Top = 0, .Width = 177, .Height = 225,
       .FontHeight = 12, .BackColour = 0xBBEBF4},
      // Docked at the bottom, 65 high, below the status line; holds the (blank) information pane.
      {.Name = "ScrollBox1", .Kind = K::ScrollBox, .Left = 0, .Top = 371, .Width = w, .Height = 65},
      // In the information pane below the preview's line, within the controls' 492 pixels: it stays
      // in reach when the preview is hidden and the window narrows.
      {.Name = "CheckBox5", .Member = &TForm1::CheckBox5, .Kind = K::CheckBox,
       .Title = "プレビュー表示", .Help = "the preview panel is shown: 0 or 1",
       .Left = 8, .Top = 371 + 28, .Width = 129, .Height = 17,
       .Caption = "プレビュー表示", .StartIndex = 1, .TabStop = true, .AccessKey = 'I',
       .Line = 32},
      // Beside it: OK at once with these settings from the next run on, until Shift is held at the
      // start. Its tip says how to get the dialog back.
      {.Name = "CheckBox6", .Member = &TForm1::CheckBox6, .Kind = K::CheckBox,
       .Title = "次回からダイアログを表示しない",
       .Help = "the next runs of this mode draw at once with these settings,\n"
               "without the dialog (Shift held when the program starts, in\n"
               "Jw_cad while the last point is picked, shows it): 0 or 1",
       .Tip = "Jw_cad で最後の点を Shift キーを押しながら指示すると、ダイアログが表示されます",
       .Left = 144, .Top = 371 + 28, .Width = 337, .Height = 17,
       .Caption = "次回からダイアログを表示しない", .StartIndex = 0,
       .TabStop = true, .AccessKey = 'Q',
       .Line = 36, .PerMode = true},
      // What OK would draw, redrawn as the controls change.
      {.Name = "PreviewPanel", .Kind = K::Preview,
       .Left = kPreviewLeft, .Top = kPreviewTop, .Width = kPreviewWidth, .Height = kPreviewHeight},

      {.Name = "Label6", .Left = 8, .Top = 8, .Caption = "始点"},
      {.Name = "Label7", .Left = 8, .Top = 32, .Caption = "終点"},
      {.Name = "Label15", .Left = 8, .Top = 52, .Caption = "（線矢印）", .FontHeight = 11},
      {.Name = "Label17", .Left = 8, .Top = 68, .Caption = "長さ"},
      {.Name = "Label18", .Left = 88, .Top = 68, .Caption = "図寸mm"},
      {.Name = "Label16", .Left = 8, .Top = 92, .Caption = "角度"},
      {.Name = "Label19", .Left = 88, .Top = 92, .Caption = "°"},
      {.Name = "Label1", .Left = 8, .Top = 116, .Caption = "端点倍率"},
      {.Name = "Label20", .Left = 128, .Top = 116, .Caption = "（点マーカ　線矢印を除く）"},
      {.Name = "Label2", .Left = 136, .Top = 8, .Caption = "寸法値の文字種"},
      {.Name = "Label11", .Left = 136, .Top = 60, .Caption = "接頭文字"},
      {.Name = "Label12", .Left = 136, .Top = 84, .Caption = "接尾文字"},
      {.Name = "Label13", .Left = 8, .Top = 140, .Caption = "寸法値の精度"},
      {.Name = "Label21", .Left = 8, .Top = 164, .Caption = "寸法値の丸め"},
      {.Name = "Label3", .Left = 8, .Top = 256, .Caption = "寸法値と水平線との距離"},
      {.Name = "Label4", .Left = 264, .Top = 256, .Caption = "図寸mm"},
      {.Name = "Label5", .Left = 8, .Top = 280, .Caption = "計測点と寸法補助線の距離"},
      {.Name = "Label8", .Left = 264, .Top = 280, .Caption = "図寸mm"},
      {.Name = "Label9", .Left = 8, .Top = 304, .Caption = "寸法補助線のはみ出し距離"},
      {.Name = "Label10", .Left = 264, .Top = 304, .Caption = "図寸mm"},
      {.Name = "Label14", .Left = 8, .Top = 328, .Caption = "逆矢印の寸法はみだし距離"},
      {.Name = "Label22", .Left = 264, .Top = 328, .Caption = "図寸mm"},
      {.Name = "Label23", .Left = 312, .Top = 186, .Caption = "外側追加の間隔", .OnlyWhen = TShownIn::Outside},
      {.Name = "Label25", .Left = 312, .Top = 186, .Caption = "全体寸法の間隔", .OnlyWhen = TShownIn::Row},
      {.Name = "Label24", .Left = 376, .Top = 208, .Caption = "図寸mm", .OnlyWhen = TShownIn::OutsideAndRow},
      // The status line: docked above the information pane, full width, text centred.
      {.Name = "LabelA1", .Member = &TForm1::LabelA1, .Left = 0, .Top = 347, .Width = w, .Height = 24,
       .Caption = kStatusIdle, .BackColour = 0xE7E7E7, .Role = TControlRole::StatusLine},
  };
  // clang-format on
}

// A bound as the status line says it: "0より大きく" / "0以上" before an upper bound, "0より大きい値"
// / "0以上" alone; "1000以下" / "180未満".
std::string LowStatus(const TAccepted& a, bool alone) {
  const std::string v = FloatToText(a.Low);
  if (a.LowKind == TBound::Closed) return v + "以上";
  return v + (alone ? "より大きい値" : "より大きく");
}

std::string HelpBound(TBound kind, const char* open, const char* closed, double v) {
  return std::string(kind == TBound::Open ? open : closed) + " " + FloatToText(v);
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

bool IsShown(const TControlEntry& entry, const TDimensionMode& mode) {
  const bool outside = mode.Next == TNext::Outside, row = mode.Pick == TPick::Fence;
  switch (entry.OnlyWhen) {
    case TShownIn::Always: return true;
    case TShownIn::Outside: return outside;
    case TShownIn::Row: return row;
    case TShownIn::OutsideAndRow: return outside || row;
  }
  return true;
}

int MemoHeight(const TDimensionMode& mode) {
  if (mode.Pick == TPick::Fence) return kMemoHeightRow;
  return mode.Next == TNext::Outside ? kMemoHeightOutside : FindControl("Memo1")->Height;
}

bool IsUsed(const TControlEntry& entry, const TDimensionMode& mode) {
  const std::vector<const char*>& unused = KindEntry(mode.Kind).Unused;
  return IsShown(entry, mode) && std::none_of(unused.begin(), unused.end(), [&](const char* name) {
           return std::string_view(name) == entry.Name;
         });
}

std::string ControlHint(const TControlEntry& entry) {
  if (entry.Member == TControlMember{} || !*entry.Title) return std::string();
  std::string hint = std::string(entry.Title) + AcceptedStatus(entry);
  if (*entry.Tip) hint += std::string("\n") + entry.Tip;
  if (entry.AccessKey != 0) hint += std::string("　Alt+") + entry.AccessKey;
  return SjisText(hint);
}

const TControlEntry* FindAccessKey(char letter, const TDimensionMode& mode) {
  if (letter >= 'a' && letter <= 'z') letter = static_cast<char>(letter - 'a' + 'A');
  for (const TControlEntry& c : ControlTable()) {
    if (c.AccessKey == letter && IsUsed(c, mode)) return &c;
  }
  return nullptr;
}

bool TAccepted::Takes(double v) const {
  const bool low = LowKind == TBound::None || (LowKind == TBound::Open ? v > Low : v >= Low);
  const bool high = HighKind == TBound::None || (HighKind == TBound::Open ? v < High : v <= High);
  return low && high;
}

std::string AcceptedStatus(const TControlEntry& entry) {
  const TAccepted& a = entry.Accepts;
  if (!a.Number) return std::string();
  if (a.LowKind == TBound::None && a.HighKind == TBound::None) return "（数値）";
  std::string s = a.LowKind == TBound::None ? std::string() : LowStatus(a, a.HighKind == TBound::None);
  if (a.HighKind != TBound::None) s += FloatToText(a.High) + (a.HighKind == TBound::Open ? "未満" : "以下");
  return "（" + s + "）";
}

std::string AcceptedHelp(const TControlEntry& entry) {
  const TAccepted& a = entry.Accepts;
  std::vector<std::string> bounds;
  if (a.LowKind != TBound::None) bounds.push_back(HelpBound(a.LowKind, ">", ">=", a.Low));
  if (a.HighKind != TBound::None) bounds.push_back(HelpBound(a.HighKind, "<", "<=", a.High));
  if (!a.Number) return std::string();
  if (bounds.empty()) return " (a number)";
  return " (" + bounds[0] + (bounds.size() > 1 ? ", " + bounds[1] : std::string()) + ")";
}
