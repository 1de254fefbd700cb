// The particle storage, the track shortcuts and the lane code change no bit
// of what is drawn: 3,000 frames of the churned busy workload draw the quads
// that the linked-record pool and the full track walk drew, recorded with
// that implementation (commit 5ff381f) by running test::RunChurnedBusy(3000),
// on every lane path this build and processor have.
#include <gtest/gtest.h>

#include "simulation/lanes/LanePaths.h"
#include "support/ChurnWorkload.h"
#include "support/CountingAllocator.h"

namespace tavrix {
namespace {

constexpr uint64_t kRecordedHash = 12830021569865068809ull;
constexpr uint64_t kRecordedQuads = 2519198;
constexpr int64_t kRecordedLiveSum = 2639940;

class ChurnEquivalence : public ::testing::TestWithParam<LanePath> {
 protected:
  ~ChurnEquivalence() override { UseWidestLanes(); }
};

TEST_P(ChurnEquivalence, ThousandsOfChurnedFramesDrawTheRecordedQuads) {
  if (!UseLanePath(GetParam())) GTEST_SKIP() << "this processor lacks the path";
  test::ScopedAllocator scope;
  const test::ChurnResult result = test::RunChurnedBusy(3000);
  EXPECT_EQ(result.liveSum, kRecordedLiveSum);
  EXPECT_EQ(result.quads, kRecordedQuads);
  EXPECT_EQ(result.hash, kRecordedHash) << CurrentLanes().name << " " << result.hash;
}

INSTANTIATE_TEST_SUITE_P(LanePaths, ChurnEquivalence, ::testing::ValuesIn(kLanePaths));

// Emitters big enough to be shared by the update threads, one beside two
// small ones and then two side by side, draw the same quads on every lane
// path with 1, 2 and 4 threads.
TEST(ChurnEquivalence, EveryPathAndThreadCountDrawsTheSameBigEmitters) {
  constexpr int kFrames = 150;
  test::ScopedAllocator scope;
  for (bool both : {false, true}) {
    UseLanePath(LanePath::Scalar);
    const test::ChurnResult reference = test::RunChurnedBusy(kFrames, 8000.0f, 1, both);
    ASSERT_GT(reference.liveSum / kFrames, both ? 16384 : 8192);
    for (LanePath path : kLanePaths) {
      if (!UseLanePath(path)) continue;
      for (uint32_t threads : {1u, 2u, 4u}) {
        const test::ChurnResult result = test::RunChurnedBusy(kFrames, 8000.0f, threads, both);
        EXPECT_EQ(result.hash, reference.hash) << CurrentLanes().name << " " << threads;
        EXPECT_EQ(result.liveSum, reference.liveSum);
      }
    }
  }
  UseWidestLanes();
}

}  // namespace
}  // namespace tavrix
