#include "cli/BenchCommand.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "cli/Arguments.h"
#include "cli/EffectCheck.h"
#include "cli/EffectFiles.h"
#include "cli/EffectPlayer.h"
#include "cost/CostMeter.h"
#include "module/Factory.h"

namespace tavrix::tools {
namespace {

using Clock = std::chrono::steady_clock;

struct BenchRequest {
  std::string effect, root, size = "256x256";
  double seconds = 5;
  int32_t stepMs = 16;
  int32_t reportMs = 500;
};

// Costs gathered over one report interval.
struct Interval {
  double updateNs = 0, drawNs = 0;
  int64_t frames = 0, particleFrames = 0, pixels = 0;
  void Add(const Interval& other) {
    updateNs += other.updateNs;
    drawNs += other.drawNs;
    frames += other.frames;
    particleFrames += other.particleFrames;
    pixels += other.pixels;
  }
};

double Nanoseconds(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double, std::nano>(to - from).count();
}

double PerParticle(double ns, int64_t particleFrames) {
  return particleFrames > 0 ? ns / double(particleFrames) : 0.0;
}

void PrintRow(const char* label, const Interval& i, int64_t particles) {
  std::printf("%10s %10lld %12.1f %12.1f %12.1f %12.1f %12.0f\n", label, (long long)particles,
              i.frames ? i.updateNs / 1000.0 / double(i.frames) : 0.0,
              i.frames ? i.drawNs / 1000.0 / double(i.frames) : 0.0,
              PerParticle(i.updateNs, i.particleFrames), PerParticle(i.drawNs, i.particleFrames),
              i.frames ? double(i.pixels) / double(i.frames) : 0.0);
}

// The effect's figures and its emitters', folded frame by frame.
struct PlayCost {
  cost::CostFold effect;
  std::vector<std::string> names;
  std::vector<cost::CostFold> emitters;

  void Add(const cost::EffectCost& frame) {
    effect.Add(frame.total);
    emitters.resize(frame.emitters.size());
    names.resize(frame.emitters.size());
    for (size_t i = 0; i < frame.emitters.size(); ++i) {
      emitters[i].Add(frame.emitters[i].cost);
      names[i] = frame.emitters[i].name;
    }
  }
};

void PrintCostRow(const std::string& label, const cost::Cost& cost) {
  std::printf("%-24s", label.c_str());
  for (const cost::Figure& figure : cost::kFigures)
    std::printf(" %12s", cost::ShownNumber(figure, cost).c_str());
  std::printf("\n");
}

void PrintPlayCost(const std::string& effect, const PlayCost& play) {
  std::printf(
      "\nper effect and emitter, the mean of the frames (memory: the most held; times of "
      "an emitter: the effect's, shared by live particles and by quads)\n");
  std::printf("%-24s", "effect / emitter");
  for (const cost::Figure& figure : cost::kFigures)
    std::printf(" %12s", cost::Heading(figure).c_str());
  std::printf("\n");
  PrintCostRow(std::filesystem::path(effect).filename().string(), play.effect.Result());
  for (size_t i = 0; i < play.emitters.size(); ++i)
    PrintCostRow("  " + play.names[i], play.emitters[i].Result());
}

// One update and one draw, timed apart; the particles are the quads drawn.
Interval Frame(EffectPlayer& player, cost::CostMeter& meter, int32_t stepMs, int64_t& particles) {
  const software::SoftwareDevice& device = player.Device();
  const int64_t calls = device.DrawCalls(), pixels = device.PixelsDrawn();
  const std::vector<int32_t> ids{player.EffectId()};
  const Clock::time_point start = Clock::now();
  meter.Update(ids, stepMs);
  const Clock::time_point updated = Clock::now();
  meter.Draw(ids);
  const Clock::time_point drawn = Clock::now();
  particles = device.DrawCalls() - calls;
  Interval frame;
  frame.updateNs = Nanoseconds(start, updated);
  frame.drawNs = Nanoseconds(updated, drawn);
  frame.frames = 1;
  frame.particleFrames = particles;
  frame.pixels = device.PixelsDrawn() - pixels;
  return frame;
}

// Exit code 0, or ExitWarnings when a texture or nested file is missing.
int Bench(const BenchRequest& r) {
  if (!(r.seconds > 0 && r.seconds <= 3600))
    throw ToolError{ExitUsage, "--seconds: must be above 0 and at most 3600"};
  if (r.stepMs < 1 || r.stepMs > 1000) throw ToolError{ExitUsage, "--step: must be 1 to 1000 ms"};
  if (r.reportMs < r.stepMs) throw ToolError{ExitUsage, "--every: must be at least the step"};
  PlayerOptions options;
  std::optional<Size> size = ParseSize(r.size);
  if (!size) throw ToolError{ExitUsage, "--size: cannot read \"" + r.size + "\""};
  if (int64_t(size->width) * size->height > int64_t(4096) * 4096)
    throw ToolError{ExitUsage, "--size: at most 16777216 pixels (4096x4096)"};
  options.width = size->width;
  options.height = size->height;
  options.root = r.root;
  // The core linked into this program, so that the meter reads its objects.
  options.makeFactory = [] { return CreateFactory(nullptr); };
  // Said first: a missing texture changes the draw figures several times.
  const std::vector<Finding> missing =
      CheckFiles(ReadEffectOrJson(r.effect), RootFor(r.effect, r.root));
  for (const Finding& f : missing)
    std::fprintf(stderr, "%s: %s\n", r.effect.c_str(), Describe(f).c_str());
  const PlayableEffect effect(r.effect);
  const std::unique_ptr<EffectPlayer> started = StartPlayer(effect, r.effect, options);
  EffectPlayer& player = *started;
  cost::CostMeter meter(player.System());
  const cost::ViewArea view{0, 0, float(size->width), float(size->height)};
  PlayCost play;
  std::printf("%s: %g s of effect time in %d ms steps, %dx%d pixels\n", r.effect.c_str(), r.seconds,
              r.stepMs, size->width, size->height);
  std::printf("%10s %10s %12s %12s %12s %12s %12s\n", "time ms", "particles", "update us",
              "draw us", "update ns/p", "draw ns/p", "pixels");
  const int64_t endMs = int64_t(r.seconds * 1000.0);
  Interval interval, total;
  int64_t particles = 0, peak = 0;
  for (int64_t now = 0, nextReport = r.reportMs; now < endMs;) {
    interval.Add(Frame(player, meter, r.stepMs, particles));
    play.Add(meter.CostOf(player.EffectId(), view));
    now += r.stepMs;
    peak = std::max(peak, particles);
    if (now >= nextReport || now >= endMs) {
      PrintRow(std::to_string(now).c_str(), interval, particles);
      total.Add(interval);
      interval = Interval{};
      nextReport += r.reportMs;
    }
  }
  std::printf("%10s\n", "----------");
  PrintRow("overall", total, peak);
  std::printf(
      "(particles: quads drawn in the frame, the peak overall; particles fainter than "
      "alpha 0.05 are live but not drawn. Costs are per frame and per particle drawn.)\n");
  PrintPlayCost(r.effect, play);
  return missing.empty() ? ExitOk : ExitWarnings;
}

}  // namespace

void AddBenchCommand(CLI::App& app, int& exitCode) {
  auto request = std::make_shared<BenchRequest>();
  CLI::App* bench = app.add_subcommand(
      "bench",
      "Play an effect and report particles over time, the cost per particle, and what the effect "
      "and each emitter cost. The draw time is the software device filling the particles' pixels "
      "on the processor (a game's graphics card does that part), so it follows the pixels "
      "drawn; a missing texture changes it, and is warned about as render does");
  bench->add_option("FILE", request->effect, "Effect file or JSON record")->required();
  bench->add_option("--seconds", request->seconds, "Effect time to play (default 5)");
  bench->add_option("--step", request->stepMs, "Milliseconds per frame (default 16)");
  bench->add_option("--every", request->reportMs,
                    "Milliseconds between report lines (default 500)");
  bench->add_option("--size", request->size, "Framebuffer size WxH in pixels (default 256x256)");
  AddRootOption(*bench, request->root);
  bench->callback([request, &exitCode] { exitCode = Bench(*request); });
}

}  // namespace tavrix::tools
