// A named, shared list of frames (rectangles in texture coordinates) with the
// one texture they show.
#pragma once

#include <cstdint>

#include "base/HostVector.h"
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
  // Appends the frames of one record block as a run. A block whose frames,
  // bit for bit and in order, are one earlier run, or the whole set when
  // every frame came from runs, appends nothing: reading the same block again (the same file loaded
  // twice, or a saved effect read back) must not change what the frame indexes of the copies
  // already playing mean. False when the frame array cannot grow.
  bool AddRun(const Frame* frames, uint32_t count);
  // Past the end: the whole texture, (0, 0, 1, 1).
  Frame GetFrame(uint32_t index) const;
  uint32_t FrameCount() const { return frames_.Size(); }
  CTexture* Texture() const { return texture_; }

 private:
  struct Run {
    uint32_t start;
    uint32_t count;
    uint64_t hash;
  };
  // Beyond this many runs new ones are appended unrecorded, which bounds the
  // work of recognising a run whatever a file holds.
  static constexpr uint32_t kMaxRuns = 1024;

  bool Holds(uint32_t start, const Frame* frames, uint32_t count) const;
  bool HoldsRun(const Frame* frames, uint32_t count, uint64_t hash) const;

  HostVector<Frame, HeapStorage> frames_;
  HostVector<Run, HeapStorage> runs_;
  uint32_t framesInRuns_ = 0;
  CTexture* texture_ = nullptr;
};

}  // namespace tavrix
