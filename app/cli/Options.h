// Options.h: the command line as a plain struct, and its parser.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Unit1.h"

enum class TCliAction {
  None,     // no action given: usage
  Ok,       // --ok: show without a window, press OK, close
  Cancel,   // --cancel: show without a window, close
  Dump,     // --dump: print what reading JWC_TEMP.TXT gave, as JSON
  Preview,  // --preview FILE alone: show without a window, draw the preview, leave JWC_TEMP.TXT
  Help,     // --help
};

// One --set CONTROL=VALUE, already converted: an item index, a Shift-JIS text or a check state.
struct TCliSetting {
  std::string Control;  // "ComboBox3", "Edit2", ...
  int Index = 0;        // lists and radio groups; check boxes: 0 or 1
  std::string Text;     // edits, Shift-JIS
};

// The options that choose the dimension drawn, each given at most once.
struct TModeWords {
  std::optional<TKind> Kind;            // --kind; linear when not given
  std::optional<TDirection> Direction;  // --direction; vertical when not given
  std::optional<TNext> Next;            // --next chain|outside: continue the last dimension
  std::optional<TPick> Pick;            // --pick line: the measured points are a picked line's ends
  bool Any() const { return Kind || Direction || Next || Pick; }
  TDimensionMode Mode() const {
    return {Kind.value_or(TKind::Linear), Direction.value_or(TDirection::Vertical),
            Next.value_or(TNext::None), Pick.value_or(TPick::Points)};
  }
};

struct TCliOptions {
  TCliAction Action = TCliAction::None;
  std::vector<TCliSetting> Settings;                 // --set, applied in the order given
  bool ToStdout = false;                             // --stdout: output bytes to standard output
  std::optional<std::filesystem::path> Dir;          // DIR; the executable's folder when not given
  std::optional<std::filesystem::path> PreviewFile;  // --preview: the dialog's preview as SVG
  TModeWords Mode;                                   // --kind, --direction, --next, --pick
  bool SettingsOnly = false;  // --settings: OK saves the settings and draws nothing ("hq")
};

// False with a one-line reason (UTF-8) when the arguments are not a valid command line.
bool ParseOptions(const std::vector<std::string>& args, TCliOptions& options, std::string& error);

// What the dialog draws when the arguments ask for nothing but the dialog: none at all, or only
// --kind, --direction, --next, --pick and --settings (which sets `settingsOnly` when given).
// Nothing otherwise (the headless command line then runs).
std::optional<TDimensionMode> DialogMode(const std::vector<std::string>& args, bool* settingsOnly = nullptr);

// A UTF-8 argument as a path, so that folders with Japanese names work on every platform; and back.
std::filesystem::path PathFromUtf8(std::string_view utf8);
std::string PathToUtf8(const std::filesystem::path& path);

// The text of --help (UTF-8).
std::string_view HelpText();
