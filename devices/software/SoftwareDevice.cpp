// The software device's state with Direct3D's defaults, its textures and
// clearing.
#include "SoftwareDevice.h"

#include <algorithm>
#include <utility>

#include "SoftwareTexture.h"

namespace tavrix::software {

// Direct3D's defaults where they are not 0.
SoftwareDevice::SoftwareDevice(const DeviceOptions& options)
    : width_(options.width),
      height_(options.height),
      options_(options),
      framebuffer_(size_t(options.width) * options.height, 0) {
  const D3DVIEWPORT8 whole{0, 0, options.width, options.height, 0.0f, 1.0f};
  state_.SetViewport(&whole);
  const std::pair<D3DRENDERSTATETYPE, DWORD> renderStates[] = {{D3DRS_ZENABLE, D3DZB_TRUE},
                                                               {D3DRS_SRCBLEND, D3DBLEND_ONE},
                                                               {D3DRS_DESTBLEND, D3DBLEND_ZERO},
                                                               {D3DRS_CULLMODE, D3DCULL_CCW},
                                                               {D3DRS_LIGHTING, TRUE}};
  for (const auto& [state, value] : renderStates) state_.SetRenderState(state, value);
  const std::pair<D3DTEXTURESTAGESTATETYPE, DWORD> stageStates[] = {
      {D3DTSS_COLOROP, D3DTOP_MODULATE},
      {D3DTSS_COLORARG1, D3DTA_TEXTURE},
      {D3DTSS_COLORARG2, D3DTA_CURRENT},
      {D3DTSS_ALPHAOP, D3DTOP_SELECTARG1},
      {D3DTSS_ALPHAARG1, D3DTA_TEXTURE},
      {D3DTSS_ALPHAARG2, D3DTA_CURRENT},
      {D3DTSS_ADDRESSU, 1},  // wrap
      {D3DTSS_ADDRESSV, 1},
      {D3DTSS_MAGFILTER, filter::Point},
      {D3DTSS_MINFILTER, filter::Point},
      {D3DTSS_MIPFILTER, filter::None}};
  for (const auto& [type, value] : stageStates) state_.SetTextureStageState(0, type, value);
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
  const D3DVIEWPORT8& viewport = state_.Viewport();
  D3DRECT whole = {LONG(viewport.X), LONG(viewport.Y), LONG(viewport.X + viewport.Width),
                   LONG(viewport.Y + viewport.Height)};
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

HRESULT SoftwareDevice::SetViewport(const D3DVIEWPORT8* viewport) {
  if (!viewport || viewport->X + viewport->Width > width_ ||
      viewport->Y + viewport->Height > height_)
    return D3DERR_INVALIDCALL;
  return state_.SetViewport(viewport);
}

}  // namespace tavrix::software
