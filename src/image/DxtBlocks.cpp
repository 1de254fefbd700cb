// DXT block decoding: two RGB565 end colours with two interpolated between
// them (or one, and transparent black, in DXT1's three-colour mode), and
// explicit 4-bit (DXT3) or interpolated 8-bit (DXT5) alpha.
#include "image/DxtBlocks.h"

#include "image/ByteReader.h"
#include "image/ImageData.h"

namespace tavrix {
namespace {

struct Rgb {
  uint32_t r, g, b;
};

Rgb Expand565(uint32_t c) {
  const uint32_t r = (c >> 11) & 0x1F;
  const uint32_t g = (c >> 5) & 0x3F;
  const uint32_t b = c & 0x1F;
  return Rgb{(r << 3) | (r >> 2), (g << 2) | (g >> 4), (b << 3) | (b >> 2)};
}

Rgb Mix(const Rgb& a, const Rgb& b, uint32_t wa, uint32_t wb) {
  const uint32_t sum = wa + wb;
  return Rgb{(a.r * wa + b.r * wb) / sum, (a.g * wa + b.g * wb) / sum, (a.b * wa + b.b * wb) / sum};
}

// Colour part (8 bytes): palette of four, two bits per pixel. The pixels
// get alpha 0xFF, or 0 for the transparent entry.
void DecodeColours(const uint8_t* block, bool allowThreeColour, uint32_t out[16]) {
  const uint32_t c0 = ReadU16(block);
  const uint32_t c1 = ReadU16(block + 2);
  const Rgb e0 = Expand565(c0);
  const Rgb e1 = Expand565(c1);
  uint32_t palette[4];
  palette[0] = PackArgb(0xFF, e0.r, e0.g, e0.b);
  palette[1] = PackArgb(0xFF, e1.r, e1.g, e1.b);
  if (c0 > c1 || !allowThreeColour) {
    const Rgb p2 = Mix(e0, e1, 2, 1);
    const Rgb p3 = Mix(e0, e1, 1, 2);
    palette[2] = PackArgb(0xFF, p2.r, p2.g, p2.b);
    palette[3] = PackArgb(0xFF, p3.r, p3.g, p3.b);
  } else {
    const Rgb p2 = Mix(e0, e1, 1, 1);
    palette[2] = PackArgb(0xFF, p2.r, p2.g, p2.b);
    palette[3] = 0;
  }
  const uint32_t indices = ReadU32(block + 4);
  for (int i = 0; i < 16; ++i) out[i] = palette[(indices >> (2 * i)) & 3];
}

uint32_t WithAlpha(uint32_t pixel, uint32_t alpha) { return (pixel & 0x00FFFFFFu) | (alpha << 24); }

void ApplyExplicitAlpha(const uint8_t* block, uint32_t out[16]) {
  for (int i = 0; i < 16; ++i) {
    const uint32_t nibble = (block[i / 2] >> (4 * (i % 2))) & 0xF;
    out[i] = WithAlpha(out[i], nibble * 17);
  }
}

void ApplyInterpolatedAlpha(const uint8_t* block, uint32_t out[16]) {
  const uint32_t a0 = block[0];
  const uint32_t a1 = block[1];
  uint32_t alphas[8] = {a0, a1};
  if (a0 > a1) {
    for (uint32_t i = 1; i < 7; ++i) alphas[i + 1] = ((7 - i) * a0 + i * a1) / 7;
  } else {
    for (uint32_t i = 1; i < 5; ++i) alphas[i + 1] = ((5 - i) * a0 + i * a1) / 5;
    alphas[6] = 0;
    alphas[7] = 0xFF;
  }
  uint64_t indices = 0;
  for (int i = 0; i < 6; ++i) indices |= static_cast<uint64_t>(block[2 + i]) << (8 * i);
  for (int i = 0; i < 16; ++i) out[i] = WithAlpha(out[i], alphas[(indices >> (3 * i)) & 7]);
}

}  // namespace

uint32_t DxtBlockBytes(DxtKind kind) { return kind == DxtKind::Dxt1 ? 8 : 16; }

void DecodeDxtBlock(DxtKind kind, const uint8_t* block, uint32_t out[16]) {
  if (kind == DxtKind::Dxt1) {
    DecodeColours(block, true, out);
    return;
  }
  DecodeColours(block + 8, false, out);
  if (kind == DxtKind::Dxt3) {
    ApplyExplicitAlpha(block, out);
  } else {
    ApplyInterpolatedAlpha(block, out);
  }
}

}  // namespace tavrix
