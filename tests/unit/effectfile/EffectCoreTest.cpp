// The effect's core for its emitters: the key table in order with its
// ranges, the frame corners, the size queries (also for hostile sizes), the
// particle forwarding to the registry's pool and the calls on every emitter;
// and the registry's pool and teardown.
#include <gtest/gtest.h>

#include <limits>

#include "support/CountingAllocator.h"
#include "support/Workloads.h"
#include "tavrix/ResultCode.h"

namespace tavrix {
namespace {

class EffectCore : public ::testing::Test {
 protected:
  test::ScopedAllocator scope;
  test::SimulationWorld world;
  Effect& effect = *world.effect;
};

TEST_F(EffectCore, TheKeyTableHoldsTheEighteenTracksInOrder) {
  const char* expected[] = {
      "ScaleLife",        "ScaleQuantity",     "ScaleX",           "ScaleY",
      "ScaleSpeed",       "ScaleSpin",         "ScaleFixedForce",  "ScaleRand",
      "ScaleVisible",     "BaseEmissionForce", "VarEmissionForce", "BaseEmissionAngle",
      "VarEmissionAngle", "BaseEmissionArc",   "VarEmissionArc",   "speed_whole",
      "gravity",          "sizeEffect"};
  ASSERT_EQ(effect.tracks.keys.Size(), 18u);
  for (uint32_t i = 0; i < 18; ++i) {
    EXPECT_STREQ(effect.tracks.keys[i].key, expected[i]);
    EXPECT_EQ(effect.tracks.keys[i].key, InternName(expected[i])) << "names are interned";
    EXPECT_EQ(effect.FindTrack(expected[i]), effect.tracks.keys[i].track);
  }
  EXPECT_EQ(effect.FindTrack("GRAVITY"), &effect.tracks.gravity);
  EXPECT_EQ(effect.FindTrack("BaseLife"), nullptr);
  EXPECT_EQ(effect.tracks.ScaleSpin.Minimum(), -100.0f);
  EXPECT_EQ(effect.tracks.BaseEmissionForce.DefaultValue(), 5.0f);
  EXPECT_EQ(effect.tracks.BaseEmissionArc.DefaultValue(), 360.0f);
  EXPECT_EQ(effect.tracks.speed_whole.Duration(), 1.0f);
  EXPECT_EQ(effect.tracks.gravity.DefaultValue(), 0.0f);
  EXPECT_EQ(effect.tracks.sizeEffect.Duration(), 400.0f);
  EXPECT_EQ(effect.tracks.sizeEffect.Minimum(), 0.0f);
  EXPECT_EQ(effect.tracks.sizeEffect.Maximum(), 400.0f);
}

TEST_F(EffectCore, FrameCornersAreABoxCentredOnTheOrigin) {
  effect.record.frameWidth = 100.0f;
  effect.record.frameHeight = 50.0f;
  effect.UpdateFrameCorners();
  const QuadPoint expected[] = {{-50, -25}, {50, -25}, {50, 25}, {-50, 25}};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(effect.run.frameCorners[i].x, expected[i].x);
    EXPECT_EQ(effect.run.frameCorners[i].y, expected[i].y);
  }
}

TEST_F(EffectCore, SizesFallBackTo400AndStayDefinedForHostileTracks) {
  EXPECT_EQ(effect.GetWidth(), 400);
  EXPECT_EQ(effect.GetHeight(), 400);
  effect.tracks.sizeEffect.SetRange(640.9f, 480.5f, 1000.0f, 0.0f);
  EXPECT_EQ(effect.GetWidth(), 640);
  EXPECT_EQ(effect.GetHeight(), 480);
  const float nan = std::numeric_limits<float>::quiet_NaN();
  effect.tracks.sizeEffect.SetRange(std::numeric_limits<float>::infinity(), nan, 5.0f, 0.0f);
  EXPECT_EQ(effect.GetWidth(), INT32_MAX);
  EXPECT_EQ(effect.GetHeight(), 400);
  effect.tracks.sizeEffect.SetRange(3e9f, -3e9f, 5.0f, 0.0f);
  EXPECT_EQ(effect.GetWidth(), INT32_MAX);
  EXPECT_EQ(effect.GetHeight(), INT32_MIN);
}

TEST_F(EffectCore, ParticlesComeFromAndReturnToTheRegistryPool) {
  EXPECT_EQ(effect.ParticleStorage(), world.registry.Pool());
  Emitter& emitter = world.AddEmitter();
  emitter.Update(1.0f);
  EXPECT_EQ(world.registry.Pool()->HeldRecords(), 16u);
  effect.ClearEmitters();
  EXPECT_EQ(world.registry.Pool()->HeldRecords(), 0u);
  Effect orphan(5, nullptr);
  EXPECT_EQ(orphan.ParticleStorage(), nullptr);
}

TEST_F(EffectCore, EmitterCallsReachEveryEmitter) {
  Emitter& a = world.AddEmitter();
  Emitter& b = world.AddEmitter();
  effect.SetBaseSpeed(77.0f);
  effect.SetBaseEmissionAngle(45.0f);
  effect.SetEmitterPositions(3.0f, 4.0f);
  for (Emitter* e : {&a, &b}) {
    EXPECT_EQ(e->tracks.BaseSpeed.Evaluate(10.0f), 77.0f);
    EXPECT_EQ(e->tracks.BaseEmissionAngle.Evaluate(10.0f), 45.0f);
    EXPECT_EQ(e->record.positionX, 3.0f);
    EXPECT_EQ(e->record.positionY, 4.0f);
  }
  a.Update(1.0f);
  b.record.singleParticle = true;
  b.Update(1.0f);
  EXPECT_EQ(effect.GetParticleCount(), 11);
}

TEST(EffectRegistryCore, APoolTheAllocatorRefusesIsReported) {
  test::ScopedAllocator scope;
  EffectRegistry registry;
  scope.allocator.failAfter = 1;
  EXPECT_EQ(registry.CreateParticlePool(), ParticlePoolFailed);
  EXPECT_FALSE(registry.HasParticlePool());
  EXPECT_EQ(registry.Pool(), nullptr);
  scope.allocator.failAfter = 0;
  EXPECT_EQ(registry.CreateParticlePool(), 0);
  EXPECT_NE(registry.Pool(), nullptr);
  EXPECT_EQ(registry.Find(0), nullptr);
}

}  // namespace
}  // namespace tavrix
