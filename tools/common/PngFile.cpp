#include "common/PngFile.h"

#include <png.h>

#include "common/AtomicFile.h"

namespace tavrix::tools {
namespace {

std::vector<uint8_t> ToRgba(const Image& image) {
  std::vector<uint8_t> rgba(image.pixels.size() * 4);
  for (size_t i = 0; i < image.pixels.size(); ++i) {
    uint32_t p = image.pixels[i];
    rgba[i * 4 + 0] = static_cast<uint8_t>(p >> 16);
    rgba[i * 4 + 1] = static_cast<uint8_t>(p >> 8);
    rgba[i * 4 + 2] = static_cast<uint8_t>(p);
    rgba[i * 4 + 3] = static_cast<uint8_t>(p >> 24);
  }
  return rgba;
}

}  // namespace

bool ReadPng(const std::string& path, Image& image, std::string& error) {
  png_image png = {};
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&png, path.c_str())) {
    error = path + ": cannot read PNG: " + png.message;
    return false;
  }
  png.format = PNG_FORMAT_BGRA;  // little-endian A8R8G8B8 words
  image = Image(int32_t(png.width), int32_t(png.height));
  if (!png_image_finish_read(&png, nullptr, image.pixels.data(), 0, nullptr)) {
    error = path + ": cannot read PNG: " + png.message;
    png_image_free(&png);
    return false;
  }
  return true;
}

bool WritePng(const std::string& path, const Image& image, std::string& error) {
  png_image png = {};
  png.version = PNG_IMAGE_VERSION;
  png.width = static_cast<png_uint_32>(image.width);
  png.height = static_cast<png_uint_32>(image.height);
  png.format = PNG_FORMAT_RGBA;
  std::vector<uint8_t> rgba = ToRgba(image);
  AtomicFile file;
  if (!file.Open(path, error)) return false;
  if (!png_image_write_to_stdio(&png, file.Stream(), 0, rgba.data(), 0, nullptr)) {
    error = path + ": cannot write PNG: " + png.message;
    return false;
  }
  return file.Commit(error);
}

}  // namespace tavrix::tools
