#include "DialogLayout.h"

#include <algorithm>
#include <string_view>

namespace {

// The radio buttons of a two-column group stand side by side below the caption: columns of
// (width - 10) / 2 from 8 pixels in, below a caption of the form's 13-pixel font.
constexpr int kRadioColumns = 2;
constexpr int kRadioInset = 8;
constexpr int kRadioCaptionHeight = 13;

// Panel1 of the information pane lies at -3, -3 so that its border stays out of sight; it is as
// wide as the window.
constexpr TBounds kInformationPanel{-3, -3, kFormClientWidth + 6, 200};
// The preview's line in Panel1: one row of the form's font, 8 pixels in from the pane's edge.
constexpr TBounds kInformationLine{3 + 8, 3 + 6, kFormClientWidth - 20, 16};

TChildClass ClassOf(const TControlEntry& entry) {
  switch (entry.Kind) {
    case TControlKind::List: return TChildClass::ComboList;
    case TControlKind::Edit: return TChildClass::Edit;
    case TControlKind::RadioGroup: return TChildClass::GroupBox;
    case TControlKind::CheckBox: return TChildClass::CheckBox;
    case TControlKind::Button: return TChildClass::PushButton;
    case TControlKind::Memo: return TChildClass::Memo;
    case TControlKind::ScrollBox: return TChildClass::Pane;
    case TControlKind::Label: return TChildClass::Label;
    case TControlKind::Preview: return TChildClass::Preview;
  }
  return TChildClass::Label;
}

TChildWindow FromEntry(const TControlEntry& entry) {
  TChildWindow w;
  w.Name = entry.Name;
  w.Class = ClassOf(entry);
  w.Bounds = {entry.Left, entry.Top, entry.Width, entry.Height};
  w.TabStop = entry.TabStop;
  w.ImeOff = entry.ImeOff;
  if (entry.FontHeight > 0) w.FontHeight = entry.FontHeight;
  w.BackColour = entry.BackColour;
  w.Role = entry.Role;
  w.HintSjis = ControlHint(entry);
  w.MarkerItems = entry.MarkerItems;
  if (entry.Kind != TControlKind::Edit && entry.Kind != TControlKind::List)
    w.CaptionSjis = SjisText(entry.Caption);
  return w;
}

// A group that means nothing for the kind is disabled whole: its frame and every button.
void AddRadioGroup(const TControlEntry& entry, bool enabled, std::vector<TChildWindow>& out) {
  const int count = static_cast<int>(entry.Items.size());
  const int perColumn = std::max(1, (count + kRadioColumns - 1) / kRadioColumns);
  const int width = (entry.Width - 10) / kRadioColumns;
  const int free = entry.Height - kRadioCaptionHeight - 5;
  const int height = free / perColumn;
  const int top = kRadioCaptionHeight + 1 + (free % perColumn) / 2;
  for (int i = 0; i < count; ++i) {
    TChildWindow b = FromEntry(entry);
    b.Class = TChildClass::RadioButton;
    b.Item = i;
    b.Bounds = {entry.Left + kRadioInset + (i / perColumn) * width,
                entry.Top + top + (i % perColumn) * height, width, height};
    b.CaptionSjis = SjisText(entry.Items[static_cast<size_t>(i)]);
    b.GroupStart = i == 0;  // the buttons of one group share a WS_GROUP run
    b.Enabled = enabled;
    out.push_back(b);
  }
  // The frame comes after its buttons: it closes their group and lies beneath them.
  TChildWindow frame = FromEntry(entry);
  frame.TabStop = false;
  frame.Enabled = enabled;
  out.push_back(frame);
}

}  // namespace

std::vector<TChildWindow> DialogChildren(const std::vector<TControlEntry>& table,
                                         const TDimensionMode& mode) {
  // Created in the order of the rows, which is the tab order, except that the fields of the mode's
  // own (the outside distance) come first: the dialog opens on them.
  std::vector<const TControlEntry*> rows;
  const auto own = [](const TControlEntry& row) { return row.OnlyWhen != TShownIn::Always && row.TabStop; };
  for (const TControlEntry& row : table) {
    if (IsShown(row, mode) && own(row)) rows.push_back(&row);
  }
  for (const TControlEntry& row : table) {
    if (IsShown(row, mode) && !own(row)) rows.push_back(&row);
  }
  std::vector<TChildWindow> out;
  for (const TControlEntry* entry : rows) {
    if (entry->Kind == TControlKind::RadioGroup) {
      AddRadioGroup(*entry, IsUsed(*entry, mode), out);
      continue;
    }
    out.push_back(FromEntry(*entry));
    out.back().Enabled = IsUsed(*entry, mode);
    if (entry->Kind == TControlKind::Memo) out.back().Bounds.Height = MemoHeight(mode);
    if (entry->Kind == TControlKind::ScrollBox) {
      TChildWindow panel;
      panel.Name = "Panel1";
      panel.Class = TChildClass::Pane;
      panel.Parent = static_cast<int>(out.size()) - 1;
      panel.Bounds = kInformationPanel;
      out.push_back(panel);
      TChildWindow info;
      info.Name = kPreviewInfo;
      info.Class = TChildClass::Label;
      info.Role = TControlRole::InformationLine;
      info.Parent = static_cast<int>(out.size()) - 1;
      info.Bounds = kInformationLine;
      out.push_back(info);
    }
  }
  for (size_t i = 0; i < out.size(); ++i) {
    TChildWindow& w = out[i];
    if (w.Name == "Button1") {
      w.Id = kOkButtonId;
    } else if (w.Name == "Button2") {
      w.Id = kCancelButtonId;
    } else {
      w.Id = kFirstControlId + static_cast<int>(i);
    }
  }
  return out;
}
