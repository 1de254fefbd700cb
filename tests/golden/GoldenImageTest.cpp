// Golden images: the samples samples/reference-times.txt lists, rendered at
// its times by the tavrix program (one fresh process each, so the library's
// random sequence starts from its fixed seed) and compared pixel for pixel
// with the committed image.
// A mismatch writes the render and a diff image beside the build; with
// TAVRIX_UPDATE_GOLDEN=1 the committed images are replaced instead.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "../support/ReferenceTimes.h"
#include "TestPaths.h"
#include "common/PngFile.h"

namespace {

using tavrix::test::ReferenceSample;
using tavrix::tools::Image;

std::string GoldenPath(const std::string& name) {
  return std::string(TAVRIX_GOLDEN_DIR) + "/" + name + ".png";
}

// Differences in red on a dimmed copy of the expected image.
Image DiffImage(const Image& expected, const Image& actual) {
  Image diff(expected.width, expected.height);
  for (size_t i = 0; i < diff.pixels.size(); ++i) {
    bool same = i < actual.pixels.size() && actual.pixels[i] == expected.pixels[i];
    diff.pixels[i] = same ? 0xFF000000u | ((expected.pixels[i] >> 2) & 0x3F3F3Fu) : 0xFFFF0000u;
  }
  return diff;
}

class GoldenImage : public testing::TestWithParam<ReferenceSample> {};

TEST_P(GoldenImage, RendersAsCommitted) {
  const ReferenceSample& sample = GetParam();
  const std::string out = std::string(TAVRIX_GOLDEN_OUTPUT_DIR) + "/" + sample.name;
  std::filesystem::create_directories(TAVRIX_GOLDEN_OUTPUT_DIR);
  // The images were made with one update per frame interval; the step keeps
  // them, whatever the program's default step.
  const std::string interval = std::to_string(sample.intervalMs);
  const std::string command = std::string(TAVRIX_TOOL_PATH) + " render " + TAVRIX_SAMPLES_BUILT +
                              "/" + sample.name + ".eff --root " + TAVRIX_SAMPLES_BUILT +
                              " --size 256x256 --time " + std::to_string(sample.timeMs) +
                              " --frames 4 --fps " + std::to_string(1000.0 / sample.intervalMs) +
                              " --step " + interval + " --sheet 4x1 --no-labels -o " + out +
                              ".png > /dev/null";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  Image actual, expected;
  std::string error;
  ASSERT_TRUE(tavrix::tools::ReadPng(out + "_sheet.png", actual, error)) << error;
  const char* update = std::getenv("TAVRIX_UPDATE_GOLDEN");
  if (update && std::string(update) == "1") {
    ASSERT_TRUE(tavrix::tools::WritePng(GoldenPath(sample.name), actual, error)) << error;
    return;
  }
  ASSERT_TRUE(tavrix::tools::ReadPng(GoldenPath(sample.name), expected, error))
      << error << " (run with TAVRIX_UPDATE_GOLDEN=1 to create it)";
  ASSERT_EQ(actual.width, expected.width);
  ASSERT_EQ(actual.height, expected.height);
  if (actual.pixels != expected.pixels) {
    tavrix::tools::WritePng(out + "_diff.png", DiffImage(expected, actual), error);
    FAIL() << sample.name << " differs from " << GoldenPath(sample.name) << "; see " << out
           << "_sheet.png and " << out << "_diff.png";
  }
}

INSTANTIATE_TEST_SUITE_P(Samples, GoldenImage, testing::ValuesIn(tavrix::test::ReferenceSamples()),
                         tavrix::test::ReferenceSampleName);

}  // namespace
