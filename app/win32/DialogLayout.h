// DialogLayout.h: the windows of the dialog, derived from the control table of Unit1.h. The
// table names each control with its place at 96 dpi; this adds what Win32 needs besides: the
// group box and buttons of a radio group, the panel inside the scroll box with the preview's
// line of information, the creation order
// (which is the tab order), group starts and control ids. A new control is a new table row.
#pragma once

#include <string>
#include <vector>

#include "Unit1.h"

enum class TChildClass {
  ComboList,  // drop-down list that cannot be typed into
  Edit,
  GroupBox,     // the frame and caption of a radio group
  RadioButton,  // one item of a radio group
  CheckBox,
  PushButton,
  Memo,  // read-only multi-line text
  Pane,  // scroll box or panel: a plain white area
  Label,
  Preview,  // the picture of what OK would draw
};

struct TBounds {
  int Left = 0, Top = 0, Width = 0, Height = 0;  // 96-dpi pixels in the parent's client area
};

struct TChildWindow {
  std::string Name;  // the control's name; a radio button carries its group's name
  int Item = -1;     // radio button: its item index
  TChildClass Class = TChildClass::Label;
  int Parent = -1;  // index of the parent window in the list; -1: the dialog itself
  TBounds Bounds;   // a label of width 0 takes the size of its text
  int Id = 0;       // control id (IDOK and IDCANCEL for the two buttons)
  bool TabStop = false;
  bool GroupStart = true;  // WS_GROUP: every window but the later buttons of a radio group
  bool ImeOff = false;
  int FontHeight = 13;  // 96-dpi pixels
  int BackColour = -1;  // 0xRRGGBB; -1: the dialog's white
  TControlRole Role = TControlRole::Plain;
  std::string CaptionSjis;   // caption of a label, button, check box, group box or radio button
  std::string HintSjis;      // the tip shown over it; empty for none
  bool MarkerItems = false;  // a drop-down list whose items show their end marker's shape
  bool Enabled = true;       // false: a control that means nothing for the kind drawn
};

// In creation order: the tab-order controls first, by tab order (a mode's own fields before the
// others), then the rest. The scroll box
// brings its Panel1, and Panel1 the preview's line of information (kPreviewInfo). Controls of
// another continued mode are left out; an outside dimension's notes are shorter; controls that
// mean nothing for the kind are disabled.
std::vector<TChildWindow> DialogChildren(const std::vector<TControlEntry>& table,
                                         const TDimensionMode& mode = {});

// The label in the information pane that tells the previewed value text, length, scale and axis.
inline constexpr const char* kPreviewInfo = "PreviewInfo";

// The height of a marker list's items, 96-dpi pixels.
inline constexpr int kMarkerItemHeight = 18;

// The ids of the two buttons; the other controls are numbered from kFirstControlId.
inline constexpr int kOkButtonId = 1;      // IDOK
inline constexpr int kCancelButtonId = 2;  // IDCANCEL
inline constexpr int kFirstControlId = 1000;
