// A named, shared list of frames (rectangles in texture coordinates) with the
// one texture they show.
#pragma once

#include <cstdint>

#include "module/HostVector.h"
#include "resources/SharedResource.h"

namespace tavrix {

class CTexture;

struct Frame {
  float uLeft;
  float vTop;
  float uRight;
  float vBottom;
};

class FrameSet final : public SharedResource {
 public:
  explicit FrameSet(const char* key) : SharedResource(key, 0) {}
  ~FrameSet();

  void* Destroy(unsigned int flags) override;

  void SetTexture(const char* name);
  // False when the frame array cannot grow.
  bool AddFrame(float uLeft, float vTop, float uRight, float vBottom);
  // Past the end: the whole texture, (0, 0, 1, 1).
  Frame GetFrame(uint32_t index) const;
  uint32_t FrameCount() const { return frames_.Size(); }
  CTexture* Texture() const { return texture_; }

 private:
  HostVector<Frame, HeapStorage> frames_;
  CTexture* texture_ = nullptr;
};

}  // namespace tavrix
