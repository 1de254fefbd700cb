// Textures the browser cannot decode (TGA, DDS) decoded in the module by the
// library's own decoders, the ones its device mode uses, so that an effect
// shows them as natively. Only the largest level of a DDS file is kept:
// WebGL makes no use of stored mip levels here.
#pragma once

#include <cstdint>
#include <vector>

namespace tavrix::web {

struct DecodedTexture {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint8_t> rgba;  // rows top to bottom, R, G, B, A bytes a pixel
};

// The image file at path in the module's file system; false, with the
// texture left empty, for a file that cannot be read or that the decoders
// refuse.
bool DecodeTexture(const char* path, DecodedTexture& texture);

}  // namespace tavrix::web
