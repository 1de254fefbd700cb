// Hostile emitter records: corrupted and cut records of an emitter that uses
// every feature must end in a result code, and whatever such a record leaves
// behind must simulate and draw without a crash, a hang or unbounded memory.
#include <gtest/gtest.h>

#include <cstring>

#include "support/ByteStreams.h"
#include "support/CountingAllocator.h"
#include "support/QuadRecorder.h"
#include "support/Workloads.h"

namespace tavrix {
namespace {

test::Bytes ShowcaseRecord(Emitter& e, bool animated) {
  e.record.spawnShape = 3;
  e.record.rotationMode = 0;
  e.record.alignToMotion = true;
  e.record.uniformSize = false;
  test::SetRamp(e.tracks.LifeX, 1.0f, 4.0f);
  test::SetRamp(e.tracks.LifeVisible, 1.0f, 0.0f);
  test::SetConstant(e.tracks.BaseRand, 30.0f);
  test::SetConstant(e.tracks.BaseFixedForce, 10.0f);
  test::SetConstant(e.tracks.BaseQuantity, 200.0f);
  e.record.animated = animated;
  e.record.frameAnimation.cycleLength = 0.5f;
  e.record.frameAnimation.randomStart = true;
  e.record.frameAnimation.frameSet =
      static_cast<FrameSet*>(CurrentTextureManager()->Acquire(TextureManager::FrameSetKind, "h"));
  e.record.frameAnimation.frameSet->AddFrame(0, 0, 1, 1);
  test::SimulationWorld::GiveFrameSet(e, "h2");
  test::ByteWriter writer;
  e.Write(writer.stream);
  return writer.Take();
}

void Exercise(Emitter& e, Effect& effect) {
  test::QuadRecorder renderer(test::QuadRecorder::CountOnly);
  effect.record.elapsedSeconds = 0.5f;
  effect.record.durationSeconds = 2.0f;
  for (int step = 0; step < 8; ++step) {
    e.Update(0.05f);
    e.Draw(renderer);
  }
  EXPECT_LE(e.GetParticleCount(), Emitter::kMaxLiveParticles);
}

TEST(EmitterHostile, CorruptedRecordsEndInACodeAndSimulateSafely) {
  test::ScopedAllocator scope;
  for (bool animated : {false, true}) {
    test::SimulationWorld world;
    const test::Bytes good = ShowcaseRecord(world.AddEmitter(), animated);
    RandomSource noise;
    noise.Seed(4242);
    for (int round = 0; round < 300; ++round) {
      test::Bytes bytes = good;
      const int flips = 1 + round % 6;
      for (int f = 0; f < flips; ++f) {
        const size_t at = static_cast<size_t>(noise.NextUnit() * static_cast<double>(bytes.size()));
        // Favour the values that hurt most: all ones (NaN, -1), 0x7F (huge).
        const double kind = noise.NextUnit();
        bytes[at] = kind < 0.3 ? 0xFF : kind < 0.5 ? 0x7F : static_cast<uint8_t>(noise.Next());
      }
      if (round % 5 == 0) bytes.resize(static_cast<size_t>(noise.NextUnit() * bytes.size()));
      Emitter& e = world.AddEmitter();
      test::ByteReader reader(bytes);
      const int32_t result = e.Read(reader.stream);
      EXPECT_LE(result, 0);
      Exercise(e, *world.effect);
      e.Kill();
    }
  }
  EXPECT_EQ(scope.allocator.LiveCount(), 0u);
}

TEST(EmitterHostile, ExtremeStoredFieldsStayDefined) {
  test::ScopedAllocator scope;
  test::SimulationWorld world;
  Emitter& source = world.AddEmitter();
  const test::Bytes good = ShowcaseRecord(source, false);
  // The 99 bytes of stored fields sit before the animated flag and the
  // frame set block (two empty names, a count, one frame, the index).
  const size_t fields = good.size() - (1 + 1 + 1 + 4 + 16 + 4) - 99;
  float firstCorner;
  std::memcpy(&firstCorner, &good[fields], 4);
  ASSERT_EQ(firstCorner, -0.5f);
  const uint32_t patterns[] = {0x7FC00000u, 0x7F800000u, 0xFF800000u, 0x7F7FFFFFu, 0xFFFFFFFFu};
  for (uint32_t pattern : patterns) {
    test::Bytes bytes = good;
    for (size_t at = fields; at + 4 <= fields + 99; at += 4) std::memcpy(&bytes[at], &pattern, 4);
    Emitter& e = world.AddEmitter();
    test::ByteReader reader(bytes);
    e.Read(reader.stream);
    e.record.enabled = true;
    e.record.stopped = false;
    Exercise(e, *world.effect);
  }
}

}  // namespace
}  // namespace tavrix
