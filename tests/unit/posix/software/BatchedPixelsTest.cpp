// Batched drawing on the software device: the showcase effect, textured,
// drawn frame after frame through the per-quad path and through the batched
// path of the device renderer, gives the same pixels.
#include <gtest/gtest.h>

#include <vector>

#include "base/ProcessSlots.h"
#include "render/DeviceRenderer.h"
#include "software/SoftwareDevice.h"
#include "support/CountingAllocator.h"
#include "support/TempDir.h"
#include "support/Workloads.h"
#include "support/posix/ImageFiles.h"

namespace tavrix {
namespace {

void GiveTexture(FrameSet* frames) {
  if (frames) frames->SetTexture("dot.png");
}

TEST(BatchedPixels, BatchedQuadsDrawThePixelsOfSingleQuads) {
  test::ScopedAllocator scope;
  test::TempDir dir;
  test::Pixels dot;
  for (uint32_t i = 0; i < 64; ++i) dot.push_back(0xFF000000u | (i * 4) << 16 | (255 - i * 4));
  dir.Write("image/dot.png", test::EncodePng(8, 8, dot, true));
  test::ScopedWorkingDirectory inside(dir.Path());
  software::SoftwareDevice device{software::DeviceOptions{320, 240}};
  SetCurrentDevice(&device);
  {
    test::SimulationWorld world;
    test::BuildShowcase(world);
    for (IParticleEmitter* e : world.effect->emitters) {
      auto* emitter = static_cast<Emitter*>(e);
      GiveTexture(emitter->record.frameSet);
      GiveTexture(emitter->record.frameAnimation.frameSet);
      test::SetConstant(emitter->tracks.BaseX, 12.0f);  // quads of many pixels
    }
    HWND__ window{0, 0, 320, 240};
    DeviceRenderer single(&device, &window);
    DeviceRenderer batched(&device, &window);
    batched.SetBatchQuads(true);
    for (DeviceRenderer* r : {&single, &batched}) r->SetViewSize(640, 480, false);
    auto draw = [&](DeviceRenderer& renderer) {
      device.Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF102030u, 1.0f, 0);
      renderer.BeginFrame();
      world.effect->Draw(renderer);
      renderer.EndFrame();
      return std::vector<uint32_t>(device.Pixels(), device.Pixels() + 320 * 240);
    };
    ASSERT_EQ(world.effect->Start(0, true), 0);
    int64_t compared = 0;
    for (int frame = 0; frame < 240; ++frame) {
      world.effect->AdvanceBy(test::ShowcaseStepMs(frame));
      if (frame % 3 != 0) continue;
      const std::vector<uint32_t> expected = draw(single);
      const int64_t drawnBefore = device.PixelsDrawn();
      ASSERT_EQ(draw(batched), expected) << "frame " << frame;
      compared += device.PixelsDrawn() - drawnBefore;
    }
    EXPECT_GT(compared, 100000) << "enough pixels drawn to compare";
  }
  SetCurrentDevice(nullptr);
}

}  // namespace
}  // namespace tavrix
