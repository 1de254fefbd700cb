// Drawing: the emitter binds its blend mode and frame set once and hands one
// coloured, textured quad per visible particle to the renderer, copied from
// the corners and colour the update placed.
#include "simulation/Emitter.h"

#include "resources/FrameSet.h"
#include "tavrix/ResultCode.h"

namespace tavrix {
namespace {

UvRect FrameOf(const FrameSet* frames, uint32_t index) {
  if (!frames) return UvRect{0.0f, 0.0f, 1.0f, 1.0f};
  const Frame f = frames->GetFrame(index);
  return UvRect{f.uLeft, f.vTop, f.uRight, f.vBottom};
}

}  // namespace

int32_t Emitter::Draw(IParticleRenderer& renderer) {
  if (ring_.Count() == 0) return Success;
  UvRect uv{0.0f, 0.0f, 1.0f, 1.0f};
  if (!animated) {
    if (!frameSet) return EmitterNoFrameSet;
    uv = FrameOf(frameSet, frameIndex);
  }
  FrameSet* const frames = animated ? frameAnimation.frameSet : frameSet;
  renderer.Bind(additive, frames);
  // The renderer could in principle reach this emitter, so members read in
  // the loop would be read again for every quad; locals are read once.
  const bool perParticleFrame = animated;
  const bool offsets = useEffectOffset;
  const QuadPoint* const quads = reinterpret_cast<const QuadPoint*>(ring_.Floats(kQuad));
  const uint32_t* const colour = ring_.Words(kColour);
  const float* const offsetX = ring_.Floats(kOffsetX);
  const float* const offsetY = ring_.Floats(kOffsetY);
  const float* const elapsed = ring_.Floats(kFrameElapsed);
  ring_.ForEach(reverseDrawOrder, [&](uint32_t slot) {
    if (colour[slot] == 0) return;
    if (perParticleFrame) {
      uv = FrameOf(frames, static_cast<uint32_t>(frameAnimation.Frame(elapsed[slot])));
    }
    renderer.DrawQuad(quads + size_t{slot} * 4, uv, colour[slot], 4, offsets ? offsetX[slot] : 0.0f,
                      offsets ? offsetY[slot] : 0.0f);
  });
  return Success;
}

}  // namespace tavrix
