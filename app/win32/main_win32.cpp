// The Windows entry: without arguments (or with only the mode's words) the dialog, or OK without
// it when the mode's settings ask for that; with other arguments the headless command line (so
// that `q748.exe --help` works from a console).
#include <windows.h>
#include <shellapi.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "CommandLine.h"
#include "DialogWindow.h"
#include "MessageBoxes.h"
#include "Options.h"
#include "WideText.h"
#include "WinCheck.h"

namespace {

// The folder of this executable, from its wide name, so that a folder with a Japanese name
// works whatever the system's code page is.
std::filesystem::path ExeFolder() {
  std::wstring name(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
    if (n == 0) {
      ReportWinFailure("GetModuleFileNameW", GetLastError());
      return std::filesystem::path(L".");
    }
    if (n < name.size()) {
      name.resize(n);
      break;
    }
    name.resize(name.size() * 2);
  }
  return std::filesystem::path(name).parent_path();
}

std::vector<std::string> Utf8Arguments() {
  std::vector<std::string> args;
  int count = 0;
  wchar_t** argv = Q748_WIN(CommandLineToArgvW(GetCommandLineW(), &count));
  if (argv == nullptr) return args;
  for (int i = 1; i < count; ++i) args.push_back(WideToUtf8(argv[i]));
  LocalFree(argv);
  return args;
}

bool HasStream(DWORD which) {
  HANDLE h = GetStdHandle(which);
  return h != nullptr && h != INVALID_HANDLE_VALUE && GetFileType(h) != FILE_TYPE_UNKNOWN;
}

// A windows program has no console of its own: write to the one it was started from, unless
// its output was redirected to a file or pipe, which is kept.
void ConnectToConsole() {
  const bool haveOut = HasStream(STD_OUTPUT_HANDLE);
  const bool haveErr = HasStream(STD_ERROR_HANDLE);
  if ((!haveOut || !haveErr) && AttachConsole(ATTACH_PARENT_PROCESS)) {
    if (!haveOut && std::freopen("CONOUT$", "w", stdout) == nullptr) return;
    if (!haveErr && std::freopen("CONOUT$", "w", stderr) == nullptr) return;
  }
  // Output lists are Shift-JIS with CR LF already: no line-end translation.
  _setmode(_fileno(stdout), _O_BINARY);
  std::cout.clear();
  std::cerr.clear();
}

// OK at once with the saved settings, when they ask for it; a refusal is shown in a box.
int RunWithoutDialog(const std::filesystem::path& exeDir, TDimensionMode mode) {
  TBoxView view;
  TForm1 form(exeDir, &view, mode);
  form.FormShow();
  form.QuickOk();
  form.FormClose();
  return 0;
}

int RunDialog(HINSTANCE instance, int showCommand, const std::filesystem::path& exeDir, TDimensionMode mode,
              bool settingsOnly) {
  // Shift held at the start (in Jw_cad: while the last point is picked) brings the dialog back;
  // the settings launcher always shows it.
  if (!settingsOnly && TForm1::SkipsDialog(exeDir, mode) && !ShiftHeld())
    return RunWithoutDialog(exeDir, mode);
  TDialogWindow dialog(instance, exeDir, mode, settingsOnly);
  std::wstring error;
  if (!dialog.Create(error)) {
    MessageBoxW(nullptr, error.c_str(), Utf8LiteralToWide(kApplicationTitle).c_str(), MB_ICONERROR | MB_OK);
    return 1;
  }
  dialog.Show(showCommand);
  return dialog.RunMessageLoop();
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  const std::filesystem::path exeDir = ExeFolder();
  const std::vector<std::string> args = Utf8Arguments();
  bool settingsOnly = false;
  if (const std::optional<TDimensionMode> mode = DialogMode(args, &settingsOnly)) {
    return RunDialog(instance, showCommand, exeDir, *mode, settingsOnly);
  }
  ConnectToConsole();
  const int status = RunCommandLine(args, exeDir, std::cout, std::cerr);
  std::cout.flush();
  std::cerr.flush();
  return status;
}
