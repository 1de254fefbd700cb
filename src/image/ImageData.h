// A decoded image: its top level and any further mip levels stored in the
// file, all as 32-bit A8R8G8B8 pixels (alpha in the top byte), rows top to
// bottom.
#pragma once

#include <cstdint>

#include "image/ImageLimits.h"
#include "image/PixelBuffer.h"
#include "platform/D3DX.h"

namespace tavrix {

struct ImageLevel {
  uint32_t width;
  uint32_t height;
  uint32_t* pixels;
};

inline uint32_t PackArgb(uint32_t a, uint32_t r, uint32_t g, uint32_t b) {
  return (a << 24) | (r << 16) | (g << 8) | b;
}

class ImageData {
 public:
  // Makes room for levelCount levels from width × height down, each half
  // the one above (at least 1); false when the size is beyond the limits,
  // levelCount is 0 or longer than the full chain, or memory is refused.
  bool Allocate(uint32_t width, uint32_t height, uint32_t levelCount);

  // Back to no levels, memory given back.
  void Clear() {
    pixels_.Free();
    levelCount_ = 0;
  }

  uint32_t LevelCount() const { return levelCount_; }
  const ImageLevel& Level(uint32_t index) const { return levels_[index]; }
  ImageLevel& Level(uint32_t index) { return levels_[index]; }
  uint32_t Width() const { return levels_[0].width; }
  uint32_t Height() const { return levels_[0].height; }

  D3DFORMAT sourceFormat = D3DFMT_A8R8G8B8;
  D3DXIMAGE_FILEFORMAT fileFormat = D3DXIFF_BMP;

 private:
  PixelBuffer pixels_;
  ImageLevel levels_[kMaxMipLevels] = {};
  uint32_t levelCount_ = 0;
};

}  // namespace tavrix
