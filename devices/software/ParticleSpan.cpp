#include "ParticleSpan.h"

#include <cmath>
#include <initializer_list>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "PixelMath.h"

namespace tavrix::software {
namespace {

bool IsPowerOfTwo(int32_t n) { return n > 0 && (n & (n - 1)) == 0; }

bool TakesTextureAndDiffuse(uint32_t a, uint32_t b) {
  auto diffuse = [](uint32_t x) {
    return (x & 0xFF) == arg::Diffuse || (x & 0xFF) == arg::Current;
  };
  return ((a & 0xFF) == arg::Texture && diffuse(b)) || ((b & 0xFF) == arg::Texture && diffuse(a));
}

// floor for values well inside the int32 range.
int32_t Floor(float f) {
  int32_t i = static_cast<int32_t>(f);
  return i - (f < static_cast<float>(i));
}

constexpr float Limit = 1.0e9f;

// Source alpha over the destination: the texel modulated by the colour, then
// blended with the destination kept by (255 - source alpha), or by 255 when
// additive. A source alpha of 0 leaves the destination as it was.
uint32_t BlendOne(uint32_t d, uint32_t texel, uint32_t colour, bool additive) {
  const uint32_t sa = Mul255(Channel(texel, 24), Channel(colour, 24));
  const uint32_t keep = additive ? 255 : 255 - sa;
  uint32_t out = 0;
  for (int shift = 0; shift <= 24; shift += 8) {
    const uint32_t s = shift == 24 ? sa : Mul255(Channel(texel, shift), Channel(colour, shift));
    const uint32_t value = Mul255(s, sa) + Mul255(Channel(d, shift), keep);
    out |= (value > 255 ? 255 : value) << shift;
  }
  return out;
}

#if defined(__SSE2__)
// The same arithmetic for two pixels at once, channels in 16-bit lanes; every
// intermediate stays below 65536, so the results are identical.
__m128i Mul255Lanes(__m128i x, __m128i y) {
  const __m128i t = _mm_add_epi16(_mm_mullo_epi16(x, y), _mm_set1_epi16(128));
  return _mm_srli_epi16(_mm_add_epi16(t, _mm_srli_epi16(t, 8)), 8);
}

void BlendPairLanes(uint32_t* out, uint32_t t0, uint32_t t1, uint32_t colour, bool additive) {
  const __m128i zero = _mm_setzero_si128(), full = _mm_set1_epi16(255);
  const __m128i tint = _mm_unpacklo_epi8(_mm_set1_epi32(static_cast<int>(colour)), zero);
  const __m128i texels =
      _mm_unpacklo_epi8(_mm_set_epi32(0, 0, static_cast<int>(t1), static_cast<int>(t0)), zero);
  const __m128i source = Mul255Lanes(texels, tint);
  const __m128i alpha = _mm_shufflehi_epi16(_mm_shufflelo_epi16(source, 0xFF), 0xFF);
  const __m128i destination =
      _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(out)), zero);
  const __m128i keep = additive ? full : _mm_sub_epi16(full, alpha);
  const __m128i sum = _mm_add_epi16(Mul255Lanes(source, alpha), Mul255Lanes(destination, keep));
  _mm_storel_epi64(reinterpret_cast<__m128i*>(out),
                   _mm_packus_epi16(_mm_min_epi16(sum, full), zero));
}

__m128 PlaneLanes(const Plane& plane, __m128 cx, float cy) {
  return _mm_add_ps(_mm_add_ps(_mm_set1_ps(plane.origin), _mm_mul_ps(_mm_set1_ps(plane.perX), cx)),
                    _mm_set1_ps(plane.perY * cy));
}

__m128i FloorLanes(__m128 x) {
  const __m128i truncated = _mm_cvttps_epi32(x);
  return _mm_add_epi32(truncated, _mm_castps_si128(_mm_cmplt_ps(x, _mm_cvtepi32_ps(truncated))));
}

// The texels of four neighbouring pixels; width is 1 << shift.
void TexelsAt(uint32_t* out, int64_t col, float cy, const ParticleSpan& span, float w, float h,
              int shift) {
  const float first = static_cast<float>(col) + 0.5f;
  const __m128 cx = _mm_set_ps(first + 3.0f, first + 2.0f, first + 1.0f, first);
  const __m128i tx =
      _mm_and_si128(FloorLanes(_mm_mul_ps(PlaneLanes(span.u, cx, cy), _mm_set1_ps(w))),
                    _mm_set1_epi32(span.level->width - 1));
  const __m128i ty =
      _mm_and_si128(FloorLanes(_mm_mul_ps(PlaneLanes(span.v, cx, cy), _mm_set1_ps(h))),
                    _mm_set1_epi32(span.level->height - 1));
  alignas(16) int32_t index[4];
  _mm_store_si128(reinterpret_cast<__m128i*>(index), _mm_add_epi32(_mm_slli_epi32(ty, shift), tx));
  for (int i = 0; i < 4; ++i) out[i] = span.level->texels[index[i]];
}
#endif

}  // namespace

bool ParticleSpan::Applies(const PixelState& state, const SamplingChoice& sampling,
                           bool flatColour) {
  const StageState& s = state.stage;
  return flatColour && sampling.level && sampling.filter == filter::Point &&
         IsPowerOfTwo(sampling.level->width) && IsPowerOfTwo(sampling.level->height) &&
         s.colourOp == op::Modulate && TakesTextureAndDiffuse(s.colourArg1, s.colourArg2) &&
         ((s.alphaOp == op::Modulate && TakesTextureAndDiffuse(s.alphaArg1, s.alphaArg2)) ||
          (s.alphaOp == op::SelectArg1 && (s.alphaArg1 & 0xFF) == arg::Texture)) &&
         state.blendEnable && state.sourceBlend == blend::SrcAlpha &&
         (state.destinationBlend == blend::InvSrcAlpha || state.destinationBlend == blend::One);
}

bool ParticleSpan::Draw(uint32_t* row, int64_t lo, int64_t hi, float cy) const {
  const float w = static_cast<float>(level->width), h = static_cast<float>(level->height);
  for (int64_t end : {lo, hi}) {
    float cx = static_cast<float>(end) + 0.5f;
    if (!(std::fabs(u.At(cx, cy) * w) < Limit) || !(std::fabs(v.At(cx, cy) * h) < Limit))
      return false;
  }
  const int32_t maskX = level->width - 1, maskY = level->height - 1;
  auto texelAt = [&](int64_t col) {
    const float cx = static_cast<float>(col) + 0.5f;
    const int32_t tx = Floor(u.At(cx, cy) * w) & maskX, ty = Floor(v.At(cx, cy) * h) & maskY;
    return level->texels[ty * level->width + tx];
  };
  // Alpha taken from the texture alone is alpha modulated by 255.
  const uint32_t colour = modulateAlpha ? diffuse : (diffuse | 0xFF000000u);
  int64_t col = lo;
#if defined(__SSE2__)
  int shift = 0;
  while ((1 << shift) < level->width) ++shift;
  uint32_t t[4];
  for (; col + 3 <= hi; col += 4) {
    TexelsAt(t, col, cy, *this, w, h, shift);
    BlendPairLanes(row + col, t[0], t[1], colour, additive);
    BlendPairLanes(row + col + 2, t[2], t[3], colour, additive);
  }
  for (; col + 1 <= hi; col += 2)
    BlendPairLanes(row + col, texelAt(col), texelAt(col + 1), colour, additive);
#endif
  for (; col <= hi; ++col) row[col] = BlendOne(row[col], texelAt(col), colour, additive);
  return true;
}

}  // namespace tavrix::software
