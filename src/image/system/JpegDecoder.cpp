// JPEG through libjpeg. Its fatal errors longjmp back to the setjmp in
// ReadJpeg (which keeps no C++ objects with destructors); its warnings are
// recorded, and a warning about damaged or missing data fails the decode,
// since the library would otherwise fill a truncated image with grey.
#include <csetjmp>
#include <cstdio>

#include <jerror.h>
#include <jpeglib.h>

#include "image/Decoders.h"

namespace tavrix {
namespace {

struct JpegErrors {
  jpeg_error_mgr base;
  std::jmp_buf jump;
  bool damaged;
};

void OnJpegFatal(j_common_ptr cinfo) {
  std::longjmp(reinterpret_cast<JpegErrors*>(cinfo->err)->jump, 1);
}

void OnJpegMessage(j_common_ptr cinfo, int level) {
  // Extraneous bytes between markers are common and harmless.
  if (level < 0 && cinfo->err->msg_code != JWRN_EXTRANEOUS_DATA) {
    reinterpret_cast<JpegErrors*>(cinfo->err)->damaged = true;
  }
}

void OnJpegOutput(j_common_ptr) {}

void StoreRow(const JSAMPLE* rgb, uint32_t width, uint32_t* out) {
  for (uint32_t x = 0; x < width; ++x, rgb += 3) out[x] = PackArgb(0xFF, rgb[0], rgb[1], rgb[2]);
}

HRESULT ReadJpeg(jpeg_decompress_struct* cinfo, JpegErrors* errors, const uint8_t* bytes,
                 size_t size, ImageData* image) {
  if (setjmp(errors->jump)) return D3DXERR_INVALIDDATA;
  jpeg_create_decompress(cinfo);
  // Without backing store, a (progressive) image needing more working memory
  // than this fails instead of allocating it.
  cinfo->mem->max_memory_to_use = static_cast<long>(2 * kMaxImageBytes);
  jpeg_mem_src(cinfo, bytes, static_cast<unsigned long>(size));
  jpeg_read_header(cinfo, TRUE);
  if (!WithinImageLimits(cinfo->image_width, cinfo->image_height)) return D3DXERR_INVALIDDATA;
  cinfo->out_color_space = JCS_RGB;
  jpeg_start_decompress(cinfo);
  const uint32_t width = cinfo->output_width;
  const uint32_t height = cinfo->output_height;
  if (cinfo->output_components != 3 || !WithinImageLimits(width, height)) {
    return D3DXERR_INVALIDDATA;
  }
  if (!image->Allocate(width, height, 1)) return E_OUTOFMEMORY;
  JSAMPARRAY row =
      (*cinfo->mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(cinfo), JPOOL_IMAGE, width * 3, 1);
  uint32_t* out = image->Level(0).pixels;
  while (cinfo->output_scanline < height) {
    const uint32_t y = cinfo->output_scanline;
    if (jpeg_read_scanlines(cinfo, row, 1) != 1) return D3DXERR_INVALIDDATA;
    StoreRow(row[0], width, out + static_cast<size_t>(y) * width);
  }
  jpeg_finish_decompress(cinfo);
  return errors->damaged ? D3DXERR_INVALIDDATA : D3D_OK;
}

}  // namespace

HRESULT DecodeJpeg(const uint8_t* bytes, size_t size, ImageData* image) {
  jpeg_decompress_struct cinfo{};
  JpegErrors errors;
  cinfo.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = OnJpegFatal;
  errors.base.emit_message = OnJpegMessage;
  errors.base.output_message = OnJpegOutput;
  errors.damaged = false;
  const HRESULT result = ReadJpeg(&cinfo, &errors, bytes, size, image);
  jpeg_destroy_decompress(&cinfo);
  if (FAILED(result)) {
    image->Clear();
    return result;
  }
  image->sourceFormat = D3DFMT_R8G8B8;
  image->fileFormat = D3DXIFF_JPG;
  return D3D_OK;
}

}  // namespace tavrix
