// A Direct3D 8 device that draws into an A8R8G8B8 framebuffer in memory: the
// subset the device renderer uses, with Direct3D's default states, so a host
// without a graphics card can play and look at effects.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "DeviceStateStore.h"
#include "PixelState.h"
#include "tavrix/platform/Direct3D8.h"

namespace tavrix::software {

struct DeviceOptions {
  UINT width = 640;
  UINT height = 480;
  DWORD maxTextureSize = 4096;
  bool powerOfTwoTextures = false;
  bool mipMaps = true;
};

class SoftwareDevice final : public IDirect3DDevice8 {
 public:
  explicit SoftwareDevice(const DeviceOptions& options = {});
  SoftwareDevice(const SoftwareDevice&) = delete;
  SoftwareDevice& operator=(const SoftwareDevice&) = delete;

  // The host owns the device; the count is kept for Direct3D's sake only.
  ULONG AddRef() override { return ++references_; }
  ULONG Release() override { return references_ > 0 ? --references_ : 0; }
  HRESULT GetDeviceCaps(D3DCAPS8* caps) override;
  HRESULT CreateTexture(UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format,
                        D3DPOOL pool, IDirect3DTexture8** texture) override;
  HRESULT Clear(DWORD count, const D3DRECT* rects, DWORD flags, D3DCOLOR colour, float z,
                DWORD stencil) override;
  HRESULT SetTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX* matrix) override {
    return state_.SetTransform(state, matrix);
  }
  HRESULT GetTransform(D3DTRANSFORMSTATETYPE state, D3DMATRIX* matrix) override {
    return state_.GetTransform(state, matrix);
  }
  HRESULT SetViewport(const D3DVIEWPORT8* viewport) override;
  HRESULT GetViewport(D3DVIEWPORT8* viewport) override { return state_.GetViewport(viewport); }
  HRESULT SetRenderState(D3DRENDERSTATETYPE state, DWORD value) override {
    return state_.SetRenderState(state, value);
  }
  HRESULT GetRenderState(D3DRENDERSTATETYPE state, DWORD* value) override {
    return state_.GetRenderState(state, value);
  }
  HRESULT GetTexture(DWORD stage, IDirect3DBaseTexture8** texture) override {
    return state_.GetTexture(stage, texture);
  }
  HRESULT SetTexture(DWORD stage, IDirect3DBaseTexture8* texture) override {
    return state_.SetTexture(stage, texture);
  }
  HRESULT GetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD* value) override {
    return state_.GetTextureStageState(stage, type, value);
  }
  HRESULT SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD value) override {
    return state_.SetTextureStageState(stage, type, value);
  }
  HRESULT DrawPrimitiveUP(D3DPRIMITIVETYPE type, UINT count, const void* vertices,
                          UINT stride) override;
  HRESULT SetVertexShader(DWORD handle) override { return state_.SetVertexShader(handle); }
  HRESULT GetVertexShader(DWORD* handle) override { return state_.GetVertexShader(handle); }

  UINT Width() const { return width_; }
  UINT Height() const { return height_; }
  const uint32_t* Pixels() const { return framebuffer_.data(); }
  uint32_t Pixel(UINT x, UINT y) const { return framebuffer_[size_t(y) * width_ + x]; }
  // Pixels written by DrawPrimitiveUP since construction.
  int64_t PixelsDrawn() const { return pixelsDrawn_; }
  // Accepted DrawPrimitiveUP calls: the device renderer makes one per quad.
  int64_t DrawCalls() const { return drawCalls_; }

 private:
  PixelState CurrentPixelState() const;
  void DrawTriangles(D3DPRIMITIVETYPE type, UINT count, const uint8_t* vertices, UINT stride);

  UINT width_, height_;
  DeviceOptions options_;
  std::vector<uint32_t> framebuffer_;
  DeviceStateStore state_;
  ULONG references_ = 1;
  int64_t pixelsDrawn_ = 0;
  int64_t drawCalls_ = 0;
};

}  // namespace tavrix::software
