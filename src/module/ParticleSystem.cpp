// Creation, initialisation and teardown of a particle system.
#include "module/ParticleSystem.h"

#include "base/Allocator.h"
#include "base/ProcessSlots.h"
#include "module/HostSettings.h"
#include "module/Lifetime.h"
#include "registry/EffectRegistry.h"
#include "render/DeviceRenderer.h"
#include "render/ImageRenderer.h"
#include "resources/TextureManager.h"
#include "simulation/ParticlePool.h"
#include "tavrix/ResultCode.h"

namespace tavrix {
namespace {

template <class T>
void DestroyOwned(T*& object) {
  if (!object) return;
  DestroyObject(object, 1);
  object = nullptr;
}

}  // namespace

ParticleSystem::ParticleSystem() { SystemCreated(); }

ParticleSystem::~ParticleSystem() {
  TearDown();
  SystemDestroyed();
}

void ParticleSystem::Release() { Destroy(1); }

void* ParticleSystem::Destroy(unsigned int flags) { return DestroyObject(this, flags); }

void ParticleSystem::TearDown() {
  if (renderer_) {
    renderer_->Destroy(1);
    renderer_ = nullptr;
  }
  DestroyOwned(registry_);
  DestroyOwned(textureManager_);
  SetCurrentDevice(nullptr);
}

int32_t ParticleSystem::Initialise(HWND window, IDirect3DDevice8* device,
                                   IParticleImageLoader* imageLoader) {
  // A second call starts over rather than abandoning the first objects.
  TearDown();
  window_ = window;
  device_ = device;
  const HostSettings settings = ReadHostSettings();
  int32_t result = CreateOwnedObjects(imageLoader, settings.batchQuads);
  if (result != Success) return result;
  SetCurrentDevice(device);
  enabled_ = settings.enabled;
  ParticlePool::SetProcessBudget(settings.maxParticles);
  registry_->StartUpdateWorkers(settings.updateThreads);
  return registry_->CreateParticlePool();
}

int32_t ParticleSystem::CreateOwnedObjects(IParticleImageLoader* imageLoader, bool batchQuads) {
  registry_ = New<EffectRegistry>();
  if (!registry_) return RegistryAllocFailed;
  textureManager_ =
      New<TextureManager>(device_ ? TextureManager::DeviceMode : TextureManager::ImageLoaderMode);
  if (!textureManager_) {
    DestroyOwned(registry_);
    return TextureManagerAllocFailed;
  }
  textureManager_->SetImageLoader(imageLoader);
  if (device_) {
    DeviceRenderer* renderer = New<DeviceRenderer>(device_, window_);
    if (renderer) renderer->SetBatchQuads(batchQuads);
    renderer_ = renderer;
  } else {
    renderer_ = New<ImageRenderer>(window_);
  }
  if (!renderer_) {
    DestroyOwned(registry_);
    DestroyOwned(textureManager_);
    return RendererAllocFailed;
  }
  return Success;
}

EffectRegistry* ParticleSystem::Registry() const {
  return registry_ && registry_->HasParticlePool() ? registry_ : nullptr;
}

int32_t ParticleSystem::Guard(int32_t noRegistry) const {
  if (!Registry()) return noRegistry;
  return enabled_ ? Success : Disabled;
}

}  // namespace tavrix
