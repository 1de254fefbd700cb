// Texture creation from an image file: decode, size the texture for the
// device, key out the colour key and fill the mip chain.
#pragma once

#include "platform/D3DX.h"

namespace tavrix {

struct TextureRequest {
  UINT width;      // 0 or D3DX_DEFAULT: from the file
  UINT height;     // 0 or D3DX_DEFAULT: from the file
  UINT mipLevels;  // 0 or D3DX_DEFAULT: the full chain
  DWORD usage;
  D3DFORMAT format;  // A8R8G8B8, X8R8G8B8 or UNKNOWN (A8R8G8B8)
  D3DPOOL pool;
  DWORD filter;
  DWORD mipFilter;
  D3DCOLOR colourKey;  // 0: no colour key
};

// A negative result on any failure, and *texture untouched; otherwise
// *texture holds one reference to the new texture.
HRESULT CreateTextureFromFile(IDirect3DDevice8* device, const char* path,
                              const TextureRequest& request, D3DXIMAGE_INFO* info,
                              IDirect3DTexture8** texture);

}  // namespace tavrix
