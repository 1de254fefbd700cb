// Cost of the simulation per live particle: one Update of the default and of
// the busy emitter at 1,000, 10,000 and 100,000 live particles, and one Draw
// per quad, through a renderer that does nothing and through the device
// renderer on a device that does nothing. ns_per_item is the cost per live
// particle (Update) or per quad (Draw).
#include <benchmark/benchmark.h>

#include "NullDevice.h"
#include "render/DeviceRenderer.h"
#include "support/QuadRecorder.h"
#include "support/Workloads.h"

namespace tavrix {
namespace {

// The library's objects need a current allocator; the benchmarks use the
// default one for the whole run, and measure beyond the default particle
// budget.
struct DefaultAllocatorScope {
  DefaultAllocatorScope() {
    SetCurrentAllocator(DefaultAllocator());
    ParticlePool::SetProcessBudget(1000000);
  }
};

void RunUpdate(benchmark::State& state, bool busy) {
  static DefaultAllocatorScope allocator;
  test::SimulationWorld world;
  Emitter& emitter = world.AddEmitter();
  if (busy) test::ConfigureBusy(emitter, *world.effect);
  const int32_t live = static_cast<int32_t>(state.range(0));
  test::FillEmitter(emitter, *world.effect, live);
  for (auto _ : state) {
    emitter.Update(0.016f);
    benchmark::DoNotOptimize(emitter.Newest()->quad[0]);
  }
  if (emitter.GetParticleCount() != live) state.SkipWithError("particles died during the run");
  state.SetItemsProcessed(state.iterations() * live);
  state.counters["ns_per_item"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * live,
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_UpdateDefaultEmitter(benchmark::State& state) { RunUpdate(state, false); }
void BM_UpdateBusyEmitter(benchmark::State& state) { RunUpdate(state, true); }

void RunDraw(benchmark::State& state, IParticleRenderer& renderer) {
  static DefaultAllocatorScope allocator;
  test::SimulationWorld world;
  Emitter& emitter = world.AddEmitter();
  test::ConfigureBusy(emitter, *world.effect);
  test::SimulationWorld::GiveFrameSet(emitter);
  const int32_t live = static_cast<int32_t>(state.range(0));
  test::FillEmitter(emitter, *world.effect, live);
  // Keep every particle above the alpha cut, so every one is drawn.
  test::SetConstant(emitter.tracks.LifeVisible, 1.0f);
  emitter.Update(0.0f);
  renderer.BeginFrame();
  for (auto _ : state) emitter.Draw(renderer);
  renderer.EndFrame();
  state.SetItemsProcessed(state.iterations() * live);
  state.counters["ns_per_item"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * live,
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_DrawQuads(benchmark::State& state) {
  test::QuadRecorder renderer(test::QuadRecorder::CountOnly);
  RunDraw(state, renderer);
  if (renderer.quadCount != state.iterations() * static_cast<uint64_t>(state.range(0))) {
    state.SkipWithError("not every particle was drawn");
  }
}

void BM_DrawThroughDeviceRenderer(benchmark::State& state) {
  bench::NullDevice device;
  HWND__ window = {0, 0, 640, 480};
  DeviceRenderer renderer(&device, &window);
  RunDraw(state, renderer);
}

BENCHMARK(BM_UpdateDefaultEmitter)->Arg(1000)->Arg(10000)->Arg(100000);
BENCHMARK(BM_UpdateBusyEmitter)->Arg(1000)->Arg(10000)->Arg(100000);
BENCHMARK(BM_DrawQuads)->Arg(1000)->Arg(10000)->Arg(100000);
BENCHMARK(BM_DrawThroughDeviceRenderer)->Arg(1000)->Arg(10000)->Arg(100000);

}  // namespace
}  // namespace tavrix
