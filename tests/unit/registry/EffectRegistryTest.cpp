// The registry as the host reaches it: identifiers, loading and unloading,
// the update walks with the finish listener, drawing order, placement,
// clearing, size queries and saving.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "base/ProcessSlots.h"
#include "effectfile/Effect.h"
#include "simulation/Emitter.h"
#include "support/EffectEnvironment.h"
#include "support/EffectFileBuilder.h"
#include "support/EffectWorkloads.h"
#include "support/QuadRecorder.h"
#include "tavrix/ResultCode.h"

namespace tavrix {
namespace {

using test::Bytes;
using test::EffectOf;
using test::EmitterRecord;
using test::SteadyEmitter;

class RecordingListener final : public IEffectFinishListener {
 public:
  void OnEffectFinished(int32_t id) override {
    finished.push_back(id);
    if (onFinish) onFinish(id);
  }
  std::vector<int32_t> finished;
  std::function<void(int32_t)> onFinish;
};

class EffectRegistryTest : public ::testing::Test {
 protected:
  void SetUp() override { SetCurrentFinishListener(&listener); }
  void TearDown() override { SetCurrentFinishListener(nullptr); }

  EffectRegistry& registry() { return environment.Registry(); }

  std::string WriteEffect(const std::string& name, float duration = 10.0f, int32_t endMode = 0) {
    return test::WriteEffect(
        scratch, name,
        test::EffectRecord(EffectOf({EmitterRecord(SteadyEmitter())}, duration, endMode)));
  }

  test::TempDir scratch;
  test::EffectEnvironment environment;
  RecordingListener listener;
};

TEST_F(EffectRegistryTest, IdentifiersCountUpAndAreNeverReused) {
  std::string good = WriteEffect("good.eff");
  std::string broken = test::WriteEffect(scratch, "broken.eff", Bytes{0x54, 0x56});
  EXPECT_EQ(registry().LoadEffect(good.c_str()), 0);
  EXPECT_EQ(registry().LoadEffect(broken.c_str()), EffectHeaderUnreadable);
  EXPECT_EQ(registry().LoadEffect(good.c_str()), 2);
  EXPECT_EQ(registry().UnloadEffect(0), Success);
  EXPECT_EQ(registry().UnloadEffect(0), Success);
  EXPECT_EQ(registry().UnloadEffect(77), Success);
  EXPECT_EQ(registry().LoadEffect(good.c_str()), 3);
  EXPECT_EQ(registry().EffectCount(), 2);
  // A file that cannot be opened takes no identifier.
  EXPECT_EQ(registry().LoadEffect(scratch.File("missing.eff").c_str()), EffectFileOpenFailed);
  EXPECT_EQ(registry().LoadEffect(good.c_str()), 4);
}

TEST_F(EffectRegistryTest, UnloadingTheFirstEffectDoesNotFreeItsIdentifier) {
  std::string good = WriteEffect("good.eff");
  EXPECT_EQ(registry().LoadEffect(good.c_str()), 0);
  EXPECT_EQ(registry().LoadEffect(good.c_str()), 1);
  registry().UnloadEffect(0);
  EXPECT_EQ(registry().LoadEffect(good.c_str()), 2);
  EXPECT_EQ(registry().Find(0), nullptr);
}

TEST_F(EffectRegistryTest, NoMemoryForTheEffectTakesNoIdentifier) {
  std::string good = WriteEffect("good.eff");
  environment.Allocator().failAt = environment.Allocator().allocations + 1;
  EXPECT_EQ(registry().LoadEffect(good.c_str()), EffectAllocFailed);
  environment.Allocator().failAt = 0;
  EXPECT_EQ(registry().LoadEffect(good.c_str()), 0);
}

TEST_F(EffectRegistryTest, EveryRefusedAllocationOfALoadFailsCleanly) {
  std::string good = WriteEffect("good.eff");
  test::CountingAllocator& allocator = environment.Allocator();
  ASSERT_EQ(registry().LoadEffect(good.c_str()), 0);
  registry().UnloadEffect(0);
  size_t baseline = allocator.LiveCount();
  uint64_t before = allocator.allocations;
  ASSERT_EQ(registry().LoadEffect(good.c_str()), 1);
  registry().UnloadEffect(1);
  uint64_t perLoad = allocator.allocations - before;
  for (uint64_t k = 1; k <= perLoad; ++k) {
    allocator.failAt = allocator.allocations + k;
    int32_t result = registry().LoadEffect(good.c_str());
    allocator.failAt = 0;
    if (result >= 0) registry().UnloadEffect(result);
    EXPECT_EQ(allocator.LiveCount(), baseline) << "refusing allocation " << k;
  }
  EXPECT_EQ(allocator.foreignFrees, 0u);
}

TEST_F(EffectRegistryTest, OneFileLoadedTwiceGivesTwoIndependentEffects) {
  std::string path = WriteEffect("twice.eff");
  int32_t first = registry().LoadEffect(path.c_str());
  int32_t second = registry().LoadEffect(path.c_str());
  ASSERT_EQ(first, 0);
  ASSERT_EQ(second, 1);
  ASSERT_NE(registry().Find(first), registry().Find(second));
  registry().PlayEffect(first, 0);
  registry().PlayEffect(second, 0);
  registry().AdvanceAllBy(100);
  registry().SetEffectPosition(second, 50.0f, 60.0f, true);
  EXPECT_FLOAT_EQ(registry().Find(first)->record.positionX, 0.0f);
  registry().UnloadEffect(first);
  registry().AdvanceAllBy(100);
  Effect* survivor = registry().Find(second);
  ASSERT_NE(survivor, nullptr);
  EXPECT_TRUE(survivor->record.running);
  EXPECT_GT(survivor->GetParticleCount(), 0);
  EXPECT_EQ(registry().EffectCount(), 1);
}

TEST_F(EffectRegistryTest, PlayAndClearIgnoreUnknownIdentifiersAndEmptyEffects) {
  std::string empty = test::WriteEffect(scratch, "empty.eff", test::EffectRecord(EffectOf({})));
  ASSERT_EQ(registry().LoadEffect(empty.c_str()), 0);
  EXPECT_EQ(registry().PlayEffect(0, 0), Success);
  EXPECT_FALSE(registry().Find(0)->record.running);
  EXPECT_EQ(registry().ClearEffect(0), Success);
  EXPECT_EQ(registry().PlayEffect(9, 0), Success);
  EXPECT_EQ(registry().ClearEffect(9), Success);
  EXPECT_EQ(registry().AdvanceEffectBy(9, 10), Success);
  EXPECT_EQ(registry().SetEffectPosition(9, 1.0f, 2.0f, false), PositionNoEffect);
}

TEST_F(EffectRegistryTest, UpdateAllNotifiesTheListenerForEveryEnd) {
  // 0 reports once, 1 stops at its end, 2 loops, 3 fades.
  ASSERT_EQ(registry().LoadEffect(WriteEffect("once.eff", 0.2f, 0).c_str()), 0);
  ASSERT_EQ(registry().LoadEffect(WriteEffect("kill.eff", 0.2f, 2).c_str()), 1);
  ASSERT_EQ(registry().LoadEffect(WriteEffect("loop.eff", 0.2f, 1).c_str()), 2);
  ASSERT_EQ(registry().LoadEffect(WriteEffect("fade.eff", 0.2f, 3).c_str()), 3);
  for (int32_t id = 0; id < 4; ++id) registry().PlayEffect(id, 0);

  EXPECT_EQ(registry().AdvanceAllBy(100), Success);
  EXPECT_TRUE(listener.finished.empty());
  EXPECT_EQ(registry().AdvanceAllBy(100), Success);
  EXPECT_EQ(listener.finished, (std::vector<int32_t>{0, 1, 2, 3}));
  EXPECT_FALSE(registry().Find(1)->record.running);
  EXPECT_EQ(registry().Find(1)->GetParticleCount(), 0);
  EXPECT_TRUE(registry().Find(3)->record.stopping);

  listener.finished.clear();
  for (int i = 0; i < 15; ++i) registry().AdvanceAllBy(100);
  // The loop ends every 200 ms; the fade ends once more when its last
  // particle (1 s of life) has gone.
  std::vector<int32_t> loops, fades;
  for (int32_t id : listener.finished) {
    EXPECT_TRUE(id == 2 || id == 3) << id;
    (id == 2 ? loops : fades).push_back(id);
  }
  EXPECT_EQ(loops.size(), 7u);
  EXPECT_EQ(fades.size(), 1u);
  EXPECT_FALSE(registry().Find(3)->record.running);
}

TEST_F(EffectRegistryTest, UpdateEffectNotifiesForThatEffectOnly) {
  ASSERT_EQ(registry().LoadEffect(WriteEffect("a.eff", 0.1f, 0).c_str()), 0);
  ASSERT_EQ(registry().LoadEffect(WriteEffect("b.eff", 0.1f, 0).c_str()), 1);
  registry().PlayEffect(0, 0);
  registry().PlayEffect(1, 0);
  EXPECT_EQ(registry().AdvanceEffectBy(1, 200), Success);
  EXPECT_EQ(listener.finished, std::vector<int32_t>{1});
  EXPECT_FLOAT_EQ(registry().Find(0)->record.elapsedSeconds, 0.0f);
}

TEST_F(EffectRegistryTest, UpdateAllToStopsAtTheFirstEnd) {
  ASSERT_EQ(registry().LoadEffect(WriteEffect("a.eff", 10.0f).c_str()), 0);
  ASSERT_EQ(registry().LoadEffect(WriteEffect("b.eff", 0.1f).c_str()), 1);
  ASSERT_EQ(registry().LoadEffect(WriteEffect("c.eff", 10.0f).c_str()), 2);
  for (int32_t id = 0; id < 3; ++id) registry().PlayEffect(id, 0);
  EXPECT_EQ(registry().AdvanceAllTo(200), EffectEnded);
  EXPECT_TRUE(listener.finished.empty());
  EXPECT_FLOAT_EQ(registry().Find(0)->record.elapsedSeconds, 0.2f);
  EXPECT_FLOAT_EQ(registry().Find(1)->record.elapsedSeconds, 0.2f);
  EXPECT_FLOAT_EQ(registry().Find(2)->record.elapsedSeconds, 0.0f);
  // The next call catches effect 2 up in one step; effect 1 has reported.
  EXPECT_EQ(registry().AdvanceAllTo(300), Success);
  EXPECT_FLOAT_EQ(registry().Find(2)->record.elapsedSeconds, 0.3f);
}

TEST_F(EffectRegistryTest, AListenerMayUnloadAndLoadDuringTheWalk) {
  std::string shortEffect = WriteEffect("short.eff", 0.1f, 2);
  for (int32_t id = 0; id < 4; ++id) ASSERT_EQ(registry().LoadEffect(shortEffect.c_str()), id);
  for (int32_t id = 0; id < 4; ++id) registry().PlayEffect(id, 0);
  int32_t loaded = -1;
  listener.onFinish = [&](int32_t id) {
    registry().UnloadEffect(id);
    if (id == 0) registry().UnloadEffect(1);
    if (id == 2) {
      loaded = registry().LoadEffect(shortEffect.c_str());
      registry().PlayEffect(loaded, 0);
    }
  };
  EXPECT_EQ(registry().AdvanceAllBy(200), Success);
  EXPECT_EQ(listener.finished, (std::vector<int32_t>{0, 2, 3}));
  ASSERT_EQ(loaded, 4);
  EXPECT_EQ(registry().EffectCount(), 1);
  // The effect loaded during the walk waits for the next call.
  EXPECT_FLOAT_EQ(registry().Find(4)->record.elapsedSeconds, 0.0f);
  EXPECT_EQ(registry().AdvanceAllBy(200), Success);
  EXPECT_EQ(listener.finished.back(), 4);
  EXPECT_EQ(registry().EffectCount(), 0);
}

TEST_F(EffectRegistryTest, ClearEffectRemovesLiveParticlesAndKeepsPlaying) {
  ASSERT_EQ(registry().LoadEffect(WriteEffect("a.eff").c_str()), 0);
  registry().PlayEffect(0, 500);
  Effect* effect = registry().Find(0);
  ASSERT_GT(effect->GetParticleCount(), 0);
  EXPECT_EQ(registry().ClearEffect(0), Success);
  EXPECT_EQ(effect->GetParticleCount(), 0);
  EXPECT_TRUE(effect->record.running);
  registry().AdvanceAllBy(100);
  EXPECT_GT(effect->GetParticleCount(), 0);
}

TEST_F(EffectRegistryTest, SetEffectPositionMovesLiveParticlesOnlyWhenAsked) {
  ASSERT_EQ(registry().LoadEffect(WriteEffect("a.eff").c_str()), 0);
  registry().SetEffectPosition(0, 10.0f, 20.0f, false);
  registry().PlayEffect(0, 0);
  registry().AdvanceAllBy(100);
  int32_t early = registry().Find(0)->GetParticleCount();
  ASSERT_GT(early, 0);

  registry().SetEffectPosition(0, 300.0f, 400.0f, false);
  registry().AdvanceAllBy(100);
  test::QuadRecorder renderer;
  ASSERT_EQ(registry().DrawAll(renderer), Success);
  int32_t atOld = 0, atNew = 0;
  for (const auto& quad : renderer.quads) {
    if (quad.x == 10.0f && quad.y == 20.0f) ++atOld;
    if (quad.x == 300.0f && quad.y == 400.0f) ++atNew;
  }
  EXPECT_EQ(atOld, early);
  EXPECT_GT(atNew, 0);
  EXPECT_EQ(atOld + atNew, static_cast<int32_t>(renderer.quads.size()));

  registry().SetEffectPosition(0, -5.0f, 7.0f, true);
  renderer.quads.clear();
  ASSERT_EQ(registry().DrawAll(renderer), Success);
  ASSERT_FALSE(renderer.quads.empty());
  for (const auto& quad : renderer.quads) {
    EXPECT_FLOAT_EQ(quad.x, -5.0f);
    EXPECT_FLOAT_EQ(quad.y, 7.0f);
  }
}

TEST_F(EffectRegistryTest, DrawsEffectsByAscendingIdentifierAndEmittersLastToFirst) {
  test::EmitterDesc plain = SteadyEmitter();
  test::EmitterDesc additive = SteadyEmitter();
  additive.additive = true;
  std::string path = test::WriteEffect(
      scratch, "layers.eff",
      test::EffectRecord(EffectOf({EmitterRecord(additive), EmitterRecord(plain)})));
  for (int32_t id = 0; id < 3; ++id) {
    ASSERT_EQ(registry().LoadEffect(path.c_str()), id);
    registry().SetEffectPosition(id, 100.0f * id, 0.0f, false);
  }
  // Effect 1 loaded last is still drawn between 0 and 2.
  registry().UnloadEffect(1);
  ASSERT_EQ(registry().LoadEffect(path.c_str()), 3);
  registry().SetEffectPosition(3, 300.0f, 0.0f, false);
  for (int32_t id : {0, 2, 3}) registry().PlayEffect(id, 200);

  test::QuadRecorder renderer;
  ASSERT_EQ(registry().DrawAll(renderer), Success);
  ASSERT_EQ(renderer.binds.size(), 6u);
  for (size_t i = 0; i < renderer.binds.size(); ++i) {
    EXPECT_EQ(renderer.binds[i].additive, i % 2 == 1) << "bind " << i;
  }
  float lastX = -1.0f;
  for (const auto& quad : renderer.quads) {
    EXPECT_GE(quad.x, lastX);
    lastX = quad.x;
  }
  EXPECT_FLOAT_EQ(lastX, 300.0f);

  renderer.binds.clear();
  EXPECT_EQ(registry().DrawEffect(renderer, 2), Success);
  EXPECT_EQ(renderer.binds.size(), 2u);
  EXPECT_EQ(registry().DrawEffect(renderer, 1), Success);
  EXPECT_EQ(renderer.binds.size(), 2u);
}

TEST_F(EffectRegistryTest, AFailedDrawEndsTheWalkWithItsCode) {
  test::EmitterDesc textured = SteadyEmitter();
  textured.animated = false;  // no texture manager here: no frame set
  std::string path = test::WriteEffect(scratch, "textured.eff",
                                       test::EffectRecord(EffectOf({EmitterRecord(textured)})));
  ASSERT_EQ(registry().LoadEffect(WriteEffect("plain.eff").c_str()), 0);
  ASSERT_EQ(registry().LoadEffect(path.c_str()), 1);
  ASSERT_EQ(registry().LoadEffect(WriteEffect("plain2.eff").c_str()), 2);
  for (int32_t id = 0; id < 3; ++id) registry().PlayEffect(id, 200);
  if (static_cast<Emitter*>(registry().Find(1)->emitters[0])->record.frameSet) {
    GTEST_SKIP() << "a texture manager is current";
  }
  test::QuadRecorder renderer;
  EXPECT_EQ(registry().DrawAll(renderer), EmitterNoFrameSet);
  EXPECT_EQ(renderer.binds.size(), 1u);
  EXPECT_EQ(registry().DrawEffect(renderer, 1), EmitterNoFrameSet);
}

TEST_F(EffectRegistryTest, SizesDefaultTo400) {
  EXPECT_EQ(registry().GetEffectWidth(0), DefaultEffectSize);
  EXPECT_EQ(registry().GetEffectHeight(0), DefaultEffectSize);
  ASSERT_EQ(registry().LoadEffect(WriteEffect("plain.eff").c_str()), 0);
  EXPECT_EQ(registry().GetEffectWidth(0), 400);
  EXPECT_EQ(registry().GetEffectHeight(0), 400);

  test::EffectDesc sized = EffectOf({});
  sized.tracks = {test::TrackDesc{"SizeEffect", 1.0f, 640.9f, 1000.0f, 480.5f, 0.0f, {}}};
  std::string path = test::WriteEffect(scratch, "sized.eff", test::EffectRecord(sized));
  ASSERT_EQ(registry().LoadEffect(path.c_str()), 1);
  EXPECT_EQ(registry().GetEffectWidth(1), 640);
  EXPECT_EQ(registry().GetEffectHeight(1), 480);
  EXPECT_EQ(registry().GetEffectWidth(7), 400);
}

}  // namespace
}  // namespace tavrix
