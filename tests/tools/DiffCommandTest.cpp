// "tavrix diff" run as a user runs it: each kind of edit to the fire sample
// gives its record path lines and exit 1, equal effects exit 0 silently, a
// nested effect is compared through the sub-effect emitter that names it,
// --render lays both out side by side, and unreadable input fails with the
// tool's code.
#include <gtest/gtest.h>

#include <functional>

#include "TestPaths.h"
#include "common/PngFile.h"
#include "support/TempDir.h"
#include "tools/SampleFiles.h"
#include "tools/ToolRunner.h"

namespace tavrix::test {
namespace {

using record::Json;

struct DiffCase {
  const char* name;
  std::function<void(Json&)> edit;
  std::string expected;  // every line, in order
};

Json& Track(Json& emitter, const std::string& name) {
  for (Json& track : emitter["tracks"])
    if (track["name"] == name) return track;
  throw std::logic_error("no track " + name);
}

std::string WriteJson(const TempDir& dir, const std::string& name, const Json& json) {
  return dir.Write(name, json.dump(1));
}

class DiffEdit : public testing::TestWithParam<DiffCase> {};

TEST_P(DiffEdit, PrintsItsPathsAndExitsOne) {
  TempDir dir;
  Json edited = SampleJson("fire");
  GetParam().edit(edited);
  const ToolRun run = RunTool(
      {"diff", WriteJson(dir, "old.json", SampleJson("fire")), WriteJson(dir, "new.json", edited)});
  EXPECT_EQ(run.exitCode, GetParam().expected.empty() ? 0 : 1) << run.output;
  EXPECT_EQ(run.output, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Diff, DiffEdit,
    testing::Values(
        DiffCase{"Identical", [](Json&) {}, ""},
        DiffCase{"Field", [](Json& e) { e["durationSeconds"] = 2.5; },
                 "durationSeconds: 4.0 -> 2.5\n"},
        DiffCase{"Key",
                 [](Json& e) { Track(e["emitters"][1], "BaseLife")["keys"][0]["value"] = 0.5; },
                 "emitters[\"flames\"].tracks.BaseLife.keys[0].value: 1.0 -> 0.5\n"},
        DiffCase{
            "AddedKey",
            [](Json& e) {
              Track(e["emitters"][0], "BaseLife")["keys"].push_back({{"time", 9}, {"value", 1}});
            },
            "emitters[\"embers\"].tracks.BaseLife.keys[1]: added {\"time\":9.0,\"value\":1.0}\n"},
        DiffCase{"AddedEmitter",
                 [](Json& e) {
                   Json copy = e["emitters"][0];
                   copy["name"] = "smoke";
                   e["emitters"].insert(e["emitters"].begin(), copy);
                 },
                 "emitters[\"smoke\"]: added\n"},
        DiffCase{"RenamedEmitter", [](Json& e) { e["emitters"][0]["name"] = "glow"; },
                 "emitters[\"embers\"].name: \"embers\" -> \"glow\"\n"},
        DiffCase{"ReorderedEmitters",
                 [](Json& e) { std::swap(e["emitters"][0], e["emitters"][1]); },
                 "emitters.order: [\"embers\",\"flames\"] -> [\"flames\",\"embers\"]\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Diff, ComparesTheNestedEffectsOfSubEffectEmitters) {
  TempDir dir;
  Json sparks = SampleJson("burst_sparks");
  sparks["durationSeconds"] = 9;
  ASSERT_EQ(RunTool({"pack", WriteJson(dir, "s.json", sparks), "-o", dir.File("burst_sparks.eff")})
                .exitCode,
            0);
  const ToolRun run = RunTool({"diff", std::string(TAVRIX_SAMPLES_BUILT) + "/burst.eff",
                               WriteJson(dir, "burst.json", SampleJson("burst"))});
  EXPECT_EQ(run.exitCode, 1) << run.output;
  EXPECT_EQ(run.output, "emitters[\"sparks\"].effect.durationSeconds: 1.8 -> 9.0\n");
}

// A duration stored as NaN bits is no span: the sheet spans the default.
TEST(Diff, RenderWritesOldAndNewSideBySide) {
  TempDir dir;
  Json odd = SampleJson("fire");
  odd["durationSeconds"] = "0x7FC00000";
  const ToolRun run = RunTool({"diff", WriteJson(dir, "old.json", SampleJson("fire")),
                               WriteJson(dir, "odd.json", odd), "--render", "-o",
                               dir.File("sheet.png"), "--root", TAVRIX_SAMPLES_BUILT});
  EXPECT_EQ(run.exitCode, 1) << run.output;
  tools::Image sheet;
  std::string error;
  ASSERT_TRUE(tools::ReadPng(dir.File("sheet.png"), sheet, error)) << error << run.output;
  EXPECT_EQ(sheet.width, 2 * 192);
  // A band above the cells names each column's file, in white.
  const int32_t band = sheet.height - 4 * 192;
  ASSERT_GT(band, 0);
  for (int32_t column : {0, 192}) {
    int64_t ink = 0;
    for (int32_t y = 0; y < band; ++y)
      for (int32_t x = column; x < column + 192; ++x) ink += sheet.At(x, y) == 0xFFFFFFFFu;
    EXPECT_GT(ink, 100) << column;
  }
}

TEST(Diff, UnreadableInputFailsWithTheToolsCode) {
  TempDir dir;
  const std::string good = WriteJson(dir, "good.json", SampleJson("fire"));
  const ToolRun broken = RunTool({"diff", good, dir.Write("broken.json", "{\"tag\": ")});
  EXPECT_EQ(broken.exitCode, 5) << broken.output;
  EXPECT_NE(broken.output.find("broken.json"), std::string::npos) << broken.output;
  EXPECT_EQ(RunTool({"diff", dir.File("absent.eff"), good}).exitCode, 3);
}

}  // namespace
}  // namespace tavrix::test
