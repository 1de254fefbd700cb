// The module boundary seen from the core's side: allocator installation,
// the name table's life, Initialise's failure codes and their unwinding.
#include <gtest/gtest.h>

#include <set>

#include "base/Allocator.h"
#include "base/ProcessSlots.h"
#include "resources/NameTable.h"
#include "support/CountingAllocator.h"
#include "tavrix/tavrix.h"

namespace tavrix {
namespace {

// Puts the process-wide allocator back after a test that installs its own.
class ModuleTest : public testing::Test {
 protected:
  void TearDown() override { SetCurrentAllocator(previous_); }
  IParticleAllocator* previous_ = CurrentAllocator();
  test::CountingAllocator allocator_;
  HWND__ window_ = {0, 0, 640, 480};
};

TEST_F(ModuleTest, NullAllocatorInstallsTheDefaultOne) {
  IParticleSystemFactory* factory = CreateParticleSystem(99, nullptr);
  ASSERT_NE(factory, nullptr);
  EXPECT_EQ(CurrentAllocator(), DefaultAllocator());
  EXPECT_NE(CurrentNameTable(), nullptr);
  factory->Release();
  EXPECT_EQ(CurrentNameTable(), nullptr);
}

// A refused name table still gives a factory (its names then fail to intern
// and loads fail with their codes); a refused factory gives null. Either
// way nothing stays allocated.
TEST_F(ModuleTest, RefusedAllocationInCreateParticleSystemLeavesNothingBehind) {
  int refusedFactories = 0;
  for (uint64_t k = 1; k <= 6; ++k) {
    test::CountingAllocator counting;
    counting.failAt = k;
    IParticleSystemFactory* factory = CreateParticleSystem(0, &counting);
    if (factory) {
      factory->Release();
    } else {
      ++refusedFactories;
      EXPECT_EQ(CurrentNameTable(), nullptr);
    }
    EXPECT_EQ(counting.LiveCount(), 0u) << "allocation " << k << " refused";
  }
  EXPECT_EQ(refusedFactories, 1);
}

TEST_F(ModuleTest, SecondFactoryWhileOneLivesSharesAllocatorAndNames) {
  IParticleSystemFactory* first = CreateParticleSystem(0, &allocator_);
  NameTable* table = CurrentNameTable();
  test::CountingAllocator other;
  IParticleSystemFactory* second = CreateParticleSystem(0, &other);
  EXPECT_EQ(CurrentAllocator(), &allocator_);
  EXPECT_EQ(CurrentNameTable(), table);
  EXPECT_EQ(other.allocations, 0u);
  first->Release();
  EXPECT_EQ(CurrentNameTable(), table);
  second->Release();
  EXPECT_EQ(CurrentNameTable(), nullptr);
  EXPECT_EQ(allocator_.LiveCount(), 0u);
}

TEST_F(ModuleTest, AfterReleaseANewFactoryMayInstallAnotherAllocator) {
  CreateParticleSystem(0, &allocator_)->Release();
  test::CountingAllocator other;
  IParticleSystemFactory* factory = CreateParticleSystem(0, &other);
  EXPECT_EQ(CurrentAllocator(), &other);
  EXPECT_NE(CurrentNameTable(), nullptr);
  factory->Release();
  EXPECT_EQ(other.LiveCount(), 0u);
}

TEST_F(ModuleTest, InitialiseWithoutDeviceClearsTheDeviceSlot) {
  IParticleSystemFactory* factory = CreateParticleSystem(0, &allocator_);
  IParticleSystem* system = factory->CreateSystem();
  SetCurrentDevice(reinterpret_cast<IDirect3DDevice8*>(&window_));
  EXPECT_EQ(system->Initialise(&window_, nullptr, nullptr), 0);
  EXPECT_EQ(CurrentDevice(), nullptr);
  // A second Initialise starts over instead of abandoning the first objects.
  EXPECT_EQ(system->Initialise(&window_, nullptr, nullptr), 0);
  system->Release();
  factory->Release();
  EXPECT_EQ(allocator_.LiveCount(), 0u);
}

// Refuses each allocation of Initialise in turn: every refusal gives one of
// Initialise's codes, the system answers guards as if never initialised, and
// its release leaves nothing live.
TEST_F(ModuleTest, EveryRefusedAllocationOfInitialiseUnwinds) {
  const std::set<int32_t> codes = {RegistryAllocFailed, TextureManagerAllocFailed,
                                   RendererAllocFailed, ParticlePoolFailed};
  std::set<int32_t> seen;
  for (uint64_t k = 1;; ++k) {
    test::CountingAllocator counting;
    SetCurrentAllocator(previous_);
    IParticleSystemFactory* factory = CreateParticleSystem(0, &counting);
    ASSERT_NE(factory, nullptr);
    IParticleSystem* system = factory->CreateSystem();
    ASSERT_NE(system, nullptr);
    counting.failAt = counting.allocations + k;
    int32_t result = system->Initialise(&window_, nullptr, nullptr);
    if (result == 0) {
      system->Release();
      factory->Release();
      EXPECT_EQ(counting.LiveCount(), 0u);
      break;
    }
    ASSERT_TRUE(codes.count(result)) << "allocation " << k << " gave " << result;
    seen.insert(result);
    EXPECT_EQ(system->LoadEffect("x.eff"), LoadNoRegistry);
    EXPECT_EQ(system->UpdateAll(10), UpdateNoRegistry);
    EXPECT_EQ(system->GetEffectCount(), 0);
    system->Release();
    factory->Release();
    EXPECT_EQ(counting.LiveCount(), 0u) << "after allocation " << k << " failed";
  }
  EXPECT_EQ(seen, codes);
}

}  // namespace
}  // namespace tavrix
