// The image decoders. Each takes the whole file in memory, checks the size
// it declares against the limits before allocating, and on any damage,
// truncation or unsupported variant returns a negative result with the
// image left empty.
#pragma once

#include <cstddef>
#include <cstdint>

#include "image/ImageData.h"

namespace tavrix {

HRESULT DecodePng(const uint8_t* bytes, size_t size, ImageData* image);
HRESULT DecodeJpeg(const uint8_t* bytes, size_t size, ImageData* image);
HRESULT DecodeBmp(const uint8_t* bytes, size_t size, ImageData* image);
HRESULT DecodeTga(const uint8_t* bytes, size_t size, ImageData* image);
HRESULT DecodeDds(const uint8_t* bytes, size_t size, ImageData* image);

// Chooses the decoder by the file's signature; files without one are
// taken as TGA, the one format that has none.
HRESULT DecodeImage(const uint8_t* bytes, size_t size, ImageData* image);

}  // namespace tavrix
