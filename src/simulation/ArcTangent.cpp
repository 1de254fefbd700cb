// The arc tangent and the quadrant logic of atan2, in single precision, on
// the bit patterns of the arguments. The method, breakpoints and constants
// are fdlibm's atanf and atan2f (Sun Microsystems), in the single-precision
// form the GNU C library carries.
#include "simulation/ArcTangent.h"

#include <cmath>
#include <cstdint>

#include "base/FloatBits.h"

namespace tavrix {
namespace {

int32_t Word(float v) { return static_cast<int32_t>(FloatBits(v)); }

// atan of 0.5, 1, 1.5 and infinity, each as a high and a low part.
constexpr float kAtanHigh[] = {0x1.dac67p-2f, 0x1.921fb4p-1f, 0x1.f730bcp-1f, 0x1.921fb4p+0f};
constexpr float kAtanLow[] = {0x1.586ed2p-28f, 0x1.4442dp-25f, 0x1.281f68p-25f, 0x1.4442dp-24f};
// The odd polynomial for atan on [-7/16, 7/16], in powers of x squared.
constexpr float kPolynomial[] = {0x1.555556p-2f, -0x1.99999ap-3f, 0x1.24924ap-3f, -0x1.c71c7p-4f,
                                 0x1.745cdcp-4f, -0x1.3b0f2ap-4f, 0x1.10d66ap-4f, -0x1.dde2d6p-5f,
                                 0x1.97b4b2p-5f, -0x1.2b4442p-5f, 0x1.0ad3aep-6f};
constexpr float kPiOver4 = 0x1.921fb6p-1f;
constexpr float kPiOver2 = 0x1.921fb6p+0f;
constexpr float kPi = 0x1.921fb6p+1f;
constexpr float kPiLow = -0x1.777a5cp-24f;

float ArcTangent(float x) {
  const int32_t hx = Word(x);
  const int32_t ix = hx & 0x7fffffff;
  if (ix >= 0x4c000000) {  // |x| >= 2^25: pi/2 to float precision, or not a number
    if (ix > 0x7f800000) return x + x;
    return hx > 0 ? kAtanHigh[3] + kAtanLow[3] : -kAtanHigh[3] - kAtanLow[3];
  }
  int id;
  if (ix < 0x3ee00000) {            // |x| < 7/16: the polynomial needs no reduction
    if (ix < 0x31000000) return x;  // |x| < 2^-29: atan x is x to float precision
    id = -1;
  } else {
    x = std::fabs(x);
    if (ix < 0x3f980000) {    // |x| < 19/16
      if (ix < 0x3f300000) {  // |x| < 11/16: reduced about 0.5
        id = 0;
        x = (2.0f * x - 1.0f) / (2.0f + x);
      } else {  // about 1
        id = 1;
        x = (x - 1.0f) / (x + 1.0f);
      }
    } else if (ix < 0x401c0000) {  // |x| < 39/16: reduced about 1.5
      id = 2;
      x = (x - 1.5f) / (1.0f + 1.5f * x);
    } else {  // atan x = pi/2 - atan(1/x)
      id = 3;
      x = -1.0f / x;
    }
  }
  const float* t = kPolynomial;
  const float z = x * x;
  const float w = z * z;
  const float s1 = z * (t[0] + w * (t[2] + w * (t[4] + w * (t[6] + w * (t[8] + w * t[10])))));
  const float s2 = w * (t[1] + w * (t[3] + w * (t[5] + w * (t[7] + w * t[9]))));
  if (id < 0) return x - x * (s1 + s2);
  const float r = kAtanHigh[id] - ((x * (s1 + s2) - kAtanLow[id]) - x);
  return hx < 0 ? -r : r;
}

// The answers for a zero or infinite argument, by the quadrant m (bit 0 the
// sign of y, bit 1 the sign of x).
float OnAxis(int32_t m, float y) {
  switch (m) {
    case 0:
    case 1: return y;
    case 2: return kPi;
    default: return -kPi;
  }
}

float AtInfinity(int32_t m, bool bothInfinite) {
  if (bothInfinite) {
    const float quarter[] = {kPiOver4, -kPiOver4, 3.0f * kPiOver4, -3.0f * kPiOver4};
    return quarter[m];
  }
  const float edge[] = {0.0f, -0.0f, kPi, -kPi};
  return edge[m];
}

}  // namespace

float ArcTangent2(float y, float x) {
  const int32_t hx = Word(x);
  const int32_t ix = hx & 0x7fffffff;
  const int32_t hy = Word(y);
  const int32_t iy = hy & 0x7fffffff;
  if (ix > 0x7f800000 || iy > 0x7f800000) return x + y;
  if (hx == 0x3f800000) return ArcTangent(y);
  const int32_t m = ((hy >> 31) & 1) | ((hx >> 30) & 2);
  if (iy == 0) return OnAxis(m, y);
  if (ix == 0) return hy < 0 ? -kPiOver2 : kPiOver2;
  if (ix == 0x7f800000) return AtInfinity(m, iy == 0x7f800000);
  if (iy == 0x7f800000) return hy < 0 ? -kPiOver2 : kPiOver2;
  const int32_t k = (iy - ix) >> 23;  // the binary exponent of |y/x|
  float z;
  if (k > 60) {  // |y/x| > 2^60: the angle is pi/2 to float precision
    z = kPiOver2 + 0.5f * kPiLow;
  } else if (hx < 0 && k < -60) {  // x < 0, |y/x| < 2^-60: z vanishes beside pi
    z = 0.0f;
  } else {
    z = ArcTangent(std::fabs(y / x));
  }
  switch (m) {
    case 0: return z;
    case 1: return -z;
    case 2: return kPi - (z - kPiLow);
    default: return (z - kPiLow) - kPi;
  }
}

}  // namespace tavrix
