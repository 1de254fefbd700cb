// The batch's arithmetic and storage. The storage grows from the host
// allocator to the largest batch drawn and stays, so a steady scene
// allocates nothing while drawing.
#include "render/QuadBatch.h"

#include <cstring>

#include "module/Allocator.h"

namespace tavrix {
namespace {

struct Row {
  float x, y, z, w;
};

// A row vector times a matrix, each sum from left to right.
Row Times(const Row& r, const D3DMATRIX& m) {
  return Row{r.x * m._11 + r.y * m._21 + r.z * m._31 + r.w * m._41,
             r.x * m._12 + r.y * m._22 + r.z * m._32 + r.w * m._42,
             r.x * m._13 + r.y * m._23 + r.z * m._33 + r.w * m._43,
             r.x * m._14 + r.y * m._24 + r.z * m._34 + r.w * m._44};
}

// Row r of (world x identity) x projection, for a world row.
Row CombinedRow(const Row& worldRow, const D3DMATRIX& projection) {
  static const D3DMATRIX identity = {{{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}}};
  return Times(Times(worldRow, identity), projection);
}

}  // namespace

// A batch that never grew asks nothing of the allocator, which a renderer
// without batching may outlive.
QuadBatch::~QuadBatch() {
  if (vertices_) FreeBytes(vertices_);
}

void QuadBatch::SetView(const D3DMATRIX& projection, const D3DVIEWPORT8& viewport) {
  projection_ = projection;
  const Row rows[3] = {CombinedRow(Row{1, 0, 0, 0}, projection),
                       CombinedRow(Row{0, 1, 0, 0}, projection),
                       CombinedRow(Row{0, 0, 1, 0}, projection)};
  std::memcpy(fixedRows_.m, rows, sizeof rows);
  viewportX_ = static_cast<float>(viewport.X);
  viewportY_ = static_cast<float>(viewport.Y);
  viewportWidth_ = static_cast<float>(viewport.Width);
  viewportHeight_ = static_cast<float>(viewport.Height);
}

void QuadBatch::Transform(ScreenVertex (&out)[kVerticesPerQuad], const QuadVertex (&strip)[4],
                          float dx, float dy) const {
  D3DMATRIX combined = fixedRows_;
  const Row last = CombinedRow(Row{dx, dy, 0.0f, 1.0f}, projection_);
  std::memcpy(combined.m[3], &last, sizeof last);
  ScreenVertex corners[4];
  for (int i = 0; i < 4; ++i) {
    const QuadVertex& s = strip[i];
    const Row clip = Times(Row{s.x, s.y, s.z, 1.0f}, combined);
    const float w = clip.w != 0.0f ? clip.w : 1.0f;
    corners[i] = ScreenVertex{viewportX_ + (clip.x / w + 1.0f) * 0.5f * viewportWidth_,
                              viewportY_ + (1.0f - clip.y / w) * 0.5f * viewportHeight_,
                              0.0f,
                              1.0f,
                              s.colour,
                              s.u,
                              s.v};
  }
  // A strip's second triangle is (1, 2, 3) drawn as (2, 1, 3) to keep the
  // winding.
  static constexpr int kOrder[kVerticesPerQuad] = {0, 1, 2, 2, 1, 3};
  for (uint32_t i = 0; i < kVerticesPerQuad; ++i) out[i] = corners[kOrder[i]];
}

bool QuadBatch::Append(const ScreenVertex (&quad)[kVerticesPerQuad]) {
  if (count_ == capacity_) {
    if (capacity_ == kMaxQuads) return false;
    uint32_t grown = capacity_ ? capacity_ * 2 : 256;
    if (grown > kMaxQuads) grown = kMaxQuads;
    void* memory = AllocateBytes(grown * kVerticesPerQuad * sizeof(ScreenVertex));
    if (!memory) return false;
    if (count_) std::memcpy(memory, vertices_, count_ * kVerticesPerQuad * sizeof(ScreenVertex));
    FreeBytes(vertices_);
    vertices_ = static_cast<ScreenVertex*>(memory);
    capacity_ = grown;
  }
  std::memcpy(vertices_ + count_ * kVerticesPerQuad, quad, sizeof quad);
  ++count_;
  return true;
}

}  // namespace tavrix
