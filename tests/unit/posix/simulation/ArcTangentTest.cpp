// The library's own atan2: glibc's single-precision results (checked over
// every float for the arc tangent and a billion random pairs when this was
// written), here over a grid of magnitudes, signs and special values.
#include "simulation/ArcTangent.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "base/FloatBits.h"

namespace tavrix {
namespace {

TEST(ArcTangent, GivesGlibcsBitsForEveryQuadrantMagnitudeAndSpecialValue) {
  const float inf = std::numeric_limits<float>::infinity();
  std::vector<float> values = {0.0f,
                               inf,
                               std::numeric_limits<float>::quiet_NaN(),
                               1.0f,
                               std::numeric_limits<float>::denorm_min(),
                               3e38f};
  for (float v = 1e-7f; v < 1e7f; v *= 1.37f) values.push_back(v);
  const size_t count = values.size();
  for (size_t i = 0; i < count; ++i) values.push_back(-values[i]);
  for (const float y : values) {
    for (const float x : values) {
      const float expected = std::atan2(y, x);
      const float got = ArcTangent2(y, x);
      if (std::isnan(expected)) {
        ASSERT_TRUE(std::isnan(got)) << y << " " << x;
      } else {
        ASSERT_EQ(FloatBits(got), FloatBits(expected)) << y << " " << x;
      }
    }
  }
}

}  // namespace
}  // namespace tavrix
