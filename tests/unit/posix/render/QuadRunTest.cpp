// A run of quads, as an emitter hands a chunk of its particles to a
// renderer, draws exactly what the same quads drawn one by one through
// DrawQuad draw: the showcase effect (one frame for all and a frame each,
// newest first, at the effect's offset) played for a while, through the
// device renderer per quad and batched (every vertex's bytes, each world
// transform and vertex shader) and through the image renderer (its points).
#include <gtest/gtest.h>

#include <vector>

#include "render/DeviceRenderer.h"
#include "render/ImageRenderer.h"
#include "support/RecordingImage.h"
#include "support/Workloads.h"
#include "support/posix/TextureEnvironment.h"

namespace tavrix {
namespace {

// Forwards to a renderer, but takes each run quad by quad through its
// DrawQuad, as the interface's own DrawQuads does.
class OneByOne final : public IParticleRenderer {
 public:
  explicit OneByOne(IParticleRenderer& renderer) : renderer_(renderer) {}
  void Reset() override { renderer_.Reset(); }
  int32_t Bind(bool additive, FrameSet* frames) override {
    return renderer_.Bind(additive, frames);
  }
  int32_t DrawQuad(const QuadPoint* corners, const UvRect& uv, uint32_t colour, int32_t count,
                   float x, float y) override {
    return renderer_.DrawQuad(corners, uv, colour, count, x, y);
  }
  int32_t BeginFrame() override { return renderer_.BeginFrame(); }
  int32_t EndFrame() override { return renderer_.EndFrame(); }
  int32_t SetViewSize(float width, float height, bool apply) override {
    return renderer_.SetViewSize(width, height, apply);
  }
  void* Destroy(unsigned int) override { return nullptr; }

 private:
  IParticleRenderer& renderer_;
};

// Plays the showcase and calls compare(renderer, oneByOne) on every fifth
// frame; returns the quads of the frames compared.
template <class Compare>
int32_t PlayShowcase(test::SimulationWorld& world, IParticleRenderer& renderer, Compare compare) {
  OneByOne oneByOne(renderer);
  int32_t quads = 0;
  EXPECT_EQ(world.effect->Start(0, true), 0);
  for (int frame = 0; frame < 150; ++frame) {
    world.effect->AdvanceBy(test::ShowcaseStepMs(frame));
    if (frame % 5 != 0) continue;
    compare(renderer, oneByOne);
    quads += world.effect->GetParticleCount();
  }
  return quads;
}

TEST(QuadRun, TheDeviceRendererDrawsARunAsItsQuadsOneByOne) {
  test::TextureEnvironment env;
  HWND__ window{0, 0, 640, 480};
  for (bool batched : {false, true}) {
    test::SimulationWorld world;
    test::BuildShowcase(world);
    DeviceRenderer renderer(&env.device, &window);
    renderer.SetBatchQuads(batched);
    renderer.SetViewSize(800.0f, 500.0f, true);
    auto draws = [&](IParticleRenderer& r) {
      env.device.draws.clear();
      r.BeginFrame();
      world.effect->Draw(r);
      r.EndFrame();
      return env.device.draws;
    };
    const int32_t quads = PlayShowcase(world, renderer, [&](auto& run, auto& oneByOne) {
      const std::vector<test::RecordedDraw> expected = draws(oneByOne);
      const std::vector<test::RecordedDraw> actual = draws(run);
      ASSERT_EQ(actual.size(), expected.size()) << batched;
      for (size_t i = 0; i < actual.size(); ++i) {
        EXPECT_EQ(actual[i].type, expected[i].type);
        EXPECT_EQ(actual[i].bytes, expected[i].bytes) << batched << " draw " << i;
        EXPECT_TRUE(test::SameMatrix(actual[i].world, expected[i].world));
        EXPECT_EQ(actual[i].vertexShader, expected[i].vertexShader);
      }
    });
    EXPECT_GT(quads, 1000);
  }
}

TEST(QuadRun, TheImageRendererDrawsARunAsItsQuadsOneByOne) {
  test::ScopedAllocator scope;
  test::RecordingImageLoader loader;  // outlives the textures it loads
  test::SimulationWorld world(TextureManager::ImageLoaderMode);
  world.textures.SetImageLoader(&loader);
  loader.Provide("image\\dot.png", 64, 32);
  test::BuildShowcase(world);
  for (IParticleEmitter* e : world.effect->emitters) {
    auto* emitter = static_cast<Emitter*>(e);
    for (FrameSet* frames : {emitter->record.frameSet, emitter->record.frameAnimation.frameSet}) {
      if (frames) frames->SetTexture("dot.png");
    }
  }
  HWND__ window{0, 0, 640, 480};
  ImageRenderer renderer(&window);
  auto draws = [&](IParticleRenderer& r) {
    test::RecordingImage* image = loader.OnlyImage();
    image->draws.clear();
    world.effect->Draw(r);
    return image->draws;
  };
  const int32_t quads = PlayShowcase(world, renderer, [&](auto& run, auto& oneByOne) {
    const std::vector<test::RecordedImageDraw> expected = draws(oneByOne);
    const std::vector<test::RecordedImageDraw> actual = draws(run);
    ASSERT_EQ(actual.size(), expected.size());
    ASSERT_FALSE(actual.empty());
    for (size_t i = 0; i < actual.size(); ++i) {
      for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(actual[i].source[k].x, expected[i].source[k].x) << "quad " << i;
        EXPECT_EQ(actual[i].source[k].y, expected[i].source[k].y) << "quad " << i;
        EXPECT_EQ(actual[i].destination[k].x, expected[i].destination[k].x) << "quad " << i;
        EXPECT_EQ(actual[i].destination[k].y, expected[i].destination[k].y) << "quad " << i;
      }
      EXPECT_EQ(actual[i].colour, expected[i].colour);
      EXPECT_EQ(actual[i].additive, expected[i].additive);
    }
  });
  EXPECT_GT(quads, 1000);
}

}  // namespace
}  // namespace tavrix
