// BMP and TGA pixels through stb_image, after the format's own checks.
#pragma once

#include <cstddef>
#include <cstdint>

#include "image/ImageData.h"

namespace tavrix {

// Decodes bytes that the caller has checked hold the whole image; refuses
// sizes beyond the limits before stb_image allocates.
HRESULT DecodeWithStb(const uint8_t* bytes, size_t size, ImageData* image);

}  // namespace tavrix
