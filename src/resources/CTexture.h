// Textures: the abstract base and its two kinds, one loaded through the
// Direct3D device, one through the host's image loader.
#pragma once

#include <cstdint>

#include "resources/SharedResource.h"
#include "tavrix/IParticleImage.h"
#include "tavrix/platform/Direct3D8.h"

namespace tavrix {

class CTexture : public SharedResource {
 public:
  CTexture(const char* key, const char* name) : SharedResource(key, 1), name_(name) {}

  void* Destroy(unsigned int flags) override;
  virtual int32_t Load();
  virtual void Unload();

  const char* Name() const { return name_; }

 protected:
  ~CTexture() = default;

 private:
  const char* name_;  // interned file name, relative to image\ .
};

class DeviceTexture final : public CTexture {
 public:
  using CTexture::CTexture;
  ~DeviceTexture();

  void* Destroy(unsigned int flags) override;
  int32_t Load() override;
  void Unload() override;

  IDirect3DTexture8* GetDeviceTexture() const { return texture_; }

 private:
  IDirect3DTexture8* texture_ = nullptr;
};

class ImageTexture final : public CTexture {
 public:
  using CTexture::CTexture;
  ~ImageTexture();

  void* Destroy(unsigned int flags) override;
  int32_t Load() override;
  void Unload() override;

  IParticleImage* GetImage() const { return image_; }

 private:
  IParticleImage* image_ = nullptr;
};

}  // namespace tavrix
