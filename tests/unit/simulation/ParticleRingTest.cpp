// Particle storage: the ring keeps birth order through removals, wrapping
// and growth; the pool counts every block against the process budget and
// gives refusals of the budget or the host allocator back as no record.
#include <gtest/gtest.h>

#include <vector>

#include "simulation/ParticleRing.h"
#include "support/CountingAllocator.h"

namespace tavrix {
namespace {

class ParticleRingTest : public ::testing::Test {
 protected:
  ~ParticleRingTest() override {
    ring.Release(&pool);
    ParticlePool::SetProcessBudget(ParticlePool::kDefaultProcessBudget);
  }

  // Appends particles numbered by their lifetime field.
  void Append(int count) {
    for (int i = 0; i < count; ++i) {
      uint32_t slot;
      ASSERT_TRUE(ring.Append(&pool, 1000, slot));
      ring.Floats(kLifetime)[slot] = static_cast<float>(next++);
    }
  }
  std::vector<float> Numbers(bool youngestFirst = false) const {
    std::vector<float> numbers;
    ring.ForEach(youngestFirst, [&](uint32_t slot) { numbers.push_back(Number(slot)); });
    return numbers;
  }

  float Number(uint32_t slot) const { return ring.Floats(kLifetime)[slot]; }
  bool Add(ParticleRing& to, uint32_t limit) {
    uint32_t slot;
    return to.Append(&pool, limit, slot);
  }

  test::ScopedAllocator scope;
  ParticlePool pool;
  ParticleRing ring;
  int next = 0;
};

TEST_F(ParticleRingTest, SweepVisitsYoungestFirstAndKeepsTheOrderOfSurvivorsAcrossTheWrap) {
  Append(8);
  ASSERT_EQ(ring.Capacity(), 8u);
  // Drop the three oldest so that later births wrap round the block.
  ring.Remove([&](uint32_t slot) { return Number(slot) >= 3.0f; });
  Append(3);
  EXPECT_EQ(ring.Capacity(), 8u) << "births reuse the freed records";
  std::vector<float> visited;
  ring.Remove([&](uint32_t slot) {
    visited.push_back(Number(slot));
    return static_cast<int>(Number(slot)) % 3 != 0;
  });
  EXPECT_EQ(visited, (std::vector<float>{10, 9, 8, 7, 6, 5, 4, 3}));
  EXPECT_EQ(Numbers(), (std::vector<float>{4, 5, 7, 8, 10}));
  EXPECT_EQ(Numbers(true), (std::vector<float>{10, 8, 7, 5, 4}));
  EXPECT_EQ(ring.Load(ring.Slot(0)).lifetime, 4.0f);
  Append(10);  // grows from a wrapped ring
  std::vector<float> expected{4, 5, 7, 8, 10};
  for (int i = 11; i < 21; ++i) expected.push_back(static_cast<float>(i));
  EXPECT_EQ(Numbers(), expected);
}

TEST_F(ParticleRingTest, BlocksComeFromTheHostAllocatorAndGoBack) {
  Append(1);
  EXPECT_EQ(scope.allocator.allocations, 1u);
  EXPECT_EQ(pool.HeldRecords(), 8u);
  Append(7);
  EXPECT_EQ(scope.allocator.allocations, 1u);
  // A steady ring of full turns allocates nothing.
  for (int turn = 0; turn < 100; ++turn) {
    ring.Remove([&](uint32_t slot) { return Number(slot) > next - 8; });
    Append(1);
  }
  EXPECT_EQ(scope.allocator.allocations, 1u);
  Append(1);
  EXPECT_EQ(pool.HeldRecords(), 16u);
  EXPECT_EQ(scope.allocator.LiveCount(), 1u) << "the smaller block went back";
  ring.Release(&pool);
  EXPECT_EQ(pool.HeldRecords(), 0u);
  EXPECT_EQ(scope.allocator.LiveCount(), 0u);
}

TEST_F(ParticleRingTest, GrowthStopsAtTheLimitTheBudgetAndARefusingAllocator) {
  for (int i = 0; i < 10; ++i) ASSERT_TRUE(Add(ring, 10));
  EXPECT_FALSE(Add(ring, 10)) << "the emitter's limit";
  EXPECT_EQ(ring.Count(), 10);
  ring.Release(&pool);

  ParticlePool::SetProcessBudget(20);
  ParticleRing other;
  for (int i = 0; i < 8; ++i) ASSERT_TRUE(Add(other, 1000));
  Append(12);
  EXPECT_EQ(ring.Capacity(), 12u) << "the last growth takes what the budget leaves";
  EXPECT_FALSE(Add(ring, 1000));
  EXPECT_FALSE(Add(other, 1000));
  other.Release(&pool);

  ParticlePool::SetProcessBudget(ParticlePool::kDefaultProcessBudget);
  scope.allocator.failAfter = scope.allocator.allocations + 1;
  EXPECT_FALSE(Add(ring, 1000));
  EXPECT_EQ(Numbers().size(), 12u) << "a refused growth keeps every particle";
  EXPECT_EQ(pool.AcquireBlock(0, 0), nullptr);
}

}  // namespace
}  // namespace tavrix
