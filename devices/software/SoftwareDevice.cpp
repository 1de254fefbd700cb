// The software device's state: render and stage states with Direct3D's
// defaults, transforms, viewport, the stage-0 texture, textures and clear.
#include "SoftwareDevice.h"

#include <algorithm>

#include "SoftwareTexture.h"

namespace tavrix::software {
namespace {

D3DMATRIX Identity() {
  D3DMATRIX m = {};
  m._11 = m._22 = m._33 = m._44 = 1.0f;
  return m;
}

}  // namespace

SoftwareDevice::SoftwareDevice(const DeviceOptions& options)
    : width_(options.width),
      height_(options.height),
      options_(options),
      framebuffer_(size_t(options.width) * options.height, 0),
      world_(Identity()),
      view_(Identity()),
      projection_(Identity()),
      viewport_{0, 0, options.width, options.height, 0.0f, 1.0f} {
  renderStates_[D3DRS_ZENABLE] = D3DZB_TRUE;
  renderStates_[D3DRS_SRCBLEND] = D3DBLEND_ONE;
  renderStates_[D3DRS_DESTBLEND] = D3DBLEND_ZERO;
  renderStates_[D3DRS_CULLMODE] = D3DCULL_CCW;
  renderStates_[D3DRS_LIGHTING] = TRUE;
  stageStates_[D3DTSS_COLOROP] = D3DTOP_MODULATE;
  stageStates_[D3DTSS_COLORARG1] = D3DTA_TEXTURE;
  stageStates_[D3DTSS_COLORARG2] = D3DTA_CURRENT;
  stageStates_[D3DTSS_ALPHAOP] = D3DTOP_SELECTARG1;
  stageStates_[D3DTSS_ALPHAARG1] = D3DTA_TEXTURE;
  stageStates_[D3DTSS_ALPHAARG2] = D3DTA_CURRENT;
  stageStates_[D3DTSS_ADDRESSU] = 1;  // wrap
  stageStates_[D3DTSS_ADDRESSV] = 1;
  stageStates_[D3DTSS_MAGFILTER] = filter::Point;
  stageStates_[D3DTSS_MINFILTER] = filter::Point;
  stageStates_[D3DTSS_MIPFILTER] = filter::None;
}

SoftwareDevice::~SoftwareDevice() {
  if (texture_) texture_->Release();
}

HRESULT SoftwareDevice::GetDeviceCaps(D3DCAPS8* caps) {
  if (!caps) return D3DERR_INVALIDCALL;
  caps->TextureCaps = (options_.powerOfTwoTextures ? D3DPTEXTURECAPS_POW2 : 0u) |
                      (options_.mipMaps ? D3DPTEXTURECAPS_MIPMAP : 0u);
  caps->MaxTextureWidth = caps->MaxTextureHeight = options_.maxTextureSize;
  caps->MaxTextureAspectRatio = 0;
  return D3D_OK;
}

HRESULT SoftwareDevice::CreateTexture(UINT width, UINT height, UINT levels, DWORD, D3DFORMAT format,
                                      D3DPOOL, IDirect3DTexture8** texture) {
  if (!texture) return D3DERR_INVALIDCALL;
  *texture = nullptr;
  if (format != D3DFMT_A8R8G8B8 || width == 0 || height == 0 || width > options_.maxTextureSize ||
      height > options_.maxTextureSize)
    return D3DERR_INVALIDCALL;
  *texture = new SoftwareTexture(width, height, options_.mipMaps ? levels : 1);
  return D3D_OK;
}

HRESULT SoftwareDevice::Clear(DWORD count, const D3DRECT* rects, DWORD flags, D3DCOLOR colour,
                              float, DWORD) {
  if (!(flags & D3DCLEAR_TARGET)) return D3D_OK;
  D3DRECT whole = {LONG(viewport_.X), LONG(viewport_.Y), LONG(viewport_.X + viewport_.Width),
                   LONG(viewport_.Y + viewport_.Height)};
  if (count == 0 || !rects) {
    count = 1;
    rects = &whole;
  }
  for (DWORD i = 0; i < count; ++i) {
    LONG left = std::max<LONG>(rects[i].x1, 0), top = std::max<LONG>(rects[i].y1, 0);
    LONG right = std::min<LONG>(rects[i].x2, LONG(width_));
    LONG bottom = std::min<LONG>(rects[i].y2, LONG(height_));
    for (LONG y = top; y < bottom; ++y)
      std::fill(framebuffer_.begin() + y * width_ + left, framebuffer_.begin() + y * width_ + right,
                colour);
  }
  return D3D_OK;
}

D3DMATRIX* SoftwareDevice::Transform(D3DTRANSFORMSTATETYPE state) {
  if (state == D3DTS_VIEW) return &view_;
  if (state == D3DTS_PROJECTION) return &projection_;
  if (state == D3DTS_WORLD) return &world_;
  return nullptr;
}

HRESULT SoftwareDevice::SetTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX* matrix) {
  D3DMATRIX* target = Transform(state);
  if (!target || !matrix) return D3DERR_INVALIDCALL;
  *target = *matrix;
  return D3D_OK;
}

HRESULT SoftwareDevice::GetTransform(D3DTRANSFORMSTATETYPE state, D3DMATRIX* matrix) {
  D3DMATRIX* source = Transform(state);
  if (!source || !matrix) return D3DERR_INVALIDCALL;
  *matrix = *source;
  return D3D_OK;
}

HRESULT SoftwareDevice::SetViewport(const D3DVIEWPORT8* viewport) {
  if (!viewport || viewport->X + viewport->Width > width_ ||
      viewport->Y + viewport->Height > height_)
    return D3DERR_INVALIDCALL;
  viewport_ = *viewport;
  return D3D_OK;
}

HRESULT SoftwareDevice::GetViewport(D3DVIEWPORT8* viewport) {
  if (!viewport) return D3DERR_INVALIDCALL;
  *viewport = viewport_;
  return D3D_OK;
}

HRESULT SoftwareDevice::SetRenderState(D3DRENDERSTATETYPE state, DWORD value) {
  if (DWORD(state) >= StateCount) return D3DERR_INVALIDCALL;
  renderStates_[state] = value;
  return D3D_OK;
}

HRESULT SoftwareDevice::GetRenderState(D3DRENDERSTATETYPE state, DWORD* value) {
  if (DWORD(state) >= StateCount || !value) return D3DERR_INVALIDCALL;
  *value = renderStates_[state];
  return D3D_OK;
}

HRESULT SoftwareDevice::GetTexture(DWORD stage, IDirect3DBaseTexture8** texture) {
  if (stage != 0 || !texture) return D3DERR_INVALIDCALL;
  *texture = texture_;
  if (texture_) texture_->AddRef();
  return D3D_OK;
}

HRESULT SoftwareDevice::SetTexture(DWORD stage, IDirect3DBaseTexture8* texture) {
  if (stage != 0) return D3DERR_INVALIDCALL;
  if (texture) texture->AddRef();
  if (texture_) texture_->Release();
  texture_ = texture;
  return D3D_OK;
}

HRESULT SoftwareDevice::GetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type,
                                             DWORD* value) {
  if (stage != 0 || DWORD(type) >= StageStateCount || !value) return D3DERR_INVALIDCALL;
  *value = stageStates_[type];
  return D3D_OK;
}

HRESULT SoftwareDevice::SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type,
                                             DWORD value) {
  if (stage != 0 || DWORD(type) >= StageStateCount) return D3DERR_INVALIDCALL;
  stageStates_[type] = value;
  return D3D_OK;
}

HRESULT SoftwareDevice::SetVertexShader(DWORD handle) {
  vertexShader_ = handle;
  return D3D_OK;
}

HRESULT SoftwareDevice::GetVertexShader(DWORD* handle) {
  if (!handle) return D3DERR_INVALIDCALL;
  *handle = vertexShader_;
  return D3D_OK;
}

}  // namespace tavrix::software
