// The SDL2 example host run as a user runs it, headless (SDL's dummy video
// driver, software renderer): every sample after a fixed number of fixed
// steps, compared pixel for pixel with the committed image. SDL's software
// renderer draws the same pixels on every run of the same SDL build. A
// mismatch leaves the render beside the build; with TAVRIX_UPDATE_GOLDEN=1
// the committed images are replaced instead.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "TestPaths.h"
#include "common/PngFile.h"
#include "sdl2/HostRuns.h"

namespace tavrix::test {
namespace {

struct Sample {
  const char* name;
  int frames;  // of 20 ms
};

class SdlHostGolden : public testing::TestWithParam<Sample> {};

TEST_P(SdlHostGolden, RendersAsCommitted) {
  const Sample& sample = GetParam();
  const std::string out = OutputPath(std::string("host-") + sample.name + ".png");
  ASSERT_EQ(RunHost(std::string(sample.name) + ".eff", sample.frames, out), 0);
  tools::Image actual, expected;
  std::string error;
  ASSERT_TRUE(tools::ReadPng(out, actual, error)) << error;
  const std::string golden = std::string(TAVRIX_SDL_GOLDEN_DIR) + "/" + sample.name + ".png";
  const char* update = std::getenv("TAVRIX_UPDATE_GOLDEN");
  if (update && std::string(update) == "1") {
    ASSERT_TRUE(tools::WritePng(golden, actual, error)) << error;
    return;
  }
  ASSERT_TRUE(tools::ReadPng(golden, expected, error)) << error;
  EXPECT_TRUE(actual.pixels == expected.pixels && actual.width == expected.width)
      << sample.name << " differs from " << golden << "; see " << out;
}

INSTANTIATE_TEST_SUITE_P(Samples, SdlHostGolden,
                         testing::Values(Sample{"fire", 30}, Sample{"smoke", 60},
                                         Sample{"burst", 75}, Sample{"snow", 90},
                                         Sample{"ring", 30}, Sample{"glow", 30}),
                         [](const testing::TestParamInfo<Sample>& info) {
                           return info.param.name;
                         });

}  // namespace
}  // namespace tavrix::test
