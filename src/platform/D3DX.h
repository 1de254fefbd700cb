// The D3DX operations the library uses: two matrix builders for the device
// renderer and texture creation from an image file for device textures.
// D3DX is no system library, so on every platform they are declared here
// with their Windows names and signatures and implemented by the library
// (texture creation in image/).
#pragma once

#include <cstdint>

#include "platform/Win32.h"
#include "tavrix/platform/Direct3D8.h"

#define D3DX_DEFAULT (static_cast<UINT>(-1))
#define D3DX_FILTER_NONE (1u << 0)
#define D3DX_FILTER_POINT (2u << 0)
#define D3DX_FILTER_LINEAR (3u << 0)
#define D3DX_FILTER_TRIANGLE (4u << 0)
#define D3DX_FILTER_BOX (5u << 0)

#define D3DXERR_INVALIDDATA ((HRESULT)0x88760B59u)

struct D3DXMATRIX : public D3DMATRIX {};

enum D3DXIMAGE_FILEFORMAT {
  D3DXIFF_BMP = 0,
  D3DXIFF_JPG = 1,
  D3DXIFF_TGA = 2,
  D3DXIFF_PNG = 3,
  D3DXIFF_DDS = 4,
  D3DXIFF_FORCE_DWORD = 0x7fffffff
};

struct D3DXIMAGE_INFO {
  UINT Width;
  UINT Height;
  UINT Depth;
  UINT MipLevels;
  D3DFORMAT Format;
  D3DRESOURCETYPE ResourceType;
  D3DXIMAGE_FILEFORMAT ImageFileFormat;
};

// Row-major: m11 = 2/w, m22 = 2/h, m33 = 1/(zf - zn), m43 = -zn/(zf - zn),
// m44 = 1, every other element 0.
D3DXMATRIX* D3DXMatrixOrthoLH(D3DXMATRIX* pOut, float w, float h, float zn, float zf);
// The identity with m41 = x, m42 = y, m43 = z.
D3DXMATRIX* D3DXMatrixTranslation(D3DXMATRIX* pOut, float x, float y, float z);

// Decodes the image file (PNG, JPEG, BMP, TGA or DDS) and creates a texture
// on the device; a negative result means no texture was written. pPalette is
// never filled (every texture made here is 32-bit).
HRESULT D3DXCreateTextureFromFileExA(IDirect3DDevice8* pDevice, const char* pSrcFile, UINT Width,
                                     UINT Height, UINT MipLevels, DWORD Usage, D3DFORMAT Format,
                                     D3DPOOL Pool, DWORD Filter, DWORD MipFilter, D3DCOLOR ColorKey,
                                     D3DXIMAGE_INFO* pSrcInfo, PALETTEENTRY* pPalette,
                                     IDirect3DTexture8** ppTexture);
