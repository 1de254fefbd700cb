// The track body inside records: its exact bytes, reading through AddKey,
// and failures part-way.
#include <gtest/gtest.h>

#include "simulation/ParamTrack.h"
#include "support/ByteStreams.h"

namespace tavrix {
namespace {

const test::Bytes kFadeOut = {0x00, 0x00, 0x80, 0x3F, 0x00, 0x00, 0x80, 0x3F, 0x00, 0x00,
                              0x00, 0x00, 0x00, 0x00, 0x80, 0x3F, 0x00, 0x00, 0x80, 0x3F,
                              0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                              0x80, 0x3F, 0x00, 0x00, 0x80, 0x3F, 0x00, 0x00, 0x00, 0x00};

test::Bytes Body(float cycles, float duration, float a, float b, float def,
                 std::initializer_list<TrackKey> keys) {
  test::Bytes bytes;
  auto put = [&bytes](const void* p, size_t n) {
    const auto* b8 = static_cast<const uint8_t*>(p);
    bytes.insert(bytes.end(), b8, b8 + n);
  };
  for (float v : {cycles, duration, a, b, def}) put(&v, 4);
  const int32_t count = static_cast<int32_t>(keys.size());
  put(&count, 4);
  for (const TrackKey& k : keys) put(&k, 8);
  return bytes;
}

TEST(ParamTrackRecord, AFadeOutBodyIsTheseFortyBytes) {
  ParamTrack track;
  track.SetRange(1, 0, 1, 1);
  track.AddKey(1.0f, 0.0f);
  test::ByteWriter writer;
  ASSERT_TRUE(track.Write(writer.stream));
  EXPECT_EQ(writer.Take(), kFadeOut);

  ParamTrack read;
  read.SetRange(1000, -5, 5, 3);
  test::ByteReader reader(kFadeOut);
  ASSERT_TRUE(read.Read(reader.stream));
  EXPECT_EQ(read.Duration(), 1.0f);
  EXPECT_EQ(read.Minimum(), 0.0f);
  EXPECT_EQ(read.Maximum(), 1.0f);
  ASSERT_EQ(read.KeyCount(), 2u);
  EXPECT_EQ(read.Evaluate(0.5f), 0.5f);
}

TEST(ParamTrackRecord, ReadSortsKeysOverwritesTheZeroKeyAndDropsLateOnes) {
  ParamTrack track;
  test::ByteReader reader(Body(2.0f, 10.0f, 5.0f, -5.0f, 1.0f,
                               {{6.0f, 1.0f}, {0.0f, 7.0f}, {11.0f, 9.0f}, {3.0f, 2.0f}}));
  ASSERT_TRUE(track.Read(reader.stream));
  EXPECT_EQ(track.Cycles(), 2.0f);
  EXPECT_EQ(track.Minimum(), -5.0f);
  ASSERT_EQ(track.KeyCount(), 3u);
  EXPECT_EQ(track.Key(0).time, 0.0f);
  EXPECT_EQ(track.Key(0).value, 7.0f);
  EXPECT_EQ(track.Key(1).time, 3.0f);
  EXPECT_EQ(track.Key(2).time, 6.0f);
}

TEST(ParamTrackRecord, ACutBodyFailsAndKeepsWhatWasApplied) {
  test::Bytes bytes = Body(1.0f, 10.0f, 0.0f, 5.0f, 1.0f, {{2.0f, 3.0f}, {4.0f, 4.0f}});
  bytes.resize(bytes.size() - 4);
  ParamTrack track;
  test::ByteReader reader(bytes);
  EXPECT_FALSE(track.Read(reader.stream));
  EXPECT_EQ(track.Duration(), 10.0f);
  EXPECT_EQ(track.KeyCount(), 2u);

  bytes.resize(12);
  test::ByteReader header(bytes);
  EXPECT_FALSE(track.Read(header.stream));
  EXPECT_EQ(track.Duration(), 10.0f) << "nothing applied before all five floats are read";
}

TEST(ParamTrackRecord, AHugeKeyCountEndsWithTheData) {
  test::Bytes bytes = Body(1.0f, 10.0f, 0.0f, 5.0f, 1.0f, {{2.0f, 3.0f}});
  const int32_t huge = 0x7FFFFFFF;
  std::memcpy(&bytes[20], &huge, 4);
  ParamTrack track;
  test::ByteReader reader(bytes);
  EXPECT_FALSE(track.Read(reader.stream));
  EXPECT_EQ(track.KeyCount(), 2u);
}

TEST(ParamTrackRecord, AFailedWriteReportsFalse) {
  ParamTrack track;
  track.SetRange(1, 0, 1, 1);
  track.AddKey(1.0f, 0.0f);
  for (uint32_t budget : {0u, 12u, 24u, 32u, 36u}) {
    test::BudgetStream stream(budget);
    EXPECT_FALSE(track.Write(stream)) << budget;
  }
  test::BudgetStream enough(40);
  EXPECT_TRUE(track.Write(enough));
}

}  // namespace
}  // namespace tavrix
