// tavrix-view and its editor's script end what they cannot do with one clear
// message and an exit code, never an abort: an emitter that is not there,
// undo and redo with nothing to take, a refused edit, a run in which no
// effect loads, a bad window size, a moment off the timeline, a limit of no
// cost figure. A script runs with the overlay hidden, an effect without
// emitters opens in the editor, and without --root the packed samples are
// found beside the program, wherever it was built.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>

#include "TestPaths.h"
#include "support/TempDir.h"
#include "tools/ToolRunner.h"

namespace tavrix::test {
namespace {

namespace fs = std::filesystem;
using Json = nlohmann::ordered_json;

std::string Sample(const std::string& name) {
  return std::string(TAVRIX_SAMPLES_SOURCE) + "/" + name;
}

struct RefusedRun {
  const char* name;
  const char* file;    // fire.json, empty.json (no emitters) or missing.json
  const char* script;  // run with --edit-script when not empty
  std::vector<std::string> options;
  int exitCode;
  const char* message;
};

void PrintTo(const RefusedRun& run, std::ostream* out) { *out << run.name; }

class ViewerRefusal : public testing::TestWithParam<RefusedRun> {};

TEST_P(ViewerRefusal, EndsWithItsMessageAndExitCode) {
  const RefusedRun& run = GetParam();
  TempDir folder;
  Json fire = Json::parse(std::ifstream(Sample("fire.json")));
  std::ofstream(folder.File("fire.json")) << fire.dump();
  fire["emitters"] = Json::array();
  std::ofstream(folder.File("empty.json")) << fire.dump();
  // HOME keeps the editor's list of recent files in the test's folder.
  std::vector<std::string> arguments = {"SDL_VIDEODRIVER=dummy",
                                        "HOME=" + folder.Path(),
                                        TAVRIX_VIEW_PATH,
                                        folder.File(run.file),
                                        "--root",
                                        TAVRIX_SAMPLES_BUILT,
                                        "--frames",
                                        "4"};
  arguments.insert(arguments.end(), run.options.begin(), run.options.end());
  if (*run.script)
    arguments.insert(arguments.end(), {"--edit-script", folder.Write("script", run.script)});
  const ToolRun result = RunProgram("env", arguments);
  EXPECT_EQ(result.exitCode, run.exitCode) << result.output;
  EXPECT_NE(result.output.find(run.message), std::string::npos) << result.output;
}

INSTANTIATE_TEST_SUITE_P(
    Viewer, ViewerRefusal,
    testing::Values(
        RefusedRun{"EmitterOutOfRange",
                   "fire.json",
                   "track 2 BaseX\n",
                   {},
                   1,
                   "script line 1: track failed: Show BaseX: there is no emitter 2: the emitter is "
                   "given by "
                   "its index, 0 to 1"},
        RefusedRun{"RefusedSelectionLeavesTheLastOne",
                   "fire.json",
                   "track 0 LifeX\nselect-keys 1\nselect-keys 0,7\nmove-keys 0 -0.1\n",
                   {},
                   1,
                   "tracks.LifeX.keys[1].value: 0.4 -> 0.3"},
        RefusedRun{"NothingToUndo",
                   "fire.json",
                   "undo\n",
                   {},
                   1,
                   "script line 1: undo failed: Nothing to undo"},
        RefusedRun{"NothingToRedo",
                   "fire.json",
                   "redo\n",
                   {},
                   1,
                   "script line 1: redo failed: Nothing to redo"},
        RefusedRun{"RefusedEditNamedOnce",
                   "fire.json",
                   "drag 0 LifeVisible 0 0 5\n",
                   {},
                   1,
                   "drag failed: Move key of LifeVisible: a value of LifeVisible must lie"},
        RefusedRun{"ScriptRunsWithTheOverlayHidden",
                   "fire.json",
                   "undo\n",
                   {"--no-overlay"},
                   1,
                   "Nothing to undo"},
        RefusedRun{"UnknownTrackNamedWithTheNearest",
                   "fire.json",
                   "track 0 Basex\ntrack 0 BaseXx\n",
                   {},
                   2,
                   "script line 2: \"BaseXx\" is not an emitter track (did you mean \"BaseX\"?)"},
        RefusedRun{"NoEffectLoads", "missing.json", "", {}, 1, "no effect loaded: nothing to play"},
        RefusedRun{"EffectWithoutEmittersOpensInTheEditor",
                   "empty.json",
                   "",
                   {"--edit"},
                   0,
                   "empty.json: loaded as effect 0"},
        RefusedRun{"PasteOfTextThatHoldsNoCurveSaysWhy",
                   "fire.json",
                   "track 0 LifeVisible\npaste-curve\n",
                   {},
                   1,
                   "paste-curve failed: Paste curve of LifeVisible: the clipboard holds no curve"},
        RefusedRun{
            "SeekOnlyToWholeMilliseconds",
            "fire.json",
            "seek 15x\n",
            {},
            2,
            "script line 1: seek MS: MS is whole milliseconds from 0 to 3600000, not \"15x\""},
        RefusedRun{"LimitOnlyOfACostFigure",
                   "fire.json",
                   "",
                   {"--limit", "lives=5"},
                   2,
                   "--limit: expected KEY=VALUE with KEY one of live spawned"},
        RefusedRun{"AtOnlyWithinTheTimeline",
                   "fire.json",
                   "",
                   {"--at", "3600001"},
                   2,
                   "--at: Value 3600001"},
        RefusedRun{"ScreenshotIntoAMissingFolderBeforePlaying",
                   "fire.json",
                   "",
                   {"--screenshot", "/nonexistent-folder/shot.png"},
                   2,
                   "/nonexistent-folder/shot.png: cannot be written: the folder "
                   "/nonexistent-folder does not exist"},
        RefusedRun{
            "WindowSizeAboveZero", "fire.json", "", {"--size", "0x4"}, 2, "--size: expected WxH"},
        RefusedRun{
            "WindowSizeWhole", "fire.json", "", {"--size", "64x64y"}, 2, "--size: expected WxH"},
        RefusedRun{"BackgroundAllHex",
                   "fire.json",
                   "",
                   {"--background", "12345g"},
                   2,
                   "--background: expected RRGGBB"}),
    [](const testing::TestParamInfo<RefusedRun>& info) { return std::string(info.param.name); });

TEST(Viewer, FindsThePackedSamplesBesideTheProgramWithoutRoot) {
  TempDir folder;
  fs::create_directories(folder.File("samples/image"));
  fs::create_directories(folder.File("bin"));
  fs::copy_file(TAVRIX_VIEW_PATH, folder.File("bin/tavrix-view"));
  const std::string effect = folder.Write("effects/fire.json", ReadFileBytes(Sample("fire.json")));
  // From the effect's folder, which holds no image/ of its own.
  const ToolRun run = RunProgram("env", {"-C", folder.File("effects"), "SDL_VIDEODRIVER=dummy",
                                         folder.File("bin/tavrix-view"), effect, "--frames", "1"});
  EXPECT_EQ(run.exitCode, 0) << run.output;
  EXPECT_NE(run.output.find("root " + folder.File("samples") + "\n"), std::string::npos)
      << run.output;
}

}  // namespace
}  // namespace tavrix::test
