// The particle storage and the track shortcuts change no bit of what is
// drawn: 3,000 frames of the churned busy workload draw the quads that the
// linked-record pool and the full track walk drew, recorded with that
// implementation (commit 5ff381f) by running test::RunChurnedBusy(3000).
#include <gtest/gtest.h>

#include "support/ChurnWorkload.h"
#include "support/CountingAllocator.h"

namespace tavrix {
namespace {

constexpr uint64_t kRecordedHash = 12830021569865068809ull;
constexpr uint64_t kRecordedQuads = 2519198;
constexpr int64_t kRecordedLiveSum = 2639940;

TEST(ChurnEquivalence, ThousandsOfChurnedFramesDrawTheRecordedQuads) {
  test::ScopedAllocator scope;
  const test::ChurnResult result = test::RunChurnedBusy(3000);
  EXPECT_EQ(result.liveSum, kRecordedLiveSum);
  EXPECT_EQ(result.quads, kRecordedQuads);
  EXPECT_EQ(result.hash, kRecordedHash) << result.hash;
}

}  // namespace
}  // namespace tavrix
