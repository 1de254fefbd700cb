// The library's own sine and cosine: glibc's single-precision results for
// the angles particles turn through, and within an ulp of the true value
// for any angle, so that no platform's runtime decides a particle's bits.
#include "simulation/SineCosine.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

#include "base/FloatBits.h"

namespace tavrix {
namespace {

bool WithinAnUlp(float got, double exact) {
  const float rounded = static_cast<float>(exact);
  const float ulp = std::nextafter(std::fabs(rounded), std::numeric_limits<float>::infinity()) -
                    std::fabs(rounded);
  return std::fabs(got - exact) <= ulp;
}

// Every angle up to 17 radians gives glibc's bits, with or without its
// fused multiply-adds (checked exhaustively when this was written); the
// simulation's angles stay within one turn.
TEST(SineCosine, GivesGlibcsBitsForTheAnglesTheSimulationUses) {
  const uint32_t limit = FloatBits(17.0f);
  for (uint32_t bits = 0; bits < limit; bits += 997) {
    for (const float x : {FloatFromBits(bits), -FloatFromBits(bits)}) {
      const auto [s, c] = SineCosine(x);
      ASSERT_EQ(FloatBits(s), FloatBits(std::sin(x))) << x;
      ASSERT_EQ(FloatBits(c), FloatBits(std::cos(x))) << x;
    }
  }
}

TEST(SineCosine, StaysWithinAnUlpOfTheTrueValueForAnyAngle) {
  for (uint64_t bits = 0; bits < 0x7f800000u; bits += 65521) {
    for (const float x : {FloatFromBits(static_cast<uint32_t>(bits)),
                          -FloatFromBits(static_cast<uint32_t>(bits))}) {
      const auto [s, c] = SineCosine(x);
      ASSERT_TRUE(WithinAnUlp(s, std::sin(static_cast<double>(x)))) << x;
      ASSERT_TRUE(WithinAnUlp(c, std::cos(static_cast<double>(x)))) << x;
    }
  }
  for (const float x :
       {std::numeric_limits<float>::infinity(), -std::numeric_limits<float>::infinity(),
        std::numeric_limits<float>::quiet_NaN()}) {
    const auto [s, c] = SineCosine(x);
    EXPECT_TRUE(std::isnan(s) && std::isnan(c)) << x;
  }
}

}  // namespace
}  // namespace tavrix
