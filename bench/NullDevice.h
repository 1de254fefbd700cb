// A Direct3D 8 device that does nothing: every call succeeds and draws
// nothing, so a benchmark through the device renderer measures the
// library's own cost per quad. It counts the draw calls and the triangles.
#pragma once

#include "tavrix/platform/Direct3D8.h"

namespace tavrix::bench {

class NullDevice final : public IDirect3DDevice8 {
 public:
  ULONG AddRef() override { return 1; }
  ULONG Release() override { return 1; }
  HRESULT GetDeviceCaps(D3DCAPS8*) override { return D3D_OK; }
  HRESULT CreateTexture(UINT, UINT, UINT, DWORD, D3DFORMAT, D3DPOOL, IDirect3DTexture8**) override {
    return D3DERR_INVALIDCALL;
  }
  HRESULT Clear(DWORD, const D3DRECT*, DWORD, D3DCOLOR, float, DWORD) override { return D3D_OK; }
  HRESULT SetTransform(D3DTRANSFORMSTATETYPE, const D3DMATRIX*) override { return D3D_OK; }
  HRESULT GetTransform(D3DTRANSFORMSTATETYPE, D3DMATRIX* matrix) override {
    *matrix = D3DMATRIX{};
    return D3D_OK;
  }
  HRESULT SetViewport(const D3DVIEWPORT8*) override { return D3D_OK; }
  HRESULT GetViewport(D3DVIEWPORT8* viewport) override {
    *viewport = D3DVIEWPORT8{0, 0, 640, 480, 0.0f, 1.0f};
    return D3D_OK;
  }
  HRESULT SetRenderState(D3DRENDERSTATETYPE, DWORD) override { return D3D_OK; }
  HRESULT GetRenderState(D3DRENDERSTATETYPE, DWORD* value) override {
    *value = 0;
    return D3D_OK;
  }
  HRESULT GetTexture(DWORD, IDirect3DBaseTexture8** texture) override {
    *texture = nullptr;
    return D3D_OK;
  }
  HRESULT SetTexture(DWORD, IDirect3DBaseTexture8*) override { return D3D_OK; }
  HRESULT GetTextureStageState(DWORD, D3DTEXTURESTAGESTATETYPE, DWORD* value) override {
    *value = 0;
    return D3D_OK;
  }
  HRESULT SetTextureStageState(DWORD, D3DTEXTURESTAGESTATETYPE, DWORD) override { return D3D_OK; }
  HRESULT DrawPrimitiveUP(D3DPRIMITIVETYPE, UINT count, const void*, UINT) override {
    ++draws;
    primitives += count;
    return D3D_OK;
  }
  HRESULT SetVertexShader(DWORD) override { return D3D_OK; }
  HRESULT GetVertexShader(DWORD* handle) override {
    *handle = 0;
    return D3D_OK;
  }

  uint64_t draws = 0;
  uint64_t primitives = 0;
};

}  // namespace tavrix::bench
