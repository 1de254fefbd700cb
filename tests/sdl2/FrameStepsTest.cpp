// The viewer's frame steps: where frames start and which frame a moment
// falls in, across the rounds of a sequence, so that scrubbing and playing
// land on the same frames.
#include <gtest/gtest.h>

#include "FrameSteps.h"

namespace tavrix::viewer {
namespace {

struct FrameCase {
  int32_t stepMs;            // 0: 17, 17, 16
  int64_t ms, frame, start;  // the moment, its frame, and where that starts
};

void PrintTo(const FrameCase& c, std::ostream* out) {
  *out << c.ms << " ms in steps of " << c.stepMs;
}

class FrameStepsAt : public testing::TestWithParam<FrameCase> {};

TEST_P(FrameStepsAt, FindTheFrameAndItsStart) {
  const FrameSteps steps(GetParam().stepMs);
  EXPECT_EQ(steps.FrameAt(GetParam().ms), GetParam().frame);
  EXPECT_EQ(steps.Start(GetParam().frame), GetParam().start);
}

INSTANTIATE_TEST_SUITE_P(Viewer, FrameStepsAt,
                         testing::Values(FrameCase{0, 0, 0, 0}, FrameCase{0, 16, 0, 0},
                                         FrameCase{0, 17, 1, 17}, FrameCase{0, 49, 2, 34},
                                         FrameCase{0, 50, 3, 50}, FrameCase{0, 1510, 90, 1500},
                                         FrameCase{0, 1534, 92, 1534}, FrameCase{0, -5, 0, 0},
                                         FrameCase{20, 1510, 75, 1500}, FrameCase{-3, 34, 2, 34}));

}  // namespace
}  // namespace tavrix::viewer
