// The drawing interface of the two renderers: one textured, coloured quad per
// particle, bound per emitter.
#pragma once

#include <cstdint>

namespace tavrix {

class FrameSet;

struct QuadPoint {
  float x;
  float y;
};

struct UvRect {
  float uLeft;
  float vTop;
  float uRight;
  float vBottom;
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

 protected:
  ~IParticleRenderer() = default;
};

}  // namespace tavrix
