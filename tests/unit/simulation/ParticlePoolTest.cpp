// The particle pool: blocks of at least 32 records, first-in-first-out reuse,
// chaining of a multi-record acquisition, no allocation on the steady path,
// and a host allocator that refuses.
#include <gtest/gtest.h>

#include <vector>

#include "simulation/ParticlePool.h"
#include "support/CountingAllocator.h"

namespace tavrix {
namespace {

TEST(ParticlePool, FirstAcquireMakesOneBlockAndTheNext31AllocateNothing) {
  test::ScopedAllocator scope;
  {
    ParticlePool pool;
    Particle* first = pool.Acquire(1);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->newer, nullptr);
    EXPECT_EQ(first->older, nullptr);
    EXPECT_EQ(pool.BlockCount(), 1u);
    EXPECT_EQ(pool.FreeCount(), 31u);
    const uint64_t allocations = scope.allocator.allocations;
    for (int i = 0; i < 31; ++i) {
      Particle* p = pool.Acquire(1);
      ASSERT_NE(p, nullptr);
      EXPECT_EQ(p, first + 1 + i) << "records come in block order";
    }
    EXPECT_EQ(scope.allocator.allocations, allocations);
    EXPECT_EQ(pool.FreeCount(), 0u);
    ASSERT_NE(pool.Acquire(1), nullptr);
    EXPECT_EQ(pool.BlockCount(), 2u);
  }
  EXPECT_EQ(scope.allocator.LiveCount(), 0u);
  EXPECT_EQ(scope.allocator.foreignFrees, 0u);
}

TEST(ParticlePool, LargeAcquireChainsABlockOfItsOwnSize) {
  test::ScopedAllocator scope;
  ParticlePool pool;
  EXPECT_EQ(pool.Acquire(0), nullptr);
  EXPECT_EQ(pool.Acquire(-3), nullptr);
  EXPECT_EQ(pool.BlockCount(), 0u);
  Particle* first = pool.Acquire(40);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(pool.BlockCount(), 1u);
  EXPECT_EQ(pool.FreeCount(), 0u);
  int count = 0;
  Particle* previous = nullptr;
  for (Particle* p = first; p; p = p->older) {
    EXPECT_EQ(p->newer, previous);
    EXPECT_EQ(p, first + count);
    previous = p;
    ++count;
  }
  EXPECT_EQ(count, 40);
}

TEST(ParticlePool, RecycledRecordsComeBackFirstInFirstOut) {
  test::ScopedAllocator scope;
  ParticlePool pool;
  Particle* a = pool.Acquire(1);
  Particle* b = pool.Acquire(1);
  for (int i = 0; i < 30; ++i) pool.Acquire(1);
  ASSERT_EQ(pool.FreeCount(), 0u);
  EXPECT_EQ(pool.Recycle(a), 1);
  EXPECT_EQ(pool.Recycle(b), 2);
  EXPECT_EQ(pool.Acquire(1), a);
  EXPECT_EQ(pool.Acquire(1), b);
}

TEST(ParticlePool, RecycleReportsTheFreeCountAndGrowsNoBlock) {
  test::ScopedAllocator scope;
  ParticlePool pool;
  Particle* p = pool.Acquire(1);
  ASSERT_EQ(pool.FreeCount(), 31u);
  EXPECT_EQ(pool.Recycle(p), 32);
  // The recycled record queues behind the 31 never handed out.
  for (int i = 0; i < 31; ++i) EXPECT_NE(pool.Acquire(1), p);
  EXPECT_EQ(pool.Acquire(1), p);
  EXPECT_EQ(pool.BlockCount(), 1u);
}

TEST(ParticlePool, AcquireFromTheQueueChainsInQueueOrder) {
  test::ScopedAllocator scope;
  ParticlePool pool;
  Particle* first = pool.Acquire(1);
  Particle* chain = pool.Acquire(3);
  EXPECT_EQ(chain, first + 1);
  EXPECT_EQ(chain->older, first + 2);
  EXPECT_EQ(chain->older->older, first + 3);
  EXPECT_EQ(chain->older->older->older, nullptr);
  EXPECT_EQ(chain->older->newer, chain);
  EXPECT_EQ(pool.FreeCount(), 28u);
}

TEST(ParticlePool, CyclingThroughTheRingAllocatesOnlyPastItsHighWaterMark) {
  test::ScopedAllocator scope;
  ParticlePool pool;
  std::vector<Particle*> live;
  for (int i = 0; i < 500; ++i) live.push_back(pool.Acquire(1));
  for (Particle* p : live) pool.Recycle(p);
  const uint64_t allocations = scope.allocator.allocations;
  // Many full turns of the ring with a wrapped head: no allocation, and
  // records keep coming back oldest-recycled first.
  for (int turn = 0; turn < 5000; ++turn) {
    Particle* p = pool.Acquire(1);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(pool.Recycle(p), 512);
  }
  EXPECT_EQ(scope.allocator.allocations, allocations);
  EXPECT_EQ(pool.FreeCount(), 512u);
}

TEST(ParticlePool, RingGrowthKeepsTheOrderOfAWrappedQueue) {
  test::ScopedAllocator scope;
  ParticlePool pool;
  std::vector<Particle*> records;
  for (int i = 0; i < 96; ++i) records.push_back(pool.Acquire(1));
  ASSERT_EQ(pool.FreeCount(), 0u);
  for (int i = 0; i < 64; ++i) pool.Recycle(records[i]);
  // Move the head part-way round, so the queue wraps, then overfill it.
  for (int i = 0; i < 40; ++i) pool.Recycle(pool.Acquire(1));
  for (int i = 64; i < 96; ++i) pool.Recycle(records[i]);
  std::vector<Particle*> expected;
  for (int i = 40; i < 64; ++i) expected.push_back(records[i]);
  for (int i = 0; i < 40; ++i) expected.push_back(records[i]);
  for (int i = 64; i < 96; ++i) expected.push_back(records[i]);
  std::vector<Particle*> order;
  while (pool.FreeCount() > 0) order.push_back(pool.Acquire(1));
  EXPECT_EQ(order, expected);
}

TEST(ParticlePool, ARefusedBlockYieldsNoneAndLeaksNothing) {
  test::ScopedAllocator scope;
  {
    ParticlePool pool;
    scope.allocator.failAfter = 1;
    EXPECT_EQ(pool.Acquire(1), nullptr);
    EXPECT_EQ(pool.BlockCount(), 0u);
    scope.allocator.failAfter = 0;
    EXPECT_NE(pool.Acquire(1), nullptr);
  }
  EXPECT_EQ(scope.allocator.LiveCount(), 0u);
}

TEST(ParticlePoolBudget, ARequestBeyondTheProcessBudgetIsRefusedBeforeAllocating) {
  test::ScopedAllocator scoped;
  ParticlePool pool;
  const int32_t beyond = static_cast<int32_t>(ParticlePool::ProcessBudget()) + 1;
  EXPECT_EQ(pool.Acquire(beyond), nullptr);
  EXPECT_EQ(scoped.allocator.allocations, 0u);
  EXPECT_NE(pool.Acquire(1), nullptr);
}

}  // namespace
}  // namespace tavrix
