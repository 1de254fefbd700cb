// What a game sees: a scene played through the public interface until it
// has churned (ten seconds of host frames of 17, 17 and 16 ms, each updated
// and drawn, with particles dying and being born), then UpdateAll and
// DrawAll timed apart.
// The figure is ns_per_item: nanoseconds per live particle and frame for
// UpdateAll, per quad drawn for DrawAll; every frame is drawn, as in a game.
// Three emitters: the default one, the busy one of the emitter benchmarks,
// and the game workload (gravity, spin, size and colour over life); each
// lives 2 +- 0.25 s, at a rate that keeps the asked number of particles
// alive, at most 50,000 per emitter. Opacity fades to 0.1, never below the
// cut of 0.05, so that every live particle is drawn and counted. DrawAll
// runs through the device renderer into a device that does nothing, per quad
// or batched (BatchQuads=1), and through the image renderer into images that
// do nothing; device_calls_per_frame counts DrawPrimitiveUP calls.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "MeasuringAllocator.h"
#include "NullDevice.h"
#include "simulation/ParticlePool.h"
#include "support/EffectFileBuilder.h"
#include "support/EffectWorkloads.h"
#include "tavrix/tavrix.h"

namespace tavrix {
namespace {

enum class Workload { Default, Busy, Game };
enum class Target { Device, BatchedDevice, Images };

constexpr int kWarmFrames = 600;  // 10.0 s of host time
constexpr int kTimedFrames = 120;
constexpr int32_t kPerEmitter = 50000;

int32_t HostStepMs(int frame) { return frame % 3 == 2 ? 16 : 17; }

test::TrackDesc Track(const char* name, float domain, float low, float high,
                      std::vector<std::pair<float, float>> keys) {
  return test::TrackDesc{name, 1.0f, domain, low, high, keys.front().second, std::move(keys)};
}

test::TrackDesc Life(const char* name, float from, float to, float low = -100.0f) {
  return Track(name, 1.0f, low, low < 0.0f ? 100.0f : 1.0f, {{0.0f, from}, {1.0f, to}});
}

test::TrackDesc Constant(const char* name, float low, float high, float value) {
  return Track(name, 1000.0f, low, high, {{0.0f, value}});
}

test::Bytes EmitterOf(Workload workload, float rate) {
  test::EmitterDesc desc;
  desc.tracks = {Constant("BaseQuantity", 0, 1000000, rate), Constant("BaseLife", 0, 1000, 2),
                 Constant("VarLife", 0, 2000, 0.5f)};
  if (workload != Workload::Default) {
    for (test::TrackDesc track :
         {Life("LifeX", 1, 3), Life("LifeRed", 1, 0.25f, 0), Life("LifeGreen", 0.5f, 1, 0),
          Life("LifeBlue", 0, 0.75f, 0), Life("LifeVisible", 1, 0.1f, 0),
          Constant("BaseSpin", -3600, 3600, 90), Constant("VarSpin", 0, 2000, 40)}) {
      desc.tracks.push_back(track);
    }
  }
  if (workload == Workload::Busy) {
    desc.tracks.push_back(Constant("BaseRand", 0, 1000, 20));
    desc.tracks.push_back(Constant("BaseFixedForce", -1000, 1000, 15));
    desc.forceAngle = 135.0f;
    desc.forceX = 0.70710677f;
    desc.forceY = 0.70710677f;
  }
  return test::EmitterRecord(desc);
}

std::string WriteScene(const test::TempDir& dir, Workload workload, int32_t live) {
  const int32_t emitters = live > kPerEmitter ? live / kPerEmitter : 1;
  const float rate = static_cast<float>(live) / 2.0f / static_cast<float>(emitters);
  std::vector<test::Bytes> records;
  for (int32_t i = 0; i < emitters; ++i) records.push_back(EmitterOf(workload, rate));
  test::EffectDesc effect = test::EffectOf(std::move(records), 100000.0f, 0);
  if (workload != Workload::Default) {
    effect.tracks.push_back(Track("gravity", 1.0f, 0.0f, 100.0f, {{0.0f, 0.2f}}));
  }
  return test::WriteEffect(dir, "scene.eff", test::EffectRecord(effect));
}

// Particle.ini beside the executable for as long as it lives: the way a
// host turns batching or update threads on. An ini already there is left
// alone.
class IniBesideExecutable {
 public:
  explicit IniBesideExecutable(const std::string& text) {
    if (text.empty()) return;
    path_ = std::filesystem::read_symlink("/proc/self/exe").parent_path() / "Particle.ini";
    if (std::filesystem::exists(path_)) {
      path_.clear();
      return;
    }
    std::ofstream(path_) << "[System]\n" << text;
  }
  ~IniBesideExecutable() {
    if (!path_.empty()) std::filesystem::remove(path_);
  }
  bool Written() const { return !path_.empty(); }

 private:
  std::filesystem::path path_;
};

class CountingImage final : public IParticleImage {
 public:
  int32_t Draw(const Point*, const Point*, uint32_t, int32_t) override {
    ++quads;
    return 0;
  }
  int32_t GetWidth() override { return 16; }
  int32_t GetHeight() override { return 16; }
  uint64_t quads = 0;
};

class OneImageLoader final : public IParticleImageLoader {
 public:
  IParticleImage* Load(const char*) override { return &image; }
  void Release(IParticleImage*) override {}
  CountingImage image;
};

// One system with one playing scene, churned.
class Scene {
 public:
  Scene(Workload workload, int32_t live, Target target, int threads = 1) {
    ParticlePool::SetProcessBudget(1000000);
    factory_ = CreateParticleSystem(0, &allocator_);
    system_ = factory_->CreateSystem();
    const bool device = target != Target::Images;
    std::string settings = target == Target::BatchedDevice ? "BatchQuads=1\n" : "";
    if (threads > 1) settings += "UpdateThreads=" + std::to_string(threads) + "\n";
    IniBesideExecutable ini(settings);
    batched_ = ini.Written();
    system_->Initialise(&window_, device ? &device_ : nullptr, device ? nullptr : &loader_);
    const int32_t id = system_->LoadEffect(WriteScene(dir_, workload, live).c_str());
    system_->SetEffectPosition(id, 320.0f, 240.0f, false);
    system_->PlayEffect(id, 0);
    for (frame_ = 0; frame_ < kWarmFrames; ++frame_) {
      system_->UpdateAll(HostStepMs(frame_));
      system_->DrawAll();
    }
    device_.draws = device_.primitives = loader_.image.quads = 0;
  }
  ~Scene() {
    system_->Release();
    factory_->Release();
  }

  void Update() { system_->UpdateAll(HostStepMs(frame_++)); }
  void Draw() { system_->DrawAll(); }
  uint64_t Quads() const { return device_.primitives / 2 + loader_.image.quads; }
  uint64_t DeviceCalls() const { return device_.draws; }
  uint64_t Allocations() const { return allocator_.allocations; }
  uint64_t HostBytes() const { return allocator_.bytes; }
  bool Batched() const { return batched_; }

 private:
  bench::MeasuringAllocator allocator_;
  test::TempDir dir_;
  HWND__ window_ = {0, 0, 640, 480};
  bench::NullDevice device_;
  OneImageLoader loader_;
  IParticleSystemFactory* factory_ = nullptr;
  IParticleSystem* system_ = nullptr;
  int frame_ = 0;
  bool batched_ = false;
};

// Per live particle or quad; the memory the host allocator holds per live
// particle at the end, and the allocations of the timed frames.
void Report(benchmark::State& state, const Scene& scene, double items, uint64_t allocations) {
  const double frames = static_cast<double>(state.iterations());
  state.counters["ns_per_item"] =
      benchmark::Counter(items, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  state.counters["live"] = items / frames;
  state.counters["host_bytes_per_live"] = static_cast<double>(scene.HostBytes()) / (items / frames);
  state.counters["allocations_per_frame"] = static_cast<double>(allocations) / frames;
  state.counters["device_calls_per_frame"] = static_cast<double>(scene.DeviceCalls()) / frames;
}

void RunUpdateAll(benchmark::State& state, Workload workload, int threads = 1) {
  Scene scene(workload, static_cast<int32_t>(state.range(0)), Target::Device, threads);
  const uint64_t before = scene.Allocations();
  for (auto _ : state) {
    scene.Update();
    state.PauseTiming();
    scene.Draw();
    state.ResumeTiming();
  }
  Report(state, scene, static_cast<double>(scene.Quads()), scene.Allocations() - before);
}

void RunDrawAll(benchmark::State& state, Workload workload, Target target) {
  Scene scene(workload, static_cast<int32_t>(state.range(0)), target);
  if (target == Target::BatchedDevice && !scene.Batched()) {
    state.SkipWithError("a Particle.ini is already beside the executable");
  }
  const uint64_t before = scene.Allocations();
  for (auto _ : state) {
    state.PauseTiming();
    scene.Update();
    state.ResumeTiming();
    scene.Draw();
  }
  Report(state, scene, static_cast<double>(scene.Quads()), scene.Allocations() - before);
}

void BM_UpdateAllDefault(benchmark::State& s) { RunUpdateAll(s, Workload::Default); }
void BM_UpdateAllBusy(benchmark::State& s) { RunUpdateAll(s, Workload::Busy); }
void BM_UpdateAllGame(benchmark::State& s) { RunUpdateAll(s, Workload::Game); }
// Two update threads, timed by the wall clock.
void BM_UpdateAllBusyTwoThreads(benchmark::State& s) { RunUpdateAll(s, Workload::Busy, 2); }
void BM_UpdateAllGameTwoThreads(benchmark::State& s) { RunUpdateAll(s, Workload::Game, 2); }
void BM_DrawAllBusyDevice(benchmark::State& s) { RunDrawAll(s, Workload::Busy, Target::Device); }
void BM_DrawAllGameDevice(benchmark::State& s) { RunDrawAll(s, Workload::Game, Target::Device); }
void BM_DrawAllBusyBatched(benchmark::State& s) {
  RunDrawAll(s, Workload::Busy, Target::BatchedDevice);
}
void BM_DrawAllBusyImages(benchmark::State& s) { RunDrawAll(s, Workload::Busy, Target::Images); }

void Sizes(benchmark::internal::Benchmark* b) {
  for (int64_t live : {1000, 10000, 100000, 200000}) b->Arg(live);
  b->Iterations(kTimedFrames)->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_UpdateAllDefault)->Apply(Sizes);
BENCHMARK(BM_UpdateAllBusy)->Apply(Sizes);
BENCHMARK(BM_UpdateAllGame)->Apply(Sizes);
BENCHMARK(BM_UpdateAllBusyTwoThreads)->Apply(Sizes)->UseRealTime();
BENCHMARK(BM_UpdateAllGameTwoThreads)->Apply(Sizes)->UseRealTime();
BENCHMARK(BM_DrawAllBusyDevice)->Apply(Sizes);
BENCHMARK(BM_DrawAllGameDevice)->Apply(Sizes);
BENCHMARK(BM_DrawAllBusyBatched)->Apply(Sizes);
BENCHMARK(BM_DrawAllBusyImages)->Apply(Sizes);

}  // namespace
}  // namespace tavrix
