// Every result code has the name of its enumerator and a meaning.
#include <gtest/gtest.h>

#include <cstring>
#include <set>

#include "tavrix/ResultCode.h"
#include "tavrix/ResultCodeNames.h"

namespace tavrix {
namespace {

#define EXPECT_NAMED(code) EXPECT_STREQ(ResultCodeName(code), #code)

TEST(ResultCodeNames, EachCodeCarriesItsEnumeratorName) {
  EXPECT_NAMED(Success);
  EXPECT_NAMED(EffectEnded);
  EXPECT_NAMED(DefaultEffectSize);
  EXPECT_NAMED(LoadNoRegistry);
  EXPECT_NAMED(EffectFileOpenFailed);
  EXPECT_NAMED(EffectAllocFailed);
  EXPECT_NAMED(EffectHeaderUnreadable);
  EXPECT_NAMED(EffectTrackCountUnreadable);
  EXPECT_NAMED(EffectTrackUnknown);
  EXPECT_NAMED(EffectTrackUnreadable);
  EXPECT_NAMED(EffectEmittersUnreadable);
  EXPECT_NAMED(EffectStateUnreadable);
  EXPECT_NAMED(EmitterHeaderUnreadable);
  EXPECT_NAMED(EmitterBadVersion);
  EXPECT_NAMED(EmitterTrackCountUnreadable);
  EXPECT_NAMED(EmitterTrackUnknown);
  EXPECT_NAMED(EmitterTrackUnreadable);
  EXPECT_NAMED(EmitterFieldUnreadable);
  EXPECT_NAMED(EmitterFlagUnreadable);
  EXPECT_NAMED(EmitterFramesUnreadable);
  EXPECT_NAMED(EffectPlacementUnreadable);
  EXPECT_NAMED(RegistryAllocFailed);
  EXPECT_NAMED(ParticlePoolFailed);
  EXPECT_NAMED(TextureManagerAllocFailed);
  EXPECT_NAMED(RendererAllocFailed);
  EXPECT_NAMED(TextureFileNotFound);
  EXPECT_NAMED(TextureLoadFailed);
  EXPECT_NAMED(DrawNoRenderer);
  EXPECT_NAMED(EmitterNoFrameSet);
  EXPECT_NAMED(PlayNoRegistry);
  EXPECT_NAMED(PlayNoEmitters);
  EXPECT_NAMED(ClearNoRegistry);
  EXPECT_NAMED(ClearNoEmitters);
  EXPECT_NAMED(UpdateNoRegistry);
  EXPECT_NAMED(UnloadNoRegistry);
  EXPECT_NAMED(ViewNoRenderer);
  EXPECT_NAMED(PositionNoRegistry);
  EXPECT_NAMED(PositionNoEffect);
  EXPECT_NAMED(SaveNoRegistry);
  EXPECT_NAMED(SaveNoEffect);
  EXPECT_NAMED(SaveFileOpenFailed);
  EXPECT_NAMED(EffectStateNotWritten);
  EXPECT_NAMED(EffectTrackNotWritten);
  EXPECT_NAMED(EmitterTrackCountNotWritten);
  EXPECT_NAMED(EmitterTrackNotWritten);
  EXPECT_NAMED(EmitterFieldNotWritten);
  EXPECT_NAMED(EmitterFlagNotWritten);
  EXPECT_NAMED(EffectPlacementNotWritten);
  EXPECT_NAMED(EffectHeaderNotWritten);
  EXPECT_NAMED(EffectTrackCountNotWritten);
  EXPECT_NAMED(Disabled);
}

TEST(ResultCodeNames, CodesAreUniqueAndOthersAreNamedForWhatTheyAre) {
  std::set<int32_t> codes;
  for (const ResultCodeInfo& info : kResultCodes) {
    EXPECT_TRUE(codes.insert(info.code).second) << info.name;
    EXPECT_GT(std::strlen(info.meaning), 0u) << info.name;
  }
  EXPECT_STREQ(ResultCodeName(7), "identifier");
  EXPECT_STREQ(ResultCodeName(-3939), "unknown result code");
}

}  // namespace
}  // namespace tavrix
