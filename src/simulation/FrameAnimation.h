// Animates a particle's texture frame through a frame set. The emitter holds
// the animation; every particle runs its own clock through it.
#pragma once

#include <cstdint>

#include "base/DataStream.h"

namespace tavrix {

class FrameSet;

class FrameAnimation;

// The frame animation's settings, read from its record block.
struct FrameClock {
  float cycleLength = 0.0f;
  bool hasFollowUp = false;
  bool randomStart = false;
  bool loop = false;
};

// The emitter's template: the record block and the frame set it names.
class FrameAnimation : public FrameClock {
 public:
  FrameAnimation() = default;
  virtual ~FrameAnimation();
  FrameAnimation(const FrameAnimation&) = delete;
  FrameAnimation& operator=(const FrameAnimation&) = delete;

  int32_t Read(IDataStream& stream);
  int32_t Write(IDataStream& stream) const;

  // A particle's own clock, kept as the time it has run and whether a clock
  // that does not loop has run out: a new particle's clock, which draws
  // once when the start is random; one step of it; the frame it shows.
  void Start(float& elapsed, uint32_t& finished) const;
  void Advance(float dt, float& elapsed, uint32_t& finished) const;
  int32_t Frame(float elapsed) const;

  FrameSet* frameSet = nullptr;
  const char* frameSetName = nullptr;
  const char* textureName = nullptr;

 private:
  float FrameDuration() const;
};

// The frame set block shared by the frame animation block and the emitter's
// own frame set block: both names, then the frames. Reading acquires the
// named frame set from the current texture manager (none without one) and
// adds the stored frames to it as one run.
FrameSet* ReadFrameSetBlock(IDataStream& stream, const char*& frameSetName,
                            const char*& textureName);
void WriteFrameSetBlock(IDataStream& stream, const FrameSet* frameSet, const char* frameSetName,
                        const char* textureName);
// Gives a frame set back to the current texture manager and clears the slot.
void ReleaseFrameSet(FrameSet*& frameSet);

}  // namespace tavrix
