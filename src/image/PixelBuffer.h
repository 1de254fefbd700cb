// An owned array of 32-bit A8R8G8B8 pixels from the standard heap, like the
// decoders' own working memory; refusal is reported, never thrown.
#pragma once

#include <cstdint>
#include <cstdlib>

namespace tavrix {

class PixelBuffer {
 public:
  PixelBuffer() = default;
  ~PixelBuffer() { std::free(pixels_); }
  PixelBuffer(const PixelBuffer&) = delete;
  PixelBuffer& operator=(const PixelBuffer&) = delete;

  // Replaces the contents with count zeroed pixels; false when refused.
  bool Allocate(uint64_t count) {
    Free();
    if (count == 0 || count > SIZE_MAX / sizeof(uint32_t)) return false;
    pixels_ = static_cast<uint32_t*>(std::calloc(static_cast<size_t>(count), sizeof(uint32_t)));
    if (!pixels_) return false;
    count_ = count;
    return true;
  }

  void Free() {
    std::free(pixels_);
    pixels_ = nullptr;
    count_ = 0;
  }

  void Swap(PixelBuffer& other) {
    uint32_t* pixels = pixels_;
    const uint64_t count = count_;
    pixels_ = other.pixels_;
    count_ = other.count_;
    other.pixels_ = pixels;
    other.count_ = count;
  }

  uint32_t* Data() { return pixels_; }
  const uint32_t* Data() const { return pixels_; }
  uint64_t Count() const { return count_; }

 private:
  uint32_t* pixels_ = nullptr;
  uint64_t count_ = 0;
};

}  // namespace tavrix
