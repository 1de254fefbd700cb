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

  // A particle's clock through the animation.
  struct Clock {
    float elapsed = 0.0f;
    uint32_t finished = 0;
  };
  void Start(Clock& c) { templateAnimation.Start(c.elapsed, c.finished); }
  void Advance(Clock& c, float dt) { templateAnimation.Advance(dt, c.elapsed, c.finished); }
  int32_t Frame(const Clock& c) { return templateAnimation.Frame(c.elapsed); }

  test::ScopedAllocator scope;
  test::SimulationWorld world;
  FrameSet* strip = nullptr;
  FrameAnimation templateAnimation;
};

TEST_F(FrameAnimationTest, FramesOverTimeParkOnTheLastFrame) {
  Clock running;
  Start(running);
  EXPECT_FALSE(running.finished);
  EXPECT_EQ(Frame(running), 0);
  for (int32_t frame = 1; frame <= 3; ++frame) {
    Advance(running, 0.25f);
    EXPECT_EQ(Frame(running), frame);
  }
  Advance(running, 0.25f);
  EXPECT_TRUE(running.finished);
  EXPECT_EQ(Frame(running), 3);
  Advance(running, 5.0f);
  EXPECT_EQ(Frame(running), 3);
  EXPECT_EQ(running.elapsed, 0.75f);
}

TEST_F(FrameAnimationTest, LoopingWrapsAround) {
  templateAnimation.loop = true;
  Clock running;
  Start(running);
  Advance(running, 1.25f);
  EXPECT_EQ(Frame(running), 1);
  EXPECT_FALSE(running.finished);
}

TEST_F(FrameAnimationTest, RandomStartDrawsOnceWithinTheCycle) {
  templateAnimation.randomStart = true;
  templateAnimation.loop = true;
  for (int i = 0; i < 50; ++i) {
    Clock running;
    test::DrawCounter draws;
    Start(running);
    EXPECT_EQ(draws.Count(), 1);
    EXPECT_GE(running.elapsed, 0.0f);
    EXPECT_LT(running.elapsed, 0.999f);
  }
  templateAnimation.randomStart = false;
  test::DrawCounter none;
  Clock running;
  Start(running);
  EXPECT_EQ(none.Count(), 0);
}

TEST_F(FrameAnimationTest, CyclesOfNoLengthOrHugeRatiosHaveADefinedFrame) {
  Clock running;
  templateAnimation.cycleLength = 0.0f;
  Start(running);
  EXPECT_EQ(Frame(running), -1);
  templateAnimation.cycleLength = -2.0f;
  Start(running);
  EXPECT_EQ(Frame(running), -1);
  templateAnimation.cycleLength = std::numeric_limits<float>::infinity();
  Start(running);
  Advance(running, 1.0f);
  EXPECT_EQ(Frame(running), 0) << "an endless cycle stays on its first frame";
  templateAnimation.cycleLength = 1e-30f;
  templateAnimation.loop = true;
  Start(running);
  Advance(running, 1e-31f);
  EXPECT_GE(Frame(running), 0);
}

}  // namespace
}  // namespace tavrix
