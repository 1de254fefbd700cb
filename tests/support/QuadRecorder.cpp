// The recording renderer of the tests and benchmarks.
#include "support/QuadRecorder.h"

namespace tavrix::test {

int32_t QuadRecorder::Bind(bool additive, FrameSet* frameSet) {
  if (mode_ == Record) binds.push_back(RecordedBind{additive, frameSet});
  return 0;
}

int32_t QuadRecorder::DrawQuad(const QuadPoint* corners, const UvRect& uv, uint32_t colour,
                               int32_t vertexCount, float x, float y) {
  ++quadCount;
  if (mode_ == CountOnly) return 0;
  Fold(corners, sizeof(QuadPoint) * 4);
  Fold(&uv, sizeof uv);
  Fold(&colour, sizeof colour);
  Fold(&vertexCount, sizeof vertexCount);
  Fold(&x, sizeof x);
  Fold(&y, sizeof y);
  if (mode_ == Record) {
    RecordedQuad quad{
        {corners[0], corners[1], corners[2], corners[3]}, uv, colour, vertexCount, x, y};
    quads.push_back(quad);
  }
  return 0;
}

void QuadRecorder::Clear() {
  quads.clear();
  binds.clear();
  quadCount = 0;
  hash = 14695981039346656037ull;
}

void QuadRecorder::Fold(const void* bytes, uint32_t size) {
  const auto* p = static_cast<const uint8_t*>(bytes);
  for (uint32_t i = 0; i < size; ++i) {
    hash ^= p[i];
    hash *= 1099511628211ull;
  }
}

}  // namespace tavrix::test
