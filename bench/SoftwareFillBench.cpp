// Fill rate of the software device: blended, textured, modulated quads as
// the device renderer draws them, counted in pixels per second.
#include <benchmark/benchmark.h>

#include <vector>

#include "software/SoftwareDevice.h"

namespace {

using tavrix::software::DeviceOptions;
using tavrix::software::SoftwareDevice;

struct Vertex {
  float x, y, z;
  uint32_t diffuse;
  float u, v;
};

void PrepareParticleState(SoftwareDevice& device, bool additive) {
  device.SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
  device.SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
  device.SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
  device.SetRenderState(D3DRS_DESTBLEND, additive ? D3DBLEND_ONE : D3DBLEND_INVSRCALPHA);
  device.SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
  device.SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
  device.SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
  device.SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
  device.SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
  device.SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE);
  device.SetVertexShader(D3DFVF_XYZ | D3DFVF_DIFFUSE | D3DFVF_TEX1);
}

IDirect3DTexture8* SoftDisc(SoftwareDevice& device) {
  IDirect3DTexture8* texture = nullptr;
  device.CreateTexture(64, 64, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture);
  D3DLOCKED_RECT locked;
  texture->LockRect(0, &locked, nullptr, 0);
  auto* texels = static_cast<uint32_t*>(locked.pBits);
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) {
      int d = (x - 32) * (x - 32) + (y - 32) * (y - 32);
      uint32_t a = d >= 1024 ? 0 : 255 - d * 255 / 1024;
      texels[y * 64 + x] = (a << 24) | 0xFFFFFFu;
    }
  texture->UnlockRect(0);
  return texture;
}

void BlendedTexturedFill(benchmark::State& state) {
  SoftwareDevice device(DeviceOptions{512, 512});
  PrepareParticleState(device, state.range(0) != 0);
  IDirect3DTexture8* texture = SoftDisc(device);
  device.SetTexture(0, texture);
  const uint32_t colour = 0xC0FF8040u;
  const Vertex strip[4] = {{-0.5f, -0.5f, 0, colour, 0, 1},
                           {0.5f, -0.5f, 0, colour, 1, 1},
                           {-0.5f, 0.5f, 0, colour, 0, 0},
                           {0.5f, 0.5f, 0, colour, 1, 0}};
  for (auto _ : state) device.DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, strip, sizeof(Vertex));
  state.SetItemsProcessed(device.PixelsDrawn());
  state.counters["pixels_per_second"] =
      benchmark::Counter(static_cast<double>(device.PixelsDrawn()), benchmark::Counter::kIsRate);
  device.SetTexture(0, nullptr);
  texture->Release();
}
BENCHMARK(BlendedTexturedFill)->Arg(0)->Arg(1)->ArgName("additive");

}  // namespace
