// The quads of one Bind gathered for the device as one triangle list of
// transformed vertices: each quad's strip becomes its two triangles, in the
// strip's vertex order, with every vertex taken through the fixed-function
// arithmetic the device would apply to it under the quad's own world
// translation (the translation, the identity view, the projection, the
// division by w and the viewport, in that order), so that a batch lands on
// the pixels of the quads drawn one by one.
#pragma once

#include <cstddef>
#include <cstdint>

#include "render/IParticleRenderer.h"
#include "tavrix/platform/Direct3D8.h"

namespace tavrix {

// A vertex of the per-quad strip: format XYZ | DIFFUSE | TEX1.
struct QuadVertex {
  float x, y, z;
  uint32_t colour;
  float u, v;
};
static_assert(sizeof(QuadVertex) == 24, "the vertex format is 24 bytes");

// The corner of the quad each vertex of its strip takes, and the texture
// coordinates it takes from the quad's uv: left on even vertices, bottom on
// the first two.
inline constexpr uint32_t kStripCorners[4] = {3, 2, 0, 1};
inline float StripU(const UvRect& uv, uint32_t vertex) { return vertex & 1 ? uv.uRight : uv.uLeft; }
inline float StripV(const UvRect& uv, uint32_t vertex) { return vertex < 2 ? uv.vBottom : uv.vTop; }

// A vertex of the batch: format XYZRHW | DIFFUSE | TEX1.
struct ScreenVertex {
  float x, y, z, rhw;
  uint32_t colour;
  float u, v;
};
static_assert(sizeof(ScreenVertex) == 28, "the transformed format is 28 bytes");

class QuadBatch {
 public:
  static constexpr DWORD kVertexFormat = D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1;
  // Devices cap the primitives of one draw call, commonly at 65,535.
  static constexpr uint32_t kMaxQuads = 32767;
  static constexpr uint32_t kVerticesPerQuad = 6;

  QuadBatch() = default;
  ~QuadBatch();
  QuadBatch(const QuadBatch&) = delete;
  QuadBatch& operator=(const QuadBatch&) = delete;

  // The projection and viewport of the quads that follow.
  void SetView(const D3DMATRIX& projection, const D3DVIEWPORT8& viewport);
  const D3DMATRIX& Projection() const { return projection_; }
  // The strip of a quad translated by (dx, dy) as the list's six vertices.
  void Transform(ScreenVertex* out, const QuadVertex (&strip)[4], float dx, float dy);
  // Where the strip vertices of every quad of a run land, each quad
  // translated by its offset (none: 0) less (halfWidth, halfHeight), by the
  // arithmetic of Transform carried out for many quads side by side: x and
  // y of strip vertex k of quad i at screen[2k * kRunQuads + i] and
  // screen[(2k + 1) * kRunQuads + i].
  void Place(const QuadRun& run, float halfWidth, float halfHeight, float* screen);
  // Quad i of a run that Place placed, as the list's six vertices.
  static void Emit(ScreenVertex* out, const float* screen, uint32_t i, uint32_t colour,
                   const UvRect& uv);
  // Room for the next quad's six vertices, which the caller fills; none
  // when the batch is full or its storage cannot grow.
  ScreenVertex* Next() {
    if (count_ == capacity_ && !Grow()) return nullptr;
    return vertices_ + size_t{count_++} * kVerticesPerQuad;
  }
  uint32_t QuadCount() const { return count_; }
  const ScreenVertex* Vertices() const { return vertices_; }
  void Clear() { count_ = 0; }

 private:
  bool Grow();
  const D3DMATRIX& CombinedFor(float dx, float dy);

  D3DMATRIX projection_{};
  // Rows 1 to 3 of world x view x projection, which no translation changes.
  D3DMATRIX fixedRows_{};
  // World x view x projection for the translation in combinedKey_.
  D3DMATRIX combined_{};
  float combinedKey_[2] = {};
  bool combinedValid_ = false;
  float viewportX_ = 0.0f, viewportY_ = 0.0f, viewportWidth_ = 0.0f, viewportHeight_ = 0.0f;
  ScreenVertex* vertices_ = nullptr;
  uint32_t count_ = 0;
  uint32_t capacity_ = 0;
};

}  // namespace tavrix
