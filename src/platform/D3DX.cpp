// The library's own D3DX matrix builders. Texture creation from a file is
// the image decoders' work and lives with them (image/TextureFromFile.cpp).
#include "platform/D3DX.h"

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
