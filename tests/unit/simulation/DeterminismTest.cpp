// Determinism: a fixed effect driven by a fixed sequence of milliseconds
// draws exactly the same quads, bit for bit, as when this constant was
// committed. A change to any random draw, its order, or the arithmetic of
// the simulation changes the hash.
#include <gtest/gtest.h>

#include <cstring>

#include "support/CountingAllocator.h"
#include "support/QuadRecorder.h"
#include "support/Workloads.h"

namespace tavrix {
namespace {

// Hash and count of the quads of 600 frames of the showcase effect.
constexpr uint64_t kShowcaseHash = 16232714423982167845ull;
constexpr uint64_t kShowcaseQuads = 49618;

uint64_t RunShowcase(test::QuadRecorder& renderer) {
  test::SimulationWorld world;  // reseeds the process-wide random source
  test::BuildShowcase(world);
  EXPECT_EQ(world.effect->Start(0, true), 0);
  for (int frame = 0; frame < 600; ++frame) {
    world.effect->AdvanceBy(test::ShowcaseStepMs(frame));
    EXPECT_EQ(world.effect->Draw(renderer), 0);
  }
  return renderer.hash;
}

TEST(Determinism, TheShowcaseEffectDrawsTheCommittedQuads) {
  test::ScopedAllocator scope;
  test::QuadRecorder renderer(test::QuadRecorder::HashOnly);
  const uint64_t hash = RunShowcase(renderer);
  EXPECT_EQ(renderer.quadCount, kShowcaseQuads);
  EXPECT_EQ(hash, kShowcaseHash) << std::hex << hash;
}

TEST(Determinism, TwoRunsDrawIdenticalQuads) {
  test::ScopedAllocator scope;
  test::QuadRecorder first;
  test::QuadRecorder second;
  RunShowcase(first);
  RunShowcase(second);
  ASSERT_GT(first.quads.size(), 10000u);
  ASSERT_EQ(first.quads.size(), second.quads.size());
  EXPECT_EQ(0, std::memcmp(first.quads.data(), second.quads.data(),
                           first.quads.size() * sizeof(test::RecordedQuad)));
  EXPECT_EQ(first.hash, second.hash);
}

}  // namespace
}  // namespace tavrix
