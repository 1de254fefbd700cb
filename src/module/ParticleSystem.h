// The particle system the host drives: it owns one registry, one texture
// manager and one renderer, reads the host's settings and guards every
// operation; the work itself is forwarded.
#pragma once

#include "render/IParticleRenderer.h"
#include "tavrix/IParticleSystem.h"

namespace tavrix {

class EffectRegistry;
class TextureManager;

class ParticleSystem final : public IParticleSystem {
 public:
  ParticleSystem();
  ~ParticleSystem();
  ParticleSystem(const ParticleSystem&) = delete;
  ParticleSystem& operator=(const ParticleSystem&) = delete;

  void Release() override;
  int32_t Initialise(HWND window, IDirect3DDevice8* device,
                     IParticleImageLoader* imageLoader) override;
  int32_t SetViewSize(float width, float height, bool applyViewport) override;
  int32_t LoadEffect(const char* path) override;
  int32_t UnloadEffect(int32_t id) override;
  int32_t SetEffectPosition(int32_t id, float x, float y, bool moveLiveParticles) override;
  int32_t PlayEffect(int32_t id, uint32_t prewarmMs) override;
  int32_t Reserved7(uint32_t, uint32_t) override { return 0; }
  int32_t ClearEffect(int32_t id) override;
  int32_t UpdateAllTo(int32_t timeMs) override;
  int32_t DrawEffect(int32_t id) override;
  int32_t DrawAll() override;
  void Reserved12() override {}
  void Reserved13() override {}
  int32_t SaveEffect(const char* path) override;
  int32_t Reserved15(uint32_t) override { return 0; }
  int32_t UpdateEffect(int32_t id, int32_t deltaMs) override;
  int32_t UpdateAll(int32_t deltaMs) override;
  void SetFinishListener(IEffectFinishListener* listener) override;
  int32_t BeginFrame() override;
  int32_t EndFrame() override;
  int32_t GetEffectCount() override;
  int32_t GetEffectWidth(int32_t id) override;
  int32_t GetEffectHeight(int32_t id) override;
  void* Destroy(unsigned int flags) override;

  // The effects, for tools linked with the core that inspect them (the
  // viewer's cost overlay, bench); none before Initialise succeeds.
  EffectRegistry* Effects() const { return Registry(); }

 private:
  void TearDown();
  int32_t CreateOwnedObjects(IParticleImageLoader* imageLoader, bool batchQuads);
  // A registry without its particle pool (Initialise failed at the last
  // step) is answered like no registry: effects must not touch it.
  EffectRegistry* Registry() const;
  // The guard shared by the effect operations: the no-registry code, then
  // the disabled code, else 0.
  int32_t Guard(int32_t noRegistry) const;

  IDirect3DDevice8* device_ = nullptr;
  HWND window_ = nullptr;
  EffectRegistry* registry_ = nullptr;
  TextureManager* textureManager_ = nullptr;
  IParticleRenderer* renderer_ = nullptr;
  bool enabled_ = true;
};

}  // namespace tavrix
