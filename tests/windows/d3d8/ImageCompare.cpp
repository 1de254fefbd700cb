#include "d3d8/ImageCompare.h"

#include <cstdlib>

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#include <stb/stb_image.h>
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

namespace tavrix::windows_test {

bool ReadPng(const std::string& path, Pixels& image) {
  int channels = 0;
  stbi_uc* rgba = stbi_load(path.c_str(), &image.width, &image.height, &channels, 4);
  if (!rgba) return false;
  image.data.resize(static_cast<size_t>(image.width) * image.height);
  for (size_t i = 0; i < image.data.size(); ++i) {
    const stbi_uc* p = rgba + i * 4;
    image.data[i] = uint32_t(p[3]) << 24 | uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2];
  }
  stbi_image_free(rgba);
  return true;
}

bool WritePng(const std::string& path, const Pixels& image) {
  std::vector<uint8_t> rgba(image.data.size() * 4);
  for (size_t i = 0; i < image.data.size(); ++i) {
    const uint32_t p = image.data[i];
    rgba[i * 4 + 0] = uint8_t(p >> 16);
    rgba[i * 4 + 1] = uint8_t(p >> 8);
    rgba[i * 4 + 2] = uint8_t(p);
    rgba[i * 4 + 3] = uint8_t(p >> 24);
  }
  return stbi_write_png(path.c_str(), image.width, image.height, 4, rgba.data(), image.width * 4) !=
         0;
}

Difference Compare(const Pixels& expected, const Pixels& actual, int threshold) {
  Difference result;
  if (expected.data.size() != actual.data.size() || expected.data.empty()) {
    result.meanPerChannel = result.differingShare = 1e9;
    return result;
  }
  long long total = 0, differing = 0;
  for (size_t i = 0; i < expected.data.size(); ++i) {
    int worst = 0;
    for (int shift = 0; shift < 24; shift += 8) {
      const int d =
          std::abs(int(expected.data[i] >> shift & 0xFF) - int(actual.data[i] >> shift & 0xFF));
      total += d;
      if (d > worst) worst = d;
    }
    if (worst > threshold) ++differing;
    if (worst > result.largest) result.largest = worst;
  }
  result.meanPerChannel = double(total) / (3.0 * double(expected.data.size()));
  result.differingShare = double(differing) / double(expected.data.size());
  return result;
}

}  // namespace tavrix::windows_test
