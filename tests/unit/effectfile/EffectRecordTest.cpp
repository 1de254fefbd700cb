// Reading effect records from files: every reader failure a file can
// produce, built by cutting or altering a record at the right byte; track
// names without regard to case; emitter versions; default emitter names;
// files that do not decipher; and a stored play time coming back.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "effectfile/Effect.h"
#include "effectfile/EffectFile.h"
#include "support/EffectEnvironment.h"
#include "support/EffectFileBuilder.h"
#include "support/EffectWorkloads.h"
#include "tavrix/ResultCode.h"

namespace tavrix {
namespace {

using test::Bytes;
using test::Cut;
using test::EffectLayout;
using test::EffectOf;
using test::EffectRecord;
using test::EmitterDesc;
using test::EmitterRecord;
using test::SubEffectDesc;
using test::SubEffectRecord;
using test::TrackDesc;

class EffectRecordTest : public ::testing::Test {
 protected:
  int32_t Load(const Bytes& plainRecord) {
    std::string path =
        test::WriteEffect(scratch, "e" + std::to_string(files++) + ".eff", plainRecord);
    return environment.Registry().LoadEffect(path.c_str());
  }

  // The record of one effect holding this emitter record, cut inside the
  // emitter record after length bytes.
  static Bytes CutInsideEmitter(const Bytes& emitter, size_t length) {
    EffectLayout layout;
    Bytes record = EffectRecord(EffectOf({emitter}), &layout);
    return Cut(record, layout.emitterCount + length);
  }

  test::TempDir scratch;
  test::EffectEnvironment environment;
  int files = 0;
};

TEST_F(EffectRecordTest, AMinimalRecordKeepsTheDefaultTracksAndHasNoEmitters) {
  ASSERT_EQ(Load(EffectRecord(EffectOf({}))), 0);
  Effect* effect = environment.Registry().Find(0);
  ASSERT_NE(effect, nullptr);
  EXPECT_TRUE(effect->emitters.Empty());
  EXPECT_EQ(effect->tracks.keys.Size(), 18u);
  EXPECT_FLOAT_EQ(effect->tracks.ScaleLife.Evaluate(0.0f), 1.0f);
  EXPECT_FLOAT_EQ(effect->tracks.BaseEmissionArc.Evaluate(0.0f), 360.0f);
  // Frame 100 x 50, centred on the origin.
  EXPECT_FLOAT_EQ(effect->run.frameCorners[0].x, -50.0f);
  EXPECT_FLOAT_EQ(effect->run.frameCorners[0].y, -25.0f);
  EXPECT_FLOAT_EQ(effect->run.frameCorners[2].x, 50.0f);
  EXPECT_FLOAT_EQ(effect->run.frameCorners[2].y, 25.0f);
  EXPECT_EQ(effect->Start(0, true), PlayNoEmitters);
}

TEST_F(EffectRecordTest, EveryEffectReaderFailureHasItsCode) {
  EffectLayout at;
  test::EffectDesc desc = EffectOf({EmitterRecord(test::SteadyEmitter())});
  desc.tracks = {TrackDesc{"gravity", 1.0f, 1.0f, 0.0f, 100.0f, 0.0f, {{0.0f, 2.0f}}}};
  const Bytes record = EffectRecord(desc, &at);
  const size_t gravityBody = at.trackCount + 1 + 7;

  test::EffectDesc unknownTrack = EffectOf({});
  unknownTrack.tracks = {TrackDesc{"gravitas", 1.0f, 1.0f, 0.0f, 1.0f, 0.0f, {}}};
  test::EffectDesc unknownTag = EffectOf({Bytes{'X', 'X', 'X', 'X', 1, 0, 0, 0}});
  test::EffectDesc missingEmitter = EffectOf({EmitterRecord(test::SteadyEmitter())});
  missingEmitter.emitterCount = 2;

  struct Case {
    const char* what;
    Bytes plain;
    int32_t code;
  };
  const std::vector<Case> cases = {
      {"no bytes", Bytes{}, EffectHeaderUnreadable},
      {"header cut", Cut(record, at.header - 1), EffectHeaderUnreadable},
      {"no track count", Cut(record, at.header), EffectTrackCountUnreadable},
      {"unknown track", EffectRecord(unknownTrack), EffectTrackUnknown},
      {"track name cut", Cut(record, at.trackCount + 3), EffectTrackUnknown},
      {"track body cut", Cut(record, gravityBody + 10), EffectTrackUnreadable},
      {"track keys cut", Cut(record, at.tracks - 2), EffectTrackUnreadable},
      {"no emitter count", Cut(record, at.tracks), EffectEmittersUnreadable},
      {"no emitter tag", Cut(record, at.emitterCount + 2), EffectEmittersUnreadable},
      {"unknown emitter tag", EffectRecord(unknownTag), EffectEmittersUnreadable},
      {"emitter missing", EffectRecord(missingEmitter), EffectEmittersUnreadable},
      {"no placement", Cut(record, at.emitters), EffectPlacementUnreadable},
      {"placement cut", Cut(record, at.placement - 1), EffectPlacementUnreadable},
      {"state cut", Cut(record, at.placement + 3), EffectStateUnreadable},
      {"duration cut", Cut(record, at.state - 1), EffectStateUnreadable},
  };
  for (const Case& c : cases) EXPECT_EQ(Load(c.plain), c.code) << c.what;
  EXPECT_EQ(Load(record), static_cast<int32_t>(cases.size()));
}

TEST_F(EffectRecordTest, EveryEmitterReaderFailureHasItsCode) {
  EmitterDesc desc;
  desc.tracks = {TrackDesc{"BaseLife", 1.0f, 1000.0f, 0.0f, 1000.0f, 2.0f, {{0.0f, 3.0f}}}};
  desc.name = "spark";
  desc.frames = {test::FrameDesc{}};
  const Bytes emitter = EmitterRecord(desc);
  const size_t tracksEnd = 12 + 1 + 8 + 24 + 8;
  const size_t frameBlock = 1 + desc.frameSetName.size() + 1 + desc.textureName.size() + 4 + 16 + 4;
  const size_t animatedFlag = emitter.size() - frameBlock - 1;

  EmitterDesc unknownTrack;
  unknownTrack.tracks = {TrackDesc{"BaseLifespan", 1.0f, 1.0f, 0.0f, 1.0f, 0.0f, {}}};
  EmitterDesc versionZero;
  versionZero.version = 0;

  struct Case {
    const char* what;
    Bytes plain;
    int32_t code;
  };
  const std::vector<Case> cases = {
      {"header cut", CutInsideEmitter(emitter, 6), EmitterHeaderUnreadable},
      {"version 0", EffectRecord(EffectOf({EmitterRecord(versionZero)})), EmitterBadVersion},
      {"no track count", CutInsideEmitter(emitter, 8), EmitterTrackCountUnreadable},
      {"unknown track", EffectRecord(EffectOf({EmitterRecord(unknownTrack)})), EmitterTrackUnknown},
      {"track body cut", CutInsideEmitter(emitter, tracksEnd - 5), EmitterTrackUnreadable},
      {"fields cut", CutInsideEmitter(emitter, tracksEnd + 1 + 5 + 20), EmitterFieldUnreadable},
      {"last field cut", CutInsideEmitter(emitter, animatedFlag - 1), EmitterFieldUnreadable},
      {"no animated flag", CutInsideEmitter(emitter, animatedFlag), EmitterFlagUnreadable},
      {"no frame index", CutInsideEmitter(emitter, emitter.size() - 4), EmitterFramesUnreadable},
  };
  for (const Case& c : cases) EXPECT_EQ(Load(c.plain), c.code) << c.what;
  EXPECT_EQ(Load(EffectRecord(EffectOf({emitter}))), static_cast<int32_t>(cases.size()));
}

TEST_F(EffectRecordTest, EverySubEffectReaderFailureHasItsCode) {
  SubEffectDesc desc;
  desc.name = "burst";
  desc.effectFile = scratch.File("none.eff");
  desc.copiesMin = desc.copiesMax = 0.0f;
  const Bytes emitter = SubEffectRecord(desc);
  const size_t flagGroup = 8 + 1 + desc.name.size();
  SubEffectDesc versionZero = desc;
  versionZero.version = 0;

  EXPECT_EQ(Load(CutInsideEmitter(emitter, 7)), EmitterHeaderUnreadable);
  EXPECT_EQ(Load(EffectRecord(EffectOf({SubEffectRecord(versionZero)}))), EmitterBadVersion);
  EXPECT_EQ(Load(CutInsideEmitter(emitter, flagGroup + 3)), EmitterFlagUnreadable);
  EXPECT_EQ(Load(CutInsideEmitter(emitter, flagGroup + 12)), EmitterFlagUnreadable);
  EXPECT_EQ(Load(CutInsideEmitter(emitter, emitter.size() - 1)), EmitterFieldUnreadable);
  EXPECT_EQ(Load(EffectRecord(EffectOf({emitter}))), 5);
}

TEST_F(EffectRecordTest, FilesThatCannotBeOpenedOrHoldNothing) {
  EffectRegistry& registry = environment.Registry();
  EXPECT_EQ(registry.LoadEffect(scratch.File("missing.eff").c_str()), EffectFileOpenFailed);
  test::WriteFileBytes(scratch.File("empty.eff"), Bytes{});
  EXPECT_EQ(registry.LoadEffect(scratch.File("empty.eff").c_str()), EffectHeaderUnreadable);
  // A directory is no effect file, whatever the platform lets fopen do.
  EXPECT_LT(registry.LoadEffect(scratch.Path().c_str()), 0);
}

TEST_F(EffectRecordTest, AFileTheCipherRejectsIsNotParsed) {
  // Zeros would read as a valid empty record if they were parsed.
  for (size_t length : {20u, 100u, 1001u}) {
    std::string path = scratch.File("raw" + std::to_string(length) + ".eff");
    test::WriteFileBytes(path, Bytes(length, 0));
    EXPECT_EQ(environment.Registry().LoadEffect(path.c_str()), EffectHeaderUnreadable) << length;
  }
}

TEST_F(EffectRecordTest, TrackNamesIgnoreCaseAndTheLastBodyWins) {
  test::EffectDesc desc = EffectOf({});
  desc.tracks = {
      TrackDesc{"GRAVITY", 1.0f, 1.0f, 0.0f, 100.0f, 0.0f, {{0.0f, 5.0f}}},
      TrackDesc{"sCaLeLiFe", 1.0f, 1000.0f, 0.0f, 100.0f, 3.0f, {}},
      TrackDesc{"gravity", 1.0f, 1.0f, 0.0f, 100.0f, 0.0f, {{0.0f, 7.0f}}},
  };
  ASSERT_EQ(Load(EffectRecord(desc)), 0);
  Effect* effect = environment.Registry().Find(0);
  EXPECT_FLOAT_EQ(effect->tracks.gravity.Evaluate(0.0f), 7.0f);
  EXPECT_EQ(effect->tracks.gravity.KeyCount(), 1u);
  EXPECT_FLOAT_EQ(effect->tracks.ScaleLife.Evaluate(0.0f), 3.0f);
}

TEST_F(EffectRecordTest, EmitterRecordsOfVersionZeroAreRefusedAndOfVersionTwoRead) {
  EmitterDesc v0, v2;
  v0.version = 0;
  v2.version = 2;
  SubEffectDesc s0, s2;
  s0.version = 0;
  s2.version = 2;
  s0.copiesMax = s2.copiesMax = s0.copiesMin = s2.copiesMin = 0.0f;
  EXPECT_EQ(Load(EffectRecord(EffectOf({EmitterRecord(v0)}))), EmitterBadVersion);
  EXPECT_EQ(Load(EffectRecord(EffectOf({SubEffectRecord(s0)}))), EmitterBadVersion);
  ASSERT_EQ(Load(EffectRecord(EffectOf({EmitterRecord(v2), SubEffectRecord(s2)}))), 2);
  EXPECT_EQ(environment.Registry().Find(2)->emitters.Size(), 2u);
}

TEST_F(EffectRecordTest, EmittersWithoutAStoredNameAreNamedByTheirIndex) {
  EmitterDesc unnamed, named;
  named.name = "spark";
  ASSERT_EQ(Load(EffectRecord(
                EffectOf({EmitterRecord(unnamed), EmitterRecord(named), EmitterRecord(unnamed)}))),
            0);
  Effect* effect = environment.Registry().Find(0);
  ASSERT_EQ(effect->emitters.Size(), 3u);
  EXPECT_STREQ(effect->emitters[0]->GetName(), "Emitter_0");
  EXPECT_STREQ(effect->emitters[1]->GetName(), "spark");
  EXPECT_STREQ(effect->emitters[2]->GetName(), "Emitter_2");
  EXPECT_EQ(effect->run.nextEmitterNumber, 4);
}

TEST_F(EffectRecordTest, AFailedReadOfTheStateReleasesEveryEmitter) {
  EffectLayout at;
  Bytes record = EffectRecord(EffectOf({EmitterRecord(EmitterDesc{})}), &at);
  Bytes file = test::Encipher(Cut(record, at.placement + 2));
  Effect effect(0, &environment.Registry());
  EXPECT_EQ(ReadEffectBytes(file.data(), static_cast<int32_t>(file.size()), effect),
            EffectStateUnreadable);
  EXPECT_TRUE(effect.emitters.Empty());
}

TEST_F(EffectRecordTest, ABufferThatCannotBeHadIsAnAllocationFailure) {
  Bytes file = test::Encipher(EffectRecord(EffectOf({})));
  Effect effect(0, &environment.Registry());
  test::CountingAllocator& allocator = environment.Allocator();
  for (uint64_t k : {1u, 2u}) {
    std::string path = scratch.File("buffer.eff");
    test::WriteFileBytes(path, file);
    std::FILE* opened = std::fopen(path.c_str(), "rb");
    ASSERT_NE(opened, nullptr);
    allocator.failAt = allocator.allocations + k;
    EXPECT_EQ(ReadEffectFile(opened, effect), EffectAllocFailed) << "allocation " << k;
    allocator.failAt = 0;
  }
  EXPECT_EQ(ReadEffectBytes(file.data(), static_cast<int32_t>(file.size()), effect), Success);
}

TEST_F(EffectRecordTest, AStoredRunningEffectComesBackAtItsPlayTime) {
  test::EffectDesc desc = EffectOf({EmitterRecord(test::SteadyEmitter())}, 10.0f);
  desc.running = true;
  desc.elapsedSeconds = 1.0f;
  ASSERT_EQ(Load(EffectRecord(desc)), 0);
  Effect* effect = environment.Registry().Find(0);
  EXPECT_TRUE(effect->record.running);
  EXPECT_NEAR(effect->record.elapsedSeconds, 0.95f, 1e-5f);
  EXPECT_EQ(effect->run.lastTimeMs, 0);
  EXPECT_GT(effect->GetParticleCount(), 0);
}

}  // namespace
}  // namespace tavrix
