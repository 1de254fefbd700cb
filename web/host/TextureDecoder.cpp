// The library's decoders' A8R8G8B8 pixels turned into the bytes WebGL takes.
#include "TextureDecoder.h"

#include "image/Decoders.h"
#include "image/FileBytes.h"

namespace tavrix::web {

bool DecodeTexture(const char* path, DecodedTexture& texture) {
  texture = {};
  FileBytes file;
  ImageData image;
  if (!file.Read(path) || FAILED(DecodeImage(file.Data(), file.Size(), &image))) return false;
  const ImageLevel& top = image.Level(0);
  texture.width = int32_t(top.width);
  texture.height = int32_t(top.height);
  texture.rgba.reserve(size_t(top.width) * top.height * 4);
  for (size_t i = 0; i < size_t(top.width) * top.height; ++i) {
    const uint32_t argb = top.pixels[i];
    texture.rgba.insert(texture.rgba.end(), {uint8_t(argb >> 16), uint8_t(argb >> 8), uint8_t(argb),
                                             uint8_t(argb >> 24)});
  }
  return true;
}

}  // namespace tavrix::web
