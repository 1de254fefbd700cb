// Host image objects, used instead of a Direct3D device: the library hands
// every textured quad to the image that backs its texture.
#pragma once

#include <cstdint>

namespace tavrix {

struct Point {
  int32_t x;
  int32_t y;
};

class IParticleImage {
 public:
  // source and destination each address four consecutive points.
  virtual int32_t Draw(const Point* source, const Point* destination, uint32_t colour,
                       int32_t additive) = 0;
  virtual int32_t GetWidth() = 0;
  virtual int32_t GetHeight() = 0;

 protected:
  ~IParticleImage() = default;
};

class IParticleImageLoader {
 public:
  virtual IParticleImage* Load(const char* path) = 0;
  virtual void Release(IParticleImage* image) = 0;

 protected:
  ~IParticleImageLoader() = default;
};

}  // namespace tavrix
