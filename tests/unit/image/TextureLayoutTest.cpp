// Fitting image sizes to devices: requested sizes, clamping, power-of-two
// rounding within the largest size, level counts and formats.
#include <gtest/gtest.h>

#include "image/TextureLayout.h"

namespace tavrix {
namespace {

TextureRequest FromFile() {
  return TextureRequest{
      0, 0, 0, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, D3DX_FILTER_NONE, D3DX_DEFAULT, 0xFFFF0000u};
}

// Named fields, so the real D3DCAPS8 of Windows fits as well as ours.
D3DCAPS8 Caps(DWORD textureCaps, DWORD maxWidth, DWORD maxHeight) {
  D3DCAPS8 caps{};
  caps.TextureCaps = textureCaps;
  caps.MaxTextureWidth = maxWidth;
  caps.MaxTextureHeight = maxHeight;
  return caps;
}

TextureLayout Fit(DWORD textureCaps, DWORD maxWidth, DWORD maxHeight, uint32_t width,
                  uint32_t height, TextureRequest request = FromFile()) {
  const D3DCAPS8 caps = Caps(textureCaps, maxWidth, maxHeight);
  TextureLayout layout{};
  EXPECT_EQ(ChooseTextureLayout(caps, width, height, request, &layout), D3D_OK);
  return layout;
}

TEST(TextureLayout, SizeComesFromTheFileAndTheChainGoesDownToOne) {
  const TextureLayout layout = Fit(D3DPTEXTURECAPS_MIPMAP, 2048, 2048, 100, 30);
  EXPECT_EQ(layout.width, 100u);
  EXPECT_EQ(layout.height, 30u);
  EXPECT_EQ(layout.levels, 7u);  // 100, 50, 25, 12, 6, 3, 1
  EXPECT_EQ(layout.format, D3DFMT_A8R8G8B8);
}

TEST(TextureLayout, PowerOfTwoRoundsUpButNeverPastTheLargest) {
  const TextureLayout up = Fit(D3DPTEXTURECAPS_POW2 | D3DPTEXTURECAPS_MIPMAP, 256, 256, 100, 30);
  EXPECT_EQ(up.width, 128u);
  EXPECT_EQ(up.height, 32u);
  EXPECT_EQ(up.levels, 8u);
  const TextureLayout capped = Fit(D3DPTEXTURECAPS_POW2, 200, 256, 150, 256);
  EXPECT_EQ(capped.width, 128u);  // 256 would pass 200
  EXPECT_EQ(capped.height, 256u);
  EXPECT_EQ(capped.levels, 1u);
}

TEST(TextureLayout, RequestedSizesAndLevelsWin) {
  TextureRequest request = FromFile();
  request.width = 64;
  request.height = D3DX_DEFAULT;
  request.mipLevels = 2;
  const TextureLayout layout = Fit(D3DPTEXTURECAPS_MIPMAP, 0, 0, 100, 30, request);
  EXPECT_EQ(layout.width, 64u);
  EXPECT_EQ(layout.height, 30u);
  EXPECT_EQ(layout.levels, 2u);
  request.mipLevels = 50;
  EXPECT_EQ(Fit(D3DPTEXTURECAPS_MIPMAP, 0, 0, 100, 30, request).levels, 7u);
}

TEST(TextureLayout, UnsupportedFormatsAndHugeTexturesAreRefused) {
  const D3DCAPS8 caps = Caps(D3DPTEXTURECAPS_POW2, 0, 0);
  TextureLayout layout{};
  TextureRequest request = FromFile();
  request.format = D3DFMT_DXT1;
  EXPECT_LT(ChooseTextureLayout(caps, 4, 4, request, &layout), 0);
  request.format = D3DFMT_UNKNOWN;
  EXPECT_EQ(ChooseTextureLayout(caps, 4, 4, request, &layout), D3D_OK);
  EXPECT_EQ(layout.format, D3DFMT_A8R8G8B8);
  // 8193 × 4097 rounds up to 16384 × 8192: 512 MiB.
  EXPECT_LT(ChooseTextureLayout(caps, 8193, 4097, FromFile(), &layout), 0);
}

}  // namespace
}  // namespace tavrix
