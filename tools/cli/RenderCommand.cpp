#include "cli/RenderCommand.h"

#include <cmath>
#include <cstdio>
#include <memory>
#include <optional>

#include "cli/Arguments.h"
#include "cli/EffectCheck.h"
#include "cli/EffectFiles.h"
#include "cli/EffectPlayer.h"
#include "cli/ExitCode.h"
#include "cli/RenderOutputs.h"
#include "cli/RenderProgress.h"

namespace tavrix::tools {
namespace {

// More than the longest effect time at 24 frames a second.
constexpr int64_t MaximumFrames = 100000;
constexpr int64_t MaximumPixels = int64_t(4096) * 4096;

struct RenderRequest {
  std::string effect, size = "256x256", view, position, background = "000000", root;
  RenderOutputs::Request outputs;
  int64_t timeMs = 1000;
  int64_t frames = 1;
  double fps = 30;
  std::optional<int64_t> stepMs;  // none: the 17/17/16 ms steps of a 60 Hz host
  uint32_t prewarmMs = 0;
};

template <class T>
T Require(std::optional<T> value, const std::string& option, const std::string& text) {
  if (!value) throw ToolError{ExitUsage, option + ": cannot read \"" + text + "\""};
  return *value;
}

void Bound(bool fits, const std::string& message) {
  if (!fits) throw ToolError{ExitUsage, message};
}

PlayerOptions ToPlayerOptions(const RenderRequest& r) {
  PlayerOptions options;
  Size size = Require(ParseSize(r.size), "--size", r.size);
  Bound(int64_t(size.width) * size.height <= MaximumPixels,
        "--size: at most 16777216 pixels (4096x4096)");
  options.width = size.width;
  options.height = size.height;
  if (!r.view.empty()) {
    Size view = Require(ParseSize(r.view), "--view", r.view);
    options.viewWidth = float(view.width);
    options.viewHeight = float(view.height);
  }
  if (!r.position.empty()) {
    Position p = Require(ParsePosition(r.position), "--position", r.position);
    Bound(std::isfinite(p.x) && std::isfinite(p.y), "--position: must be two finite numbers");
    options.x = p.x;
    options.y = p.y;
  }
  options.background = Require(ParseColour(r.background), "--background", r.background);
  options.prewarmMs = r.prewarmMs;
  if (r.stepMs) options.steps = {int32_t(*r.stepMs)};
  return options;
}

void CheckBounds(const RenderRequest& r) {
  Bound(r.frames >= 1 && r.frames <= MaximumFrames, "--frames: must be 1 to 100000");
  Bound(r.fps > 0 && r.fps <= 1000, "--fps: must be above 0 and at most 1000");
  Bound(r.timeMs >= 0 && r.timeMs <= MaximumEffectTimeMs,
        "--time: must be 0 to " + std::to_string(MaximumEffectTimeMs) + " ms (one hour)");
  Bound(!r.stepMs || (*r.stepMs >= 1 && *r.stepMs <= 1000), "--step: must be 1 to 1000 ms");
  Bound(r.prewarmMs <= MaximumEffectTimeMs,
        "--prewarm: must be 0 to " + std::to_string(MaximumEffectTimeMs) + " ms (one hour)");
  const double lastMs = double(r.timeMs) + double(r.frames - 1) * 1000.0 / r.fps;
  Bound(lastMs <= double(MaximumEffectTimeMs),
        "--time, --frames, --fps: the last frame falls after one hour of effect time");
}

int Render(const RenderRequest& r) {
  CheckBounds(r);
  // A JSON record plays from a scratch file: its textures stay where the
  // record is.
  PlayerOptions options = ToPlayerOptions(r);
  options.root = RootFor(r.effect, r.root);
  // Read first, so that a file the tools cannot read fails before any output.
  const std::vector<Finding> missing = CheckFiles(ReadEffectOrJson(r.effect), options.root);
  const double interval = 1000.0 / r.fps;
  RenderOutputs outputs(r.outputs, r.effect, options.width, options.height, r.frames,
                        std::max(1, int(std::lround(100.0 / r.fps))));
  {
    // The player works inside the root folder; outputs are opened beforehand
    // and written as absolute paths.
    const PlayableEffect effect(r.effect);
    const std::unique_ptr<EffectPlayer> player = StartPlayer(effect, r.effect, options);
    const int64_t lastMs = r.timeMs + std::llround(double(r.frames - 1) * interval);
    RenderProgress progress(r.frames, lastMs);
    for (int64_t k = 0; k < r.frames; ++k) {
      const int64_t timeMs = r.timeMs + std::llround(double(k) * interval);
      player->AdvanceTo(timeMs, [&](int64_t nowMs) { progress.Show(k, nowMs); });
      outputs.Add(k, timeMs, player->Frame());
      progress.Show(k + 1, player->NowMs());
    }
    progress.Finish();
  }
  outputs.Finish();
  for (const Finding& f : missing)
    std::fprintf(stderr, "%s: %s\n", r.effect.c_str(), Describe(f).c_str());
  return missing.empty() ? ExitOk : ExitWarnings;
}

}  // namespace

void AddRenderCommand(CLI::App& app, int& exitCode) {
  auto request = std::make_shared<RenderRequest>();
  RenderOutputs::Request& out = request->outputs;
  CLI::App* render =
      app.add_subcommand("render", "Play an effect on the software device and write frames");
  render->add_option("FILE", request->effect, "Effect file or JSON record")->required();
  render->add_option("-o,--output", out.png, "PNG file; several frames are numbered");
  render->add_option("--time", request->timeMs,
                     "Time of the first frame in ms (default 1000, at most " +
                         std::to_string(MaximumEffectTimeMs) + ", as the viewer's --at)");
  render->add_option("--frames", request->frames, "Number of frames (default 1, at most 100000)");
  render->add_option("--fps", request->fps, "Frames per second (default 30)");
  render->add_option(
      "--step", request->stepMs,
      "Simulation step in ms, 1 to 1000 (default: 17, 17, 16 ms in turn, as a 60 Hz host)");
  render->add_option("--sheet", out.sheet, "Also write a contact sheet of COLSxROWS frames");
  render->add_option("--sheet-output", out.sheetOutput,
                     "Where the contact sheet goes (default: OUTPUT_sheet.png)");
  render->add_flag("!--no-labels", out.sheetLabels,
                   "Leave the sheet's frames without their times (a flipbook to use as a texture)");
  render->add_option("--gif", out.gif, "Also write the frames as an animated GIF");
  render->add_option("--size", request->size, "Framebuffer size WxH in pixels (default 256x256)");
  render->add_option("--view", request->view, "View size WxH in view units (default: the size)");
  render->add_option("--position", request->position, "Effect position X,Y (default: view centre)");
  render->add_option("--background", request->background, "Background RRGGBB[AA] (default 000000)");
  render->add_option("--prewarm", request->prewarmMs, "Prewarm in ms when playing starts");
  AddRootOption(*render, request->root);
  render->callback([request, &exitCode] {
    const RenderOutputs::Request& o = request->outputs;
    if (o.png.empty() && o.gif.empty() && o.sheet.empty())
      throw ToolError{ExitUsage, "render: give -o, --sheet or --gif"};
    exitCode = Render(*request);
  });
}

}  // namespace tavrix::tools
