// The samples: every one packs, survives dump and pack byte for byte as the
// build packed it, and together they use every spawn shape, rotation mode,
// blend mode and end mode, a sub-effect and an animated frame strip.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "TestPaths.h"
#include "record/EffectEnvelope.h"
#include "record/RecordModel.h"
#include "support/EffectFileBuilder.h"
#include "support/TempDir.h"
#include "tools/SampleFiles.h"
#include "tools/ToolRunner.h"

namespace tavrix::test {
namespace {

namespace fs = std::filesystem;
using record::Json;

std::string Built(const std::string& name) {
  return std::string(TAVRIX_SAMPLES_BUILT) + "/" + name + ".eff";
}

TEST(SampleRecordTest, ThereAreAtLeastSixSamples) { EXPECT_GE(SampleNames().size(), 6u); }

TEST(SampleRecordTest, EverySampleRoundTripsInProcess) {
  for (const std::string& name : SampleNames()) {
    SCOPED_TRACE(name);
    const Bytes plain = record::RecordFromJson(SampleJson(name));
    EXPECT_EQ(record::RecordFromJson(record::RecordToJson(plain)), plain);
    EXPECT_EQ(Decipher(ReadBytes(Built(name))), plain) << "the build packed an older " << name;
  }
}

TEST(SampleRecordTest, EveryBuiltSampleRoundTripsThroughTheProgram) {
  TempDir dir;
  for (const std::string& name : SampleNames()) {
    SCOPED_TRACE(name);
    const std::string json = dir.File(name + ".json"), packed = dir.File(name + ".eff");
    ASSERT_EQ(RunTool({"dump", Built(name), "-o", json}).exitCode, 0);
    ASSERT_EQ(RunTool({"pack", json, "-o", packed}).exitCode, 0);
    EXPECT_EQ(Decipher(ReadBytes(packed)), Decipher(ReadBytes(Built(name))));
  }
}

TEST(SampleRecordTest, TogetherTheSamplesUseEveryMode) {
  std::set<int64_t> shapes, rotations, blends, endModes;
  bool subEffect = false, animated = false;
  for (const std::string& name : SampleNames()) {
    const Json effect = SampleJson(name);
    endModes.insert(effect["endMode"].get<int64_t>());
    for (const Json& emitter : effect["emitters"]) {
      if (emitter["magic"] == "SE2D") {
        subEffect = true;
        EXPECT_TRUE(fs::is_regular_file(std::string(TAVRIX_SAMPLES_BUILT) + "/" +
                                        emitter["effectFile"].get<std::string>()))
            << name << " names a nested effect the build does not make";
        continue;
      }
      shapes.insert(emitter["spawnShape"].get<int64_t>());
      rotations.insert(emitter["rotationMode"].get<int64_t>());
      blends.insert(emitter["additive"].get<int64_t>());
      animated = animated || emitter["animated"] != 0;
      const Json& block =
          emitter["animated"] != 0 ? emitter["frameAnimation"] : emitter["frameSet"];
      EXPECT_TRUE(fs::is_regular_file(std::string(TAVRIX_SAMPLES_BUILT) + "/image/" +
                                      block["textureName"].get<std::string>()))
          << name << " uses a texture the build does not make";
    }
  }
  EXPECT_EQ(shapes, (std::set<int64_t>{0, 1, 2, 3}));
  EXPECT_EQ(rotations, (std::set<int64_t>{0, 1, 2}));
  EXPECT_EQ(blends, (std::set<int64_t>{0, 1}));
  for (int64_t mode : {0, 1, 2, 3}) EXPECT_TRUE(endModes.count(mode)) << "end mode " << mode;
  EXPECT_TRUE(subEffect);
  EXPECT_TRUE(animated);
}

// An effect file and a JSON record alike.
class BenchOfSample : public testing::TestWithParam<std::string> {};

TEST_P(BenchOfSample, PrintsTheCostOfTheEffectAndEachEmitter) {
  const std::string file = GetParam();
  ToolRun run = RunTool({"bench", file, "--seconds", "1", "--step", "10", "--every", "250",
                         "--root", TAVRIX_SAMPLES_BUILT});
  ASSERT_EQ(run.exitCode, 0) << run.output;
  EXPECT_NE(run.output.find("particles"), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("\n      1000 "), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("overall"), std::string::npos) << run.output;
  const std::string name = std::filesystem::path(file).filename().string();
  for (const std::string& row :
       {"\n" + name + " ", std::string("\n  flames "), std::string("\n  embers ")})
    EXPECT_NE(run.output.find(row), std::string::npos) << row << " in " << run.output;
}

INSTANTIATE_TEST_SUITE_P(Samples, BenchOfSample,
                         testing::Values(Built("fire"),
                                         std::string(TAVRIX_SAMPLES_SOURCE) + "/fire.json"));

}  // namespace
}  // namespace tavrix::test
