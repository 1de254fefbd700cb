// Drawing: the emitter binds its blend mode and frame set once and hands one
// coloured, textured quad per visible particle to the renderer.
#include "simulation/Emitter.h"

#include "resources/FrameSet.h"
#include "simulation/SafeConvert.h"
#include "tavrix/ResultCode.h"

namespace tavrix {
namespace {

UvRect FrameOf(const FrameSet* frames, uint32_t index) {
  if (!frames) return UvRect{0.0f, 0.0f, 1.0f, 1.0f};
  const Frame f = frames->GetFrame(index);
  return UvRect{f.uLeft, f.vTop, f.uRight, f.vBottom};
}

}  // namespace

// Each channel x 255 rounded to nearest, ties to even; NaN and values below 0
// give 0, values from 255 up give 255. Clamping all four before rounding
// gives the same bytes as a test per channel, without the branches.
uint32_t PackColour(float red, float green, float blue, float alpha) {
  float scaled[4] = {alpha * 255.0f, red * 255.0f, green * 255.0f, blue * 255.0f};
  for (float& v : scaled) v = v > 0.0f ? v : 0.0f;
  for (float& v : scaled) v = v < 255.0f ? v : 255.0f;
  uint32_t packed = 0;
  for (float v : scaled) packed = packed << 8 | RoundSmallToEven(v);
  return packed;
}

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
  ring_.ForEach(reverseDrawOrder, [&](const Particle& p) {
    if (p.alpha < 0.05f) return;
    const float ox = offsets ? p.offsetX : 0.0f;
    const float oy = offsets ? p.offsetY : 0.0f;
    if (perParticleFrame) {
      uv = FrameOf(frames, static_cast<uint32_t>(p.frameAnimation.CurrentFrame()));
    }
    renderer.DrawQuad(p.quad, uv, PackColour(p.red, p.green, p.blue, p.alpha), 4, ox, oy);
  });
  return Success;
}

}  // namespace tavrix
