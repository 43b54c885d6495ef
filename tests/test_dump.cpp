// The exchange state as JSON: golden files of whole readings (the host's samples and a file with
// every kind of entity), field names, numbers that read back exactly, and texts as UTF-8.
//
// On a mismatch the actual JSON is written beside the test executable as <name>.actual.json;
// with Q748_UPDATE_GOLDEN=1 in the environment the golden file itself is rewritten.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iterator>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "CommandLine.h"
#include "JwwGaibu.h"
#include "TestSupport.h"

namespace fs = std::filesystem;

namespace {

const fs::path kData = Q748_TEST_DATA;

using testsupport::ReadFile;
using testsupport::WriteFile;

struct GoldenCase {
  const char* Input;   // under tests/data
  const char* Golden;  // under tests/data/read
};

TEST(DumpJson, GoldenFiles) {
  const GoldenCase cases[] = {
      {"hosts/host-input-1.txt", "host-input-1.json"},
      {"hosts/host-input-2.txt", "host-input-2.json"},
      {"read/entities.txt", "entities.json"},
  };
  const char* update = std::getenv("Q748_UPDATE_GOLDEN");
  for (const GoldenCase& c : cases) {
    JwwState st;
    ASSERT_TRUE(JwwReadFile(st, kData / c.Input)) << c.Input;
    const std::string actual = JwwStateToJson(st);
    const fs::path golden = kData / "read" / c.Golden;
    if (update && std::strcmp(update, "1") == 0) WriteFile(golden, actual);
    const std::string expected = ReadFile(golden);
    EXPECT_EQ(actual, expected) << c.Input << ": see " << fs::absolute(std::string(c.Golden) + ".actual");
    if (actual != expected) WriteFile(std::string(c.Golden) + ".actual", actual);
  }
}

TEST(DumpJson, KeysAreTheStateNames) {
  JwwState st;
  const nlohmann::ordered_json j = nlohmann::ordered_json::parse(JwwStateToJson(st));
  std::vector<std::string> keys;
  for (auto it = j.begin(); it != j.end(); ++it) keys.push_back(it.key());
  // clang-format off
  const std::vector<std::string> expected = {
      "AxisAngle", "GroupScale", "SheetWidth", "SheetHeight", "TextTypes", "BzFlag", "HnValues",
      "DrawingFileName", "FirstGroup", "FirstLayer", "FirstLineColour", "FirstLineType",
      "FirstLineWidth", "FirstTextType", "FirstFreeText", "FirstFontName", "CurGroup", "CurLayer",
      "CurLineColour", "CurLineType", "CurLineWidth", "CurTextType", "CurFreeText", "CurTextCode",
      "CurFontName", "CurPointColour", "CurSolidColour", "AttrPending", "PickedPoints",
      "PickedCount", "GroupValues", "GroupNames", "LayerValues", "LayerNames", "CurHhpNo",
      "CurZFlags", "PolylineCount", "InPolyline", "InMessage", "CurMessageLine", "Lines",
      "Circles", "Arcs", "Texts", "Points", "PointsEx", "Messages", "Blocks", "Solids2", "Solids3",
      "Solids4", "SolidsSc", "SolidsSe", "SolidsSo", "SolidsSg", "EntityOrder", "OutputCount",
      "OutputLines"};
  // clang-format on
  EXPECT_EQ(keys, expected);
  EXPECT_EQ(j["TextTypes"].size(), 10u);
  EXPECT_EQ(j["HnValues"].size(), 4u);
  EXPECT_EQ(j["AttrPending"].size(), 9u);
  EXPECT_EQ(j["LayerNames"].size(), 256u);
  EXPECT_EQ(j["CurMessageLine"]["Head"]["LineType"], 1);
  EXPECT_EQ(j["CurMessageLine"]["X2"], 1.0);
}

TEST(DumpJson, NumbersReadBackExactly) {
  // clang-format off
  const char* const numbers[] = {"0.1", "-0", "1e-300", "123456789.123456789", "0.30000000000000004",
                                 "1.7976931348623157e308", "2.2250738585072014e-308", "-1820.40918462097",
                                 "3", "1e22", "1e23", "4.35", "-2.5e-7"};
  // clang-format on
  std::string content;
  int slot = 1;
  for (const char* x : numbers) content += "hp" + std::to_string(slot++) + " " + x + " " + x + "\n";
  JwwState st;
  JwwReadBuffer(st, content);
  const nlohmann::json j = nlohmann::json::parse(JwwStateToJson(st));
  const nlohmann::json& picked = j["PickedPoints"];
  ASSERT_EQ(picked.size(), std::size(numbers));
  for (std::size_t i = 0; i < picked.size(); ++i) {
    const TJwwPickedPoint& p = st.PickedPoints[i + 1];
    EXPECT_EQ(picked[i]["Slot"], i + 1);
    const double x = picked[i]["X"].get<double>();
    EXPECT_EQ(std::memcmp(&x, &p.X, sizeof x), 0) << numbers[i];  // bit for bit, -0 included
  }
}

TEST(DumpJson, TextsBecomeUtf8) {
  JwwState st;
  // "寸法" in Shift-JIS, then bytes that are no character, then a lone lead byte.
  JwwReadBuffer(st, "ch 0 0 1 0 \"\x90\xa1\x96\x40 \xFD\x20 x\x82");
  ASSERT_EQ(st.Texts.Count(), 1);
  const nlohmann::json j = nlohmann::json::parse(JwwStateToJson(st));  // throws on bad UTF-8
  const std::string text = j["Texts"][0]["Text"];
  EXPECT_EQ(text.substr(0, 7), "\xE5\xAF\xB8\xE6\xB3\x95 ");  // 寸法
  EXPECT_NE(text.find("\xEF\xBF\xBD"), std::string::npos);    // U+FFFD for the stray bytes
  EXPECT_EQ(j["Texts"][0]["FontName"],
            "<\xEF\xBC\xAD\xEF\xBC\xB3 \xE3\x82\xB4\xE3\x82\xB7\xE3\x83\x83\xE3\x82\xAF>");
}

}  // namespace
