// The emitter's simulation step: the default emitter, rate and backlog, the
// lifetime boundary, spawn shapes, rotation modes, uniform size, single
// particles and the bounds against hostile values.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "base/RandomSource.h"
#include "simulation/ArcTangent.h"
#include "simulation/lanes/LanePaths.h"
#include "support/CountingAllocator.h"
#include "support/DrawCounter.h"
#include "support/ParticleBudget.h"
#include "support/Workloads.h"

namespace tavrix {
namespace {

using test::SetConstant;

class EmitterUpdate : public ::testing::Test {
 protected:
  test::ScopedAllocator scope;
  test::SimulationWorld world;
  Emitter& emitter = world.AddEmitter();
  Effect& effect = *world.effect;
};

float Distance(float x, float y) { return std::sqrt(x * x + y * y); }

// Life tracks of many keys, one of them run through two and a half times,
// give every particle on every lane path the size the tracks' own walk
// gives it.
TEST_F(EmitterUpdate, LifeTracksOfManyKeysAndCyclesSizeParticlesAsTheirWalkDoes) {
  emitter.record.uniformSize = false;
  SetConstant(emitter.tracks.BaseQuantity, 300.0f);
  SetConstant(emitter.tracks.VarLife, 1.0f);
  emitter.tracks.LifeX.Reset();
  for (const TrackKey key :
       {TrackKey{0.0f, 1.0f}, {0.25f, 3.0f}, {0.5f, 0.5f}, {0.8f, 2.0f}, {1.0f, 4.0f}}) {
    emitter.tracks.LifeX.AddKey(key.time, key.value);
  }
  emitter.tracks.LifeY.Reset();
  for (const TrackKey key : {TrackKey{0.0f, 2.0f}, {0.3f, 1.0f}, {1.0f, 3.0f}}) {
    emitter.tracks.LifeY.AddKey(key.time, key.value);
  }
  emitter.tracks.LifeY.SetCycles(2.5f);
  for (LanePath path : kLanePaths) {
    if (!UseLanePath(path)) continue;
    emitter.Clear();
    for (int step = 0; step < 90; ++step) emitter.Update(0.017f);
    ASSERT_GT(emitter.GetParticleCount(), 300);
    for (const Particle& p : test::Particles(emitter)) {
      const float t = p.age / p.lifetime;
      EXPECT_EQ(p.width,
                emitter.tracks.BaseX.Clamp(emitter.tracks.LifeX.Evaluate(t) * p.birthWidth))
          << CurrentLanes().name << " t " << t;
      EXPECT_EQ(p.height,
                emitter.tracks.BaseY.Clamp(emitter.tracks.LifeY.Evaluate(t) * p.birthHeight))
          << CurrentLanes().name << " t " << t;
    }
  }
  UseWidestLanes();
}

// A chunk where only some particles jitter gives each of them its two draws
// youngest first, as the generator gives them one at a time, on every lane
// path, and leaves the generator where those draws end.
TEST(JitterDraws, SomeParticlesOfAChunkTakeTheirDrawsInTheGeneratorsOrder) {
  for (uint32_t n : {1u, 19u, kChunk}) {
    StepScratch taken{};
    for (uint32_t i = 0; i < n; ++i) taken.jitter[i] = i % 3 == 1 ? 0.0f : 5.0f;
    RandomSource generator;
    generator.SetState(123456789);
    double first[kChunk] = {}, second[kChunk] = {};
    for (uint32_t i = n; i-- > 0;) {
      if (taken.jitter[i] == 0.0f) continue;
      first[i] = generator.Draw();
      second[i] = generator.Draw();
    }
    for (LanePath path : kLanePaths) {
      const StepLanes* lanes = LanesFor(path);
      if (!lanes) continue;
      StepScratch s = taken;
      EXPECT_EQ(lanes->takeDraws(123456789, s, n), generator.State()) << lanes->name;
      for (uint32_t i = 0; i < n; ++i) {
        ASSERT_EQ(s.draw1[i], first[i]) << lanes->name << " particle " << i << " of " << n;
        ASSERT_EQ(s.draw2[i], second[i]) << lanes->name << " particle " << i << " of " << n;
      }
    }
  }
}

TEST_F(EmitterUpdate, TheDefaultEmitterSpawnsTenASecondOfUnrotatedWhiteSquares) {
  emitter.SetPosition(100.0f, 200.0f);
  test::DrawCounter draws;
  emitter.Update(0.1f);
  ASSERT_EQ(emitter.GetParticleCount(), 1);
  // One draw for the rate, then lifetime, width, speed, spin, steady force,
  // jitter, force, angle, arc and direction for the particle.
  EXPECT_EQ(draws.Count(), 11);
  for (int i = 1; i < 10; ++i) emitter.Update(0.1f);
  EXPECT_EQ(emitter.GetParticleCount(), 10);

  int index = 0;
  for (const Particle& p : test::Particles(emitter)) {
    ++index;
    EXPECT_EQ(p.lifetime, 2.0f);
    EXPECT_EQ(p.width, 2.0f);
    EXPECT_EQ(p.height, 2.0f);
    EXPECT_EQ(p.angle, 0.0f);
    EXPECT_EQ(p.colour, 0xFFFFFFFFu);
    const float travelled = Distance(p.positionX - 100.0f, p.positionY - 200.0f);
    EXPECT_NEAR(travelled, 50.0f * p.age, 1e-3f) << "50 view units a second";
    EXPECT_NEAR(Distance(p.velocityX, p.velocityY), 5.0f, 1e-5f);
    // Unrotated 2 x 2 quad centred on the position, clockwise from top-left.
    EXPECT_FLOAT_EQ(p.quad[0].x, p.positionX - 1.0f);
    EXPECT_FLOAT_EQ(p.quad[0].y, p.positionY - 1.0f);
    EXPECT_FLOAT_EQ(p.quad[1].x, p.positionX + 1.0f);
    EXPECT_FLOAT_EQ(p.quad[1].y, p.positionY - 1.0f);
    EXPECT_FLOAT_EQ(p.quad[2].x, p.positionX + 1.0f);
    EXPECT_FLOAT_EQ(p.quad[2].y, p.positionY + 1.0f);
    EXPECT_FLOAT_EQ(p.quad[3].x, p.positionX - 1.0f);
    EXPECT_FLOAT_EQ(p.quad[3].y, p.positionY + 1.0f);
  }
  EXPECT_EQ(index, 10);
  EXPECT_NEAR(emitter.Oldest()->age, 0.9f, 1e-5f);
  EXPECT_EQ(emitter.Newest()->age, 0.0f);
}

TEST_F(EmitterUpdate, DirectionsCoverTheFullCircle) {
  SetConstant(emitter.tracks.BaseQuantity, 1000.0f);
  emitter.Update(1.0f);
  ASSERT_EQ(emitter.GetParticleCount(), 1000);
  int quadrants[4] = {};
  for (const Particle& p : test::Particles(emitter)) {
    ++quadrants[(p.velocityX >= 0 ? 1 : 0) + (p.velocityY >= 0 ? 2 : 0)];
  }
  for (int q : quadrants) EXPECT_GT(q, 180);
}

TEST_F(EmitterUpdate, RateAndBacklogWithFiftyMillisecondSteps) {
  emitter.Update(0.05f);
  EXPECT_EQ(emitter.GetParticleCount(), 0);
  EXPECT_EQ(emitter.record.emissionBacklog, 0.05f);
  emitter.Update(0.05f);
  EXPECT_EQ(emitter.GetParticleCount(), 1);
  EXPECT_EQ(emitter.record.emissionBacklog, 0.0f);
  for (int i = 0; i < 38; ++i) emitter.Update(0.05f);
  EXPECT_EQ(emitter.GetParticleCount(), 20);
}

TEST_F(EmitterUpdate, AParticleSurvivesAgeEqualToLifetimeAndDiesAfter) {
  SetConstant(emitter.tracks.BaseLife, 1.0f);
  SetConstant(emitter.tracks.BaseQuantity, 1.0f);
  emitter.Update(1.0f);
  ASSERT_EQ(emitter.GetParticleCount(), 1);
  emitter.StopEmission();
  emitter.Update(0.5f);
  emitter.Update(0.5f);
  ASSERT_EQ(emitter.GetParticleCount(), 1);
  EXPECT_EQ(emitter.Oldest()->age, 1.0f);
  emitter.Update(0.0f);
  EXPECT_EQ(emitter.GetParticleCount(), 1);
  emitter.Update(0.001f);
  EXPECT_EQ(emitter.GetParticleCount(), 0);
}

TEST_F(EmitterUpdate, ALifetimeOfZeroDiesAtTheFirstStepWithTime) {
  SetConstant(emitter.tracks.BaseLife, 0.0f);
  SetConstant(emitter.tracks.BaseQuantity, 1.0f);
  emitter.Update(1.0f);
  ASSERT_EQ(emitter.GetParticleCount(), 1);
  emitter.StopEmission();
  emitter.Update(0.0f);  // age 0 / lifetime 0: the Life tracks see no number
  EXPECT_EQ(emitter.GetParticleCount(), 1);
  EXPECT_EQ(emitter.Oldest()->width, 2.0f);
  emitter.Update(0.01f);
  EXPECT_EQ(emitter.GetParticleCount(), 0);
}

TEST_F(EmitterUpdate, StoppedAndRestartedEmission) {
  emitter.StopEmission();
  emitter.Update(1.0f);
  EXPECT_EQ(emitter.GetParticleCount(), 0);
  EXPECT_EQ(emitter.record.emissionBacklog, 0.0f) << "a stopped emitter gathers no backlog";
  emitter.Restart(false);
  emitter.Update(1.0f);
  EXPECT_EQ(emitter.GetParticleCount(), 10);
  emitter.Restart(false);
  EXPECT_EQ(emitter.GetParticleCount(), 10);
  emitter.Restart(true);
  EXPECT_EQ(emitter.GetParticleCount(), 0);
  emitter.Update(1.0f);
  emitter.SetEnabled(false);
  EXPECT_EQ(emitter.GetParticleCount(), 0);
  EXPECT_FALSE(emitter.IsEnabled());
}

TEST_F(EmitterUpdate, SpawnShapesUseTheEffectFrame) {
  effect.record.frameWidth = 100.0f;
  effect.record.frameHeight = 50.0f;
  effect.UpdateFrameCorners();
  emitter.SetPosition(10.0f, 20.0f);
  SetConstant(emitter.tracks.BaseQuantity, 200.0f);
  SetConstant(emitter.tracks.BaseEmissionForce, 0.0f);
  emitter.record.useEffectEmission = false;
  const int expectedDraws[] = {0, 1, 1, 2};
  for (int shape = 1; shape <= 3; ++shape) {
    emitter.Restart(true);
    emitter.record.spawnShape = shape;
    SetConstant(emitter.tracks.BaseQuantity, 1.0f);
    test::DrawCounter draws;
    emitter.Update(1.0f);
    EXPECT_EQ(draws.Count(), 11 + expectedDraws[shape]) << "shape " << shape;
    SetConstant(emitter.tracks.BaseQuantity, 200.0f);
    emitter.Update(1.0f);
    float minX = 1e9f, maxX = -1e9f, minY = 1e9f, maxY = -1e9f;
    for (const Particle& p : test::Particles(emitter)) {
      minX = std::fmin(minX, p.positionX);
      maxX = std::fmax(maxX, p.positionX);
      minY = std::fmin(minY, p.positionY);
      maxY = std::fmax(maxY, p.positionY);
    }
    if (shape == 2) {
      EXPECT_EQ(minX, 10.0f);
      EXPECT_EQ(maxX, 10.0f);
    } else {
      EXPECT_GE(minX, -40.0f);
      EXPECT_LE(maxX, 60.0f);
      EXPECT_LT(minX, -30.0f);
      EXPECT_GT(maxX, 50.0f);
    }
    if (shape == 1) {
      EXPECT_EQ(minY, 20.0f);
      EXPECT_EQ(maxY, 20.0f);
    } else {
      EXPECT_GE(minY, -5.0f);
      EXPECT_LE(maxY, 45.0f);
      EXPECT_LT(minY, 0.0f);
      EXPECT_GT(maxY, 40.0f);
    }
  }
}

TEST_F(EmitterUpdate, AZeroSizeBoxPlacesAtTheEmitterWithoutADraw) {
  effect.record.frameWidth = 0.0f;
  effect.record.frameHeight = 0.0f;
  effect.UpdateFrameCorners();
  emitter.record.spawnShape = 3;
  emitter.SetPosition(7.0f, -3.0f);
  SetConstant(emitter.tracks.BaseEmissionForce, 0.0f);
  emitter.record.useEffectEmission = false;
  SetConstant(emitter.tracks.BaseQuantity, 1.0f);
  test::DrawCounter draws;
  emitter.Update(1.0f);
  EXPECT_EQ(draws.Count(), 11);
  EXPECT_EQ(emitter.Oldest()->positionX, 7.0f);
  EXPECT_EQ(emitter.Oldest()->positionY, -3.0f);
}

TEST_F(EmitterUpdate, UnknownShapesAndRotationModesStillPlaceAndTurnTheParticle) {
  emitter.record.spawnShape = 9;
  emitter.record.rotationMode = -4;
  emitter.SetPosition(5.0f, 6.0f);
  SetConstant(emitter.tracks.BaseQuantity, 1.0f);
  test::DrawCounter draws;
  emitter.Update(1.0f);
  EXPECT_EQ(draws.Count(), 11);
  EXPECT_EQ(emitter.Oldest()->positionX, 5.0f);
  EXPECT_EQ(emitter.Oldest()->positionY, 6.0f);
  EXPECT_EQ(emitter.Oldest()->angle, 0.0f);
}

TEST_F(EmitterUpdate, RotationModeZeroWithOffsetNinetyTurnsAQuarterClockwise) {
  emitter.record.rotationMode = 0;
  emitter.record.rotationOffset = 90.0f;
  SetConstant(effect.tracks.BaseEmissionArc, 0.0f);  // every particle flies straight up
  SetConstant(emitter.tracks.BaseQuantity, 1.0f);
  emitter.Update(1.0f);
  const Particle p = *emitter.Oldest();
  EXPECT_EQ(p.angle, 90.0f);
  EXPECT_NEAR(p.velocityX, 0.0f, 1e-6f);
  EXPECT_LT(p.velocityY, 0.0f);
  // The top-left corner has moved to the top-right.
  EXPECT_NEAR(p.quad[0].x - p.positionX, 1.0f, 1e-5f);
  EXPECT_NEAR(p.quad[0].y - p.positionY, -1.0f, 1e-5f);
  EXPECT_NEAR(p.quad[1].x - p.positionX, 1.0f, 1e-5f);
  EXPECT_NEAR(p.quad[1].y - p.positionY, 1.0f, 1e-5f);
}

TEST_F(EmitterUpdate, RotationModeZeroFollowsEachParticlesDirection) {
  emitter.record.rotationMode = 0;
  SetConstant(emitter.tracks.BaseQuantity, 100.0f);
  emitter.Update(1.0f);
  for (const Particle& p : test::Particles(emitter)) {
    float direction = std::atan2(p.velocityX, -p.velocityY) * 57.29578f;
    if (direction < 0.0f) direction += 360.0f;
    EXPECT_NEAR(std::fmod(p.angle + 360.0f, 360.0f), direction, 1e-2f);
  }
}

TEST_F(EmitterUpdate, RotationModesOneAndTwo) {
  emitter.record.rotationMode = 1;
  emitter.record.fixedRotation = 370.0f;
  SetConstant(emitter.tracks.BaseQuantity, 1.0f);
  emitter.Update(1.0f);
  EXPECT_EQ(emitter.Newest()->angle, 10.0f);

  emitter.record.rotationMode = 2;
  emitter.record.randomRotationCentre = 100.0f;
  emitter.record.randomRotationRange = 20.0f;
  test::DrawCounter draws;
  emitter.Update(1.0f);
  EXPECT_EQ(draws.Count(), 12) << "one more draw for the random angle";
  SetConstant(emitter.tracks.BaseQuantity, 300.0f);
  emitter.Update(1.0f);
  float low = 360.0f, high = 0.0f;
  for (const Particle& p : test::Particles(emitter, 1)) {
    low = std::fmin(low, p.angle);
    high = std::fmax(high, p.angle);
  }
  EXPECT_GE(low, 90.0f);
  EXPECT_LE(high, 110.0f);
  EXPECT_LT(low, 91.0f);
  EXPECT_GT(high, 109.0f);
}

TEST_F(EmitterUpdate, AlignToMotionTracksTheBendingVelocity) {
  emitter.record.rotationMode = 0;
  emitter.record.alignToMotion = true;
  emitter.record.rotationOffset = 5.0f;
  SetConstant(effect.tracks.BaseEmissionAngle, 90.0f);
  SetConstant(effect.tracks.BaseEmissionArc, 0.0f);
  SetConstant(emitter.tracks.BaseFixedForce, 40.0f);
  emitter.SetForceAngle(180.0f);
  SetConstant(emitter.tracks.BaseQuantity, 1.0f);
  emitter.Update(1.0f);
  emitter.StopEmission();
  for (int i = 0; i < 5; ++i) {
    emitter.Update(0.1f);
    const Particle p = *emitter.Oldest();
    float expected = ArcTangent2(p.velocityX, -p.velocityY) * (180.0f / 3.14159265358979323846f);
    if (expected < 0.0f) expected += 360.0f;
    EXPECT_EQ(p.angle, expected + 5.0f);
    EXPECT_GT(p.angle, 95.0f) << "the downward force turns it clockwise";
    const float c = std::cos(p.angle * (3.14159265358979323846f / 180.0f));
    EXPECT_NEAR(p.quad[1].x - p.quad[0].x, c * p.width, 1e-4f) << "the quad turned with it";
  }
}

TEST_F(EmitterUpdate, UniformSizeIgnoresTheHeightTracks) {
  SetConstant(emitter.tracks.BaseY, 30.0f);
  SetConstant(emitter.tracks.VarY, 10.0f);
  test::SetRamp(emitter.tracks.LifeY, 5.0f, 9.0f);
  test::SetRamp(emitter.tracks.LifeX, 1.0f, 2.0f);
  emitter.Update(1.0f);
  emitter.Update(0.5f);
  for (const Particle& p : test::Particles(emitter)) EXPECT_EQ(p.height, p.width);
  EXPECT_GT(emitter.Oldest()->width, 2.0f);

  emitter.record.uniformSize = false;
  emitter.Restart(true);
  test::DrawCounter draws;
  SetConstant(emitter.tracks.BaseQuantity, 1.0f);
  emitter.Update(1.0f);
  EXPECT_EQ(draws.Count(), 12) << "a height draw of its own";
  EXPECT_GE(emitter.Oldest()->height, 5.0f * 25.0f);
  EXPECT_LE(emitter.Oldest()->height, 5.0f * 35.0f);
}

TEST_F(EmitterUpdate, ASingleParticleEmitterKeepsOneStillImmortalParticle) {
  emitter.record.singleParticle = true;
  emitter.SetPosition(40.0f, 50.0f);
  test::SetRamp(emitter.tracks.LifeX, 1.0f, 3.0f);
  SetConstant(emitter.tracks.BaseRand, 100.0f);
  test::DrawCounter draws;
  emitter.Update(0.5f);
  ASSERT_EQ(emitter.GetParticleCount(), 1);
  // Lifetime, width, spin and steady force only.
  EXPECT_EQ(draws.Count(), 4);
  for (int i = 0; i < 20; ++i) emitter.Update(0.5f);
  ASSERT_EQ(emitter.GetParticleCount(), 1);
  const Particle p = *emitter.Oldest();
  EXPECT_EQ(p.positionX, 40.0f);
  EXPECT_EQ(p.positionY, 50.0f);
  EXPECT_EQ(p.width, 6.0f) << "Life values of t = 1 once the age passes the lifetime";
  emitter.StopEmission();
  EXPECT_EQ(emitter.GetParticleCount(), 0);
  emitter.Update(0.5f);
  EXPECT_EQ(emitter.GetParticleCount(), 0);
  emitter.Restart(false);
  emitter.Update(0.5f);
  EXPECT_EQ(emitter.GetParticleCount(), 1);
}

TEST_F(EmitterUpdate, SteadyForceJitterAndGravityMoveTheParticle) {
  SetConstant(effect.tracks.BaseEmissionForce, 0.0f);
  SetConstant(emitter.tracks.BaseQuantity, 1.0f);
  SetConstant(emitter.tracks.BaseFixedForce, 10.0f);
  emitter.SetForceAngle(90.0f);
  emitter.Update(1.0f);
  emitter.StopEmission();
  emitter.Update(0.5f);
  Particle p = *emitter.Oldest();
  EXPECT_NEAR(p.velocityX, 5.0f, 1e-5f);
  EXPECT_NEAR(p.velocityY, 0.0f, 1e-5f);
  const float x = p.positionX;
  const float y = p.positionY;
  SetConstant(effect.tracks.gravity, 0.5f);
  emitter.Update(0.5f);
  p = *emitter.Oldest();
  EXPECT_NEAR(p.positionX - x, 0.5f * 10.0f * 10.0f, 1e-3f);
  EXPECT_NEAR(p.positionY - y, (31.6f + 500.0f) * 0.5f * 0.25f, 1e-3f);
  EXPECT_NEAR(p.velocityY, 0.0f, 1e-5f) << "gravity moves without changing velocity";

  SetConstant(emitter.tracks.BaseRand, 10.0f);
  emitter.Restart(true);
  emitter.Update(1.0f);
  emitter.StopEmission();
  test::DrawCounter draws;
  emitter.Update(0.1f);
  EXPECT_EQ(draws.Count(), 2) << "two jitter draws per particle and step";
}

TEST_F(EmitterUpdate, ParticleOffsetsFollowTheEffectPosition) {
  effect.record.positionX = 3.0f;
  effect.record.positionY = 4.0f;
  emitter.Update(0.5f);
  EXPECT_EQ(emitter.Oldest()->offsetX, 3.0f);
  emitter.SetParticleOffset(8.0f, 9.0f);
  for (const Particle& p : test::Particles(emitter)) {
    EXPECT_EQ(p.offsetX, 8.0f);
    EXPECT_EQ(p.offsetY, 9.0f);
  }
}

TEST_F(EmitterUpdate, BaseSpeedAndEmissionAngleBecomeConstants) {
  test::SetRamp(emitter.tracks.BaseSpeed, 1.0f, 5.0f);
  EXPECT_EQ(emitter.SetBaseSpeed(42.0f), 0);
  EXPECT_EQ(emitter.tracks.BaseSpeed.KeyCount(), 1u);
  EXPECT_EQ(emitter.tracks.BaseSpeed.Evaluate(500.0f), 42.0f);
  EXPECT_EQ(emitter.SetBaseEmissionAngle(-30.0f), 0);
  EXPECT_EQ(emitter.tracks.BaseEmissionAngle.Evaluate(3.0f), -30.0f);
}

TEST_F(EmitterUpdate, SpawningIsBoundedPerStepAndPerEmitter) {
  // A widened range lets a file ask for a billion particles a second.
  emitter.tracks.BaseQuantity.SetRange(1000, 0, 1e9f, 1e9f);
  emitter.record.emissionBacklog = std::numeric_limits<float>::infinity();
  SetConstant(emitter.tracks.BaseLife, 1000.0f);
  test::ScopedParticleBudget budget(test::HostileInputParticleBudget);
  emitter.Update(0.1f);
  EXPECT_EQ(emitter.GetParticleCount(), static_cast<int32_t>(Emitter::kMaxSpawnPerUpdate));
  // A process-wide budget below the emitter's bound stops the pool first.
  for (int i = 0; i < 12; ++i) emitter.Update(0.1f);
  // Whole blocks of 32 records fit below the budget.
  const int32_t small = static_cast<int32_t>(test::HostileInputParticleBudget);
  EXPECT_LE(emitter.GetParticleCount(), small);
  EXPECT_GT(emitter.GetParticleCount(), small - 32);
  // The default budget leaves the emitter's own bound to act.
  ParticlePool::SetProcessBudget(ParticlePool::kDefaultProcessBudget);
  for (int i = 0; i < 12; ++i) emitter.Update(0.1f);
  EXPECT_EQ(emitter.GetParticleCount(), Emitter::kMaxLiveParticles);
}

TEST_F(EmitterUpdate, NotANumberAndNegativeRatesSpawnNothing) {
  emitter.tracks.BaseQuantity.SetRange(1000, -100, 100, -50);
  emitter.Update(1.0f);
  EXPECT_EQ(emitter.GetParticleCount(), 0);
  emitter.record.emissionBacklog = std::numeric_limits<float>::quiet_NaN();
  SetConstant(emitter.tracks.BaseQuantity, 10.0f);
  emitter.Update(1.0f);
  EXPECT_EQ(emitter.GetParticleCount(), 0);
}

TEST_F(EmitterUpdate, HostileTrackValuesStayDefined) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  emitter.tracks.BaseX.SetRange(1000, -inf, inf, 0);
  emitter.tracks.BaseX.AddKey(0.0f, inf);
  emitter.tracks.LifeSpin.AddKey(0.5f, nan);
  SetConstant(emitter.tracks.BaseSpin, 3000.0f);
  emitter.record.rotationMode = 2;
  emitter.record.randomRotationRange = inf;
  effect.record.frameWidth = nan;
  effect.UpdateFrameCorners();
  emitter.record.spawnShape = 3;
  for (int i = 0; i < 10; ++i) emitter.Update(0.3f);
  EXPECT_GT(emitter.GetParticleCount(), 0);
}

TEST_F(EmitterUpdate, APoolThatCannotGrowSpawnsNothingAndLeaksNothing) {
  scope.allocator.failAfter = scope.allocator.allocations + 1;
  const uint64_t before = scope.allocator.allocations;
  emitter.Update(1.0f);
  EXPECT_EQ(emitter.GetParticleCount(), 0);
  EXPECT_LE(scope.allocator.allocations - before, 3u) << "one refusal ends the step's spawning";
  scope.allocator.failAfter = 0;
  emitter.Update(1.0f);
  EXPECT_EQ(emitter.GetParticleCount(), 10);
}

TEST_F(EmitterUpdate, TheSteadyStateAllocatesNothing) {
  test::ConfigureBusy(emitter, effect);
  SetConstant(emitter.tracks.BaseQuantity, 500.0f);
  for (int i = 0; i < 300; ++i) emitter.Update(0.016f);  // lifetime 2 s: the ramp is done
  const uint64_t allocations = scope.allocator.allocations;
  const uint64_t frees = scope.allocator.frees;
  for (int i = 0; i < 300; ++i) emitter.Update(0.016f);
  EXPECT_GT(emitter.GetParticleCount(), 900);
  EXPECT_EQ(scope.allocator.allocations, allocations);
  EXPECT_EQ(scope.allocator.frees, frees);
}

}  // namespace
}  // namespace tavrix
