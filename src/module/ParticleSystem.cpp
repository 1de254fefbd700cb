// Creation, initialisation and teardown of a particle system.
#include "module/ParticleSystem.h"

#include <cstdio>
#include <cstring>

#include "module/Allocator.h"
#include "module/CurrentDevice.h"
#include "module/Lifetime.h"
#include "platform/FileAccess.h"
#include "platform/Win32.h"
#include "registry/EffectRegistry.h"
#include "render/DeviceRenderer.h"
#include "render/ImageRenderer.h"
#include "resources/TextureManager.h"
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
  int32_t result = CreateOwnedObjects(imageLoader);
  if (result != Success) return result;
  SetCurrentDevice(device);
  enabled_ = ReadSetting("EnableParticle", 1) > 0;
  return registry_->CreateParticlePool();
}

int32_t ParticleSystem::CreateOwnedObjects(IParticleImageLoader* imageLoader) {
  registry_ = New<EffectRegistry>();
  if (!registry_) return RegistryAllocFailed;
  textureManager_ = New<TextureManager>(device_ ? TextureManager::DeviceMode
                                                : TextureManager::ImageLoaderMode);
  if (!textureManager_) {
    DestroyOwned(registry_);
    return TextureManagerAllocFailed;
  }
  textureManager_->SetImageLoader(imageLoader);
  if (device_) {
    DeviceRenderer* renderer = New<DeviceRenderer>(device_, window_);
    if (renderer) renderer->SetBatchQuads(ReadSetting("BatchQuads", 0) > 0);
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

// Particle.ini beside the host executable, section [System]: EnableParticle
// (default 1) and BatchQuads (default 0).
int32_t ParticleSystem::ReadSetting(const char* key, int32_t defaultValue) const {
  char executable[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, executable, MAX_PATH);
  for (size_t i = std::strlen(executable); i-- > 1;) {
    if (executable[i] == DirectorySeparator) {
      executable[i] = 0;
      break;
    }
  }
  char path[MAX_PATH] = {};
  int length = std::snprintf(path, MAX_PATH, "%s%cParticle.ini", executable, DirectorySeparator);
  // A path cut to fit would name some other file: read nothing, keep the default.
  if (length < 0 || length >= MAX_PATH) return defaultValue;
  return static_cast<int32_t>(GetPrivateProfileIntA("System", key, defaultValue, path));
}

EffectRegistry* ParticleSystem::Registry() const {
  return registry_ && registry_->HasParticlePool() ? registry_ : nullptr;
}

int32_t ParticleSystem::Guard(int32_t noRegistry) const {
  if (!Registry()) return noRegistry;
  return enabled_ ? Success : Disabled;
}

}  // namespace tavrix
