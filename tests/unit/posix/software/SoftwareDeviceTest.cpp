// The software device as the device renderer uses it: transforms and
// viewport, strips in format 0x142, texture stage 0 and texture references.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/D3DX.h"
#include "software/SoftwareDevice.h"

namespace tavrix::software {
namespace {

struct Vertex {
  float x, y, z;
  uint32_t diffuse;
  float u, v;
};
constexpr DWORD QuadFormat = D3DFVF_XYZ | D3DFVF_DIFFUSE | D3DFVF_TEX1;

// A quad from (left, top) to (right, bottom) in clip space, in the strip
// order the device renderer sends: bottom-left, bottom-right, top-left,
// top-right.
void DrawQuad(SoftwareDevice& device, float left, float top, float right, float bottom,
              uint32_t colour, float u0 = 0, float v0 = 0, float u1 = 1, float v1 = 1) {
  const Vertex strip[4] = {{left, bottom, 0, colour, u0, v1},
                           {right, bottom, 0, colour, u1, v1},
                           {left, top, 0, colour, u0, v0},
                           {right, top, 0, colour, u1, v0}};
  device.SetVertexShader(QuadFormat);
  ASSERT_EQ(device.DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, strip, sizeof(Vertex)), D3D_OK);
}

IDirect3DTexture8* MakeTexture(SoftwareDevice& device, UINT w, UINT h, const uint32_t* texels) {
  IDirect3DTexture8* texture = nullptr;
  EXPECT_EQ(device.CreateTexture(w, h, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture), D3D_OK);
  D3DLOCKED_RECT locked;
  texture->LockRect(0, &locked, nullptr, 0);
  for (UINT y = 0; y < h; ++y)
    std::memcpy(static_cast<uint8_t*>(locked.pBits) + y * locked.Pitch, texels + y * w, w * 4);
  texture->UnlockRect(0);
  return texture;
}

void UntexturedDiffuse(SoftwareDevice& device) {
  device.SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
  device.SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG2);
  device.SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
  device.SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG2);
  device.SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE);
}

TEST(SoftwareDevice, ClearFillsTheViewport) {
  SoftwareDevice device({8, 4});
  device.Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF102030u, 1.0f, 0);
  EXPECT_EQ(device.Pixel(0, 0), 0xFF102030u);
  EXPECT_EQ(device.Pixel(7, 3), 0xFF102030u);
}

TEST(SoftwareDevice, ClipSpaceMapsThroughTheViewportWithYUp) {
  SoftwareDevice device({8, 8});
  UntexturedDiffuse(device);
  // The upper half of clip space is the upper half of the framebuffer.
  DrawQuad(device, -1, 1, 1, 0, 0xFFFF0000u);
  for (UINT y = 0; y < 8; ++y)
    for (UINT x = 0; x < 8; ++x)
      EXPECT_EQ(device.Pixel(x, y), y < 4 ? 0xFFFF0000u : 0u) << x << "," << y;
  EXPECT_EQ(device.PixelsDrawn(), 32);
}

TEST(SoftwareDevice, OrthographicViewWithNegatedHeightPutsViewUnitsOnPixels) {
  // The device renderer's set-up: a 16 x 8 view, y downwards, a quad at view
  // position (2, 1) to (6, 3) relative to the centre.
  SoftwareDevice device({16, 8});
  UntexturedDiffuse(device);
  D3DXMATRIX projection, world;
  D3DXMatrixOrthoLH(&projection, 16, -8, 0, 200);
  D3DXMatrixTranslation(&world, -8, -4, 0);
  device.SetTransform(D3DTS_PROJECTION, &projection);
  device.SetTransform(D3DTS_WORLD, &world);
  DrawQuad(device, 2, 1, 6, 3, 0xFF00FF00u);
  for (UINT y = 0; y < 8; ++y)
    for (UINT x = 0; x < 16; ++x) {
      bool inside = x >= 2 && x < 6 && y >= 1 && y < 3;
      EXPECT_EQ(device.Pixel(x, y), inside ? 0xFF00FF00u : 0u) << x << "," << y;
    }
}

TEST(SoftwareDevice, UvMappingAndModulation) {
  SoftwareDevice device({2, 2});
  device.SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
  const uint32_t texels[4] = {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0xFFFFFFFFu};
  IDirect3DTexture8* texture = MakeTexture(device, 2, 2, texels);
  device.SetTexture(0, texture);
  device.SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
  DrawQuad(device, -1, 1, 1, -1, 0xFFFFFFFFu);
  EXPECT_EQ(device.Pixel(0, 0), texels[0]);
  EXPECT_EQ(device.Pixel(1, 0), texels[1]);
  EXPECT_EQ(device.Pixel(0, 1), texels[2]);
  EXPECT_EQ(device.Pixel(1, 1), texels[3]);
  // Half-intensity diffuse halves the colour; alpha comes from the texture.
  DrawQuad(device, -1, 1, 1, -1, 0x80808080u);
  EXPECT_EQ(device.Pixel(1, 1), 0xFF808080u);
  device.SetTexture(0, nullptr);
  texture->Release();
}

TEST(SoftwareDevice, DefaultCullingDropsCounterClockwiseTriangles) {
  SoftwareDevice device({4, 4});
  device.SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG2);
  device.SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
  const Vertex clockwise[3] = {
      {-1, 1, 0, 0xFFFFFFFFu, 0, 0}, {1, 1, 0, 0xFFFFFFFFu, 0, 0}, {-1, -1, 0, 0xFFFFFFFFu, 0, 0}};
  const Vertex counter[3] = {clockwise[0], clockwise[2], clockwise[1]};
  device.SetVertexShader(QuadFormat);
  device.DrawPrimitiveUP(D3DPT_TRIANGLELIST, 1, counter, sizeof(Vertex));
  EXPECT_EQ(device.PixelsDrawn(), 0);
  device.DrawPrimitiveUP(D3DPT_TRIANGLELIST, 1, clockwise, sizeof(Vertex));
  EXPECT_GT(device.PixelsDrawn(), 0);
}

TEST(SoftwareDevice, TextureReferencesAreCounted) {
  SoftwareDevice device({4, 4});
  const uint32_t texel = 0xFFFFFFFFu;
  IDirect3DTexture8* texture = MakeTexture(device, 1, 1, &texel);
  device.SetTexture(0, texture);
  IDirect3DBaseTexture8* held = nullptr;
  device.GetTexture(0, &held);
  EXPECT_EQ(held, texture);
  EXPECT_EQ(held->Release(), 2u);  // ours and the device's remain
  device.SetTexture(0, nullptr);
  EXPECT_EQ(texture->Release(), 0u);
}

TEST(SoftwareDevice, RefusesWhatItCannotDraw) {
  SoftwareDevice device({4, 4, 64});
  IDirect3DTexture8* texture = nullptr;
  EXPECT_EQ(device.CreateTexture(128, 4, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture),
            D3DERR_INVALIDCALL);
  EXPECT_EQ(device.CreateTexture(4, 4, 1, 0, D3DFMT_DXT1, D3DPOOL_MANAGED, &texture),
            D3DERR_INVALIDCALL);
  EXPECT_EQ(texture, nullptr);
  Vertex v[3] = {};
  device.SetVertexShader(QuadFormat);
  EXPECT_EQ(device.DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 1, v, 8), D3DERR_INVALIDCALL);
  EXPECT_EQ(device.DrawPrimitiveUP(D3DPT_POINTLIST, 1, v, sizeof(Vertex)), D3DERR_INVALIDCALL);
  D3DVIEWPORT8 tooBig = {0, 0, 5, 4, 0, 1};
  EXPECT_EQ(device.SetViewport(&tooBig), D3DERR_INVALIDCALL);
}

}  // namespace
}  // namespace tavrix::software
