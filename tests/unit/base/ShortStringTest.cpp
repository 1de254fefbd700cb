// Short strings: the length byte, the 8-bit cut of long texts and reading at
// the end of the data.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "effectfile/MemoryStream.h"

namespace tavrix {
namespace {

TEST(ShortString, RoundTripsAName) {
  MemoryStream stream(nullptr, 0);
  ASSERT_TRUE(stream.CreateEmpty());
  EXPECT_EQ(WriteShortString(stream, "Spark"), 5u);
  EXPECT_EQ(stream.GetSize(), 6);
  const uint8_t* bytes = stream.TakeBuffer(false);
  EXPECT_EQ(bytes[0], 5);
  EXPECT_EQ(std::memcmp(bytes + 1, "Spark", 5), 0);
  stream.Seek(0, 0);
  char text[256];
  std::memset(text, 'x', sizeof text);
  EXPECT_EQ(ReadShortString(stream, text), 5u);
  EXPECT_STREQ(text, "Spark");
}

TEST(ShortString, EmptyTextIsOneZeroByte) {
  MemoryStream stream(nullptr, 0);
  ASSERT_TRUE(stream.CreateEmpty());
  EXPECT_EQ(WriteShortString(stream, ""), 0u);
  EXPECT_EQ(stream.GetSize(), 1);
  EXPECT_EQ(stream.TakeBuffer(false)[0], 0);
  stream.Seek(0, 0);
  char text[256] = "stale";
  EXPECT_EQ(ReadShortString(stream, text), 0u);
  EXPECT_STREQ(text, "");
}

TEST(ShortString, LongTextKeepsItsLengthModulo256) {
  MemoryStream stream(nullptr, 0);
  ASSERT_TRUE(stream.CreateEmpty());
  std::string text;
  for (int i = 0; i < 300; ++i) text.push_back(static_cast<char>('a' + i % 26));
  EXPECT_EQ(WriteShortString(stream, text.c_str()), 44u);
  EXPECT_EQ(stream.GetSize(), 45);
  const uint8_t* bytes = stream.TakeBuffer(false);
  EXPECT_EQ(bytes[0], 44);
  EXPECT_EQ(std::memcmp(bytes + 1, text.data(), 44), 0);
  stream.Seek(0, 0);
  char read[256];
  EXPECT_EQ(ReadShortString(stream, read), 44u);
  EXPECT_EQ(std::string(read), text.substr(0, 44));
}

TEST(ShortString, MissingLengthByteGivesAnEmptyText) {
  MemoryStream stream(nullptr, 0);
  ASSERT_TRUE(stream.CreateEmpty());
  char text[256] = "stale";
  EXPECT_EQ(ReadShortString(stream, text), 0u);
  EXPECT_STREQ(text, "");
}

TEST(ShortString, TextCutShortEndsAfterTheBytesRead) {
  MemoryStream stream(nullptr, 0);
  ASSERT_TRUE(stream.CreateEmpty());
  const uint8_t record[4] = {10, 'a', 'b', 'c'};
  stream.Write(record, 1, 4);
  stream.Seek(0, 0);
  char text[256];
  std::memset(text, 'x', sizeof text);
  EXPECT_EQ(ReadShortString(stream, text), 3u);
  EXPECT_STREQ(text, "abc");
}

TEST(ShortString, MaximumLengthFillsTheDestination) {
  MemoryStream stream(nullptr, 0);
  ASSERT_TRUE(stream.CreateEmpty());
  std::string text(255, 'k');
  EXPECT_EQ(WriteShortString(stream, text.c_str()), 255u);
  stream.Seek(0, 0);
  char read[256];
  EXPECT_EQ(ReadShortString(stream, read), 255u);
  EXPECT_EQ(std::string(read), text);
}

TEST(ShortString, ClosedStreamWritesNothing) {
  MemoryStream stream(nullptr, 0);
  EXPECT_EQ(WriteShortString(stream, "abc"), 0u);
  char text[256] = "stale";
  EXPECT_EQ(ReadShortString(stream, text), 0u);
  EXPECT_STREQ(text, "");
}

}  // namespace
}  // namespace tavrix
