// PNG through libpng. libpng reports errors by longjmp to the setjmp in
// ReadPng; that function and the callbacks keep no C++ objects with
// destructors, and everything allocated lives outside their frames, so the
// jump skips nothing and DecodePng cleans up on either path.
#include <png.h>

#include <csetjmp>
#include <cstdlib>
#include <cstring>

#include "image/Decoders.h"

namespace tavrix {
namespace {

struct PngSource {
  const uint8_t* bytes;
  size_t size;
  size_t offset;
};

struct PngState {
  PngSource source;
  ImageData* image;
  png_bytep* rows;  // freed by DecodePng
};

void OnPngError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void OnPngWarning(png_structp, png_const_charp) {}

void ReadFromMemory(png_structp png, png_bytep out, png_size_t length) {
  auto* source = static_cast<PngSource*>(png_get_io_ptr(png));
  if (length > source->size - source->offset) png_error(png, "truncated");
  std::memcpy(out, source->bytes + source->offset, length);
  source->offset += length;
}

// Whatever the file holds (palette, grey, 16-bit, with or without alpha),
// libpng delivers 8-bit RGBA.
void RequestRgba(png_structp png, png_infop info) {
  const png_byte colourType = png_get_color_type(png, info);
  png_set_expand(png);
  png_set_strip_16(png);
  if (colourType == PNG_COLOR_TYPE_GRAY || colourType == PNG_COLOR_TYPE_GRAY_ALPHA) {
    png_set_gray_to_rgb(png);
  }
  png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
}

D3DFORMAT SourceFormat(png_structp png, png_infop info) {
  const bool alpha = (png_get_color_type(png, info) & PNG_COLOR_MASK_ALPHA) != 0 ||
                     png_get_valid(png, info, PNG_INFO_tRNS) != 0;
  return alpha ? D3DFMT_A8R8G8B8 : D3DFMT_R8G8B8;
}

// Turns the RGBA bytes libpng wrote into packed pixels, in place.
void PackRgbaInPlace(ImageLevel& level) {
  auto* bytes = reinterpret_cast<uint8_t*>(level.pixels);
  const uint64_t count = static_cast<uint64_t>(level.width) * level.height;
  for (uint64_t i = 0; i < count; ++i) {
    const uint8_t* p = bytes + i * 4;
    level.pixels[i] = PackArgb(p[3], p[0], p[1], p[2]);
  }
}

HRESULT ReadPng(png_structp png, png_infop info, PngState* state) {
  if (setjmp(png_jmpbuf(png))) return D3DXERR_INVALIDDATA;
  png_set_read_fn(png, &state->source, ReadFromMemory);
  png_set_user_limits(png, kMaxImageDimension, kMaxImageDimension);
  png_read_info(png, info);
  const png_uint_32 width = png_get_image_width(png, info);
  const png_uint_32 height = png_get_image_height(png, info);
  if (!WithinImageLimits(width, height)) return D3DXERR_INVALIDDATA;
  RequestRgba(png, info);
  if (png_get_rowbytes(png, info) != static_cast<png_size_t>(width) * 4) {
    return D3DXERR_INVALIDDATA;
  }
  if (!state->image->Allocate(width, height, 1)) return E_OUTOFMEMORY;
  state->rows = static_cast<png_bytep*>(std::malloc(sizeof(png_bytep) * height));
  if (!state->rows) return E_OUTOFMEMORY;
  auto* base = reinterpret_cast<png_bytep>(state->image->Level(0).pixels);
  for (png_uint_32 y = 0; y < height; ++y) {
    state->rows[y] = base + static_cast<size_t>(y) * width * 4;
  }
  png_read_image(png, state->rows);
  png_read_end(png, nullptr);
  state->image->sourceFormat = SourceFormat(png, info);
  return D3D_OK;
}

}  // namespace

HRESULT DecodePng(const uint8_t* bytes, size_t size, ImageData* image) {
  png_structp png =
      png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnPngError, OnPngWarning);
  if (!png) return E_OUTOFMEMORY;
  png_infop info = png_create_info_struct(png);
  if (!info) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    return E_OUTOFMEMORY;
  }
  PngState state{{bytes, size, 0}, image, nullptr};
  HRESULT result = ReadPng(png, info, &state);
  std::free(state.rows);
  png_destroy_read_struct(&png, &info, nullptr);
  if (FAILED(result)) {
    image->Clear();
    return result;
  }
  PackRgbaInPlace(image->Level(0));
  image->fileFormat = D3DXIFF_PNG;
  return D3D_OK;
}

}  // namespace tavrix
