// Drawing on the software device: vertices in their fixed-function format
// go through world, view and projection, the viewport maps them to pixels,
// and the rasteriser fills the triangles with the current pixel state.
#include <cstdio>
#include <cstring>

#include "PixelPipeline.h"
#include "Rasterizer.h"
#include "SoftwareDevice.h"
#include "SoftwareTexture.h"

namespace tavrix::software {
namespace {

struct Vec4 {
  float x, y, z, w;
};

Vec4 Multiply(const Vec4& v, const D3DMATRIX& m) {
  return Vec4{v.x * m._11 + v.y * m._21 + v.z * m._31 + v.w * m._41,
              v.x * m._12 + v.y * m._22 + v.z * m._32 + v.w * m._42,
              v.x * m._13 + v.y * m._23 + v.z * m._33 + v.w * m._43,
              v.x * m._14 + v.y * m._24 + v.z * m._34 + v.w * m._44};
}

D3DMATRIX Multiply(const D3DMATRIX& a, const D3DMATRIX& b) {
  D3DMATRIX out;
  for (int r = 0; r < 4; ++r) {
    Vec4 row = Multiply(Vec4{a.m[r][0], a.m[r][1], a.m[r][2], a.m[r][3]}, b);
    out.m[r][0] = row.x;
    out.m[r][1] = row.y;
    out.m[r][2] = row.z;
    out.m[r][3] = row.w;
  }
  return out;
}

// Where each part of a vertex sits for a fixed-function format code.
struct VertexLayout {
  bool transformed = false;  // XYZRHW: already in pixels
  UINT diffuseOffset = 0;
  bool hasDiffuse = false;
  UINT texOffset = 0;
  bool hasTex = false;
  UINT size = 0;
};

VertexLayout LayoutOf(DWORD fvf) {
  VertexLayout layout;
  layout.transformed = (fvf & D3DFVF_XYZRHW) != 0;
  layout.size = layout.transformed ? 16 : 12;
  if (fvf & D3DFVF_NORMAL) layout.size += 12;
  if (fvf & D3DFVF_DIFFUSE) {
    layout.hasDiffuse = true;
    layout.diffuseOffset = layout.size;
    layout.size += 4;
  }
  if (fvf & D3DFVF_SPECULAR) layout.size += 4;
  UINT sets = (fvf >> 8) & 0xF;
  layout.hasTex = sets > 0;
  layout.texOffset = layout.size;
  layout.size += sets * 8;
  return layout;
}

template <class T>
T Load(const uint8_t* p) {
  T value;
  std::memcpy(&value, p, sizeof value);
  return value;
}

}  // namespace

PixelState SoftwareDevice::CurrentPixelState() const {
  PixelState state;
  state.target = Surface{const_cast<uint32_t*>(framebuffer_.data()), int32_t(width_),
                         int32_t(height_), int32_t(width_)};
  const D3DVIEWPORT8& viewport = state_.Viewport();
  state.clip =
      ClipRect{int32_t(viewport.X), int32_t(viewport.Y), int32_t(viewport.X + viewport.Width),
               int32_t(viewport.Y + viewport.Height)};
  if (auto* texture = dynamic_cast<SoftwareTexture*>(state_.Texture()))
    state.texture = &texture->Image();
  state.stage.colourOp = state_.StageState(D3DTSS_COLOROP);
  state.stage.colourArg1 = state_.StageState(D3DTSS_COLORARG1);
  state.stage.colourArg2 = state_.StageState(D3DTSS_COLORARG2);
  state.stage.alphaOp = state_.StageState(D3DTSS_ALPHAOP);
  state.stage.alphaArg1 = state_.StageState(D3DTSS_ALPHAARG1);
  state.stage.alphaArg2 = state_.StageState(D3DTSS_ALPHAARG2);
  state.stage.magFilter = state_.StageState(D3DTSS_MAGFILTER);
  state.stage.minFilter = state_.StageState(D3DTSS_MINFILTER);
  state.stage.mipFilter = state_.StageState(D3DTSS_MIPFILTER);
  state.blendEnable = state_.RenderState(D3DRS_ALPHABLENDENABLE) != 0;
  state.sourceBlend = SupportedBlend(state_.RenderState(D3DRS_SRCBLEND));
  state.destinationBlend = SupportedBlend(state_.RenderState(D3DRS_DESTBLEND));
  return state;
}

HRESULT SoftwareDevice::DrawPrimitiveUP(D3DPRIMITIVETYPE type, UINT count, const void* vertices,
                                        UINT stride) {
  if (!vertices || (type != D3DPT_TRIANGLESTRIP && type != D3DPT_TRIANGLELIST))
    return D3DERR_INVALIDCALL;
  if (!(state_.VertexShader() & (D3DFVF_XYZ | D3DFVF_XYZRHW)) ||
      stride < LayoutOf(state_.VertexShader()).size)
    return D3DERR_INVALIDCALL;
  ++drawCalls_;
  DrawTriangles(type, count, static_cast<const uint8_t*>(vertices), stride);
  return D3D_OK;
}

void SoftwareDevice::DrawTriangles(D3DPRIMITIVETYPE type, UINT count, const uint8_t* vertices,
                                   UINT stride) {
  const VertexLayout layout = LayoutOf(state_.VertexShader());
  const D3DMATRIX combined =
      Multiply(Multiply(state_.Transform(D3DTS_WORLD), state_.Transform(D3DTS_VIEW)),
               state_.Transform(D3DTS_PROJECTION));
  const D3DVIEWPORT8& viewport = state_.Viewport();
  auto toScreen = [&](UINT index) {
    const uint8_t* p = vertices + size_t(index) * stride;
    Vec4 position{Load<float>(p), Load<float>(p + 4), Load<float>(p + 8), 1.0f};
    ScreenVertex out{position.x, position.y, 0xFFFFFFFFu, 0.0f, 0.0f};
    if (!layout.transformed) {
      Vec4 clip = Multiply(position, combined);
      float w = clip.w != 0.0f ? clip.w : 1.0f;
      out.x = float(viewport.X) + (clip.x / w + 1.0f) * 0.5f * float(viewport.Width);
      out.y = float(viewport.Y) + (1.0f - clip.y / w) * 0.5f * float(viewport.Height);
    }
    if (layout.hasDiffuse) out.diffuse = Load<uint32_t>(p + layout.diffuseOffset);
    if (layout.hasTex) {
      out.u = Load<float>(p + layout.texOffset);
      out.v = Load<float>(p + layout.texOffset + 4);
    }
    return out;
  };
  const PixelState state = CurrentPixelState();
  const DWORD cull = state_.RenderState(D3DRS_CULLMODE);
  for (UINT i = 0; i < count; ++i) {
    UINT a = type == D3DPT_TRIANGLELIST ? 3 * i : i, b = a + 1, c = a + 2;
    if (type == D3DPT_TRIANGLESTRIP && (i & 1))
      std::swap(a, b);  // keep every strip triangle's winding
    ScreenVertex va = toScreen(a), vb = toScreen(b), vc = toScreen(c);
    float area = (vb.x - va.x) * (vc.y - va.y) - (vb.y - va.y) * (vc.x - va.x);
    if ((cull == D3DCULL_CCW && area < 0) || (cull == D3DCULL_CW && area > 0)) continue;
    pixelsDrawn_ += DrawTriangle(state, va, vb, vc);
  }
}

}  // namespace tavrix::software
