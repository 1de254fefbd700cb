// The emitter record: Write then Read into a fresh emitter reproduces every
// field and track; every read and write failure has its code; keys are found
// regardless of letter case; stored corners are kept as stored.
#include <gtest/gtest.h>

#include <cstring>

#include "support/ByteStreams.h"
#include "support/CountingAllocator.h"
#include "support/QuadRecorder.h"
#include "support/Workloads.h"
#include "tavrix/ResultCode.h"

namespace tavrix {
namespace {

using test::Bytes;
using test::SetConstant;

// Bytes of the stored fields between the name and the animated flag.
constexpr size_t kFieldBytes = 99;

class EmitterRecord : public ::testing::Test {
 protected:
  Bytes Written(Emitter& e) {
    test::ByteWriter writer;
    EXPECT_EQ(e.Write(writer.stream), 0);
    return writer.Take();
  }
  int32_t ReadInto(Emitter& e, const Bytes& bytes) {
    test::ByteReader reader(bytes);
    return e.Read(reader.stream);
  }

  test::ScopedAllocator scope;
  test::SimulationWorld world;
  Emitter& emitter = world.AddEmitter();
};

void Customise(Emitter& e) {
  e.SetName("Sparks");
  test::SetRamp(e.tracks.LifeX, 0.5f, 4.0f);
  SetConstant(e.tracks.BaseQuantity, 33.0f);
  e.tracks.VarSpin.SetRange(500, 0, 50, 7);
  e.tracks.VarSpin.SetCycles(3.0f);
  e.tracks.VarSpin.AddKey(100.0f, 9.0f);
  e.SetPivot(0.25f, 0.75f);
  e.record.corners[2].x = 9.5f;  // stored as is, not recomputed from the pivot
  e.record.emissionBacklog = 0.125f;
  e.record.enabled = false;
  e.record.uniformSize = false;
  e.SetForceAngle(30.0f);
  e.record.forceDirectionY = 0.5f;
  e.record.rotationMode = 2;
  e.record.rotationOffset = 11.0f;
  e.record.alignToMotion = true;
  e.record.randomRotationCentre = 45.0f;
  e.record.randomRotationRange = 90.0f;
  e.record.fixedRotation = 12.0f;
  e.record.spawnShape = 3;
  e.record.useEffectEmission = false;
  e.record.effectRotation = true;
  e.record.additive = true;
  e.record.singleParticle = true;
  e.record.useEffectOffset = true;
  e.record.reservedFlag = true;
  e.SetPosition(-7.0f, 8.0f);
  e.record.reverseDrawOrder = true;
  e.record.stopped = true;
}

void ExpectSameTracks(Emitter& a, Emitter& b) {
  ASSERT_EQ(a.tracks.keys.Size(), b.tracks.keys.Size());
  for (uint32_t i = 0; i < a.tracks.keys.Size(); ++i) {
    const ParamTrack& ta = *a.tracks.keys[i].track;
    const ParamTrack& tb = *b.tracks.keys[i].track;
    EXPECT_EQ(a.tracks.keys[i].key, b.tracks.keys[i].key);
    EXPECT_EQ(ta.Cycles(), tb.Cycles()) << a.tracks.keys[i].key;
    EXPECT_EQ(ta.Duration(), tb.Duration()) << a.tracks.keys[i].key;
    EXPECT_EQ(ta.Minimum(), tb.Minimum()) << a.tracks.keys[i].key;
    EXPECT_EQ(ta.Maximum(), tb.Maximum()) << a.tracks.keys[i].key;
    EXPECT_EQ(ta.DefaultValue(), tb.DefaultValue()) << a.tracks.keys[i].key;
    ASSERT_EQ(ta.KeyCount(), tb.KeyCount()) << a.tracks.keys[i].key;
    for (uint32_t k = 0; k < ta.KeyCount(); ++k) {
      EXPECT_EQ(ta.Key(k).time, tb.Key(k).time);
      EXPECT_EQ(ta.Key(k).value, tb.Key(k).value);
    }
  }
}

TEST_F(EmitterRecord, InitRegistersTheKeysInOrderWithTheirDefaults) {
  ASSERT_EQ(emitter.tracks.keys.Size(), 32u);
  EXPECT_STREQ(emitter.tracks.keys[0].key, "BaseLife");
  EXPECT_STREQ(emitter.tracks.keys[12].key, "LifeSpeed");
  EXPECT_STREQ(emitter.tracks.keys[31].key, "LifeVisible");
  EXPECT_EQ(emitter.FindTrack("BaseEmissionArc")->DefaultValue(), 360.0f);
  EXPECT_EQ(emitter.FindTrack("VarEmissionAngle")->Maximum(), 720.0f);
  EXPECT_EQ(emitter.FindTrack("BaseSpin")->Minimum(), -3600.0f);
  EXPECT_EQ(emitter.FindTrack("LifeX")->Duration(), 1.0f);
  EXPECT_EQ(emitter.FindTrack("basequantity"), &emitter.tracks.BaseQuantity);
  EXPECT_EQ(emitter.FindTrack("ScaleLife"), nullptr);
  EXPECT_EQ(emitter.record.forceDirectionX, 0.0f);
  EXPECT_EQ(emitter.record.forceDirectionY, -1.0f);
  EXPECT_EQ(emitter.record.corners[0].x, -0.5f);
  EXPECT_EQ(emitter.record.corners[2].y, 0.5f);
  EXPECT_EQ(emitter.record.rotationMode, 1);
  EXPECT_TRUE(emitter.record.useEffectEmission);
  EXPECT_TRUE(emitter.record.enabled);
}

TEST_F(EmitterRecord, WriteThenReadReproducesEveryFieldAndTrack) {
  Customise(emitter);
  test::SimulationWorld::GiveFrameSet(emitter, "sparkframes");
  emitter.record.frameSet->AddFrame(0.5f, 0.5f, 1.0f, 1.0f);
  emitter.record.frameSetName = InternName("sparkframes");
  emitter.record.textureName = InternName("spark.png");
  emitter.record.frameIndex = 1;
  const Bytes bytes = Written(emitter);
  EXPECT_EQ(std::memcmp(bytes.data(), "ET2D\x01\x00\x00\x00\x20\x00\x00\x00", 12), 0);

  Emitter& copy = world.AddEmitter();
  ASSERT_EQ(ReadInto(copy, bytes), 0);
  ExpectSameTracks(emitter, copy);
  EXPECT_STREQ(copy.GetName(), "Sparks");
  EXPECT_EQ(std::memcmp(copy.record.corners, emitter.record.corners, sizeof copy.record.corners),
            0);
  EXPECT_EQ(copy.record.corners[2].x, 9.5f);
  EXPECT_EQ(copy.record.emissionBacklog, 0.125f);
  EXPECT_FALSE(copy.record.enabled);
  EXPECT_FALSE(copy.record.uniformSize);
  EXPECT_EQ(copy.record.forceAngle, 30.0f);
  EXPECT_EQ(copy.record.forceDirectionX, emitter.record.forceDirectionX);
  EXPECT_EQ(copy.record.forceDirectionY, 0.5f) << "the direction is read, not recomputed";
  EXPECT_EQ(copy.record.rotationMode, 2);
  EXPECT_EQ(copy.record.rotationOffset, 11.0f);
  EXPECT_TRUE(copy.record.alignToMotion);
  EXPECT_EQ(copy.record.randomRotationCentre, 45.0f);
  EXPECT_EQ(copy.record.randomRotationRange, 90.0f);
  EXPECT_EQ(copy.record.fixedRotation, 12.0f);
  EXPECT_EQ(copy.record.spawnShape, 3);
  EXPECT_EQ(copy.record.pivotX, 0.25f);
  EXPECT_EQ(copy.record.pivotY, 0.75f);
  EXPECT_FALSE(copy.record.useEffectEmission);
  EXPECT_TRUE(copy.record.effectRotation);
  EXPECT_TRUE(copy.record.additive);
  EXPECT_TRUE(copy.record.singleParticle);
  EXPECT_TRUE(copy.record.useEffectOffset);
  EXPECT_TRUE(copy.record.reservedFlag);
  EXPECT_EQ(copy.record.positionX, -7.0f);
  EXPECT_EQ(copy.record.positionY, 8.0f);
  EXPECT_TRUE(copy.record.reverseDrawOrder);
  EXPECT_TRUE(copy.record.stopped);
  EXPECT_FALSE(copy.record.animated);
  EXPECT_EQ(copy.record.frameIndex, 1u);
  EXPECT_EQ(copy.record.frameSetName, emitter.record.frameSetName);
  EXPECT_EQ(copy.record.textureName, emitter.record.textureName);
  // Frame sets are shared by name: the stored frames join the ones it has.
  EXPECT_EQ(copy.record.frameSet, emitter.record.frameSet);
  EXPECT_EQ(copy.record.frameSet->FrameCount(), 4u);
  EXPECT_EQ(copy.record.frameSet->GetFrame(3).uLeft, 0.5f);
}

TEST_F(EmitterRecord, TheFrameAnimationBlockRoundTrips) {
  emitter.record.animated = true;
  FrameAnimation& a = emitter.record.frameAnimation;
  a.cycleLength = 1.5f;
  a.loop = true;
  a.randomStart = true;
  a.hasFollowUp = true;
  a.frameSetName = InternName("flip");
  a.textureName = InternName("flip.png");
  a.frameSet = static_cast<FrameSet*>(world.textures.Acquire(TextureManager::FrameSetKind, "flip"));
  a.frameSet->AddFrame(0, 0, 0.5f, 1);
  a.frameSet->AddFrame(0.5f, 0, 1, 1);
  const Bytes bytes = Written(emitter);

  Emitter& copy = world.AddEmitter();
  ASSERT_EQ(ReadInto(copy, bytes), 0);
  const FrameAnimation& b = copy.record.frameAnimation;
  EXPECT_TRUE(copy.record.animated);
  EXPECT_EQ(b.cycleLength, 1.5f);
  EXPECT_TRUE(b.loop);
  EXPECT_TRUE(b.randomStart);
  EXPECT_TRUE(b.hasFollowUp);
  EXPECT_EQ(b.frameSetName, a.frameSetName);
  EXPECT_EQ(b.textureName, a.textureName);
  EXPECT_EQ(b.frameSet, a.frameSet);
  EXPECT_EQ(b.frameSet->FrameCount(), 4u);
  EXPECT_EQ(copy.record.frameSet, nullptr);

  // Without a frame set the block still writes, with no frames.
  Emitter& bare = world.AddEmitter();
  bare.record.animated = true;
  const Bytes plain = Written(bare);
  EXPECT_EQ(plain.back(), 0u);
}

TEST_F(EmitterRecord, ARecordNamingSomeTracksLeavesTheOthersAtTheirDefaults) {
  Customise(emitter);
  const Bytes bytes = Written(emitter);
  // Header with a count of 1, the first entry ("BaseLife", one key), then
  // everything from the name on.
  const size_t firstEnd = 12 + 1 + 8 + 24 + 8;
  const size_t nameStart = bytes.size() - 11 - kFieldBytes - (1 + 6);
  Bytes partial(bytes.begin(), bytes.begin() + static_cast<long>(firstEnd));
  partial[8] = 1;
  partial.insert(partial.end(), bytes.begin() + static_cast<long>(nameStart), bytes.end());
  Emitter& copy = world.AddEmitter();
  ASSERT_EQ(ReadInto(copy, partial), 0);
  EXPECT_EQ(copy.tracks.LifeX.KeyCount(), 1u);
  EXPECT_EQ(copy.tracks.BaseQuantity.Evaluate(0.0f), 10.0f);
  EXPECT_STREQ(copy.GetName(), "Sparks");
  EXPECT_EQ(copy.record.spawnShape, 3);
}

TEST_F(EmitterRecord, EveryReadFailureHasItsCode) {
  const Bytes bytes = Written(emitter);
  Emitter& copy = world.AddEmitter();
  auto cut = [&bytes](size_t size) { return Bytes(bytes.begin(), bytes.begin() + size); };
  EXPECT_EQ(ReadInto(copy, cut(6)), EmitterHeaderUnreadable);
  EXPECT_EQ(ReadInto(copy, cut(8)), EmitterTrackCountUnreadable);
  EXPECT_EQ(ReadInto(copy, cut(14)), EmitterTrackUnknown) << "a key cut short is no key";
  EXPECT_EQ(ReadInto(copy, cut(12 + 9 + 10)), EmitterTrackUnreadable);
  const size_t tail = 11;  // animated flag and an empty frame set block
  EXPECT_EQ(ReadInto(copy, cut(bytes.size() - tail - 50)), EmitterFieldUnreadable);
  EXPECT_EQ(ReadInto(copy, cut(bytes.size() - tail)), EmitterFlagUnreadable);
  EXPECT_EQ(ReadInto(copy, cut(bytes.size() - 2)), EmitterFramesUnreadable);
  EXPECT_EQ(ReadInto(copy, bytes), 0);

  Bytes version0 = bytes;
  version0[4] = 0;
  EXPECT_EQ(ReadInto(copy, version0), EmitterBadVersion);
  Bytes version7 = bytes;
  version7[4] = 7;
  EXPECT_EQ(ReadInto(copy, version7), 0);
  Bytes magic = bytes;
  magic[0] = 'X';
  EXPECT_EQ(ReadInto(copy, magic), EmitterBadVersion);
  Bytes unknown = bytes;
  unknown[13] = 'Z';  // "BaseLife" becomes "ZaseLife"
  EXPECT_EQ(ReadInto(copy, unknown), EmitterTrackUnknown);
  Bytes lower = bytes;
  for (size_t i = 13; i < 21; ++i) lower[i] = static_cast<uint8_t>(std::tolower(lower[i]));
  EXPECT_EQ(ReadInto(copy, lower), 0) << "keys are found without regard to case";
}

TEST_F(EmitterRecord, ReadRemovesLiveParticlesAndKeepsStoredCorners) {
  emitter.SetPivot(0.0f, 0.0f);
  Emitter& copy = world.AddEmitter();
  copy.Update(1.0f);
  ASSERT_GT(copy.GetParticleCount(), 0);
  Bytes bytes = Written(emitter);
  // Put the corners of the centred pivot back while the pivot stays (0, 0).
  Emitter centred;
  centred.Init(world.effect);
  const Bytes reference = Written(centred);
  const size_t corners = bytes.size() - 11 - kFieldBytes;
  std::memcpy(&bytes[corners], &reference[corners], 32);
  ASSERT_EQ(ReadInto(copy, bytes), 0);
  EXPECT_EQ(copy.GetParticleCount(), 0);
  EXPECT_EQ(copy.record.pivotX, 0.0f);
  EXPECT_EQ(copy.record.corners[0].x, -0.5f);
  SetConstant(copy.tracks.BaseEmissionForce, 0.0f);
  copy.record.useEffectEmission = false;
  copy.SetPosition(0.0f, 0.0f);
  copy.Update(1.0f);
  EXPECT_EQ(copy.Oldest()->quad[0].x, -1.0f) << "drawn with the stored corners";
}

TEST_F(EmitterRecord, EveryWriteFailureHasItsCode) {
  const uint32_t size = static_cast<uint32_t>(Written(emitter).size());
  const uint32_t tracksEnd = size - 11 - static_cast<uint32_t>(kFieldBytes) - 1;
  struct Case {
    uint32_t budget;
    int32_t code;
  } cases[] = {
      {8, EmitterTrackCountNotWritten},
      {12 + 9 + 10, EmitterTrackNotWritten},
      {tracksEnd + 1 + 20, EmitterFieldNotWritten},
      {size - 11, EmitterFlagNotWritten},
      {size - 3, 0},
  };
  for (const Case& c : cases) {
    test::BudgetStream stream(c.budget);
    EXPECT_EQ(emitter.Write(stream), c.code) << c.budget;
  }
}

TEST(EmitterRecordTeardown, AWorldWithParticlesAndFrameSetsLeavesNothingBehind) {
  test::ScopedAllocator scope;
  {
    test::SimulationWorld world;
    Emitter& e = world.AddEmitter();
    test::SimulationWorld::GiveFrameSet(e);
    e.Update(1.0f);
    Emitter& animated = world.AddEmitter();
    animated.record.animated = true;
    animated.record.frameAnimation.frameSet =
        static_cast<FrameSet*>(world.textures.Acquire(TextureManager::FrameSetKind, "anim"));
    animated.Update(1.0f);
    EXPECT_EQ(world.effect->GetParticleCount(), 20);
  }
  EXPECT_EQ(scope.allocator.LiveCount(), 0u);
  EXPECT_EQ(scope.allocator.foreignFrees, 0u);
}

}  // namespace
}  // namespace tavrix
