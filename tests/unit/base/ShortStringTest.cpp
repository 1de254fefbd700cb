// Short strings: the length byte, the 8-bit cut of long texts and reading at
// the end of the data.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>

#include "effectfile/MemoryStream.h"

namespace tavrix {
namespace {

// Each text is written as its length byte (its length modulo 256) and that
// many of its bytes, and reads back as those bytes, terminated.
TEST(ShortString, RoundTripsItsFirstLengthModulo256Bytes) {
  std::string longText;
  for (int i = 0; i < 300; ++i) longText.push_back(static_cast<char>('a' + i % 26));
  const std::pair<std::string, uint32_t> cases[] = {
      {"Spark", 5}, {"", 0}, {std::string(255, 'k'), 255}, {longText, 44}};
  for (const auto& [text, kept] : cases) {
    MemoryStream stream(nullptr, 0);
    ASSERT_TRUE(stream.CreateEmpty());
    EXPECT_EQ(WriteShortString(stream, text.c_str()), kept);
    EXPECT_EQ(stream.GetSize(), static_cast<int32_t>(kept) + 1);
    const uint8_t* bytes = stream.TakeBuffer(false);
    EXPECT_EQ(bytes[0], kept);
    EXPECT_EQ(std::memcmp(bytes + 1, text.data(), kept), 0);
    stream.Seek(0, 0);
    char read[256];
    std::memset(read, 'x', sizeof read);
    EXPECT_EQ(ReadShortString(stream, read), kept);
    EXPECT_EQ(std::string(read), text.substr(0, kept));
  }
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

TEST(ShortString, ClosedStreamWritesNothing) {
  MemoryStream stream(nullptr, 0);
  EXPECT_EQ(WriteShortString(stream, "abc"), 0u);
  char text[256] = "stale";
  EXPECT_EQ(ReadShortString(stream, text), 0u);
  EXPECT_STREQ(text, "");
}

}  // namespace
}  // namespace tavrix
