// The record model: plain bytes to JSON and back byte for byte, for records
// the library's writer would never produce, and the byte offsets of records
// that stop short.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>

#include "base/FloatBits.h"
#include "record/FloatText.h"
#include "record/JsonText.h"
#include "record/RecordModel.h"
#include "tools/RecordBuilders.h"

namespace tavrix::test {
namespace {

using record::Json;

Bytes RoundTrip(const Bytes& plain) {
  const Json json = record::RecordToJson(plain);
  return record::RecordFromJson(record::ParseJson(record::FormatJson(json)));
}

TEST(RecordModelTest, UnusualRecordComesBackByteForByte) {
  const Bytes plain = UnusualRecord();
  EXPECT_EQ(RoundTrip(plain), plain);
}

TEST(RecordModelTest, TracksAndKeysStayAsStored) {
  const Json json = record::RecordToJson(UnusualRecord());
  const Json& tracks = json["tracks"];
  ASSERT_EQ(tracks.size(), 4u);
  EXPECT_EQ(tracks[0]["name"], "gravity");
  EXPECT_EQ(tracks[2]["name"], "GRAVITY");
  EXPECT_EQ(tracks[3]["boundA"], 500.0);
  const Json& keys = tracks[0]["keys"];
  ASSERT_EQ(keys.size(), 4u);
  EXPECT_EQ(keys[0]["time"], 0.5);
  EXPECT_EQ(keys[1]["time"], 0.0);
  EXPECT_EQ(keys[2]["time"], 0.5);
  EXPECT_EQ(keys[3]["time"], 7.0);  // past the domain of 1
  const Json& emitterTracks = json["emitters"][0]["tracks"];
  ASSERT_EQ(emitterTracks.size(), 3u);
  EXPECT_EQ(emitterTracks[0]["keys"][0]["time"], 1.0);
  EXPECT_EQ(emitterTracks[1]["keys"][0]["value"], "0x7FC00123");
  EXPECT_TRUE(std::signbit(emitterTracks[2]["keys"][0]["value"].get<double>()));
}

TEST(RecordModelTest, EmittersBlocksStateAndTrailingBytesAreNamed) {
  const Json json = record::RecordToJson(UnusualRecord());
  const Json& emitters = json["emitters"];
  ASSERT_EQ(emitters.size(), 3u);
  EXPECT_EQ(emitters[0]["magic"], "ET2D");
  EXPECT_EQ(emitters[0]["animated"], 1);
  EXPECT_EQ(emitters[0]["frameAnimation"]["frames"].size(), 2u);
  EXPECT_EQ(emitters[0]["frameAnimation"]["hasFollowUp"], 1);
  EXPECT_EQ(emitters[0]["rotationMode"], 2);
  EXPECT_FALSE(emitters[0].contains("frameSet"));
  EXPECT_EQ(emitters[1]["name"], "");
  EXPECT_EQ(emitters[1]["additive"], 1);
  EXPECT_EQ(emitters[1]["spawnShape"], 3);
  EXPECT_EQ(emitters[1]["frameSet"]["frameIndex"], 7);
  EXPECT_EQ(record::FloatFromJson(emitters[1]["positionX"]).value(), 1e-40f);
  EXPECT_EQ(emitters[2]["magic"], "SE2D");
  EXPECT_EQ(emitters[2]["effectFile"], "nested\\sparks.eff");
  EXPECT_EQ(emitters[2]["copiesMax"], 5.0);
  EXPECT_EQ(json["running"], 1);
  EXPECT_EQ(json["endMode"], 7);
  EXPECT_EQ(json["durationSeconds"], 2.5);
  EXPECT_EQ(json["trailing"], "DEAD00");
}

// Counts that cannot be lists: stored as they are beside empty lists.
Bytes NegativeCountRecord() {
  RecordWriter out;
  out.U32(EffectTag).I32(1).U32(1);
  out.Str("ScaleX").F32(1).F32(1000).F32(0).F32(100).F32(1).I32(-1);
  out.I32(1);
  out.U32(EmitterTag).U32(1).U32(0).Str("frames");
  for (int i = 0; i < 8; ++i) out.F32(0.5f);
  out.F32(0).U8(1).U8(1).F32(0).F32(-1).F32(0).I32(1).F32(0).U8(0).F32(0).F32(360).F32(0).I32(0);
  out.F32(0.5f).F32(0.5f);
  for (int i = 0; i < 6; ++i) out.U8(uint8_t(i == 2 ? 200 : 0));  // a flag byte of 200
  out.F32(0).F32(0).U8(0).U8(0).U8(0);
  out.Str("set").Str("t.png").I32(-2).U32(0);
  out.F32(0).F32(0).F32(0).F32(0).U8(0).F32(0).U8(0).I32(0).F32(1);
  return out.bytes;
}

TEST(RecordModelTest, NegativeCountsAndOddFlagBytesSurvive) {
  const Bytes plain = NegativeCountRecord();
  const Json json = record::RecordToJson(plain);
  EXPECT_EQ(json["tracks"][0]["keyCount"], -1);
  EXPECT_TRUE(json["tracks"][0]["keys"].empty());
  EXPECT_EQ(json["emitters"][0]["frameSet"]["frameCount"], -2);
  EXPECT_EQ(json["emitters"][0]["additive"], 200);
  EXPECT_EQ(RoundTrip(plain), plain);

  RecordWriter header;
  header.U32(EffectTag).I32(1).U32(0).I32(-3);
  for (int i = 0; i < 4; ++i) header.F32(0);
  header.U8(0).F32(0).U8(0).I32(0).F32(1);
  const Bytes noEmitters = header.bytes;
  EXPECT_EQ(record::RecordToJson(noEmitters)["emitterCount"], -3);
  EXPECT_EQ(RoundTrip(noEmitters), noEmitters);
}

TEST(RecordModelTest, TextsThatAreNotUtf8AndOddTagsSurvive) {
  EmitterDesc emitter;
  emitter.name =
      "\xFF\xFE"
      "ab";
  emitter.textureName = std::string("a\0b", 3);
  emitter.frameSetName = "caf\xC3\xA9";
  EffectDesc effect;
  effect.tag = 0x01020304u;
  effect.emitters = {EmitterRecord(emitter)};
  const Bytes plain = EffectRecord(effect);
  const Json json = record::RecordToJson(plain);
  EXPECT_EQ(json["tag"], 0x01020304u);
  EXPECT_EQ(json["emitters"][0]["name"]["bytes"], "FFFE6162");
  EXPECT_EQ(json["emitters"][0]["frameSet"]["textureName"], std::string("a\0b", 3));
  EXPECT_EQ(json["emitters"][0]["frameSet"]["frameSetName"], "caf\xC3\xA9");
  EXPECT_EQ(RoundTrip(plain), plain);
}

TEST(RecordModelTest, EveryShortenedRecordIsRefusedAtOrBeforeItsEnd) {
  EffectDesc desc;
  EmitterDesc emitter;
  emitter.tracks = {{"BaseLife", 1, 1000, 0, 1000, 2, {{0, 1}}}};
  desc.tracks = {{"gravity", 1, 1, 0, 100, 0, {{0, 1}}}};
  desc.emitters = {EmitterRecord(emitter), SubEffectRecord(SubEffectDesc{})};
  const Bytes plain = EffectRecord(desc);
  for (size_t length = 0; length < plain.size(); ++length) {
    try {
      record::RecordToJson(Cut(plain, length));
      ADD_FAILURE() << "a record cut to " << length << " bytes was accepted";
    } catch (const record::RecordFormatError& e) {
      EXPECT_LE(e.offset, length);
      EXPECT_FALSE(e.message.empty());
    }
  }
  EXPECT_NO_THROW(record::RecordToJson(plain));
}

TEST(RecordModelTest, UnknownEmitterTagIsRefusedAtTheTag) {
  EffectDesc desc;
  EffectLayout layout;
  desc.emitters = {Bytes{'X', 'Y', 'Z', 'W', 0, 0, 0, 0}};
  const Bytes plain = EffectRecord(desc, &layout);
  try {
    record::RecordToJson(plain);
    FAIL() << "an unknown emitter tag was accepted";
  } catch (const record::RecordFormatError& e) {
    EXPECT_EQ(e.offset, layout.emitterCount);
    EXPECT_NE(e.message.find("ET2D"), std::string::npos);
  }
}

// Any bytes: either a record that comes back unchanged, or a refusal.
TEST(RecordModelTest, ChangedBytesRoundTripOrAreRefused) {
  const Bytes original = UnusualRecord();
  uint32_t state = 2024;
  int parsed = 0;
  for (int round = 0; round < 1000; ++round) {
    Bytes bytes = original;
    for (int change = 0; change < 1 + round % 4; ++change) {
      state = state * 1664525u + 1013904223u;
      bytes[(state >> 8) % bytes.size()] = static_cast<uint8_t>(state >> 24);
    }
    try {
      ASSERT_EQ(RoundTrip(bytes), bytes) << "round " << round;
      ++parsed;
    } catch (const record::RecordFormatError& e) {
      EXPECT_LE(e.offset, bytes.size());
    }
  }
  EXPECT_GT(parsed, 0);
}

TEST(FloatTextTest, EveryKindOfFloatReadsBackToItsBits) {
  std::vector<uint32_t> patterns = {0x00000000u, 0x80000000u, 0x00000001u, 0x007FFFFFu,
                                    0x7F7FFFFFu, 0xFF7FFFFFu, 0x7F800000u, 0xFF800000u,
                                    0x7FC00000u, 0xFFC00001u, 0x7F800001u, 0x3DCCCCCDu};
  uint32_t state = 12345;
  for (int i = 0; i < 200000; ++i) {
    state = state * 1664525u + 1013904223u;
    patterns.push_back(state);
  }
  for (uint32_t bits : patterns) {
    const float value = FloatFromBits(bits);
    const Json text = record::ParseJson(record::FormatJson(record::FloatToJson(value)));
    std::optional<float> back = record::FloatFromJson(text);
    ASSERT_TRUE(back.has_value()) << std::hex << bits;
    ASSERT_EQ(FloatBits(*back), bits) << std::hex << bits;
  }
}

TEST(FloatTextTest, FiniteFloatsAreShortNumbers) {
  EXPECT_EQ(record::FormatJson(record::FloatToJson(0.1f)), "0.1\n");
  EXPECT_EQ(record::FormatJson(record::FloatToJson(2.5f)), "2.5\n");
  EXPECT_TRUE(record::FloatToJson(1e-40f).is_number());
  EXPECT_EQ(record::FloatToJson(-INFINITY), "0xFF800000");
}

TEST(FloatTextTest, NumbersBeyondFloatsAndBadBitsAreRefused) {
  EXPECT_FALSE(record::FloatFromJson(Json(1e39)).has_value());
  EXPECT_FALSE(record::FloatFromJson(Json(3.4028236e38)).has_value());
  EXPECT_EQ(record::FloatFromJson(Json(-3.40282356e38)).value(), -FLT_MAX);
  EXPECT_FALSE(record::FloatFromJson(Json("0x")).has_value());
  EXPECT_FALSE(record::FloatFromJson(Json("0x1FFFFFFFF")).has_value());
  EXPECT_FALSE(record::FloatFromJson(Json("nan")).has_value());
  EXPECT_FALSE(record::FloatFromJson(Json(true)).has_value());
  EXPECT_EQ(record::FloatFromJson(Json(3)).value(), 3.0f);
  EXPECT_EQ(FloatBits(record::FloatFromJson(Json("0x7fc00001")).value()), 0x7FC00001u);
}

}  // namespace
}  // namespace tavrix::test
