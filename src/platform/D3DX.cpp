// The library's own D3DX operations: the two matrix builders, and texture
// creation handed to the image decoders.
#include "platform/D3DX.h"

#include "image/TextureFromFile.h"

namespace {

D3DXMATRIX* ZeroMatrix(D3DXMATRIX* out) {
  for (auto& row : out->m) {
    for (float& element : row) element = 0.0f;
  }
  return out;
}

}  // namespace

D3DXMATRIX* D3DXMatrixOrthoLH(D3DXMATRIX* pOut, float w, float h, float zn, float zf) {
  ZeroMatrix(pOut);
  pOut->_11 = 2.0f / w;
  pOut->_22 = 2.0f / h;
  pOut->_33 = 1.0f / (zf - zn);
  pOut->_43 = -zn / (zf - zn);
  pOut->_44 = 1.0f;
  return pOut;
}

D3DXMATRIX* D3DXMatrixTranslation(D3DXMATRIX* pOut, float x, float y, float z) {
  ZeroMatrix(pOut);
  pOut->_11 = pOut->_22 = pOut->_33 = pOut->_44 = 1.0f;
  pOut->_41 = x;
  pOut->_42 = y;
  pOut->_43 = z;
  return pOut;
}

HRESULT D3DXCreateTextureFromFileExA(IDirect3DDevice8* pDevice, const char* pSrcFile, UINT Width,
                                     UINT Height, UINT MipLevels, DWORD Usage, D3DFORMAT Format,
                                     D3DPOOL Pool, DWORD Filter, DWORD MipFilter, D3DCOLOR ColorKey,
                                     D3DXIMAGE_INFO* pSrcInfo, PALETTEENTRY* /*pPalette*/,
                                     IDirect3DTexture8** ppTexture) {
  const tavrix::TextureRequest request{Width, Height, MipLevels, Usage,   Format,
                                       Pool,  Filter, MipFilter, ColorKey};
  return tavrix::CreateTextureFromFile(pDevice, pSrcFile, request, pSrcInfo, ppTexture);
}
