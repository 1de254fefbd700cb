// The frame cycle of one effect, driven through scripted emitters: prewarm
// and restore step counts, the two clocks, the four end modes, stopping,
// drawing order, clearing and placement.
#include <gtest/gtest.h>

#include <climits>
#include <limits>
#include <string>
#include <vector>

#include "effectfile/Effect.h"
#include "support/EffectEnvironment.h"
#include "support/FakeEmitter.h"
#include "support/QuadRecorder.h"
#include "tavrix/ResultCode.h"

namespace tavrix {
namespace {

using test::FakeEmitter;

class EffectRuntime : public ::testing::Test {
 protected:
  FakeEmitter* AddEmitter(const std::string& label = std::string()) {
    FakeEmitter* emitter = FakeEmitter::Create(label, &drawLog);
    EXPECT_TRUE(effect.emitters.PushBack(emitter));
    return emitter;
  }

  test::EffectEnvironment environment;
  Effect effect{0, &environment.Registry()};
  std::vector<std::string> drawLog;
};

TEST_F(EffectRuntime, PrewarmRunsFiftyMillisecondStepsWithSinglePrecisionCounting) {
  struct Case {
    uint32_t prewarmMs;
    size_t steps;
  };
  for (Case c : {Case{0, 0}, Case{49, 0}, Case{50, 1}, Case{99, 1}, Case{100, 2}, Case{1000, 19},
                 Case{2000, 40}}) {
    FakeEmitter* emitter = AddEmitter();
    effect.record.durationSeconds = 1000.0f;
    ASSERT_EQ(effect.Start(c.prewarmMs, true), Success);
    EXPECT_EQ(emitter->updates.size(), c.steps) << c.prewarmMs << " ms";
    for (float dt : emitter->updates) EXPECT_FLOAT_EQ(dt, 0.05f);
    EXPECT_EQ(effect.run.lastTimeMs, 0);
    EXPECT_TRUE(effect.record.running);
    effect.ClearEmitters();
  }
}

TEST_F(EffectRuntime, RestoreReplaysTheStoredPlayTimeInSteps) {
  struct Case {
    float elapsed;
    size_t steps;
  };
  for (Case c : {Case{0.0f, 0}, Case{0.05f, 0}, Case{0.1f, 1}, Case{1.0f, 19}, Case{2.0f, 40}}) {
    FakeEmitter* emitter = AddEmitter();
    effect.record.durationSeconds = 1000.0f;
    effect.record.running = true;
    effect.record.elapsedSeconds = c.elapsed;
    effect.RestoreElapsed();
    EXPECT_EQ(emitter->updates.size(), c.steps) << c.elapsed << " s";
    EXPECT_NEAR(effect.record.elapsedSeconds, 0.05f * static_cast<float>(c.steps), 1e-5f);
    EXPECT_EQ(effect.run.lastTimeMs, 0);
    effect.ClearEmitters();
  }
}

TEST_F(EffectRuntime, RestoreOfAStoppedEffectDoesNothing) {
  FakeEmitter* emitter = AddEmitter();
  effect.record.elapsedSeconds = 2.0f;
  effect.RestoreElapsed();
  EXPECT_TRUE(emitter->updates.empty());
  EXPECT_FLOAT_EQ(effect.record.elapsedSeconds, 2.0f);
}

TEST_F(EffectRuntime, ReplaysOfAbsurdLengthsEndAfterAnHourOfSteps) {
  FakeEmitter* emitter = AddEmitter();
  effect.record.durationSeconds = 1e30f;
  ASSERT_EQ(effect.Start(UINT32_MAX, true), Success);
  EXPECT_EQ(emitter->updates.size(), 72000u);
  EXPECT_EQ(effect.run.lastTimeMs, 0);

  emitter->updates.clear();
  effect.record.elapsedSeconds = 1e30f;
  effect.RestoreElapsed();
  EXPECT_EQ(emitter->updates.size(), 72000u);

  emitter->updates.clear();
  effect.record.elapsedSeconds = std::numeric_limits<float>::quiet_NaN();
  effect.RestoreElapsed();
  EXPECT_TRUE(emitter->updates.empty());
}

TEST_F(EffectRuntime, ReplaysEndOnceTheyHaveMovedAMillionParticles) {
  FakeEmitter* emitter = AddEmitter();
  emitter->particles = 199999;  // with its emitter, 200,000 a step
  effect.record.durationSeconds = 1000.0f;
  ASSERT_EQ(effect.Start(2000, true), Success);
  EXPECT_EQ(emitter->updates.size(), 5u);
  emitter->updates.clear();
  emitter->particles = 19999;
  effect.record.elapsedSeconds = 2.0f;
  effect.RestoreElapsed();
  EXPECT_EQ(emitter->updates.size(), 40u);
}

TEST_F(EffectRuntime, PrewarmStopsSteppingOnceTheEffectHasStopped) {
  FakeEmitter* emitter = AddEmitter();
  effect.record.durationSeconds = 0.1f;
  effect.record.endMode = 2;
  ASSERT_EQ(effect.Start(1000, true), Success);
  EXPECT_EQ(emitter->updates.size(), 2u);
  EXPECT_FALSE(effect.record.running);
  EXPECT_EQ(emitter->kills, 1);
}

TEST_F(EffectRuntime, StartWithoutEmittersChangesNothing) {
  effect.record.elapsedSeconds = 0.5f;
  EXPECT_EQ(effect.Start(0, true), PlayNoEmitters);
  EXPECT_FALSE(effect.record.running);
  EXPECT_FLOAT_EQ(effect.record.elapsedSeconds, 0.5f);
}

TEST_F(EffectRuntime, AFailingRestartStopsTheStartAndKeepsThePlayState) {
  FakeEmitter* first = AddEmitter();
  FakeEmitter* second = AddEmitter();
  FakeEmitter* third = AddEmitter();
  second->restartResult = -7;
  effect.record.stopping = true;
  effect.record.elapsedSeconds = 0.5f;
  EXPECT_EQ(effect.Start(0, true), -7);
  EXPECT_EQ(first->restarts, std::vector<bool>{true});
  EXPECT_EQ(second->restarts.size(), 1u);
  EXPECT_TRUE(third->restarts.empty());
  EXPECT_FALSE(effect.record.running);
  EXPECT_TRUE(effect.record.stopping);
  EXPECT_FLOAT_EQ(effect.record.elapsedSeconds, 0.0f);
}

TEST_F(EffectRuntime, AdvanceByCountsHostMillisecondsAndSkipsZero) {
  FakeEmitter* emitter = AddEmitter();
  effect.record.durationSeconds = 0.0f;  // the end check would report at once
  effect.record.endMode = 0;
  EXPECT_EQ(effect.AdvanceBy(16), Success);  // not running yet
  ASSERT_EQ(effect.Start(0, true), Success);
  EXPECT_EQ(effect.AdvanceBy(0), Success);
  EXPECT_TRUE(emitter->updates.empty());
  EXPECT_EQ(effect.AdvanceBy(16), EffectEnded);
  EXPECT_EQ(effect.AdvanceBy(-4), Success);
  ASSERT_EQ(emitter->updates.size(), 2u);
  EXPECT_FLOAT_EQ(emitter->updates[0], 0.016f);
  EXPECT_FLOAT_EQ(emitter->updates[1], -0.004f);
  EXPECT_EQ(effect.run.lastTimeMs, 12);
  EXPECT_FLOAT_EQ(effect.record.elapsedSeconds, 0.012f);
}

TEST_F(EffectRuntime, AdvanceToMeasuresFromTheStartAndIgnoresEarlierTimes) {
  FakeEmitter* emitter = AddEmitter();
  effect.record.durationSeconds = 100.0f;
  ASSERT_EQ(effect.Start(0, true), Success);
  EXPECT_EQ(effect.AdvanceTo(250), Success);
  EXPECT_EQ(effect.AdvanceTo(250), Success);
  EXPECT_EQ(effect.AdvanceTo(100), Success);
  EXPECT_EQ(effect.AdvanceTo(300), Success);
  ASSERT_EQ(emitter->updates.size(), 2u);
  EXPECT_FLOAT_EQ(emitter->updates[0], 0.25f);
  EXPECT_FLOAT_EQ(emitter->updates[1], 0.05f);
  EXPECT_EQ(effect.run.lastTimeMs, 300);
}

TEST_F(EffectRuntime, TheClockWrapsAroundInsteadOfOverflowing) {
  FakeEmitter* emitter = AddEmitter();
  effect.record.durationSeconds = 100.0f;
  ASSERT_EQ(effect.Start(0, true), Success);
  effect.run.lastTimeMs = INT32_MAX;
  EXPECT_EQ(effect.AdvanceBy(1), Success);
  EXPECT_EQ(effect.run.lastTimeMs, INT32_MIN);
  effect.run.lastTimeMs = INT32_MAX - 10;
  EXPECT_EQ(effect.AdvanceTo(INT32_MIN + 10), Success);
  ASSERT_EQ(emitter->updates.size(), 2u);
  EXPECT_FLOAT_EQ(emitter->updates[1], 0.021f);
}

TEST_F(EffectRuntime, ReportOnceReportsOncePerStartAndKeepsPlaying) {
  FakeEmitter* emitter = AddEmitter();
  effect.record.durationSeconds = 0.1f;
  effect.record.endMode = 0;
  ASSERT_EQ(effect.Start(0, true), Success);
  EXPECT_EQ(effect.AdvanceBy(60), Success);
  EXPECT_EQ(effect.AdvanceBy(60), EffectEnded);
  EXPECT_EQ(effect.AdvanceBy(60), Success);
  EXPECT_TRUE(effect.record.running);
  EXPECT_EQ(emitter->updates.size(), 3u);
  ASSERT_EQ(effect.Start(0, true), Success);
  EXPECT_EQ(effect.AdvanceBy(200), EffectEnded);
}

TEST_F(EffectRuntime, LoopReportsEveryRoundAndRestartsItsEmitters) {
  FakeEmitter* emitter = AddEmitter();
  effect.record.durationSeconds = 0.1f;
  effect.record.endMode = 1;
  ASSERT_EQ(effect.Start(0, true), Success);
  emitter->particles = 5;
  EXPECT_EQ(effect.AdvanceBy(60), Success);
  EXPECT_EQ(effect.AdvanceBy(60), EffectEnded);
  EXPECT_TRUE(effect.record.running);
  EXPECT_FLOAT_EQ(effect.record.elapsedSeconds, 0.0f);
  // The restart, then the zero step that runs the emitters once more.
  EXPECT_EQ(emitter->restarts, (std::vector<bool>{true, true}));
  ASSERT_EQ(emitter->updates.size(), 3u);
  EXPECT_EQ(emitter->updates[2], 0.0f);
  EXPECT_EQ(effect.AdvanceBy(100), EffectEnded);
  EXPECT_EQ(emitter->restarts.size(), 3u);
}

TEST_F(EffectRuntime, ALoopWithoutDurationRestartsOncePerAdvance) {
  FakeEmitter* emitter = AddEmitter();
  effect.record.durationSeconds = 0.0f;
  effect.record.endMode = 1;
  ASSERT_EQ(effect.Start(0, true), Success);
  EXPECT_EQ(effect.AdvanceBy(16), EffectEnded);
  EXPECT_EQ(emitter->restarts.size(), 2u);
  EXPECT_EQ(effect.AdvanceBy(16), EffectEnded);
  EXPECT_EQ(emitter->restarts.size(), 3u);
  EXPECT_TRUE(effect.record.running);
}

TEST_F(EffectRuntime, AStoredRunningLoopWithoutEmittersStillReturns) {
  effect.record.running = true;
  effect.record.endMode = 1;
  effect.record.durationSeconds = 0.5f;
  effect.record.elapsedSeconds = 1.0f;
  EXPECT_EQ(effect.AdvanceBy(16), EffectEnded);
  EXPECT_EQ(effect.AdvanceTo(100), EffectEnded);
}

TEST_F(EffectRuntime, KillAtEndStopsHardAndReportsOnce) {
  FakeEmitter* emitter = AddEmitter();
  effect.record.durationSeconds = 0.1f;
  effect.record.endMode = 2;
  ASSERT_EQ(effect.Start(0, true), Success);
  emitter->particles = 3;
  EXPECT_EQ(effect.AdvanceBy(100), EffectEnded);
  EXPECT_FALSE(effect.record.running);
  EXPECT_EQ(emitter->kills, 1);
  EXPECT_EQ(emitter->particles, 0);
  EXPECT_FLOAT_EQ(effect.record.elapsedSeconds, 0.0f);
  EXPECT_EQ(effect.AdvanceBy(100), Success);
  EXPECT_EQ(emitter->updates.size(), 1u);
}

TEST_F(EffectRuntime, FadeAtEndReportsAtTheEndAndWhenTheLastParticleIsGone) {
  FakeEmitter* emitter = AddEmitter();
  effect.record.durationSeconds = 0.1f;
  effect.record.endMode = 3;
  ASSERT_EQ(effect.Start(0, true), Success);
  emitter->particles = 4;
  EXPECT_EQ(effect.AdvanceBy(100), EffectEnded);
  EXPECT_TRUE(effect.record.running);
  EXPECT_TRUE(effect.record.stopping);
  EXPECT_EQ(emitter->stopEmissions, 1);
  EXPECT_EQ(effect.AdvanceBy(50), Success);
  emitter->particles = 0;
  EXPECT_EQ(effect.AdvanceBy(50), EffectEnded);
  EXPECT_FALSE(effect.record.running);
  EXPECT_FALSE(effect.record.stopping);
  EXPECT_EQ(emitter->kills, 1);
  EXPECT_EQ(effect.AdvanceBy(50), Success);
}

TEST_F(EffectRuntime, DisabledEmittersAreNeitherUpdatedNorCounted) {
  FakeEmitter* enabled = AddEmitter();
  FakeEmitter* disabled = AddEmitter();
  disabled->enabled = false;
  disabled->particles = 10;
  effect.record.durationSeconds = 10.0f;
  ASSERT_EQ(effect.Start(0, true), Success);
  EXPECT_EQ(effect.Stop(true), Success);
  EXPECT_EQ(enabled->stopEmissions, 1);
  EXPECT_EQ(disabled->stopEmissions, 1);
  EXPECT_EQ(effect.AdvanceBy(16), EffectEnded);
  EXPECT_EQ(enabled->updates.size(), 1u);
  EXPECT_TRUE(disabled->updates.empty());
  EXPECT_FALSE(effect.record.running);
}

TEST_F(EffectRuntime, AnUnknownEndModeDoesNothingAtTheEnd) {
  FakeEmitter* emitter = AddEmitter();
  effect.record.durationSeconds = 0.1f;
  effect.record.endMode = 7;
  ASSERT_EQ(effect.Start(0, true), Success);
  EXPECT_EQ(effect.AdvanceBy(500), Success);
  EXPECT_EQ(effect.AdvanceBy(500), Success);
  EXPECT_TRUE(effect.record.running);
  EXPECT_EQ(emitter->kills + emitter->stopEmissions, 0);
}

TEST_F(EffectRuntime, StopActsOnlyOnARunningEffect) {
  FakeEmitter* emitter = AddEmitter();
  EXPECT_EQ(effect.Stop(false), Success);
  EXPECT_EQ(effect.Stop(true), Success);
  EXPECT_EQ(emitter->kills + emitter->stopEmissions, 0);
  EXPECT_FALSE(effect.record.stopping);
}

TEST_F(EffectRuntime, DrawsEmittersFromLastToFirstAndStopsAtAFailure) {
  AddEmitter("first");
  FakeEmitter* second = AddEmitter("second");
  AddEmitter("third");
  test::QuadRecorder renderer;
  EXPECT_EQ(effect.Draw(renderer), Success);  // not running: drawn all the same
  EXPECT_EQ(drawLog, (std::vector<std::string>{"third", "second", "first"}));
  drawLog.clear();
  second->drawResult = EmitterNoFrameSet;
  EXPECT_EQ(effect.Draw(renderer), EmitterNoFrameSet);
  EXPECT_EQ(drawLog, (std::vector<std::string>{"third", "second"}));
}

TEST_F(EffectRuntime, ClearParticlesClearsEveryEmitterAndKeepsPlaying) {
  EXPECT_EQ(effect.ClearParticles(), ClearNoEmitters);
  FakeEmitter* first = AddEmitter();
  FakeEmitter* second = AddEmitter();
  FakeEmitter* third = AddEmitter();
  effect.record.durationSeconds = 10.0f;
  ASSERT_EQ(effect.Start(0, true), Success);
  first->particles = second->particles = 3;
  EXPECT_EQ(effect.ClearParticles(), Success);
  EXPECT_EQ(first->particles + second->particles, 0);
  EXPECT_TRUE(effect.record.running);
  second->clearResult = -5;
  EXPECT_EQ(effect.ClearParticles(), -5);
  EXPECT_EQ(third->clears, 1);
}

TEST_F(EffectRuntime, SetPositionMovesLiveParticlesOnlyWhenAsked) {
  FakeEmitter* emitter = AddEmitter();
  EXPECT_EQ(effect.SetPosition(10.0f, 20.0f, false), Success);
  EXPECT_TRUE(emitter->offsets.empty());
  EXPECT_FLOAT_EQ(effect.record.positionX, 10.0f);
  EXPECT_FLOAT_EQ(effect.record.positionY, 20.0f);
  EXPECT_EQ(effect.SetPosition(30.0f, 40.0f, true), Success);
  ASSERT_EQ(emitter->offsets.size(), 1u);
  EXPECT_FLOAT_EQ(emitter->offsets[0].first, 30.0f);
  EXPECT_FLOAT_EQ(emitter->offsets[0].second, 40.0f);
}

}  // namespace
}  // namespace tavrix
