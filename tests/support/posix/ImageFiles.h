// Image files written by the tests themselves: PNG and JPEG through libpng
// and libjpeg, BMP, TGA and DDS byte by byte. Pixels are A8R8G8B8 values,
// rows top to bottom.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tavrix::test {

using Pixels = std::vector<uint32_t>;

std::string EncodePng(uint32_t width, uint32_t height, const Pixels& pixels, bool alpha);
// An 8-bit palette image whose palette alpha goes into a tRNS chunk.
std::string EncodePngIndexed(uint32_t width, uint32_t height, const Pixels& palette,
                             const std::vector<uint8_t>& indices);
// A 16-bit grey image.
std::string EncodePngGrey16(uint32_t width, uint32_t height, const std::vector<uint16_t>& grey);
std::string EncodeJpeg(uint32_t width, uint32_t height, const Pixels& pixels, int quality);
// Bottom-up rows, 24 bits (alpha dropped, rows padded to 4 bytes) or 32.
std::string EncodeBmp(uint32_t width, uint32_t height, const Pixels& pixels, int bits);
// 32-bit true colour, top-down, uncompressed or run-length encoded.
std::string EncodeTga(uint32_t width, uint32_t height, const Pixels& pixels, bool runLength);

// DDS with the given levels stored (each half the one above): 32-bit
// A8R8G8B8 or 24-bit R8G8B8 with masks.
std::string EncodeDdsRgb(uint32_t width, uint32_t height, const std::vector<Pixels>& levels,
                         int bits);
// DXT1 DDS: blocks holds every level's 8-byte blocks, level after level.
std::string EncodeDdsDxt1(uint32_t width, uint32_t height, uint32_t levels,
                          const std::string& blocks);
// A compressed DDS of any four-character code ("DXT3", "DXT5", ...).
std::string EncodeDdsCompressed(uint32_t width, uint32_t height, uint32_t levels,
                                const char* fourCc, const std::string& blocks);
// One DXT1 block: two RGB565 colours and sixteen 2-bit indices (pixel 0 in
// the low bits).
std::string Dxt1Block(uint16_t colour0, uint16_t colour1, uint32_t indices);

// Changes the working directory for a scope (textures are found under
// image\ relative to it).
class ScopedWorkingDirectory {
 public:
  explicit ScopedWorkingDirectory(const std::string& path);
  ~ScopedWorkingDirectory();
  ScopedWorkingDirectory(const ScopedWorkingDirectory&) = delete;
  ScopedWorkingDirectory& operator=(const ScopedWorkingDirectory&) = delete;

 private:
  std::string previous_;
};

}  // namespace tavrix::test
