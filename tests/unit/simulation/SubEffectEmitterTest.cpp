// The sub-effect emitter: how many copies it makes, their random speeds and
// angles, the start delay, the end of the first copy ending all of them,
// enabling, writing its record back, and the bounds that keep a file that
// names itself from nesting without end.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "effectfile/Effect.h"
#include "simulation/Emitter.h"
#include "simulation/SubEffectEmitter.h"
#include "support/EffectEnvironment.h"
#include "support/EffectFileBuilder.h"
#include "support/EffectWorkloads.h"
#include "support/QuadRecorder.h"
#include "tavrix/ResultCode.h"

namespace tavrix {
namespace {

using test::Bytes;
using test::EffectOf;
using test::EffectRecord;
using test::SubEffectDesc;
using test::SubEffectRecord;

class SubEffectTest : public ::testing::Test {
 protected:
  void SetUp() override {
    child = test::WriteEffect(
        scratch, "child.eff",
        EffectRecord(EffectOf({test::EmitterRecord(test::SteadyEmitter())}, 10.0f)));
  }

  SubEffectDesc Desc(float copies) {
    SubEffectDesc desc;
    desc.name = "burst";
    desc.effectFile = child;
    desc.copiesMin = desc.copiesMax = copies;
    return desc;
  }

  // Loads an effect whose only emitter is this sub-effect emitter.
  SubEffectEmitter* Load(const SubEffectDesc& desc, const std::string& name = "parent.eff") {
    std::string path =
        test::WriteEffect(scratch, name, EffectRecord(EffectOf({SubEffectRecord(desc)})));
    id = registry().LoadEffect(path.c_str());
    if (id < 0) return nullptr;
    return static_cast<SubEffectEmitter*>(registry().Find(id)->emitters[0]);
  }

  EffectRegistry& registry() { return environment.Registry(); }

  test::TempDir scratch;
  test::EffectEnvironment environment;
  std::string child;
  int32_t id = -1;
};

// Every copy below this emitter, at every depth.
uint32_t CountCopies(SubEffectEmitter& emitter, uint32_t* depth = nullptr) {
  uint32_t count = emitter.CopyCount();
  uint32_t deepest = 0;
  for (uint32_t i = 0; i < emitter.CopyCount(); ++i) {
    EffectBase* copy = emitter.Copy(i);
    for (IParticleEmitter* inner : copy->emitters) {
      uint32_t innerDepth = 0;
      count += CountCopies(*static_cast<SubEffectEmitter*>(inner), &innerDepth);
      deepest = std::max(deepest, innerDepth);
    }
  }
  if (depth) *depth = emitter.CopyCount() ? deepest + 1 : 0;
  return count;
}

TEST_F(SubEffectTest, EqualBoundsGiveExactlyThatManyCopies) {
  SubEffectEmitter* two = Load(Desc(2.0f), "two.eff");
  ASSERT_NE(two, nullptr);
  EXPECT_EQ(two->CopyCount(), 2u);
  SubEffectEmitter* none = Load(Desc(0.0f), "none.eff");
  ASSERT_NE(none, nullptr);
  EXPECT_EQ(none->CopyCount(), 0u);
  EXPECT_FALSE(none->Started());  // the countdown is armed all the same
}

TEST_F(SubEffectTest, TheUpperBoundIsExclusive) {
  SubEffectDesc desc = Desc(1.0f);
  desc.copiesMax = 3.0f;
  for (int i = 0; i < 10; ++i) {
    SubEffectEmitter* emitter = Load(desc, "range" + std::to_string(i) + ".eff");
    ASSERT_NE(emitter, nullptr);
    EXPECT_GE(emitter->CopyCount(), 1u);
    EXPECT_LE(emitter->CopyCount(), 2u);
  }
}

TEST_F(SubEffectTest, CopiesGetTheirSpeedAngleAndPosition) {
  SubEffectDesc desc = Desc(8.0f);
  desc.speedMin = 10.0f;
  desc.speedMax = 10.5f;
  desc.angleMin = desc.angleMax = 45.0f;
  desc.positionX = 12.0f;
  desc.positionY = -3.0f;
  SubEffectEmitter* emitter = Load(desc);
  ASSERT_NE(emitter, nullptr);
  ASSERT_EQ(emitter->CopyCount(), 8u);
  for (uint32_t i = 0; i < emitter->CopyCount(); ++i) {
    auto* inner = static_cast<Emitter*>(emitter->Copy(i)->emitters[0]);
    float speed = inner->tracks.BaseSpeed.Evaluate(0.0f);
    EXPECT_GE(speed, 10.0f);
    EXPECT_LT(speed, 10.495f);
    float hundredths = (speed - 10.0f) * 100.0f;
    EXPECT_NEAR(hundredths, std::round(hundredths), 1e-3f);
    EXPECT_FLOAT_EQ(inner->tracks.BaseEmissionAngle.Evaluate(0.0f), 45.0f);
    EXPECT_FLOAT_EQ(inner->record.positionX, 12.0f);
    EXPECT_FLOAT_EQ(inner->record.positionY, -3.0f);
  }
}

TEST_F(SubEffectTest, NoDelayStartsOnTheFirstUpdateAndAdvancesOnTheSecond) {
  SubEffectEmitter* emitter = Load(Desc(2.0f));
  ASSERT_NE(emitter, nullptr);
  registry().PlayEffect(id, 0);
  registry().AdvanceEffectBy(id, 16);
  ASSERT_TRUE(emitter->Started());
  for (uint32_t i = 0; i < 2; ++i) {
    EXPECT_TRUE(emitter->Copy(i)->record.running);
    EXPECT_FLOAT_EQ(emitter->Copy(i)->record.elapsedSeconds, 0.0f);
  }
  registry().AdvanceEffectBy(id, 16);
  for (uint32_t i = 0; i < 2; ++i) EXPECT_FLOAT_EQ(emitter->Copy(i)->record.elapsedSeconds, 0.016f);
  EXPECT_GT(emitter->GetParticleCount(), 0);
}

TEST_F(SubEffectTest, TheDelayCountsDownInMilliseconds) {
  SubEffectDesc desc = Desc(1.0f);
  desc.startDelayMs = 100.0f;
  SubEffectEmitter* emitter = Load(desc);
  ASSERT_NE(emitter, nullptr);
  registry().PlayEffect(id, 0);
  for (int i = 0; i < 6; ++i) registry().AdvanceEffectBy(id, 16);
  EXPECT_FALSE(emitter->Started());
  EXPECT_FALSE(emitter->Copy(0)->record.running);
  registry().AdvanceEffectBy(id, 16);
  EXPECT_TRUE(emitter->Started());
  EXPECT_TRUE(emitter->Copy(0)->record.running);
}

TEST_F(SubEffectTest, TheFirstCopysEndStopsEveryCopy) {
  child = test::WriteEffect(
      scratch, "short.eff",
      EffectRecord(EffectOf({test::EmitterRecord(test::SteadyEmitter())}, 0.1f, 2)));
  SubEffectEmitter* emitter = Load(Desc(3.0f));
  ASSERT_NE(emitter, nullptr);
  registry().PlayEffect(id, 0);
  registry().AdvanceEffectBy(id, 16);  // starts the copies
  registry().AdvanceEffectBy(id, 50);
  ASSERT_GT(emitter->GetParticleCount(), 0);
  EXPECT_EQ(emitter->Update(0.05f), EffectEnded);
  for (uint32_t i = 0; i < 3; ++i) EXPECT_FALSE(emitter->Copy(i)->record.running) << i;
  EXPECT_EQ(emitter->GetParticleCount(), 0);
  // The parent effect does not look at its emitter's result.
  EXPECT_TRUE(registry().Find(id)->record.running);
}

TEST_F(SubEffectTest, ADisabledEmitterStartsItsCopiesButNeitherAdvancesNorDrawsThem) {
  SubEffectEmitter* emitter = Load(Desc(1.0f));
  ASSERT_NE(emitter, nullptr);
  emitter->SetEnabled(false);
  EXPECT_EQ(emitter->Update(0.016f), Success);
  EXPECT_TRUE(emitter->Started());
  EXPECT_TRUE(emitter->Copy(0)->record.running);
  emitter->Update(0.1f);
  EXPECT_FLOAT_EQ(emitter->Copy(0)->record.elapsedSeconds, 0.0f);

  emitter->SetEnabled(true);
  emitter->Update(0.1f);
  ASSERT_GT(emitter->GetParticleCount(), 0);
  emitter->SetEnabled(false);
  test::QuadRecorder renderer;
  EXPECT_EQ(emitter->Draw(renderer), Success);
  EXPECT_TRUE(renderer.binds.empty());
  emitter->SetEnabled(true);
  EXPECT_EQ(emitter->Draw(renderer), Success);
  EXPECT_EQ(renderer.binds.size(), 1u);
}

TEST_F(SubEffectTest, AMissingNestedFileMakesNoCopiesAndArmsNothing) {
  SubEffectDesc desc = Desc(3.0f);
  desc.effectFile = scratch.File("missing.eff");
  SubEffectEmitter* emitter = Load(desc);
  ASSERT_NE(emitter, nullptr);
  EXPECT_EQ(emitter->CopyCount(), 0u);
  EXPECT_TRUE(emitter->Started());
}

TEST_F(SubEffectTest, WritingReproducesTheRecordAsVersionOne) {
  SubEffectDesc desc = Desc(2.0f);
  desc.version = 2;
  desc.startDelayMs = 250.0f;
  desc.speedMin = 1.5f;
  desc.speedMax = 2.5f;
  desc.angleMin = -30.0f;
  desc.angleMax = 30.0f;
  desc.enabled = false;
  ASSERT_NE(Load(desc), nullptr);
  std::string saved = scratch.File("saved.eff");
  ASSERT_EQ(registry().SaveFirstEffect(saved.c_str()), Success);
  Bytes plain = test::Decipher(test::ReadBytes(saved));

  desc.version = 1;
  Bytes expected = SubEffectRecord(desc);
  auto at = std::search(plain.begin(), plain.end(), expected.begin(), expected.begin() + 4);
  ASSERT_NE(at, plain.end());
  ASSERT_GE(static_cast<size_t>(plain.end() - at), expected.size());
  EXPECT_EQ(Bytes(at, at + static_cast<std::ptrdiff_t>(expected.size())), expected);
}

TEST_F(SubEffectTest, ManyCopiesAreCutAtTheLimitPerEmitter) {
  SubEffectEmitter* emitter = Load(Desc(1000.0f));
  ASSERT_NE(emitter, nullptr);
  EXPECT_EQ(emitter->CopyCount(), static_cast<uint32_t>(SubEffectEmitter::kMaxCopiesPerEmitter));
}

TEST_F(SubEffectTest, NestedFilesAreReadUpToTheByteBudgetOfALoad) {
  // A big nested file: one track entry whose keys all overwrite the key at
  // time 0, so that it is cheap to read but long.
  test::EffectDesc big = EffectOf({test::EmitterRecord(test::SteadyEmitter())});
  test::TrackDesc gravity{"gravity", 1.0f, 1.0f, 0.0f, 100.0f, 0.0f, {}};
  gravity.keys.assign(16000, {0.0f, 1.0f});
  big.tracks = {gravity};
  child = test::WriteEffect(scratch, "big.eff", EffectRecord(big));
  const long size = static_cast<long>(test::ReadBytes(child).size());
  SubEffectEmitter* emitter = Load(Desc(256.0f));
  ASSERT_NE(emitter, nullptr);
  EXPECT_EQ(static_cast<long>(emitter->CopyCount()), SubEffectEmitter::kMaxCopyBytesPerLoad / size);
  EXPECT_FALSE(emitter->Started());  // the copies that were made start as usual
}

TEST_F(SubEffectTest, AFileNamingItselfNestsEightDeepAndPlays) {
  std::string self = scratch.File("self.eff");
  SubEffectDesc desc = Desc(2.0f);
  desc.effectFile = self;
  test::WriteEffect(scratch, "self.eff", EffectRecord(EffectOf({SubEffectRecord(desc)})));
  id = registry().LoadEffect(self.c_str());
  ASSERT_EQ(id, 0);
  auto* emitter = static_cast<SubEffectEmitter*>(registry().Find(id)->emitters[0]);
  uint32_t depth = 0;
  EXPECT_EQ(CountCopies(*emitter, &depth), 510u);  // 2 + 4 + ... + 256
  EXPECT_EQ(depth, static_cast<uint32_t>(SubEffectEmitter::kMaxNestingDepth));

  registry().PlayEffect(id, 100);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(registry().AdvanceAllBy(16), Success);
  test::QuadRecorder renderer;
  EXPECT_EQ(registry().DrawAll(renderer), Success);
  EXPECT_TRUE(emitter->Copy(0)->record.running);
}

TEST_F(SubEffectTest, FilesNamingEachOtherStayWithinTheBudgetOfALoad) {
  std::string a = scratch.File("a.eff");
  std::string b = scratch.File("b.eff");
  SubEffectDesc toB = Desc(256.0f);
  toB.effectFile = b;
  SubEffectDesc toA = Desc(256.0f);
  toA.effectFile = a;
  test::WriteEffect(scratch, "a.eff", EffectRecord(EffectOf({SubEffectRecord(toB)})));
  test::WriteEffect(scratch, "b.eff", EffectRecord(EffectOf({SubEffectRecord(toA)})));
  id = registry().LoadEffect(a.c_str());
  ASSERT_EQ(id, 0);
  auto* emitter = static_cast<SubEffectEmitter*>(registry().Find(id)->emitters[0]);
  EXPECT_EQ(CountCopies(*emitter), static_cast<uint32_t>(SubEffectEmitter::kMaxCopiesPerLoad));
  // A second load has a budget of its own.
  ASSERT_EQ(registry().LoadEffect(a.c_str()), 1);
  emitter = static_cast<SubEffectEmitter*>(registry().Find(1)->emitters[0]);
  EXPECT_EQ(CountCopies(*emitter), static_cast<uint32_t>(SubEffectEmitter::kMaxCopiesPerLoad));
}

}  // namespace
}  // namespace tavrix
