// Drawing an emitter: the missing frame set, binding once, the frame shown,
// colour packing, the alpha skip, offsets, draw order and animated frames.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "base/SafeConvert.h"
#include "simulation/lanes/LanePaths.h"
#include "support/CountingAllocator.h"
#include "support/QuadRecorder.h"
#include "support/Workloads.h"
#include "tavrix/ResultCode.h"

namespace tavrix {
namespace {

using test::SetConstant;

class EmitterDraw : public ::testing::Test {
 protected:
  test::ScopedAllocator scope;
  test::SimulationWorld world;
  Emitter& emitter = world.AddEmitter();
  Effect& effect = *world.effect;
  test::QuadRecorder renderer;
};

TEST_F(EmitterDraw, NothingLiveDrawsNothingAndNoFrameSetIsAnError) {
  EXPECT_EQ(emitter.Draw(renderer), 0);
  emitter.Update(1.0f);
  EXPECT_EQ(emitter.Draw(renderer), EmitterNoFrameSet);
  EXPECT_TRUE(renderer.quads.empty());
  EXPECT_TRUE(renderer.binds.empty());
}

TEST_F(EmitterDraw, BindsOnceAndDrawsEveryParticleOldestFirst) {
  test::SimulationWorld::GiveFrameSet(emitter);
  emitter.record.additive = true;
  emitter.Update(1.0f);
  ASSERT_EQ(emitter.Draw(renderer), 0);
  ASSERT_EQ(renderer.binds.size(), 1u);
  EXPECT_TRUE(renderer.binds[0].additive);
  EXPECT_EQ(renderer.binds[0].frameSet, emitter.record.frameSet);
  ASSERT_EQ(renderer.quads.size(), 10u);
  int32_t index = 0;
  for (const test::RecordedQuad& quad : renderer.quads) {
    const Particle p = emitter.ParticleAt(index++);
    EXPECT_EQ(std::memcmp(quad.corners, p.quad, sizeof quad.corners), 0);
    EXPECT_EQ(quad.colour, 0xFFFFFFFFu);
    EXPECT_EQ(quad.vertexCount, 4);
    EXPECT_EQ(quad.uv.uRight, 0.5f) << "frame 0 of the frame set";
    EXPECT_EQ(quad.x, 0.0f);
  }
  renderer.Clear();
  emitter.record.reverseDrawOrder = true;
  emitter.Draw(renderer);
  EXPECT_EQ(std::memcmp(renderer.quads[0].corners, emitter.Newest()->quad, sizeof(QuadPoint) * 4),
            0);
  renderer.Clear();
  emitter.record.frameIndex = 7;
  emitter.Draw(renderer);
  EXPECT_EQ(renderer.quads[0].uv.uRight, 1.0f) << "an index past the end shows the whole texture";
}

TEST_F(EmitterDraw, UseEffectOffsetDrawsAtTheParticlesOffset) {
  test::SimulationWorld::GiveFrameSet(emitter);
  effect.record.positionX = 12.0f;
  effect.record.positionY = -4.0f;
  emitter.Update(0.1f);
  emitter.Draw(renderer);
  EXPECT_EQ(renderer.quads.back().x, 0.0f);
  emitter.record.useEffectOffset = true;
  emitter.Draw(renderer);
  EXPECT_EQ(renderer.quads.back().x, 12.0f);
  EXPECT_EQ(renderer.quads.back().y, -4.0f);
}

TEST_F(EmitterDraw, AlphaBelowFivePercentIsSimulatedButNotDrawn) {
  test::SimulationWorld::GiveFrameSet(emitter);
  SetConstant(emitter.tracks.LifeVisible, 0.04f);
  emitter.Update(1.0f);
  EXPECT_EQ(emitter.GetParticleCount(), 10);
  emitter.Draw(renderer);
  EXPECT_TRUE(renderer.quads.empty());
  SetConstant(emitter.tracks.LifeVisible, 0.05f);
  emitter.Update(0.01f);
  emitter.Draw(renderer);
  EXPECT_EQ(renderer.quads.size(), 10u);
  EXPECT_EQ(renderer.quads[0].colour >> 24, 13u);  // 0.05 x 255 = 12.75
}

// The colour as the update packs it, the same on every lane path.
uint32_t PackColour(float red, float green, float blue, float alpha) {
  const uint32_t packed = LanesFor(LanePath::Scalar)->packColour(red, green, blue, alpha);
  for (LanePath path : kLanePaths) {
    if (const StepLanes* lanes = LanesFor(path)) {
      EXPECT_EQ(lanes->packColour(red, green, blue, alpha), packed) << lanes->name;
    }
  }
  return packed;
}

TEST_F(EmitterDraw, ColourChannelsPackAsArgbRoundedToEven) {
  EXPECT_EQ(PackColour(1.0f, 1.0f, 1.0f, 1.0f), 0xFFFFFFFFu);
  EXPECT_EQ(PackColour(1.0f, 0.0f, 0.0f, 0.5f), 0x80FF0000u);
  EXPECT_EQ(PackColour(2.0f, -0.5f, 0.0f, 1.0f), 0xFFFF0000u)
      << "above 1 gives 255, below 0 gives 0";
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  EXPECT_EQ(PackColour(nan, inf, -inf, nan), 0x0000FF00u);
  EXPECT_EQ(RoundSmallToEven(127.5f), 128u);
  EXPECT_EQ(RoundSmallToEven(128.5f), 128u);
  EXPECT_EQ(RoundSmallToEven(2.5f), 2u);
  EXPECT_EQ(RoundSmallToEven(2.5000002f), 3u);
  // A channel whose product with 255 is exactly a tie rounds to even.
  float c = 128.5f / 255.0f;
  for (int i = 0; i < 64 && c * 255.0f != 128.5f; ++i) c = std::nextafter(c, 1.0f);
  if (c * 255.0f == 128.5f) {
    EXPECT_EQ(PackColour(0.0f, 0.0f, c, 0.0f), 128u);
  }
}

struct ChannelCase {
  float channel;
  uint32_t byte;
};

class PackedChannel : public ::testing::TestWithParam<ChannelCase> {};

// Each channel lands in its own byte, rounded to nearest next to both ends
// of the range.
TEST_P(PackedChannel, RoundsIntoItsOwnByte) {
  const auto [channel, byte] = GetParam();
  EXPECT_EQ(PackColour(channel, 0.0f, 0.0f, 0.0f), byte << 16);
  EXPECT_EQ(PackColour(0.0f, channel, 0.0f, 0.0f), byte << 8);
  EXPECT_EQ(PackColour(0.0f, 0.0f, channel, 0.0f), byte);
  EXPECT_EQ(PackColour(1.0f, 1.0f, 1.0f, channel), byte << 24 | 0x00FFFFFFu);
}

INSTANTIATE_TEST_SUITE_P(EmitterDraw, PackedChannel,
                         ::testing::Values(ChannelCase{-0.0f, 0}, ChannelCase{0.001f, 0},
                                           ChannelCase{0.003f, 1}, ChannelCase{0.998f, 254},
                                           ChannelCase{0.999f, 255}, ChannelCase{1.5f, 255}));

TEST_F(EmitterDraw, ColoursFollowTheLifeTracks) {
  test::SimulationWorld::GiveFrameSet(emitter);
  test::SetRamp(emitter.tracks.LifeRed, 1.0f, 0.0f);
  SetConstant(emitter.tracks.LifeGreen, 0.5f);
  SetConstant(emitter.tracks.LifeBlue, 0.0f);
  SetConstant(emitter.tracks.BaseLife, 1.0f);
  SetConstant(emitter.tracks.BaseQuantity, 1.0f);
  emitter.Update(1.0f);
  emitter.StopEmission();
  emitter.Update(0.5f);
  emitter.Draw(renderer);
  ASSERT_EQ(renderer.quads.size(), 1u);
  EXPECT_EQ(renderer.quads[0].colour, 0xFF808000u);
}

TEST_F(EmitterDraw, AnimatedEmittersShowEachParticlesCurrentFrame) {
  TextureManager& textures = world.textures;
  emitter.record.animated = true;
  FrameAnimation& animation = emitter.record.frameAnimation;
  animation.frameSet =
      static_cast<FrameSet*>(textures.Acquire(TextureManager::FrameSetKind, "strip"));
  for (int i = 0; i < 4; ++i)
    animation.frameSet->AddFrame(i * 0.25f, 0.0f, i * 0.25f + 0.25f, 1.0f);
  animation.cycleLength = 1.0f;
  SetConstant(emitter.tracks.BaseQuantity, 1.0f);
  SetConstant(emitter.tracks.BaseLife, 10.0f);
  emitter.Update(1.0f);
  emitter.StopEmission();
  for (int step = 0; step < 6; ++step) {
    renderer.Clear();
    ASSERT_EQ(emitter.Draw(renderer), 0) << "no frame set of its own is needed";
    ASSERT_EQ(renderer.quads.size(), 1u);
    EXPECT_EQ(renderer.binds[0].frameSet, animation.frameSet);
    const int frame = step < 3 ? step : 3;
    EXPECT_EQ(renderer.quads[0].uv.uLeft, frame * 0.25f) << "step " << step;
    emitter.Update(0.25f);
  }
  animation.cycleLength = 0.0f;
  SetConstant(emitter.tracks.BaseQuantity, 1.0f);
  emitter.Restart(true);
  emitter.Update(1.0f);
  renderer.Clear();
  emitter.Draw(renderer);
  EXPECT_EQ(renderer.quads[0].uv.uLeft, 0.0f);
  EXPECT_EQ(renderer.quads[0].uv.uRight, 1.0f) << "a cycle of no length shows the whole texture";
}

}  // namespace
}  // namespace tavrix
