// Samples that play on past their duration (end mode 0 goes on, end mode 1
// restarts) show no seam there. A restart clears every particle at once, so a
// loop is seamless only when nothing visible is left to clear. Each emitter
// plays alone, so that one emitter's own jumps (a frame strip) cannot hide
// another's pop; the brightness change between consecutive frames across the
// duration must stay within the largest change of the first play, which holds
// the first play's own start from nothing.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "TestPaths.h"
#include "common/PngFile.h"
#include "record/JsonText.h"
#include "support/TempDir.h"
#include "tools/SampleFiles.h"
#include "tools/ToolRunner.h"

namespace tavrix::test {
namespace {

using record::Json;

constexpr int FrameMs = 50;   // 20 frames a second, three steps of a 60 Hz host each
constexpr int AfterMs = 300;  // how long the frames go on past the duration
// Sizes and counts drawn at random differ from play to play; a pop clears a
// whole field of particles and is many times the largest ordinary change.
constexpr double Tolerance = 1.5;

// Sum of the colour channels of every pixel.
double Brightness(const tools::Image& image) {
  double sum = 0;
  for (uint32_t pixel : image.pixels)
    sum += ((pixel >> 16) & 255) + ((pixel >> 8) & 255) + (pixel & 255);
  return sum;
}

// The brightness of every frame, FrameMs apart from the start, of the sample
// with only emitter `only` enabled.
std::vector<double> PlayAlone(const TempDir& dir, Json sample, size_t only, int frames) {
  for (size_t i = 0; i < sample["emitters"].size(); ++i)
    sample["emitters"][i]["enabled"] = i == only ? 1 : 0;
  const std::string effect = dir.File("alone.eff");
  const std::string json = dir.Write("alone.json", record::FormatJson(sample));
  EXPECT_EQ(RunTool({"pack", json, "-o", effect, "--root", TAVRIX_SAMPLES_BUILT}).exitCode, 0);
  const ToolRun render =
      RunTool({"render", effect, "--root", TAVRIX_SAMPLES_BUILT, "--size", "128x128", "--view",
               "256x256", "--time", "0", "--frames", std::to_string(frames), "--fps",
               std::to_string(1000 / FrameMs), "-o", dir.File("frame.png")});
  EXPECT_EQ(render.exitCode, 0) << render.output;
  std::vector<double> brightness;
  for (int k = 0; k < frames; ++k) {
    char name[32];
    std::snprintf(name, sizeof name, "frame_%04d.png", k);
    tools::Image image;
    std::string error;
    EXPECT_TRUE(tools::ReadPng(dir.File(name), image, error)) << error;
    brightness.push_back(Brightness(image));
  }
  return brightness;
}

TEST(LoopSeam, SamplesThatPlayOnShowNoSeamAtTheirDuration) {
  TempDir dir;
  for (const std::string& name : SampleNames()) {
    const Json sample = SampleJson(name);
    const int64_t endMode = sample["endMode"].get<int64_t>();
    if (endMode != 0 && endMode != 1) continue;
    const int seam = int(std::lround(sample["durationSeconds"].get<double>() * 1000)) / FrameMs;
    for (size_t emitter = 0; emitter < sample["emitters"].size(); ++emitter) {
      const std::vector<double> b = PlayAlone(dir, sample, emitter, seam + AfterMs / FrameMs + 1);
      double ordinary = 0, across = 0;
      for (size_t k = 0; k + 1 < b.size(); ++k) {
        double& largest = int(k) + 1 < seam ? ordinary : across;
        largest = std::max(largest, std::fabs(b[k + 1] - b[k]));
      }
      EXPECT_LE(across, Tolerance * ordinary) << name << ", emitter " << emitter << " alone";
    }
  }
}

}  // namespace
}  // namespace tavrix::test
