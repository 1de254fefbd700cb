// Host image objects, used instead of a Direct3D device: the library hands
// every textured quad to the image that backs its texture. Nothing is
// transformed: destinations are view units as they are (no scaling by
// SetViewSize), so the host maps one unit to one pixel or applies its own
// zoom and pan. Everything is called on the host's thread, inside DrawAll
// or DrawEffect and during LoadEffect.
#pragma once

#include <cstdint>

namespace tavrix {

struct Point {
  int32_t x;
  int32_t y;
};

class IParticleImage {
 public:
  // Draws part of the image as one quad. source: four points in the
  // image's pixels, (left, top), (right, top), (right, bottom), (left,
  // bottom). destination: the four points where they land, in view units
  // (x + 0.5 cut toward zero); a host draws source[i] at destination[i].
  // colour: A8R8G8B8 that multiplies the image. additive: 1 adds to what is
  // below, 0 blends by alpha. The result is ignored.
  virtual int32_t Draw(const Point* source, const Point* destination, uint32_t colour,
                       int32_t additive) = 0;
  // The image's size in pixels, asked each time an emitter binds it.
  virtual int32_t GetWidth() = 0;
  virtual int32_t GetHeight() = 0;

 protected:
  ~IParticleImage() = default;
};

class IParticleImageLoader {
 public:
  // The image for path, image\NAME with NAME as the effect file gives it
  // (backslashes and the author's letter case included), relative to the
  // current directory. Null when there is none: the library then reports
  // the failure as a message box and draws nothing with that texture.
  virtual IParticleImage* Load(const char* path) = 0;
  // The library is done with an image Load returned (its last effect using
  // it was unloaded, or the system released).
  virtual void Release(IParticleImage* image) = 0;

 protected:
  ~IParticleImageLoader() = default;
};

}  // namespace tavrix
