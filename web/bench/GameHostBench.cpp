// The package's frame natively: the game host the module runs, driven as a
// game drives the package (UpdateAll, then DrawAll collecting the quads),
// on an effect played from the current folder until it has churned (600
// frames of 17, 17 and 16 ms), then 120 frames timed. Prints nanoseconds
// per live particle for the update and per quad for the collection in the
// median frame (a shared machine stalls some), the figures package-bench.mjs
// measures in the browser.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "../host/GameHost.h"

namespace {

constexpr int kWarmFrames = 600;
constexpr int kTimedFrames = 120;

int32_t StepMs(int frame) { return frame % 3 == 2 ? 16 : 17; }

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: tavrix_web_bench EFFECT\n");
    return 2;
  }
  tavrix::web::GameHost host(640, 480);
  tavrix::IParticleSystem& system = host.System();
  const int32_t id = system.LoadEffect(argv[1]);
  for (const std::string& name : host.Images().TakePending())
    host.Images().Register(name, {0, 16, 16});
  if (id < 0) return 1;
  system.SetEffectPosition(id, 320, 240, true);
  system.PlayEffect(id, 0);
  for (int frame = 0; frame < kWarmFrames; ++frame) {
    system.UpdateAll(StepMs(frame));
    host.DrawAll();
  }
  using Clock = std::chrono::steady_clock;
  const auto ns = [](Clock::duration d) { return double(std::chrono::nanoseconds(d).count()); };
  std::vector<double> update, draw;
  long long quads = 0;
  for (int frame = 0; frame < kTimedFrames; ++frame) {
    const auto start = Clock::now();
    system.UpdateAll(StepMs(frame));
    const auto updated = Clock::now();
    host.DrawAll();
    const double count = host.Quads().QuadCount();
    draw.push_back(ns(Clock::now() - updated) / count);
    update.push_back(ns(updated - start) / count);
    quads += host.Quads().QuadCount();
  }
  const auto median = [](std::vector<double>& v) {
    std::nth_element(v.begin(), v.begin() + long(v.size() / 2), v.end());
    return v[v.size() / 2];
  };
  std::printf("{\"live\": %.0f, \"updateNs\": %.2f, \"quadsNs\": %.2f}\n",
              double(quads) / kTimedFrames, median(update), median(draw));
  return 0;
}
