// Writing A8R8G8B8 pixels as PNG files, for the tools' renders and the
// sample textures.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tavrix::tools {

struct Image {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint32_t> pixels;  // A8R8G8B8, row by row from the top

  Image() = default;
  Image(int32_t w, int32_t h, uint32_t fill = 0)
      : width(w), height(h), pixels(size_t(w) * h, fill) {}
  uint32_t& At(int32_t x, int32_t y) { return pixels[size_t(y) * width + x]; }
  uint32_t At(int32_t x, int32_t y) const { return pixels[size_t(y) * width + x]; }
};

// False, with a message in error, when the file cannot be written.
bool WritePng(const std::string& path, const Image& image, std::string& error);

// False, with a message in error, when the file cannot be read as PNG.
bool ReadPng(const std::string& path, Image& image, std::string& error);

}  // namespace tavrix::tools
