// Interning: case folding of A to Z only, growth of the bucket array, long
// texts, and that every byte goes back to the host allocator.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/Allocator.h"
#include "resources/NameTable.h"
#include "support/CountingAllocator.h"

namespace tavrix {
namespace {

using test::ScopedAllocator;

TEST(NameTable, FoldsLettersToOneCopy) {
  ScopedAllocator scope;
  NameTable table;
  EXPECT_EQ(NameTable::Hash("abc"), 581u);
  EXPECT_EQ(NameTable::Hash("ABC"), 581u);
  EXPECT_EQ(NameTable::Hash("abc") % table.BucketCount(), 1u);
  const char* lower = table.Intern("abc");
  ASSERT_NE(lower, nullptr);
  EXPECT_STREQ(lower, "abc");
  EXPECT_EQ(table.Intern("ABC"), lower);
  EXPECT_EQ(table.Intern("aBc"), lower);
  EXPECT_EQ(table.EntryCount(), 1u);
}

TEST(NameTable, KeepsTheCaseOfTheFirstRequest) {
  ScopedAllocator scope;
  NameTable table;
  const char* first = table.Intern("Spark.TGA");
  EXPECT_EQ(table.Intern("spark.tga"), first);
  EXPECT_STREQ(first, "Spark.TGA");
}

TEST(NameTable, NonLetterAndNonAsciiDifferencesAreDistinct) {
  ScopedAllocator scope;
  NameTable table;
  // '@' (64) and '`' (96) sit 32 apart like a letter pair but are not letters.
  const char* at = table.Intern("a@");
  const char* grave = table.Intern("a`");
  EXPECT_NE(at, grave);
  // 0xC0 and 0xE0 differ by 32 too; only A to Z fold.
  const char* upper = table.Intern("\xC0x");
  const char* lower = table.Intern("\xE0x");
  EXPECT_NE(upper, lower);
  EXPECT_NE(table.Intern("[x"), table.Intern("{x"));
  EXPECT_EQ(table.EntryCount(), 6u);
}

TEST(NameTable, HighBytesHashThroughTheFoldingTable) {
  // 0xC0 squared is 0x9000, whose low byte is 0; 0xFF squared ends in 0x01.
  EXPECT_EQ(NameTable::Hash("\xC0"), 0u);
  EXPECT_EQ(NameTable::Hash("\xFF"), 1u);
  EXPECT_EQ(NameTable::Hash("\xFF\xFF"), 3u);
}

TEST(NameTable, InterningAStoredCopyReturnsIt) {
  ScopedAllocator scope;
  NameTable table;
  const char* copy = table.Intern("emitter");
  EXPECT_EQ(table.Intern(copy), copy);
  EXPECT_EQ(table.EntryCount(), 1u);
}

TEST(NameTable, GrowsPastTwiceTheBucketCountAndKeepsPointers) {
  ScopedAllocator scope;
  NameTable table;
  std::vector<const char*> copies;
  for (int i = 0; i < 58; ++i) copies.push_back(table.Intern(("name" + std::to_string(i)).c_str()));
  EXPECT_EQ(table.BucketCount(), 29u);
  copies.push_back(table.Intern("name58"));
  EXPECT_EQ(table.EntryCount(), 59u);
  EXPECT_EQ(table.BucketCount(), 115u);
  for (int i = 0; i < 59; ++i) {
    std::string text = "NAME" + std::to_string(i);
    EXPECT_EQ(table.Intern(text.c_str()), copies[i]) << text;
    EXPECT_STREQ(copies[i], ("name" + std::to_string(i)).c_str());
  }
  EXPECT_EQ(table.EntryCount(), 59u);
  for (int i = 59; i < 231; ++i) table.Intern(("name" + std::to_string(i)).c_str());
  EXPECT_EQ(table.BucketCount(), 459u);
}

TEST(NameTable, ServesATextLongerThanABlock) {
  ScopedAllocator scope;
  NameTable table;
  const char* small = table.Intern("before");
  std::string longText(20000, 'q');
  const char* stored = table.Intern(longText.c_str());
  ASSERT_NE(stored, nullptr);
  EXPECT_EQ(std::string(stored), longText);
  EXPECT_EQ(table.Intern(std::string(20000, 'Q').c_str()), stored);
  // The ordinary block keeps serving small texts without a new block.
  uint64_t before = scope.allocator.allocations;
  const char* after = table.Intern("after");
  EXPECT_EQ(scope.allocator.allocations, before);
  EXPECT_STREQ(after, "after");
  EXPECT_EQ(table.Intern("BEFORE"), small);
}

TEST(NameTable, FillsBlocksAndStartsNewOnes) {
  ScopedAllocator scope;
  NameTable table;
  std::vector<std::string> texts;
  std::vector<const char*> copies;
  for (int i = 0; i < 200; ++i) {
    texts.push_back(std::string(200, 'a' + i % 26) + std::to_string(i));
    copies.push_back(table.Intern(texts.back().c_str()));
  }
  for (int i = 0; i < 200; ++i) EXPECT_STREQ(copies[i], texts[i].c_str());
  // 200 texts of about 210 bytes need several 16376-byte blocks.
  EXPECT_GT(scope.allocator.LiveCount(), 6u);
}

TEST(NameTable, DestructionFreesEverything) {
  ScopedAllocator scope;
  {
    NameTable table;
    for (int i = 0; i < 500; ++i) table.Intern(("texture" + std::to_string(i)).c_str());
    table.Intern(std::string(40000, 'z').c_str());
    EXPECT_GT(scope.allocator.LiveCount(), 0u);
  }
  EXPECT_EQ(scope.allocator.LiveCount(), 0u);
  EXPECT_EQ(scope.allocator.foreignFrees, 0u);
}

TEST(NameTable, RefusedBucketArrayIsRetriedOnFirstUse) {
  ScopedAllocator scope;
  scope.allocator.failAt = 1;
  NameTable table;
  const char* copy = table.Intern("first");
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(table.Intern("FIRST"), copy);
}

TEST(NameTable, RefusedBlockLeavesNothingHalfLinked) {
  // Allocation 2 is the block record, 3 the block's data.
  for (uint64_t k = 2; k <= 3; ++k) {
    ScopedAllocator scope;
    {
      scope.allocator.failAt = k;
      NameTable table;
      EXPECT_EQ(table.Intern("first"), nullptr) << k;
      EXPECT_EQ(table.EntryCount(), 0u) << k;
      const char* retry = table.Intern("FIRST");
      ASSERT_NE(retry, nullptr) << k;
      EXPECT_STREQ(retry, "FIRST");
      EXPECT_EQ(table.Intern("first"), retry);
      EXPECT_EQ(table.EntryCount(), 1u) << k;
    }
    EXPECT_EQ(scope.allocator.LiveCount(), 0u) << k;
  }
}

TEST(NameTable, RefusedGrowthKeepsTheOldBuckets) {
  ScopedAllocator scope;
  NameTable table;
  std::vector<const char*> copies;
  for (int i = 0; i < 58; ++i) copies.push_back(table.Intern(("n" + std::to_string(i)).c_str()));
  scope.allocator.failAfter = scope.allocator.allocations + 1;
  const char* last = table.Intern("n58");
  ASSERT_NE(last, nullptr);
  EXPECT_EQ(table.BucketCount(), 29u);
  for (int i = 0; i < 58; ++i)
    EXPECT_EQ(table.Intern(("N" + std::to_string(i)).c_str()), copies[i]);
  EXPECT_EQ(table.Intern("N58"), last);
  scope.allocator.failAfter = 0;
  table.Intern("n59");
  EXPECT_EQ(table.BucketCount(), 115u);
  EXPECT_EQ(table.Intern("N58"), last);
}

TEST(NameTable, WithoutAnAllocatorInterningFails) {
  ScopedAllocator scope;
  SetCurrentAllocator(nullptr);
  NameTable table;
  EXPECT_EQ(table.Intern("x"), nullptr);
  EXPECT_EQ(table.Intern(nullptr), nullptr);
  SetCurrentAllocator(&scope.allocator);
  EXPECT_STREQ(table.Intern("x"), "x");
}

TEST(CurrentNameTable, InternsThroughTheCurrentTable) {
  ScopedAllocator scope;
  NameTable* previous = CurrentNameTable();
  SetCurrentNameTable(nullptr);
  EXPECT_EQ(InternName("x"), nullptr);
  NameTable table;
  SetCurrentNameTable(&table);
  const char* copy = InternName("Effect");
  EXPECT_EQ(copy, table.Intern("EFFECT"));
  scope.allocator.failAfter = 1;
  EXPECT_EQ(InternName(std::string(20000, 'w').c_str()), nullptr);
  SetCurrentNameTable(previous);
}

}  // namespace
}  // namespace tavrix
