// Controls.h: the dialog's controls as plain data (Shift-JIS texts), which a view copies in and out.
#pragma once

#include <string>
#include <vector>

// ---- Plain controls ------------------------------------------------------------------------------

struct TComboBox {
  std::vector<std::string> Items;
  int ItemIndex = -1;  // -1: no selection
  // An index outside the items (past the last, or negative) leaves no selection.
  void SetItemIndex(int i) { ItemIndex = (i >= 0 && i < static_cast<int>(Items.size())) ? i : -1; }
};

struct TRadioGroup {
  std::vector<std::string> Items;
  int ItemIndex = -1;
  // An index past the last item selects the last item; a negative one clears the selection.
  void SetItemIndex(int i) {
    const int n = static_cast<int>(Items.size());
    ItemIndex = i < 0 ? -1 : (i >= n ? n - 1 : i);
  }
};

struct TEdit {
  std::string Text;
  int MaxLength = 0;  // restrains typing only; a longer text set by the program stays whole
};

struct TCheckBox {
  bool Checked = false;
};

struct TLabel {
  std::string Caption;
};
