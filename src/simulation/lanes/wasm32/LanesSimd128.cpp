// The update's lane code for WebAssembly SIMD128. The compiler vectorizes
// the shared loops, but not the sine and cosine: it has no vector form of
// the double-to-integer and double-to-float conversions, so here they are
// written with SIMD128's own rounding and conversions, two doubles at a
// time, to the values of the scalar definition.
#include <math.h>
#include <wasm_simd128.h>

#include <cstdint>

#include "base/FloatBits.h"
#include "base/MinimalStandard.h"
#include "simulation/Particle.h"
#include "simulation/SimulationConstants.h"
#include "simulation/StepPlan.h"
#include "simulation/lanes/LanePaths.h"

namespace tavrix::lanes_vector {
#include "simulation/lanes/StepLanes.inc"

namespace {

struct OddEven {
  v128_t odd, even;  // each two floats in the low lanes
};

// The two polynomials of two reduced angles.
OddEven Polynomials2(v128_t r) {
  const auto splat = wasm_f64x2_splat;
  const v128_t x2 = wasm_f64x2_mul(r, r);
  const v128_t x4 = wasm_f64x2_mul(x2, x2);
  const v128_t x3 = wasm_f64x2_mul(x2, r);
  const v128_t c3 = wasm_f64x2_add(splat(kCosineC3), wasm_f64x2_mul(x2, splat(kCosineC4)));
  const v128_t s1 = wasm_f64x2_add(splat(kSineS2), wasm_f64x2_mul(x2, splat(kSineS3)));
  const v128_t c1 = wasm_f64x2_add(splat(kCosineC0), wasm_f64x2_mul(x2, splat(kCosineC1)));
  const v128_t x5 = wasm_f64x2_mul(x3, x2);
  const v128_t x6 = wasm_f64x2_mul(x4, x2);
  const v128_t sPart = wasm_f64x2_add(r, wasm_f64x2_mul(x3, splat(kSineS1)));
  const v128_t cPart = wasm_f64x2_add(c1, wasm_f64x2_mul(x4, splat(kCosineC2)));
  return {wasm_f32x4_demote_f64x2_zero(wasm_f64x2_add(sPart, wasm_f64x2_mul(x5, s1))),
          wasm_f32x4_demote_f64x2_zero(wasm_f64x2_add(cPart, wasm_f64x2_mul(x6, c3)))};
}

// The low two lanes of a beside the low two of b.
inline v128_t Low2(v128_t a, v128_t b) { return wasm_i32x4_shuffle(a, b, 0, 1, 4, 5); }
inline v128_t High2(v128_t a) { return wasm_i32x4_shuffle(a, a, 2, 3, 2, 3); }

// Two angles over pi/2 scaled by 2^24 and cut toward zero; the sum with
// 1.5 * 2^52, exact below 2^31, holds each in its low 32 bits, where the
// four lanes are gathered to round them to the quadrant.
inline v128_t Quadrant2(v128_t x) {
  const v128_t scaled = wasm_f64x2_mul(x, wasm_f64x2_splat(kHalfPiInverseScaled));
  return wasm_f64x2_add(wasm_f64x2_trunc(scaled), wasm_f64x2_splat(0x1.8p52));
}

// Two angles less their quadrants' multiples of pi/2.
inline v128_t Reduce2(v128_t x, v128_t q) {
  return wasm_f64x2_sub(x,
                        wasm_f64x2_mul(wasm_f64x2_convert_low_i32x4(q), wasm_f64x2_splat(kHalfPi)));
}

// Four lanes of SineCosine in SineCosineLanes.inc.
bool SineCosine4(const float* degrees, float* sine, float* cosine) {
  const v128_t radians =
      wasm_f32x4_mul(wasm_v128_load(degrees), wasm_f32x4_splat(kRadiansPerDegree));
  const v128_t magnitude = wasm_f32x4_abs(radians);
  // A NaN compares false, so it counts as large.
  const v128_t large = wasm_v128_not(wasm_f32x4_lt(magnitude, wasm_f32x4_splat(120.0f)));
  const v128_t tiny = wasm_f32x4_lt(magnitude, wasm_f32x4_splat(0x1p-12f));
  const v128_t x = wasm_v128_andnot(radians, large);
  const v128_t xLow = wasm_f64x2_promote_low_f32x4(x);
  const v128_t xHigh = wasm_f64x2_promote_low_f32x4(High2(x));
  // |x| < 120 keeps the product and the sum below 2^31.
  const v128_t cut = wasm_i32x4_shuffle(Quadrant2(xLow), Quadrant2(xHigh), 0, 2, 4, 6);
  const v128_t q = wasm_i32x4_shr(wasm_i32x4_add(cut, wasm_i32x4_splat(0x800000)), 24);
  const OddEven low = Polynomials2(Reduce2(xLow, q));
  const OddEven high = Polynomials2(Reduce2(xHigh, High2(q)));
  const v128_t two = wasm_i32x4_splat(2);
  const v128_t odd =
      wasm_v128_xor(Low2(low.odd, high.odd),
                    wasm_i32x4_shl(wasm_v128_and(wasm_i32x4_add(q, wasm_i32x4_splat(1)), two), 30));
  const v128_t even =
      wasm_v128_xor(Low2(low.even, high.even), wasm_i32x4_shl(wasm_v128_and(q, two), 30));
  const v128_t swap = wasm_i32x4_neg(wasm_v128_and(q, wasm_i32x4_splat(1)));
  const v128_t s = wasm_v128_bitselect(even, odd, swap);
  const v128_t c = wasm_v128_bitselect(odd, even, swap);
  wasm_v128_store(sine, wasm_v128_bitselect(radians, s, tiny));
  wasm_v128_store(cosine, wasm_v128_bitselect(wasm_f32x4_splat(1.0f), c, tiny));
  return wasm_v128_any_true(large);
}

bool SineCosine(const float* __restrict degrees, float* __restrict sine, float* __restrict cosine,
                uint32_t n) {
  bool large = false;
  uint32_t i = 0;
  for (; i + 4 <= n; i += 4) large |= SineCosine4(degrees + i, sine + i, cosine + i);
  if (i == n) return large;
  // The last lanes through a copy: the slots after them may be another task's.
  float in[4] = {}, s[4], c[4];
  for (uint32_t j = i; j < n; ++j) in[j - i] = degrees[j];
  // The unused lanes' zeros are not large.
  large |= SineCosine4(in, s, c);
  for (uint32_t j = i; j < n; ++j) {
    sine[j] = s[j - i];
    cosine[j] = c[j - i];
  }
  return large;
}

// WebAssembly has no prefetch, and the columns of a chunk arrive one after
// another as the step first reads each: one read per cache line of every
// column before the step asks for them all at once.
void TouchAndShape(const StepPlan& plan, const ColumnBlock& block, uint32_t slot, uint32_t n,
                   StepScratch& s) {
  constexpr uint32_t kWordsPerLine = 16;  // 64-byte lines
  uint32_t lines = 0;
  for (uint32_t c = 0; c < kColumnCount; ++c) {
    const uint32_t* words = Words(block, ParticleColumn(c), slot);
    for (uint32_t i = 0; i < n; i += kWordsPerLine) lines |= words[i];
  }
  // Kept, though nothing uses it, so that the reads stay.
  __asm__ volatile("" : : "r"(lines));
  Shape(plan, block, slot, n, s);
}

}  // namespace

extern const StepLanes kLanes = {"simd128", AgeAndMark,     TouchAndShape, Motion, PackColour,
                                 TakeDraws, CountJittering, Quads,         Points};
}  // namespace tavrix::lanes_vector
