// Creates frame sets and textures on first request, shares them by name with
// counted references and destroys each with its last reference. One manager
// is current per process.
#pragma once

#include <cstdint>

#include "resources/ResourceCache.h"
#include "tavrix/IParticleImage.h"

namespace tavrix {

class TextureManager {
 public:
  enum Mode : int32_t { DeviceMode = 0, ImageLoaderMode = 1 };
  enum Kind : int32_t { FrameSetKind = 0, TextureKind = 1 };

  explicit TextureManager(int32_t mode);
  ~TextureManager();
  TextureManager(const TextureManager&) = delete;
  TextureManager& operator=(const TextureManager&) = delete;

  void SetImageLoader(IParticleImageLoader* loader) { imageLoader_ = loader; }
  IParticleImageLoader* GetImageLoader() const { return imageLoader_; }
  int32_t GetMode() const { return mode_; }

  // kind 0 gives a FrameSet, kind 1 a CTexture; none for any other kind or
  // when memory runs out.
  SharedResource* Acquire(int32_t kind, const char* name);
  // Looks up by kind and name, so a frame set and a texture of the same
  // name are never handed out one as the other. Counts are not changed.
  SharedResource* Find(int32_t kind, const char* name);
  void Release(SharedResource* resource);

  const ResourceCache& Cache() const { return cache_; }

 private:
  ResourceCache cache_;
  int32_t mode_;
  IParticleImageLoader* imageLoader_ = nullptr;
};

TextureManager* CurrentTextureManager();

}  // namespace tavrix
