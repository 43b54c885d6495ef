// The one text of --help; its lines on the controls come from the control table.
#include <algorithm>
#include <string>
#include <vector>

#include "Options.h"
#include "Unit1.h"

namespace {

constexpr const char* kHelpBeforeControls =
    R"(Usage: q748 --ok [MODE] [--set CONTROL=VALUE]... [--stdout] [DIR]
       q748 --cancel [MODE] [--stdout] [DIR]
       q748 --settings --ok [MODE] [--set CONTROL=VALUE]... [DIR]
       q748 --preview FILE.svg [MODE] [--set CONTROL=VALUE]... [DIR]
       q748 --dump [DIR]
       q748 --help
MODE:  [--kind linear] [--direction D] [--next N | --pick line|fence]
       or --kind {KINDS_WITHOUT_DIRECTIONS}

q748 (ソラトＫ) draws a dimension for Jw_cad whose value text stands apart on a base line of its
own, joined to the dimension line by a leader: a vertical, horizontal or aligned dimension between
two points, the radius or diameter of a circle or arc, the length along an arc or the angle
between two lines; a whole row of dimensions across the lines a fence crosses, or the value of a
dimension already drawn moved out on a leader. Jw_cad writes JWC_TEMP.TXT into DIR
with the picked points (a linear dimension: 1, 2 the points to measure; 3 a point of the
dimension line; 4 the start of the value text), runs the command and reads JWC_TEMP.TXT back.
This is the command without its window. DIR defaults to the folder of the executable; each
direction and kind keeps its settings in DIR: {SETTINGS_FILES}.

  --ok       show the dialog without a window, press ＯＫ and close: the dimension is written to
             DIR/JWC_TEMP.TXT and the dialog's settings to the direction's settings file
  --cancel   show the dialog without a window and press キャンセル: JWC_TEMP.TXT becomes "hq"
  --preview FILE.svg
             draw the dialog's preview of the dimension (what ＯＫ would hand to Jw_cad) into
             FILE.svg; alone it leaves JWC_TEMP.TXT untouched and exits 1 when ＯＫ would refuse,
             with --ok or --cancel it draws the preview before the button is pressed
  --dump     print what reading DIR/JWC_TEMP.TXT gave, as JSON
  --kind {KINDS}
             what the dimension measures (linear when not given). radius, diameter: Jw_cad hands
             over the circle or arc picked at prompt 1 (REM #1ci) and 2 the start of the value
             text; the value is R or φ and the number, drawn from the centre towards where the
             circle was picked. arclength: the arc picked at prompt 1 (REM #1ci), 2 a point of the
             dimension arc, 3 the start of the value text; the value is ⌒ and the arc's length.
             angle: the lines picked at prompts 1 and 2 (REM #1ln, #2ln), 3 a point of the
             dimension arc (it chooses which of the four angles), 4 the start of the value text;
             the value is the angle and °. move: the value of a dimension already drawn (Jw_cad's
             or this command's) moved out on a leader. Jw_cad hands over a range selection (REM
             #h1) holding the value and its dimension line, and 1 the value's new start; the
             output begins with hd (Jw_cad deletes the selection), writes back every selected
             entity but the value as it was read, then the value at the new place along its
             dimension line with a base line and a leader from the point of the line nearest to
             where it stood. Refused, writing nothing: no value, two values, no dimension line,
             an entity that could not be written back
  --direction vertical|horizontal|aligned
             which dimension the dialog draws (vertical when not given): vertical in the drawing's
             axis angle, horizontal along it, or aligned with the line from point 1 to point 2.
             Each keeps its own settings: DIR/q746.dat, DIR/q746h.dat, DIR/q746a.dat. On Windows,
             q748.exe --direction D alone shows the dialog of that direction
  --next chain|outside
             continue the last dimension of the direction (recorded in its settings file): Jw_cad
             hands over two points only, 1 the new measured point and 2 the start of the value
             text. chain: from the last dimension's second point to the new one, on its dimension
             line; outside: from its first point to the new one, on a line Edit10 paper mm further
             out. The points used are recorded for the next run once the dimension is written
             (a run that draws nothing keeps the record). With --ok, --cancel, --preview,
             or (on Windows) alone with --direction for the dialog
  --pick line
             measure a line picked at prompt 1 (REM #1ln) instead of two points: its end nearer
             to where it was picked is point 1, the other point 2; 2 is then a point of the
             dimension line and 3 the start of the value text. Not with --next
  --pick fence
             a row of dimensions in one run: Jw_cad hands over the whole drawing (REM #h4), 1 and 2
             the ends of a fence and 3 a point of the dimension line. Every line crossing the
             fence (not a dimension's) gives a measured point; each two neighbours are one
             dimension on the same dimension line. A value that fits between its markers stands
             on the line; the others stand on base lines with leaders, in order and apart, beyond
             the line on the side away from the fence (further rows where a run would be pushed
             more than a text length). CheckBox7 moves every value out; CheckBox8 adds the
             overall dimension Edit10 paper mm beyond. The record is the row's last dimension,
             its row starting at the first point. Not with --next
  --settings the settings alone: with --ok the fields are checked and the mode's settings
             saved, and nothing is drawn (JWC_TEMP.TXT becomes "hq", the record of the last
             dimension stays). On Windows, q748.exe --settings [MODE] alone opens the dialog so,
             whatever its settings ask for: its 次回からダイアログを表示しない stands for every
             mode of the settings file (the settings launchers q748set.bat, q748hset.bat, ...)
  --set CONTROL=VALUE
             set one control after the saved settings are loaded (may be repeated):
)";

constexpr const char* kHelpAfterControls =
    R"(             An index past the last item leaves a list without a selection (OK then refuses it).
  --stdout   write the output (Shift-JIS, CR LF) to standard output instead of DIR/JWC_TEMP.TXT
  --help     print this text

Exit status: 0 done; 1 OK refused: standard error names the control that would take the focus
or the message shown (the measured points level, a point missing, a number too large to compute,
no line or circle picked, an ellipse, fewer than two lines crossing a fence),
and JWC_TEMP.TXT becomes "hq" as after キャンセル; 2 usage or I/O error.
A file that cannot be written (in use by another program for more than about 5 seconds, a folder
without write permission, a full disk) keeps what it held, and standard error says which and why:
JWC_TEMP.TXT then still holds Jw_cad's own input, which Jw_cad takes as nothing to draw.
)";

// One line for each control that --set takes: lists, radio groups, check boxes, then edits, each
// kind in the order of its numbers; the name in a column of its own, continuation lines under the
// text.
std::string ControlLines() {
  constexpr TControlKind kOrder[] = {TControlKind::List, TControlKind::RadioGroup, TControlKind::CheckBox,
                                     TControlKind::Edit};
  const std::string indent(15, ' ');
  const std::string under(28, ' ');
  std::string lines;
  for (TControlKind kind : kOrder) {
    std::vector<const TControlEntry*> entries;
    for (const TControlEntry& c : ControlTable()) {
      if (c.Kind == kind && IsSettable(c)) entries.push_back(&c);
    }
    std::sort(entries.begin(), entries.end(), [](const TControlEntry* a, const TControlEntry* b) {
      return ControlNumber(a->Name) < ControlNumber(b->Name);
    });
    for (const TControlEntry* c : entries) {
      std::string name = c->Name;
      name.resize(std::max<std::size_t>(name.size() + 1, 13), ' ');
      std::string text = std::string(c->Title) + ", " + c->Help + AcceptedHelp(*c);
      for (std::size_t nl = text.find('\n'); nl != std::string::npos; nl = text.find('\n', nl + 1)) {
        text.insert(nl + 1, under);
      }
      lines += indent + name + text + "\n";
    }
  }
  return lines;
}

// The kinds' names joined by "|" (those without directions only, when asked).
std::string KindNames(bool withoutDirectionsOnly) {
  std::string names;
  for (TKind k : AllKinds()) {
    if (withoutDirectionsOnly && KindEntry(k).HasDirections) continue;
    names += (names.empty() ? "" : "|") + std::string(KindEntry(k).Name);
  }
  return names;
}

// "vertical q746.dat, horizontal q746h.dat, ..., angle q746ang.dat", wrapped to the help's width.
std::string SettingsFiles() {
  std::vector<std::string> items;
  for (TDirection d : AllDirections())
    items.push_back(std::string(DirectionEntry(d).Name) + " " + DirectionEntry(d).SettingsFile);
  for (TKind k : AllKinds()) {
    if (!KindEntry(k).HasDirections)
      items.push_back(std::string(KindEntry(k).Name) + " " + KindEntry(k).SettingsFile);
  }
  std::string text;
  std::size_t column = 48;  // where the list starts on its line
  for (std::size_t i = 0; i < items.size(); ++i) {
    const std::string item = items[i] + (i + 1 < items.size() ? "," : "");
    if (column + 1 + item.size() > 95) {
      text += "\n";
      column = 0;
    } else if (i > 0) {
      text += " ";
      ++column;
    }
    text += item;
    column += item.size();
  }
  return text;
}

std::string Replaced(std::string text, std::string_view key, const std::string& by) {
  const std::size_t at = text.find(key);
  if (at != std::string::npos) text.replace(at, key.size(), by);
  return text;
}

}  // namespace

std::string_view HelpText() {
  static const std::string text = [] {
    std::string before = kHelpBeforeControls;
    before = Replaced(before, "{KINDS_WITHOUT_DIRECTIONS}", KindNames(true));
    before = Replaced(before, "{KINDS}", KindNames(false));
    before = Replaced(before, "{SETTINGS_FILES}", SettingsFiles());
    return before + ControlLines() + kHelpAfterControls;
  }();
  return text;
}
