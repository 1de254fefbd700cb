// Coverage and pixel arithmetic of the software rasteriser.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "software/PixelMath.h"
#include "software/PixelPipeline.h"
#include "software/Rasterizer.h"

namespace tavrix::software {
namespace {

struct Canvas {
  Canvas(int32_t w, int32_t h, uint32_t fill = 0) : pixels(w * h, fill) {
    state.target = Surface{pixels.data(), w, h, w};
    state.clip = ClipRect{0, 0, w, h};
    state.stage.colourOp = op::SelectArg2;
    state.stage.colourArg2 = arg::Diffuse;
    state.stage.alphaOp = op::SelectArg2;
    state.stage.alphaArg2 = arg::Diffuse;
  }
  uint32_t At(int32_t x, int32_t y) const { return pixels[y * state.target.pitch + x]; }
  std::vector<uint32_t> pixels;
  PixelState state;
};

ScreenVertex V(float x, float y, uint32_t colour = 0x01010101u, float u = 0, float v = 0) {
  return ScreenVertex{x, y, colour, u, v};
}

// Additive one-plus-one blending of 1 per pixel counts how often each pixel
// is written.
void DrawCounting(Canvas& canvas, const ScreenVertex& a, const ScreenVertex& b,
                  const ScreenVertex& c) {
  canvas.state.blendEnable = true;
  canvas.state.sourceBlend = blend::One;
  canvas.state.destinationBlend = blend::One;
  DrawTriangle(canvas.state, a, b, c);
}

TEST(Rasterizer, PixelAlignedSquareCoversExactlyItsPixels) {
  Canvas canvas(8, 8);
  DrawCounting(canvas, V(2, 2), V(6, 2), V(2, 6));
  DrawCounting(canvas, V(6, 2), V(6, 6), V(2, 6));
  for (int32_t y = 0; y < 8; ++y)
    for (int32_t x = 0; x < 8; ++x) {
      bool inside = x >= 2 && x < 6 && y >= 2 && y < 6;
      EXPECT_EQ(canvas.At(x, y), inside ? 0x01010101u : 0u) << x << "," << y;
    }
}

TEST(Rasterizer, SharedEdgesNeitherOverlapNorLeaveGaps) {
  // A fan of slivers around an off-grid centre, and a strip of quads whose
  // edges fall exactly on pixel centres.
  Canvas canvas(32, 32);
  const float cx = 15.3f, cy = 16.7f;
  const ScreenVertex ring[] = {V(1.1f, 1.2f), V(30.9f, 0.6f), V(31.4f, 30.2f), V(0.7f, 31.5f)};
  for (int i = 0; i < 4; ++i) DrawCounting(canvas, V(cx, cy), ring[i], ring[(i + 1) % 4]);
  for (int32_t y = 0; y < 32; ++y)
    for (int32_t x = 0; x < 32; ++x) EXPECT_LE(canvas.At(x, y), 0x01010101u) << x << "," << y;
  EXPECT_EQ(canvas.At(15, 16), 0x01010101u);
  EXPECT_EQ(canvas.At(3, 28), 0x01010101u);

  Canvas strip(16, 4);
  for (int i = 0; i < 4; ++i) {
    float x0 = 0.5f + 3.5f * i, x1 = x0 + 3.5f;
    DrawCounting(strip, V(x0, 0.5f), V(x1, 0.5f), V(x0, 3.5f));
    DrawCounting(strip, V(x1, 0.5f), V(x1, 3.5f), V(x0, 3.5f));
  }
  // Centres on a left edge belong to the quad, centres on the last right edge do not.
  for (int32_t x = 0; x < 16; ++x) EXPECT_EQ(strip.At(x, 1), x < 14 ? 0x01010101u : 0u) << x;
  EXPECT_EQ(strip.At(5, 0), 0x01010101u);
  EXPECT_EQ(strip.At(5, 3), 0u);
}

TEST(Rasterizer, DegenerateAndFarAwayTrianglesDrawNothing) {
  Canvas canvas(4, 4);
  EXPECT_EQ(DrawTriangle(canvas.state, V(0, 0), V(2, 2), V(4, 4)), 0);
  EXPECT_EQ(DrawTriangle(canvas.state, V(0, 0), V(1e30f, 0), V(0, 3)), 0);
  EXPECT_EQ(DrawTriangle(canvas.state, V(0, 0), V(NAN, 0), V(0, 3)), 0);
  EXPECT_EQ(DrawTriangle(canvas.state, V(-100, -100), V(-90, -100), V(-100, -90)), 0);
}

TEST(PixelPipeline, BlendEquations) {
  // Source alpha 0x80 over a white destination.
  uint32_t source = 0x80FF0000u, destination = 0xFFFFFFFFu;
  EXPECT_EQ(
      BlendPixel(source, destination, blend::SrcAlpha, blend::InvSrcAlpha),
      Pack(Mul255(0x80, 0x80) + Mul255(0xFF, 0x7F), 0xFF, Mul255(0xFF, 0x7F), Mul255(0xFF, 0x7F)));
  EXPECT_EQ(BlendPixel(0x80404040u, 0xFFF0F0F0u, blend::SrcAlpha, blend::One), 0xFFFFFFFFu);
  EXPECT_EQ(BlendPixel(0x80404040u, 0x00000000u, blend::SrcAlpha, blend::One), 0x40202020u);
  EXPECT_EQ(Mul255(255, 255), 255u);
  EXPECT_EQ(Mul255(128, 255), 128u);
  EXPECT_EQ(Mul255(1, 127), 0u);
  EXPECT_EQ(Mul255(1, 128), 1u);
}

TEST(PixelPipeline, ModulateCombinesTextureAndDiffuse) {
  StageState stage;
  stage.colourOp = op::Modulate;
  stage.colourArg1 = arg::Texture;
  stage.colourArg2 = arg::Diffuse;
  stage.alphaOp = op::Modulate;
  stage.alphaArg1 = arg::Texture;
  stage.alphaArg2 = arg::Diffuse;
  EXPECT_EQ(CombineStage(stage, 0xFF808080u, 0x80FF0000u), 0x80800000u);
  stage.alphaOp = op::SelectArg1;
  EXPECT_EQ(CombineStage(stage, 0x40FFFFFFu, 0x80FF00FFu), 0x40FF00FFu);
}

TEST(PixelPipeline, SamplingWrapsAndFiltersBetweenTexels) {
  const uint32_t texels[4] = {0xFF000000u, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFF000000u};
  TextureLevel level{texels, 2, 2};
  EXPECT_EQ(Sample(level, filter::Point, 0.25f, 0.25f), 0xFF000000u);
  EXPECT_EQ(Sample(level, filter::Point, 0.75f, 0.25f), 0xFFFFFFFFu);
  EXPECT_EQ(Sample(level, filter::Point, 1.25f, -0.75f), 0xFF000000u);
  EXPECT_EQ(Sample(level, filter::Linear, 0.5f, 0.25f), 0xFF808080u);
  // Coordinates that are not numbers or out of range still sample a texel.
  EXPECT_EQ(Sample(level, filter::Point, NAN, 1e30f), texels[0]);
  EXPECT_EQ(Sample(level, filter::Linear, -INFINITY, NAN), texels[0]);
}

TEST(PixelPipeline, MinificationPicksASmallerLevelOnlyWithAMipFilter) {
  const uint32_t big[16] = {}, small[4] = {}, tiny[1] = {};
  TextureLevel levels[3] = {{big, 4, 4}, {small, 2, 2}, {tiny, 1, 1}};
  TextureImage image{levels, 3};
  StageState stage;
  EXPECT_EQ(ChooseSampling(image, stage, 4.0f).level, &levels[0]);
  stage.mipFilter = filter::Point;
  EXPECT_EQ(ChooseSampling(image, stage, 0.5f).level, &levels[0]);
  EXPECT_EQ(ChooseSampling(image, stage, 2.0f).level, &levels[1]);
  EXPECT_EQ(ChooseSampling(image, stage, 64.0f).level, &levels[2]);
}

}  // namespace
}  // namespace tavrix::software

namespace tavrix::software {
namespace {

// Random rotated, scaled, textured triangles over a random background, drawn
// once with the fast span loops and once through the general pipeline.
TEST(Rasterizer, ParticleSpanMatchesTheGeneralPipeline) {
  uint32_t seed = 12345;
  auto next = [&seed] {
    seed = seed * 1664525u + 1013904223u;
    return seed;
  };
  auto unit = [&] { return static_cast<float>(next() >> 8) / 16777216.0f; };
  std::vector<uint32_t> texels(16 * 8);
  for (uint32_t& t : texels) t = next() & (next() & 1 ? 0xFFFFFFFFu : 0x00FFFFFFu);
  TextureLevel level{texels.data(), 16, 8};
  TextureImage image{&level, 1};
  for (int additive = 0; additive < 2; ++additive) {
    Canvas fast(48, 48), reference(48, 48);
    for (size_t i = 0; i < fast.pixels.size(); ++i) fast.pixels[i] = reference.pixels[i] = next();
    for (Canvas* canvas : {&fast, &reference}) {
      PixelState& s = canvas->state;
      s.texture = &image;
      s.stage = StageState{op::Modulate, arg::Texture, arg::Diffuse,
                           op::Modulate, arg::Texture, arg::Diffuse};
      s.blendEnable = true;
      s.sourceBlend = blend::SrcAlpha;
      s.destinationBlend = additive ? blend::One : blend::InvSrcAlpha;
      s.allowFastPaths = canvas == &fast;
    }
    for (int t = 0; t < 40; ++t) {
      uint32_t colour = next();
      ScreenVertex v[3];
      for (ScreenVertex& vertex : v)
        vertex =
            ScreenVertex{unit() * 60 - 6, unit() * 60 - 6, colour, unit() * 3 - 1, unit() * 3 - 1};
      DrawTriangle(fast.state, v[0], v[1], v[2]);
      DrawTriangle(reference.state, v[0], v[1], v[2]);
    }
    EXPECT_EQ(fast.pixels, reference.pixels) << (additive ? "additive" : "alpha blend");
  }
}

}  // namespace
}  // namespace tavrix::software
