// Loading and saving a typical effect file: the whole road from the path to
// a filed effect (read, decipher, parse) and back (write, encipher, safe
// save), and the in-memory decipher and parse alone. Reported in records
// and bytes per second.
#include <benchmark/benchmark.h>

#include <string>

#include "base/Allocator.h"
#include "effectfile/Effect.h"
#include "effectfile/EffectFile.h"
#include "registry/EffectRegistry.h"
#include "resources/NameTable.h"
#include "resources/TextureManager.h"
#include "support/EffectFileBuilder.h"
#include "support/EffectWorkloads.h"

namespace tavrix {
namespace {

// The surroundings of a loaded effect: the default allocator, the name
// table, a texture manager for the frame sets and a registry with its pool.
class LoadWorld {
 public:
  LoadWorld() : plain(test::TypicalEffectRecord()), file(test::Encipher(plain)) {
    SetCurrentAllocator(DefaultAllocator());
    SetCurrentNameTable(&names_);
    registry.CreateParticlePool();
    path = test::WriteEffect(directory, "typical.eff", plain);
  }
  ~LoadWorld() { SetCurrentNameTable(nullptr); }

  test::TempDir directory;
  test::Bytes plain;
  test::Bytes file;
  std::string path;

 private:
  NameTable names_;

 public:
  TextureManager textures{TextureManager::DeviceMode};
  EffectRegistry registry;
};

void ReportRecords(benchmark::State& state, size_t bytesPerRecord) {
  state.SetItemsProcessed(state.iterations());
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytesPerRecord));
}

void BM_LoadEffectFile(benchmark::State& state) {
  LoadWorld world;
  for (auto _ : state) {
    int32_t id = world.registry.LoadEffect(world.path.c_str());
    if (id < 0) {
      state.SkipWithError("the typical effect did not load");
      break;
    }
    world.registry.UnloadEffect(id);
  }
  ReportRecords(state, world.file.size());
}

void BM_DecipherAndReadRecord(benchmark::State& state) {
  LoadWorld world;
  Effect effect(0, &world.registry);
  for (auto _ : state) {
    int32_t result =
        ReadEffectBytes(world.file.data(), static_cast<int32_t>(world.file.size()), effect);
    if (result < 0) {
      state.SkipWithError("the typical record did not read");
      break;
    }
  }
  ReportRecords(state, world.file.size());
}

void BM_SaveEffectFile(benchmark::State& state) {
  LoadWorld world;
  if (world.registry.LoadEffect(world.path.c_str()) != 0) {
    state.SkipWithError("the typical effect did not load");
    return;
  }
  std::string saved = world.directory.File("saved.eff");
  for (auto _ : state) {
    if (world.registry.SaveFirstEffect(saved.c_str()) != 0) {
      state.SkipWithError("the save failed");
      break;
    }
  }
  ReportRecords(state, test::ReadBytes(saved).size());
}

BENCHMARK(BM_LoadEffectFile);
BENCHMARK(BM_DecipherAndReadRecord);
BENCHMARK(BM_SaveEffectFile);

}  // namespace
}  // namespace tavrix
