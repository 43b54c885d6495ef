// The headless command line: options, exit status, diagnostics, and the golden cases that run
// the whole command on a host file in a folder of its own.
//
// A golden case is a folder of tests/data/cases: JWC_TEMP.TXT (what the host wrote), optionally
// q746.dat (the settings before the run), set.txt (one CONTROL=VALUE per line, UTF-8) and
// direction.txt (the --direction, vertical when absent), and what is expected: expected.txt
// (JWC_TEMP.TXT after the run, byte for byte), for a refused OK expected-stderr.txt, and in the
// cases about settings expected-q746.dat (the direction's settings file after the run) or
// expected-q746.absent (none is written).
// On a mismatch the actual file is written into the build tree for review, under tests/actual/ and
// the case's name (actual.txt, actual-q746.dat, actual-stderr.txt); a match removes an old one.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "CommandLine.h"
#include "MyFunc.h"
#include "Options.h"
#include "TestSupport.h"
#include "Unit1.h"

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using testsupport::Contains;
using testsupport::ExactlyWhen;
using testsupport::HasSjisSubstr;
using testsupport::ReadFile;
using testsupport::TempDir;
using testsupport::WriteFile;

namespace {

struct TRun {
  int status;
  std::string out, err;
};

// A standard output that takes nothing, as /dev/full or a closed descriptor.
class TFullBuffer : public std::streambuf {
 protected:
  int_type overflow(int_type) override { return traits_type::eof(); }
  std::streamsize xsputn(const char*, std::streamsize) override { return 0; }
};

TRun RunCli(std::vector<std::string> args, const fs::path& exeDir = fs::path("nowhere"),
            bool outFull = false) {
  std::ostringstream out, err;
  TFullBuffer full;
  std::ostream fullOut(&full);
  const int status = RunCommandLine(args, exeDir, outFull ? fullOut : out, err);
  return {status, out.str(), err.str()};
}

const char* kHost =
    "hq\r\nhk 0\r\nhs 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1\r\nhp1 0 0\r\nhp2 0 100\r\nhp3 50 30\r\n"
    "hp4 80 40\r\nlg0\r\nly0\r\nlc1\r\nlt1\r\nlw0\r\ncn1\r\n";

}  // namespace

TEST(CommandLine, UsageErrors) {
  TempDir dir("q748-cli");
  WriteFile(dir.path() / "JWC_TEMP.TXT", kHost);
  const std::string d = PathToUtf8(dir.path());
  const struct {
    std::vector<std::string> args;
    const char* message;
    bool outFull = false;  // standard output cannot be written
  } cases[] = {
      {{}, "Usage: q748"},
      {{"--frobnicate"}, "unknown option '--frobnicate'"},
      {{"--ok", "--cancel", d}, "only one of"},
      {{"--ok", "--set"}, "--set needs CONTROL=VALUE"},
      {{"--ok", "--set", "Edit1"}, "--set takes CONTROL=VALUE"},
      {{"--ok", "--set", "Edit11=1", d}, "unknown control 'Edit11'"},
      {{"--ok", "--set", "Button1=1", d}, "unknown control 'Button1'"},
      {{"--ok", "--set", "LabelA1=x", d}, "unknown control 'LabelA1'"},
      {{"--ok", "--set", "ComboBox1=x", d}, "ComboBox1 takes an item index (an integer, 0 to 11), not 'x'"},
      {{"--ok", "--set", "ComboBox3=x", d}, "ComboBox3 takes an item index (an integer), not 'x'"},
      {{"--ok", "--set", "ComboBox1=1.0", d}, "ComboBox1 takes an item index"},
      {{"--ok", "--set", "RadioGroup2=", d}, "RadioGroup2 takes an item index"},
      {{"--ok", "--set", "CheckBox1=2", d}, "CheckBox1 takes 0 or 1"},
      {{"--ok", "--set", "Edit2=\xE2\x82\xAC", d}, "without a Shift-JIS form"},  // the euro sign
      {{"--ok", "--set", "Edit2=\xFF", d}, "without a Shift-JIS form"},          // no UTF-8
      {{"--cancel", "--set", "Edit1=1", d}, "--set goes with --ok or --preview only"},
      {{"--dump", "--stdout", d}, "--stdout goes with --ok or --cancel only"},
      {{"--ok", d, d}, "only one folder"},
      {{d}, "say what to do"},
      {{"--ok", PathToUtf8(dir.path() / "missing")}, "no such folder"},
      {{"--ok"}, "no such folder: nowhere"},  // DIR defaults to the executable's folder
      {{"--ok", "--direction"}, "--direction takes vertical, horizontal or aligned"},
      {{"--ok", "--direction", "diagonal", d}, "--direction takes vertical, horizontal or aligned"},
      {{"--ok", "--direction", "aligned", "--direction", "aligned", d}, "give --direction once"},
      {{"--dump", "--direction", "horizontal", d},
       "--kind, --direction, --next and --pick go with --ok, --cancel or --preview"},
      {{"--direction", "horizontal"}, "say what to do"},  // the dialog, where there is one
      {{"--ok", "--next", "row", d}, "--next takes chain or outside"},
      {{"--ok", "--next", "chain", "--next", "outside", d}, "give --next once"},
      {{"--dump", "--next", "chain", d},
       "--kind, --direction, --next and --pick go with --ok, --cancel or --preview"},
      {{"--ok", "--kind", "arc", d}, "--kind takes linear, radius, diameter, arclength, angle or move"},
      {{"--ok", "--kind"}, "--kind takes linear, radius, diameter, arclength, angle or move"},
      {{"--ok", "--kind", "radius", "--kind", "radius", d}, "give --kind once"},
      {{"--ok", "--pick", "circle", d}, "--pick takes line or fence"},
      {{"--ok", "--pick", "line", "--pick", "line", d}, "give --pick once"},
      {{"--ok", "--pick", "line", "--next", "chain", d}, "--pick line does not go with --next"},
      {{"--ok", "--pick", "fence", "--next", "outside", d}, "--pick fence does not go with --next"},
      {{"--ok", "--kind", "radius", "--direction", "vertical", d},
       "--direction, --next and --pick go with --kind linear only"},
      {{"--preview", "x.svg", "--kind", "diameter", "--next", "outside", d},
       "--direction, --next and --pick go with --kind linear only"},
      {{"--cancel", "--kind", "radius", "--pick", "line", d},
       "--direction, --next and --pick go with --kind linear only"},
      {{"--dump", "--kind", "radius", d},
       "--kind, --direction, --next and --pick go with --ok, --cancel or --preview"},
      {{"--dump", d}, "q748: cannot write to standard output", true},
      {{"--cancel", "--stdout", d}, "q748: cannot write to standard output", true},
      {{"--dump", "--settings", d}, "--settings goes with --ok or --cancel only"},
      {{"--preview", "x.svg", "--settings", d}, "--settings goes with --ok or --cancel only"},
  };
  for (const auto& c : cases) {
    const TRun r = RunCli(c.args, fs::path("nowhere"), c.outFull);
    EXPECT_EQ(r.status, 2) << c.message;
    EXPECT_THAT(r.err, HasSubstr(c.message));
    EXPECT_TRUE(r.out.empty());
  }
  // Nothing was touched.
  EXPECT_EQ(ReadFile(dir.path() / "JWC_TEMP.TXT"), kHost);
  EXPECT_FALSE(fs::exists(dir.path() / "q746.dat"));

  // What asks for the dialog, and of which kind; anything else is for the command line.
  using D = TDirection;
  const struct {
    std::vector<std::string> args;
    std::optional<TDimensionMode> dialog;
  } entries[] = {
      {{}, TDimensionMode{}},
      {{"--direction", "horizontal"}, TDimensionMode{TKind::Linear, D::Horizontal, TNext::None}},
      {{"--direction", "aligned"}, TDimensionMode{TKind::Linear, D::Aligned, TNext::None}},
      {{"--direction", "vertical"}, TDimensionMode{}},
      {{"--next", "outside"}, TDimensionMode{TKind::Linear, D::Vertical, TNext::Outside}},
      {{"--next", "chain", "--direction", "aligned"},
       TDimensionMode{TKind::Linear, D::Aligned, TNext::Chain}},
      {{"--kind", "radius"}, TDimensionMode{TKind::Radius}},
      {{"--kind", "linear", "--pick", "line", "--direction", "horizontal"},
       TDimensionMode{TKind::Linear, D::Horizontal, TNext::None, TPick::Line}},
      {{"--kind", "diameter", "--direction", "aligned"}, std::nullopt},
      {{"--pick", "line", "--next", "outside"}, std::nullopt},
      {{"--direction", "up"}, std::nullopt},
      {{"--direction"}, std::nullopt},
      {{"--next", "chain", "--next", "chain"}, std::nullopt},
      {{"--next", "sideways"}, std::nullopt},
      {{"--ok", "--direction", "aligned"}, std::nullopt},
      {{"--help"}, std::nullopt},
      {{"--settings", "--kind", "angle"}, TDimensionMode{TKind::Angle}},
      {{"--direction", "aligned", "--settings"}, TDimensionMode{TKind::Linear, D::Aligned}},
      {{"--settings", "--settings"}, std::nullopt},
      {{"--settings", "--ok"}, std::nullopt},
  };
  for (const auto& e : entries) {
    bool settingsOnly = true;
    EXPECT_EQ(DialogMode(e.args, &settingsOnly), e.dialog) << e.args.size();
    // The settings launcher's dialog draws nothing; every other dialog draws.
    if (e.dialog) {
      EXPECT_EQ(settingsOnly, std::find(e.args.begin(), e.args.end(), "--settings") != e.args.end());
    }
  }
}

// Each direction keeps its own settings file, which starts from the same defaults; the vertical
// dimension's q746.dat is never touched by the others.
TEST(CommandLine, EachDirectionKeepsItsOwnSettings) {
  TempDir dir("q748-cli"), fresh("q748-cli");
  const std::string vertical = "1\r\n2\r\n";  // a user's old file, whatever it holds
  // Points apart in both directions.
  std::string host = kHost;
  host.replace(host.find("hp2 0 100"), 9, "hp2 60 100");
  WriteFile(dir.path() / "q746.dat", vertical);
  WriteFile(fresh.path() / "JWC_TEMP.TXT", host);
  ASSERT_EQ(RunCli({"--ok", "--set", "ComboBox3=1", "--set", "Edit2=V", PathToUtf8(fresh.path())}).status, 0);
  for (const char* d : {"horizontal", "aligned"}) {
    SCOPED_TRACE(d);
    const fs::path file = dir.path() / FindDirection(d)->SettingsFile;
    WriteFile(dir.path() / "JWC_TEMP.TXT", host);
    const TRun r = RunCli(
        {"--ok", "--direction", d, "--set", "ComboBox3=1", "--set", "Edit2=V", PathToUtf8(dir.path())});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadFile(file), ReadFile(fresh.path() / "q746.dat"));
    EXPECT_EQ(ReadFile(dir.path() / "q746.dat"), vertical);
    // And read back by the next run of the same direction: the prefix is saved there.
    WriteFile(dir.path() / "JWC_TEMP.TXT", host);
    EXPECT_EQ(RunCli({"--ok", "--direction", d, "--stdout", PathToUtf8(dir.path())}).status, 0);
  }
  EXPECT_EQ(FindDirection("vertical")->SettingsFile, std::string("q746.dat"));
}

// ---- Continued dimensions ----------------------------------------------------------------------

namespace {

std::string HostFile(double axis, const std::vector<TPointD>& points, double scale = 1) {
  std::string s =
      "hq\r\nhk " + FloatToText(axis) + "\r\nhs " + FloatToText(scale) + " 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1\r\n";
  for (std::size_t i = 0; i < points.size(); ++i)
    s += "hp" + std::to_string(i + 1) + " " + FloatToText(points[i].X) + " " + FloatToText(points[i].Y) +
         "\r\n";
  return s + "lg0\r\nly0\r\nlc1\r\nlt1\r\nlw0\r\ncn1\r\n";
}

std::vector<std::string> FileLines(const std::string& bytes) {
  std::vector<std::string> lines;
  std::istringstream in(bytes);
  for (std::string l; std::getline(in, l);)
    lines.push_back(l.empty() || l.back() != '\r' ? l : l.substr(0, l.size() - 1));
  return lines;
}

// Two outputs alike but for the last bits of their numbers.
void ExpectSameDrawing(const std::string& a, const std::string& b) {
  const std::vector<std::string> la = FileLines(a), lb = FileLines(b);
  ASSERT_EQ(la.size(), lb.size()) << a << "\n---\n" << b;
  for (std::size_t i = 0; i < la.size(); ++i) {
    std::istringstream sa(la[i]), sb(lb[i]);
    for (std::string wa, wb; sa >> wa;) {
      ASSERT_TRUE(static_cast<bool>(sb >> wb)) << la[i] << " / " << lb[i];
      double da = 0, db = 0;
      if (TextIsFloat(wa, da) && TextIsFloat(wb, db)) {
        EXPECT_NEAR(da, db, 1e-9 * (1 + std::fabs(db))) << la[i] << " / " << lb[i];
      } else {
        EXPECT_EQ(wa, wb) << la[i] << " / " << lb[i];
      }
    }
  }
}

}  // namespace

// A chain of three and an outside row of two, in each direction: every continued dimension draws
// what the ordinary one draws on the four points made from the last one, and records the points
// it used (lines 26 to 31) for the next.
TEST(CommandLine, ContinuedDimensionsGoOnFromTheLastOne) {
  struct Step {
    const char* next;           // "" for an ordinary dimension on four points
    std::vector<TPointD> host;  // what the host hands over
    std::vector<TPointD> used;  // the points 1 to 3 the dimension is drawn on
  };
  struct Case {
    const char* direction;
    double axis;
    std::vector<Step> steps;
    double scale = 1;
  };
  const std::vector<TPointD> vertical = {{0, 0}, {0, 100}, {50, 30}, {80, 40}};
  const TPointD p30{86.6025403784439, 50}, l3{-25, 43.3012701892219};
  const std::vector<TPointD> horizontal = {{0, 0}, p30, l3, {10, 90}};
  const std::vector<TPointD> aligned = {{0, 0}, {30, 40}, {-34, 38}, {-60, 50}};
  const Case cases[] = {
      {"vertical",
       0,
       {{"", vertical, {{0, 0}, {0, 100}, {50, 30}}},
        {"chain", {{0, 250}, {90, 150}}, {{0, 100}, {0, 250}, {50, 30}}},
        {"chain", {{0, 300}, {90, 280}}, {{0, 250}, {0, 300}, {50, 30}}},
        {"chain", {{0, 420}, {90, 350}}, {{0, 300}, {0, 420}, {50, 30}}},
        {"", vertical, {{0, 0}, {0, 100}, {50, 30}}},
        // Outwards: on the side where the dimension line stands from the first point.
        {"outside", {{0, 250}, {100, 120}}, {{0, 0}, {0, 250}, {58, 30}}},
        {"outside", {{0, 420}, {110, 200}}, {{0, 0}, {0, 420}, {66, 30}}}}},
      {"horizontal",
       30,
       {{"", horizontal, {{0, 0}, p30, l3}},
        {"chain", {{173.205080756888, 100}, {150, 150}}, {p30, {173.205080756888, 100}, l3}},
        {"chain",
         {{259.807621135332, 150}, {200, 210}},
         {{173.205080756888, 100}, {259.807621135332, 150}, l3}},
        {"chain",
         {{346.410161513775, 200}, {300, 260}},
         {{259.807621135332, 150}, {346.410161513775, 200}, l3}},
        {"", horizontal, {{0, 0}, p30, l3}},
        {"outside",
         {{173.205080756888, 100}, {150, 150}},
         {{0, 0}, {173.205080756888, 100}, {-29, 50.2294734194975}}},
        {"outside",
         {{259.807621135332, 150}, {200, 210}},
         {{0, 0}, {259.807621135332, 150}, {-33, 57.157676649773}}}}},
      {"aligned",
       10,
       {{"", aligned, {{0, 0}, {30, 40}, {-34, 38}}},
        {"chain", {{60, 80}, {10, 90}}, {{30, 40}, {60, 80}, {-34, 38}}},
        {"chain", {{90, 120}, {40, 130}}, {{60, 80}, {90, 120}, {-34, 38}}},
        {"chain", {{120, 160}, {70, 170}}, {{90, 120}, {120, 160}, {-34, 38}}},
        {"", aligned, {{0, 0}, {30, 40}, {-34, 38}}},
        {"outside", {{60, 80}, {10, 90}}, {{0, 0}, {60, 80}, {-40.4, 42.8}}},
        {"outside", {{90, 120}, {40, 130}}, {{0, 0}, {90, 120}, {-46.8, 47.6}}}}},
      // The outside distance is paper millimetres: 8 at 1:100 is 800 drawing units.
      {"vertical",
       0,
       {{"", vertical, {{0, 0}, {0, 100}, {50, 30}}},
        {"outside", {{0, 250}, {100, 120}}, {{0, 0}, {0, 250}, {850, 30}}}},
       100},
      // Outside after a chain spans the whole row: from where the row started, not from the
      // chain's last segment.
      {"vertical",
       0,
       {{"", vertical, {{0, 0}, {0, 100}, {50, 30}}},
        {"chain", {{0, 250}, {90, 150}}, {{0, 100}, {0, 250}, {50, 30}}},
        {"chain", {{0, 300}, {90, 280}}, {{0, 250}, {0, 300}, {50, 30}}},
        {"outside", {{0, 300}, {100, 120}}, {{0, 0}, {0, 300}, {58, 30}}},
        {"chain", {{0, 420}, {90, 350}}, {{0, 300}, {0, 420}, {58, 30}}},
        {"outside", {{0, 420}, {100, 120}}, {{0, 0}, {0, 420}, {66, 30}}}}},
      // A chain goes on from the end it touches: back past the first point, and the row then
      // starts at the second, so that the outside dimension spans it whole.
      {"vertical",
       0,
       {{"", vertical, {{0, 0}, {0, 100}, {50, 30}}},
        {"chain", {{0, -80}, {90, 150}}, {{0, 0}, {0, -80}, {50, 30}}},
        {"chain", {{0, -150}, {90, 150}}, {{0, -80}, {0, -150}, {50, 30}}},
        {"outside", {{0, -200}, {100, 120}}, {{0, 100}, {0, -200}, {58, 30}}}}},
      // A dimension line through the first point itself: outwards means to the positive side.
      {"vertical",
       0,
       {{"", {{0, 0}, {0, 100}, {0, 30}, {80, 40}}, {{0, 0}, {0, 100}, {0, 30}}},
        {"outside", {{0, 250}, {100, 120}}, {{0, 0}, {0, 250}, {8, 30}}}}},
  };
  for (const Case& c : cases) {
    TempDir dir("q748-cli");
    const fs::path settings = dir.path() / FindDirection(c.direction)->SettingsFile;
    for (std::size_t k = 0; k < c.steps.size(); ++k) {
      const Step& s = c.steps[k];
      SCOPED_TRACE(std::string(c.direction) + " step " + std::to_string(k) + " " + s.next);
      WriteFile(dir.path() / "JWC_TEMP.TXT", HostFile(c.axis, s.host, c.scale));
      std::vector<std::string> args = {"--ok", "--direction", c.direction, "--set", "ComboBox3=1"};
      if (*s.next) args.insert(args.end(), {"--next", s.next});
      args.push_back(PathToUtf8(dir.path()));
      // The reference: the ordinary dimension on the four points, with the same settings.
      TempDir reference("q748-cli");
      if (fs::exists(settings)) fs::copy_file(settings, reference.path() / settings.filename());
      WriteFile(reference.path() / "JWC_TEMP.TXT",
                HostFile(c.axis, {s.used[0], s.used[1], s.used[2], s.host.back()}, c.scale));
      const TRun r = RunCli(args);
      ASSERT_EQ(r.status, 0) << r.err;
      ASSERT_EQ(
          RunCli({"--ok", "--direction", c.direction, "--set", "ComboBox3=1", PathToUtf8(reference.path())})
              .status,
          0);
      ExpectSameDrawing(ReadFile(dir.path() / "JWC_TEMP.TXT"), ReadFile(reference.path() / "JWC_TEMP.TXT"));
      const std::vector<std::string> lines = FileLines(ReadFile(settings));
      ASSERT_EQ(lines.size(), SettingsTable().size());
      EXPECT_EQ(lines[24], FloatToText(c.axis));
      for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_NEAR(TextToFloat(lines[25 + 2 * i]), s.used[i].X, 1e-9) << "point " << i + 1;
        EXPECT_NEAR(TextToFloat(lines[26 + 2 * i]), s.used[i].Y, 1e-9) << "point " << i + 1;
      }
    }
  }
}

// A row records its last dimension and where it starts: a chain goes on from its end, an outside
// dimension spans the whole row.
TEST(CommandLine, ARowIsGoneOnFromLikeADimension) {
  TempDir dir("q748-cli");
  const std::string lines = "0 0 80 0\r\n0 100 80 100\r\n0 250 80 250\r\n";
  WriteFile(dir.path() / "JWC_TEMP.TXT", HostFile(0, {{10, -10}, {10, 300}, {50, 30}}) + lines);
  ASSERT_EQ(RunCli({"--ok", "--pick", "fence", "--set", "ComboBox3=1", PathToUtf8(dir.path())}).status, 0);
  const struct {
    const char* next;
    std::vector<TPointD> host, used;
  } steps[] = {
      {"chain", {{0, 400}, {90, 150}}, {{10, 250}, {0, 400}, {50, 30}}},
      {"outside", {{0, 500}, {90, 150}}, {{10, 0}, {0, 500}, {58, 30}}},
  };
  for (const auto& s : steps) {
    SCOPED_TRACE(s.next);
    TempDir reference("q748-cli");
    fs::copy_file(dir.path() / "q746.dat", reference.path() / "q746.dat");
    WriteFile(dir.path() / "JWC_TEMP.TXT", HostFile(0, s.host));
    ASSERT_EQ(RunCli({"--ok", "--next", s.next, "--set", "ComboBox3=1", PathToUtf8(dir.path())}).status, 0);
    WriteFile(reference.path() / "JWC_TEMP.TXT",
              HostFile(0, {s.used[0], s.used[1], s.used[2], s.host.back()}));
    ASSERT_EQ(RunCli({"--ok", "--set", "ComboBox3=1", PathToUtf8(reference.path())}).status, 0);
    ExpectSameDrawing(ReadFile(dir.path() / "JWC_TEMP.TXT"), ReadFile(reference.path() / "JWC_TEMP.TXT"));
  }
}

// What a continued dimension refuses, and that the record of the last dimension then stays.
TEST(CommandLine, ContinuedDimensionRefusals) {
  const std::string record = "0\r\n1\r\n0\r\n0\r\n0\r\n0\r\n100\r\n50\r\n30\r\n";  // lines 23..31
  std::string saved;
  for (const char* line : {"100", "100", "0", "0",  "1", "3", "2", "1", "",  "",  "0.5",
                           "2",   "2",   "3", "15", "2", "0", "0", "0", "0", "0", "0"})
    saved += std::string(line) + "\r\n";
  struct Case {
    const char* name;
    std::string settings;  // the vertical settings file before the run ("" none)
    std::string host;
    std::vector<std::string> args;
    int status;
    std::string said;
  };
  const std::string twoPoints = HostFile(0, {{0, 250}, {90, 150}});
  // clang-format off
  const Case cases[] = {
      {"no settings file", "", twoPoints, {"--next", "chain", "--set", "ComboBox3=1"}, 1, kMessageNoLastDimension},
      {"an older file of 22 lines", saved, twoPoints, {"--next", "chain"}, 1, kMessageNoLastDimension},
      {"a point that is no number", saved + "0\r\n1\r\n0\r\n0\r\n0\r\nabc\r\n100\r\n50\r\n30\r\n", twoPoints,
       {"--next", "outside"}, 1, kMessageNoLastDimension},
      {"another axis angle", saved + record, HostFile(15, {{0, 250}, {90, 150}}), {"--next", "chain"}, 1,
       kMessageAxisChanged},
      {"another axis angle, horizontal", saved + record, HostFile(15, {{0, 250}, {90, 150}}),
       {"--next", "outside", "--direction", "horizontal"}, 1, kMessageAxisChanged},
      {"the new point only", saved + record, HostFile(0, {{0, 250}}), {"--next", "chain"}, 1, kMessageMissingPoint},
      {"no outside distance", saved + record, twoPoints, {"--next", "outside", "--set", "Edit10=0"}, 1,
       "OK refused: focus on Edit10"},
      {"the outside distance is for outside dimensions only", saved + record, twoPoints,
       {"--next", "chain", "--set", "Edit10=0"}, 0, ""},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir("q748-cli");
    const bool horizontal = std::find(c.args.begin(), c.args.end(), "horizontal") != c.args.end();
    const fs::path file = dir.path() / (horizontal ? "q746h.dat" : "q746.dat");
    if (!c.settings.empty()) WriteFile(file, c.settings);
    WriteFile(dir.path() / "JWC_TEMP.TXT", c.host);
    std::vector<std::string> args = {"--ok"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    args.push_back(PathToUtf8(dir.path()));
    const TRun r = RunCli(args);
    EXPECT_EQ(r.status, c.status) << r.err;
    EXPECT_THAT(r.err, HasSubstr(c.said));
    if (c.status == 1) {
      EXPECT_EQ(ReadFile(dir.path() / "JWC_TEMP.TXT"), "hq\r\n");
      // A refused continuation keeps the last dimension's record, as it was, for the next try.
      if (!Contains(r.err, "focus")) {
        std::vector<std::string> before = FileLines(c.settings), after = FileLines(ReadFile(file));
        before.resize(31);
        ASSERT_EQ(after.size(), SettingsTable().size());
        EXPECT_EQ(std::vector<std::string>(after.begin() + 22, after.begin() + 31),
                  std::vector<std::string>(before.begin() + 22, before.end()));
      }
    }
  }
  // A file without lines 34 and 35 records no row start: outside measures from the last
  // dimension's first point.
  {
    TempDir old("q748-cli");
    WriteFile(old.path() / "q746.dat",
              saved + "0\r\n1\r\n0\r\n0\r\n100\r\n0\r\n200\r\n50\r\n30\r\n1\r\n8\r\n");
    WriteFile(old.path() / "JWC_TEMP.TXT", twoPoints);
    ASSERT_EQ(RunCli({"--ok", "--next", "outside", "--set", "ComboBox3=1", PathToUtf8(old.path())}).status,
              0);
    const std::vector<std::string> lines = FileLines(ReadFile(old.path() / "q746.dat"));
    ASSERT_EQ(lines.size(), SettingsTable().size());
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 25, lines.begin() + 27),
              (std::vector<std::string>{"0", "100"}));
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 33, lines.begin() + 35),
              (std::vector<std::string>{"0", "100"}));
  }
  // An aligned dimension measures along its own points: another axis angle does not matter.
  TempDir dir("q748-cli");
  WriteFile(dir.path() / "q746a.dat", saved + record);
  WriteFile(dir.path() / "JWC_TEMP.TXT", HostFile(15, {{0, 250}, {90, 150}}));
  EXPECT_EQ(RunCli({"--ok", "--direction", "aligned", "--next", "chain", PathToUtf8(dir.path())}).status, 0);
}

// ---- Picked entities -------------------------------------------------------------------------------

// A picked line gives the four-point dimension of its direction on its ends, byte for byte, and
// the same record: whichever way round the line was written, wherever in the file the host put
// it, whatever attributes of its own it carries.
TEST(CommandLine, APickedLineDrawsTheFourPointDimension) {
  const std::string head = "hq\r\nhk 30\r\nhs 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1\r\n";
  const std::string current = "lg2\r\nly5\r\nlc3\r\nlt1\r\nlw0\r\ncn1\r\n";
  const std::string points = "hp2 60 -20\r\nhp3 90 40\r\n";
  const struct {
    const char* name;
    std::string picked, entity;  // hp1ln, and the entity the host hands over after hhp1ln
    bool entityFirst;            // the entity stands before the other picked points
    TPointD p1, p2;              // the measured points it stands for
  } cases[] = {
      {"picked near its first end", "hp1ln 12 3\r\n", "hhp1ln\r\n10 0 40 70\r\n", false, {10, 0}, {40, 70}},
      {"picked near its second end", "hp1ln 38 66\r\n", "hhp1ln\r\n10 0 40 70\r\n", false, {40, 70}, {10, 0}},
      {"written the other way round", "hp1ln 12 3\r\n", "hhp1ln\r\n40 70 10 0\r\n", true, {10, 0}, {40, 70}},
      {"picked in the middle: the first written end",
       "hp1ln 25 35\r\n",
       "hhp1ln\r\n40 70 10 0\r\n",
       false,
       {40, 70},
       {10, 0}},
      {"with attributes of its own",
       "hp1ln 12 3\r\n",
       "hhp1ln\r\nlg7\r\nly1\r\nlc6\r\nlt3\r\n10 0 40 70\r\n",
       true,
       {10, 0},
       {40, 70}},
      {"after a line of another pick",
       "hp1ln 12 3\r\n",
       "hhp2ln\r\n0 0 5 5\r\nhhp1ln\r\n10 0 40 70\r\n",
       false,
       {10, 0},
       {40, 70}},
  };
  for (const auto& c : cases) {
    for (const char* direction : {"vertical", "horizontal", "aligned"}) {
      SCOPED_TRACE(std::string(c.name) + ", " + direction);
      TempDir picked("q748-cli"), fourPoints("q748-cli");
      WriteFile(
          picked.path() / "JWC_TEMP.TXT",
          head + c.picked + (c.entityFirst ? current + c.entity + points : points + current + c.entity));
      WriteFile(fourPoints.path() / "JWC_TEMP.TXT", head + "hp1 " + FloatToText(c.p1.X) + " " +
                                                        FloatToText(c.p1.Y) + "\r\nhp2 " +
                                                        FloatToText(c.p2.X) + " " + FloatToText(c.p2.Y) +
                                                        "\r\nhp3 60 -20\r\nhp4 90 40\r\n" + current);
      const TRun a = RunCli({"--ok", "--pick", "line", "--direction", direction, "--set", "ComboBox3=1",
                             PathToUtf8(picked.path())});
      const TRun b =
          RunCli({"--ok", "--direction", direction, "--set", "ComboBox3=1", PathToUtf8(fourPoints.path())});
      ASSERT_EQ(a.status, 0) << a.err;
      ASSERT_EQ(b.status, 0) << b.err;
      EXPECT_EQ(ReadFile(picked.path() / "JWC_TEMP.TXT"), ReadFile(fourPoints.path() / "JWC_TEMP.TXT"));
      const char* file = FindDirection(direction)->SettingsFile;
      EXPECT_EQ(ReadFile(picked.path() / file), ReadFile(fourPoints.path() / file));
    }
  }
}

// What the kinds that pick an entity refuse: no entity of the right kind stamped by prompt 1, an
// ellipse, no point for the value text.
TEST(CommandLine, PickedEntityRefusals) {
  const std::string head = "hq\r\nhk 0\r\nhs 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1\r\n";
  const std::string tail = "lg0\r\nly0\r\nlc1\r\nlt1\r\nlw0\r\ncn1\r\n";
  const struct {
    const char* name;
    std::vector<std::string> args;
    std::string host;
    int status;
    const char* said;
  } cases[] = {
      {"a line: nothing picked",
       {"--pick", "line"},
       head + "hp2 5 5\r\nhp3 9 9\r\n" + tail,
       1,
       kMessageNoLine},
      {"a line: a circle picked",
       {"--pick", "line"},
       head + "hp1ln 5 0\r\nhp2 5 5\r\nhp3 9 9\r\n" + tail + "hhp1ln\r\nci 0 0 5\r\n",
       1,
       kMessageNoLine},
      {"a line: only another pick's line",
       {"--pick", "line"},
       head + "hp2 5 5\r\nhp3 9 9\r\n" + tail + "hhp2ln\r\n0 0 5 5\r\n",
       1,
       kMessageNoLine},
      {"a line: no text point",
       {"--pick", "line"},
       head + "hp1ln 0 0\r\nhp2 5 5\r\n" + tail + "hhp1ln\r\n0 0 0 9\r\n",
       1,
       kMessageMissingPoint},
      {"radius: nothing picked", {"--kind", "radius"}, head + "hp2 5 5\r\n" + tail, 1, kMessageNoCircle},
      {"radius: a line picked",
       {"--kind", "radius"},
       head + "hp1ci 5 0\r\nhp2 5 5\r\n" + tail + "hhp1ci\r\n0 0 5 5\r\n",
       1,
       kMessageNoCircle},
      {"diameter: an ellipse",
       {"--kind", "diameter"},
       head + "hp1ci 5 0\r\nhp2 5 5\r\n" + tail + "hhp1ci\r\nci 0 0 5 0 360 0.5 0\r\n",
       1,
       kMessageEllipse},
      {"diameter: no text point",
       {"--kind", "diameter"},
       head + "hp1ci 5 0\r\n" + tail + "hhp1ci\r\nci 0 0 5\r\n",
       1,
       kMessageMissingPoint},
      {"radius: a circle of radius 0",
       {"--kind", "radius"},
       head + "hp1ci 5 0\r\nhp2 5 5\r\n" + tail + "hhp1ci\r\nci 0 0 0\r\n",
       1,
       kMessageZeroLength},
      {"radius: too large",
       {"--kind", "radius"},
       head + "hp1ci 5 0\r\nhp2 5 5\r\n" + tail + "hhp1ci\r\nci 0 0 1e308\r\n",
       1,
       kMessageTooLarge},
      {"radius of an arc",
       {"--kind", "radius"},
       head + "hp1ci 5 0\r\nhp2 5 5\r\n" + tail + "hhp1ci\r\nci 0 0 5 0 90 1 0\r\n",
       0,
       ""},
      {"arc length: nothing picked",
       {"--kind", "arclength"},
       head + "hp2 5 5\r\nhp3 9 9\r\n" + tail,
       1,
       kMessageNoArc},
      {"arc length: a whole circle",
       {"--kind", "arclength"},
       head + "hp1ci 5 0\r\nhp2 9 9\r\nhp3 20 20\r\n" + tail + "hhp1ci\r\nci 0 0 5\r\n",
       1,
       kMessageNoArc},
      {"arc length: an arc whose ends meet",
       {"--kind", "arclength"},
       head + "hp1ci 5 0\r\nhp2 9 9\r\nhp3 20 20\r\n" + tail + "hhp1ci\r\nci 0 0 5 0 360 1 0\r\n",
       1,
       kMessageNoArc},
      {"arc length: an elliptic arc",
       {"--kind", "arclength"},
       head + "hp1ci 5 0\r\nhp2 9 9\r\nhp3 20 20\r\n" + tail + "hhp1ci\r\nci 0 0 5 0 90 2 0\r\n",
       1,
       kMessageEllipse},
      {"arc length: the dimension arc inside",
       {"--kind", "arclength"},
       head + "hp1ci 5 0\r\nhp2 2 2\r\nhp3 20 20\r\n" + tail + "hhp1ci\r\nci 0 0 5 0 90 1 0\r\n",
       1,
       kMessageInsideArc},
      {"arc length: the dimension arc snapped onto the arc",
       {"--kind", "arclength"},
       head + "hp1ci 5 0\r\nhp2 4.938441702975689 0.7821723252011543\r\nhp3 20 20\r\n" + tail +
           "hhp1ci\r\nci 0 0 5 0 90 1 0\r\n",
       1,
       kMessageInsideArc},
      {"arc length: no text point",
       {"--kind", "arclength"},
       head + "hp1ci 5 0\r\nhp2 9 9\r\n" + tail + "hhp1ci\r\nci 0 0 5 0 90 1 0\r\n",
       1,
       kMessageMissingPoint},
      {"arc length drawn",
       {"--kind", "arclength"},
       head + "hp1ci 5 0\r\nhp2 9 9\r\nhp3 20 20\r\n" + tail + "hhp1ci\r\nci 0 0 5 0 90 1 0\r\n",
       0,
       ""},
      {"angle: one line",
       {"--kind", "angle"},
       head + "hp1ln 5 0\r\nhp3 9 9\r\nhp4 20 20\r\n" + tail + "hhp1ln\r\n0 0 10 0\r\n",
       1,
       kMessageNoLine},
      {"angle: parallel lines",
       {"--kind", "angle"},
       head + "hp1ln 5 0\r\nhp2ln 5 5\r\nhp3 9 9\r\nhp4 20 20\r\n" + tail +
           "hhp1ln\r\n0 0 10 0\r\nhhp2ln\r\n20 5 -3 5\r\n",
       1,
       kMessageParallel},
      {"angle: no point for the arc",
       {"--kind", "angle"},
       head + "hp1ln 5 0\r\nhp2ln 0 5\r\nhp4 20 20\r\n" + tail +
           "hhp1ln\r\n0 0 10 0\r\nhhp2ln\r\n0 0 0 10\r\n",
       1,
       kMessageMissingPoint},
      {"angle drawn",
       {"--kind", "angle"},
       head + "hp1ln 5 0\r\nhp2ln 0 5\r\nhp3 9 9\r\nhp4 20 20\r\n" + tail +
           "hhp1ln\r\n0 0 10 0\r\nhhp2ln\r\n0 0 0 10\r\n",
       0,
       ""},
      {"angle: --kind angle takes no direction",
       {"--kind", "angle", "--direction", "aligned"},
       head + tail,
       2,
       "--direction, --next and --pick go with --kind linear only"},
      {"angle: a line of no length",
       {"--kind", "angle"},
       head + "hp1ln 5 0\r\nhp2ln 0 5\r\nhp3 9 9\r\nhp4 20 20\r\n" + tail +
           "hhp1ln\r\n3 3 3 3\r\nhhp2ln\r\n0 0 0 10\r\n",
       1,
       kMessageZeroLine},
      {"radius: a value longer than the host takes",
       {"--kind", "radius"},
       head + "hp1ci 5 0\r\nhp2 5 5\r\n" + tail + "hhp1ci\r\nci 0 0 1e260\r\n",
       1,
       kMessageTooLarge},
      {"radius: a circle with nan",
       {"--kind", "radius"},
       head + "hp1ci 5 0\r\nhp2 5 5\r\n" + tail + "hhp1ci\r\nci nan 0 5\r\n",
       1,
       kMessageMissingPoint},
      {"diameter: a circle at 1,500",
       {"--kind", "diameter"},
       head + "hp1ci 5 0\r\nhp2 5 5\r\n" + tail + "hhp1ci\r\nci 1,500 0 5\r\n",
       1,
       kMessageMissingPoint},
      {"radius: a circle at 1e400",
       {"--kind", "radius"},
       head + "hp1ci 5 0\r\nhp2 5 5\r\n" + tail + "hhp1ci\r\nci 1e400 0 5\r\n",
       1,
       kMessageMissingPoint},
      {"arc length: an arc with a nan angle",
       {"--kind", "arclength"},
       head + "hp1ci 5 0\r\nhp2 9 9\r\nhp3 20 20\r\n" + tail + "hhp1ci\r\nci 0 0 5 nan 90 1 0\r\n",
       1,
       kMessageMissingPoint},
      {"a line with nan",
       {"--pick", "line"},
       head + "hp1ln 12 3\r\nhp2 5 5\r\nhp3 9 9\r\n" + tail + "hhp1ln\r\n10 nan 40 70\r\n",
       1,
       kMessageMissingPoint},
      {"angle: its second line with nan",
       {"--kind", "angle"},
       head + "hp1ln 5 0\r\nhp2ln 0 5\r\nhp3 9 9\r\nhp4 20 20\r\n" + tail +
           "hhp1ln\r\n0 0 10 0\r\nhhp2ln\r\n0 0 nan 10\r\n",
       1,
       kMessageMissingPoint},
      {"radius: only another pick's circle",
       {"--kind", "radius"},
       head + "hp1ci 5 0\r\nhp2 5 5\r\n" + tail + "hhp2ci\r\nci 0 0 5\r\n",
       1,
       kMessageNoCircle},
      {"diameter of a circle after a line of its own pick",
       {"--kind", "diameter"},
       head + "hp1ci 5 0\r\nhp2 5 5\r\n" + tail + "hhp1ci\r\n0 0 5 5\r\nci 0 0 5\r\n",
       0,
       ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir("q748-cli");
    WriteFile(dir.path() / "JWC_TEMP.TXT", c.host);
    std::vector<std::string> args = {"--ok", "--set", "ComboBox3=1"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    args.push_back(PathToUtf8(dir.path()));
    const TRun r = RunCli(args);
    EXPECT_EQ(r.status, c.status) << r.err;
    EXPECT_THAT(r.err, HasSubstr(c.said));
    const std::string out = ReadFile(dir.path() / "JWC_TEMP.TXT");
    EXPECT_EQ(out == "hq\r\n", c.status == 1) << out;
    // The arc kinds write their dimension arc, which the host reads as an arc.
    if (c.status == 0 && (c.args[1] == "arclength" || c.args[1] == "angle")) {
      JwwState back;
      JwwInit(back);
      JwwReadBuffer(back, "hq\r\n" + out.substr(out.find("\r\n") + 2));
      EXPECT_EQ(back.Arcs.Count(), 1);
      ASSERT_GE(back.Arcs.Count(), 1);
      EXPECT_EQ(back.Arcs[0].Value6, 1);
      EXPECT_EQ(back.Arcs[0].Head.ZFlags & kJwwZDimension, kJwwZDimension);
    }
  }
  // Each kind keeps its own settings file; the linear ones are not touched.
  TempDir dir("q748-cli");
  for (const char* kind : {"radius", "diameter"}) {
    WriteFile(dir.path() / "JWC_TEMP.TXT",
              head + "hp1ci 5 0\r\nhp2 5 5\r\n" + tail + "hhp1ci\r\nci 0 0 5\r\n");
    ASSERT_EQ(RunCli({"--ok", "--kind", kind, "--set", "ComboBox3=1", PathToUtf8(dir.path())}).status, 0);
    EXPECT_TRUE(fs::exists(dir.path() / KindEntry(FindKind(kind)->Kind).SettingsFile)) << kind;
  }
  EXPECT_FALSE(fs::exists(dir.path() / "q746.dat"));
  // A list the kind does not use (a radius's start marker) may have no choice: what is saved then
  // loads back as it was saved.
  WriteFile(dir.path() / "q746r.dat", "100\r\n100\r\n15\r\n");
  std::string once;
  for (int run = 0; run < 2; ++run) {
    WriteFile(dir.path() / "JWC_TEMP.TXT",
              head + "hp1ci 5 0\r\nhp2 5 5\r\n" + tail + "hhp1ci\r\nci 0 0 5\r\n");
    ASSERT_EQ(
        RunCli({"--ok", "--kind", "radius", "--set", "ComboBox3=1", "--set", "Edit1=1", "--set", "Edit7=3",
                "--set", "Edit8=15", "--set", "Edit4=0.5", "--set", "Edit9=2", PathToUtf8(dir.path())})
            .status,
        0);
    if (run == 0) once = ReadFile(dir.path() / "q746r.dat");
  }
  EXPECT_EQ(FileLines(once)[2], "0");
  EXPECT_EQ(ReadFile(dir.path() / "q746r.dat"), once);
  EXPECT_EQ(std::string(FindKind("radius")->SettingsFile), "q746r.dat");
  EXPECT_EQ(std::string(FindKind("diameter")->SettingsFile), "q746d.dat");
}

// Lines 23..31 record the last dimension drawn and nothing else: every run that draws nothing
// leaves them byte for byte, and the next chain goes on from the dimension before it.
TEST(CommandLine, RunsThatDrawNothingKeepTheRecord) {
  std::string saved;
  for (const char* line : {"100", "100", "0", "0",  "1", "3", "2", "1", "",  "",  "0.5",
                           "2",   "2",   "3", "15", "2", "0", "0", "0", "0", "0", "0"})
    saved += std::string(line) + "\r\n";
  const std::string record = "0\r\n1\r\n0\r\n0\r\n0\r\n0.0\r\n100\r\n50\r\n30\r\n";  // as a drawing left it
  const std::string points = "hp1 0 0\r\nhp2 0 100\r\nhp3 50 30\r\n";
  const std::string head = "hq\r\nhk 0\r\nhs 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1\r\n",
                    tail = "lg0\r\nly0\r\ncn1\r\n";
  const auto host = [&](const std::string& hs, const std::string& p4) {
    return "hq\r\nhk 0\r\nhs " + hs + " 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1\r\n" + points + "hp4 " + p4 + "\r\n" +
           tail;
  };
  const std::string thousandDigits(1000, '9');
  struct Case {
    const char* name;
    std::optional<std::string> host;  // nullopt: no host file
    std::vector<std::string> args;
    int status;
    const char* said;
    bool stdoutFull = false;
  };
  // clang-format off
  const Case cases[] = {
      {"refused: level points", head + "hp1 0 0\r\nhp2 40 0\r\nhp3 50 30\r\nhp4 80 40\r\n" + tail, {"--ok"}, 1,
       kMessageZeroLength},
      {"refused: a missing point", head + points + tail, {"--ok"}, 1, kMessageMissingPoint},
      {"refused: nan", host("1", "nan 40"), {"--ok"}, 1, kMessageMissingPoint},
      {"refused: inf", host("1", "80 inf"), {"--ok"}, 1, kMessageMissingPoint},
      {"refused: 1e400", host("1", "1e400 40"), {"--ok"}, 1, kMessageMissingPoint},
      {"refused: 1,500", host("1", "1,500 40"), {"--ok"}, 1, kMessageMissingPoint},
      {"refused: a thousand digits", host("1", "80 " + thousandDigits), {"--ok"}, 1, kMessageMissingPoint},
      {"refused: a chain's new point is no number", head + "hp1 nan 250\r\nhp2 90 150\r\n" + tail,
       {"--ok", "--next", "chain"}, 1, kMessageMissingPoint},
      {"refused: scale 0", host("0", "80 40"), {"--ok"}, 1, kMessageBadScale},
      {"refused: negative scale", host("-50", "80 40"), {"--ok"}, 1, kMessageBadScale},
      {"refused: scale no number", host("1e999", "80 40"), {"--ok"}, 1, kMessageBadScale},
      {"refused: a chain at scale 0", host("0", "80 40"), {"--ok", "--next", "chain"}, 1, kMessageBadScale},
      {"cancelled", host("1", "80 40"), {"--cancel"}, 0, ""},
      {"the settings alone", host("1", "80 40"), {"--ok", "--settings"}, 0, ""},
      {"the settings alone need no points", head + tail, {"--ok", "--settings"}, 0, ""},
      {"no host file", std::nullopt, {"--ok"}, 1, kMessageReadFailed},
      {"drawn where nobody reads it", host("1", "80 40"), {"--ok", "--stdout"}, 2, "cannot write", true},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir("q748-cli");
    WriteFile(dir.path() / "q746.dat", saved + record + "1\r\n8\r\n");
    if (c.host) WriteFile(dir.path() / "JWC_TEMP.TXT", *c.host);
    std::vector<std::string> args = c.args;
    args.insert(args.end(), {"--set", "ComboBox3=1", "--set", "Edit2=P", PathToUtf8(dir.path())});
    if (c.args[0] == "--cancel") args.resize(args.size() - 5), args.push_back(PathToUtf8(dir.path()));
    const TRun r = RunCli(args, fs::path("nowhere"), c.stdoutFull);
    EXPECT_EQ(r.status, c.status) << r.err;
    EXPECT_THAT(r.err, HasSubstr(c.said));
    const std::string after = ReadFile(dir.path() / "q746.dat");
    std::size_t line23 = 0;
    for (int i = 0; i < 22; ++i) line23 = after.find("\r\n", line23) + 2;
    EXPECT_EQ(after.compare(line23, record.size(), record), 0) << after;  // lines 23..31 as they were
    // The dialog's values are saved all the same by an OK that drew nothing.
    EXPECT_THAT(after, ExactlyWhen(c.args[0] == "--ok", HasSjisSubstr("\r\nP\r\n")));
    if (c.args.size() > 1 && c.args[1] == "--settings") {
      EXPECT_EQ(ReadFile(dir.path() / "JWC_TEMP.TXT"), "hq\r\n");
    }

    // The next chain goes on from the last dimension drawn: from its second point (0, 100).
    WriteFile(dir.path() / "JWC_TEMP.TXT", HostFile(0, {{0, 250}, {90, 150}}));
    ASSERT_EQ(RunCli({"--ok", "--next", "chain", "--set", "ComboBox3=1", PathToUtf8(dir.path())}).status, 0);
    const std::vector<std::string> lines = FileLines(ReadFile(dir.path() / "q746.dat"));
    ASSERT_EQ(lines.size(), SettingsTable().size());
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 25, lines.begin() + 31),
              (std::vector<std::string>{"0", "100", "0", "250", "50", "30"}));
  }
}

TEST(CommandLine, HelpNamesEveryControlThatCanBeSet) {
  const TRun r = RunCli({"--help"});
  EXPECT_EQ(r.status, 0);
  EXPECT_TRUE(r.err.empty());
  for (const TControlEntry& c : ControlTable()) {
    if (IsSettable(c)) {
      EXPECT_THAT(r.out, HasSubstr(std::string(c.Name) + " "));
    }
  }
  for (const char* word : {"--ok", "--cancel", "--dump", "--set", "--stdout", "Exit status", "端点倍率"})
    EXPECT_THAT(r.out, HasSubstr(word));
}

TEST(CommandLine, CancelWritesTheEmptyOutput) {
  TempDir dir("q748-cli");
  WriteFile(dir.path() / "JWC_TEMP.TXT", kHost);
  const TRun r = RunCli({"--cancel", PathToUtf8(dir.path())});
  EXPECT_EQ(r.status, 0);
  EXPECT_TRUE(r.err.empty());
  EXPECT_EQ(ReadFile(dir.path() / "JWC_TEMP.TXT"), "hq\r\n");
  EXPECT_FALSE(fs::exists(dir.path() / "q746.dat"));
}

TEST(CommandLine, DefaultFolderIsTheExecutables) {
  TempDir dir("q748-cli");
  WriteFile(dir.path() / "JWC_TEMP.TXT", kHost);
  const TRun r = RunCli({"--ok", "--set", "ComboBox3=1"}, dir.path());
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(ReadFile(dir.path() / "JWC_TEMP.TXT").substr(0, 5), "lg0\r\n");
  EXPECT_TRUE(fs::exists(dir.path() / "q746.dat"));
}

TEST(CommandLine, StdoutLeavesTheHostFileAlone) {
  TempDir dir("q748-cli");
  WriteFile(dir.path() / "JWC_TEMP.TXT", kHost);
  const TRun ok = RunCli({"--ok", "--stdout", "--set", "ComboBox3=1", PathToUtf8(dir.path())});
  EXPECT_EQ(ok.status, 0) << ok.err;
  EXPECT_EQ(ok.out.substr(0, 10), "lg0\r\nly0\r\n");
  EXPECT_THAT(ok.out, HasSjisSubstr("cs 80 40 "));
  EXPECT_EQ(ReadFile(dir.path() / "JWC_TEMP.TXT"), kHost);

  const TRun refused = RunCli({"--ok", "--stdout", "--set", "Edit8=0", PathToUtf8(dir.path())});
  EXPECT_EQ(refused.status, 1);
  EXPECT_EQ(refused.out, "hq\r\n");

  const TRun cancel = RunCli({"--cancel", "--stdout", PathToUtf8(dir.path())});
  EXPECT_EQ(cancel.status, 0);
  EXPECT_EQ(cancel.out, "hq\r\n");
  EXPECT_EQ(ReadFile(dir.path() / "JWC_TEMP.TXT"), kHost);
}

TEST(CommandLine, SetTakesEffectAfterTheSettingsAreLoaded) {
  TempDir dir("q748-cli");
  WriteFile(dir.path() / "JWC_TEMP.TXT", kHost);
  // Saved: text type 1, prefix R=. Given: prefix "Ｌ＝" (UTF-8 on the command line).
  WriteFile(dir.path() / "q746.dat", "5\r\n6\r\n0\r\n0\r\n1\r\n3\r\n2\r\n1\r\nR=\r\n");
  const TRun r = RunCli(
      {"--ok",    "--stdout", "--set",    "Edit2=Ｌ＝", "--set",       "Edit1=1", "--set",
       "Edit7=3", "--set",    "Edit8=15", "--set",      "ComboBox1=0", "--set",   "Edit4=0.5",
       "--set",   "Edit5=2",  "--set",    "Edit6=2",    "--set",       "Edit9=2", PathToUtf8(dir.path())});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_THAT(r.out, HasSjisSubstr("\"\x82\x6B\x81\x81" + std::string("100\r\n")));  // Ｌ＝100 in Shift-JIS
  const std::string saved = ReadFile(dir.path() / "q746.dat");
  EXPECT_EQ(saved.substr(0, 8), "5\r\n6\r\n0\r");  // the loaded position is saved again
  EXPECT_THAT(saved, HasSjisSubstr("\r\n\x82\x6B\x81\x81\r\n"));
}

TEST(CommandLine, RefusalNamesTheControlAndClosesAsCancel) {
  TempDir dir("q748-cli");
  WriteFile(dir.path() / "JWC_TEMP.TXT", kHost);
  const TRun r = RunCli({"--ok", "--set", "ComboBox3=11", PathToUtf8(dir.path())});  // past the items
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "q748: OK refused: focus on ComboBox3\n");
  EXPECT_EQ(ReadFile(dir.path() / "JWC_TEMP.TXT"), "hq\r\n");
  // Without a settings file the first OK draws, in the host's current text type.
  WriteFile(dir.path() / "JWC_TEMP.TXT", kHost);
  fs::remove(dir.path() / "q746.dat");
  const TRun first = RunCli({"--ok", PathToUtf8(dir.path())});
  EXPECT_EQ(first.status, 0) << first.err;
  EXPECT_THAT(ReadFile(dir.path() / "q746.dat"), HasSjisSubstr("\r\n0\r\n3\r\n2\r\n"));  // item 0
}

// A file that cannot be written is an I/O error (status 2) with the reason in words; whatever stood
// in its place stays, so the host finds its own input, which begins with "hq", and draws nothing.
TEST(CommandLine, FailedWriteIsAnErrorAndKeepsWhatWasThere) {
  const fs::path mounts = Q748_SCRATCH_MOUNTS;
  TempDir dir("q748-cli");
  WriteFile(dir.path() / "JWC_TEMP.TXT", kHost);
  const std::string readOnly = PathToUtf8(mounts / "read-only"), full = PathToUtf8(mounts / "full");
  // A folder others may write to, where JWC_TEMP.TXT was made a link to a private file of the
  // user's outside it, and q746.dat a link to a file outside that is not there.
  TempDir planted("q748-cli");
  fs::create_directory(planted.path() / "cmd");
  WriteFile(planted.path() / "private.txt", kHost);
  fs::permissions(planted.path() / "private.txt", fs::perms::owner_read | fs::perms::owner_write);
  std::error_code linkError;
  fs::create_symlink("../private.txt", planted.path() / "cmd" / "JWC_TEMP.TXT", linkError);
  if (!linkError) fs::create_symlink("../made.dat", planted.path() / "cmd" / "q746.dat", linkError);
  struct Case {
    const char* name;
    std::vector<std::string> args;
    fs::path kept;                  // the file that must stay as it was, its mode too
    std::vector<std::string> said;  // on standard error
    fs::path absent = {};           // a file that must not be made
  };
  std::vector<Case> cases = {
      {"OK in a read-only folder",
       {"--ok", readOnly},
       mounts / "read-only" / "JWC_TEMP.TXT",
       {"作図結果を書き込めませんでした", "JWC_TEMP.TXT", "このフォルダーに書き込む権限がありません",
        "設定を保存できませんでした"}},
      {"Cancel in a read-only folder",
       {"--cancel", readOnly},
       mounts / "read-only" / "JWC_TEMP.TXT",
       {"作図結果を書き込めませんでした", "このフォルダーに書き込む権限がありません"}},
      {"OK on a full disk",
       {"--ok", full},
       mounts / "full" / "JWC_TEMP.TXT",
       {"JWC_TEMP.TXT", "ディスクの空き容量が不足しています"}},
      {"the preview onto a full disk",
       {"--preview", full + "/preview.svg", "--set", "ComboBox3=1", PathToUtf8(dir.path())},
       mounts / "full" / "preview.svg",
       {"preview.svg", "ディスクの空き容量が不足しています"}},
  };
  if (linkError) {
    std::printf("[ SKIPPED  ] links leading out of the folder: no symbolic link can be made here\n");
  } else {
    cases.push_back({"OK where the files are links out of the folder",
                     {"--ok", PathToUtf8(planted.path() / "cmd")},
                     planted.path() / "private.txt",
                     {"作図結果を書き込めませんでした", "JWC_TEMP.TXT", "設定を保存できませんでした",
                      "同じフォルダーのファイルを指していないリンク"},
                     planted.path() / "made.dat"});
  }
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string before = ReadFile(c.kept);
    const fs::perms mode = fs::status(c.kept).permissions();
    ASSERT_FALSE(before.empty());
    const TRun r = RunCli(c.args);
    EXPECT_EQ(r.status, 2);
    for (const std::string& s : c.said) EXPECT_THAT(r.err, HasSubstr(s));
    EXPECT_EQ(ReadFile(c.kept), before);
    EXPECT_EQ(fs::status(c.kept).permissions(), mode);
    if (!c.absent.empty()) {
      EXPECT_FALSE(fs::exists(fs::symlink_status(c.absent)));
    }
  }
}

TEST(CommandLine, DumpPrintsWhatReadingGave) {
  TempDir dir("q748-cli");
  const TRun missing = RunCli({"--dump", PathToUtf8(dir.path())});
  EXPECT_EQ(missing.status, 2);
  EXPECT_THAT(missing.err, HasSubstr("JWC_TEMP.TXT"));
  EXPECT_TRUE(missing.out.empty());

  WriteFile(dir.path() / "JWC_TEMP.TXT", std::string(kHost) + "cn\"$<font>\r\n");
  const TRun r = RunCli({"--dump", PathToUtf8(dir.path())});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.front(), '{');
  EXPECT_EQ(r.out.back(), '\n');
  // Before the reset: the current font is still the one the host named.
  EXPECT_THAT(r.out, HasSubstr("\"CurFontName\": \"<font>\""));
  EXPECT_EQ(ReadFile(dir.path() / "JWC_TEMP.TXT"), std::string(kHost) + "cn\"$<font>\r\n");
}

TEST(CommandLine, FolderWithAJapaneseName) {
  TempDir dir("q748-cli", PathFromUtf8("作図 テスト"));
  WriteFile(dir.path() / "JWC_TEMP.TXT", kHost);
  const TRun r = RunCli({"--ok", "--set", "ComboBox3=1", "--set", "Edit3=　ｍ", PathToUtf8(dir.path())});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_THAT(ReadFile(dir.path() / "JWC_TEMP.TXT"), HasSjisSubstr("\"100\x81\x40\x82\x8D\r\n"));
  EXPECT_TRUE(fs::exists(dir.path() / "q746.dat"));
}

// ---- Golden cases ----------------------------------------------------------------------------------

namespace {

// Compares and, on a mismatch, leaves the actual bytes in the build tree (Q748_ACTUAL_DIR). With
// Q748_UPDATE_GOLDEN=1 in the environment (by hand, after reviewing a change; never in CI) a
// mismatch rewrites the expected file instead.
void Compare(const fs::path& expected, const std::string& actualName, const std::string& actual) {
  const char* update = std::getenv("Q748_UPDATE_GOLDEN");
  if (update && std::string(update) == "1" && !std::getenv("CI") && ReadFile(expected) != actual) {
    WriteFile(expected, actual);
    ADD_FAILURE() << "rewrote " << expected.string();
  }
  const std::string want = ReadFile(expected);
  const fs::path actualFile = fs::path(Q748_ACTUAL_DIR) / expected.parent_path().filename() / actualName;
  EXPECT_EQ(actual, want) << "see " << actualFile.string();
  std::error_code ec;
  if (actual == want) {
    fs::remove(actualFile, ec);
    return;
  }
  fs::create_directories(actualFile.parent_path(), ec);
  WriteFile(actualFile, actual);
}

void RunCase(const fs::path& c) {
  TempDir dir("q748-cli");
  fs::copy_file(c / "JWC_TEMP.TXT", dir.path() / "JWC_TEMP.TXT");
  std::string direction = fs::exists(c / "direction.txt") ? ReadFile(c / "direction.txt") : "vertical";
  while (!direction.empty() && std::isspace(static_cast<unsigned char>(direction.back())))
    direction.pop_back();
  const TDirectionEntry* entry = FindDirection(direction);
  ASSERT_NE(entry, nullptr) << direction;
  const fs::path settings = dir.path() / entry->SettingsFile;
  if (fs::exists(c / "q746.dat")) fs::copy_file(c / "q746.dat", settings);

  std::vector<std::string> args = {"--ok", "--direction", direction};
  // A case may pick otherwise than by points (pick.txt: "fence").
  if (fs::exists(c / "pick.txt")) {
    std::istringstream pick(ReadFile(c / "pick.txt"));
    std::string word;
    pick >> word;
    args.insert(args.end(), {"--pick", word});
  }
  std::istringstream sets(ReadFile(c / "set.txt"));
  for (std::string line; std::getline(sets, line);) {
    if (line.empty()) continue;
    args.push_back("--set");
    args.push_back(line);
  }
  args.push_back(PathToUtf8(dir.path()));
  const TRun r = RunCli(args);

  const bool refused = fs::exists(c / "expected-stderr.txt");
  EXPECT_EQ(r.status, refused ? 1 : 0) << r.err;
  if (refused) {
    Compare(c / "expected-stderr.txt", "actual-stderr.txt", r.err);
  } else {
    EXPECT_EQ(r.err, "");
  }
  Compare(c / "expected.txt", "actual.txt", ReadFile(dir.path() / "JWC_TEMP.TXT"));
  // The cases about settings say what becomes of the settings file; the others draw.
  if (fs::exists(c / "expected-q746.dat")) {
    Compare(c / "expected-q746.dat", "actual-q746.dat", ReadFile(settings));
  } else if (fs::exists(c / "expected-q746.absent")) {
    EXPECT_FALSE(fs::exists(settings));
  }
  // Nothing else: no temporary file, and no settings file of another direction.
  for (const fs::directory_entry& e : fs::directory_iterator(dir.path())) {
    EXPECT_TRUE(e.path() == settings || e.path().filename() == "JWC_TEMP.TXT") << e.path();
  }
}

}  // namespace

TEST(Golden, Cases) {
  const fs::path root = fs::path(Q748_TEST_DATA) / "cases";
  std::vector<fs::path> cases;
  for (const fs::directory_entry& e : fs::directory_iterator(root))
    if (e.is_directory()) cases.push_back(e.path());
  std::sort(cases.begin(), cases.end());
  ASSERT_GE(cases.size(), 30u);
  for (const fs::path& c : cases) {
    SCOPED_TRACE(c.filename().string());
    RunCase(c);
  }
}
