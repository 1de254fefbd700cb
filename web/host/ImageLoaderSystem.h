// A particle system in image-loader mode, as both web hosts hold one:
// created through the exported factory, initialised for a view of width x
// height units (one per pixel) drawing through the given images, and
// released with its factory.
#pragma once

#include <cstdint>

#include "tavrix/tavrix.h"

namespace tavrix::web {

class ImageLoaderSystem {
 public:
  ImageLoaderSystem(int32_t width, int32_t height, IParticleImageLoader& images);
  ~ImageLoaderSystem();
  ImageLoaderSystem(const ImageLoaderSystem&) = delete;
  ImageLoaderSystem& operator=(const ImageLoaderSystem&) = delete;

  // The result of creating and initialising the system: 0 when it works.
  int32_t Status() const { return status_; }
  // Only when Status() is 0.
  IParticleSystem& System() { return *system_; }

 private:
  IParticleSystemFactory* factory_ = nullptr;
  IParticleSystem* system_ = nullptr;
  HWND__ window_;
  int32_t status_ = -1;
};

}  // namespace tavrix::web
