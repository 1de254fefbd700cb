// Texture creation from image files the tests write themselves: every
// format's pixels in A8R8G8B8, the colour key, power-of-two rounding and
// clamping, box-filtered and stored mip levels, and truncated or damaged
// files of every format ending in a negative result with nothing leaked.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "platform/D3DX.h"
#include "support/TempDir.h"
#include "support/posix/ImageFiles.h"
#include "support/posix/RecordingDevice.h"

namespace tavrix {
namespace {

using test::Pixels;
using test::RecordingDevice;
using test::RecordingTexture;

constexpr uint32_t kKey = 0xFFFF0000u;

// Rounded per-channel mean of four pixels, as the box filter computes it.
uint32_t Mean(uint32_t a, uint32_t b, uint32_t c, uint32_t d) {
  uint32_t out = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    const uint32_t sum = ((a >> shift) & 0xFF) + ((b >> shift) & 0xFF) + ((c >> shift) & 0xFF) +
                         ((d >> shift) & 0xFF);
    out |= ((sum + 2) / 4) << shift;
  }
  return out;
}

class TextureFromFileTest : public ::testing::Test {
 protected:
  HRESULT Load(const std::string& name, const std::string& bytes, D3DCOLOR key = kKey,
               D3DXIMAGE_INFO* info = nullptr) {
    const std::string path = directory.Write(name, bytes);
    texture = nullptr;
    return D3DXCreateTextureFromFileExA(&device, path.c_str(), 0, 0, 0, 0, D3DFMT_A8R8G8B8,
                                        D3DPOOL_MANAGED, D3DX_FILTER_NONE, D3DX_DEFAULT, key, info,
                                        nullptr, &texture);
  }

  RecordingTexture* Loaded() const { return static_cast<RecordingTexture*>(texture); }

  void ExpectLevel(UINT level, UINT width, UINT height, const Pixels& pixels) {
    ASSERT_EQ(Loaded()->Width(level), width);
    ASSERT_EQ(Loaded()->Height(level), height);
    for (UINT y = 0; y < height; ++y) {
      for (UINT x = 0; x < width; ++x) {
        EXPECT_EQ(Loaded()->Pixel(level, x, y), pixels[y * width + x])
            << "level " << level << " at " << x << "," << y;
      }
    }
  }

  void TearDown() override {
    if (texture) texture->Release();
    EXPECT_EQ(device.liveTextures, 0);
  }

  test::TempDir directory;
  RecordingDevice device;
  IDirect3DTexture8* texture = nullptr;
};

const Pixels kSixPixels = {0x80FF8040u, kKey, 0xFEFF0000u, 0xFF00FF00u, 0x00000000u, 0xFFFF0001u};

TEST_F(TextureFromFileTest, PngWithAlphaKeepsItsSizeAndKeysOutOpaqueRed) {
  D3DXIMAGE_INFO info{};
  ASSERT_EQ(Load("a.png", test::EncodePng(3, 2, kSixPixels, true), kKey, &info), D3D_OK);
  EXPECT_EQ(info.Width, 3u);
  EXPECT_EQ(info.Height, 2u);
  EXPECT_EQ(info.ImageFileFormat, D3DXIFF_PNG);
  EXPECT_EQ(Loaded()->Pool(), D3DPOOL_MANAGED);
  ASSERT_EQ(texture->GetLevelCount(), 2u);
  Pixels keyed = kSixPixels;
  keyed[1] = 0;
  ExpectLevel(0, 3, 2, keyed);
  ExpectLevel(1, 1, 1, {Mean(keyed[0], keyed[1], keyed[3], keyed[4])});
}

TEST_F(TextureFromFileTest, PalettePngTakesAlphaFromItsTransparencyChunk) {
  const Pixels palette = {0x00000000u, 0x80102030u, kKey};
  ASSERT_EQ(Load("p.png", test::EncodePngIndexed(3, 1, palette, {2, 1, 0})), D3D_OK);
  ExpectLevel(0, 3, 1, {0, 0x80102030u, 0});
}

TEST_F(TextureFromFileTest, SixteenBitGreyPngBecomesOpaqueGrey) {
  ASSERT_EQ(Load("g.png", test::EncodePngGrey16(2, 1, {0x0000, 0xABCD})), D3D_OK);
  ExpectLevel(0, 2, 1, {0xFF000000u, 0xFFABABABu});
}

TEST_F(TextureFromFileTest, ColourKeyZeroKeysNothing) {
  ASSERT_EQ(Load("a.png", test::EncodePng(3, 2, kSixPixels, true), 0), D3D_OK);
  EXPECT_EQ(Loaded()->Pixel(0, 1, 0), kKey);
}

// Rounded up to powers of two, the image sits at the top-left corner and the
// rest is transparent black; lower levels filter the padding in too.
TEST_F(TextureFromFileTest, PowerOfTwoDevicesGetTheImagePaddedWithTransparentBlack) {
  device.caps.TextureCaps |= D3DPTEXTURECAPS_POW2;
  ASSERT_EQ(Load("a.png", test::EncodePng(3, 2, kSixPixels, true)), D3D_OK);
  ASSERT_EQ(texture->GetLevelCount(), 3u);
  const Pixels top = {kSixPixels[0], 0, kSixPixels[2], 0, kSixPixels[3], kSixPixels[4],
                      kSixPixels[5], 0};
  ExpectLevel(0, 4, 2, top);
  const Pixels second = {Mean(top[0], top[1], top[4], top[5]),
                         Mean(top[2], top[3], top[6], top[7])};
  ExpectLevel(1, 2, 1, second);
  ExpectLevel(2, 1, 1, {Mean(second[0], second[1], second[0], second[1])});
}

TEST_F(TextureFromFileTest, SquareOnlyDevicesGetSquareTextures) {
  device.caps.TextureCaps |= D3DPTEXTURECAPS_POW2 | D3DPTEXTURECAPS_SQUAREONLY;
  ASSERT_EQ(Load("a.png", test::EncodePng(3, 2, kSixPixels, true)), D3D_OK);
  EXPECT_EQ(Loaded()->Width(0), 4u);
  EXPECT_EQ(Loaded()->Height(0), 4u);
  EXPECT_EQ(Loaded()->Pixel(0, 0, 3), 0u);
}

TEST_F(TextureFromFileTest, ImagesLargerThanTheDeviceAllowsAreCropped) {
  device.caps.MaxTextureWidth = 2;
  device.caps.MaxTextureHeight = 1;
  ASSERT_EQ(Load("a.png", test::EncodePng(3, 2, kSixPixels, true)), D3D_OK);
  ExpectLevel(0, 2, 1, {kSixPixels[0], 0});
}

TEST_F(TextureFromFileTest, DevicesWithoutMipMapsGetOneLevel) {
  device.caps.TextureCaps = 0;
  ASSERT_EQ(Load("a.png", test::EncodePng(3, 2, kSixPixels, true)), D3D_OK);
  EXPECT_EQ(texture->GetLevelCount(), 1u);
}

TEST_F(TextureFromFileTest, BoxFilterAveragesEachTwoByTwoBlock) {
  Pixels pixels(16);
  for (uint32_t i = 0; i < 16; ++i) {
    pixels[i] = 0xFF000000u | (i * 16) << 16 | (255 - i * 16) << 8 | i;
  }
  ASSERT_EQ(Load("a.png", test::EncodePng(4, 4, pixels, false)), D3D_OK);
  ASSERT_EQ(texture->GetLevelCount(), 3u);
  const Pixels second = {Mean(pixels[0], pixels[1], pixels[4], pixels[5]),
                         Mean(pixels[2], pixels[3], pixels[6], pixels[7]),
                         Mean(pixels[8], pixels[9], pixels[12], pixels[13]),
                         Mean(pixels[10], pixels[11], pixels[14], pixels[15])};
  ExpectLevel(1, 2, 2, second);
  // Hand-checked: red channel of level 1 (0,0) is (0 + 16 + 64 + 80) / 4 = 40.
  EXPECT_EQ((second[0] >> 16) & 0xFF, 40u);
  ExpectLevel(2, 1, 1, {Mean(second[0], second[1], second[2], second[3])});
}

TEST_F(TextureFromFileTest, JpegDecodesOpaqueColours) {
  Pixels pixels(16 * 16, 0xFF3080C0u);
  D3DXIMAGE_INFO info{};
  ASSERT_EQ(Load("a.jpg", test::EncodeJpeg(16, 16, pixels, 95), kKey, &info), D3D_OK);
  EXPECT_EQ(info.ImageFileFormat, D3DXIFF_JPG);
  for (UINT y = 0; y < 16; y += 5) {
    const uint32_t p = Loaded()->Pixel(0, y, y);
    EXPECT_EQ(p >> 24, 0xFFu);
    EXPECT_NEAR(static_cast<int>((p >> 16) & 0xFF), 0x30, 3);
    EXPECT_NEAR(static_cast<int>((p >> 8) & 0xFF), 0x80, 3);
    EXPECT_NEAR(static_cast<int>(p & 0xFF), 0xC0, 3);
  }
}

TEST_F(TextureFromFileTest, BmpRowsComeBottomUpWithPadding) {
  Pixels opaque = kSixPixels;
  for (uint32_t& p : opaque) p |= 0xFF000000u;
  ASSERT_EQ(Load("a.bmp", test::EncodeBmp(3, 2, opaque, 24)), D3D_OK);
  Pixels keyed = opaque;
  for (uint32_t& p : keyed) p = p == kKey ? 0 : p;
  ExpectLevel(0, 3, 2, keyed);
}

TEST_F(TextureFromFileTest, TgaUncompressedAndRunLengthKeepAlpha) {
  Pixels pixels = {0x80FF8040u, 0x80FF8040u, 0x80FF8040u, kKey, 0x10203040u, 0x10203040u};
  Pixels keyed = pixels;
  keyed[3] = 0;
  ASSERT_EQ(Load("a.tga", test::EncodeTga(3, 2, pixels, false)), D3D_OK);
  ExpectLevel(0, 3, 2, keyed);
  texture->Release();
  ASSERT_EQ(Load("b.tga", test::EncodeTga(3, 2, pixels, true)), D3D_OK);
  ExpectLevel(0, 3, 2, keyed);
}

// Levels stored in the file are used as they are, not filtered from the
// level above; only the missing ones are.
TEST_F(TextureFromFileTest, DdsStoredLevelsAreKeptAndTheRestFiltered) {
  const Pixels top(16, 0xFF000080u);
  const Pixels second = {0xFF102030u, 0x80405060u, kKey, 0x00000000u};
  D3DXIMAGE_INFO info{};
  ASSERT_EQ(Load("a.dds", test::EncodeDdsRgb(4, 4, {top, second}, 32), kKey, &info), D3D_OK);
  EXPECT_EQ(info.MipLevels, 2u);
  EXPECT_EQ(info.ImageFileFormat, D3DXIFF_DDS);
  ASSERT_EQ(texture->GetLevelCount(), 3u);
  ExpectLevel(0, 4, 4, top);
  const Pixels keyed = {second[0], second[1], 0, 0};
  ExpectLevel(1, 2, 2, keyed);
  ExpectLevel(2, 1, 1, {Mean(keyed[0], keyed[1], keyed[2], keyed[3])});
}

TEST_F(TextureFromFileTest, Dds24BitIsOpaque) {
  const Pixels pixels = {0x00112233u, 0x00445566u, 0x00FF0000u};
  ASSERT_EQ(Load("a.dds", test::EncodeDdsRgb(3, 1, {pixels}, 24)), D3D_OK);
  ExpectLevel(0, 3, 1, {0xFF112233u, 0xFF445566u, 0});
}

// Green and blue end points: a four-colour block, then a three-colour block
// (first colour not above the second) whose index 3 is transparent black.
std::string TwoDxt1Blocks() {
  uint32_t indices = 0;
  for (int i = 0; i < 16; ++i) indices |= static_cast<uint32_t>(i % 4) << (2 * i);
  return test::Dxt1Block(0x07E0, 0x001F, indices) + test::Dxt1Block(0x001F, 0x07E0, indices);
}

TEST_F(TextureFromFileTest, Dxt1WithOddSizesKeepsOnlyPixelsInside) {
  const std::string blocks = TwoDxt1Blocks() + test::Dxt1Block(0x07E0, 0x07E0, 0);
  ASSERT_EQ(Load("a.dds", test::EncodeDdsDxt1(5, 3, 2, blocks)), D3D_OK);
  ASSERT_EQ(texture->GetLevelCount(), 3u);
  const uint32_t fourColour[4] = {0xFF00FF00u, 0xFF0000FFu, 0xFF00AA55u, 0xFF0055AAu};
  const uint32_t threeColour[4] = {0xFF0000FFu, 0xFF00FF00u, 0xFF007F7Fu, 0};
  Pixels top(15);
  for (UINT y = 0; y < 3; ++y) {
    for (UINT x = 0; x < 5; ++x) {
      const uint32_t index = (y * 4 + x % 4) % 4;
      top[y * 5 + x] = x < 4 ? fourColour[index] : threeColour[index];
    }
  }
  ExpectLevel(0, 5, 3, top);
  ExpectLevel(1, 2, 1, {0xFF00FF00u, 0xFF00FF00u});
  ExpectLevel(2, 1, 1, {0xFF00FF00u});
}

TEST_F(TextureFromFileTest, Dxt1OnAPowerOfTwoDeviceIsPadded) {
  device.caps.TextureCaps |= D3DPTEXTURECAPS_POW2;
  ASSERT_EQ(Load("a.dds", test::EncodeDdsDxt1(5, 3, 1, TwoDxt1Blocks())), D3D_OK);
  ASSERT_EQ(Loaded()->Width(0), 8u);
  ASSERT_EQ(Loaded()->Height(0), 4u);
  EXPECT_EQ(Loaded()->Pixel(0, 4, 0), 0xFF0000FFu);
  EXPECT_EQ(Loaded()->Pixel(0, 5, 0), 0u);
  EXPECT_EQ(Loaded()->Pixel(0, 0, 3), 0u);
}

uint32_t IndicesModFour() {
  uint32_t indices = 0;
  for (int i = 0; i < 16; ++i) indices |= static_cast<uint32_t>(i % 4) << (2 * i);
  return indices;
}

// DXT3 and DXT5 colour blocks always use four colours, even when the first
// colour is not above the second.
const uint32_t kBlueGreen[4] = {0x0000FFu, 0x00FF00u, 0x0055AAu, 0x00AA55u};

TEST_F(TextureFromFileTest, Dxt3CarriesExplicitFourBitAlpha) {
  std::string block;
  for (int i = 0; i < 8; ++i) block.push_back(static_cast<char>((2 * i) | ((2 * i + 1) << 4)));
  block += test::Dxt1Block(0x001F, 0x07E0, IndicesModFour());
  ASSERT_EQ(Load("a.dds", test::EncodeDdsCompressed(4, 4, 1, "DXT3", block)), D3D_OK);
  Pixels expected(16);
  for (uint32_t i = 0; i < 16; ++i) expected[i] = (i * 17) << 24 | kBlueGreen[i % 4];
  ExpectLevel(0, 4, 4, expected);
}

std::string Dxt5Alpha(uint8_t a0, uint8_t a1) {
  std::string out{static_cast<char>(a0), static_cast<char>(a1)};
  uint64_t indices = 0;
  for (int i = 0; i < 16; ++i) indices |= static_cast<uint64_t>(i % 8) << (3 * i);
  for (int i = 0; i < 6; ++i) out.push_back(static_cast<char>(indices >> (8 * i)));
  return out;
}

TEST_F(TextureFromFileTest, Dxt5InterpolatesAlphaInBothModes) {
  const std::string colours = test::Dxt1Block(0x001F, 0x07E0, IndicesModFour());
  const std::string blocks = Dxt5Alpha(255, 0) + colours + Dxt5Alpha(0, 100) + colours;
  ASSERT_EQ(Load("a.dds", test::EncodeDdsCompressed(8, 4, 1, "DXT5", blocks)), D3D_OK);
  const uint32_t eight[8] = {255, 0, 218, 182, 145, 109, 72, 36};
  const uint32_t six[8] = {0, 100, 20, 40, 60, 80, 0, 255};
  for (uint32_t y = 0; y < 4; ++y) {
    for (uint32_t x = 0; x < 8; ++x) {
      const uint32_t i = y * 4 + x % 4;
      const uint32_t alpha = x < 4 ? eight[i % 8] : six[i % 8];
      EXPECT_EQ(Loaded()->Pixel(0, x, y), alpha << 24 | kBlueGreen[i % 4]) << x << "," << y;
    }
  }
}

TEST_F(TextureFromFileTest, DeviceFailuresAndUnsupportedRequestsAreNegative) {
  const std::string png = test::EncodePng(3, 2, kSixPixels, true);
  const std::string path = directory.Write("a.png", png);
  device.createResult = D3DERR_OUTOFVIDEOMEMORY;
  EXPECT_EQ(Load("a.png", png), D3DERR_OUTOFVIDEOMEMORY);
  EXPECT_EQ(texture, nullptr);
  device.createResult = D3D_OK;
  EXPECT_LT(D3DXCreateTextureFromFileExA(&device, path.c_str(), 0, 0, 0, 0, D3DFMT_R5G6B5,
                                         D3DPOOL_MANAGED, D3DX_FILTER_NONE, D3DX_DEFAULT, kKey,
                                         nullptr, nullptr, &texture),
            0);
  EXPECT_LT(D3DXCreateTextureFromFileExA(nullptr, path.c_str(), 0, 0, 0, 0, D3DFMT_A8R8G8B8,
                                         D3DPOOL_MANAGED, D3DX_FILTER_NONE, D3DX_DEFAULT, kKey,
                                         nullptr, nullptr, &texture),
            0);
  EXPECT_LT(D3DXCreateTextureFromFileExA(&device, directory.File("none.png").c_str(), 0, 0, 0, 0,
                                         D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, D3DX_FILTER_NONE,
                                         D3DX_DEFAULT, kKey, nullptr, nullptr, &texture),
            0);
  EXPECT_LT(D3DXCreateTextureFromFileExA(&device, directory.Path().c_str(), 0, 0, 0, 0,
                                         D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, D3DX_FILTER_NONE,
                                         D3DX_DEFAULT, kKey, nullptr, nullptr, &texture),
            0);
  EXPECT_EQ(texture, nullptr);
  EXPECT_EQ(device.createdTextures, 0);
}

TEST_F(TextureFromFileTest, EmptyAndUnrecognisedFilesAreNegative) {
  EXPECT_LT(Load("empty.png", ""), 0);
  EXPECT_LT(Load("text.png", "this is not an image at all"), 0);
  EXPECT_EQ(device.createdTextures, 0);
}

std::vector<std::pair<std::string, std::string>> EveryFormat() {
  Pixels pixels(7 * 5);
  for (size_t i = 0; i < pixels.size(); ++i) {
    pixels[i] = 0xFF000000u | static_cast<uint32_t>(i * 0x030507);
  }
  std::string dxt;
  for (int i = 0; i < 2 * 2 + 1 + 1; ++i) dxt += test::Dxt1Block(0x1234, 0x5678, 0x1B1B1B1Bu * i);
  return {{"png", test::EncodePng(7, 5, pixels, true)},
          {"jpg", test::EncodeJpeg(7, 5, pixels, 80)},
          {"bmp", test::EncodeBmp(7, 5, pixels, 24)},
          {"tga", test::EncodeTga(7, 5, pixels, false)},
          {"rle.tga", test::EncodeTga(7, 5, pixels, true)},
          {"dds", test::EncodeDdsRgb(7, 5, {pixels, Pixels(3 * 2, 0xFF00FF00u)}, 32)},
          {"dxt1.dds", test::EncodeDdsDxt1(7, 5, 3, dxt)},
          {"dxt5.dds",
           test::EncodeDdsCompressed(7, 5, 1, "DXT5", dxt.substr(0, 32) + dxt.substr(0, 32))}};
}

TEST_F(TextureFromFileTest, TruncatedFilesOfEveryFormatAreNegative) {
  for (const auto& [format, bytes] : EveryFormat()) {
    ASSERT_EQ(Load("whole." + format, bytes), D3D_OK) << format;
    texture->Release();
    texture = nullptr;
    for (size_t cut : {size_t{1}, size_t{10}, size_t{20}, bytes.size() / 2, bytes.size() - 1}) {
      EXPECT_LT(Load("cut." + format, bytes.substr(0, cut)), 0) << format << " cut at " << cut;
      EXPECT_EQ(texture, nullptr);
    }
  }
  EXPECT_EQ(device.liveTextures, 0);
}

// Damaged bytes anywhere: a texture or a negative result, never a crash,
// and nothing leaked (the sanitizer build watches the rest).
TEST_F(TextureFromFileTest, DamagedFilesNeverCrash) {
  std::mt19937 random(12345);
  for (const auto& [format, bytes] : EveryFormat()) {
    for (int round = 0; round < 150; ++round) {
      std::string damaged = bytes;
      const int flips = 1 + static_cast<int>(random() % 4);
      for (int f = 0; f < flips; ++f) {
        damaged[random() % damaged.size()] = static_cast<char>(random());
      }
      if (SUCCEEDED(Load("damaged." + format, damaged))) {
        texture->Release();
      }
      texture = nullptr;
    }
  }
  EXPECT_EQ(device.liveTextures, 0);
}

std::string DdsHeaderOnly(uint32_t width, uint32_t height) {
  std::string dds = test::EncodeDdsRgb(1, 1, {Pixels(1, 0)}, 32);
  for (int i = 0; i < 4; ++i) {
    dds[12 + i] = static_cast<char>(height >> (8 * i));
    dds[16 + i] = static_cast<char>(width >> (8 * i));
  }
  return dds;
}

std::string BmpHeaderOnly(uint32_t width, uint32_t height) {
  std::string bmp = test::EncodeBmp(1, 1, Pixels(1, 0), 32);
  for (int i = 0; i < 4; ++i) {
    bmp[18 + i] = static_cast<char>(width >> (8 * i));
    bmp[22 + i] = static_cast<char>(height >> (8 * i));
  }
  return bmp;
}

TEST_F(TextureFromFileTest, OversizedImagesAreRefused) {
  EXPECT_LT(Load("wide.dds", DdsHeaderOnly(16385, 1)), 0);
  EXPECT_LT(Load("big.dds", DdsHeaderOnly(16384, 4097)), 0);  // just over 256 MiB
  EXPECT_LT(Load("big.bmp", BmpHeaderOnly(16384, 16384)), 0);
  EXPECT_LT(Load("zero.dds", DdsHeaderOnly(0, 4)), 0);
  // A valid PNG stream of 16385 × 1 pixels.
  EXPECT_LT(Load("wide.png", test::EncodePng(16385, 1, Pixels(16385, 0xFF000000u), false)), 0);
  EXPECT_EQ(device.createdTextures, 0);
}

}  // namespace
}  // namespace tavrix
