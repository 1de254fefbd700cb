#include "cli/InfoCommand.h"

#include <cstdio>
#include <filesystem>
#include <memory>

#include "cli/Arguments.h"
#include "cli/EffectCheck.h"
#include "cli/EffectFiles.h"
#include "cli/EffectSummary.h"

namespace tavrix::tools {
namespace {

using record::Json;

struct InfoRequest {
  std::string effect, root;
};

void Line(const char* label, const std::string& text) {
  std::printf("  %-12s %s\n", label, text.c_str());
}
void Detail(const char* label, const std::string& text) {
  std::printf("      %-14s %s\n", label, text.c_str());
}

std::string Found(const std::string& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(path, error) ? "found: " + path : "NOT FOUND: " + path;
}

std::string FramesText(const Json& block) {
  const size_t count = block["frames"].size();
  return "\"" + Text(block["frameSetName"]) + "\", " + std::to_string(count) +
         (count == 1 ? " frame" : " frames");
}

std::string RotationText(const Json& e) {
  const int64_t mode = e["rotationMode"].get<int64_t>();
  std::string text = RotationModeName(mode);
  if (mode == 0)
    text += ", offset " + Number(e["rotationOffset"]) +
            (e["alignToMotion"].get<int>() ? ", aligned to motion" : "");
  if (mode == 1) text += ", " + Number(e["fixedRotation"]) + " degrees";
  if (mode == 2)
    text += ", centre " + Number(e["randomRotationCentre"]) + " range " +
            Number(e["randomRotationRange"]);
  return text;
}

void PlainEmitter(const Json& e, const std::string& root) {
  const bool animated = e["animated"].get<int>() != 0;
  const Json& block = animated ? e["frameAnimation"] : e["frameSet"];
  Detail(
      "frame set",
      FramesText(block) +
          (animated ? "" : ", shows frame " + std::to_string(block["frameIndex"].get<uint32_t>())));
  const std::string texture = Text(block["textureName"]);
  Detail("texture", texture.empty()
                        ? "(none)"
                        : "\"" + texture + "\" (" + Found(Resolve(root, "image/" + texture)) + ")");
  Detail("blend", e["additive"].get<int>() ? "additive" : "alpha");
  Detail("spawn shape", SpawnShapeName(e["spawnShape"].get<int64_t>()));
  Detail("rotation", RotationText(e));
  if (animated)
    Detail("animation", "cycle " + Number(block["cycleLength"]) + " s" +
                            (block["loop"].get<int>() ? ", looping" : ", once") +
                            (block["randomStart"].get<int>() ? ", random start" : ""));
  else
    Detail("animation", "none");
  std::string flags;
  if (!e["enabled"].get<int>()) flags += " disabled";
  if (e["stopped"].get<int>()) flags += " stopped";
  if (e["singleParticle"].get<int>()) flags += " single-particle";
  if (!e["uniformSize"].get<int>()) flags += " non-uniform-size";
  if (e["reverseDrawOrder"].get<int>()) flags += " newest-drawn-first";
  if (!flags.empty()) Detail("flags", flags.substr(1));
  Detail("tracks", std::to_string(e["tracks"].size()) + " stored");
}

void SubEffectEmitter(const Json& e, const std::string& root) {
  const std::string nested = Text(e["effectFile"]);
  Detail("nested file", "\"" + nested + "\" (" + Found(Resolve(root, nested)) + ")");
  Detail("copies",
         Number(e["copiesMin"]) + " to " + Number(e["copiesMax"]) + " (upper bound excluded)");
  Detail("base speed", Number(e["speedMin"]) + " to " + Number(e["speedMax"]));
  Detail("base angle", Number(e["angleMin"]) + " to " + Number(e["angleMax"]));
  Detail("start delay", Number(e["startDelay"]) + " ms");
  if (!e["enabled"].get<int>()) Detail("flags", "disabled");
}

std::string RunState(const Json& effect) {
  const bool running = effect["running"].get<int>() != 0;
  const bool stopping = effect["stopping"].get<int>() != 0;
  std::string state = running ? (stopping ? "fading (running, stopping)" : "playing") : "idle";
  return state + ", elapsed " + Number(effect["elapsedSeconds"]) + " s";
}

int Info(const InfoRequest& r) {
  const Json effect = ReadEffectOrJson(r.effect);
  std::error_code error;
  const std::string root =
      r.root.empty() ? std::filesystem::absolute(r.effect, error).parent_path().string() : r.root;
  const EffectSize size = SizeOf(effect);
  std::printf("%s\n", r.effect.c_str());
  Line("size", std::to_string(size.width) + " x " + std::to_string(size.height));
  Line("duration", Number(effect["durationSeconds"]) + " s");
  Line("end mode", EndModeName(effect["endMode"].get<int64_t>()));
  Line("run state", RunState(effect));
  Line("position", Number(effect["positionX"]) + ", " + Number(effect["positionY"]));
  Line("frame", Number(effect["frameWidth"]) + " x " + Number(effect["frameHeight"]));
  Line("tracks", std::to_string(effect["tracks"].size()) + " stored");
  const Json& emitters = effect["emitters"];
  Line("emitters", std::to_string(emitters.size()));
  for (size_t i = 0; i < emitters.size(); ++i) {
    const Json& e = emitters[i];
    const bool sub = e["magic"] == "SE2D";
    std::printf("  [%zu] \"%s\" (%s)\n", i, Text(e["name"]).c_str(),
                sub ? "sub-effect emitter, SE2D" : "emitter, ET2D");
    if (sub)
      SubEffectEmitter(e, root);
    else
      PlainEmitter(e, root);
  }
  if (effect.contains("trailing"))
    Line("trailing", std::to_string(effect["trailing"].get<std::string>().size() / 2) +
                         " bytes after the record");
  const std::vector<Finding> missing = CheckFiles(effect, root);
  for (const Finding& f : missing)
    std::fprintf(stderr, "%s: %s\n", r.effect.c_str(), Describe(f).c_str());
  return missing.empty() ? ExitOk : ExitWarnings;
}

}  // namespace

void AddInfoCommand(CLI::App& app, int& exitCode) {
  auto request = std::make_shared<InfoRequest>();
  CLI::App* info = app.add_subcommand("info", "Show what an effect file holds");
  info->add_option("FILE", request->effect, "Effect file or JSON record")->required();
  AddRootOption(*info, request->root);
  info->callback([request, &exitCode] { exitCode = Info(*request); });
}

}  // namespace tavrix::tools
