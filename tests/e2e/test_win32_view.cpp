// The Win32 view in-process, on a real (virtual) display: its windows against the control table,
// the binding to the TForm1 model in both directions, the keys of a dialog, the confirmation box,
// focus after a refused OK, colours, font and placement.
#include <windows.h>
#include <imm.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "DialogFont.h"
#include "DialogLayout.h"
#include "DialogWindow.h"
#include "DpiScale.h"
#include "MonitorPlacement.h"
#include "WideText.h"

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
  const std::vector<std::string> lines = {std::to_string(left), std::to_string(top), "1", "0", "2", "2", "2",
                                          edit1, "Ｈ＝", "", "0.5", "2", "2", "3", "15", "2", "1", "0", "1",
                                          "0", "0", "0"};
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
    if (dialog != nullptr && IsWindow(dialog) && IsDialogMessageW(dialog, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

std::unique_ptr<TDialogWindow> Open(const TFolder& folder, bool show = true) {
  auto dialog = std::make_unique<TDialogWindow>(GetModuleHandleW(nullptr), folder.Path());
  std::wstring error;
  EXPECT_TRUE(dialog->Create(error)) << WideToUtf8(error);
  if (show) {
    dialog->Show(SW_SHOWNORMAL);
    Pump(dialog->Handle());
  }
  return dialog;
}

void PressOk(TDialogWindow& d) {
  SendMessageW(d.Handle(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(d.ControlWindow("Button1")));
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
  }
  return L"";
}

std::string NameOf(const TDialogWindow& d, HWND h) {
  for (const TChildWindow& c : DialogChildren(ControlTable())) {
    if (d.ControlWindow(c.Name, c.Item) == h) return c.Name;
  }
  return "?";
}

// What a message box shows: its text, whether it has an icon, how many buttons.
struct TBoxContent {
  std::wstring Text;
  bool HasIcon = false;
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
          } else if (c->Text.empty()) {
            c->Text = Text(child);
          }
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&content));
  return content;
}

}  // namespace

TEST(Win32View, EveryWindowOfTheTableStandsAtItsPlaceWithItsKind) {
  TFolder folder(SettingsFile(100, 100));
  auto d = Open(folder, false);
  const UINT dpi = d->Dpi();
  for (const TChildWindow& c : DialogChildren(ControlTable())) {
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
  // Nothing of the table inside the window is missing.
  for (const TControlSpec& s : ControlTable()) {
    if (s.Left < kFormClientWidth) {
      EXPECT_NE(d->ControlWindow(s.Name), nullptr) << s.Name;
    }
  }
  // The labels stand clear of what is right of them on their row.
  const RECT label20 = RectInParent(d->ControlWindow("Label20"));
  EXPECT_LE(label20.right, RectInParent(d->ControlWindow("Memo1")).left);
}

TEST(Win32View, DpiChangeScalesEveryControlAndFont) {
  TFolder folder(SettingsFile(100, 100));
  auto d = Open(folder, false);
  for (const UINT dpi : {144u, 192u, 120u, 96u}) {
    SCOPED_TRACE(dpi);
    RECT suggested{100, 100, 100 + ScaleToDpi(500, dpi), 100 + ScaleToDpi(470, dpi)};
    SendMessageW(d->Handle(), 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(d->Dpi(), dpi);
    for (const char* name : {"ComboBox3", "Edit9", "Button2", "Memo1", "LabelA1", "ScrollBox1"}) {
      const TControlSpec& spec = *FindControl(name);
      const RECT r = RectInParent(d->ControlWindow(name));
      EXPECT_EQ(r.left, ScaleToDpi(spec.Left, dpi)) << name;
      EXPECT_EQ(r.top, ScaleToDpi(spec.Top, dpi)) << name;
      EXPECT_EQ(r.right - r.left, ScaleToDpi(spec.Width, dpi)) << name;
      EXPECT_EQ(r.bottom - r.top, ScaleToDpi(spec.Height, dpi)) << name;
    }
    const RECT radio = RectInParent(d->ControlWindow("RadioGroup2", 1));
    EXPECT_EQ(radio.left, ScaleToDpi(160 + 8 + (145 - 10) / 2, dpi));
    LOGFONTW lf{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(d->ControlWindow("Label15"), WM_GETFONT, 0, 0)), sizeof lf, &lf);
    EXPECT_EQ(lf.lfHeight, -ScaleToDpi(11, dpi));
    RECT outer{};
    GetWindowRect(d->Handle(), &outer);
    EXPECT_EQ(outer.left, suggested.left);
    EXPECT_EQ(outer.top, suggested.top);
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

TEST(Win32View, TabGoesThroughTheControlsInTheTablesOrder) {
  TFolder folder(SettingsFile(100, 100));
  auto d = Open(folder);
  std::vector<std::string> expected;
  for (int tab = 0;; ++tab) {
    const TControlSpec* found = nullptr;
    for (const TControlSpec& s : ControlTable()) {
      if (s.TabOrder == tab) found = &s;
    }
    if (found == nullptr) break;
    if (found->TabStop && found->Left < kFormClientWidth) expected.push_back(found->Name);
  }
  std::vector<std::string> visited;
  HWND first = d->ControlWindow(expected.front());
  HWND h = first;
  do {
    visited.push_back(NameOf(*d, h));
    h = GetNextDlgTabItem(d->Handle(), h, FALSE);
  } while (h != nullptr && h != first && visited.size() < 64);
  EXPECT_EQ(visited, expected);
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
  EXPECT_EQ(Text(d->ControlWindow("Edit2")), L"\uff28\uff1d");            // Ｈ＝

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
  const TCase cases[] = {{"Edit1", L"0"},      {"Edit7", L"1000.5"}, {"Edit8", L"180"},
                         {"ComboBox3", nullptr}, {"Edit5", L"-1"},   {"Edit6", L"-0.5"}};
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

  std::atomic<bool> seen{false};
  std::wstring boxText;
  bool hasIcon = false;
  int buttons = 0;
  std::thread watcher([&] {
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (std::chrono::steady_clock::now() < until) {
      HWND box = FindWindowW(L"#32770", L"\u78ba\u8a8d");  // 確認
      if (box != nullptr && IsWindowVisible(box)) {
        TBoxContent content = ReadMessageBox(box);
        boxText = content.Text;
        hasIcon = content.HasIcon;
        buttons = content.Buttons;
        seen = true;
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        return;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
  });
  PressOk(*d);  // returns when the box has been closed
  watcher.join();
  EXPECT_TRUE(seen) << "no message box with the caption 確認";
  EXPECT_EQ(boxText, Utf8LiteralToWide(kMessageZeroLength));
  EXPECT_TRUE(hasIcon);
  EXPECT_EQ(buttons, 1);
  EXPECT_FALSE(d->Closed());
  EXPECT_EQ(Lines(folder.Settings()).size(), SettingsTable().size());  // saved before the length was looked at
  EXPECT_EQ(folder.Exchange(), input);
  SendMessageW(d->Handle(), WM_CLOSE, 0, 0);
  Pump(nullptr);
  EXPECT_EQ(folder.Exchange(), "hq\r\n");
}

TEST(Win32View, DialogKeysPressTheButtons) {
  struct TCase {
    const char* Focus;
    UINT Key;
    bool Drawn;  // OK ran to the end (else Cancel)
  };
  const TCase cases[] = {{"Edit4", VK_RETURN, true}, {"ComboBox1", VK_RETURN, true}, {"Edit4", VK_ESCAPE, false},
                         {"Button2", VK_RETURN, false}, {"Button1", VK_RETURN, true}};
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
  for (const TControlSpec& s : ControlTable()) {
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
  } cases[] = {{"Memo1", RGB(187, 235, 244)}, {"LabelA1", RGB(231, 231, 231)}, {"Label6", RGB(255, 255, 255)},
               {"CheckBox1", RGB(255, 255, 255)}};
  HDC dc = CreateCompatibleDC(nullptr);
  for (const auto& c : cases) {
    const auto brush = reinterpret_cast<HBRUSH>(
        SendMessageW(d->Handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                     reinterpret_cast<LPARAM>(d->ControlWindow(c.Name))));
    LOGBRUSH lb{};
    ASSERT_NE(GetObjectW(brush, sizeof lb, &lb), 0) << c.Name;
    EXPECT_EQ(lb.lbColor, c.Colour) << c.Name;
    EXPECT_EQ(GetBkColor(dc), c.Colour) << c.Name;
  }
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
    if (c.Class == TChildClass::Pane) continue;  // no text of its own
    HWND h = d->ControlWindow(c.Name, c.Item);
    LOGFONTW lf{};
    ASSERT_NE(GetObjectW(reinterpret_cast<HFONT>(SendMessageW(h, WM_GETFONT, 0, 0)), sizeof lf, &lf), 0) << c.Name;
    EXPECT_EQ(lf.lfFaceName, face) << c.Name;
    EXPECT_EQ(lf.lfCharSet, SHIFTJIS_CHARSET) << c.Name;
    EXPECT_EQ(lf.lfHeight, -ScaleToDpi(c.Name == "Label15" ? 11 : 13, d->Dpi())) << c.Name;
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

TEST(Win32View, SavedPositionIsKeptWhileTheTitleBarIsOnAMonitor) {
  const struct {
    int Left, Top;
    bool Kept;
  } cases[] = {{100, 100, true}, {300, 200, true}, {-5000, -5000, false}, {100, 30000, false}, {-200, 50, true}};
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
      EXPECT_LE(r.bottom, info.rcWork.bottom);
    }
  }
}

TEST(Win32View, ClampIntoAreaMovesOnlyAsFarAsNeeded) {
  const RECT area{0, 0, 1280, 1000};
  const struct {
    POINT Wanted;
    SIZE Size;
    POINT Expected;
  } cases[] = {
      {{100, 100}, {500, 470}, {100, 100}},     {{-50, 20}, {500, 470}, {0, 20}},
      {{1000, 900}, {500, 470}, {780, 530}},   {{-9000, -9000}, {500, 470}, {0, 0}},
      {{10, 10}, {2000, 1500}, {0, 0}},         // larger than the area: its top-left corner shows
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
