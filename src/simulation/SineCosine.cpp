// The reduction of large angles for the library's own sine and cosine: the
// angle's mantissa times a window of the bits of 4/pi, in integers.
#include "simulation/SineCosine.h"

#include <limits>

namespace tavrix {
namespace sine_cosine {
namespace {

// 4/pi in overlapping 32-bit windows, one per 8-bit step of the exponent.
constexpr uint32_t kFourOverPi[24] = {
    0xa2,       0xa2f9,     0xa2f983,   0xa2f9836e, 0xf9836e4e, 0x836e4e44, 0x6e4e4415, 0x4e441529,
    0x441529fc, 0x1529fc27, 0x29fc2757, 0xfc2757d1, 0x2757d1f5, 0x57d1f534, 0xd1f534dd, 0xf534ddc0,
    0x34ddc0db, 0xddc0db62, 0xc0db6295, 0xdb629599, 0x6295993c, 0x95993c43, 0x993c4390, 0x3c439041};
constexpr double kPiOver2To63 = 0x1.921fb54442d18p-62;

// The angle modulo pi/2 as a double, and the quadrant.
double Reduce(uint32_t bits, int& quadrant) {
  const uint32_t* window = &kFourOverPi[(bits >> 26) & 15];
  const int shift = (bits >> 23) & 7;
  const uint32_t mantissa = ((bits & 0xffffff) | 0x800000) << shift;
  uint64_t low = static_cast<uint64_t>(static_cast<uint32_t>(mantissa * window[0]));
  const uint64_t middle = static_cast<uint64_t>(mantissa) * window[4];
  const uint64_t high = static_cast<uint64_t>(mantissa) * window[8];
  low = (high >> 32) | (low << 32);
  low += middle;
  const uint64_t n = (low + (1ULL << 61)) >> 62;
  low -= n << 62;
  quadrant = static_cast<int>(n);
  return static_cast<double>(static_cast<int64_t>(low)) * kPiOver2To63;
}

}  // namespace

SineAndCosine Large(float radians) {
  const uint32_t bits = FloatBits(radians);
  if (TopBits(radians) >= TopBits(std::numeric_limits<float>::infinity())) {
    return {radians - radians, radians - radians};
  }
  int n;
  const double x = Reduce(bits, n);
  const int signedQuadrant = n + static_cast<int>(bits >> 31);
  return Polynomials(x * kQuadrantSign[signedQuadrant & 3], x * x,
                     kCoefficients[(signedQuadrant & 2) ? 1 : 0], n);
}

}  // namespace sine_cosine
}  // namespace tavrix
