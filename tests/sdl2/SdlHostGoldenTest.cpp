// The SDL2 example host run as a user runs it, headless (SDL's dummy video
// driver, software renderer): every sample samples/reference-times.txt lists,
// after the fixed steps up to its host moment, compared pixel for pixel with
// the committed image. SDL's software
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
#include "support/ReferenceTimes.h"

namespace tavrix::test {
namespace {

class SdlHostGolden : public testing::TestWithParam<ReferenceSample> {};

TEST_P(SdlHostGolden, RendersAsCommitted) {
  const ReferenceSample& sample = GetParam();
  ASSERT_TRUE(sample.hostMs > 0 && sample.hostMs % kStepMs == 0)
      << sample.name << ": " << sample.hostMs << " ms is no whole number of steps";
  const std::string out = OutputPath("host-" + sample.name + ".png");
  ASSERT_EQ(RunHost(sample.name + ".eff", sample.hostMs / kStepMs, out), 0);
  tools::Image actual, expected;
  std::string error;
  ASSERT_TRUE(tools::ReadPng(out, actual, error)) << error;
  const std::string golden = TAVRIX_SDL_GOLDEN_DIR "/" + sample.name + ".png";
  const char* update = std::getenv("TAVRIX_UPDATE_GOLDEN");
  if (update && std::string(update) == "1") {
    ASSERT_TRUE(tools::WritePng(golden, actual, error)) << error;
    return;
  }
  ASSERT_TRUE(tools::ReadPng(golden, expected, error)) << error;
  EXPECT_TRUE(actual.pixels == expected.pixels && actual.width == expected.width)
      << sample.name << " differs from " << golden << "; see " << out;
}

INSTANTIATE_TEST_SUITE_P(Samples, SdlHostGolden, testing::ValuesIn(ReferenceSamples()),
                         ReferenceSampleName);

}  // namespace
}  // namespace tavrix::test
