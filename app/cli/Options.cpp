// Parsing the headless command line into TCliOptions; nothing is touched before it succeeds.
#include "Options.h"

#include <charconv>

#include "MyFunc.h"
#include "Unit1.h"

namespace {

bool ParseIndex(std::string_view s, int& value) {
  const char* end = s.data() + s.size();
  const auto [ptr, ec] = std::from_chars(s.data(), end, value);
  return !s.empty() && ec == std::errc() && ptr == end;
}

// The text must survive the trip to Shift-JIS: a character without a Shift-JIS form (or bytes that
// are no UTF-8) would silently become "?" in the dialog.
bool ToSjis(std::string_view utf8, std::string& sjis) {
  sjis = Utf8ToSjis(utf8);
  return SjisToUtf8(sjis) == utf8;
}

// The controls --set takes, one range of numbers for each kind: "ComboBox1..5, RadioGroup1..2, ...".
std::string SettableRanges() {
  constexpr TControlKind kOrder[] = {TControlKind::List, TControlKind::RadioGroup, TControlKind::Edit,
                                     TControlKind::CheckBox};
  std::string ranges;
  for (TControlKind kind : kOrder) {
    std::string_view prefix;
    int low = 0, high = 0;
    for (const TControlEntry& c : ControlTable()) {
      if (c.Kind != kind || !IsSettable(c)) continue;
      const int number = ControlNumber(c.Name);
      if (prefix.empty() || number < low) low = number;
      if (prefix.empty() || number > high) high = number;
      prefix = ControlFamily(c.Name);
    }
    if (prefix.empty()) continue;
    if (!ranges.empty()) ranges += ", ";
    ranges += std::string(prefix) + std::to_string(low) + ".." + std::to_string(high);
  }
  return ranges;
}

bool ParseSetting(std::string_view arg, TCliSetting& s, std::string& error) {
  const std::size_t eq = arg.find('=');
  if (eq == std::string_view::npos) {
    error = "--set takes CONTROL=VALUE, not '" + std::string(arg) + "'";
    return false;
  }
  s.Control = std::string(arg.substr(0, eq));
  const std::string_view value = arg.substr(eq + 1);
  const TControlEntry* entry = FindControl(s.Control);
  const TControlKind kind = entry ? entry->Kind : TControlKind::Label;
  switch (kind) {
    case TControlKind::List:
    case TControlKind::RadioGroup:
      if (ParseIndex(value, s.Index)) return true;
      error = s.Control + " takes an item index (an integer" +
              (entry->Items.empty() ? std::string() : ", 0 to " + std::to_string(entry->Items.size() - 1)) +
              "), not '" + std::string(value) + "'";
      return false;
    case TControlKind::CheckBox:
      if (value == "0" || value == "1") {
        s.Index = value == "1" ? 1 : 0;
        return true;
      }
      error = s.Control + " takes 0 or 1, not '" + std::string(value) + "'";
      return false;
    case TControlKind::Edit:
      if (ToSjis(value, s.Text)) return true;
      error = s.Control + ": the text '" + std::string(value) + "' has characters without a Shift-JIS form";
      return false;
    case TControlKind::Button:
    case TControlKind::Memo:
    case TControlKind::ScrollBox:
    case TControlKind::Label:
    case TControlKind::Preview: break;
  }
  error = "unknown control '" + s.Control + "' (--set takes " + SettableRanges() + ")";
  return false;
}

// The kinds' names as --kind takes them: "linear, radius, diameter, arclength, angle or move".
std::string Alternatives() {
  std::string s;
  const std::vector<TKind>& kinds = AllKinds();
  for (std::size_t i = 0; i < kinds.size(); ++i) {
    if (i > 0) s += i + 1 == kinds.size() ? " or " : ", ";
    s += KindEntry(kinds[i]).Name;
  }
  return s;
}

// One of the mode options at args[i] with its word: 1 when taken, 0 when args[i] is none of them,
// -1 (and `error`) when its word is missing or unknown or it was given before.
int TakeModeWord(const std::vector<std::string>& args, std::size_t i, TModeWords& w, std::string& error) {
  const std::string& a = args[i];
  const std::string word = i + 1 < args.size() ? args[i + 1] : std::string();
  // The words each option takes, from the tables of kinds, directions, modes and picks.
  const auto fail = [&](const std::string& why) {
    error = why;
    return -1;
  };
  const auto once = [&](bool given) { return given ? fail("give " + a + " once") : 1; };
  if (a == "--kind") {
    const TKindEntry* k = FindKind(word);
    if (!k) return fail("--kind takes " + Alternatives());
    if (w.Kind) return once(true);
    w.Kind = k->Kind;
    return 1;
  }
  if (a == "--direction") {
    const TDirectionEntry* d = FindDirection(word);
    if (!d) return fail("--direction takes vertical, horizontal or aligned");
    if (w.Direction) return once(true);
    w.Direction = d->Direction;
    return 1;
  }
  if (a == "--next") {
    const TNextEntry* n = FindNext(word);
    if (!n) return fail("--next takes chain or outside");
    if (w.Next) return once(true);
    w.Next = n->Next;
    return 1;
  }
  if (a == "--pick") {
    const TPickEntry* p = FindPick(word);
    if (!p) return fail("--pick takes line or fence");
    if (w.Pick) return once(true);
    w.Pick = p->Pick;
    return 1;
  }
  return 0;
}

// The combinations the command draws: --direction, --next and --pick are the linear kind's, and a
// picked line or a row is not continued.
bool CheckModeWords(const TModeWords& w, std::string& error) {
  const TDimensionMode m = w.Mode();
  if (!KindEntry(m.Kind).HasDirections && (w.Direction || w.Next || w.Pick)) {
    error = "--direction, --next and --pick go with --kind linear only";
    return false;
  }
  if (IsValidMode(m)) return true;
  error = std::string("--pick ") + PickEntry(m.Pick).Name + " does not go with --next";
  return false;
}

bool SetAction(TCliOptions& o, TCliAction a, std::string& error) {
  if (o.Action != TCliAction::None) {
    error = "give only one of --ok, --cancel, --dump, --help";
    return false;
  }
  o.Action = a;
  return true;
}

}  // namespace

std::filesystem::path PathFromUtf8(std::string_view utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string PathToUtf8(const std::filesystem::path& path) {
  const std::u8string u = path.u8string();
  return std::string(u.begin(), u.end());
}

bool ParseOptions(const std::vector<std::string>& args, TCliOptions& o, std::string& error) {
  o = TCliOptions{};
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    bool ok = true;
    if (a == "--ok") {
      ok = SetAction(o, TCliAction::Ok, error);
    } else if (a == "--cancel") {
      ok = SetAction(o, TCliAction::Cancel, error);
    } else if (a == "--dump") {
      ok = SetAction(o, TCliAction::Dump, error);
    } else if (a == "--help" || a == "-h") {
      ok = SetAction(o, TCliAction::Help, error);
    } else if (a == "--preview") {
      if (i + 1 == args.size()) {
        error = "--preview needs a file name";
        return false;
      }
      o.PreviewFile = PathFromUtf8(args[++i]);
    } else if (const int taken = TakeModeWord(args, i, o.Mode, error); taken != 0) {
      if (taken < 0) return false;
      ++i;
    } else if (a == "--stdout") {
      o.ToStdout = true;
    } else if (a == "--settings") {
      o.SettingsOnly = true;
    } else if (a == "--set") {
      if (i + 1 == args.size()) {
        error = "--set needs CONTROL=VALUE";
        return false;
      }
      TCliSetting s;
      ok = ParseSetting(args[++i], s, error);
      o.Settings.push_back(std::move(s));
    } else if (a.size() > 1 && a[0] == '-') {
      error = "unknown option '" + a + "'";
      return false;
    } else if (o.Dir) {
      error = "only one folder may be given";
      return false;
    } else {
      o.Dir = PathFromUtf8(a);
    }
    if (!ok) return false;
  }
  if (o.PreviewFile) {
    if (o.Action == TCliAction::None) o.Action = TCliAction::Preview;
    if (o.Action != TCliAction::Ok && o.Action != TCliAction::Cancel && o.Action != TCliAction::Preview) {
      error = "--preview goes with --ok, --cancel or alone";
      return false;
    }
  }
  if (o.Action == TCliAction::None && (!o.Settings.empty() || o.ToStdout || o.Dir || o.Mode.Any())) {
    error = "say what to do: --ok, --cancel, --preview, --dump or --help";
    return false;
  }
  if (!o.Settings.empty() && o.Action != TCliAction::Ok && o.Action != TCliAction::Preview) {
    error = "--set goes with --ok or --preview only";
    return false;
  }
  if (o.Mode.Any() && o.Action == TCliAction::Dump) {
    error = "--kind, --direction, --next and --pick go with --ok, --cancel or --preview";
    return false;
  }
  if (!CheckModeWords(o.Mode, error)) return false;
  if (o.SettingsOnly && o.Action != TCliAction::Ok && o.Action != TCliAction::Cancel) {
    error = "--settings goes with --ok or --cancel only";
    return false;
  }
  if (o.ToStdout && o.Action != TCliAction::Ok && o.Action != TCliAction::Cancel) {
    error = "--stdout goes with --ok or --cancel only";
    return false;
  }
  return true;
}

std::optional<TDimensionMode> DialogMode(const std::vector<std::string>& args, bool* settingsOnly) {
  TModeWords w;
  std::string error;
  bool settings = false;
  // Pairs of a mode option and its word, each once, --settings once, and nothing else.
  for (std::size_t i = 0; i < args.size(); i += 2) {
    if (args[i] == "--settings" && !settings) {
      settings = true;
      --i;
      continue;
    }
    if (TakeModeWord(args, i, w, error) != 1) return std::nullopt;
  }
  if (!CheckModeWords(w, error)) return std::nullopt;
  if (settingsOnly) *settingsOnly = settings;
  return w.Mode();
}
