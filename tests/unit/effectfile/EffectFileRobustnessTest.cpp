// Hostile effect files: every cut of a typical record and many corrupted
// ones must end in a result code or a playable effect, never in a crash,
// undefined behaviour or a hang, and a corrupted effect that loads must
// play, draw and save like any other.
#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "effectfile/Effect.h"
#include "support/EffectEnvironment.h"
#include "support/EffectFileBuilder.h"
#include "support/EffectWorkloads.h"
#include "support/QuadRecorder.h"
#include "tavrix/ResultCode.h"

namespace tavrix {
namespace {

using test::Bytes;

// A typical record with a sub-effect emitter that plays a small child.
Bytes HostileBase(const test::TempDir& directory) {
  std::string child = test::WriteEffect(
      directory, "child.eff",
      test::EffectRecord(test::EffectOf({test::EmitterRecord(test::SteadyEmitter())})));
  test::SubEffectDesc sub;
  sub.effectFile = child;
  sub.copiesMin = 2.0f;
  sub.copiesMax = 4.0f;
  test::EffectDesc desc = test::TypicalEffect();
  desc.emitters.push_back(test::SubEffectRecord(sub));
  return test::EffectRecord(desc);
}

class EffectFileRobustness : public ::testing::Test {
 protected:
  // Loads, then plays, advances, draws and saves whatever loaded.
  int32_t Exercise(const Bytes& plain) {
    std::string path = test::WriteEffect(scratch, "hostile.eff", plain);
    EffectRegistry& registry = environment.Registry();
    int32_t id = registry.LoadEffect(path.c_str());
    if (id < 0) return id;
    registry.PlayEffect(id, 100);
    for (int frame = 0; frame < 4; ++frame) registry.AdvanceAllBy(16);
    registry.AdvanceAllTo(200);
    test::QuadRecorder renderer(test::QuadRecorder::CountOnly);
    registry.DrawAll(renderer);
    registry.GetEffectWidth(id);
    registry.GetEffectHeight(id);
    registry.SaveFirstEffect(scratch.File("resaved.eff").c_str());
    registry.ClearEffect(id);
    registry.UnloadEffect(id);
    return id;
  }

  test::TempDir scratch;
  test::EffectEnvironment environment;
};

TEST_F(EffectFileRobustness, EveryCutOfARecordFailsWithACode) {
  const Bytes record = HostileBase(scratch);
  for (size_t length = 0; length < record.size(); ++length) {
    std::string path = test::WriteEffect(scratch, "cut.eff", test::Cut(record, length));
    ASSERT_LT(environment.Registry().LoadEffect(path.c_str()), 0) << "cut at " << length;
  }
  EXPECT_GE(Exercise(record), 0);
}

TEST_F(EffectFileRobustness, CorruptedRecordsEndInACodeOrAWorkingEffect) {
  const Bytes record = HostileBase(scratch);
  const uint8_t extremes[] = {0x00, 0x01, 0x7F, 0x80, 0xFF, 0xC0};
  uint32_t state = 12345;
  auto next = [&state] {
    state = state * 1664525u + 1013904223u;
    return state >> 8;
  };
  int loaded = 0;
  for (int round = 0; round < 400; ++round) {
    Bytes corrupted = record;
    int changes = 1 + static_cast<int>(next() % 4);
    for (int c = 0; c < changes; ++c) {
      size_t at = next() % corrupted.size();
      corrupted[at] = (next() & 1) ? static_cast<uint8_t>(next()) : extremes[next() % 6];
    }
    if (Exercise(corrupted) >= 0) ++loaded;
  }
  // Most single-byte damage lands in values, not in structure.
  EXPECT_GT(loaded, 100);
}

TEST_F(EffectFileRobustness, ExtremeStoredStatesStayBounded) {
  const float values[] = {0.0f,
                          -1.0f,
                          1e30f,
                          -1e30f,
                          std::numeric_limits<float>::infinity(),
                          std::numeric_limits<float>::quiet_NaN()};
  for (float elapsed : values) {
    for (float duration : values) {
      for (int32_t endMode : {0, 1, 2, 3, -7}) {
        test::EffectDesc desc = test::EffectOf(
            {test::EmitterRecord(test::SteadyEmitter(5.0f, 0.5f))}, duration, endMode);
        desc.running = true;
        desc.stopping = endMode == 3;
        desc.elapsedSeconds = elapsed;
        EXPECT_GE(Exercise(test::EffectRecord(desc)), 0);
      }
    }
  }
}

TEST_F(EffectFileRobustness, AHeavyEffectStoredAsPlayingForAgesStillLoads) {
  // Emitters at their highest rate whose particles live for ever: the
  // replay of the stored play time ends on its work bound, not after an
  // hour of steps.
  test::EmitterDesc heavy = test::SteadyEmitter(1000.0f, 1000.0f);
  std::vector<Bytes> emitters(4, test::EmitterRecord(heavy));
  test::EffectDesc desc = test::EffectOf(emitters, 1e30f, 0);
  desc.tracks = {test::TrackDesc{"ScaleQuantity", 1.0f, 1000.0f, 0.0f, 100.0f, 100.0f, {}}};
  desc.running = true;
  desc.elapsedSeconds = 1e30f;
  std::string path = test::WriteEffect(scratch, "heavy.eff", test::EffectRecord(desc));
  int32_t id = environment.Registry().LoadEffect(path.c_str());
  ASSERT_EQ(id, 0);
  Effect* effect = environment.Registry().Find(id);
  EXPECT_GT(effect->GetParticleCount(), 0);
  EXPECT_LT(effect->record.elapsedSeconds, 60.0f);
}

}  // namespace
}  // namespace tavrix
