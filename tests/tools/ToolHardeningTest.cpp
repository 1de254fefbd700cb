// The tavrix program on hostile input and options: every case ends in a
// message naming the place and a documented exit code, never an abort, and
// render writes its frames as it goes.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>

#include "TestPaths.h"
#include "common/PngFile.h"
#include "record/JsonText.h"
#include "record/RecordModel.h"
#include "support/EffectFileBuilder.h"
#include "support/TempDir.h"
#include "tools/ToolRunner.h"

namespace tavrix::test {
namespace {

namespace fs = std::filesystem;

constexpr int Usage = 2, BadJson = 5, PlaybackFailed = 7, Warnings = 9, NotAnEffect = 4;

std::string Sample(const std::string& name) {
  return std::string(TAVRIX_SAMPLES_BUILT) + "/" + name + ".eff";
}

void ExpectFailure(const ToolRun& run, int code, const std::string& mentions) {
  EXPECT_EQ(run.exitCode, code) << run.output;
  EXPECT_NE(run.output.find(mentions), std::string::npos) << mentions << "\n" << run.output;
}

TEST(JsonPathTest, WhatTheParserCannotHoldIsRefusedByItsPlace) {
  const auto refusal = [](const std::string& text) {
    try {
      record::ParseJson(text);
    } catch (const record::RecordJsonError& e) {
      return e.Describe();
    }
    return std::string("(accepted)");
  };
  EXPECT_EQ(
      refusal("{\"emitters\": [{\"tracks\": [{\"keys\": [{\"time\": 0,\n\"value\": -1e400}]}]}]}"),
      "emitters[0].tracks[0].keys[0].value: at line 2, column 15: number out of range");
  EXPECT_EQ(refusal("{\"emitters\": [1, {\"tag\": 1, \"tag\": 2}]}"),
            "emitters[1].tag: the key appears twice in its object");
  EXPECT_EQ(
      refusal("{\"a\":" + std::string(64, '[') + std::string(64, ']') + "}"), "a" + [] {
        std::string p;
        for (int i = 0; i < 63; ++i) p += "[0]";
        return p;
      }() + ": nested deeper than 64 levels (an effect record nests six)");
  std::string wide = "{\"emitters\": [{";
  for (int i = 0; i < 300; ++i) wide += (i ? ", \"f" : "\"f") + std::to_string(i) + "\": 0";
  EXPECT_EQ(refusal(wide + "}]}"),
            "emitters[0]: more than 256 fields in one object; no record object has");
  // Big but ordinary numbers stay numbers; the record model judges them.
  EXPECT_EQ(refusal("{\"a\": [1e300, 18446744073709551616, -9223372036854775809]}"), "(accepted)");
}

TEST(ToolHardeningTest, HostileJsonEndsInAMessageNamingThePlace) {
  TempDir dir;
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"{\"tag\": \"TVPS\", \"version\": 1e400}", "version: at line 1, column"},
      {std::string(100000, '[') + std::string(100000, ']'), "nested deeper than 64 levels"},
      {"{\"tag\": \"TVPS\", \"tag\": \"TVPS\"}", "tag: the key appears twice"},
      {"{\"tag\": \"TVPS\", \"version\": 99999999999999999999999}", "version: expected an integer"},
      {"\"TVPS\"", "(top level): expected an object"},
      {"", "parse error at line 1"},
  };
  for (const auto& [text, mentions] : cases) {
    const std::string file = dir.Write("hostile.json", text);
    ExpectFailure(RunTool({"pack", file, "-o", dir.File("x.eff")}), BadJson, mentions);
    ExpectFailure(RunTool({"check", file}), 8, mentions);
  }
}

TEST(ToolHardeningTest, RenderOptionsAreBounded) {
  TempDir dir;
  const std::string out = dir.File("f.png");
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{"--time", "-1"}, "--time: must be 0 to 3600000"},
      {{"--time", "2147483647"}, "--time: must be 0 to 3600000"},
      {{"--frames", "0"}, "--frames: must be 1 to 100000"},
      {{"--frames", "100001"}, "--frames: must be 1 to 100000"},
      {{"--frames", "100000", "--fps", "1"}, "the last frame falls after one hour"},
      {{"--step", "0"}, "--step: must be 1 to 1000"},
      {{"--step", "1001"}, "--step: must be 1 to 1000"},
      {{"--size", "8192x8192"}, "--size: at most 16777216 pixels"},
      {{"--position", "nan,0"}, "--position: must be two finite numbers"},
      {{"--sheet", "1000x1000"}, "--sheet: the sheet would hold more than"},
      {{"--fps", "nan"}, "--fps"},
  };
  for (const auto& [options, mentions] : cases) {
    std::vector<std::string> arguments = {"render", Sample("fire"), "-o", out};
    arguments.insert(arguments.end(), options.begin(), options.end());
    ExpectFailure(RunTool(arguments), Usage, mentions);
  }
  EXPECT_FALSE(fs::exists(out));
}

TEST(ToolHardeningTest, RenderWritesEveryFrameAsItGoesAndShowsProgress) {
  TempDir dir;
  ToolRun run = RunTool({"render", Sample("fire"), "--root", TAVRIX_SAMPLES_BUILT, "--size",
                         "16x16", "--frames", "60", "--fps", "60", "-o", dir.File("f.png"), "--gif",
                         dir.File("f.gif"), "--sheet", "8x8"});
  ASSERT_EQ(run.exitCode, 0) << run.output;
  EXPECT_TRUE(fs::exists(dir.File("f_0000.png")));
  EXPECT_TRUE(fs::exists(dir.File("f_0059.png")));
  EXPECT_FALSE(fs::exists(dir.File("f_0060.png")));
  EXPECT_GT(fs::file_size(dir.File("f.gif")), 60u * 16);
  EXPECT_TRUE(fs::exists(dir.File("f_sheet.png")));
  EXPECT_NE(run.output.find("rendering: frame 60 of 60, effect time 2.0 s of 2.0 s"),
            std::string::npos)
      << run.output;
}

// Pixels of the labels' white in a rectangle of an image.
int64_t InkIn(const tools::Image& image, int32_t left, int32_t top, int32_t width, int32_t height) {
  int64_t ink = 0;
  for (int32_t y = top; y < top + height; ++y)
    for (int32_t x = left; x < left + width; ++x) ink += image.At(x, y) == 0xFFFFFFFFu;
  return ink;
}

TEST(ToolHardeningTest, SheetFramesAreLabelledWithTheirTimesUnlessAskedNot) {
  TempDir dir;
  const auto sheet = [&](const std::string& name, const char* option) {
    // Placed off the view, the effect leaves the frames black.
    std::vector<std::string> arguments = {"render",         Sample("fire"),
                                          "--size",         "64x64",
                                          "--position",     "5000,5000",
                                          "--frames",       "2",
                                          "--fps",          "2",
                                          "--sheet",        "2x1",
                                          "--sheet-output", dir.File(name)};
    if (option) arguments.push_back(option);
    EXPECT_EQ(RunTool(arguments).exitCode, 0);
    tools::Image image;
    std::string error;
    EXPECT_TRUE(tools::ReadPng(dir.File(name), image, error)) << error;
    return image;
  };
  const tools::Image plain = sheet("plain.png", "--no-labels");
  EXPECT_EQ(InkIn(plain, 0, 0, 128, 64), 0);
  const tools::Image labelled = sheet("labelled.png", nullptr);
  ASSERT_EQ(labelled.width, 128);
  // "1000 ms" and "1500 ms", each in its cell's top left, nowhere else.
  for (int32_t cell : {0, 64}) {
    EXPECT_GT(InkIn(labelled, cell, 0, 50, 14), 40) << cell;
    EXPECT_EQ(InkIn(labelled, cell, 14, 64, 50) + InkIn(labelled, cell + 50, 0, 14, 14), 0);
  }
  EXPECT_NE(InkIn(labelled, 0, 0, 64, 14), InkIn(labelled, 64, 0, 64, 14));
}

TEST(ToolHardeningTest, TheStepIsTheSimulationsNotTheFramesInterval) {
  TempDir dir;
  const auto render = [&](const std::string& name, std::vector<std::string> step) {
    std::vector<std::string> arguments = {"render", Sample("smoke"), "--root", TAVRIX_SAMPLES_BUILT,
                                          "--size", "64x64",         "-o",     dir.File(name)};
    arguments.insert(arguments.end(), step.begin(), step.end());
    EXPECT_EQ(RunTool(arguments).exitCode, 0);
    return ReadBytes(dir.File(name));
  };
  const Bytes pattern = render("default.png", {});
  EXPECT_NE(pattern, render("16.png", {"--step", "16"}));
  EXPECT_NE(pattern, render("17.png", {"--step", "17"}));
  EXPECT_EQ(render("16.png", {"--step", "16"}), render("16again.png", {"--step", "16"}));
}

TEST(ToolHardeningTest, MissingFilesAndRefusalsAreNamed) {
  TempDir dir;
  fs::copy_file(Sample("fire"), dir.File("fire.eff"));
  ToolRun run = RunTool({"render", dir.File("fire.eff"), "-o", dir.File("f.png")});
  EXPECT_TRUE(fs::exists(dir.File("f.png")));
  ExpectFailure(run, Warnings, "texture \"spark.png\" is not found");
  // bench warns alike, its draw time being the fill of untextured quads.
  ExpectFailure(RunTool({"bench", dir.File("fire.eff"), "--seconds", "0.1"}), Warnings,
                "untextured on a device (as render and bench do) and not at all through a host's "
                "image loader");
  ExpectFailure(RunTool({"info", dir.File("fire.eff")}), Warnings,
                "texture \"disc.png\" is not found");
  // A record the library refuses, packed by force, fails by the code's name.
  const Bytes text = ReadBytes(std::string(TAVRIX_SAMPLES_SOURCE) + "/fire.json");
  record::Json json = record::ParseJson(std::string(text.begin(), text.end()));
  json["tracks"] = {{{"name", "gravty"},
                     {"cycles", 1},
                     {"duration", 1},
                     {"boundA", 0},
                     {"boundB", 1},
                     {"default", 0},
                     {"keys", record::Json::array()}}};
  const std::string misspelt = dir.Write("misspelt.json", record::FormatJson(json));
  // Given where an effect file is expected, JSON is named as what it is.
  ExpectFailure(RunTool({"dump", misspelt}), NotAnEffect,
                "a JSON record, not an effect file: pack it first, tavrix pack " + misspelt);
  ASSERT_EQ(RunTool({"pack", misspelt, "-o", dir.File("m.eff"), "--force"}).exitCode, 0);
  ExpectFailure(
      RunTool({"render", dir.File("m.eff"), "-o", dir.File("m.png")}), NotAnEffect,
      "the library does not load it: EffectTrackUnknown (-3994): effect record: a track name");
  // Rendered as JSON, it is loaded from a scratch file, yet the message names the record.
  ExpectFailure(RunTool({"render", misspelt, "-o", dir.File("m.png")}), NotAnEffect,
                misspelt + ": the library does not load it");
}

TEST(ToolHardeningTest, AParticleIniThatDisablesEffectsIsNamed) {
  TempDir dir;
  const std::string program = dir.File("tavrix");
  fs::copy_file(TAVRIX_TOOL_PATH, program);
  dir.Write("Particle.ini", "[System]\nEnableParticle=0\n");
  const std::string command =
      program + " render " + Sample("fire") + " -o " + dir.File("f.png") + " 2>&1";
  std::FILE* pipe = popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  char text[1024] = {};
  const size_t length = std::fread(text, 1, sizeof text - 1, pipe);
  const int status = pclose(pipe);
  const std::string output(text, length);
  EXPECT_EQ(WEXITSTATUS(status), PlaybackFailed) << output;
  EXPECT_NE(
      output.find("Disabled (-3938): effects are disabled by EnableParticle=0 in Particle.ini"),
      std::string::npos)
      << output;
}

TEST(ToolHardeningTest, ADumpIsBoundedWhateverTheFile) {
  TempDir dir;
  EffectDesc desc;
  TrackDesc gravity;
  gravity.name = "gravity";
  gravity.keys.assign(1000001, {0.5f, 1.0f});
  desc.tracks = {gravity};
  ExpectFailure(RunTool({"dump", WriteEffect(dir, "many.eff", EffectRecord(desc))}), NotAnEffect,
                "more than 1000000 tracks, keys and frames, too many for the tools");
}

TEST(ToolHardeningTest, VersionIsShown) {
  ToolRun run = RunTool({"--version"});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.output.rfind("tavrix ", 0), 0u) << run.output;
}

}  // namespace
}  // namespace tavrix::test
