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
    ParticlePool::SetProcessBudget(ParticlePool::DefaultProcessBudget);
  }

  // Appends particles numbered by their lifetime field.
  void Append(int count) {
    for (int i = 0; i < count; ++i) {
      Particle* p = ring.Append(&pool, 1000);
      ASSERT_NE(p, nullptr);
      p->lifetime = static_cast<float>(next++);
    }
  }
  std::vector<float> Numbers(bool youngestFirst = false) const {
    std::vector<float> numbers;
    ring.ForEach(youngestFirst, [&](const Particle& p) { numbers.push_back(p.lifetime); });
    return numbers;
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
  ring.Sweep([](Particle& p) { return p.lifetime >= 3.0f; });
  Append(3);
  EXPECT_EQ(ring.Capacity(), 8u) << "births reuse the freed records";
  std::vector<float> visited;
  ring.Sweep([&](Particle& p) {
    visited.push_back(p.lifetime);
    return static_cast<int>(p.lifetime) % 3 != 0;
  });
  EXPECT_EQ(visited, (std::vector<float>{10, 9, 8, 7, 6, 5, 4, 3}));
  EXPECT_EQ(Numbers(), (std::vector<float>{4, 5, 7, 8, 10}));
  EXPECT_EQ(Numbers(true), (std::vector<float>{10, 8, 7, 5, 4}));
  EXPECT_EQ(ring.At(0).lifetime, 4.0f);
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
    ring.Sweep([&](Particle& p) { return p.lifetime > next - 8; });
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
  for (int i = 0; i < 10; ++i) ASSERT_NE(ring.Append(&pool, 10), nullptr);
  EXPECT_EQ(ring.Append(&pool, 10), nullptr) << "the emitter's limit";
  EXPECT_EQ(ring.Count(), 10);
  ring.Release(&pool);

  ParticlePool::SetProcessBudget(20);
  ParticleRing other;
  for (int i = 0; i < 8; ++i) ASSERT_NE(other.Append(&pool, 1000), nullptr);
  Append(12);
  EXPECT_EQ(ring.Capacity(), 12u) << "the last growth takes what the budget leaves";
  EXPECT_EQ(ring.Append(&pool, 1000), nullptr);
  EXPECT_EQ(other.Append(&pool, 1000), nullptr);
  other.Release(&pool);

  ParticlePool::SetProcessBudget(ParticlePool::DefaultProcessBudget);
  scope.allocator.failAfter = scope.allocator.allocations + 1;
  EXPECT_EQ(ring.Append(&pool, 1000), nullptr);
  EXPECT_EQ(Numbers().size(), 12u) << "a refused growth keeps every particle";
  EXPECT_EQ(pool.AcquireBlock(0, 0), nullptr);
}

}  // namespace
}  // namespace tavrix
