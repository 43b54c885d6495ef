// The Win32 view in-process, on a real (virtual) display: its windows against the control table,
// the binding to the TForm1 model in both directions, the keys of a dialog, the confirmation box,
// focus after a refused OK, colours, font and placement.
#include <windows.h>
#include <commctrl.h>
#include <imm.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "DialogFont.h"
#include "DialogLayout.h"
#include "DialogWindow.h"
#include "DpiScale.h"
#include "MonitorPlacement.h"
#include "Preview.h"
#include "PreviewPainter.h"
#include "WideText.h"
#include "WinCheck.h"

namespace fs = std::filesystem;

namespace {

const fs::path kHostInput = fs::path(Q748_TEST_DATA) / "hosts" / "host-input-1.txt";

std::string ReadBytes(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const fs::path& p, const std::string& bytes) {
  std::ofstream out(p, std::ios::binary);
  out << bytes;
}

std::vector<std::string> Lines(const std::string& bytes) {
  std::vector<std::string> lines;
  std::istringstream in(bytes);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

// The settings of the first 22 lines; texts given as UTF-8 and stored as Shift-JIS.
std::string SettingsFile(int left, int top, const std::string& edit1 = "1.5") {
  // clang-format off
  const std::vector<std::string> lines = {std::to_string(left), std::to_string(top), "1", "0", "2", "2", "2",
                                          edit1, "Ｈ＝", "", "0.5", "2", "2", "3", "15", "2", "1", "0", "1",
                                          "0", "0", "0"};
  // clang-format on
  std::string out;
  for (const std::string& l : lines) out += SjisText(l) + "\r\n";
  return out;
}

// A folder of its own with a Japanese name, holding the host input and a settings file.
class TFolder {
 public:
  explicit TFolder(const std::string& settings, const std::string& input = ReadBytes(kHostInput)) {
    static int serial = 0;
    path_ = fs::temp_directory_path() /
            (L"q748-view-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++serial)) /
            L"\u5bf8\u6cd5";  // 寸法
    fs::create_directories(path_);
    WriteBytes(path_ / kExchangeFileName, input);
    if (!settings.empty()) WriteBytes(path_ / kSettingsFileName, settings);
  }
  ~TFolder() {
    std::error_code ec;
    fs::remove_all(path_.parent_path(), ec);
  }
  const fs::path& Path() const { return path_; }
  std::string Exchange() const { return ReadBytes(path_ / kExchangeFileName); }
  std::string Settings() const { return ReadBytes(path_ / kSettingsFileName); }

 private:
  fs::path path_;
};

// Handles what is queued, as the message loop would (dialog keys included).
void Pump(HWND dialog) {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) continue;
    if (TDialogWindow::TranslateDialogMessage(dialog, msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

std::unique_ptr<TDialogWindow> Open(const TFolder& folder, bool show = true, TNext next = TNext::None,
                                    TKind kind = TKind::Linear, TPick pick = TPick::Points) {
  auto dialog = std::make_unique<TDialogWindow>(GetModuleHandleW(nullptr), folder.Path(),
                                                TDimensionMode{kind, TDirection::Vertical, next, pick});
  std::wstring error;
  EXPECT_TRUE(dialog->Create(error)) << WideToUtf8(error);
  if (show) {
    dialog->Show(SW_SHOWNORMAL);
    Pump(dialog->Handle());
  }
  return dialog;
}

void PressOk(TDialogWindow& d) {
  SendMessageW(d.Handle(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
               reinterpret_cast<LPARAM>(d.ControlWindow("Button1")));
  Pump(d.Handle());
}

std::wstring Text(HWND h) {
  std::wstring s(static_cast<size_t>(GetWindowTextLengthW(h)) + 1, L'\0');
  s.resize(static_cast<size_t>(GetWindowTextW(h, s.data(), static_cast<int>(s.size()))));
  return s;
}

RECT RectInParent(HWND h) {
  RECT r{};
  GetWindowRect(h, &r);
  MapWindowPoints(HWND_DESKTOP, GetParent(h), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

std::wstring ClassOf(HWND h) {
  wchar_t name[64] = {};
  GetClassNameW(h, name, 64);
  return name;
}

const wchar_t* ExpectedClass(TChildClass c) {
  switch (c) {
    case TChildClass::ComboList: return L"ComboBox";
    case TChildClass::Edit:
    case TChildClass::Memo: return L"Edit";
    case TChildClass::GroupBox:
    case TChildClass::RadioButton:
    case TChildClass::CheckBox:
    case TChildClass::PushButton: return L"Button";
    case TChildClass::Pane: return L"q748.Pane";
    case TChildClass::Label: return L"Static";
    case TChildClass::Preview: return L"q748.Preview";
  }
  return L"";
}

std::string NameOf(const TDialogWindow& d, HWND h) {
  for (const TChildWindow& c : DialogChildren(ControlTable(), d.Form().Mode)) {
    if (d.ControlWindow(c.Name, c.Item) == h) return c.Name;
  }
  return "?";
}

// What a message box shows: its text, whether it has an icon, how many buttons.
struct TBoxContent {
  std::wstring Text;
  bool HasIcon = false;
  bool Warning = false;  // the icon is the system's warning icon
  int Buttons = 0;
};

TBoxContent ReadMessageBox(HWND box) {
  TBoxContent content;
  EnumChildWindows(
      box,
      [](HWND child, LPARAM param) -> BOOL {
        auto* c = reinterpret_cast<TBoxContent*>(param);
        const std::wstring cls = ClassOf(child);
        if (!IsWindowVisible(child)) return TRUE;
        if (_wcsicmp(cls.c_str(), L"Button") == 0) ++c->Buttons;
        if (_wcsicmp(cls.c_str(), L"Static") == 0) {
          if ((GetWindowLongPtrW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
            c->HasIcon = true;
            // The system's icons are shared: the box shows the very handle LoadIcon gives.
            const auto icon = reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0));
            c->Warning = icon != nullptr && icon == LoadIconW(nullptr, IDI_WARNING);
          } else if (c->Text.empty()) {
            c->Text = Text(child);
          }
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&content));
  return content;
}

// Runs `action`, which is to show a message box with `caption` and return when it is closed; the
// box is read and closed with OK. No buttons: no such box came within 20 seconds.
template <class Action>
TBoxContent AnswerMessageBox(const wchar_t* caption, Action action) {
  TBoxContent content;
  std::thread watcher([&] {
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (std::chrono::steady_clock::now() < until) {
      HWND box = FindWindowW(L"#32770", caption);
      if (box != nullptr && IsWindowVisible(box)) {
        content = ReadMessageBox(box);
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        return;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
  });
  action();
  watcher.join();
  return content;
}

}  // namespace

TEST(Win32View, EveryWindowOfTheTableStandsAtItsPlaceWithItsKind) {
  const TDimensionMode modes[] = {{},
                                  {TKind::Linear, TDirection::Vertical, TNext::Chain},
                                  {TKind::Linear, TDirection::Vertical, TNext::Outside},
                                  {TKind::Linear, TDirection::Vertical, TNext::None, TPick::Fence}};
  for (const TDimensionMode& mode : modes) {
    const TNext next = mode.Next;
    SCOPED_TRACE(static_cast<int>(next) + 10 * static_cast<int>(mode.Pick));
    TFolder folder(SettingsFile(100, 100));
    auto d = Open(folder, false, next, TKind::Linear, mode.Pick);
    const UINT dpi = d->Dpi();
    for (const TChildWindow& c : DialogChildren(ControlTable(), mode)) {
      std::string label = c.Name;
      if (c.Item >= 0) label.append("#").append(std::to_string(c.Item));
      SCOPED_TRACE(label);
      HWND h = d->ControlWindow(c.Name, c.Item);
      ASSERT_NE(h, nullptr);
      EXPECT_EQ(_wcsicmp(ClassOf(h).c_str(), ExpectedClass(c.Class)), 0) << WideToUtf8(ClassOf(h));
      const RECT r = RectInParent(h);
      EXPECT_EQ(r.left, ScaleToDpi(c.Bounds.Left, dpi));
      EXPECT_EQ(r.top, ScaleToDpi(c.Bounds.Top, dpi));
      if (c.Class == TChildClass::Label && c.Bounds.Width == 0) {
        // Sized to its text: about one em per full-width character.
        EXPECT_GT(r.right - r.left, 0);
        EXPECT_GE(r.bottom - r.top, ScaleToDpi(c.FontHeight, dpi));
      } else {
        EXPECT_EQ(r.right - r.left, ScaleToDpi(c.Bounds.Width, dpi));
        EXPECT_EQ(r.bottom - r.top, ScaleToDpi(c.Bounds.Height, dpi));  // a list's field, not its drop-down
      }
      const LONG_PTR style = GetWindowLongPtrW(h, GWL_STYLE);
      if (c.Class == TChildClass::ComboList) {
        EXPECT_EQ(style & 3, CBS_DROPDOWNLIST);
      }
      if (c.Class == TChildClass::Memo) {
        EXPECT_TRUE(style & ES_READONLY);
        EXPECT_TRUE(style & WS_VSCROLL);
        EXPECT_TRUE(style & ES_AUTOHSCROLL);  // no word wrap
        EXPECT_FALSE(style & ES_WANTRETURN);
        EXPECT_FALSE(style & WS_TABSTOP);
      }
      if (c.Class == TChildClass::RadioButton) {
        EXPECT_EQ(style & BS_TYPEMASK, BS_AUTORADIOBUTTON);
      }
    }
    // Nothing of the table is missing; the outside dimension's distance is there for it only,
    // below notes that are shorter then.
    for (const TControlEntry& s : ControlTable()) {
      const bool shown = IsShown(s, mode);
      EXPECT_EQ(d->ControlWindow(s.Name) != nullptr, shown) << s.Name;
    }
    const RECT memo = RectInParent(d->ControlWindow("Memo1"));
    EXPECT_EQ(memo.bottom - memo.top, ScaleToDpi(MemoHeight(mode), dpi));
    EXPECT_EQ(Text(d->Handle()), SjisToWide(d->Form().Caption()));
  }
}

// At every dpi: each label stands clear of every control it could paint over, and each line of
// the notes fits the notes' text area in the font in use.
TEST(Win32View, LabelsAndNotesFitAtEveryDpi) {
  for (const TNext next : {TNext::None, TNext::Outside}) {
    TFolder folder(SettingsFile(100, 100));
    auto d = Open(folder, false, next);
    const std::vector<TChildWindow> children =
        DialogChildren(ControlTable(), TDimensionMode{TKind::Linear, TDirection::Vertical, next});
    for (const UINT dpi : {96u, 120u, 144u}) {
      SCOPED_TRACE(std::to_string(dpi) + (next == TNext::Outside ? " outside" : ""));
      RECT suggested{100, 100, 100 + ScaleToDpi(760, dpi), 100 + ScaleToDpi(470, dpi)};
      SendMessageW(d->Handle(), 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(dpi, dpi),
                   reinterpret_cast<LPARAM>(&suggested));
      for (const TChildWindow& label : children) {
        if (label.Class != TChildClass::Label || label.Parent >= 0 || label.Name == "LabelA1") continue;
        const RECT l = RectInParent(d->ControlWindow(label.Name));
        for (const TChildWindow& other : children) {
          // Group boxes and panes lie beneath what they hold; labels are checked from their side.
          if (other.Parent >= 0 || other.Class == TChildClass::Label ||
              other.Class == TChildClass::GroupBox || other.Class == TChildClass::Pane)
            continue;
          const RECT o = RectInParent(d->ControlWindow(other.Name, other.Item));
          RECT both{};
          EXPECT_FALSE(IntersectRect(&both, &l, &o)) << label.Name << " over " << other.Name;
        }
      }
      HWND memo = d->ControlWindow("Memo1");
      RECT area{};
      SendMessageW(memo, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&area));
      HDC dc = GetDC(memo);
      HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(memo, WM_GETFONT, 0, 0)));
      for (const std::string& line : Memo1Lines()) {
        const std::wstring text = SjisToWide(line);
        SIZE extent{};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
        EXPECT_LE(extent.cx, area.right - area.left) << WideToUtf8(text);
      }
      SelectObject(dc, old);
      ReleaseDC(memo, dc);
    }
  }
}

TEST(Win32View, DpiChangeScalesEveryControlAndFont) {
  TFolder folder(SettingsFile(100, 100));
  auto d = Open(folder, false);
  for (const UINT dpi : {144u, 192u, 120u, 96u}) {
    SCOPED_TRACE(dpi);
    RECT suggested{100, 100, 100 + ScaleToDpi(500, dpi), 100 + ScaleToDpi(470, dpi)};
    SendMessageW(d->Handle(), 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(dpi, dpi),
                 reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(d->Dpi(), dpi);
    for (const char* name :
         {"ComboBox3", "Edit9", "Button2", "Memo1", "LabelA1", "ScrollBox1", "PreviewPanel", "CheckBox5"}) {
      const TControlEntry& entry = *FindControl(name);
      const RECT r = RectInParent(d->ControlWindow(name));
      EXPECT_EQ(r.left, ScaleToDpi(entry.Left, dpi)) << name;
      EXPECT_EQ(r.top, ScaleToDpi(entry.Top, dpi)) << name;
      EXPECT_EQ(r.right - r.left, ScaleToDpi(entry.Width, dpi)) << name;
      EXPECT_EQ(r.bottom - r.top, ScaleToDpi(entry.Height, dpi)) << name;
    }
    const RECT radio = RectInParent(d->ControlWindow("RadioGroup2", 1));
    EXPECT_EQ(radio.left, ScaleToDpi(160 + 8 + (145 - 10) / 2, dpi));
    LOGFONTW lf{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(d->ControlWindow("Label15"), WM_GETFONT, 0, 0)),
               sizeof lf, &lf);
    EXPECT_EQ(lf.lfHeight, -ScaleToDpi(11, dpi));
    RECT outer{};
    GetWindowRect(d->Handle(), &outer);
    EXPECT_EQ(outer.left, suggested.left);
    EXPECT_EQ(outer.top, suggested.top);
  }
}

// Each kind's dialog: its caption, its own notes, and the controls that mean nothing there
// disabled (a radio group with its frame and every button), the others enabled.
TEST(Win32View, EachKindDisablesWhatItDoesNotUse) {
  const struct {
    TKind kind;
    const wchar_t* caption;
  } kinds[] = {
      {TKind::Linear, L"\u30bd\u30e9\u30c8\uff2b"},
      {TKind::Radius, L"\u30bd\u30e9\u30c8\uff2b\uff08\u534a\u5f84\uff09"},
      {TKind::Diameter, L"\u30bd\u30e9\u30c8\uff2b\uff08\u76f4\u5f84\uff09"},
      {TKind::ArcLength, L"\u30bd\u30e9\u30c8\uff2b\uff08\u5f27\u9577\uff09"},
      {TKind::Angle, L"\u30bd\u30e9\u30c8\uff2b\uff08\u89d2\u5ea6\uff09"},
      {TKind::Move, L"\u30bd\u30e9\u30c8\uff2b\uff08\u5bf8\u6cd5\u5024\u79fb\u52d5\uff09"},
  };
  for (const auto& k : kinds) {
    TFolder folder(SettingsFile(100, 100));
    auto d = Open(folder, false, TNext::None, k.kind);
    EXPECT_EQ(Text(d->Handle()), k.caption);
    // Exactly the controls the kind's row names are disabled.
    const std::vector<const char*>& unused = KindEntry(k.kind).Unused;
    for (const TControlEntry& c : ControlTable()) {
      if (!IsSettable(c) || c.OnlyWhen != TShownIn::Always) continue;
      const char* name = c.Name;
      const bool off = std::find_if(unused.begin(), unused.end(), [&](const char* u) {
                         return std::string_view(u) == name;
                       }) != unused.end();
      EXPECT_EQ(IsWindowEnabled(d->ControlWindow(name)) == FALSE, off) << name;
      if (const TRadioGroup* group = d->Form().RadioGroupByName(name)) {
        for (int i = 0; i < static_cast<int>(group->Items.size()); ++i)
          EXPECT_EQ(IsWindowEnabled(d->ControlWindow(name, i)) == FALSE, off) << name << " " << i;
      }
    }
    // The notes are the kind's, and each line fits the notes' width.
    HWND memo = d->ControlWindow("Memo1");
    const std::vector<std::string> notes = Memo1Lines(d->Form().Mode);
    ASSERT_EQ(SendMessageW(memo, EM_GETLINECOUNT, 0, 0), static_cast<LRESULT>(notes.size()));
    RECT area{};
    SendMessageW(memo, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&area));
    HDC dc = GetDC(memo);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(memo, WM_GETFONT, 0, 0)));
    for (size_t i = 0; i < notes.size(); ++i) {
      wchar_t line[128] = {};
      line[0] = 127;  // EM_GETLINE: the first word holds the buffer's size
      const LRESULT n = SendMessageW(memo, EM_GETLINE, i, reinterpret_cast<LPARAM>(line));
      EXPECT_EQ(WideToSjis(std::wstring(line, static_cast<size_t>(n))), notes[i]) << "line " << i + 1;
      const std::wstring text = SjisToWide(notes[i]);
      SIZE extent{};
      GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
      EXPECT_LE(extent.cx, area.right - area.left) << WideToUtf8(text);
    }
    SelectObject(dc, old);
    ReleaseDC(memo, dc);
  }
}

TEST(Win32View, WindowIsAFixedDialogOfTheLayoutsSize) {
  TFolder folder(SettingsFile(100, 100));
  auto d = Open(folder, false);
  RECT client{};
  GetClientRect(d->Handle(), &client);
  EXPECT_EQ(client.right, ScaleToDpi(kFormClientWidth, d->Dpi()));
  EXPECT_EQ(client.bottom, ScaleToDpi(kFormClientHeight, d->Dpi()));
  const LONG_PTR style = GetWindowLongPtrW(d->Handle(), GWL_STYLE);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_THICKFRAME);
  EXPECT_EQ(Text(d->Handle()), L"\u30bd\u30e9\u30c8\uff2b");  // ソラトＫ
  EXPECT_NE(SendMessageW(d->Handle(), WM_GETICON, ICON_BIG, 0), 0);
  EXPECT_NE(SendMessageW(d->Handle(), WM_GETICON, ICON_SMALL, 0), 0);
}

// In the table's order, except that an outside dimension's own field comes first: the dialog
// opens on it.
TEST(Win32View, TabGoesThroughTheControlsInTheTablesOrder) {
  for (const TNext next : {TNext::None, TNext::Outside}) {
    TFolder folder(SettingsFile(100, 100));
    auto d = Open(folder, true, next);
    std::vector<std::string> expected;
    if (next == TNext::Outside) expected.push_back("Edit10");
    for (const TControlEntry& s : ControlTable()) {
      if (s.TabStop && s.OnlyWhen == TShownIn::Always) expected.push_back(s.Name);
    }
    std::vector<std::string> visited;
    HWND first = GetNextDlgTabItem(d->Handle(), nullptr, FALSE);
    HWND h = first;
    do {
      visited.push_back(NameOf(*d, h));
      h = GetNextDlgTabItem(d->Handle(), h, FALSE);
    } while (h != nullptr && h != first && visited.size() < 64);
    EXPECT_EQ(visited, expected);
  }
}

// Alt and a control's letter move the focus to it (a check box is clicked as well); a letter of a
// control that means nothing for the kind, or of none, leaves the focus where it is.
TEST(Win32View, AltLettersMoveToTheirControls) {
  const struct {
    TKind kind;
    TNext next;
    wchar_t letter;
    const char* focus;  // the control that has the focus afterwards
  } cases[] = {
      {TKind::Linear, TNext::None, L'l', "Edit7"},
      {TKind::Linear, TNext::None, L'T', "ComboBox3"},
      {TKind::Linear, TNext::None, L'u', "RadioGroup2"},
      {TKind::Linear, TNext::None, L'q', "CheckBox6"},
      {TKind::Linear, TNext::Outside, L'o', "Edit10"},
      {TKind::Linear, TNext::None, L'o', "Edit4"},  // no outside distance here
      {TKind::Radius, TNext::None, L's', "Edit4"},  // a radius has no start marker
      {TKind::Linear, TNext::None, L'1', "Edit4"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(1, static_cast<char>(c.letter)) + " -> " + c.focus);
    TFolder folder(SettingsFile(100, 100));
    auto d = Open(folder, true, c.next, c.kind);
    HWND start = d->ControlWindow("Edit4");
    SetFocus(start);
    Pump(d->Handle());
    const bool quickBefore = d->Form().CheckBox6.Checked;
    PostMessageW(start, WM_SYSCHAR, c.letter, 1 << 29);
    Pump(d->Handle());
    EXPECT_EQ(NameOf(*d, GetFocus()), c.focus);
    EXPECT_FALSE(d->Closed());
    SendMessageW(d->ControlWindow("Button2"), BM_CLICK, 0, 0);  // copies the controls back, closes
    Pump(d->Handle());
    EXPECT_EQ(d->Form().CheckBox6.Checked, quickBefore != (std::string(c.focus) == "CheckBox6"));
  }
}

// Every control with a tip shows it: its caption, what an edit takes and its Alt letter.
TEST(Win32View, EveryFieldHasItsTip) {
  // The outside dimension's and the row's dialogs between them show every control.
  int checked = 0;
  for (const TDimensionMode mode :
       {TDimensionMode{.Next = TNext::Outside}, TDimensionMode{.Pick = TPick::Fence}}) {
    TFolder folder(SettingsFile(100, 100));
    auto d = Open(folder, true, mode.Next, TKind::Linear, mode.Pick);
    ASSERT_NE(d->TipsWindow(), nullptr);
    for (const TControlEntry& c : ControlTable()) {
      const std::string hint = ControlHint(c);
      if (hint.empty() || !IsShown(c, mode)) continue;
      HWND control = d->ControlWindow(c.Name, c.Kind == TControlKind::RadioGroup ? 0 : -1);
      ASSERT_NE(control, nullptr) << c.Name;
      std::wstring text(512, L'\0');
      TTTOOLINFOW tool{};
      tool.cbSize = sizeof tool;
      tool.hwnd = d->Handle();
      tool.uId = reinterpret_cast<UINT_PTR>(control);
      tool.lpszText = text.data();
      SendMessageW(d->TipsWindow(), TTM_GETTEXTW, text.size(), reinterpret_cast<LPARAM>(&tool));
      text.resize(wcslen(text.c_str()));
      EXPECT_EQ(text, SjisToWide(hint)) << c.Name;
      ++checked;
    }
  }
  EXPECT_GE(checked, 40);
}

TEST(Win32View, ControlsShowTheModelAfterFormShow) {
  TFolder folder(SettingsFile(100, 100));
  auto d = Open(folder, false);
  TForm1& form = d->Form();
  for (const char* name : {"ComboBox1", "ComboBox2", "ComboBox3", "ComboBox4", "ComboBox5"}) {
    SCOPED_TRACE(name);
    HWND h = d->ControlWindow(name);
    const TComboBox& model = *form.ComboBoxByName(name);
    ASSERT_EQ(SendMessageW(h, CB_GETCOUNT, 0, 0), static_cast<LRESULT>(model.Items.size()));
    for (size_t i = 0; i < model.Items.size(); ++i) {
      wchar_t item[128] = {};
      SendMessageW(h, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item));
      EXPECT_EQ(WideToSjis(item), model.Items[i]);
    }
    EXPECT_EQ(SendMessageW(h, CB_GETCURSEL, 0, 0), model.ItemIndex);
  }
  // Shift-JIS shown as the characters they are, whatever the system's code page.
  wchar_t item0[64] = {};
  SendMessageW(d->ControlWindow("ComboBox3"), CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(item0));
  EXPECT_STREQ(item0, L"\u73fe\u5728\u306e\u6587\u5b57\u7a2e(No2)");  // 現在の文字種(No2)
  EXPECT_EQ(Text(d->ControlWindow("Edit2")), L"\uff28\uff1d");        // Ｈ＝

  for (const char* name : {"Edit1", "Edit2", "Edit3", "Edit4", "Edit5", "Edit6", "Edit7", "Edit8", "Edit9"}) {
    SCOPED_TRACE(name);
    HWND h = d->ControlWindow(name);
    EXPECT_EQ(WideToSjis(Text(h)), form.EditByName(name)->Text);
    EXPECT_EQ(SendMessageW(h, EM_GETLIMITTEXT, 0, 0), FindControl(name)->MaxLength);
  }
  for (const char* name : {"CheckBox1", "CheckBox2", "CheckBox3", "CheckBox4"}) {
    EXPECT_EQ(SendMessageW(d->ControlWindow(name), BM_GETCHECK, 0, 0) == BST_CHECKED,
              form.CheckBoxByName(name)->Checked)
        << name;
  }
  for (const char* name : {"RadioGroup1", "RadioGroup2"}) {
    for (int i = 0; i < 2; ++i) {
      EXPECT_EQ(SendMessageW(d->ControlWindow(name, i), BM_GETCHECK, 0, 0) == BST_CHECKED,
                form.RadioGroupByName(name)->ItemIndex == i)
          << name << " " << i;
    }
  }
  EXPECT_EQ(Text(d->ControlWindow("LabelA1")), L"\u3000");
  HWND memo = d->ControlWindow("Memo1");
  ASSERT_EQ(SendMessageW(memo, EM_GETLINECOUNT, 0, 0), static_cast<LRESULT>(Memo1Lines().size()));
  for (size_t i = 0; i < Memo1Lines().size(); ++i) {
    wchar_t line[128] = {};
    line[0] = 127;  // EM_GETLINE: the first word holds the buffer's size
    const LRESULT n = SendMessageW(memo, EM_GETLINE, i, reinterpret_cast<LPARAM>(line));
    EXPECT_EQ(WideToSjis(std::wstring(line, static_cast<size_t>(n))), Memo1Lines()[i]) << "line " << i + 1;
  }
}

TEST(Win32View, OkCopiesTheControlsIntoTheModelBeforeItRuns) {
  TFolder folder(SettingsFile(100, 100));
  auto d = Open(folder);
  SendMessageW(d->ControlWindow("ComboBox2"), CB_SETCURSEL, 3, 0);
  SetWindowTextW(d->ControlWindow("Edit2"), L"\uff2c\uff1d");  // Ｌ＝
  SetWindowTextW(d->ControlWindow("Edit3"), L"\u339c");        // ㎜, a character of code page 932 only
  SetWindowTextW(d->ControlWindow("Edit8"), L"30");
  SendMessageW(d->ControlWindow("CheckBox1"), BM_CLICK, 0, 0);
  SendMessageW(d->ControlWindow("CheckBox3"), BM_CLICK, 0, 0);
  SendMessageW(d->ControlWindow("RadioGroup2", 1), BM_CLICK, 0, 0);
  Pump(d->Handle());
  PressOk(*d);
  ASSERT_TRUE(d->Closed());
  const std::vector<std::string> saved = Lines(folder.Settings());
  ASSERT_EQ(saved.size(), SettingsTable().size());
  EXPECT_EQ(saved[0], "100");  // the window's own position
  EXPECT_EQ(saved[1], "100");
  EXPECT_EQ(saved[3], "3");
  EXPECT_EQ(saved[8], "\x82\x6b\x81\x81");  // Ｌ＝ in Shift-JIS
  EXPECT_EQ(saved[9], "\x87\x6f");          // ㎜
  EXPECT_EQ(saved[14], "30");
  EXPECT_EQ(saved[17], "1");
  EXPECT_EQ(saved[18], "0");  // CheckBox1 was checked by the settings, the click cleared it
  EXPECT_EQ(saved[20], "1");
  EXPECT_NE(folder.Exchange().substr(0, 2), "hq");
}

TEST(Win32View, RefusedOkMovesTheFocusToTheOffendingControlAndWritesNothing) {
  struct TCase {
    const char* Control;
    const wchar_t* Text;  // for an edit; nullptr: clear the list's selection
  };
  const TCase cases[] = {{"Edit1", L"0"},        {"Edit7", L"1000.5"}, {"Edit8", L"180"},
                         {"ComboBox3", nullptr}, {"Edit5", L"-1"},     {"Edit6", L"-0.5"}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Control);
    TFolder folder(SettingsFile(100, 100));
    const std::string input = folder.Exchange(), settings = folder.Settings();
    auto d = Open(folder);
    HWND target = d->ControlWindow(c.Control);
    if (c.Text != nullptr) {
      SetWindowTextW(target, c.Text);
    } else {
      SendMessageW(target, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    }
    SetFocus(d->ControlWindow("Button1"));
    PressOk(*d);
    EXPECT_FALSE(d->Closed());
    EXPECT_EQ(GetFocus(), target) << "focus on " << NameOf(*d, GetFocus());
    if (c.Text != nullptr) {
      DWORD from = 1, to = 0;
      SendMessageW(target, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
      EXPECT_EQ(from, 0u);
      EXPECT_EQ(to, wcslen(c.Text));  // the whole text selected, ready to be typed over
    }
    EXPECT_EQ(folder.Exchange(), input);
    EXPECT_EQ(folder.Settings(), settings);
    SendMessageW(d->Handle(), WM_CLOSE, 0, 0);
    Pump(nullptr);
    EXPECT_TRUE(d->Closed());
    EXPECT_EQ(folder.Exchange(), "hq\r\n");
  }
}

TEST(Win32View, ZeroLengthShowsTheConfirmationBoxAndTheDialogStaysOpen) {
  std::string input = ReadBytes(kHostInput);
  const size_t hp2 = input.find("hp2 ");
  input.replace(hp2, input.find('\n', hp2) - hp2, "hp2 -1820.4 -955.25\r");  // the first point again
  TFolder folder(SettingsFile(100, 100), input);
  auto d = Open(folder);

  // ソラトＫ - 確認: the refusal box names the mode.
  const TBoxContent box = AnswerMessageBox(L"\u30bd\u30e9\u30c8\uff2b - \u78ba\u8a8d", [&] { PressOk(*d); });
  EXPECT_EQ(box.Text, Utf8LiteralToWide(kMessageZeroLength));
  EXPECT_TRUE(box.HasIcon);
  EXPECT_TRUE(box.Warning) << "a refusal asks nothing: the warning icon";
  EXPECT_EQ(box.Buttons, 1) << "no message box with the caption ソラトＫ - 確認";
  EXPECT_FALSE(d->Closed());
  EXPECT_EQ(Lines(folder.Settings()).size(),
            SettingsTable().size());  // saved before the length was looked at
  EXPECT_EQ(folder.Exchange(), input);
  SendMessageW(d->Handle(), WM_CLOSE, 0, 0);
  Pump(nullptr);
  EXPECT_EQ(folder.Exchange(), "hq\r\n");
}

TEST(Win32View, FailedWin32CallIsShownToTheUser) {
  BOOL result = TRUE;
  const TBoxContent box = AnswerMessageBox(Utf8LiteralToWide(kApplicationTitle).c_str(),
                                           [&] { result = Q748_WIN(SetWindowTextW(nullptr, L"x")); });
  EXPECT_FALSE(result);
  EXPECT_TRUE(box.HasIcon);
  EXPECT_EQ(box.Buttons, 1) << "no message box";
  EXPECT_THAT(box.Text, ::testing::StartsWith(L"SetWindowTextW(nullptr, L\"x\"): "));
}

TEST(Win32View, DialogKeysPressTheButtons) {
  struct TCase {
    const char* Focus;
    UINT Key;
    bool Drawn;  // OK ran to the end (else Cancel)
  };
  const TCase cases[] = {{"Edit4", VK_RETURN, true},
                         {"ComboBox1", VK_RETURN, true},
                         {"Edit4", VK_ESCAPE, false},
                         {"Button2", VK_RETURN, false},
                         {"Button1", VK_RETURN, true}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(std::string(c.Focus) + (c.Key == VK_RETURN ? " Enter" : " Esc"));
    TFolder folder(SettingsFile(100, 100));
    auto d = Open(folder);
    HWND focus = d->ControlWindow(c.Focus);
    SetFocus(focus);
    Pump(d->Handle());
    PostMessageW(focus, WM_KEYDOWN, c.Key, 1);
    Pump(d->Handle());
    EXPECT_TRUE(d->Closed());
    EXPECT_EQ(folder.Exchange().substr(0, 2) != "hq", c.Drawn);
  }
}

TEST(Win32View, AltLettersPressTheButtons) {
  for (const wchar_t letter : {L'y', L'n'}) {
    TFolder folder(SettingsFile(100, 100));
    auto d = Open(folder);
    SetFocus(d->ControlWindow("Edit4"));
    PostMessageW(d->ControlWindow("Edit4"), WM_SYSCHAR, letter, 1 << 29);
    Pump(d->Handle());
    EXPECT_TRUE(d->Closed()) << static_cast<char>(letter);
    EXPECT_EQ(folder.Exchange().substr(0, 2) != "hq", letter == L'y');
  }
}

TEST(Win32View, DefaultButtonFollowsTheFocus) {
  TFolder folder(SettingsFile(100, 100));
  auto d = Open(folder);
  HWND ok = d->ControlWindow("Button1"), cancel = d->ControlWindow("Button2");
  auto type = [](HWND h) { return GetWindowLongPtrW(h, GWL_STYLE) & BS_TYPEMASK; };
  SetFocus(cancel);
  Pump(d->Handle());
  EXPECT_EQ(LOWORD(SendMessageW(d->Handle(), DM_GETDEFID, 0, 0)), IDCANCEL);
  EXPECT_EQ(type(cancel), BS_DEFPUSHBUTTON);
  EXPECT_EQ(type(ok), BS_PUSHBUTTON);
  SetFocus(d->ControlWindow("Edit1"));
  Pump(d->Handle());
  EXPECT_EQ(LOWORD(SendMessageW(d->Handle(), DM_GETDEFID, 0, 0)), IDOK);
  EXPECT_EQ(type(ok), BS_DEFPUSHBUTTON);
  EXPECT_EQ(type(cancel), BS_PUSHBUTTON);
}

TEST(Win32View, TabEntersARadioGroupOnItsCheckedButton) {
  TFolder folder(SettingsFile(100, 100));
  auto d = Open(folder);
  HWND first = d->ControlWindow("RadioGroup2", 0), second = d->ControlWindow("RadioGroup2", 1);
  auto stop = [](HWND h) { return (GetWindowLongPtrW(h, GWL_STYLE) & WS_TABSTOP) != 0; };
  EXPECT_TRUE(stop(first));
  EXPECT_FALSE(stop(second));
  SendMessageW(second, BM_CLICK, 0, 0);
  Pump(d->Handle());
  EXPECT_FALSE(stop(first));
  EXPECT_TRUE(stop(second));
  EXPECT_EQ(SendMessageW(first, BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

TEST(Win32View, InputMethodIsOffWhereTheTableSaysSo) {
  TFolder folder(SettingsFile(100, 100));
  auto d = Open(folder, false);
  for (const TControlEntry& s : ControlTable()) {
    if (!s.ImeOff) continue;
    HWND h = d->ControlWindow(s.Name, s.Kind == TControlKind::RadioGroup ? 0 : -1);
    HIMC context = ImmGetContext(h);
    EXPECT_EQ(context, nullptr) << s.Name;
    if (context != nullptr) ImmReleaseContext(h, context);
  }
  // The prefix and suffix keep the input method for Japanese text.
  for (const char* name : {"Edit2", "Edit3"}) {
    HWND h = d->ControlWindow(name);
    HIMC context = ImmGetContext(h);
    EXPECT_NE(context, nullptr) << name;
    if (context != nullptr) ImmReleaseContext(h, context);
  }
}

TEST(Win32View, ColoursOfTheNotesAndTheStatusLine) {
  TFolder folder(SettingsFile(100, 100));
  auto d = Open(folder, false);
  const struct {
    const char* Name;
    COLORREF Colour;
  } cases[] = {{"Memo1", RGB(187, 235, 244)},
               {"LabelA1", RGB(231, 231, 231)},
               {"Label6", RGB(255, 255, 255)},
               {"CheckBox1", RGB(255, 255, 255)}};
  HDC dc = CreateCompatibleDC(nullptr);
  for (const auto& c : cases) {
    const auto brush =
        reinterpret_cast<HBRUSH>(SendMessageW(d->Handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                              reinterpret_cast<LPARAM>(d->ControlWindow(c.Name))));
    LOGBRUSH lb{};
    ASSERT_NE(GetObjectW(brush, sizeof lb, &lb), 0) << c.Name;
    EXPECT_EQ(lb.lbColor, c.Colour) << c.Name;
    EXPECT_EQ(GetBkColor(dc), c.Colour) << c.Name;
  }
  // The preview's line asks its pane, which asks the dialog.
  const auto infoBrush = reinterpret_cast<HBRUSH>(
      SendMessageW(d->ControlWindow("Panel1"), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                   reinterpret_cast<LPARAM>(d->ControlWindow("PreviewInfo"))));
  LOGBRUSH info{};
  ASSERT_NE(GetObjectW(infoBrush, sizeof info, &info), 0);
  EXPECT_EQ(info.lbColor, RGB(255, 255, 255));
  DeleteDC(dc);
  const LONG_PTR status = GetWindowLongPtrW(d->ControlWindow("LabelA1"), GWL_STYLE);
  EXPECT_EQ(status & SS_TYPEMASK, SS_CENTER);
  EXPECT_TRUE(status & SS_CENTERIMAGE);
}

TEST(Win32View, ControlsUseTheFormsJapaneseFont) {
  TFolder folder(SettingsFile(100, 100));
  auto d = Open(folder, false);
  const std::wstring face = ChooseFace(Utf8LiteralToWide(kFormFontName), ShiftJisFaces());
  for (const TChildWindow& c : DialogChildren(ControlTable())) {
    if (c.Class == TChildClass::Pane || c.Class == TChildClass::Preview) continue;  // no text of its own
    HWND h = d->ControlWindow(c.Name, c.Item);
    LOGFONTW lf{};
    ASSERT_NE(GetObjectW(reinterpret_cast<HFONT>(SendMessageW(h, WM_GETFONT, 0, 0)), sizeof lf, &lf), 0)
        << c.Name;
    EXPECT_EQ(lf.lfFaceName, face) << c.Name;
    EXPECT_EQ(lf.lfCharSet, SHIFTJIS_CHARSET) << c.Name;
    EXPECT_EQ(lf.lfHeight, -ScaleToDpi(c.FontHeight, d->Dpi())) << c.Name;
  }
}

TEST(Win32View, StatusLineShowsTheModelsTextAtOnce) {
  TFolder folder(SettingsFile(100, 100));
  auto d = Open(folder);
  d->Form().LabelA1.Caption = SjisText(kStatusProcessing);
  d->RepaintStatus();
  EXPECT_EQ(Text(d->ControlWindow("LabelA1")), L"\u51e6\u7406\u4e2d\u3067\u3059");  // 処理中です
  RECT dirty{};
  EXPECT_FALSE(GetUpdateRect(d->ControlWindow("LabelA1"), &dirty, FALSE));  // painted already
}

// A saved position is kept while the whole window is on the screen; otherwise the window moves
// just far enough to be wholly on it (it fits on the 1280 x 1024 Xvfb screen).
TEST(Win32View, SavedPositionKeepsTheWholeWindowOnItsMonitor) {
  const struct {
    int Left, Top;
    bool Kept;
  } cases[] = {{100, 100, true},  {300, 200, true},   {-5000, -5000, false}, {100, 30000, false},
               {-200, 50, false}, {1180, 500, false}, {1181, 500, false},    {1270, 1020, false},
               {100, -1, false},  {0, 0, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.Left) + "," + std::to_string(c.Top));
    TFolder folder(SettingsFile(c.Left, c.Top));
    auto d = Open(folder, false);
    RECT r{};
    GetWindowRect(d->Handle(), &r);
    if (c.Kept) {
      EXPECT_EQ(r.left, c.Left);
      EXPECT_EQ(r.top, c.Top);
    } else {
      const RECT caption{r.left, r.top, r.right, r.top + GetSystemMetrics(SM_CYCAPTION)};
      HMONITOR monitor = MonitorFromRect(&caption, MONITOR_DEFAULTTONULL);
      ASSERT_NE(monitor, nullptr);
      MONITORINFO info{};
      info.cbSize = sizeof info;
      GetMonitorInfoW(monitor, &info);
      EXPECT_GE(r.left, info.rcWork.left);
      EXPECT_GE(r.top, info.rcWork.top);
      EXPECT_LE(r.right, info.rcWork.right);
      EXPECT_LE(r.bottom, info.rcWork.bottom);
      // Moved no further than needed: against an edge it crossed.
      EXPECT_TRUE(r.left == info.rcWork.left || r.right == info.rcWork.right || r.left == c.Left);
    }
  }
}

TEST(Win32View, CaptionIsGrabbableWith100PixelsOfItOnOneMonitor) {
  const std::vector<RECT> two = {{0, 0, 1280, 1024}, {1280, 0, 2560, 1024}};
  const struct {
    RECT Caption;
    bool Grabbable;
  } cases[] = {
      {{100, 100, 840, 130}, true},
      {{1180, 100, 1920, 130}, true},   // 100 on the first monitor, the rest on the second
      {{1230, 100, 1330, 130}, false},  // 50 on each: not 100 on one
      {{-640, 100, 100, 130}, true},    // 100 on the first
      {{-640, 100, 99, 130}, false},
      {{1270, 1020, 2010, 1050}, false},  // the corner of the first, and not the full height
      {{300, -1, 1040, 29}, false},
      {{300, 994, 1040, 1024}, true},
      {{2500, 500, 2560, 530}, true},  // a narrow caption counts whole
      {{2500, 500, 2561, 530}, false},
      {{5000, 5000, 5740, 5030}, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CaptionIsGrabbable(c.Caption, two), c.Grabbable) << c.Caption.left << "," << c.Caption.top;
  }
  EXPECT_FALSE(CaptionIsGrabbable({100, 100, 840, 130}, {}));
}

TEST(Win32View, ClampIntoAreaMovesOnlyAsFarAsNeeded) {
  const RECT area{0, 0, 1280, 1000};
  const struct {
    POINT Wanted;
    SIZE Size;
    POINT Expected;
  } cases[] = {
      {{100, 100}, {500, 470}, {100, 100}},  {{-50, 20}, {500, 470}, {0, 20}},
      {{1000, 900}, {500, 470}, {780, 530}}, {{-9000, -9000}, {500, 470}, {0, 0}},
      {{10, 10}, {2000, 1500}, {0, 0}},  // larger than the area: its top-left corner shows
  };
  for (const auto& c : cases) {
    const POINT p = ClampIntoArea(c.Wanted, c.Size, area);
    EXPECT_EQ(p.x, c.Expected.x) << c.Wanted.x << "," << c.Wanted.y;
    EXPECT_EQ(p.y, c.Expected.y) << c.Wanted.x << "," << c.Wanted.y;
  }
}

TEST(Win32View, ChooseFacePrefersTheFormsFaceThenJapaneseStandIns) {
  const std::wstring wanted = L"\uff2d\uff33 \u30b4\u30b7\u30c3\u30af";  // ＭＳ ゴシック
  const struct {
    std::vector<TFontFace> Installed;
    std::wstring Expected;
  } cases[] = {
      {{{L"Meiryo", false}, {wanted, true}}, wanted},
      {{{L"IPAPGothic", false}, {L"MS Gothic", true}, {L"Meiryo", false}}, L"MS Gothic"},
      {{{L"IPAPGothic", false}, {L"Yu Gothic UI", false}, {L"Meiryo", false}}, L"Yu Gothic UI"},
      {{{L"IPAPGothic", false}, {L"IPAGothic", true}}, L"IPAGothic"},
      {{{L"IPAPGothic", false}}, L"IPAPGothic"},
      {{}, wanted},
  };
  for (const auto& c : cases) EXPECT_EQ(ChooseFace(wanted, c.Installed), c.Expected);
}

// ---- The preview ---------------------------------------------------------------------------------------

namespace {

// The pixels of a window's client area as it shows on screen, after any pending paint.
struct TPixels {
  int Width = 0, Height = 0;
  std::vector<uint32_t> Bgr;  // 0x00RRGGBB, top-down
  uint32_t At(int x, int y) const {
    return Bgr[static_cast<size_t>(y) * static_cast<size_t>(Width) + static_cast<size_t>(x)];
  }
};

TPixels Capture(HDC source, int width, int height) {
  TPixels out;
  out.Width = width;
  out.Height = height;
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;  // top-down
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC memory = CreateCompatibleDC(source);
  HBITMAP dib = CreateDIBSection(memory, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, dib);
  BitBlt(memory, 0, 0, width, height, source, 0, 0, SRCCOPY);
  GdiFlush();
  const auto* p = static_cast<const uint32_t*>(bits);
  out.Bgr.assign(p, p + static_cast<size_t>(width) * static_cast<size_t>(height));
  for (uint32_t& v : out.Bgr) v &= 0xFFFFFF;
  SelectObject(memory, old);
  DeleteObject(dib);
  DeleteDC(memory);
  return out;
}

TPixels PanelPixels(TDialogWindow& d) {
  HWND panel = d.ControlWindow("PreviewPanel");
  Pump(d.Handle());
  UpdateWindow(panel);
  RECT client{};
  GetClientRect(panel, &client);
  HDC dc = GetDC(panel);
  TPixels out = Capture(dc, client.right, client.bottom);
  ReleaseDC(panel, dc);
  return out;
}

// Pixels inside the panel's frame that are not white.
int Inked(const TPixels& p, int inset) {
  int n = 0;
  for (int y = inset; y < p.Height - inset; ++y) {
    for (int x = inset; x < p.Width - inset; ++x) n += p.At(x, y) != 0xFFFFFF;
  }
  return n;
}

int Red(uint32_t v) { return static_cast<int>((v >> 16) & 0xFF); }
int Green(uint32_t v) { return static_cast<int>((v >> 8) & 0xFF); }
int Blue(uint32_t v) { return static_cast<int>(v & 0xFF); }
bool IsReddish(uint32_t v) { return Red(v) > Blue(v) + 60 && Red(v) > Green(v) + 60; }
bool IsBluish(uint32_t v) { return Blue(v) > Red(v) + 50 && Blue(v) > Green(v); }

int Count(const TPixels& p, bool (*test)(uint32_t)) {
  int n = 0;
  for (uint32_t v : p.Bgr) n += test(v);
  return n;
}

// A control changed as the user changes it, so that it notifies the dialog as it would then.
void SelectNext(TDialogWindow& d, const char* list) {
  HWND h = d.ControlWindow(list);
  SetFocus(h);
  PostMessageW(h, WM_KEYDOWN, VK_DOWN, 1);
  Pump(d.Handle());
}

void TypeInto(TDialogWindow& d, const char* edit, const wchar_t* text) {
  SetWindowTextW(d.ControlWindow(edit), text);  // sends EN_CHANGE, as typing does
  Pump(d.Handle());
}

void Click(TDialogWindow& d, const char* name, int item = -1) {
  SendMessageW(d.ControlWindow(name, item), BM_CLICK, 0, 0);
  Pump(d.Handle());
}

const std::wstring kIdle = L"\u3000";

int FrameWidth(const TDialogWindow& d) { return std::max(1, ScaleToDpi(1, d.Dpi())); }

}  // namespace

TEST(Win32View, PreviewPanelWidensTheWindowBesideTheControls) {
  TFolder folder(SettingsFile(100, 100));
  auto d = Open(folder, false);
  const UINT dpi = d->Dpi();
  RECT client{};
  GetClientRect(d->Handle(), &client);
  EXPECT_EQ(client.right, ScaleToDpi(732, dpi));
  const RECT panel = RectInParent(d->ControlWindow("PreviewPanel"));
  EXPECT_EQ(panel.left, ScaleToDpi(496, dpi));
  EXPECT_EQ(panel.top, ScaleToDpi(4, dpi));
  EXPECT_EQ(panel.right, ScaleToDpi(496 + 232, dpi));
  EXPECT_EQ(panel.bottom, ScaleToDpi(4 + 318, dpi));
  EXPECT_LE(panel.right, client.right);
  // The check box stands in the information pane, above it: seen and clicked, not painted over.
  const RECT check = RectInParent(d->ControlWindow("CheckBox5"));
  EXPECT_EQ(check.left, ScaleToDpi(8, dpi));
  EXPECT_EQ(check.top, ScaleToDpi(399, dpi));
  const POINT middle{(check.left + check.right) / 2, (check.top + check.bottom) / 2};
  EXPECT_EQ(ChildWindowFromPointEx(d->Handle(), middle, CWP_SKIPINVISIBLE), d->ControlWindow("CheckBox5"));
  EXPECT_TRUE(GetWindowLongPtrW(d->ControlWindow("ScrollBox1"), GWL_STYLE) & WS_CLIPSIBLINGS);
  EXPECT_EQ(Text(d->ControlWindow("CheckBox5")),
            L"\u30d7\u30ec\u30d3\u30e5\u30fc\u8868\u793a");  // プレビュー表示
  EXPECT_EQ(SendMessageW(d->ControlWindow("CheckBox5"), BM_GETCHECK, 0, 0), BST_CHECKED);
  // The status line and the information pane run under the preview too.
  for (const char* name : {"LabelA1", "ScrollBox1"}) {
    const RECT r = RectInParent(d->ControlWindow(name));
    EXPECT_EQ(r.left, 0) << name;
    EXPECT_EQ(r.right, client.right) << name;
  }
  // The information line is inside what the pane shows, one row of text high.
  HWND info = d->ControlWindow("PreviewInfo");
  RECT line{}, pane{};
  GetWindowRect(info, &line);
  GetClientRect(d->ControlWindow("ScrollBox1"), &pane);
  MapWindowPoints(d->ControlWindow("ScrollBox1"), HWND_DESKTOP, reinterpret_cast<POINT*>(&pane), 2);
  EXPECT_GE(line.left, pane.left);
  EXPECT_LE(line.right, pane.right);
  EXPECT_GE(line.top, pane.top);
  EXPECT_LE(line.bottom, pane.bottom);
  EXPECT_EQ(GetWindowLongPtrW(info, GWL_STYLE) & SS_TYPEMASK, SS_LEFTNOWORDWRAP);
}

TEST(Win32View, PreviewShowsTheDimensionAndItsInformationAfterFormShow) {
  TFolder folder(SettingsFile(100, 100));
  auto d = Open(folder);
  const TPreview expected = BuildPreview(d->Form());
  ASSERT_TRUE(expected.Drawable);
  EXPECT_EQ(WideToSjis(Text(d->ControlWindow("PreviewInfo"))), expected.Info);
  // 寸法値 Ｈ＝2,700.00 (the settings: prefix Ｈ＝, two decimals, zeros shown, thousands grouped)
  EXPECT_THAT(Text(d->ControlWindow("PreviewInfo")),
              ::testing::StartsWith(L"\u5bf8\u6cd5\u5024 \uff28\uff1d2,700.00"));
  EXPECT_EQ(Text(d->ControlWindow("LabelA1")), kIdle);
  EXPECT_EQ(d->PreviewPicture().Shapes.size(), expected.Picture.Shapes.size());
  const TPixels p = PanelPixels(*d);
  ASSERT_GT(p.Width, 0);
  // The frame, the lines in black, the measured points in red, the value text in blue.
  EXPECT_NE(p.At(0, p.Height / 2), 0xFFFFFFu);
  EXPECT_GT(Inked(p, 2 * FrameWidth(*d)), 400);
  EXPECT_GT(Count(p, IsReddish), 8);
  EXPECT_GT(Count(p, IsBluish), 30);
}

TEST(Win32View, PreviewFollowsEveryKindOfControl) {
  struct TCase {
    const char* Name;
    void (*Change)(TDialogWindow&);
    bool InfoChanges;  // the value text changes with it
  };
  const TCase cases[] = {
      {"Edit4 typed", [](TDialogWindow& d) { TypeInto(d, "Edit4", L"3"); }, false},
      {"Edit2 typed", [](TDialogWindow& d) { TypeInto(d, "Edit2", L"\uff2c\uff1d"); }, true},  // Ｌ＝
      {"ComboBox1 Down", [](TDialogWindow& d) { SelectNext(d, "ComboBox1"); }, false},
      {"ComboBox4 Down", [](TDialogWindow& d) { SelectNext(d, "ComboBox4"); }, true},
      {"RadioGroup2 m", [](TDialogWindow& d) { Click(d, "RadioGroup2", 1); }, true},
      {"CheckBox1 off", [](TDialogWindow& d) { Click(d, "CheckBox1"); }, true},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TFolder folder(SettingsFile(100, 100));
    auto d = Open(folder);
    const std::wstring infoBefore = Text(d->ControlWindow("PreviewInfo"));
    const TPixels before = PanelPixels(*d);
    c.Change(*d);
    const TPixels after = PanelPixels(*d);
    const std::wstring infoAfter = Text(d->ControlWindow("PreviewInfo"));
    EXPECT_NE(before.Bgr, after.Bgr) << "the panel was not redrawn";
    EXPECT_GT(Inked(after, 2 * FrameWidth(*d)), 400);
    EXPECT_EQ(infoAfter != infoBefore, c.InfoChanges)
        << WideToUtf8(infoBefore) << " / " << WideToUtf8(infoAfter);
    // The model follows the control: the preview is what OK would now draw.
    EXPECT_EQ(WideToSjis(infoAfter), BuildPreview(d->Form()).Info);
    EXPECT_EQ(Text(d->ControlWindow("LabelA1")), kIdle);
  }
}

TEST(Win32View, RefusedInputShowsItsReasonInTheStatusLineAndNoPicture) {
  std::string zero = ReadBytes(kHostInput);
  const size_t hp2 = zero.find("hp2 ");
  zero.replace(hp2, zero.find('\n', hp2) - hp2, "hp2 -1820.4 -955.25\r");  // the first point again
  struct TCase {
    const char* Name;
    std::string Input;
    void (*Change)(TDialogWindow&);
    void (*Fix)(TDialogWindow&);
    const char* Status;
  };
  const TCase cases[] = {
      {"Edit1 0", ReadBytes(kHostInput), [](TDialogWindow& d) { TypeInto(d, "Edit1", L"0"); },
       [](TDialogWindow& d) { TypeInto(d, "Edit1", L"1.5"); },
       "「端点倍率」の値では作図出来ません（0より大きい値）"},
      {"Edit7 1000.5", ReadBytes(kHostInput), [](TDialogWindow& d) { TypeInto(d, "Edit7", L"1000.5"); },
       [](TDialogWindow& d) { TypeInto(d, "Edit7", L"3"); },
       "「線矢印の長さ」の値では作図出来ません（0より大きく1000以下）"},
      {"Edit6 -0.5", ReadBytes(kHostInput), [](TDialogWindow& d) { TypeInto(d, "Edit6", L"-0.5"); },
       [](TDialogWindow& d) { TypeInto(d, "Edit6", L"2"); },
       "「寸法補助線のはみ出し距離」の値では作図出来ません（0以上）"},
      {"zero length", zero, nullptr, nullptr, kMessageZeroLength},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TFolder folder(SettingsFile(100, 100), c.Input);
    auto d = Open(folder);
    if (c.Change != nullptr) c.Change(*d);
    EXPECT_EQ(Text(d->ControlWindow("LabelA1")), Utf8LiteralToWide(c.Status));
    EXPECT_EQ(Text(d->ControlWindow("PreviewInfo")), L"");
    EXPECT_TRUE(d->PreviewPicture().Shapes.empty());
    EXPECT_EQ(Inked(PanelPixels(*d), 2 * FrameWidth(*d)), 0) << "something drawn for a refused input";
    if (c.Fix == nullptr) continue;
    // A refused OK leaves the reason standing: the status line is not reset by the handler.
    PressOk(*d);
    EXPECT_FALSE(d->Closed());
    EXPECT_EQ(Text(d->ControlWindow("LabelA1")), Utf8LiteralToWide(c.Status));
    c.Fix(*d);
    EXPECT_EQ(Text(d->ControlWindow("LabelA1")), kIdle);
    EXPECT_NE(Text(d->ControlWindow("PreviewInfo")), L"");
    EXPECT_GT(Inked(PanelPixels(*d), 2 * FrameWidth(*d)), 400);
  }
}

TEST(Win32View, PreviewCheckBoxHidesAndShowsThePreview) {
  TFolder folder(SettingsFile(100, 100));
  auto d = Open(folder);
  const int inset = 2 * FrameWidth(*d);
  const TPixels shown = PanelPixels(*d);
  ASSERT_GT(Inked(shown, inset), 400);
  const UINT dpi = d->Dpi();
  // The window as wide as what it shows; the status line and the information pane as wide as it.
  const auto expectWidth = [&](int width96) {
    RECT client{};
    GetClientRect(d->Handle(), &client);
    EXPECT_EQ(client.right, ScaleToDpi(width96, dpi));
    for (const char* name : {"LabelA1", "ScrollBox1"})
      EXPECT_EQ(RectInParent(d->ControlWindow(name)).right, client.right) << name;
    EXPECT_LE(RectInParent(d->ControlWindow("CheckBox5")).right, client.right);
  };
  expectWidth(kFormClientWidth);
  Click(*d, "CheckBox5");
  EXPECT_FALSE(d->Form().CheckBox5.Checked);
  EXPECT_FALSE(IsWindowVisible(d->ControlWindow("PreviewPanel")));  // no empty frame left behind
  expectWidth(kFormClientWidthWithoutPreview);
  EXPECT_EQ(Text(d->ControlWindow("PreviewInfo")), L"");
  // Hidden, the preview still says why OK would refuse.
  TypeInto(*d, "Edit1", L"0");
  EXPECT_EQ(Text(d->ControlWindow("LabelA1")),
            Utf8LiteralToWide("「端点倍率」の値では作図出来ません（0より大きい値）"));
  EXPECT_EQ(Text(d->ControlWindow("PreviewInfo")), L"");
  TypeInto(*d, "Edit1", L"1.5");
  EXPECT_EQ(Text(d->ControlWindow("LabelA1")), kIdle);
  Click(*d, "CheckBox5");
  EXPECT_TRUE(IsWindowVisible(d->ControlWindow("PreviewPanel")));
  expectWidth(kFormClientWidth);
  EXPECT_EQ(PanelPixels(*d).Bgr, shown.Bgr);  // the same settings draw the same picture
  EXPECT_NE(Text(d->ControlWindow("PreviewInfo")), L"");
  // Off again, and OK remembers it in the settings' line 32.
  Click(*d, "CheckBox5");
  PressOk(*d);
  ASSERT_TRUE(d->Closed());
  const std::vector<std::string> saved = Lines(folder.Settings());
  ASSERT_EQ(saved.size(), SettingsTable().size());
  EXPECT_EQ(saved[31], "0");
}

TEST(Win32View, PreviewKeepsUpWithTheDpi) {
  TFolder folder(SettingsFile(100, 100));
  auto d = Open(folder);
  for (const UINT dpi : {144u, 96u}) {
    SCOPED_TRACE(dpi);
    RECT suggested{100, 100, 100 + ScaleToDpi(760, dpi), 100 + ScaleToDpi(470, dpi)};
    SendMessageW(d->Handle(), 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(dpi, dpi),
                 reinterpret_cast<LPARAM>(&suggested));
    const TPixels p = PanelPixels(*d);
    EXPECT_EQ(p.Width, ScaleToDpi(232, dpi));
    EXPECT_EQ(p.Height, ScaleToDpi(318, dpi));
    // The picture fills the panel one way: inked pixels near both of its sides or both its ends.
    int left = p.Width, right = 0, top = p.Height, bottom = 0;
    const int inset = 2 * FrameWidth(*d);
    for (int y = inset; y < p.Height - inset; ++y) {
      for (int x = inset; x < p.Width - inset; ++x) {
        if (p.At(x, y) == 0xFFFFFF) continue;
        left = std::min(left, x);
        right = std::max(right, x);
        top = std::min(top, y);
        bottom = std::max(bottom, y);
      }
    }
    const int edge = ScaleToDpi(kPreviewMargin + 4, dpi);
    const bool fillsWidth = left <= edge && right >= p.Width - edge;
    const bool fillsHeight = top <= edge && bottom >= p.Height - edge;
    EXPECT_TRUE(fillsWidth || fillsHeight) << left << "-" << right << " x " << top << "-" << bottom;
    // Centred the other way.
    EXPECT_NEAR(left + right, p.Width, ScaleToDpi(6, dpi));
    EXPECT_NEAR(top + bottom, p.Height, ScaleToDpi(6, dpi));
  }
}

// The painter on its own: each kind of shape lands where the fit puts it, in its colour, and the
// value text runs from its start point along its direction over its extent.
TEST(PreviewPainter, ShapesLandWhereTheFitPutsThem) {
  constexpr int kSize = 240;
  TPreviewPicture picture;
  auto shape = [](TPreviewShapeKind kind, std::vector<TPreviewPoint> points, double radius = 0.0) {
    TPreviewShape s;
    s.Kind = kind;
    s.Points = std::move(points);
    s.Radius = radius;
    return s;
  };
  picture.Shapes = {shape(TPreviewShapeKind::Line, {{-100, -100}, {100, -100}}),
                    shape(TPreviewShapeKind::FilledCircle, {{-60, 60}}, 6),
                    shape(TPreviewShapeKind::Circle, {{60, 60}}, 12),
                    shape(TPreviewShapeKind::Measured, {{0, 100}})};
  picture.MinX = picture.MinY = -100;
  picture.MaxX = picture.MaxY = 100;
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, kSize, kSize);
  HGDIOBJ old = SelectObject(dc, bitmap);
  RECT all{0, 0, kSize, kSize};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  PaintPreviewPicture(dc, picture, kSize, kSize, {L"", 96});
  const TPixels p = Capture(dc, kSize, kSize);
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);

  const TPreviewFit fit = FitPicture(picture, kSize, kSize, kPreviewMargin);
  // Whether a pixel within one pixel of where (x, y) falls passes `test` (points are rounded).
  auto around = [&](double x, double y, auto test) {
    const TPreviewPoint q = fit.ToPixel({x, y});
    const int cx = static_cast<int>(std::lround(q.X)), cy = static_cast<int>(std::lround(q.Y));
    for (int dy = -1; dy <= 1; ++dy) {
      for (int dx = -1; dx <= 1; ++dx) {
        if (test(p.At(cx + dx, cy + dy))) return true;
      }
    }
    return false;
  };
  auto black = [](uint32_t v) { return v == 0x000000; };
  auto notWhite = [](uint32_t v) { return v != 0xFFFFFF; };
  EXPECT_TRUE(around(-100, -100, black));  // both ends of the line and its middle
  EXPECT_TRUE(around(100, -100, black));
  EXPECT_TRUE(around(0, -100, black));
  EXPECT_FALSE(around(0, -90, notWhite));
  EXPECT_TRUE(around(-60, 60, black));     // filled
  EXPECT_FALSE(around(60, 60, notWhite));  // hollow inside, inked on the rim
  EXPECT_TRUE(around(72, 60, black));
  EXPECT_TRUE(around(60, 48, black));
  EXPECT_TRUE(around(0, 100, IsReddish));
  // The margin stays free.
  for (int i = 0; i < kSize; ++i) {
    EXPECT_EQ(p.At(i, 2), 0xFFFFFFu);
    EXPECT_EQ(p.At(2, i), 0xFFFFFFu);
  }
}

TEST(PreviewPainter, ValueTextRunsFromItsStartAlongItsDirection) {
  constexpr int kSize = 240;
  const std::wstring face = ChooseFace(Utf8LiteralToWide(kFormFontName), ShiftJisFaces());
  for (const double angle : {0.0, 90.0, 30.0, 300.0}) {
    SCOPED_TRACE(angle);
    TPreviewShape text;
    text.Kind = TPreviewShapeKind::Text;
    text.Points = {{0, 0}};
    text.AngleDeg = angle;
    text.Height = 16;
    text.Radius = 80;  // the extent along the baseline
    text.Text = "2,700.25";
    TPreviewPicture picture;
    picture.Shapes = {text};
    picture.MinX = picture.MinY = -100;
    picture.MaxX = picture.MaxY = 100;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, kSize, kSize);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT all{0, 0, kSize, kSize};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    PaintPreviewPicture(dc, picture, kSize, kSize, {face, 96});
    const TPixels p = Capture(dc, kSize, kSize);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);

    // Every text pixel in the text's own frame: along the baseline from the start, across it up
    // to the height (a little below it for the comma's tail).
    const TPreviewFit fit = FitPicture(picture, kSize, kSize, kPreviewMargin);
    const TPreviewPoint start = fit.ToPixel({0, 0});
    const double a = angle * 3.14159265358979 / 180.0;
    const double extent = text.Radius * fit.Scale, height = text.Height * fit.Scale;
    double minAlong = 1e9, maxAlong = -1e9, maxAcross = -1e9;
    int inked = 0;
    for (int y = 0; y < kSize; ++y) {
      for (int x = 0; x < kSize; ++x) {
        if (!IsBluish(p.At(x, y))) continue;
        ++inked;
        const double dx = x + 0.5 - start.X, dy = -(y + 0.5 - start.Y);  // y up
        const double along = dx * std::cos(a) + dy * std::sin(a);
        const double across = -dx * std::sin(a) + dy * std::cos(a);
        minAlong = std::min(minAlong, along);
        maxAlong = std::max(maxAlong, along);
        maxAcross = std::max(maxAcross, across);
        EXPECT_GE(across, -0.35 * height) << x << "," << y;
        EXPECT_LE(across, height + 2) << x << "," << y;
      }
    }
    ASSERT_GT(inked, 50);
    EXPECT_GE(minAlong, -2.5);
    EXPECT_LE(minAlong, 0.15 * extent);  // starts at its start point
    EXPECT_GE(maxAlong, 0.85 * extent);  // spread over its extent
    EXPECT_LE(maxAlong, extent + 2.5);
    EXPECT_GE(maxAcross, 0.5 * height);  // upright: the glyphs stand on the baseline's left
  }
}

// The marker lists draw their items: each item's row (shape, text, code) differs from every
// other's, items 1 and 11 (both "△") included, and the field shows the chosen item's shape.
TEST(Win32View, MarkerListsShowEachItemsShape) {
  TFolder folder(SettingsFile(100, 100));
  auto d = Open(folder);
  for (const char* name : {"ComboBox1", "ComboBox2"}) {
    HWND list = d->ControlWindow(name);
    EXPECT_EQ(GetWindowLongPtrW(list, GWL_STYLE) & CBS_OWNERDRAWFIXED, CBS_OWNERDRAWFIXED) << name;
    EXPECT_EQ(SendMessageW(list, CB_GETCOUNT, 0, 0), 12) << name;
  }
  const int width = 112, height = 18;
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  HDC dc = CreateCompatibleDC(nullptr);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  ASSERT_NE(bitmap, nullptr);
  HGDIOBJ old = SelectObject(dc, bitmap);
  HWND list = d->ControlWindow("ComboBox1");
  std::set<std::vector<std::uint32_t>> rows;
  for (int item = 0; item < 12; ++item) {
    wchar_t text[32] = {};
    SendMessageW(list, CB_GETLBTEXT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(text));
    const RECT box{0, 0, width, height};
    PaintMarkerItem(dc, box, item, text, TMarkerItemState{}, TPreviewStyle{L"", 96});
    GdiFlush();
    const auto* p = static_cast<const std::uint32_t*>(bits);
    EXPECT_TRUE(rows.emplace(p, p + width * height).second) << "item " << item << " looks like another";
  }
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
}
