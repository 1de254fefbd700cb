// The largest images the decoders accept. Image files are untrusted: their
// declared size is checked against these before any pixel memory is taken.
#pragma once

#include <cstdint>

namespace tavrix {

constexpr uint32_t kMaxImageDimension = 16384;
constexpr uint64_t kMaxImageBytes = 256ull << 20;  // one decoded level, 4 bytes a pixel
constexpr uint64_t kMaxImageFileBytes = 384ull << 20;
constexpr uint32_t kMaxMipLevels = 15;  // 16384 down to 1

// True when a width × height image of 32-bit pixels is within the limits
// (and neither side is zero).
inline bool WithinImageLimits(uint64_t width, uint64_t height) {
  return width >= 1 && height >= 1 && width <= kMaxImageDimension && height <= kMaxImageDimension &&
         width * height * 4 <= kMaxImageBytes;
}

// Levels of a full mip chain from width × height down to 1 × 1.
inline uint32_t FullChainLevels(uint32_t width, uint32_t height) {
  uint32_t largest = width > height ? width : height;
  uint32_t levels = 1;
  while (largest > 1) {
    largest >>= 1;
    ++levels;
  }
  return levels;
}

}  // namespace tavrix
