#include "ParticleSpan.h"

#include <cmath>
#include <initializer_list>

#include "PixelMath.h"

namespace tavrix::software {
namespace {

bool IsPowerOfTwo(int32_t n) { return n > 0 && (n & (n - 1)) == 0; }

bool TakesTextureAndDiffuse(uint32_t a, uint32_t b) {
  auto diffuse = [](uint32_t x) { return (x & 0xFF) == arg::Diffuse || (x & 0xFF) == arg::Current; };
  return ((a & 0xFF) == arg::Texture && diffuse(b)) || ((b & 0xFF) == arg::Texture && diffuse(a));
}

// floor for values well inside the int32 range.
int32_t Floor(float f) {
  int32_t i = static_cast<int32_t>(f);
  return i - (f < static_cast<float>(i));
}

constexpr float Limit = 1.0e9f;

}  // namespace

bool ParticleSpan::Applies(const PixelState& state, const SamplingChoice& sampling, bool flatColour) {
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
    if (!(std::fabs(u.At(cx, cy) * w) < Limit) || !(std::fabs(v.At(cx, cy) * h) < Limit)) return false;
  }
  const int32_t maskX = level->width - 1, maskY = level->height - 1;
  const uint32_t da = Channel(diffuse, 24), dr = Channel(diffuse, 16), dg = Channel(diffuse, 8),
                 db = Channel(diffuse, 0);
  for (int64_t col = lo; col <= hi; ++col) {
    const float cx = static_cast<float>(col) + 0.5f;
    const int32_t tx = Floor(u.At(cx, cy) * w) & maskX, ty = Floor(v.At(cx, cy) * h) & maskY;
    const uint32_t texel = level->texels[ty * level->width + tx];
    const uint32_t sa = modulateAlpha ? Mul255(Channel(texel, 24), da) : Channel(texel, 24);
    if (sa == 0) continue;  // both blends leave the destination as it is
    const uint32_t sr = Mul255(Channel(texel, 16), dr), sg = Mul255(Channel(texel, 8), dg),
                   sb = Mul255(Channel(texel, 0), db);
    const uint32_t d = row[col];
    const uint32_t keep = additive ? 255 : 255 - sa;
    uint32_t a = Mul255(sa, sa) + Mul255(Channel(d, 24), keep);
    uint32_t r = Mul255(sr, sa) + Mul255(Channel(d, 16), keep);
    uint32_t g = Mul255(sg, sa) + Mul255(Channel(d, 8), keep);
    uint32_t b = Mul255(sb, sa) + Mul255(Channel(d, 0), keep);
    row[col] = Pack(a > 255 ? 255 : a, r > 255 ? 255 : r, g > 255 ? 255 : g, b > 255 ? 255 : b);
  }
  return true;
}

}  // namespace tavrix::software
