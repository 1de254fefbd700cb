// A particle renderer that draws nothing and records what it is asked to
// draw: each Bind with its frame set and each quad with its position.
#pragma once

#include <cstdint>
#include <vector>

#include "render/IParticleRenderer.h"

namespace tavrix::test {

class RecordingParticleRenderer final : public IParticleRenderer {
 public:
  struct Quad {
    QuadPoint corners[4];
    UvRect uv;
    uint32_t colour;
    float x, y;
    int32_t bindIndex;  // which Bind it was drawn under
  };

  void Reset() override {}
  int32_t Bind(bool additive, FrameSet* frameSet) override {
    binds.push_back(Binding{additive, frameSet});
    return 0;
  }
  int32_t DrawQuad(const QuadPoint* corners, const UvRect& uv, uint32_t colour, int32_t,
                   float x, float y) override {
    Quad quad{{corners[0], corners[1], corners[2], corners[3]}, uv, colour, x, y,
              static_cast<int32_t>(binds.size()) - 1};
    quads.push_back(quad);
    return 0;
  }
  int32_t BeginFrame() override { return 0; }
  int32_t EndFrame() override { return 0; }
  int32_t SetViewSize(float, float, bool) override { return 0; }
  void* Destroy(unsigned int) override { return this; }

  struct Binding {
    bool additive;
    FrameSet* frameSet;
  };
  std::vector<Binding> binds;
  std::vector<Quad> quads;
};

}  // namespace tavrix::test
