// Particle.ini's [System] BatchQuads: without it a system draws one strip
// per quad; with BatchQuads=1 beside the executable, one triangle list per
// Bind. The ini is read beside the executable, so the second test copies
// this executable into a folder with such a file and runs the first there.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/CountingAllocator.h"
#include "support/EffectWorkloads.h"
#include "support/posix/RecordingDevice.h"
#include "tavrix/tavrix.h"

namespace tavrix {
namespace {

constexpr const char* kProbeVariable = "TAVRIX_EXPECT_BATCHED";

TEST(BatchQuadsSwitch, SystemDrawsAsTheIniBesideTheExecutableSays) {
  const bool batched = std::getenv(kProbeVariable) != nullptr;
  test::CountingAllocator allocator;
  test::TempDir dir;
  const std::string path =
      test::WriteEffect(dir, "steady.eff",
                        test::EffectRecord(test::EffectOf({EmitterRecord(test::SteadyEmitter())})));
  test::RecordingDevice device;
  IParticleSystemFactory* factory = CreateParticleSystem(0, &allocator);
  IParticleSystem* system = factory->CreateSystem();
  HWND__ window = {0, 0, 640, 480};
  ASSERT_EQ(system->Initialise(&window, &device, nullptr), 0);
  const int32_t id = system->LoadEffect(path.c_str());
  ASSERT_GE(id, 0);
  system->PlayEffect(id, 0);
  system->UpdateAll(500);
  system->DrawAll();
  ASSERT_EQ(device.draws.empty(), false);
  EXPECT_EQ(device.draws.size(), batched ? 1u : 50u);
  for (const test::RecordedDraw& draw : device.draws) {
    EXPECT_EQ(draw.type, batched ? D3DPT_TRIANGLELIST : D3DPT_TRIANGLESTRIP);
  }
  system->Release();
  factory->Release();
}

TEST(BatchQuadsSwitch, ParticleIniBesideTheExecutableTurnsBatchingOn) {
  if (std::getenv(kProbeVariable)) GTEST_SKIP() << "running as the probe";
  test::TempDir dir;
  const std::filesystem::path probe = std::filesystem::path(dir.Path()) / "probe";
  std::filesystem::copy_file("/proc/self/exe", probe);
  dir.Write("Particle.ini", "[System]\nBatchQuads=1\n");
  const std::string command =
      std::string(kProbeVariable) + "=1 " + probe.string() +
      " --gtest_filter=BatchQuadsSwitch.SystemDrawsAsTheIniBesideTheExecutableSays"
      " > " +
      dir.File("out.txt");
  EXPECT_EQ(std::system(command.c_str()), 0) << test::ReadFileBytes(dir.File("out.txt"));
}

}  // namespace
}  // namespace tavrix
