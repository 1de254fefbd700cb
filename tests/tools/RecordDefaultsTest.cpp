// JSON records that leave fields out: they take the library's defaults in
// pack and in every command that reads JSON, check reports every fault of a
// file at once, and a stored force direction that forceAngle does not give
// is a warning.
#include <gtest/gtest.h>

#include "TestPaths.h"
#include "common/PngFile.h"
#include "record/JsonText.h"
#include "record/RecordModel.h"
#include "record/TrackTable.h"
#include "support/EffectFileBuilder.h"
#include "support/TempDir.h"
#include "tools/ToolRunner.h"

namespace tavrix::test {
namespace {

using record::Json;

constexpr int CheckFailed = 8, Warnings = 9;

TEST(RecordDefaultsTest, AMinimalRecordPacksAsItsDumpWithEveryDefaultWrittenOut) {
  const Json minimal = {{"emitters", {Json::object(), {{"magic", "SE2D"}}}}};
  const Bytes plain = record::RecordFromJson(minimal);
  const Json full = record::RecordToJson(plain);
  EXPECT_EQ(record::RecordFromJson(full), plain);
  EXPECT_FALSE(full.contains("onlyListedTracks"));
  const Json& emitter = full["emitters"][0];
  const std::vector<record::TrackInfo>& tracks = record::TracksOf(record::TrackOwner::Emitter);
  ASSERT_EQ(emitter["tracks"].size(), tracks.size());
  for (size_t t = 0; t < tracks.size(); ++t) {
    EXPECT_EQ(emitter["tracks"][t]["name"], tracks[t].key);
    EXPECT_EQ(emitter["tracks"][t]["keys"],
              Json::array({{{"time", 0.0}, {"value", tracks[t].defaultValue}}}));
  }
  EXPECT_EQ(full["tracks"].size(), record::TracksOf(record::TrackOwner::Effect).size());
  // As the library's Init leaves an emitter: force straight up, corners
  // around the centre.
  EXPECT_EQ(emitter["forceDirectionX"], 0.0);
  EXPECT_EQ(emitter["forceDirectionY"], -1.0);
  EXPECT_EQ(emitter["corners"], Json::parse("[[-0.5,-0.5],[0.5,-0.5],[0.5,0.5],[-0.5,0.5]]"));
  EXPECT_EQ(full["emitters"][1]["enabled"], 1);
}

TEST(RecordDefaultsTest, TracksLeftOutOfAListAreAddedInTheLibrarysOrder) {
  Json sparse = {{"tracks", {{{"name", "gravity"}, {"keys", {{{"time", 0}, {"value", 3}}}}}}}};
  const Json full = record::RecordToJson(record::RecordFromJson(sparse));
  const std::vector<record::TrackInfo>& tracks = record::TracksOf(record::TrackOwner::Effect);
  ASSERT_EQ(full["tracks"].size(), tracks.size());
  for (size_t t = 0; t < tracks.size(); ++t) EXPECT_EQ(full["tracks"][t]["name"], tracks[t].key);
  EXPECT_EQ(full["tracks"][16]["keys"][0]["value"], 3.0);
  sparse["onlyListedTracks"] = true;
  EXPECT_EQ(record::RecordToJson(record::RecordFromJson(sparse))["tracks"].size(), 1u);
}

class RecordDefaultsToolTest : public ::testing::Test {
 protected:
  ToolRun Run(std::vector<std::string> arguments) {
    arguments.insert(arguments.end(), {"--root", TAVRIX_SAMPLES_BUILT});
    return RunTool(arguments);
  }
  TempDir dir_;
};

TEST_F(RecordDefaultsToolTest, CheckReportsEveryFaultOfAFileInOneRun) {
  const std::string file = dir_.Write(
      "bad.json",
      R"({"emitters": [{"pivotX": "x", "bogus": 1, "tracks": [{"keys": []}]}], "endMode": "a"})");
  const ToolRun run = Run({"check", file});
  EXPECT_EQ(run.exitCode, CheckFailed) << run.output;
  for (const char* text :
       {"emitters[0].tracks[0].name: missing", "emitters[0].pivotX: expected a number",
        "emitters[0].bogus: unknown field", "endMode: expected an integer", "4 errors"})
    EXPECT_NE(run.output.find(text), std::string::npos) << text << "\n" << run.output;
}

TEST_F(RecordDefaultsToolTest, ForceDirectionsForceAngleDoesNotGiveAreWarnings) {
  const std::pair<const char*, bool> cases[] = {
      {R"({"forceAngle": 90})", false},
      {R"({"forceAngle": 0, "forceDirectionX": 0, "forceDirectionY": -1})", false},
      {R"({"forceAngle": 90, "forceDirectionX": 0, "forceDirectionY": -1})", true},
  };
  for (const auto& [emitter, warned] : cases) {
    const std::string file = dir_.Write(
        "force.json", std::string(R"({"durationSeconds": 1, "emitters": [)") + emitter + "]}");
    const ToolRun run = Run({"check", file});
    EXPECT_EQ(run.exitCode, warned ? Warnings : 0) << emitter << "\n" << run.output;
    EXPECT_EQ(run.output.find("forceDirectionX: the stored force direction") != std::string::npos,
              warned)
        << run.output;
  }
}

TEST_F(RecordDefaultsToolTest, ANewEffectPacksChecksCleanAndRendersAsJsonWithItsTexture) {
  const std::string json = dir_.File("new.json");
  ASSERT_EQ(RunTool({"new", "-o", json}).exitCode, 0);
  EXPECT_NE(RunTool({"new", "-o", json}).exitCode, 0);  // an existing file is kept
  EXPECT_EQ(RunTool({"pack", json, "-o", dir_.File("new.eff")}).exitCode, 0);
  const ToolRun check = Run({"check", json});
  EXPECT_EQ(check.exitCode, 0) << check.output;
  const ToolRun info = Run({"info", json});
  EXPECT_EQ(info.exitCode, 0) << info.output;
  EXPECT_NE(info.output.find("\"disc.png\" (found:"), std::string::npos) << info.output;
  // Its texture was written beside it: it draws where it is, without a root.
  const ToolRun render = RunTool({"render", json, "-o", dir_.File("frame.png")});
  EXPECT_EQ(render.exitCode, 0) << render.output;
  tools::Image frame;
  std::string error;
  ASSERT_TRUE(tools::ReadPng(dir_.File("frame.png"), frame, error)) << error;
  size_t lit = 0;
  for (uint32_t pixel : frame.pixels) lit += (pixel & 0x00FFFFFFu) != 0;
  EXPECT_GT(lit, 0u);
}

}  // namespace
}  // namespace tavrix::test
