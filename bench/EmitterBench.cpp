// Cost of the simulation per live particle: one Update of the default and of
// the busy emitter at 1,000, 10,000 and 100,000 live particles, and one Draw
// per quad through a renderer that does nothing. ns_per_item is the cost
// per live particle (Update) or per quad (Draw).
#include <benchmark/benchmark.h>

#include "support/QuadRecorder.h"
#include "support/Workloads.h"

namespace tavrix {
namespace {

// The library's objects need a current allocator; the benchmarks use the
// default one for the whole run.
struct DefaultAllocatorScope {
  DefaultAllocatorScope() { SetCurrentAllocator(DefaultAllocator()); }
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
  state.counters["ns_per_item"] = benchmark::Counter(
      static_cast<double>(state.iterations()) * live,
      benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_UpdateDefaultEmitter(benchmark::State& state) { RunUpdate(state, false); }
void BM_UpdateBusyEmitter(benchmark::State& state) { RunUpdate(state, true); }

void BM_DrawQuads(benchmark::State& state) {
  static DefaultAllocatorScope allocator;
  test::SimulationWorld world;
  Emitter& emitter = world.AddEmitter();
  test::ConfigureBusy(emitter, *world.effect);
  test::SimulationWorld::GiveFrameSet(emitter);
  const int32_t live = static_cast<int32_t>(state.range(0));
  test::FillEmitter(emitter, *world.effect, live);
  // Keep every particle above the alpha cut, so every one is drawn.
  test::SetConstant(emitter.LifeVisible, 1.0f);
  emitter.Update(0.0f);
  test::QuadRecorder renderer(test::QuadRecorder::CountOnly);
  for (auto _ : state) emitter.Draw(renderer);
  if (renderer.quadCount != state.iterations() * static_cast<uint64_t>(live)) {
    state.SkipWithError("not every particle was drawn");
  }
  state.SetItemsProcessed(state.iterations() * live);
  state.counters["ns_per_item"] = benchmark::Counter(
      static_cast<double>(state.iterations()) * live,
      benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

BENCHMARK(BM_UpdateDefaultEmitter)->Arg(1000)->Arg(10000)->Arg(100000);
BENCHMARK(BM_UpdateBusyEmitter)->Arg(1000)->Arg(10000)->Arg(100000);
BENCHMARK(BM_DrawQuads)->Arg(1000)->Arg(10000)->Arg(100000);

}  // namespace
}  // namespace tavrix
