// The resource cache: growth from 29 to 59 buckets at the thirtieth entry,
// lookups by kind and key address, and unlinking from the middle of chains.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "resources/ResourceCache.h"
#include "support/CountingAllocator.h"

namespace tavrix {
namespace {

class PlainResource final : public SharedResource {
 public:
  using SharedResource::SharedResource;
  void* Destroy(unsigned int) override { return this; }
};

struct Keys {
  char storage[400][4];
  const char* operator[](int i) const { return storage[i]; }
};

TEST(ResourceCache, GrowsAtTheThirtiethEntryAndKeepsEveryEntry) {
  test::ScopedAllocator scope;
  auto keys = std::make_unique<Keys>();
  std::vector<std::unique_ptr<PlainResource>> resources;
  ResourceCache cache;
  EXPECT_EQ(cache.BucketCount(), 29);
  for (int i = 0; i < 29; ++i) {
    resources.push_back(std::make_unique<PlainResource>((*keys)[i], 0));
    ASSERT_TRUE(cache.Insert(resources.back().get()));
  }
  EXPECT_EQ(cache.BucketCount(), 29);
  resources.push_back(std::make_unique<PlainResource>((*keys)[29], 0));
  ASSERT_TRUE(cache.Insert(resources.back().get()));
  EXPECT_EQ(cache.BucketCount(), 59);
  EXPECT_EQ(cache.EntryCount(), 30);
  for (int i = 0; i < 30; ++i) EXPECT_EQ(cache.Find(0, (*keys)[i]), resources[i].get()) << i;
  for (int i = 30; i < 120; ++i) {
    resources.push_back(std::make_unique<PlainResource>((*keys)[i], 0));
    ASSERT_TRUE(cache.Insert(resources.back().get()));
  }
  EXPECT_EQ(cache.BucketCount(), 239);
  for (int i = 0; i < 120; ++i) EXPECT_EQ(cache.Find(0, (*keys)[i]), resources[i].get()) << i;
}

TEST(ResourceCache, FindsOnlyTheKindAskedFor) {
  test::ScopedAllocator scope;
  static const char key[] = "fire.png";
  PlainResource frames(key, 0);
  PlainResource texture(key, 1);
  ResourceCache cache;
  EXPECT_EQ(cache.Find(0, key), nullptr);
  ASSERT_TRUE(cache.Insert(&frames));
  EXPECT_EQ(cache.Find(1, key), nullptr);
  ASSERT_TRUE(cache.Insert(&texture));
  EXPECT_EQ(cache.Find(0, key), &frames);
  EXPECT_EQ(cache.Find(1, key), &texture);
  cache.Remove(&frames);
  EXPECT_EQ(cache.Find(0, key), nullptr);
  EXPECT_EQ(cache.Find(1, key), &texture);
  EXPECT_EQ(cache.EntryCount(), 1);
}

TEST(ResourceCache, RemovesFromAnyPlaceInAChain) {
  test::ScopedAllocator scope;
  auto keys = std::make_unique<Keys>();
  std::vector<std::unique_ptr<PlainResource>> resources;
  ResourceCache cache;
  // Addresses 29 × 4 apart share a bucket: one long chain.
  for (int i = 0; i < 5; ++i) {
    const char* key = &keys->storage[0][0] + i * 29 * 4;
    resources.push_back(std::make_unique<PlainResource>(key, 0));
    ASSERT_TRUE(cache.Insert(resources.back().get()));
  }
  cache.Remove(resources[2].get());
  cache.Remove(resources[4].get());
  cache.Remove(resources[0].get());
  EXPECT_EQ(cache.EntryCount(), 2);
  EXPECT_EQ(cache.Find(0, resources[1]->Key()), resources[1].get());
  EXPECT_EQ(cache.Find(0, resources[3]->Key()), resources[3].get());
  EXPECT_EQ(cache.Find(0, resources[2]->Key()), nullptr);
}

TEST(ResourceCache, RefusedBucketsFailTheInsertAndRefusedGrowthKeepsWorking) {
  test::ScopedAllocator scope;
  auto keys = std::make_unique<Keys>();
  std::vector<std::unique_ptr<PlainResource>> resources;
  for (int i = 0; i < 31; ++i) resources.push_back(std::make_unique<PlainResource>((*keys)[i], 0));
  ResourceCache cache;
  scope.allocator.failAt = scope.allocator.allocations + 1;
  EXPECT_FALSE(cache.Insert(resources[0].get()));
  EXPECT_EQ(cache.EntryCount(), 0);
  for (int i = 0; i < 29; ++i) ASSERT_TRUE(cache.Insert(resources[i].get()));
  scope.allocator.failAfter = scope.allocator.allocations + 1;
  ASSERT_TRUE(cache.Insert(resources[29].get()));
  ASSERT_TRUE(cache.Insert(resources[30].get()));
  EXPECT_EQ(cache.BucketCount(), 29);
  for (int i = 0; i < 31; ++i) EXPECT_EQ(cache.Find(0, (*keys)[i]), resources[i].get());
  scope.allocator.failAfter = 0;
}

}  // namespace
}  // namespace tavrix
