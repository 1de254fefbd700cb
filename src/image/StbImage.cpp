// The one home of stb_image's implementation, restricted to BMP and TGA
// (PNG and JPEG go through libpng and libjpeg) and to the library's size
// limit. stb_image checks every read against the buffer, but it reads
// zeros past the end of a short file rather than failing, which is why the
// BMP and TGA decoders check the length first.
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_BMP
#define STBI_ONLY_TGA
#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_NO_HDR
#define STBI_MAX_DIMENSIONS 16384
#include <stb/stb_image.h>

#include "image/StbImage.h"

namespace tavrix {

HRESULT DecodeWithStb(const uint8_t* bytes, size_t size, ImageData* image) {
  if (size > static_cast<size_t>(INT32_MAX)) return D3DXERR_INVALIDDATA;
  const int length = static_cast<int>(size);
  int width = 0;
  int height = 0;
  int channels = 0;
  if (!stbi_info_from_memory(bytes, length, &width, &height, &channels)) {
    return D3DXERR_INVALIDDATA;
  }
  if (width <= 0 || height <= 0 || !WithinImageLimits(width, height)) return D3DXERR_INVALIDDATA;
  stbi_uc* rgba = stbi_load_from_memory(bytes, length, &width, &height, &channels, 4);
  if (!rgba) return D3DXERR_INVALIDDATA;
  HRESULT result = E_OUTOFMEMORY;
  if (width > 0 && height > 0 && image->Allocate(width, height, 1)) {
    uint32_t* out = image->Level(0).pixels;
    const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
    for (size_t i = 0; i < count; ++i) {
      const stbi_uc* p = rgba + i * 4;
      out[i] = PackArgb(p[3], p[0], p[1], p[2]);
    }
    image->sourceFormat = channels == 4 ? D3DFMT_A8R8G8B8 : D3DFMT_R8G8B8;
    result = D3D_OK;
  }
  stbi_image_free(rgba);
  return result;
}

}  // namespace tavrix
