// Plain effect records straight into the record reader, past the cipher, so
// that mutations reach every field; a record that reads is played, drawn and
// written again.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "FuzzBudget.h"
#include "NullImages.h"
#include "base/Allocator.h"
#include "effectfile/Effect.h"
#include "effectfile/MemoryStream.h"
#include "registry/EffectRegistry.h"
#include "render/IParticleRenderer.h"
#include "resources/NameTable.h"
#include "resources/TextureManager.h"
#include "simulation/ParticlePool.h"

namespace {

class NullRenderer final : public tavrix::IParticleRenderer {
 public:
  void Reset() override {}
  int32_t Bind(bool, tavrix::FrameSet*) override { return 0; }
  int32_t DrawQuad(const tavrix::QuadPoint*, const tavrix::UvRect&, uint32_t, int32_t, float,
                   float) override {
    return 0;
  }
  int32_t BeginFrame() override { return 0; }
  int32_t EndFrame() override { return 0; }
  int32_t SetViewSize(float, float, bool) override { return 0; }
  void* Destroy(unsigned int) override { return this; }
};

// The process-wide objects a record reader relies on.
struct Environment {
  Environment() {
    tavrix::SetCurrentAllocator(tavrix::DefaultAllocator());
    tavrix::SetCurrentNameTable(tavrix::New<tavrix::NameTable>());
    textures = tavrix::New<tavrix::TextureManager>(tavrix::TextureManager::ImageLoaderMode);
    textures->SetImageLoader(&loader);
    registry.CreateParticlePool();
    tavrix::ParticlePool::SetProcessBudget(tavrix::fuzz::ParticleBudget);
  }
  tavrix::fuzz::NullImageLoader loader;
  tavrix::TextureManager* textures;
  tavrix::EffectRegistry registry;
};

void Exercise(tavrix::Effect& effect) {
  NullRenderer renderer;
  effect.Start(0, true);
  for (int i = 0; i < 20; ++i) effect.AdvanceBy(50);
  effect.Draw(renderer);
  tavrix::MemoryStream out(nullptr, 0);
  if (out.CreateEmpty() && out.Reserve(1024)) effect.Write(out);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Environment environment;
  if (size > 1 << 20) return 0;
  std::vector<uint8_t> plain(data, data + size);
  tavrix::Effect* effect = tavrix::New<tavrix::Effect>(0, &environment.registry);
  tavrix::MemoryStream stream(plain.data(), static_cast<int32_t>(plain.size()));
  int32_t result = effect->Read(stream);
  stream.Attach(nullptr, 0);
  if (result >= 0) Exercise(*effect);
  effect->Destroy(1);
  return 0;
}
