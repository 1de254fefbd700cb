// Loading a file again leaves the copies already playing as they were: frame
// sets are shared by name, and a block read again must not add its frames
// once more.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "base/Allocator.h"
#include "base/RandomSource.h"
#include "support/CountingAllocator.h"
#include "support/EffectFileBuilder.h"
#include "support/EffectWorkloads.h"
#include "support/RecordingImage.h"
#include "tavrix/tavrix.h"

namespace tavrix {
namespace {

using test::Bytes;
using test::EmitterDesc;
using test::FrameDesc;

EmitterDesc Strip(const std::string& frameSet, std::vector<FrameDesc> frames) {
  EmitterDesc desc = test::SteadyEmitter(40.0f, 2.0f);
  desc.frameSetName = frameSet;
  desc.textureName = "strip.png";
  desc.frames = std::move(frames);
  return desc;
}

// A looping four-frame animation and a still emitter showing frame 1 of two.
Bytes AnimatedRecord() {
  EmitterDesc animated = Strip("flip", {{0.0f, 0.0f, 0.25f, 1.0f},
                                        {0.25f, 0.0f, 0.5f, 1.0f},
                                        {0.5f, 0.0f, 0.75f, 1.0f},
                                        {0.75f, 0.0f, 1.0f, 1.0f}});
  animated.loop = true;
  EmitterDesc still = Strip("pair", {{0.0f, 0.0f, 0.5f, 0.5f}, {0.5f, 0.5f, 1.0f, 1.0f}});
  still.animated = false;
  still.frameIndex = 1;
  return test::EffectRecord(
      test::EffectOf({test::EmitterRecord(animated), test::EmitterRecord(still)}));
}

// A still emitter showing frame index of the set "shared", after adding its
// own frames to it.
Bytes SharedRecord(FrameDesc frame, uint32_t index) {
  EmitterDesc still = Strip("shared", {frame});
  still.animated = false;
  still.frameIndex = index;
  return test::EffectRecord(test::EffectOf({test::EmitterRecord(still)}));
}

class RepeatedLoad : public ::testing::Test {
 protected:
  void SetUp() override {
    ProcessRandom().Seed(LoadSeed());
    loader.Provide("image\\strip.png", 64, 64);
    factory = CreateParticleSystem(0, &allocator);
    system = factory->CreateSystem();
    ASSERT_EQ(system->Initialise(&window, nullptr, &loader), Success);
  }

  void TearDown() override {
    system->Release();
    factory->Release();
    EXPECT_EQ(allocator.LiveCount(), 0u);
    SetCurrentAllocator(previous);
  }

  std::string File(const std::string& name, const Bytes& record) {
    return test::WriteEffect(scratch, name, record);
  }

  // Effect 0 played for a second at 60 updates a second, drawn every frame:
  // every draw of the one image the strip texture gives.
  std::vector<test::RecordedImageDraw> PlayFirst() {
    system->PlayEffect(0, 0);
    for (int frame = 0; frame < 60; ++frame) {
      system->UpdateEffect(0, frame % 3 == 2 ? 16 : 17);
      system->BeginFrame();
      system->DrawEffect(0);
      system->EndFrame();
    }
    test::RecordingImage* image = loader.OnlyImage();
    return image ? image->draws : std::vector<test::RecordedImageDraw>{};
  }

  Bytes SavedRecord() {
    const std::string saved = scratch.File("saved.eff");
    EXPECT_EQ(system->SaveEffect(saved.c_str()), Success);
    return test::Decipher(test::ReadBytes(saved));
  }

  IParticleAllocator* previous = CurrentAllocator();
  test::CountingAllocator allocator;
  test::TempDir scratch;
  test::RecordingImageLoader loader;
  HWND__ window = {0, 0, 640, 480};
  IParticleSystemFactory* factory = nullptr;
  IParticleSystem* system = nullptr;
};

bool SameDraws(const std::vector<test::RecordedImageDraw>& a,
               const std::vector<test::RecordedImageDraw>& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::memcmp(&a[i], &b[i], sizeof(a[i])) != 0) return false;
  }
  return true;
}

TEST_F(RepeatedLoad, TheFirstCopyDrawsAsIfItWereAlone) {
  const std::string path = File("anim.eff", AnimatedRecord());
  ASSERT_EQ(system->LoadEffect(path.c_str()), 0);
  const std::vector<test::RecordedImageDraw> alone = PlayFirst();
  ASSERT_GT(alone.size(), 100u);

  TearDown();
  SetUp();
  ASSERT_EQ(system->LoadEffect(path.c_str()), 0);
  ASSERT_EQ(system->LoadEffect(path.c_str()), 1);
  ASSERT_EQ(system->LoadEffect(path.c_str()), 2);
  EXPECT_TRUE(SameDraws(PlayFirst(), alone));
}

TEST_F(RepeatedLoad, ASaveAfterSeveralLoadsHoldsEachFrameSetOnce) {
  const std::string path = File("anim.eff", AnimatedRecord());
  ASSERT_EQ(system->LoadEffect(path.c_str()), 0);
  const Bytes once = SavedRecord();
  ASSERT_EQ(system->LoadEffect(path.c_str()), 1);
  ASSERT_EQ(system->LoadEffect(path.c_str()), 2);
  EXPECT_EQ(SavedRecord(), once);
  // Read back while the copies live, the saved file adds nothing either.
  ASSERT_EQ(system->LoadEffect(scratch.File("saved.eff").c_str()), 3);
  EXPECT_EQ(SavedRecord(), once);
}

TEST_F(RepeatedLoad, DifferentFilesStillShareTheFramesOfOneName) {
  const FrameDesc left{0.0f, 0.0f, 0.5f, 1.0f};
  const FrameDesc right{0.5f, 0.0f, 1.0f, 1.0f};
  const std::string first = File("left.eff", SharedRecord(left, 0));
  const std::string second = File("right.eff", SharedRecord(right, 1));
  ASSERT_EQ(system->LoadEffect(first.c_str()), 0);
  ASSERT_EQ(system->LoadEffect(second.c_str()), 1);
  ASSERT_EQ(system->LoadEffect(first.c_str()), 2);
  ASSERT_EQ(system->LoadEffect(second.c_str()), 3);
  system->UnloadEffect(0);
  system->UnloadEffect(2);
  // Frame 1 of "shared" is the right half that the second file added; the
  // file loaded again added nothing, and the first file's copies are gone.
  system->PlayEffect(1, 500);
  system->BeginFrame();
  system->DrawEffect(1);
  system->EndFrame();
  test::RecordingImage* image = loader.OnlyImage();
  ASSERT_NE(image, nullptr);
  ASSERT_FALSE(image->draws.empty());
  for (const test::RecordedImageDraw& draw : image->draws) {
    EXPECT_EQ(draw.source[0].x, 32.0f);
    EXPECT_EQ(draw.source[2].x, 64.0f);
  }
}

}  // namespace
}  // namespace tavrix
