// The SDL2 example host's scripted runs as a user starts them: the frame is
// the same under a real X display (Xvfb, whose pointer rests inside the
// window) as under the dummy driver, a relative screenshot lands in the
// current folder, and numbers that are not whole are usage errors.
#include <gtest/gtest.h>

#include <filesystem>

#include "TestPaths.h"
#include "support/TempDir.h"
#include "tools/ToolRunner.h"

namespace tavrix::test {
namespace {

// Two samples, so that the first stands away from the middle of the window
// where Xvfb's pointer rests.
std::vector<std::string> HostRun(const std::string& screenshot) {
  const std::string samples = TAVRIX_SAMPLES_BUILT;
  return {TAVRIX_SDL_HOST_PATH,
          samples + "/fire.eff",
          samples + "/ring.eff",
          "--root",
          samples,
          "--size",
          "256x256",
          "--frames",
          "40",
          "--step",
          "20",
          "--screenshot",
          screenshot};
}

TEST(SdlHost, ScriptedFramesStayWherePlacedUnderAnyDisplay) {
  if (RunProgram("which", {"xvfb-run"}).exitCode != 0) GTEST_SKIP() << "xvfb-run is not installed";
  TempDir folder;
  std::vector<std::string> dummy = HostRun(folder.File("dummy.png"));
  dummy.insert(dummy.begin(), "SDL_VIDEODRIVER=dummy");
  std::vector<std::string> x11 = HostRun(folder.File("x11.png"));
  x11.insert(x11.begin(), {"-a", "-s", "-screen 0 256x256x24", "env", "SDL_VIDEODRIVER=x11"});
  const ToolRun dummyRun = RunProgram("env", dummy), x11Run = RunProgram("xvfb-run", x11);
  ASSERT_EQ(dummyRun.exitCode, 0) << dummyRun.output;
  ASSERT_EQ(x11Run.exitCode, 0) << x11Run.output;
  EXPECT_TRUE(ReadFileBytes(folder.File("dummy.png")) == ReadFileBytes(folder.File("x11.png")))
      << "the frame under Xvfb differs from the dummy driver's";
}

TEST(SdlHost, RelativeScreenshotLandsInTheCurrentFolder) {
  TempDir folder;
  std::vector<std::string> arguments = HostRun("shot.png");
  arguments.insert(arguments.begin(), {"-C", folder.Path(), "SDL_VIDEODRIVER=dummy"});
  const ToolRun run = RunProgram("env", arguments);
  EXPECT_EQ(run.exitCode, 0) << run.output;
  EXPECT_TRUE(std::filesystem::exists(folder.File("shot.png"))) << run.output;
}

TEST(SdlHost, NamesAJsonRecordAsOneAndAMissingNestedEffect) {
  TempDir folder;
  const std::string json = std::string(TAVRIX_SAMPLES_SOURCE) + "/fire.json";
  const ToolRun refused =
      RunProgram("env", {"SDL_VIDEODRIVER=dummy", TAVRIX_SDL_HOST_PATH, json, "--frames", "1"});
  EXPECT_EQ(refused.exitCode, 1) << refused.output;
  EXPECT_NE(refused.output.find(json +
                                ": a JSON record, not an effect file: pack it first, "
                                "tavrix pack " +
                                json + " -o " + TAVRIX_SAMPLES_SOURCE + "/fire.eff"),
            std::string::npos)
      << refused.output;
  std::filesystem::copy_file(std::string(TAVRIX_SAMPLES_BUILT) + "/burst.eff",
                             folder.File("burst.eff"));
  const ToolRun played =
      RunProgram("env", {"SDL_VIDEODRIVER=dummy", TAVRIX_SDL_HOST_PATH, folder.File("burst.eff"),
                         "--root", folder.Path(), "--frames", "1"});
  EXPECT_EQ(played.exitCode, 0) << played.output;
  EXPECT_NE(played.output.find("burst.eff: warning: nested effect \"burst_sparks.eff\" is not "
                               "found (looked for " +
                               folder.File("burst_sparks.eff") + "); the copies never play"),
            std::string::npos)
      << played.output;
}

class SdlHostUsage : public testing::TestWithParam<std::vector<std::string>> {};

TEST_P(SdlHostUsage, IsRefusedWithTheUsage) {
  std::vector<std::string> arguments = HostRun("/dev/null");
  arguments.insert(arguments.end(), GetParam().begin(), GetParam().end());
  arguments.insert(arguments.begin(), "SDL_VIDEODRIVER=dummy");
  const ToolRun run = RunProgram("env", arguments);
  EXPECT_EQ(run.exitCode, 2) << run.output;
  EXPECT_NE(run.output.find("usage: tavrix-sdl2"), std::string::npos) << run.output;
}

INSTANTIATE_TEST_SUITE_P(SdlHost, SdlHostUsage,
                         testing::Values(std::vector<std::string>{"--frames", "5x"},
                                         std::vector<std::string>{"--step", "1e3"}),
                         [](const auto& info) { return info.param[0].substr(2); });

}  // namespace
}  // namespace tavrix::test
