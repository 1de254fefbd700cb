// The size, level count and format of the texture made for an image on a
// given device.
#pragma once

#include <cstdint>

#include "image/TextureFromFile.h"

namespace tavrix {

struct TextureLayout {
  UINT width;
  UINT height;
  UINT levels;
  D3DFORMAT format;
};

// Size from the request, or from the image where the request says 0 or
// D3DX_DEFAULT; clamped to the device's largest texture, rounded up to a
// power of two (and made square) where the device needs it, but never past
// its largest; the full chain down to 1 × 1 unless fewer levels are asked
// for, one level without mip map support. Formats other than A8R8G8B8 and
// X8R8G8B8 (UNKNOWN means A8R8G8B8) are refused.
HRESULT ChooseTextureLayout(const D3DCAPS8& caps, uint32_t imageWidth, uint32_t imageHeight,
                            const TextureRequest& request, TextureLayout* layout);

}  // namespace tavrix
