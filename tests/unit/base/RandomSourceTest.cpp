// The generator's sequence, its decomposed path, the seeding step and the
// seed given at load. Each test seeds its own instance, so the order in which
// tests touch the process-wide one does not matter.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "base/RandomSource.h"

namespace tavrix {
namespace {

TEST(RandomSource, LoadSeedGivesTheFixedSequence) {
  EXPECT_EQ(LoadSeed(), 15336);
  RandomSource random;
  random.Seed(LoadSeed());
  EXPECT_EQ(random.Next(), 257752152);
  EXPECT_EQ(random.Next(), 565902665);
  EXPECT_EQ(random.Next(), 2068501739);
}

TEST(RandomSource, SeedingStepYieldsItsTwoValues) {
  uint32_t state = 1376312589u;
  EXPECT_EQ(SeedStep(state), 29377u);
  EXPECT_EQ(state, 29377u);
  EXPECT_EQ(SeedStep(state), 15336u);
  EXPECT_EQ(state, 15336u);
}

TEST(RandomSource, DecomposedPathMatchesTheExactProduct) {
  RandomSource random;
  random.Seed(127774);
  EXPECT_EQ(random.Next(), 13971);
  // Compare both paths against 64-bit arithmetic along a long run.
  random.Seed(1);
  int64_t expected = 1;
  for (int i = 0; i < 10000; ++i) {
    expected = expected * 16807 % 2147483647;
    ASSERT_EQ(random.Next(), expected) << i;
  }
  for (int32_t state : {127773, 2147483646}) {
    random.Seed(state);
    EXPECT_EQ(random.Next(), int64_t{state} * 16807 % 2147483647) << state;
  }
  // A state of the modulus itself, which no run reaches, keeps what the
  // decomposition gives.
  random.Seed(2147483647);
  EXPECT_EQ(random.Next(), 2147483647);
}

TEST(RandomSource, SeedZeroStaysAtZero) {
  RandomSource random;
  random.Seed(0);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(random.Next(), 0);
  EXPECT_EQ(random.NextUnit(), 0.0);
}

TEST(RandomSource, NextUnitScalesTheNextStateByTwoToTheMinus31) {
  RandomSource random;
  random.Seed(LoadSeed());
  EXPECT_EQ(random.NextUnit(), 257752152.0 / 2147483648.0);
  // 739806647 is the modulus minus the inverse of 16807, so its successor
  // is the largest state, which still maps below 1.
  random.Seed(739806647);
  EXPECT_EQ(random.Next(), 2147483646);
  random.Seed(739806647);
  double unit = random.NextUnit();
  EXPECT_LT(unit, 1.0);
  EXPECT_EQ(unit, 2147483646.0 / 2147483648.0);
}

// Many draws at once give the values and leave the state one draw at a time
// would, on the cycle (the interleaved streams) and off it.
TEST(RandomSource, DrawManyTakesTheDrawsOneAtATimeWould) {
  for (int32_t seed : {1, 15336, 2147483646, 0, -5, 2147483647}) {
    for (uint32_t count : {0u, 1u, 8u, 9u, 12u, 15u, 512u}) {
      RandomSource one, many;
      one.Seed(seed);
      many.Seed(seed);
      std::vector<double> draws(count);
      many.DrawMany(draws.data(), count);
      for (uint32_t i = 0; i < count; ++i) ASSERT_EQ(draws[i], one.Draw()) << seed << " " << i;
      EXPECT_EQ(many.Next(), one.Next()) << seed << " after " << count;
    }
  }
}

// Seeded at load with a nonzero value, the process-wide generator can never
// reach 0, whoever drew from it before.
TEST(RandomSource, ProcessInstanceIsSeededAtLoad) {
  RandomSource& random = ProcessRandom();
  EXPECT_EQ(&random, &ProcessRandom());
  for (int i = 0; i < 3; ++i) EXPECT_NE(random.Next(), 0);
}

}  // namespace
}  // namespace tavrix
