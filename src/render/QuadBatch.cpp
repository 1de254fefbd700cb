// The batch's arithmetic and storage. The storage grows from the host
// allocator to the largest batch drawn and stays, so a steady scene
// allocates nothing while drawing.
#include "render/QuadBatch.h"

#include <cstring>

#include "base/Allocator.h"

namespace tavrix {
namespace {

// A row vector of four; its operations are loops over the four elements so
// that the compiler gives them one vector register, element by element
// the same operations in the same order as scalar code.
struct Row {
  float e[4];
};

// A row vector times a matrix, each sum from left to right.
Row Times(const Row& r, const D3DMATRIX& m) {
  Row out;
  for (int j = 0; j < 4; ++j) {
    out.e[j] = r.e[0] * m.m[0][j] + r.e[1] * m.m[1][j] + r.e[2] * m.m[2][j] + r.e[3] * m.m[3][j];
  }
  return out;
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
  const Row rows[3] = {CombinedRow(Row{{1, 0, 0, 0}}, projection),
                       CombinedRow(Row{{0, 1, 0, 0}}, projection),
                       CombinedRow(Row{{0, 0, 1, 0}}, projection)};
  std::memcpy(fixedRows_.m, rows, sizeof rows);
  viewportX_ = static_cast<float>(viewport.X);
  viewportY_ = static_cast<float>(viewport.Y);
  viewportWidth_ = static_cast<float>(viewport.Width);
  viewportHeight_ = static_cast<float>(viewport.Height);
  combinedValid_ = false;
}

// Quads of one emitter mostly share their translation, so the combined
// matrix of the last one is kept; its bits, not its value, decide, which
// keeps signed zeros and NaNs apart.
const D3DMATRIX& QuadBatch::CombinedFor(float dx, float dy) {
  const float key[2] = {dx, dy};
  if (combinedValid_ && std::memcmp(key, combinedKey_, sizeof key) == 0) return combined_;
  combined_ = fixedRows_;
  const Row last = CombinedRow(Row{{dx, dy, 0.0f, 1.0f}}, projection_);
  std::memcpy(combined_.m[3], &last, sizeof last);
  std::memcpy(combinedKey_, key, sizeof key);
  combinedValid_ = true;
  return combined_;
}

void QuadBatch::Transform(ScreenVertex* out, const QuadVertex (&strip)[4], float dx, float dy) {
  const D3DMATRIX& combined = CombinedFor(dx, dy);
  // The four corners side by side, one lane each, through the same sums a
  // row vector times the matrix takes.
  Row x, y, z, clipX, clipY, clipW, screenX, screenY;
  for (int i = 0; i < 4; ++i) {
    x.e[i] = strip[i].x;
    y.e[i] = strip[i].y;
    z.e[i] = strip[i].z;
  }
  const float(&m)[4][4] = combined.m;
  for (int i = 0; i < 4; ++i) {
    clipX.e[i] = x.e[i] * m[0][0] + y.e[i] * m[1][0] + z.e[i] * m[2][0] + 1.0f * m[3][0];
    clipY.e[i] = x.e[i] * m[0][1] + y.e[i] * m[1][1] + z.e[i] * m[2][1] + 1.0f * m[3][1];
    clipW.e[i] = x.e[i] * m[0][3] + y.e[i] * m[1][3] + z.e[i] * m[2][3] + 1.0f * m[3][3];
  }
  for (int i = 0; i < 4; ++i) {
    const float w = clipW.e[i] != 0.0f ? clipW.e[i] : 1.0f;
    screenX.e[i] = viewportX_ + (clipX.e[i] / w + 1.0f) * 0.5f * viewportWidth_;
    screenY.e[i] = viewportY_ + (1.0f - clipY.e[i] / w) * 0.5f * viewportHeight_;
  }
  // A strip's second triangle is (1, 2, 3) drawn as (2, 1, 3) to keep the
  // winding.
  static constexpr int kOrder[kVerticesPerQuad] = {0, 1, 2, 2, 1, 3};
  for (uint32_t i = 0; i < kVerticesPerQuad; ++i) {
    const int c = kOrder[i];
    out[i] = ScreenVertex{screenX.e[c],    screenY.e[c], 0.0f,      1.0f,
                          strip[c].colour, strip[c].u,   strip[c].v};
  }
}

ScreenVertex* QuadBatch::Next() {
  if (count_ == capacity_ && !Grow()) return nullptr;
  return vertices_ + size_t{count_++} * kVerticesPerQuad;
}

bool QuadBatch::Grow() {
  if (capacity_ == kMaxQuads) return false;
  uint32_t grown = capacity_ ? capacity_ * 2 : 256;
  if (grown > kMaxQuads) grown = kMaxQuads;
  void* memory = AllocateBytes(grown * kVerticesPerQuad * sizeof(ScreenVertex));
  if (!memory) return false;
  if (count_) std::memcpy(memory, vertices_, count_ * kVerticesPerQuad * sizeof(ScreenVertex));
  FreeBytes(vertices_);
  vertices_ = static_cast<ScreenVertex*>(memory);
  capacity_ = grown;
  return true;
}

}  // namespace tavrix
