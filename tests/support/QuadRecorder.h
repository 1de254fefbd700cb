// A renderer for tests and benchmarks that draws nothing. It counts every
// DrawQuad; it can also fold the bytes of every DrawQuad argument into an
// FNV-1a hash, so a whole run of drawing compares as one number, and keep
// every Bind and DrawQuad for inspection.
#pragma once

#include <cstdint>
#include <vector>

#include "render/IParticleRenderer.h"

namespace tavrix::test {

struct RecordedQuad {
  QuadPoint corners[4];
  UvRect uv;
  uint32_t colour;
  int32_t vertexCount;
  float x;
  float y;
};

struct RecordedBind {
  bool additive;
  FrameSet* frameSet;
};

class QuadRecorder final : public IParticleRenderer {
 public:
  enum Mode { CountOnly, HashOnly, Record };
  explicit QuadRecorder(Mode mode = Record) : mode_(mode) {}

  void Reset() override {}
  int32_t Bind(bool additive, FrameSet* frameSet) override;
  int32_t DrawQuad(const QuadPoint* corners, const UvRect& uv, uint32_t colour, int32_t vertexCount,
                   float x, float y) override;
  int32_t BeginFrame() override { return 0; }
  int32_t EndFrame() override { return 0; }
  int32_t SetViewSize(float, float, bool) override { return 0; }
  void* Destroy(unsigned int) override { return this; }

  void Clear();

  std::vector<RecordedQuad> quads;
  std::vector<RecordedBind> binds;
  uint64_t quadCount = 0;
  uint64_t hash = 14695981039346656037ull;

 private:
  void Fold(const void* bytes, uint32_t size);

  Mode mode_;
};

}  // namespace tavrix::test
