// "tavrix check" and the checks pack runs: each finding names its record
// path and says what the library does; errors and warnings set the exit code.
#include <gtest/gtest.h>

#include <functional>

#include "TestPaths.h"
#include "record/JsonText.h"
#include "record/RecordModel.h"
#include "support/EffectFileBuilder.h"
#include "support/TempDir.h"
#include "tools/ToolRunner.h"

namespace tavrix::test {
namespace {

using record::Json;

constexpr int CheckFailed = 8, Warnings = 9;

class CheckCommandTest : public ::testing::Test {
 protected:
  // The fire sample (or another), changed by edit, written as NAME.json.
  std::string FireJson(const std::string& name, const std::function<void(Json&)>& edit,
                       const std::string& sample = "fire") {
    const Bytes text = ReadBytes(std::string(TAVRIX_SAMPLES_SOURCE) + "/" + sample + ".json");
    Json json = record::ParseJson(std::string(text.begin(), text.end()));
    edit(json);
    return dir_.Write(name + ".json", record::FormatJson(json));
  }
  ToolRun Check(const std::string& file) {
    return RunTool({"check", file, "--root", TAVRIX_SAMPLES_BUILT});
  }

  TempDir dir_;
};

void ExpectFinds(const ToolRun& run, const std::vector<std::string>& texts) {
  for (const std::string& text : texts)
    EXPECT_NE(run.output.find(text), std::string::npos) << text << "\n" << run.output;
}

TEST_F(CheckCommandTest, FindsAMisspeltTrackAMissingTextureAndAnOutOfRangeEndMode) {
  const std::string file = FireJson("broken", [](Json& j) {
    j["emitters"][0]["tracks"][13]["name"] = "LifeVisibel";
    j["emitters"][1]["frameSet"]["textureName"] = "absent.png";
    j["endMode"] = 9;
  });
  ToolRun run = Check(file);
  EXPECT_EQ(run.exitCode, CheckFailed) << run.output;
  ExpectFinds(
      run, {"error: emitters[0].tracks.LifeVisibel.name: \"LifeVisibel\" is not an emitter track "
            "(did you mean \"LifeVisible\"?); the library refuses the effect: "
            "EmitterTrackUnknown (-3986)",
            "warning: emitters[1].frameSet.textureName: texture \"absent.png\" is not found",
            "warning: endMode: 9 is none of 0 ReportOnce", "1 error, 2 warnings"});
  // The same record packed: refused, unless forced; the effect file then
  // shows the same findings.
  EXPECT_EQ(RunTool({"pack", file, "-o", dir_.File("x.eff")}).exitCode, CheckFailed);
  ASSERT_EQ(RunTool({"pack", file, "-o", dir_.File("x.eff"), "--force"}).exitCode, 0);
  ExpectFinds(Check(dir_.File("x.eff")), {"emitters[0].tracks.LifeVisibel.name"});
}

TEST_F(CheckCommandTest, ValuesTheLibraryClampsOrIgnoresAreWarnings) {
  ToolRun run = Check(FireJson("odd", [](Json& j) {
    Json& e = j["emitters"][0];
    e["spawnShape"] = 4;
    e["rotationMode"] = -1;
    e["frameSet"]["frameIndex"] = 1;
    e["tracks"][0]["keys"].push_back({{"time", 2000}, {"value", 1}});  // BaseLife, domain 1000
    e["tracks"][0]["keys"][0]["value"] = 5000;                         // range 0 to 1000
    e["tracks"][0]["default"] = -3;
    e["tracks"].push_back(e["tracks"][1]);  // VarLife again
  }));
  EXPECT_EQ(run.exitCode, Warnings) << run.output;
  ExpectFinds(
      run,
      {"emitters[0].spawnShape: 4 is none of", "emitters[0].rotationMode: -1 is none of",
       "emitters[0].frameSet.frameIndex: 1 is past the 1 frames",
       "emitters[0].tracks.BaseLife.keys[", "].time: 2000 is beyond the domain 0 to 1000",
       "emitters[0].tracks.BaseLife.keys[0].value: 5000 is outside the range 0 to 1000",
       "emitters[0].tracks.BaseLife.default: -3 is outside the range",
       "emitters[0].tracks[1]: \"VarLife\" is stored again at emitters[0].tracks[14]; the library "
       "keeps only the last one"});
  EXPECT_EQ(RunTool({"check", "--strict", dir_.File("odd.json"), "--root", TAVRIX_SAMPLES_BUILT})
                .exitCode,
            CheckFailed);
}

TEST_F(CheckCommandTest, EffectsThatNeverDrawAreFound) {
  ExpectFinds(
      Check(FireJson("empty", [](Json& j) { j["emitters"] = Json::array(); })),
      {"error: emitters: none; the library does not play the effect: PlayNoEmitters (-3959)"});
  ExpectFinds(Check(FireJson("off",
                             [](Json& j) {
                               for (Json& e : j["emitters"]) e["enabled"] = 0;
                             })),
              {"warning: emitters: every emitter is disabled"});
  ExpectFinds(Check(FireJson("still",
                             [](Json& j) {
                               for (Json& e : j["emitters"])
                                 e["tracks"][2]["keys"] = {{{"time", 0}, {"value", 0}}};
                             })),
              {"warning: emitters: no enabled emitter emits"});
  // Particles that are emitted but never seen: no opacity, no width.
  ToolRun unseen = Check(FireJson("unseen", [](Json& j) {
    for (Json& e : j["emitters"])
      for (Json& track : e["tracks"]) {
        const bool faint = track["name"] == "LifeVisible" && e["name"] == "embers";
        const bool flat =
            (track["name"] == "BaseX" || track["name"] == "VarX") && e["name"] == "flames";
        if (faint || flat) track["keys"] = {{{"time", 0}, {"value", 0}}};
      }
  }));
  EXPECT_EQ(unseen.exitCode, Warnings) << unseen.output;
  ExpectFinds(unseen, {"warning: emitters[0]: its particles' opacity (LifeVisible times the "
                       "effect's ScaleVisible) is at most 0, below the 0.05",
                       "warning: emitters[1]: its particles have no size", "0 errors, 2 warnings"});
  // A single particle draws without any rate.
  ToolRun single = Check(FireJson("single", [](Json& j) {
    for (Json& e : j["emitters"]) e["tracks"][2]["keys"] = {{{"time", 0}, {"value", 0}}};
    j["emitters"][0]["singleParticle"] = 1;
  }));
  EXPECT_EQ(single.exitCode, 0) << single.output;
}

TEST_F(CheckCommandTest, EmissionTracksTheEffectsReplaceAreWarnedOf) {
  ToolRun run =
      Check(FireJson("replaced", [](Json& j) { j["emitters"][0]["useEffectEmission"] = 1; }));
  EXPECT_EQ(run.exitCode, Warnings) << run.output;
  ExpectFinds(run, {"warning: emitters[0].tracks.BaseEmissionForce: ignored: with "
                    "useEffectEmission 1 particles take their emission force, angle and arc from "
                    "the effect's tracks",
                    "emitters[0].tracks.BaseEmissionArc: ignored"});
}

TEST_F(CheckCommandTest, NestedFilesAreFollowed) {
  const std::string burst = std::string(TAVRIX_SAMPLES_BUILT) + "/burst.eff";
  EXPECT_EQ(Check(burst).exitCode, 0);
  ToolRun missing = RunTool({"check", burst, "--root", dir_.Path()});
  EXPECT_EQ(missing.exitCode, Warnings) << missing.output;
  ExpectFinds(missing, {"effectFile: nested effect \"burst_sparks.eff\" is not found"});
  dir_.Write("burst_sparks.eff", "not an effect");
  ExpectFinds(RunTool({"check", burst, "--root", dir_.Path()}),
              {"error: emitters[0].effectFile: nested effect \"burst_sparks.eff\" does not load"});
}

TEST_F(CheckCommandTest, EmitterRecordsTheLibraryRefusesAreErrors) {
  ToolRun run = Check(FireJson(
      "versions",
      [](Json& j) {
        j["emitters"][1]["version"] = 0;
        j["emitters"][0]["copiesMin"] = 0;
        j["emitters"][0]["copiesMax"] = 1;
      },
      "burst"));
  EXPECT_EQ(run.exitCode, CheckFailed) << run.output;
  ExpectFinds(
      run,
      {"error: emitters[1].version: 0 is below 1; the library refuses the effect: "
       "EmitterBadVersion (-3988)",
       "warning: emitters[0].copiesMax: copies 0 to 1 (upper bound excluded) never make a copy"});
}

TEST_F(CheckCommandTest, AnEffectNestingItselfIsCheckedOnce) {
  const std::string json = FireJson(
      "loop", [](Json& j) { j["emitters"][0]["effectFile"] = "loop.eff"; }, "burst");
  ASSERT_EQ(RunTool({"pack", json, "-o", dir_.File("loop.eff")}).exitCode, 0);
  ToolRun run = RunTool({"check", dir_.File("loop.eff")});
  EXPECT_NE(run.output.find("loop.eff: 0 errors"), std::string::npos) << run.output;
}

TEST_F(CheckCommandTest, UnreadableFilesAreErrorsAndTheOthersStillChecked) {
  const std::string bad = dir_.Write("bad.json", "{\"tag\": \"TVPS\", \"version\": 1e400}");
  ToolRun run =
      RunTool({"check", bad, std::string(TAVRIX_SAMPLES_BUILT) + "/fire.eff", dir_.File("no.eff")});
  EXPECT_EQ(run.exitCode, CheckFailed) << run.output;
  ExpectFinds(run, {"bad.json: error: version: at line 1, column", "fire.eff: 0 errors, 0 warnings",
                    "no.eff: error: "});
}

}  // namespace
}  // namespace tavrix::test
