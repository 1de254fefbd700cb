// Animates a particle's texture frame through a frame set. The emitter holds
// one as a template; every particle runs its own copy.
#pragma once

#include <cstdint>

#include "effectfile/DataStream.h"

namespace tavrix {

class FrameSet;

class FrameAnimation;

// The running part of an animation, plain data so that particle records
// can be moved: each particle advances its own clock.
struct FrameClock {
  bool Start(const FrameAnimation* templateAnimation);
  void Advance(float dt);
  int32_t CurrentFrame() const { return currentFrame; }

  float cycleLength = 0.0f;
  float frameDuration = 0.0f;
  float total = 0.0f;
  float elapsed = 0.0f;
  float phase = 0.0f;
  int32_t currentFrame = 0;
  bool hasFollowUp = false;
  bool finished = true;
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

  FrameSet* frameSet = nullptr;
  const char* frameSetName = nullptr;
  const char* textureName = nullptr;
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
