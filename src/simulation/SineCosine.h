// Sine and cosine of a single-precision angle computed by the library itself,
// so that a particle turns by the same bits on every platform and with every
// C runtime. The method: reduce the angle to within pi/4 of a multiple of
// pi/2 in double precision, then evaluate two short polynomials. The method,
// breakpoints and constants are those of the single-precision sinf, cosf and
// sincosf Arm contributed to the GNU C library, without fused multiply-adds.
// It is inline because the update turns every spinning particle every step.
#pragma once

#include <cstdint>

#include "base/FloatBits.h"
#include "simulation/SimulationConstants.h"

namespace tavrix {
namespace sine_cosine {

struct SineAndCosine {
  float sine, cosine;
};

struct Coefficients {
  double c0, c1, c2, c3, c4;  // cosine
  double s1, s2, s3;          // sine
};

// The second set serves quadrants where the cosine's sign is negative.
constexpr Coefficients kCoefficients[2] = {
    {kCosineC0, kCosineC1, kCosineC2, kCosineC3, kCosineC4, kSineS1, kSineS2, kSineS3},
    {-kCosineC0, -kCosineC1, -kCosineC2, -kCosineC3, -kCosineC4, kSineS1, kSineS2, kSineS3},
};
constexpr double kQuadrantSign[4] = {1.0, -1.0, -1.0, 1.0};

// Exponent and leading mantissa bits, the sign left out: the thresholds
// below compare these, not the values.
inline uint32_t TopBits(float x) { return (FloatBits(x) >> 20) & 0x7ff; }

inline SineAndCosine Polynomials(double x, double x2, const Coefficients& k, int quadrant) {
  const double x4 = x2 * x2;
  const double x3 = x2 * x;
  const double c2 = k.c3 + x2 * k.c4;
  const double s1 = k.s2 + x2 * k.s3;
  const double c1 = k.c0 + x2 * k.c1;
  const double x5 = x3 * x2;
  const double x6 = x4 * x2;
  const double s = x + x3 * k.s1;
  const double c = c1 + x4 * k.c2;
  const float odd = static_cast<float>(s + x5 * s1);
  const float even = static_cast<float>(c + x6 * c2);
  // Odd quadrants swap the two.
  return (quadrant & 1) ? SineAndCosine{even, odd} : SineAndCosine{odd, even};
}

// Angles of 120 and more (and infinities and NaNs): the reduction with the
// bits of 4/pi.
SineAndCosine Large(float radians);

}  // namespace sine_cosine

inline sine_cosine::SineAndCosine SineCosine(float radians) {
  using namespace sine_cosine;
  const uint32_t top = TopBits(radians);
  const double x = radians;
  if (top < TopBits(0x1.921fb6p-1f)) {  // below pi/4
    if (top < TopBits(0x1p-12f)) return {radians, 1.0f};
    return Polynomials(x, x * x, kCoefficients[0], 0);
  }
  if (top >= TopBits(120.0f)) return Large(radians);
  const int n = (static_cast<int32_t>(x * kHalfPiInverseScaled) + 0x800000) >> 24;
  const double r = x - n * kHalfPi;
  return Polynomials(r * kQuadrantSign[n & 3], r * r, kCoefficients[(n & 2) ? 1 : 0], n);
}

}  // namespace tavrix
