// PNG and JPEG as the Windows build decodes them (stb_image inside the
// library): right pixels and formats, and damaged or oversized files refused.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#include <stb/stb_image_write.h>

#include "image/Decoders.h"

namespace tavrix {
namespace {

void Append(void* context, void* data, int size) {
  auto* bytes = static_cast<std::vector<uint8_t>*>(context);
  bytes->insert(bytes->end(), static_cast<uint8_t*>(data), static_cast<uint8_t*>(data) + size);
}

// 5 x 3 RGBA: a colour ramp with alpha falling along each row.
std::vector<uint8_t> Rgba() {
  std::vector<uint8_t> rgba;
  for (int i = 0; i < 15; ++i)
    rgba.insert(rgba.end(), {uint8_t(i * 16), uint8_t(255 - i * 8), 40, uint8_t(255 - i % 5 * 50)});
  return rgba;
}

std::vector<uint8_t> Png(int channels) {
  std::vector<uint8_t> bytes;
  stbi_write_png_to_func(Append, &bytes, 5, 3, channels, Rgba().data(), 5 * channels);
  return bytes;
}

TEST(StbDecoders, PngKeepsPixelsAndTellsAlphaFromOpaque) {
  const std::vector<uint8_t> rgba = Rgba();
  const std::vector<uint8_t> file = Png(4);
  ImageData image;
  ASSERT_EQ(DecodeImage(file.data(), file.size(), &image), D3D_OK);
  ASSERT_EQ(image.Width(), 5u);
  ASSERT_EQ(image.Height(), 3u);
  EXPECT_EQ(image.sourceFormat, D3DFMT_A8R8G8B8);
  EXPECT_EQ(image.fileFormat, D3DXIFF_PNG);
  for (int i = 0; i < 15; ++i) {
    const uint8_t* p = &rgba[i * 4];
    EXPECT_EQ(image.Level(0).pixels[i], PackArgb(p[3], p[0], p[1], p[2])) << i;
  }
  const std::vector<uint8_t> opaque = Png(3);
  ImageData rgb;
  ASSERT_EQ(DecodeImage(opaque.data(), opaque.size(), &rgb), D3D_OK);
  EXPECT_EQ(rgb.sourceFormat, D3DFMT_R8G8B8);
  EXPECT_EQ(rgb.Level(0).pixels[0] >> 24, 0xFFu);
}

TEST(StbDecoders, JpegDecodesOpaque) {
  std::vector<uint8_t> file;
  stbi_write_jpg_to_func(Append, &file, 5, 3, 4, Rgba().data(), 95);
  ImageData image;
  ASSERT_EQ(DecodeImage(file.data(), file.size(), &image), D3D_OK);
  EXPECT_EQ(image.Width(), 5u);
  EXPECT_EQ(image.fileFormat, D3DXIFF_JPG);
  EXPECT_EQ(image.sourceFormat, D3DFMT_R8G8B8);
  EXPECT_EQ(image.Level(0).pixels[0] >> 24, 0xFFu);
}

TEST(StbDecoders, EveryTruncatedPngIsRefused) {
  const std::vector<uint8_t> file = Png(4);
  for (size_t size = 8; size + 12 < file.size(); ++size) {  // the last 12 bytes are the end chunk
    ImageData image;
    EXPECT_EQ(DecodePng(file.data(), size, &image), D3DXERR_INVALIDDATA) << size;
    EXPECT_EQ(image.LevelCount(), 0u);
  }
}

TEST(StbDecoders, SizesBeyondTheLimitAreRefusedBeforeDecoding) {
  std::vector<uint8_t> file = Png(4);
  // Width in the header chunk: 20000 pixels.
  file[16] = 0;
  file[17] = 0;
  file[18] = 0x4E;
  file[19] = 0x20;
  ImageData image;
  EXPECT_EQ(DecodePng(file.data(), file.size(), &image), D3DXERR_INVALIDDATA);
  EXPECT_EQ(image.LevelCount(), 0u);
}

}  // namespace
}  // namespace tavrix
