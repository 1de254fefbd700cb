// The drawing interface of the two renderers: one textured, coloured quad per
// particle, bound per emitter.
#pragma once

#include <cstdint>

#include "base/QuadPoint.h"

namespace tavrix {

class FrameSet;

struct UvRect {
  float uLeft;
  float vTop;
  float uRight;
  float vBottom;
};

// A run holds at most this many quads, and its rows lie this many values
// apart.
constexpr uint32_t kRunQuads = 256;

// The quads of one emitter's chunk of particles, all under one Bind, as rows
// of kRunQuads values: row 2k holds the x of every quad's corner k, row
// 2k + 1 its y, so that corner k of quad i lies at (corners[2k * kRunQuads +
// i], corners[(2k + 1) * kRunQuads + i]). Each is drawn at its offset (none:
// at 0, 0) with one uv for all or one each, in order or, when reversed, from
// the last. A colour of 0 marks a particle too faint to draw. For a renderer
// that takes points the corners are none and the points' rows are those of
// the corners plus the offset and a half, each cut toward zero as
// TruncateToInt32 cuts it.
struct QuadRun {
  const float* corners;
  const int32_t* points;
  const uint32_t* colours;
  const float* offsetX;
  const float* offsetY;
  const UvRect* uvs;
  bool uvPerQuad;
  bool reversed;
  uint32_t count;
};

class IParticleRenderer {
 public:
  virtual void Reset() = 0;
  virtual int32_t Bind(bool additive, FrameSet* frameSet) = 0;
  // Corner i is drawn at (x + corners[i].x, y + corners[i].y).
  virtual int32_t DrawQuad(const QuadPoint* corners, const UvRect& uv, uint32_t colour,
                           int32_t vertexCount, float x, float y) = 0;
  virtual int32_t BeginFrame() = 0;
  virtual int32_t EndFrame() = 0;
  virtual int32_t SetViewSize(float width, float height, bool applyViewport) = 0;
  // Destroying destructor: bit 0 of flags asks for the memory to be freed.
  virtual void* Destroy(unsigned int flags) = 0;
  // After the seven slots above: whether DrawQuads wants the points of its
  // quads rather than corners; and a run of quads at once, by default each
  // visible one through DrawQuad. The renderer's results are not looked at.
  virtual bool TakesPoints() const { return false; }
  virtual void DrawQuads(const QuadRun& run) {
    for (uint32_t n = 0; n < run.count; ++n) {
      const uint32_t i = run.reversed ? run.count - 1 - n : n;
      if (run.colours[i] == 0) continue;
      QuadPoint corners[4];
      for (int k = 0; k < 4; ++k) {
        corners[k] = {run.corners[2 * k * kRunQuads + i], run.corners[(2 * k + 1) * kRunQuads + i]};
      }
      DrawQuad(corners, run.uvs[run.uvPerQuad ? i : 0], run.colours[i], 4,
               run.offsetX ? run.offsetX[i] : 0.0f, run.offsetY ? run.offsetY[i] : 0.0f);
    }
  }

 protected:
  ~IParticleRenderer() = default;
};

}  // namespace tavrix
