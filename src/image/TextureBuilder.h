// Filling a device texture from a decoded image.
#pragma once

#include "image/ImageData.h"

namespace tavrix {

// Writes every level of texture. Level i of the texture takes level i of
// the image where the file stored one, placed unfiltered at the top-left
// corner: a larger level (rounded up to a power of two) is padded with
// transparent black, a smaller one (clamped to the device) is cropped, so
// texture coordinates stay in image pixels as with unfiltered D3DX
// loading. Every further level is a 2 × 2 box filter of the level above.
// Pixels equal to colourKey (when it is not 0) become transparent black.
HRESULT FillTexture(IDirect3DTexture8* texture, const ImageData& image, D3DCOLOR colourKey);

// Replaces every pixel equal to colourKey by transparent black.
void ApplyColourKey(uint32_t* pixels, uint64_t count, D3DCOLOR colourKey);

// destination (width × height) from source (sourceWidth × sourceHeight):
// each pixel the rounded mean of the 2 × 2 source pixels at twice its
// position, clamped at the source's edges.
void BoxFilter(const uint32_t* source, uint32_t sourceWidth, uint32_t sourceHeight,
               uint32_t* destination, uint32_t width, uint32_t height);

}  // namespace tavrix
