// The device state store: plain arrays and matrices, range-checked as
// Direct3D checks them, the texture's reference held while it is set.
#include "DeviceStateStore.h"

namespace tavrix::software {

D3DMATRIX IdentityMatrix() {
  D3DMATRIX m = {};
  m._11 = m._22 = m._33 = m._44 = 1.0f;
  return m;
}

DeviceStateStore::DeviceStateStore() { transforms_.fill(IdentityMatrix()); }

DeviceStateStore::~DeviceStateStore() {
  if (texture_) texture_->Release();
}

int DeviceStateStore::TransformSlot(D3DTRANSFORMSTATETYPE state) {
  if (state == D3DTS_VIEW) return 0;
  if (state == D3DTS_PROJECTION) return 1;
  if (state == D3DTS_WORLD) return 2;
  return -1;
}

HRESULT DeviceStateStore::SetTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX* matrix) {
  const int slot = TransformSlot(state);
  if (slot < 0 || !matrix) return D3DERR_INVALIDCALL;
  transforms_[slot] = *matrix;
  return D3D_OK;
}

HRESULT DeviceStateStore::GetTransform(D3DTRANSFORMSTATETYPE state, D3DMATRIX* matrix) const {
  const int slot = TransformSlot(state);
  if (slot < 0 || !matrix) return D3DERR_INVALIDCALL;
  *matrix = transforms_[slot];
  return D3D_OK;
}

HRESULT DeviceStateStore::SetViewport(const D3DVIEWPORT8* viewport) {
  if (!viewport) return D3DERR_INVALIDCALL;
  viewport_ = *viewport;
  return D3D_OK;
}

HRESULT DeviceStateStore::GetViewport(D3DVIEWPORT8* viewport) const {
  if (!viewport) return D3DERR_INVALIDCALL;
  *viewport = viewport_;
  return D3D_OK;
}

HRESULT DeviceStateStore::SetRenderState(D3DRENDERSTATETYPE state, DWORD value) {
  if (DWORD(state) >= StateCount) return D3DERR_INVALIDCALL;
  renderStates_[state] = value;
  return D3D_OK;
}

HRESULT DeviceStateStore::GetRenderState(D3DRENDERSTATETYPE state, DWORD* value) const {
  if (DWORD(state) >= StateCount || !value) return D3DERR_INVALIDCALL;
  *value = renderStates_[state];
  return D3D_OK;
}

HRESULT DeviceStateStore::SetTexture(DWORD stage, IDirect3DBaseTexture8* texture) {
  if (stage != 0) return D3DERR_INVALIDCALL;
  if (texture) texture->AddRef();
  if (texture_) texture_->Release();
  texture_ = texture;
  return D3D_OK;
}

HRESULT DeviceStateStore::GetTexture(DWORD stage, IDirect3DBaseTexture8** texture) const {
  if (stage != 0 || !texture) return D3DERR_INVALIDCALL;
  *texture = texture_;
  if (texture_) texture_->AddRef();
  return D3D_OK;
}

HRESULT DeviceStateStore::SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type,
                                               DWORD value) {
  if (stage != 0 || DWORD(type) >= StageStateCount) return D3DERR_INVALIDCALL;
  stageStates_[type] = value;
  return D3D_OK;
}

HRESULT DeviceStateStore::GetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type,
                                               DWORD* value) const {
  if (stage != 0 || DWORD(type) >= StageStateCount || !value) return D3DERR_INVALIDCALL;
  *value = stageStates_[type];
  return D3D_OK;
}

HRESULT DeviceStateStore::SetVertexShader(DWORD handle) {
  vertexShader_ = handle;
  return D3D_OK;
}

HRESULT DeviceStateStore::GetVertexShader(DWORD* handle) const {
  if (!handle) return D3DERR_INVALIDCALL;
  *handle = vertexShader_;
  return D3D_OK;
}

DWORD DeviceStateStore::RenderState(D3DRENDERSTATETYPE state) const {
  return DWORD(state) < StateCount ? renderStates_[state] : 0;
}

DWORD DeviceStateStore::StageState(D3DTEXTURESTAGESTATETYPE type) const {
  return DWORD(type) < StageStateCount ? stageStates_[type] : 0;
}

D3DMATRIX DeviceStateStore::Transform(D3DTRANSFORMSTATETYPE state) const {
  const int slot = TransformSlot(state);
  return slot < 0 ? IdentityMatrix() : transforms_[slot];
}

}  // namespace tavrix::software
