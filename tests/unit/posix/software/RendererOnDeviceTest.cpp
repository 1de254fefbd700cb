// The device renderer drawing through the software device: a particle's
// quad lands where its position says, in the colour and blend it asks for.
#include <gtest/gtest.h>

#include "render/DeviceRenderer.h"
#include "resources/FrameSet.h"
#include "software/SoftwareDevice.h"

namespace tavrix {
namespace {

// A 10 x 10 quad centred on the particle's own origin, corners in the
// emitter's order: top-left, top-right, bottom-right, bottom-left.
const QuadPoint Square[4] = {{-5, -5}, {5, -5}, {5, 5}, {-5, 5}};
const UvRect WholeTexture = {0, 0, 1, 1};

struct Scene {
  software::SoftwareDevice device{software::DeviceOptions{100, 80}};
  HWND__ window{0, 0, 100, 80};
  DeviceRenderer renderer{&device, &window};
  FrameSet frames{"untextured"};

  Scene() { renderer.SetViewSize(100, 80, true); }
  void Draw(float x, float y, uint32_t colour, bool additive) {
    renderer.BeginFrame();
    renderer.Bind(additive, &frames);
    renderer.DrawQuad(Square, WholeTexture, colour, 4, x, y);
    renderer.EndFrame();
  }
};

TEST(RendererOnDevice, QuadLandsAtItsViewPosition) {
  Scene scene;
  scene.Draw(30, 40, 0xFFFF0000u, false);
  for (UINT y = 0; y < 80; ++y)
    for (UINT x = 0; x < 100; ++x) {
      bool inside = x >= 25 && x < 35 && y >= 35 && y < 45;
      ASSERT_EQ(scene.device.Pixel(x, y), inside ? 0xFFFF0000u : 0u) << x << "," << y;
    }
}

TEST(RendererOnDevice, ViewUnitsScaleOntoTheViewport) {
  // A 50 x 40 view drawn without changing the viewport fills all 100 x 80
  // pixels: every view unit is two pixels.
  Scene scene;
  scene.renderer.SetViewSize(50, 40, false);
  scene.Draw(10, 10, 0xFF00FF00u, false);
  EXPECT_EQ(scene.device.Pixel(10, 10), 0xFF00FF00u);
  EXPECT_EQ(scene.device.Pixel(29, 29), 0xFF00FF00u);
  EXPECT_EQ(scene.device.Pixel(30, 30), 0u);
  EXPECT_EQ(scene.device.Pixel(9, 9), 0u);
}

TEST(RendererOnDevice, AlphaBlendAndAdditiveBlend) {
  Scene scene;
  scene.device.Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF202020u, 1.0f, 0);
  scene.Draw(20, 20, 0x80FF0000u, false);  // half-transparent red over grey
  scene.Draw(60, 20, 0x80FF0000u, true);   // added to the grey
  uint32_t blended = scene.device.Pixel(20, 20), added = scene.device.Pixel(60, 20);
  EXPECT_EQ((blended >> 16) & 0xFF, 0x80u + 0x10u);  // 255*128/255 + 32*127/255
  EXPECT_EQ((blended >> 8) & 0xFF, 0x10u);
  EXPECT_EQ((added >> 16) & 0xFF, 0x80u + 0x20u);
  EXPECT_EQ((added >> 8) & 0xFF, 0x20u);
  // The renderer gave the host's states back: blending is off again.
  DWORD blending = 1;
  scene.device.GetRenderState(D3DRS_ALPHABLENDENABLE, &blending);
  EXPECT_EQ(blending, 0u);
}

}  // namespace
}  // namespace tavrix
