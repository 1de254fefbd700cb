// Host image objects that accept every texture and draw nothing, so fuzzing
// spends its time in the library rather than in failed-texture messages.
#pragma once

#include "tavrix/IParticleImage.h"

namespace tavrix::fuzz {

class NullImage final : public IParticleImage {
 public:
  int32_t Draw(const Point*, const Point*, uint32_t, int32_t) override { return 0; }
  int32_t GetWidth() override { return 16; }
  int32_t GetHeight() override { return 16; }
};

class NullImageLoader final : public IParticleImageLoader {
 public:
  IParticleImage* Load(const char*) override { return &image_; }
  void Release(IParticleImage*) override {}

 private:
  NullImage image_;
};

}  // namespace tavrix::fuzz
