// The state a Direct3D 8 device keeps for its Get and Set calls: render and
// stage-0 states, the world, view and projection transforms, the viewport,
// the stage-0 texture with its reference and the vertex shader. The software
// device and the tests' recording device both keep their state here; each
// adds what it does with it.
#pragma once

#include <array>
#include <cstddef>

#include "tavrix/platform/Direct3D8.h"

namespace tavrix::software {

D3DMATRIX IdentityMatrix();

class DeviceStateStore {
 public:
  static constexpr size_t StateCount = 256;
  static constexpr size_t StageStateCount = 32;

  // Every state 0, the transforms identity, the viewport empty.
  DeviceStateStore();
  ~DeviceStateStore();
  DeviceStateStore(const DeviceStateStore&) = delete;
  DeviceStateStore& operator=(const DeviceStateStore&) = delete;

  HRESULT SetTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX* matrix);
  HRESULT GetTransform(D3DTRANSFORMSTATETYPE state, D3DMATRIX* matrix) const;
  HRESULT SetViewport(const D3DVIEWPORT8* viewport);
  HRESULT GetViewport(D3DVIEWPORT8* viewport) const;
  HRESULT SetRenderState(D3DRENDERSTATETYPE state, DWORD value);
  HRESULT GetRenderState(D3DRENDERSTATETYPE state, DWORD* value) const;
  HRESULT SetTexture(DWORD stage, IDirect3DBaseTexture8* texture);
  HRESULT GetTexture(DWORD stage, IDirect3DBaseTexture8** texture) const;
  HRESULT SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD value);
  HRESULT GetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD* value) const;
  HRESULT SetVertexShader(DWORD handle);
  HRESULT GetVertexShader(DWORD* handle) const;

  // The state as held; an unknown state or transform reads as 0 or identity.
  DWORD RenderState(D3DRENDERSTATETYPE state) const;
  DWORD StageState(D3DTEXTURESTAGESTATETYPE type) const;
  D3DMATRIX Transform(D3DTRANSFORMSTATETYPE state) const;
  const D3DVIEWPORT8& Viewport() const { return viewport_; }
  IDirect3DBaseTexture8* Texture() const { return texture_; }
  DWORD VertexShader() const { return vertexShader_; }

 private:
  // The slot of the world, view or projection transform; -1 for others.
  static int TransformSlot(D3DTRANSFORMSTATETYPE state);

  std::array<DWORD, StateCount> renderStates_{};
  std::array<DWORD, StageStateCount> stageStates_{};
  std::array<D3DMATRIX, 3> transforms_;
  D3DVIEWPORT8 viewport_{};
  IDirect3DBaseTexture8* texture_ = nullptr;
  DWORD vertexShader_ = 0;
};

}  // namespace tavrix::software
