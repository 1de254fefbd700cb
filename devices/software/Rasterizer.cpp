#include "Rasterizer.h"

#include <algorithm>
#include <cmath>

#include "ParticleSpan.h"
#include "PixelMath.h"
#include "PixelPipeline.h"
#include "Plane.h"

namespace tavrix::software {
namespace {

constexpr int64_t SubpixelScale = 256;   // 8 bits below the pixel
constexpr float GuardBand = 4194304.0f;  // 2^22 pixels: products stay inside int64

struct FixedPoint {
  int64_t x, y;
};

// One edge from a to b of a triangle whose inside lies where every edge
// function is positive. Top and left edges own the pixels centred on them.
struct Edge {
  int64_t dx, dy, ax, ay, bias;

  Edge(FixedPoint a, FixedPoint b)
      : dx(b.x - a.x),
        dy(b.y - a.y),
        ax(a.x),
        ay(a.y),
        bias((dy < 0 || (dy == 0 && dx > 0)) ? 0 : 1) {}

  // Narrows [lo, hi] to the pixel columns of row py (fixed-point centre)
  // inside this edge.
  void ClipRow(int64_t py, int64_t& lo, int64_t& hi) const {
    // E(px) = dx (py - ay) - dy (px - ax) >= bias, with px = 256 x + 128.
    int64_t k = dx * (py - ay) + dy * ax - dy * 128 - bias;
    if (dy == 0) {
      if (k < 0) hi = lo - 1;
    } else if (dy > 0) {
      hi = std::min(hi, FloorDiv(k, SubpixelScale * dy));
    } else {
      lo = std::max(lo, -FloorDiv(k, SubpixelScale * -dy));
    }
  }

  static int64_t FloorDiv(int64_t a, int64_t b) {  // b > 0
    int64_t q = a / b;
    return (a % b != 0 && a < 0) ? q - 1 : q;
  }
};

struct Setup {
  float x[3], y[3];
  float det;
  Plane Make(float a0, float a1, float a2) const {
    float d1 = a1 - a0, d2 = a2 - a0;
    float px = (d1 * (y[2] - y[0]) - d2 * (y[1] - y[0])) / det;
    float py = (d2 * (x[1] - x[0]) - d1 * (x[2] - x[0])) / det;
    return Plane{a0 - px * x[0] - py * y[0], px, py};
  }
};

bool ToFixed(const ScreenVertex& v, FixedPoint& out) {
  if (!(std::fabs(v.x) < GuardBand) || !(std::fabs(v.y) < GuardBand)) return false;
  out.x = std::llround(static_cast<double>(v.x) * SubpixelScale);
  out.y = std::llround(static_cast<double>(v.y) * SubpixelScale);
  return true;
}

float ChannelOf(uint32_t argb, int shift) { return static_cast<float>(Channel(argb, shift)); }

uint32_t ToChannel(float f) {
  if (!(f > 0.0f)) return 0;
  return f >= 255.0f ? 255u : static_cast<uint32_t>(f + 0.5f);
}

struct Shader {
  const PixelState& state;
  SamplingChoice sampling;
  Plane u, v;
  Plane colour[4];  // a, r, g, b
  bool flatColour;
  uint32_t flat;
  bool particleSpan = false;

  uint32_t DiffuseAt(float x, float y) const {
    if (flatColour) return flat;
    return Pack(ToChannel(colour[0].At(x, y)), ToChannel(colour[1].At(x, y)),
                ToChannel(colour[2].At(x, y)), ToChannel(colour[3].At(x, y)));
  }

  void Row(int64_t row, int64_t lo, int64_t hi) const {
    uint32_t* out = state.target.pixels + row * state.target.pitch;
    float cy = static_cast<float>(row) + 0.5f;
    if (particleSpan &&
        ParticleSpan{sampling.level, u, v, flat, state.stage.alphaOp == op::Modulate,
                     state.destinationBlend == blend::One}
            .Draw(out, lo, hi, cy))
      return;
    for (int64_t col = lo; col <= hi; ++col) {
      float cx = static_cast<float>(col) + 0.5f;
      uint32_t texel = sampling.level
                           ? Sample(*sampling.level, sampling.filter, u.At(cx, cy), v.At(cx, cy))
                           : 0xFFFFFFFFu;
      uint32_t colour = CombineStage(state.stage, texel, DiffuseAt(cx, cy));
      out[col] = state.blendEnable
                     ? BlendPixel(colour, out[col], state.sourceBlend, state.destinationBlend)
                     : colour;
    }
  }
};

float TexelsPerPixel(const Plane& u, const Plane& v, const TextureImage* texture) {
  if (!texture) return 0.0f;
  float w = static_cast<float>(texture->levels[0].width);
  float h = static_cast<float>(texture->levels[0].height);
  float alongX = std::hypot(u.perX * w, v.perX * h);
  float alongY = std::hypot(u.perY * w, v.perY * h);
  return std::max(alongX, alongY);
}

}  // namespace

int64_t DrawTriangle(const PixelState& state, const ScreenVertex& a, const ScreenVertex& b,
                     const ScreenVertex& c) {
  FixedPoint p[3];
  const ScreenVertex* v[3] = {&a, &b, &c};
  for (int i = 0; i < 3; ++i)
    if (!ToFixed(*v[i], p[i])) return 0;
  int64_t area = (p[1].x - p[0].x) * (p[2].y - p[0].y) - (p[1].y - p[0].y) * (p[2].x - p[0].x);
  if (area == 0) return 0;
  if (area < 0) {
    std::swap(p[1], p[2]);
    std::swap(v[1], v[2]);
  }
  Edge edges[3] = {Edge(p[0], p[1]), Edge(p[1], p[2]), Edge(p[2], p[0])};

  Setup setup;
  for (int i = 0; i < 3; ++i) {
    setup.x[i] = static_cast<float>(p[i].x) / SubpixelScale;
    setup.y[i] = static_cast<float>(p[i].y) / SubpixelScale;
  }
  // From the exact area, so a thin triangle that covers pixels never divides by 0.
  setup.det = static_cast<float>(static_cast<double>(area < 0 ? -area : area) /
                                 (SubpixelScale * SubpixelScale));

  Shader shader{state,
                {},
                setup.Make(v[0]->u, v[1]->u, v[2]->u),
                setup.Make(v[0]->v, v[1]->v, v[2]->v),
                {},
                false,
                v[0]->diffuse};
  shader.flatColour = v[0]->diffuse == v[1]->diffuse && v[0]->diffuse == v[2]->diffuse;
  for (int k = 0; k < 4 && !shader.flatColour; ++k) {
    int shift = 24 - 8 * k;
    shader.colour[k] = setup.Make(ChannelOf(v[0]->diffuse, shift), ChannelOf(v[1]->diffuse, shift),
                                  ChannelOf(v[2]->diffuse, shift));
  }
  if (state.texture && state.texture->levelCount > 0)
    shader.sampling = ChooseSampling(*state.texture, state.stage,
                                     TexelsPerPixel(shader.u, shader.v, state.texture));
  shader.particleSpan =
      state.allowFastPaths && ParticleSpan::Applies(state, shader.sampling, shader.flatColour);

  int64_t top =
      std::max<int64_t>(state.clip.top, std::min({p[0].y, p[1].y, p[2].y}) / SubpixelScale - 1);
  int64_t bottom = std::min<int64_t>(state.clip.bottom - 1,
                                     std::max({p[0].y, p[1].y, p[2].y}) / SubpixelScale + 1);
  int64_t written = 0;
  for (int64_t row = top; row <= bottom; ++row) {
    int64_t lo = state.clip.left, hi = state.clip.right - 1;
    int64_t centre = row * SubpixelScale + SubpixelScale / 2;
    for (const Edge& edge : edges) edge.ClipRow(centre, lo, hi);
    if (lo > hi) continue;
    shader.Row(row, lo, hi);
    written += hi - lo + 1;
  }
  return written;
}

}  // namespace tavrix::software
