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

// A strip's second triangle is (1, 2, 3) drawn as (2, 1, 3) to keep the
// winding.
constexpr uint32_t kListOrder[QuadBatch::kVerticesPerQuad] = {0, 1, 2, 2, 1, 3};

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
  for (uint32_t i = 0; i < kVerticesPerQuad; ++i) {
    const int c = kListOrder[i];
    out[i] = ScreenVertex{screenX.e[c],    screenY.e[c], 0.0f,      1.0f,
                          strip[c].colour, strip[c].u,   strip[c].v};
  }
}

void QuadBatch::Place(const QuadRun& run, float halfWidth, float halfHeight, float* screen) {
  const uint32_t n = run.count;
  // Row 3 of the combined matrix, quad by quad: shared by all when there
  // are no offsets.
  float m30[kRunQuads], m31[kRunQuads], m33[kRunQuads];
  for (uint32_t i = 0; i < n; ++i) {
    if (i > 0 && !run.offsetX) {
      m30[i] = m30[0];
      m31[i] = m31[0];
      m33[i] = m33[0];
      continue;
    }
    const float dx = (run.offsetX ? run.offsetX[i] : 0.0f) - halfWidth;
    const float dy = (run.offsetY ? run.offsetY[i] : 0.0f) - halfHeight;
    const D3DMATRIX& combined = CombinedFor(dx, dy);
    m30[i] = combined.m[3][0];
    m31[i] = combined.m[3][1];
    m33[i] = combined.m[3][3];
  }
  // Rows 0 to 2 are the same for every translation.
  const float(&m)[4][4] = fixedRows_.m;
  const float m00 = m[0][0], m10 = m[1][0], m20 = m[2][0];
  const float m01 = m[0][1], m11 = m[1][1], m21 = m[2][1];
  const float m03 = m[0][3], m13 = m[1][3], m23 = m[2][3];
  const float viewportX = viewportX_, viewportY = viewportY_;
  const float viewportWidth = viewportWidth_, viewportHeight = viewportHeight_;
  for (uint32_t k = 0; k < 4; ++k) {
    const uint32_t corner = kStripCorners[k];
    const float* __restrict x = run.corners + 2 * corner * kRunQuads;
    const float* __restrict y = x + kRunQuads;
    float* __restrict screenX = screen + 2 * k * kRunQuads;
    float* __restrict screenY = screenX + kRunQuads;
    const float z = 0.0f;
    for (uint32_t i = 0; i < n; ++i) {
      const float clipX = x[i] * m00 + y[i] * m10 + z * m20 + m30[i];
      const float clipY = x[i] * m01 + y[i] * m11 + z * m21 + m31[i];
      const float clipW = x[i] * m03 + y[i] * m13 + z * m23 + m33[i];
      const float w = clipW != 0.0f ? clipW : 1.0f;
      screenX[i] = viewportX + (clipX / w + 1.0f) * 0.5f * viewportWidth;
      screenY[i] = viewportY + (1.0f - clipY / w) * 0.5f * viewportHeight;
    }
  }
}

void QuadBatch::Emit(ScreenVertex* out, const float* screen, uint32_t i, uint32_t colour,
                     const UvRect& uv) {
  const float* const s = screen + i;
  for (uint32_t k = 0; k < kVerticesPerQuad; ++k) {
    const uint32_t c = kListOrder[k];
    out[k] = ScreenVertex{
        s[2 * c * kRunQuads], s[(2 * c + 1) * kRunQuads], 0.0f, 1.0f, colour, StripU(uv, c),
        StripV(uv, c)};
  }
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
