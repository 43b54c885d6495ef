// The files a user installs beside q748.exe: the launchers that the host reads for its directives
// (Shift-JIS, CR LF, "#" before the 10th byte) and the readme.
#include <gtest/gtest.h>

#include <cstddef>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "Unit1.h"

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

// Where a text stops being valid code page 932 (lead byte and its trail byte), or npos.
size_t FirstInvalidSjis(const std::string& s) {
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
  return std::string::npos;
}

bool HasDoubleByte(const std::string& s) {
  for (char c : s) {
    if (static_cast<unsigned char>(c) >= 0x81) return true;
  }
  return false;
}

// A directive line as the host reads it: REM, then "#" within the first nine bytes.
bool IsDirective(const std::string& line) {
  const size_t hash = line.find('#');
  return line.compare(0, 4, "REM ") == 0 && hash != std::string::npos && hash < 9;
}

std::string DirectiveName(const std::string& line) {
  const size_t hash = line.find('#');
  size_t end = line.find(' ', hash);
  return line.substr(hash, end == std::string::npos ? std::string::npos : end - hash);
}

}  // namespace

TEST(Package, LaunchersCarryTheHostsDirectives) {
  const struct {
    const char* File;
    bool Repeats;           // #hr: the host runs the command again after each dimension
    const char* Arguments;  // after q748.exe: the direction drawn, and a continued mode
    const char* Word;       // the direction as the memo names it
    int Points = 4;         // the points the host asks for: two when continuing the last dimension
  } launchers[] = {{"q748.bat", false, "", "垂直"},
                   {"q748r.bat", true, "", "垂直"},
                   {"q748h.bat", false, " --direction horizontal", "水平"},
                   {"q748hr.bat", true, " --direction horizontal", "水平"},
                   {"q748a.bat", false, " --direction aligned", "平行"},
                   {"q748ar.bat", true, " --direction aligned", "平行"},
                   {"q748c.bat", true, " --next chain", "垂直", 2},
                   {"q748o.bat", false, " --next outside", "垂直", 2},
                   {"q748hc.bat", true, " --direction horizontal --next chain", "水平", 2},
                   {"q748ho.bat", false, " --direction horizontal --next outside", "水平", 2},
                   {"q748ac.bat", true, " --direction aligned --next chain", "平行", 2},
                   {"q748ao.bat", false, " --direction aligned --next outside", "平行", 2}};
  for (const auto& launcher : launchers) {
    SCOPED_TRACE(launcher.File);
    const std::string bytes = ReadBytes(kPackage / launcher.File);
    ASSERT_FALSE(bytes.empty());
    bool crlf = false;
    const std::vector<std::string> lines = CrLfLines(bytes, crlf);
    EXPECT_TRUE(crlf) << "every line must end in CR LF";
    EXPECT_EQ(FirstInvalidSjis(bytes), std::string::npos);
    ASSERT_GE(lines.size(), 3u);

    // The first line is the memo the host shows beside the file name.
    EXPECT_EQ(lines[0].compare(0, 4, "REM "), 0);
    EXPECT_TRUE(HasDoubleByte(lines[0]));
    EXPECT_FALSE(IsDirective(lines[0]));
    EXPECT_EQ(lines[0].find(SjisText(launcher.Word)), 4u) << "the memo starts with the direction";

    // cmd jumps over the directives to a label after them.
    std::vector<std::string> directives;
    size_t gotoLine = std::string::npos, endLine = std::string::npos, labelLine = std::string::npos;
    for (size_t i = 0; i < lines.size(); ++i) {
      const std::string& l = lines[i];
      if (l.compare(0, 5, "goto ") == 0 && gotoLine == std::string::npos) gotoLine = i;
      if (IsDirective(l)) {
        EXPECT_EQ(endLine, std::string::npos) << "directive after #e: " << l;
        directives.push_back(DirectiveName(l));
        if (directives.back() == "#e") endLine = i;
      }
      if (gotoLine != std::string::npos && l.size() > 1 && l[0] == ':' &&
          l.compare(1, std::string::npos, lines[gotoLine], 5) == 0) {
        labelLine = i;
      }
    }
    ASSERT_NE(gotoLine, std::string::npos);
    ASSERT_NE(endLine, std::string::npos);
    ASSERT_NE(labelLine, std::string::npos) << "no label for " << lines[gotoLine];
    for (size_t i = gotoLine + 1; i < endLine; ++i) {
      EXPECT_TRUE(IsDirective(lines[i])) << "cmd would skip, the host would ignore: " << lines[i];
    }
    EXPECT_LT(gotoLine, labelLine);
    EXPECT_GT(labelLine, endLine);

    std::vector<std::string> expected = {"#jww", "#cd", "#h0", "#1", "#2"};
    if (launcher.Points == 4) expected.insert(expected.end(), {"#3", "#4"});
    expected.push_back("#zw");
    if (launcher.Repeats) expected.push_back("#hr");
    expected.push_back("#e");
    EXPECT_EQ(directives, expected);

    // The point prompts: a blank after the number (a glued character changes the prompt's
    // kind), a Japanese text, and the customary mouse legend at the end.
    for (const std::string& l : lines) {
      if (!IsDirective(l)) continue;
      const std::string name = DirectiveName(l);
      if (name.size() != 2 || name[1] < '1' || name[1] > '4') continue;
      SCOPED_TRACE(name);
      const size_t hash = l.find('#');
      EXPECT_EQ(l[hash + 2], ' ');
      const std::string prompt = l.substr(hash + 3);
      EXPECT_TRUE(HasDoubleByte(prompt));
      const std::string legend = " (L)free (R)Read";
      ASSERT_GT(prompt.size(), legend.size());
      EXPECT_EQ(prompt.compare(prompt.size() - legend.size(), legend.size(), legend), 0);
    }

    // After the label, the program with its direction, started so that the batch waits for it.
    bool started = false;
    for (size_t i = labelLine + 1; i < lines.size(); ++i) {
      const std::string& l = lines[i];
      const size_t exe = l.find("q748.exe");
      if (exe == std::string::npos) continue;
      const size_t args = l.find_first_not_of('"', exe + 8);
      started = (l.compare(0, 9, "start /w ") == 0 || exe == 0 || exe == 1) &&
                l.substr(args == std::string::npos ? l.size() : args) == launcher.Arguments;
    }
    EXPECT_TRUE(started);
  }
}

TEST(Package, ReadmeIsShiftJisWithCrLfAndNamesTheFiles) {
  const std::string bytes = ReadBytes(kPackage / "readme.txt");
  bool crlf = false;
  CrLfLines(bytes, crlf);
  EXPECT_TRUE(crlf);
  EXPECT_EQ(FirstInvalidSjis(bytes), std::string::npos);
  for (const char* name : {"q748.exe", "q748.bat", "q748r.bat", "q748h.bat", "q748hr.bat", "q748a.bat",
                           "q748ar.bat", "q748c.bat", "q748o.bat", "q748hc.bat", "q748ho.bat", "q748ac.bat",
                           "q748ao.bat", "q746.dat", "q746h.dat", "q746a.dat"}) {
    EXPECT_NE(bytes.find(name), std::string::npos) << name;
  }
  // What a user checks first: the version, what it runs on, and what to do when nothing is drawn,
  // with the messages the dialog then shows quoted as they appear (a closing "。" aside).
  std::vector<std::string> texts = {"バージョン " + std::string(Q748_VERSION),
                                    "■ 動作環境",
                                    "64 ビット",
                                    "■ 困ったときは",
                                    "■ 不具合の報告",
                                    "■ 免責"};
  for (const char* message :
       {kMessageWriteFailed, kMessageReadFailed, kReasonInUse, kReasonNoPermission, kReasonDiskFull}) {
    std::string text = message;
    if (text.size() > 3 && text.compare(text.size() - 3, 3, "。") == 0) text.resize(text.size() - 3);
    texts.push_back(text);
  }
  for (const std::string& text : texts) EXPECT_NE(bytes.find(SjisText(text)), std::string::npos) << text;
  // Every setting the dialog shows is explained under its caption (units and notes aside).
  for (const TControlEntry& c : ControlTable()) {
    const bool setting = c.Kind == TControlKind::CheckBox || c.Kind == TControlKind::RadioGroup ||
                         (c.Kind == TControlKind::Label && c.Width == 0);
    const std::string caption = c.Caption;
    if (!setting || caption == "図寸mm" || caption == "°" || caption.rfind("（", 0) == 0) continue;
    EXPECT_NE(bytes.find(SjisText(caption)), std::string::npos) << caption;
  }
}
