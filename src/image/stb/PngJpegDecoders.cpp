// PNG and JPEG where libpng and libjpeg are not available (the Windows
// build): decoded by a private copy of stb_image restricted to those two
// formats, under the same size limits as the other decoders. stb_image
// bounds-checks every read; a JPEG cut short decodes with its missing blocks
// grey, as Windows' own decoders do.
#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#define STBI_ONLY_PNG
#define STBI_ONLY_JPEG
#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_NO_HDR
#define STBI_MAX_DIMENSIONS 16384
#include <stb/stb_image.h>

#include "image/Decoders.h"

namespace tavrix {
namespace {

HRESULT Decode(const uint8_t* bytes, size_t size, ImageData* image, D3DXIMAGE_FILEFORMAT format) {
  if (size > static_cast<size_t>(INT32_MAX)) return D3DXERR_INVALIDDATA;
  const int length = static_cast<int>(size);
  int width = 0, height = 0, channels = 0;
  if (!stbi_info_from_memory(bytes, length, &width, &height, &channels) ||
      !WithinImageLimits(static_cast<uint32_t>(width), static_cast<uint32_t>(height)))
    return D3DXERR_INVALIDDATA;
  stbi_uc* rgba = stbi_load_from_memory(bytes, length, &width, &height, &channels, 4);
  if (!rgba) return D3DXERR_INVALIDDATA;
  HRESULT result = E_OUTOFMEMORY;
  if (image->Allocate(width, height, 1)) {
    uint32_t* out = image->Level(0).pixels;
    const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
    for (size_t i = 0; i < count; ++i) {
      const stbi_uc* p = rgba + i * 4;
      out[i] = PackArgb(p[3], p[0], p[1], p[2]);
    }
    // One or three channels are opaque; two and four carry alpha.
    image->sourceFormat = channels % 2 == 0 ? D3DFMT_A8R8G8B8 : D3DFMT_R8G8B8;
    image->fileFormat = format;
    result = D3D_OK;
  }
  stbi_image_free(rgba);
  return result;
}

}  // namespace

HRESULT DecodePng(const uint8_t* bytes, size_t size, ImageData* image) {
  return Decode(bytes, size, image, D3DXIFF_PNG);
}

HRESULT DecodeJpeg(const uint8_t* bytes, size_t size, ImageData* image) {
  return Decode(bytes, size, image, D3DXIFF_JPG);
}

}  // namespace tavrix
