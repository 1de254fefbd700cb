// Every lane path's sine and cosine of a particle's first step against the
// library's one-angle function: across the quadrants, the tiny and large
// angles, not-a-number, and a count that leaves a partial vector.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <vector>

#include "base/FloatBits.h"
#include "simulation/Particle.h"
#include "simulation/SineCosine.h"
#include "simulation/StepPlan.h"
#include "simulation/lanes/LanePaths.h"

namespace tavrix {
namespace {

TEST(LaneSineCosine, EveryPathGivesTheBitsOfTheOneAngleFunction) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const std::vector<float> degrees = {0.0f,    1e-3f,   -1e-3f,   44.9f,  45.0f,  -45.0f,  90.0f,
                                      135.0f,  180.0f,  -180.0f,  225.0f, 270.0f, -270.0f, 359.9f,
                                      -360.0f, 6875.5f, -7000.0f, 1e30f,  nan,    17.3f,   -123.4f};
  const uint32_t capacity = 32;
  const uint32_t kUntouched = 0xdeadbeef;
  for (uint32_t n : {1u, 3u, 7u, static_cast<uint32_t>(degrees.size())}) {
    for (LanePath path : kLanePaths) {
      const StepLanes* lanes = LanesFor(path);
      if (!lanes) continue;
      std::vector<uint32_t> words(kColumnCount * capacity + capacity, 0);
      // The slots after the count belong to no one here: they must stay as they are.
      std::fill_n(words.begin() + kSine * capacity, capacity, kUntouched);
      std::fill_n(words.begin() + kCosine * capacity, capacity, kUntouched);
      const ColumnBlock block{words.data(), capacity};
      std::memcpy(words.data() + kAngle * capacity, degrees.data(), n * sizeof(float));
      StepPlan plan{};
      plan.birth = true;
      const StepScratch scratch{};
      lanes->motion(plan, block, 0, n, scratch);
      for (uint32_t i = 0; i < n; ++i) {
        const auto expected = SineCosine(degrees[i] * kRadiansPerDegree);
        EXPECT_EQ(words[kSine * capacity + i], FloatBits(expected.sine))
            << lanes->name << " sine of " << degrees[i] << " among " << n;
        EXPECT_EQ(words[kCosine * capacity + i], FloatBits(expected.cosine))
            << lanes->name << " cosine of " << degrees[i] << " among " << n;
      }
      EXPECT_EQ(words[kSine * capacity + n], kUntouched) << lanes->name << " among " << n;
      EXPECT_EQ(words[kCosine * capacity + n], kUntouched) << lanes->name << " among " << n;
    }
  }
}

}  // namespace
}  // namespace tavrix
