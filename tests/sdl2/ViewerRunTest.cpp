// tavrix-view run headless as an artist's script would run it: its scripted
// screenshot of a JSON record is the example host's frame of the packed
// effect, pixel for pixel; and while it runs, a shown JSON file rewritten on
// disk (a valid change, a broken record, the fix) is reloaded at once, the
// failure is logged by name with the last good effect still drawn.
#include <gtest/gtest.h>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <thread>

#include "TestPaths.h"
#include "common/PngFile.h"
#include "sdl2/HostRuns.h"
#include "support/TempDir.h"

extern char** environ;

namespace tavrix::test {
namespace {

using Json = nlohmann::ordered_json;

tools::Image ReadImage(const std::string& path) {
  tools::Image image;
  std::string error;
  EXPECT_TRUE(tools::ReadPng(path, image, error)) << error;
  return image;
}

TEST(Viewer, ScriptedScreenshotOfAJsonRecordIsTheHostsFrame) {
  for (const std::string name : {"fire", "burst"}) {
    const std::string host = OutputPath("match-host-" + name + ".png");
    const std::string view = OutputPath("match-view-" + name + ".png");
    ASSERT_EQ(RunHost(name + ".eff", 75, host), 0);
    const std::string command = std::string("SDL_VIDEODRIVER=dummy ") + TAVRIX_VIEW_PATH + " " +
                                TAVRIX_SAMPLES_SOURCE + "/" + name + ".json" +
                                HeadlessArguments(75, view) + " > /dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    const tools::Image fromHost = ReadImage(host), fromViewer = ReadImage(view);
    EXPECT_TRUE(fromHost.pixels == fromViewer.pixels)
        << name << ": " << host << " and " << view << " differ";
  }
}

// Sums of the red and the blue channels over the picture.
std::pair<uint64_t, uint64_t> RedAndBlue(const tools::Image& image) {
  uint64_t red = 0, blue = 0;
  for (uint32_t pixel : image.pixels) {
    red += (pixel >> 16) & 255;
    blue += pixel & 255;
  }
  return {red, blue};
}

class RunningViewer {
 public:
  RunningViewer(const std::string& file, const std::string& shots, const std::string& log)
      : log_(log) {
    const std::string command =
        std::string("exec ") + TAVRIX_VIEW_PATH + " " + file + " --root " + TAVRIX_SAMPLES_BUILT +
        " --size 256x256 --prewarm 1000 --reload-shots " + shots + " > " + log + " 2>&1";
    const char* argv[] = {"sh", "-c", command.c_str(), nullptr};
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    EXPECT_EQ(posix_spawn(&pid_, "/bin/sh", nullptr, nullptr, const_cast<char**>(argv), environ),
              0);
  }
  ~RunningViewer() { Stop(); }

  int Stop() {
    int status = -1;
    if (pid_ > 0 && kill(pid_, SIGTERM) == 0) waitpid(pid_, &status, 0);
    pid_ = -1;
    return status;
  }

  // True once the log holds text; false after half a minute.
  bool WaitFor(const std::string& text) const {
    for (int i = 0; i < 600; ++i) {
      if (Log().find(text) != std::string::npos) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
  }
  std::string Log() const {
    std::ifstream in(log_);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }

 private:
  std::string log_;
  pid_t pid_ = -1;
};

void WriteJson(const std::string& path, const Json& json) { std::ofstream(path) << json.dump(2); }

TEST(Viewer, ReloadsAChangedFileKeepsTheLastGoodEffectOnAFailureAndTakesTheFix) {
  TempDir folder;
  const std::string file = folder.File("t.json"), shots = folder.File("shot");
  Json fire = Json::parse(std::ifstream(std::string(TAVRIX_SAMPLES_SOURCE) + "/fire.json"));
  Json blue = fire;
  for (Json& emitter : blue["emitters"])
    for (Json& track : emitter["tracks"])
      for (const char* channel : {"LifeRed", "LifeGreen", "LifeBlue"})
        if (track["name"] == channel)
          for (Json& key : track["keys"])
            key["value"] = std::string(channel) == "LifeBlue" ? 1.0 : 0.0;
  Json broken = blue;
  broken["tracks"][0]["name"] = "sizeEffectTypo";
  WriteJson(file, fire);

  RunningViewer viewer(file, shots, folder.File("log"));
  ASSERT_TRUE(viewer.WaitFor("t.json: loaded as effect 0")) << viewer.Log();
  WriteJson(file, blue);
  ASSERT_TRUE(viewer.WaitFor(shots + "-1.png")) << viewer.Log();
  WriteJson(file, broken);
  ASSERT_TRUE(viewer.WaitFor(shots + "-2.png")) << viewer.Log();
  WriteJson(file, fire);
  ASSERT_TRUE(viewer.WaitFor(shots + "-3.png")) << viewer.Log();
  const int status = viewer.Stop();
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;

  const std::string log = viewer.Log();
  // Reloaded where it was: every start prewarms 1000 ms, so its place is later.
  const size_t reloaded = log.find("t.json: reloaded at ");
  ASSERT_NE(reloaded, std::string::npos) << log;
  EXPECT_GE(std::stol(log.substr(reloaded + 20)), 1000) << log;
  EXPECT_NE(log.find("t.json: EffectTrackUnknown (-3994)"), std::string::npos) << log;
  EXPECT_NE(log.find("the last good effect stays"), std::string::npos) << log;
  const auto changed = RedAndBlue(ReadImage(shots + "-1.png"));
  const auto failed = RedAndBlue(ReadImage(shots + "-2.png"));
  const auto fixed = RedAndBlue(ReadImage(shots + "-3.png"));
  EXPECT_GT(changed.second, 4 * changed.first + 1000) << "the blue change is not shown";
  EXPECT_GT(failed.second, 4 * failed.first + 1000) << "the last good (blue) effect is not drawn";
  EXPECT_GT(fixed.first, 4 * fixed.second + 1000) << "the fixed (red) effect is not shown";
}

}  // namespace
}  // namespace tavrix::test
