// Drawing: the emitter binds its blend mode and frame set once and hands one
// coloured, textured quad per visible particle to the renderer.
#include "simulation/Emitter.h"

#include "resources/FrameSet.h"
#include "simulation/SafeConvert.h"
#include "tavrix/ResultCode.h"

namespace tavrix {
namespace {

// channel x 255 rounded to nearest, ties to even; NaN and values below 0 give
// 0, values from 255 up give 255.
uint32_t PackChannel(float channel) {
  const float v = channel * 255.0f;
  if (!(v > 0.0f)) return 0;
  if (v >= 255.0f) return 255;
  return RoundSmallToEven(v);
}

UvRect FrameOf(const FrameSet* frames, uint32_t index) {
  if (!frames) return UvRect{0.0f, 0.0f, 1.0f, 1.0f};
  const Frame f = frames->GetFrame(index);
  return UvRect{f.uLeft, f.vTop, f.uRight, f.vBottom};
}

}  // namespace

uint32_t PackColour(float red, float green, float blue, float alpha) {
  return PackChannel(alpha) << 24 | PackChannel(red) << 16 | PackChannel(green) << 8 |
         PackChannel(blue);
}

int32_t Emitter::Draw(IParticleRenderer& renderer) {
  if (ring_.Count() == 0) return Success;
  UvRect uv{0.0f, 0.0f, 1.0f, 1.0f};
  if (!animated) {
    if (!frameSet) return EmitterNoFrameSet;
    uv = FrameOf(frameSet, frameIndex);
  }
  const FrameSet* frames = animated ? frameAnimation.frameSet : frameSet;
  renderer.Bind(additive, animated ? frameAnimation.frameSet : frameSet);
  ring_.ForEach(reverseDrawOrder, [&](const Particle& p) {
    if (p.alpha < 0.05f) return;
    const float ox = useEffectOffset ? p.offsetX : 0.0f;
    const float oy = useEffectOffset ? p.offsetY : 0.0f;
    if (animated) uv = FrameOf(frames, static_cast<uint32_t>(p.frameAnimation.CurrentFrame()));
    renderer.DrawQuad(p.quad, uv, PackColour(p.red, p.green, p.blue, p.alpha), 4, ox, oy);
  });
  return Success;
}

}  // namespace tavrix
