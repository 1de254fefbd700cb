// The viewer's timeline run headless: the moment 1510 ms of the fire (between
// two frames, so the last step is cut) gives the same picture, byte for
// byte, reached directly with --at, after playing past it, after scrubbing
// forward and back, and after an edit that was undone; so does a moment of
// the burst, whose sparks are copies played by a nested-effect emitter.
#include <gtest/gtest.h>

#include <sstream>

#include "TestPaths.h"
#include "support/TempDir.h"
#include "tools/ToolRunner.h"

namespace tavrix::test {
namespace {

ToolRun RunViewer(const TempDir& folder, const std::vector<std::string>& options,
                  const std::string& sample = "fire.json") {
  // HOME keeps the editor's list of recent files in the test's folder.
  std::vector<std::string> arguments = {"SDL_VIDEODRIVER=dummy",
                                        "HOME=" + folder.Path(),
                                        TAVRIX_VIEW_PATH,
                                        std::string(TAVRIX_SAMPLES_SOURCE) + "/" + sample,
                                        "--root",
                                        TAVRIX_SAMPLES_BUILT,
                                        "--size",
                                        "256x256"};
  arguments.insert(arguments.end(), options.begin(), options.end());
  return RunProgram("env", arguments);
}

TEST(Timeline, AMomentIsTheSamePictureHoweverItIsReached) {
  TempDir folder;
  const ToolRun direct =
      RunViewer(folder, {"--at", "1510", "--screenshot", folder.File("direct.png")});
  ASSERT_EQ(direct.exitCode, 0) << direct.output;

  std::ostringstream script;
  for (int frame = 0; frame < 100; ++frame) script << "wait\n";  // plays to 1667 ms
  script << "seek 1510\nshot " << folder.File("played.png") << "\n"
         << "seek 3000\nseek 1510\nshot " << folder.File("scrubbed.png") << "\n"
         << "drag 0 LifeVisible 0 0 0.5\nrelease\nundo\nshot " << folder.File("undone.png") << "\n";
  const std::string path = folder.Write("script", script.str());
  const ToolRun scripted = RunViewer(folder, {"--edit-script", path, "--frames", "112"});
  ASSERT_EQ(scripted.exitCode, 0) << scripted.output;

  const std::string expected = ReadFileBytes(folder.File("direct.png"));
  ASSERT_FALSE(expected.empty());
  for (const char* shot : {"played.png", "scrubbed.png", "undone.png"})
    EXPECT_TRUE(ReadFileBytes(folder.File(shot)) == expected) << shot << " differs from --at 1510";
}

TEST(Timeline, NestedCopiesShowTheSameMomentAfterGoingBack) {
  TempDir folder;
  const ToolRun direct =
      RunViewer(folder, {"--at", "1500", "--screenshot", folder.File("direct.png")}, "burst.json");
  ASSERT_EQ(direct.exitCode, 0) << direct.output;

  // The sparks start at 1 s; playing goes on to 2550 ms before going back.
  std::ostringstream script;
  for (int frame = 0; frame < 153; ++frame) script << "wait\n";
  script << "seek 1500\nshot " << folder.File("back.png") << "\n";
  const std::string path = folder.Write("script", script.str());
  const ToolRun scripted =
      RunViewer(folder, {"--edit-script", path, "--frames", "156"}, "burst.json");
  ASSERT_EQ(scripted.exitCode, 0) << scripted.output;

  const std::string expected = ReadFileBytes(folder.File("direct.png"));
  ASSERT_FALSE(expected.empty());
  EXPECT_TRUE(ReadFileBytes(folder.File("back.png")) == expected) << "differs from --at 1500";
}

}  // namespace
}  // namespace tavrix::test
