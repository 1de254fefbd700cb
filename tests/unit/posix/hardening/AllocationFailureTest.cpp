// A host allocator that refuses the k-th allocation, for every k across a
// whole scenario — create, initialise, load effects with textures and a
// sub-effect, play, update, draw, save, unload, release — in both drawing
// modes. Every refusal must end in a result code from the operation's own
// table, and nothing may stay allocated afterwards.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "software/SoftwareDevice.h"
#include "support/CountingAllocator.h"
#include "support/EffectFileBuilder.h"
#include "support/RecordingImage.h"
#include "support/TempDir.h"
#include "support/posix/ImageFiles.h"
#include "tavrix/tavrix.h"

namespace tavrix {
namespace {

test::EmitterDesc Textured(const std::string& name) {
  test::EmitterDesc desc;
  desc.textureName = name + ".png";
  desc.frameSetName = name;
  return desc;
}

// Two emitters with textures and a sub-effect emitter playing two copies of
// a nested file (fixed copy count, so every run allocates alike).
void WriteScenarioFiles(const test::TempDir& dir) {
  test::Pixels pixels(16, 0xFFFFFFFFu);
  dir.Write("image/disc.png", test::EncodePng(4, 4, pixels, true));
  dir.Write("image/spark.png", test::EncodePng(4, 4, pixels, true));
  test::EmitterDesc disc = Textured("disc");
  test::EmitterDesc spark = Textured("spark");
  spark.animated = true;
  spark.frames.push_back(test::FrameDesc{0.5f, 0, 1, 1});
  disc.tracks = {test::TrackDesc{"BaseQuantity", 1, 1000, 0, 1000, 60, {}}};
  test::EffectDesc nested;
  nested.emitters = {test::EmitterRecord(spark)};
  test::WriteEffect(dir, "nested.eff", test::EffectRecord(nested));
  test::SubEffectDesc sub;
  sub.effectFile = "nested.eff";
  sub.copiesMin = sub.copiesMax = 2;
  test::EffectDesc main;
  main.emitters = {test::EmitterRecord(disc), test::SubEffectRecord(sub),
                   test::EmitterRecord(spark)};
  main.durationSeconds = 0.5f;
  main.endMode = 1;
  test::WriteEffect(dir, "main.eff", test::EffectRecord(main));
}

const std::set<int32_t> InitialiseCodes = {0, RegistryAllocFailed, TextureManagerAllocFailed,
                                           RendererAllocFailed, ParticlePoolFailed};
const std::set<int32_t> DrawCodes = {0, EmitterNoFrameSet};

// Runs the scenario; false when it could not get as far as a system.
bool RunScenario(test::CountingAllocator& allocator, IDirect3DDevice8* device,
                 IParticleImageLoader* loader) {
  IParticleSystemFactory* factory = CreateParticleSystem(0, &allocator);
  if (!factory) return false;
  IParticleSystem* system = factory->CreateSystem();
  if (system) {
    HWND__ window = {0, 0, 64, 64};
    int32_t initialised = system->Initialise(&window, device, loader);
    EXPECT_TRUE(InitialiseCodes.count(initialised)) << initialised;
    int32_t id = system->LoadEffect("main.eff");
    if (initialised != 0) {
      EXPECT_LT(id, 0);
    }
    if (id >= 0) {
      EXPECT_EQ(system->PlayEffect(id, 100), 0);
      for (int i = 0; i < 12; ++i) EXPECT_EQ(system->UpdateAll(50), 0);
      int32_t drawn = system->DrawAll();
      EXPECT_TRUE(DrawCodes.count(drawn)) << drawn;
      if (drawn < 0) system->EndFrame();
      int32_t saved = system->SaveEffect("saved.eff");
      EXPECT_TRUE(saved == 0 || (saved <= -3938 && saved >= -3950)) << saved;
      EXPECT_EQ(system->UnloadEffect(id), 0);
    }
    system->Release();
  }
  factory->Release();
  return true;
}

// The allocations the scenario makes when none is refused.
uint64_t CountAllocations(IDirect3DDevice8* device, IParticleImageLoader* loader) {
  test::CountingAllocator allocator;
  RunScenario(allocator, device, loader);
  EXPECT_EQ(allocator.LiveCount(), 0u);
  return allocator.allocations;
}

void RefuseEachAllocationInTurn(IDirect3DDevice8* device, IParticleImageLoader* loader) {
  test::TempDir dir;
  WriteScenarioFiles(dir);
  test::ScopedWorkingDirectory inside(dir.Path());
  const uint64_t total = CountAllocations(device, loader);
  ASSERT_GT(total, 40u);
  for (uint64_t k = 1; k <= total; ++k) {
    test::CountingAllocator allocator;
    allocator.failAt = k;
    RunScenario(allocator, device, loader);
    ASSERT_EQ(allocator.LiveCount(), 0u) << "leak after refusing allocation " << k;
    ASSERT_EQ(allocator.foreignFrees, 0u);
    if (testing::Test::HasFailure()) FAIL() << "while refusing allocation " << k;
  }
}

TEST(AllocationFailure, EveryRefusalWithTheImageLoader) {
  test::RecordingImageLoader loader;
  loader.Provide("image\\disc.png", 4, 4);
  loader.Provide("image\\spark.png", 4, 4);
  testing::internal::CaptureStderr();  // refused textures report on standard error
  RefuseEachAllocationInTurn(nullptr, &loader);
  testing::internal::GetCapturedStderr();
  EXPECT_EQ(loader.LiveImages(), 0);
}

TEST(AllocationFailure, EveryRefusalWithTheSoftwareDevice) {
  software::SoftwareDevice device(software::DeviceOptions{64, 64});
  RefuseEachAllocationInTurn(&device, nullptr);
}

}  // namespace
}  // namespace tavrix
