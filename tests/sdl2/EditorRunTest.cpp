// The editor run headless through its script: the fire sample opened, every
// key of "LifeVisible" dragged to 0 as the curve editor drags it (the fire
// vanishes at once), saved as JSON, every step undone (the fire is back),
// and saved as an effect file whose bytes are the pack of the sample and
// which the tavrix program loads.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <sstream>

#include "TestPaths.h"
#include "common/PngFile.h"
#include "sdl2/HostRuns.h"
#include "support/TempDir.h"

namespace tavrix::test {
namespace {

using Json = nlohmann::ordered_json;

uint64_t Brightness(const std::string& png) {
  tools::Image image;
  std::string error;
  EXPECT_TRUE(tools::ReadPng(png, image, error)) << error;
  uint64_t sum = 0;
  for (uint32_t pixel : image.pixels)
    sum += ((pixel >> 16) & 255) + ((pixel >> 8) & 255) + (pixel & 255);
  return sum;
}

std::string Bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

std::vector<float> LifeVisibleValues(const Json& record) {
  std::vector<float> values;
  for (const Json& emitter : record["emitters"])
    for (const Json& track : emitter["tracks"])
      if (track["name"] == "LifeVisible")
        for (const Json& key : track["keys"]) values.push_back(key["value"].get<float>());
  return values;
}

TEST(Editor, ScriptedDragOfLifeVisibleShowsAtOnceUndoBringsItBackAndSavesWhatPackWrites) {
  TempDir folder;
  const std::string fire = std::string(TAVRIX_SAMPLES_SOURCE) + "/fire.json";
  const Json record = Json::parse(std::ifstream(fire));
  std::ostringstream script;
  script << "shot " << folder.File("before.png") << "\n";
  int steps = 0;
  for (size_t e = 0; e < record["emitters"].size(); ++e)
    for (const Json& track : record["emitters"][e]["tracks"])
      if (track["name"] == "LifeVisible")
        for (size_t k = 0; k < track["keys"].size(); ++k, ++steps)
          script << "drag " << e << " LifeVisible " << k << " " << track["keys"][k]["time"]
                 << " 0\nrelease\n";
  script << "shot " << folder.File("faded.png") << "\nsave " << folder.File("faded.json") << "\n";
  for (int i = 0; i < steps; ++i) script << "undo\n";
  script << "shot " << folder.File("back.png") << "\nsave " << folder.File("back.eff") << "\n";
  std::ofstream(folder.File("script")) << script.str();

  const std::string command =
      std::string("SDL_VIDEODRIVER=dummy HOME=") + folder.File("") + " " + TAVRIX_VIEW_PATH + " " +
      fire + " --prewarm 1000 --edit-script " + folder.File("script") +
      HeadlessArguments(4 * steps + 8, folder.File("last.png")) + " > " + folder.File("log");
  ASSERT_EQ(std::system(command.c_str()), 0) << Bytes(folder.File("log"));

  EXPECT_GT(Brightness(folder.File("before.png")), 100000u);
  EXPECT_EQ(Brightness(folder.File("faded.png")), 0u) << "the drag did not show at once";
  EXPECT_GT(Brightness(folder.File("back.png")), 100000u) << "undo did not bring the fire back";
  for (float value : LifeVisibleValues(Json::parse(std::ifstream(folder.File("faded.json")))))
    EXPECT_EQ(value, 0);

  const std::string packed = folder.File("packed.eff");
  ASSERT_EQ(
      std::system((std::string(TAVRIX_TOOL_PATH) + " pack " + fire + " -o " + packed).c_str()), 0);
  EXPECT_EQ(Bytes(folder.File("back.eff")), Bytes(packed));
  EXPECT_EQ(std::system((std::string(TAVRIX_TOOL_PATH) + " info " + folder.File("back.eff") +
                         " --root " + TAVRIX_SAMPLES_BUILT + " > /dev/null")
                            .c_str()),
            0);
  EXPECT_NE(Bytes(folder.File("") + "/.config/tavrix/recent-effects").find("back.eff"),
            std::string::npos);
}

}  // namespace
}  // namespace tavrix::test
