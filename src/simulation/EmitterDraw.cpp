// Drawing: the emitter binds its blend mode and frame set once and hands the
// renderer its particles' quads a chunk at a time, the corners worked out
// in lane code from the positions, sizes, sines and cosines the update left,
// with the colour it packed; the renderer skips the ones too faint to draw.
#include "simulation/Emitter.h"

#include "resources/FrameSet.h"
#include "simulation/lanes/LanePaths.h"
#include "tavrix/ResultCode.h"

namespace tavrix {
namespace {

UvRect FrameOf(const FrameSet* frames, uint32_t index) {
  if (!frames) return UvRect{0.0f, 0.0f, 1.0f, 1.0f};
  const Frame f = frames->GetFrame(index);
  return UvRect{f.uLeft, f.vTop, f.uRight, f.vBottom};
}

}  // namespace

Particle Emitter::ParticleAt(int32_t index) const {
  const uint32_t slot = ring_.Slot(static_cast<uint32_t>(index));
  Particle p = ring_.Load(slot);
  const ColumnBlock block{ring_.Words(kLifetime), ring_.Capacity()};
  CurrentLanes().quads(corners, block, slot, 1, &p.quad[0].x);
  return p;
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
  const bool reversed = reverseDrawOrder;
  const QuadPoint pivot[4] = {corners[0], corners[1], corners[2], corners[3]};
  const StepLanes& lanes = CurrentLanes();
  const ColumnBlock block{ring_.Words(kLifetime), ring_.Capacity()};
  const uint32_t* const colour = ring_.Words(kColour);
  const float* const offsetX = useEffectOffset ? ring_.Floats(kOffsetX) : nullptr;
  const float* const offsetY = useEffectOffset ? ring_.Floats(kOffsetY) : nullptr;
  const float* const elapsed = ring_.Floats(kFrameElapsed);
  const bool points = renderer.TakesPoints();
  float corner[kChunk * 8];
  int32_t cut[kChunk * 8];
  UvRect uvs[kChunk];
  uvs[0] = uv;
  // Chunks of each run of slots, oldest first, or all of it youngest first.
  SlotRun runs[2];
  ring_.Runs(runs);
  for (int r = 0; r < 2; ++r) {
    const SlotRun& run = runs[reversed ? 1 - r : r];
    for (uint32_t done = 0; done < run.count; done += kChunk) {
      const uint32_t n = run.count - done < kChunk ? run.count - done : kChunk;
      const uint32_t first = reversed ? run.first + run.count - done - n : run.first + done;
      if (points) {
        lanes.points(pivot, block, first, n, offsetX != nullptr, cut);
      } else {
        lanes.quads(pivot, block, first, n, corner);
      }
      if (perParticleFrame) {
        for (uint32_t i = 0; i < n; ++i) {
          uvs[i] = FrameOf(frames, static_cast<uint32_t>(frameAnimation.Frame(elapsed[first + i])));
        }
      }
      QuadRun quadRun{};
      for (uint32_t k = 0; k < 8; ++k) {
        float* const row = points ? nullptr : corner + k * n;
        (k % 2 == 0 ? quadRun.cornerX : quadRun.cornerY)[k / 2] = row;
        quadRun.points[k] = points ? cut + k * n : nullptr;
      }
      quadRun.colours = colour + first;
      quadRun.offsetX = offsetX ? offsetX + first : nullptr;
      quadRun.offsetY = offsetY ? offsetY + first : nullptr;
      quadRun.uvs = uvs;
      quadRun.uvPerQuad = perParticleFrame;
      quadRun.reversed = reversed;
      quadRun.count = n;
      renderer.DrawQuads(quadRun);
    }
  }
  return Success;
}

}  // namespace tavrix
