// The files a user installs beside q748.exe: the launchers that the host reads for its directives
// (Shift-JIS, CR LF, "#" before the 10th byte) and the readme.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstddef>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <set>
#include <sstream>
#include <utility>
#include <string>
#include <vector>

#include "Options.h"
#include "TestSupport.h"
#include "Unit1.h"

using ::testing::HasSubstr;
using testsupport::Contains;
using testsupport::ExactlyWhen;
using testsupport::HasSjisSubstr;
using testsupport::StartsWithSjis;

namespace {

const std::filesystem::path kPackage = std::filesystem::path(Q748_TEST_DATA) / ".." / ".." / "package";

std::string ReadBytes(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// The lines of a file whose every line ends in CR LF; `ok` is false at a lone CR or LF.
std::vector<std::string> CrLfLines(const std::string& bytes, bool& ok) {
  std::vector<std::string> lines;
  ok = !bytes.empty() && bytes.size() >= 2 && bytes.compare(bytes.size() - 2, 2, "\r\n") == 0;
  std::string line;
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
      lines.push_back(line);
      line.clear();
      ++i;
    } else if (bytes[i] == '\r' || bytes[i] == '\n') {
      ok = false;
    } else {
      line += bytes[i];
    }
  }
  return lines;
}

// Where a text stops being valid code page 932 (lead byte and its trail byte); none when it is valid.
std::optional<size_t> FirstInvalidSjis(const std::string& s) {
  for (size_t i = 0; i < s.size(); ++i) {
    const auto b = static_cast<unsigned char>(s[i]);
    if (b < 0x80 || (b >= 0xA1 && b <= 0xDF)) continue;
    if ((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC)) {
      if (i + 1 >= s.size()) return i;
      const auto t = static_cast<unsigned char>(s[i + 1]);
      if (t < 0x40 || t == 0x7F || t > 0xFC) return i;
      ++i;
      continue;
    }
    return i;
  }
  return std::nullopt;
}

// A directive line as the host reads it: REM, then "#" within the first nine bytes.
bool IsDirective(const std::string& line) {
  return line.starts_with("REM ") && Contains(line.substr(0, 9), "#");
}

// From the "#" to the first blank after it, or to the end of the line.
std::string DirectiveName(const std::string& line) {
  const std::string fromHash = line.substr(line.find('#'));
  return fromHash.substr(0, fromHash.find(' '));
}

}  // namespace

// Every launcher in the package: the host's directives, the prompts of the dimension its
// arguments choose (from the kinds table), and a memo in the package's one vocabulary.
TEST(Package, LaunchersCarryTheHostsDirectives) {
  const struct {
    const char* File;
    bool Repeats;  // #hr: the host runs the command again after each dimension
  } launchers[] = {
      {"q748.bat", false},
      {"q748r.bat", true},
      {"q748c.bat", true},
      {"q748o.bat", false},
      {"q748l.bat", false},
      {"q748lr.bat", true},
      {"q748h.bat", false},
      {"q748hr.bat", true},
      {"q748hc.bat", true},
      {"q748ho.bat", false},
      {"q748hl.bat", false},
      {"q748hlr.bat", true},
      {"q748a.bat", false},
      {"q748ar.bat", true},
      {"q748ac.bat", true},
      {"q748ao.bat", false},
      {"q748al.bat", false},
      {"q748alr.bat", true},
      {"q748k.bat", false},
      {"q748hk.bat", false},
      {"q748ak.bat", false},
      {"q748rd.bat", false},
      {"q748rdr.bat", true},
      {"q748dm.bat", false},
      {"q748dmr.bat", true},
      {"q748arc.bat", false},
      {"q748arcr.bat", true},
      {"q748ang.bat", false},
      {"q748angr.bat", true},
      // The settings launchers: the dialog of a settings file, drawing nothing.
      {"q748set.bat", false},
      {"q748hset.bat", false},
      {"q748aset.bat", false},
      {"q748rdset.bat", false},
      {"q748dmset.bat", false},
      {"q748arcset.bat", false},
      {"q748angset.bat", false},
      {"q748mv.bat", false},
      {"q748mvr.bat", true},
      {"q748mvset.bat", false},
  };
  // Every launcher of the folder is here, and the package takes it.
  std::set<std::string> listed;
  for (const auto& l : launchers) listed.insert(l.File);
  const std::string cmake = ReadBytes(kPackage / "CMakeLists.txt");
  for (const auto& e : std::filesystem::directory_iterator(kPackage)) {
    if (e.path().extension() != ".bat") continue;
    const std::string name = e.path().filename().string();
    EXPECT_EQ(listed.count(name), 1u) << name;
    EXPECT_THAT(cmake, HasSubstr("/" + name)) << name << " is not packed";
  }
  for (const auto& launcher : launchers) {
    SCOPED_TRACE(launcher.File);
    const std::string bytes = ReadBytes(kPackage / launcher.File);
    ASSERT_FALSE(bytes.empty());
    bool crlf = false;
    const std::vector<std::string> lines = CrLfLines(bytes, crlf);
    EXPECT_TRUE(crlf) << "every line must end in CR LF";
    EXPECT_EQ(FirstInvalidSjis(bytes), std::nullopt);
    ASSERT_GE(lines.size(), 3u);

    // After the label, the program, started so that the batch waits for it; its arguments choose
    // the dimension.
    std::vector<std::string> arguments;
    bool started = false;
    for (const std::string& l : lines) {
      if (!Contains(l, "q748.exe\"")) continue;
      started = l.compare(0, 9, "start /w ") == 0;
      std::istringstream words(l.substr(l.find("q748.exe\"") + 9));
      for (std::string w; words >> w;) arguments.push_back(w);
    }
    EXPECT_TRUE(started);
    bool settingsOnly = false;
    const std::optional<TDimensionMode> mode = DialogMode(arguments, &settingsOnly);
    ASSERT_TRUE(mode) << "arguments the dialog does not take";
    // A settings launcher is the one the refusal box names for its mode's settings file.
    EXPECT_EQ(settingsOnly, SettingsLauncher(*mode) == launcher.File);

    // The memo the host shows beside the file name: the first line, which the shell does not echo;
    // the kind and direction first, 連続 only for a chain, 繰り返し for the other launchers that
    // repeat, the launcher's own name last, within 60 columns.
    const std::string& memo = lines[0];
    const std::string stem = std::filesystem::path(launcher.File).stem().string();
    EXPECT_EQ(memo.compare(0, 5, "@REM "), 0);
    EXPECT_FALSE(IsDirective(memo));
    EXPECT_LE(memo.size(), 60u);
    EXPECT_EQ(memo.substr(memo.size() - stem.size() - 1), " " + stem);
    const char* kindWord = KindEntry(mode->Kind).Word;
    const std::string word = kindWord ? kindWord : DirectionEntry(mode->Direction).Word;
    EXPECT_THAT(memo, StartsWithSjis("@REM " + SjisText(word)));
    EXPECT_THAT(memo, ExactlyWhen(mode->Next == TNext::Chain, HasSjisSubstr(SjisText("連続"))));
    EXPECT_THAT(memo, ExactlyWhen(launcher.Repeats && mode->Next != TNext::Chain,
                                  HasSjisSubstr(SjisText("繰り返し"))));
    EXPECT_THAT(memo, ExactlyWhen(mode->Pick == TPick::Line, HasSjisSubstr(SjisText("線指示"))));
    EXPECT_THAT(memo, ExactlyWhen(mode->Pick == TPick::Fence, HasSjisSubstr(SjisText("一括"))));
    EXPECT_THAT(memo, ExactlyWhen(settingsOnly, HasSjisSubstr(SjisText("設定"))));

    // cmd jumps over the directives to a label after them.
    std::vector<std::string> directives;
    std::vector<std::pair<std::string, std::string>> prompts;
    std::optional<size_t> gotoLine, endLine, labelLine;
    for (size_t i = 0; i < lines.size(); ++i) {
      const std::string& l = lines[i];
      if (l.compare(0, 5, "goto ") == 0 && !gotoLine) gotoLine = i;
      if (IsDirective(l)) {
        EXPECT_EQ(endLine, std::nullopt) << "directive after #e: " << l;
        const std::string name = DirectiveName(l);
        directives.push_back(name);
        if (name == "#e") endLine = i;
        if (name.size() >= 2 && name[1] >= '1' && name[1] <= '9')
          prompts.emplace_back(name, l.size() > l.find('#') + name.size() + 1
                                         ? l.substr(l.find('#') + name.size() + 1)
                                         : std::string());
      }
      if (gotoLine && l.size() > 1 && l[0] == ':' && l.substr(1) == lines[*gotoLine].substr(5)) {
        labelLine = i;
      }
    }
    ASSERT_NE(gotoLine, std::nullopt);
    ASSERT_NE(endLine, std::nullopt);
    ASSERT_NE(labelLine, std::nullopt) << "no label for " << lines[*gotoLine];
    for (size_t i = *gotoLine + 1; i < *endLine; ++i) {
      EXPECT_TRUE(IsDirective(lines[i])) << "cmd would skip, the host would ignore: " << lines[i];
    }
    EXPECT_LT(gotoLine, labelLine);
    EXPECT_GT(labelLine, endLine);

    // The prompts are those of the kinds table, a blank after the directive (a glued character
    // would change the prompt's kind).
    std::vector<std::pair<std::string, std::string>> expected;
    // The settings launcher asks for nothing: the host runs it at once.
    for (const TPrompt& p : ModePrompts(*mode))
      if (!settingsOnly) expected.emplace_back(p.Directive, SjisText(p.Text));
    EXPECT_EQ(prompts, expected);
    // The selection: none, a range (with the comment shown while selecting) or the whole drawing;
    // a settings launcher selects nothing.
    const TModeSelection selection = settingsOnly ? TModeSelection{} : ModeSelection(*mode);
    std::string comment;
    for (const std::string& l : lines)
      if (IsDirective(l) && DirectiveName(l) == "#hc") comment = l.substr(l.find("#hc") + 4);
    EXPECT_EQ(comment, selection.Comment ? SjisText(selection.Comment) : "");
    std::vector<std::string> order = {"#jww", "#cd", selection.Range};
    if (selection.Comment) order.push_back("#hc");
    for (const auto& p : expected) order.push_back(p.first);
    order.insert(order.end(), {"#zw", "#zz"});
    for (const char* kept : selection.Untouched)
      if (kept) order.push_back(kept);
    if (launcher.Repeats) order.push_back("#hr");
    order.push_back("#e");
    EXPECT_EQ(directives, order);
  }
}

// Every mode names a settings launcher of the package (the refusal box of a run without the dialog
// tells it), and every settings file has one: each mode's choice can be undone without timing a key.
TEST(Package, EveryModeHasItsSettingsLauncher) {
  std::set<std::string> files;
  for (TKind k : AllKinds())
    for (TDirection d : AllDirections())
      for (TNext n : {TNext::None, TNext::Chain, TNext::Outside})
        for (TPick p : {TPick::Points, TPick::Line, TPick::Fence}) {
          const TDimensionMode m{k, d, n, p};
          if (!IsValidMode(m)) continue;
          const std::string launcher = SettingsLauncher(m);
          EXPECT_TRUE(std::filesystem::is_regular_file(kPackage / launcher)) << launcher;
          files.insert(ModeSettingsFile(m) + std::string("=") + launcher);
        }
  std::set<std::string> settingsFiles, launchers;
  for (const std::string& pair : files) {
    settingsFiles.insert(pair.substr(0, pair.find('=')));
    launchers.insert(pair.substr(pair.find('=') + 1));
  }
  // The modes of one settings file share its launcher; another file has another.
  EXPECT_EQ(files.size(), settingsFiles.size()) << "one launcher for each settings file";
  EXPECT_EQ(launchers.size(), settingsFiles.size());
}

TEST(Package, ReadmeIsShiftJisWithCrLfAndNamesTheFiles) {
  const std::string bytes = ReadBytes(kPackage / "readme.txt");
  bool crlf = false;
  const std::vector<std::string> lines = CrLfLines(bytes, crlf);
  EXPECT_TRUE(crlf);
  EXPECT_EQ(FirstInvalidSjis(bytes), std::nullopt);
  // It names the program, every launcher of the package and every settings file, and keeps to 80
  // columns (Shift-JIS bytes).
  std::vector<std::string> names = {"q748.exe"};
  for (const auto& e : std::filesystem::directory_iterator(kPackage))
    if (e.path().extension() == ".bat") names.push_back(e.path().filename().string());
  for (TDirection d : AllDirections()) names.push_back(DirectionEntry(d).SettingsFile);
  for (TKind k : AllKinds())
    if (KindEntry(k).SettingsFile) names.push_back(KindEntry(k).SettingsFile);
  for (const std::string& name : names) EXPECT_THAT(bytes, HasSjisSubstr(name));
  for (const std::string& line : lines) EXPECT_LE(line.size(), 80u) << line;
  // What a user checks first: the version, what it runs on, and what to do when nothing is drawn,
  // with the messages the dialog then shows quoted as they appear (a closing "。" aside).
  std::vector<std::string> texts = {"バージョン " + std::string(Q748_VERSION),
                                    "■ 動作環境",
                                    "64 ビット",
                                    "■ 困ったときは",
                                    "■ 不具合の報告",
                                    "■ 免責",
                                    "作図結果を書き込めませんでした。",
                                    "再試行"};
  for (const char* message :
       {kMessageReadFailed, kReasonInUse, kReasonNoPermission, kReasonDiskFull, kStatusWaiting}) {
    std::string text = message;
    if (text.size() > 3 && text.compare(text.size() - 3, 3, "。") == 0) text.resize(text.size() - 3);
    texts.push_back(text);
  }
  for (const std::string& text : texts) EXPECT_THAT(bytes, HasSjisSubstr(SjisText(text)));
  // Every setting the dialog shows is explained under its caption (units and notes aside).
  for (const TControlEntry& c : ControlTable()) {
    const bool setting = c.Kind == TControlKind::CheckBox || c.Kind == TControlKind::RadioGroup ||
                         (c.Kind == TControlKind::Label && c.Width == 0);
    // A note in brackets after the caption is the dialog's own hint.
    const std::string full = c.Caption;
    const std::string caption = full.substr(0, full.find("（"));
    if (!setting || caption == "図寸mm" || caption == "°" || caption.empty()) continue;
    EXPECT_THAT(bytes, HasSjisSubstr(SjisText(caption)));
  }
}
