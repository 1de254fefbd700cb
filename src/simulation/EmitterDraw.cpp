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

static_assert(kChunk == kRunQuads, "a chunk of particles is drawn as one run");

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
  CurrentLanes().quads(record.corners, block, slot, 1, 1, &p.quad[0].x);
  return p;
}

int32_t Emitter::Draw(IParticleRenderer& renderer) {
  if (ring_.Count() == 0) return Success;
  UvRect uv{0.0f, 0.0f, 1.0f, 1.0f};
  if (!record.animated) {
    if (!record.frameSet) return EmitterNoFrameSet;
    uv = FrameOf(record.frameSet, record.frameIndex);
  }
  FrameSet* const frames = record.animated ? record.frameAnimation.frameSet : record.frameSet;
  renderer.Bind(record.additive, frames);
  // The renderer could in principle reach this emitter, so members are
  // read before a chunk's quads, never for each quad.
  const ChunkDraw draw{frames, uv, record.reverseDrawOrder, renderer.TakesPoints()};
  // Chunks of each run of slots, oldest first, or all of it youngest first.
  SlotRun runs[2];
  ring_.Runs(runs);
  for (int r = 0; r < 2; ++r) {
    const SlotRun& run = runs[draw.reversed ? 1 - r : r];
    for (uint32_t done = 0; done < run.count; done += kChunk) {
      const uint32_t n = run.count - done < kChunk ? run.count - done : kChunk;
      DrawChunk(renderer, draw, draw.reversed ? run.first + run.count - done - n : run.first + done,
                n);
    }
  }
  return Success;
}

void Emitter::DrawChunk(IParticleRenderer& renderer, const ChunkDraw& draw, uint32_t first,
                        uint32_t n) const {
  const ColumnBlock block{ring_.Words(kLifetime), ring_.Capacity()};
  const StepLanes& lanes = CurrentLanes();
  float corner[kChunk * 8];
  int32_t cut[kChunk * 8];
  if (draw.points) {
    lanes.points(record.corners, block, first, n, record.useEffectOffset, cut);
  } else {
    lanes.quads(record.corners, block, first, n, kRunQuads, corner);
  }
  UvRect uvs[kChunk];
  uvs[0] = draw.uv;
  if (record.animated) {
    const float* const elapsed = ring_.Floats(kFrameElapsed) + first;
    for (uint32_t i = 0; i < n; ++i) {
      uvs[i] = FrameOf(draw.frames, static_cast<uint32_t>(record.frameAnimation.Frame(elapsed[i])));
    }
  }
  QuadRun run{};
  run.corners = draw.points ? nullptr : corner;
  run.points = draw.points ? cut : nullptr;
  run.colours = ring_.Words(kColour) + first;
  run.offsetX = record.useEffectOffset ? ring_.Floats(kOffsetX) + first : nullptr;
  run.offsetY = record.useEffectOffset ? ring_.Floats(kOffsetY) + first : nullptr;
  run.uvs = uvs;
  run.uvPerQuad = record.animated;
  run.reversed = draw.reversed;
  run.count = n;
  renderer.DrawQuads(run);
}

}  // namespace tavrix
