// The running frame animation: frames over time, the parked last frame,
// looping, random start with its one draw, and cycles of no length.
#include <gtest/gtest.h>

#include <limits>

#include "support/CountingAllocator.h"
#include "support/DrawCounter.h"
#include "support/Workloads.h"

namespace tavrix {
namespace {

class FrameAnimationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    strip = static_cast<FrameSet*>(world.textures.Acquire(TextureManager::FrameSetKind, "strip"));
    for (int i = 0; i < 4; ++i) strip->AddFrame(0, 0, 1, 1);
    templateAnimation.frameSet = strip;
    templateAnimation.cycleLength = 1.0f;
  }

  test::ScopedAllocator scope;
  test::SimulationWorld world;
  FrameSet* strip = nullptr;
  FrameAnimation templateAnimation;
};

TEST_F(FrameAnimationTest, FramesOverTimeParkOnTheLastFrame) {
  FrameAnimation running;
  ASSERT_TRUE(running.Start(&templateAnimation));
  EXPECT_FALSE(running.finished);
  EXPECT_EQ(running.frameDuration, 0.25f);
  EXPECT_EQ(running.CurrentFrame(), 0);
  running.Advance(0.25f);
  EXPECT_EQ(running.CurrentFrame(), 1);
  running.Advance(0.25f);
  EXPECT_EQ(running.CurrentFrame(), 2);
  running.Advance(0.25f);
  EXPECT_EQ(running.CurrentFrame(), 3);
  running.Advance(0.25f);
  EXPECT_TRUE(running.finished);
  EXPECT_EQ(running.CurrentFrame(), 3);
  running.Advance(5.0f);
  EXPECT_EQ(running.CurrentFrame(), 3);
  EXPECT_EQ(running.elapsed, 0.75f);
}

TEST_F(FrameAnimationTest, LoopingWrapsAround) {
  templateAnimation.loop = true;
  FrameAnimation running;
  running.Start(&templateAnimation);
  running.Advance(1.25f);
  EXPECT_EQ(running.CurrentFrame(), 1);
  EXPECT_FALSE(running.finished);
}

TEST_F(FrameAnimationTest, StartRefusesNoTemplateOrItself) {
  FrameAnimation running;
  EXPECT_FALSE(running.Start(nullptr));
  EXPECT_FALSE(templateAnimation.Start(&templateAnimation));
}

TEST_F(FrameAnimationTest, RandomStartDrawsOnceWithinTheCycle) {
  templateAnimation.randomStart = true;
  templateAnimation.loop = true;
  for (int i = 0; i < 50; ++i) {
    FrameAnimation running;
    test::DrawCounter draws;
    running.Start(&templateAnimation);
    EXPECT_EQ(draws.Count(), 1);
    EXPECT_GE(running.elapsed, 0.0f);
    EXPECT_LT(running.elapsed, 0.999f);
  }
  templateAnimation.randomStart = false;
  test::DrawCounter none;
  FrameAnimation running;
  running.Start(&templateAnimation);
  EXPECT_EQ(none.Count(), 0);
}

TEST_F(FrameAnimationTest, CyclesOfNoLengthOrHugeRatiosHaveADefinedFrame) {
  FrameAnimation running;
  templateAnimation.cycleLength = 0.0f;
  running.Start(&templateAnimation);
  EXPECT_EQ(running.CurrentFrame(), -1);
  templateAnimation.cycleLength = -2.0f;
  running.Start(&templateAnimation);
  EXPECT_EQ(running.CurrentFrame(), -1);
  templateAnimation.cycleLength = std::numeric_limits<float>::infinity();
  running.Start(&templateAnimation);
  running.Advance(1.0f);
  EXPECT_EQ(running.CurrentFrame(), 0) << "an endless cycle stays on its first frame";
  templateAnimation.cycleLength = 1e-30f;
  templateAnimation.loop = true;
  running.Start(&templateAnimation);
  running.Advance(1e-31f);
  EXPECT_GE(running.CurrentFrame(), 0);
}

}  // namespace
}  // namespace tavrix
