// The memory stream's reads at the end of the data, its seeks, its growth
// and its behaviour without a buffer or with hostile counts.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "effectfile/MemoryStream.h"

namespace tavrix {
namespace {

// A stream over a heap copy of bytes, owned by the stream.
MemoryStream* OverBytes(const uint8_t* bytes, int32_t length) {
  auto* block = static_cast<uint8_t*>(std::malloc(length));
  std::memcpy(block, bytes, length);
  return new MemoryStream(block, length);
}

const uint8_t kTen[10] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};

TEST(MemoryStream, ConstructsOverABlock) {
  MemoryStream* stream = OverBytes(kTen, 10);
  EXPECT_TRUE(stream->IsOpen());
  EXPECT_TRUE(stream->OwnsBuffer());
  EXPECT_EQ(stream->GetSize(), 10);
  EXPECT_EQ(stream->Capacity(), 10);
  EXPECT_EQ(stream->Tell(), 0);
  delete stream;
  MemoryStream empty(nullptr, 0);
  EXPECT_FALSE(empty.OwnsBuffer());
  EXPECT_FALSE(empty.IsOpen());
}

TEST(MemoryStream, PartialFieldIsCopiedAndReportedAsFailed) {
  MemoryStream* stream = OverBytes(kTen, 10);
  ASSERT_TRUE(stream->Seek(7, 0));
  uint8_t d[4] = {0xEE, 0xEE, 0xEE, 0xEE};
  EXPECT_EQ(stream->Read(d, 4, 1), 0u);
  EXPECT_EQ(stream->Tell(), 10);
  EXPECT_EQ(d[0], 7);
  EXPECT_EQ(d[2], 9);
  EXPECT_EQ(d[3], 0xEE);
  // At the end the destination stays untouched.
  d[0] = 0xAA;
  EXPECT_EQ(stream->Read(d, 1, 1), 0u);
  EXPECT_EQ(d[0], 0xAA);
  delete stream;
}

TEST(MemoryStream, ReadsReportWholeElements) {
  MemoryStream* stream = OverBytes(kTen, 10);
  uint8_t d[10] = {};
  stream->Seek(6, 0);
  EXPECT_EQ(stream->Read(d, 1, 10), 4u);
  stream->Seek(5, 0);
  EXPECT_EQ(stream->Read(d, 2, 3), 2u);
  EXPECT_EQ(stream->Tell(), 10);
  EXPECT_EQ(d[4], 9);
  stream->Seek(0, 0);
  EXPECT_EQ(stream->Read(d, 0, 3), 0u);
  EXPECT_EQ(stream->Read(nullptr, 1, 3), 0u);
  EXPECT_EQ(stream->Tell(), 0);
  delete stream;
}

TEST(MemoryStream, SeeksFromEachOriginAndClampsAtZero) {
  MemoryStream* stream = OverBytes(kTen, 10);
  stream->Seek(2, 0);
  EXPECT_TRUE(stream->Seek(-4, 1));
  EXPECT_EQ(stream->Tell(), 0);
  EXPECT_TRUE(stream->Seek(-3, 2));
  EXPECT_EQ(stream->Tell(), 7);
  EXPECT_TRUE(stream->Seek(2, 1));
  EXPECT_EQ(stream->Tell(), 9);
  EXPECT_FALSE(stream->Seek(0, 3));
  EXPECT_FALSE(stream->Seek(0, -1));
  EXPECT_EQ(stream->Tell(), 9);
  // No upper clamp within 32 bits, but no wrap-around either.
  EXPECT_TRUE(stream->Seek(INT32_MAX, 0));
  EXPECT_TRUE(stream->Seek(INT32_MAX, 1));
  EXPECT_EQ(stream->Tell(), INT32_MAX);
  EXPECT_TRUE(stream->Seek(INT32_MIN, 1));
  EXPECT_EQ(stream->Tell(), 0);
  delete stream;
}

TEST(MemoryStream, WriteAfterSeekPastTheEnd) {
  MemoryStream stream(nullptr, 0);
  ASSERT_TRUE(stream.CreateEmpty());
  const uint32_t word = 0x04030201u;
  EXPECT_EQ(stream.Write(&word, 4, 1), 1u);
  EXPECT_TRUE(stream.Seek(10, 2));
  EXPECT_EQ(stream.Tell(), 14);
  uint8_t d = 0;
  EXPECT_EQ(stream.Read(&d, 1, 1), 0u);
  EXPECT_EQ(stream.IsPastEnd(), 1);
  EXPECT_TRUE(stream.IsEof());
  const uint8_t last = 0x55;
  EXPECT_EQ(stream.Write(&last, 1, 1), 1u);
  EXPECT_EQ(stream.GetSize(), 15);
  EXPECT_EQ(stream.IsPastEnd(), 0);
  uint8_t* bytes = stream.TakeBuffer(false);
  EXPECT_EQ(bytes[0], 1);
  EXPECT_EQ(bytes[3], 4);
  for (int i = 4; i < 14; ++i) EXPECT_EQ(bytes[i], 0) << i;
  EXPECT_EQ(bytes[14], 0x55);
}

TEST(MemoryStream, GrowsInWholeSteps) {
  MemoryStream stream(nullptr, 0);
  ASSERT_TRUE(stream.CreateEmpty());
  EXPECT_EQ(stream.Capacity(), 0);
  EXPECT_EQ(stream.GetSize(), 0);
  const uint8_t six[6] = {1, 2, 3, 4, 5, 6};
  EXPECT_EQ(stream.Write(six, 6, 1), 1u);
  EXPECT_EQ(stream.Capacity(), 4096);
  EXPECT_TRUE(stream.Reserve(4096));
  EXPECT_EQ(stream.Capacity(), 4096);
  EXPECT_TRUE(stream.Reserve(4097));
  EXPECT_EQ(stream.Capacity(), 8192);
  EXPECT_TRUE(stream.Reserve(8192));
  EXPECT_EQ(stream.Capacity(), 8192);
  EXPECT_TRUE(stream.Reserve(8193));
  EXPECT_EQ(stream.Capacity(), 12288);
  // Contents survive the moves.
  uint8_t* bytes = stream.TakeBuffer(false);
  EXPECT_EQ(std::memcmp(bytes, six, 6), 0);
}

TEST(MemoryStream, SaverPatternStartsWith4096Bytes) {
  MemoryStream stream(nullptr, 0);
  ASSERT_TRUE(stream.CreateEmpty());
  EXPECT_TRUE(stream.Reserve(1024));
  EXPECT_EQ(stream.Capacity(), 4096);
  for (int i = 0; i < 5000; ++i) ASSERT_TRUE(stream.PutByte(static_cast<uint8_t>(i)));
  EXPECT_EQ(stream.Capacity(), 8192);
  EXPECT_EQ(stream.GetSize(), 5000);
  uint8_t* bytes = stream.TakeBuffer(true);
  EXPECT_FALSE(stream.OwnsBuffer());
  EXPECT_EQ(bytes[4999], static_cast<uint8_t>(4999));
  stream.Close();
  EXPECT_TRUE(stream.IsOpen());  // not owned: Close leaves it
  std::free(bytes);
  stream.Attach(nullptr, 0);
}

TEST(MemoryStream, WriteOverwritesAfterBackwardSeek) {
  MemoryStream* stream = OverBytes(kTen, 10);
  stream->Seek(-2, 2);
  const uint8_t two[2] = {0xA0, 0xA1};
  EXPECT_EQ(stream->Write(two, 1, 2), 2u);
  EXPECT_EQ(stream->GetSize(), 10);
  EXPECT_EQ(stream->Capacity(), 10);
  stream->Seek(8, 0);
  EXPECT_EQ(stream->GetByte(), 0xA0);
  EXPECT_EQ(stream->GetByte(), 0xA1);
  EXPECT_EQ(stream->GetByte(), -1);
  delete stream;
}

TEST(MemoryStream, CreateEmptyRefusesAnOpenStream) {
  MemoryStream* stream = OverBytes(kTen, 10);
  stream->Seek(3, 0);
  EXPECT_FALSE(stream->CreateEmpty());
  EXPECT_EQ(stream->GetSize(), 10);
  EXPECT_EQ(stream->Capacity(), 10);
  EXPECT_EQ(stream->Tell(), 3);
  delete stream;
}

TEST(MemoryStream, ClosedStreamFailsQuietly) {
  MemoryStream stream(nullptr, 0);
  uint8_t d = 0;
  EXPECT_TRUE(stream.Close());
  EXPECT_EQ(stream.Read(&d, 1, 1), 0u);
  EXPECT_EQ(stream.Write(&d, 1, 1), 0u);
  EXPECT_FALSE(stream.Seek(0, 0));
  EXPECT_EQ(stream.Tell(), -1);
  EXPECT_EQ(stream.GetSize(), -1);
  EXPECT_FALSE(stream.IsOpen());
  EXPECT_TRUE(stream.IsEof());
  EXPECT_EQ(stream.IsPastEnd(), -1);
  EXPECT_FALSE(stream.PutByte(1));
  EXPECT_EQ(stream.GetByte(), -1);
}

TEST(MemoryStream, CloseFreesAnOwnedBlockAndKeepsPositionAndCapacity) {
  MemoryStream* stream = OverBytes(kTen, 10);
  stream->Seek(4, 0);
  EXPECT_TRUE(stream->Close());
  EXPECT_FALSE(stream->IsOpen());
  EXPECT_EQ(stream->Capacity(), 10);
  ASSERT_TRUE(stream->CreateEmpty());
  EXPECT_EQ(stream->Tell(), 0);
  delete stream;
}

TEST(MemoryStream, AttachDetachesACallersBlock) {
  uint8_t local[4] = {9, 8, 7, 6};
  {
    MemoryStream stream(nullptr, 0);
    stream.Attach(local, 4);
    EXPECT_FALSE(stream.OwnsBuffer());
    EXPECT_EQ(stream.GetByte(), 9);
    stream.Attach(nullptr, 0);
    EXPECT_FALSE(stream.IsOpen());
  }
  EXPECT_EQ(local[0], 9);
}

TEST(MemoryStream, HostileCountsNeverReachOutsideTheBlock) {
  MemoryStream stream(nullptr, 0);
  ASSERT_TRUE(stream.CreateEmpty());
  const uint8_t byte = 1;
  // The 32-bit product of these wraps to 4; the write must not happen.
  EXPECT_EQ(stream.Write(&byte, 0x40000001u, 4), 0u);
  EXPECT_EQ(stream.Write(&byte, 1, 0xFFFFFFFFu), 0u);
  EXPECT_EQ(stream.GetSize(), 0);
  EXPECT_EQ(stream.Capacity(), 0);
  // Far past the end, a write would need more than 31 bits of room.
  stream.Seek(INT32_MAX - 1, 0);
  EXPECT_EQ(stream.Write(&byte, 1, 2), 0u);
  EXPECT_FALSE(stream.PutByte(1));
  stream.Seek(INT32_MAX, 0);
  EXPECT_FALSE(stream.PutByte(1));
  EXPECT_EQ(stream.Capacity(), 0);
  EXPECT_FALSE(stream.Reserve(0xFFFFFFFFu));
  EXPECT_FALSE(stream.Reserve(0x7FFFF000u));
  EXPECT_EQ(stream.Capacity(), 0);
  EXPECT_TRUE(stream.IsOpen());
}

TEST(MemoryStream, HugeReadCountIsCutToTheData) {
  MemoryStream* stream = OverBytes(kTen, 10);
  uint8_t d[10] = {};
  EXPECT_EQ(stream->Read(d, 0x40000001u, 4), 0u);
  EXPECT_EQ(stream->Tell(), 10);
  EXPECT_EQ(d[9], 9);
  delete stream;
}

TEST(MemoryStream, NegativeBlockLengthCountsAsEmpty) {
  uint8_t local[4] = {1, 2, 3, 4};
  MemoryStream stream(nullptr, 0);
  stream.Attach(local, -8);
  EXPECT_EQ(stream.GetSize(), 0);
  EXPECT_EQ(stream.Capacity(), 0);
  uint8_t d = 0;
  EXPECT_EQ(stream.Read(&d, 1, 1), 0u);
  stream.Attach(nullptr, 0);
}

}  // namespace
}  // namespace tavrix
