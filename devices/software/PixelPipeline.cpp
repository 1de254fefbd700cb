#include "PixelPipeline.h"

#include <cmath>
#include <cstdio>

#include "PixelMath.h"

namespace tavrix::software {
namespace {

int32_t Wrap(int32_t i, int32_t size) {
  int32_t m = i % size;
  return m < 0 ? m + size : m;
}

uint32_t Texel(const TextureLevel& level, int32_t x, int32_t y) {
  return level.texels[Wrap(y, level.height) * level.width + Wrap(x, level.width)];
}

// Clamps a float to the int32 range before converting, so huge or NaN
// coordinates stay defined.
int32_t FloorToInt(float f) {
  if (!(f > -2.0e9f)) return -2000000000;
  if (f > 2.0e9f) return 2000000000;
  return static_cast<int32_t>(std::floor(f));
}

uint32_t Lerp(uint32_t a, uint32_t b, uint32_t weight) {  // weight 0..256
  return (a * (256 - weight) + b * weight + 128) >> 8;
}

uint32_t LerpColour(uint32_t a, uint32_t b, uint32_t weight) {
  return Pack(
      Lerp(Channel(a, 24), Channel(b, 24), weight), Lerp(Channel(a, 16), Channel(b, 16), weight),
      Lerp(Channel(a, 8), Channel(b, 8), weight), Lerp(Channel(a, 0), Channel(b, 0), weight));
}

uint32_t Argument(uint32_t which, uint32_t texel, uint32_t diffuse) {
  return (which & 0xF) == arg::Texture ? texel : diffuse;
}

uint32_t Operate(uint32_t operation, uint32_t a, uint32_t b, uint32_t current) {
  switch (operation) {
    case op::SelectArg1: return a;
    case op::SelectArg2: return b;
    case op::Modulate: return Modulate(a, b);
    default: return current;
  }
}

uint32_t Factor(uint32_t factor, uint32_t channel, uint32_t source, uint32_t destination) {
  uint32_t sa = Channel(source, 24), da = Channel(destination, 24);
  switch (factor) {
    case blend::Zero: return 0;
    case blend::One: return 255;
    case blend::SrcColor: return Channel(source, channel);
    case blend::InvSrcColor: return 255 - Channel(source, channel);
    case blend::SrcAlpha: return sa;
    case blend::InvSrcAlpha: return 255 - sa;
    case blend::DestAlpha: return da;
    case blend::InvDestAlpha: return 255 - da;
    case blend::DestColor: return Channel(destination, channel);
    case blend::InvDestColor: return 255 - Channel(destination, channel);
    case blend::SrcAlphaSat: return channel == 24 ? 255 : (sa < 255 - da ? sa : 255 - da);
    default: return 255;
  }
}

}  // namespace

SamplingChoice ChooseSampling(const TextureImage& texture, const StageState& stage,
                              float texelsPerPixel) {
  SamplingChoice choice;
  choice.level = &texture.levels[0];
  if (!(texelsPerPixel > 1.0f)) {
    choice.filter = stage.magFilter == filter::Linear ? filter::Linear : filter::Point;
    return choice;
  }
  choice.filter = stage.minFilter == filter::Linear ? filter::Linear : filter::Point;
  if (stage.mipFilter == filter::None || texture.levelCount <= 1) return choice;
  // Nearest level; a linear mip filter is drawn as the nearest level too.
  float lod = std::log2(texelsPerPixel);
  int32_t index = lod > 64.0f ? 64 : static_cast<int32_t>(lod + 0.5f);
  choice.level = &texture.levels[index < texture.levelCount ? index : texture.levelCount - 1];
  return choice;
}

uint32_t Sample(const TextureLevel& level, uint32_t filterKind, float u, float v) {
  float x = u * static_cast<float>(level.width), y = v * static_cast<float>(level.height);
  if (filterKind != filter::Linear) return Texel(level, FloorToInt(x), FloorToInt(y));
  x -= 0.5f;
  y -= 0.5f;
  int32_t x0 = FloorToInt(x), y0 = FloorToInt(y);
  uint32_t wx = static_cast<uint32_t>((x - std::floor(x)) * 256.0f + 0.5f);
  uint32_t wy = static_cast<uint32_t>((y - std::floor(y)) * 256.0f + 0.5f);
  if (!(wx <= 256)) wx = 0;
  if (!(wy <= 256)) wy = 0;
  uint32_t top = LerpColour(Texel(level, x0, y0), Texel(level, x0 + 1, y0), wx);
  uint32_t bottom = LerpColour(Texel(level, x0, y0 + 1), Texel(level, x0 + 1, y0 + 1), wx);
  return LerpColour(top, bottom, wy);
}

uint32_t CombineStage(const StageState& stage, uint32_t texel, uint32_t diffuse) {
  if (stage.colourOp == op::Disable) return diffuse;
  uint32_t colour = Operate(stage.colourOp, Argument(stage.colourArg1, texel, diffuse),
                            Argument(stage.colourArg2, texel, diffuse), diffuse);
  uint32_t alpha = Operate(stage.alphaOp, Argument(stage.alphaArg1, texel, diffuse),
                           Argument(stage.alphaArg2, texel, diffuse), diffuse);
  return (alpha & 0xFF000000u) | (colour & 0x00FFFFFFu);
}

uint32_t BlendPixel(uint32_t source, uint32_t destination, uint32_t sourceFactor,
                    uint32_t destinationFactor) {
  uint32_t out = 0;
  for (int shift = 0; shift <= 24; shift += 8) {
    uint32_t value =
        Mul255(Channel(source, shift), Factor(sourceFactor, shift, source, destination)) +
        Mul255(Channel(destination, shift), Factor(destinationFactor, shift, source, destination));
    out |= (value > 255 ? 255 : value) << shift;
  }
  return out;
}

uint32_t SupportedBlend(uint32_t factor) {
  if (factor >= blend::Zero && factor <= blend::SrcAlphaSat) return factor;
  static bool reported = false;
  if (!reported) {
    std::fprintf(stderr, "software device: blend factor %u is drawn as source alpha\n", factor);
    reported = true;
  }
  return blend::SrcAlpha;
}

}  // namespace tavrix::software
