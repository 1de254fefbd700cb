// The effect operations as a host reaches them through IParticleSystem:
// identifiers, the update calls with the finish listener, saving, sizes,
// drawing and teardown with nothing left allocated.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/Allocator.h"
#include "support/CountingAllocator.h"
#include "support/EffectFileBuilder.h"
#include "support/EffectWorkloads.h"
#include "tavrix/tavrix.h"

namespace tavrix {
namespace {

using test::Bytes;
using test::EffectOf;
using test::EmitterRecord;
using test::SteadyEmitter;

class CountingListener final : public IEffectFinishListener {
 public:
  void OnEffectFinished(int32_t id) override { finished.push_back(id); }
  std::vector<int32_t> finished;
};

// The host's images: one image serves every texture and counts its quads.
class CountingImage final : public IParticleImage {
 public:
  int32_t Draw(const Point*, const Point*, uint32_t, int32_t) override {
    ++quads;
    return 0;
  }
  int32_t GetWidth() override { return 64; }
  int32_t GetHeight() override { return 64; }
  int quads = 0;
};

class OneImageLoader final : public IParticleImageLoader {
 public:
  IParticleImage* Load(const char*) override { return &image; }
  void Release(IParticleImage*) override {}
  CountingImage image;
};

class SystemEffects : public ::testing::Test {
 protected:
  void SetUp() override {
    factory = CreateParticleSystem(0, &allocator);
    ASSERT_NE(factory, nullptr);
    system = factory->CreateSystem();
    ASSERT_NE(system, nullptr);
    ASSERT_EQ(system->Initialise(&window, nullptr, &loader), Success);
    system->SetFinishListener(&listener);
  }

  void TearDown() override {
    if (system) {
      system->SetFinishListener(nullptr);
      system->Release();
    }
    if (factory) factory->Release();
    EXPECT_EQ(allocator.LiveCount(), 0u);
    SetCurrentAllocator(previous);
  }

  std::string Effect(const std::string& name, float duration = 10.0f, int32_t endMode = 0) {
    return test::WriteEffect(
        scratch, name,
        test::EffectRecord(EffectOf({EmitterRecord(SteadyEmitter())}, duration, endMode)));
  }

  IParticleAllocator* previous = CurrentAllocator();
  test::CountingAllocator allocator;
  test::TempDir scratch;
  HWND__ window = {0, 0, 640, 480};
  IParticleSystemFactory* factory = nullptr;
  IParticleSystem* system = nullptr;
  CountingListener listener;
  OneImageLoader loader;
};

TEST_F(SystemEffects, IdentifiersComeFromTheCounter) {
  std::string good = Effect("good.eff");
  std::string broken = test::WriteEffect(scratch, "broken.eff", Bytes{1, 2, 3});
  EXPECT_EQ(system->LoadEffect(good.c_str()), 0);
  EXPECT_EQ(system->LoadEffect(broken.c_str()), EffectHeaderUnreadable);
  EXPECT_EQ(system->LoadEffect(good.c_str()), 2);
  EXPECT_EQ(system->UnloadEffect(0), Success);
  EXPECT_EQ(system->LoadEffect(good.c_str()), 3);
  EXPECT_EQ(system->GetEffectCount(), 2);
  EXPECT_EQ(system->SetEffectPosition(0, 1.0f, 1.0f, true), PositionNoEffect);
  EXPECT_EQ(system->SetEffectPosition(3, 1.0f, 1.0f, true), Success);
}

TEST_F(SystemEffects, EndsReachTheListenerFromUpdateAllAndUpdateEffect) {
  ASSERT_EQ(system->LoadEffect(Effect("long.eff").c_str()), 0);
  ASSERT_EQ(system->LoadEffect(Effect("once.eff", 0.1f, 0).c_str()), 1);
  ASSERT_EQ(system->LoadEffect(Effect("loop.eff", 0.1f, 1).c_str()), 2);
  for (int32_t id = 0; id < 3; ++id) EXPECT_EQ(system->PlayEffect(id, 0), Success);
  for (int frame = 0; frame < 3; ++frame) EXPECT_EQ(system->UpdateAll(100), Success);
  EXPECT_EQ(listener.finished, (std::vector<int32_t>{1, 2, 2, 2}));
  listener.finished.clear();
  EXPECT_EQ(system->UpdateEffect(2, 100), Success);
  EXPECT_EQ(system->UpdateEffect(1, 100), Success);
  EXPECT_EQ(listener.finished, std::vector<int32_t>{2});
}

TEST_F(SystemEffects, DrawAllAndDrawEffectHandQuadsToTheHostsImages) {
  ASSERT_EQ(system->LoadEffect(Effect("a.eff").c_str()), 0);
  ASSERT_EQ(system->LoadEffect(Effect("b.eff").c_str()), 1);
  EXPECT_EQ(system->DrawAll(), Success);
  EXPECT_EQ(loader.image.quads, 0);
  system->PlayEffect(0, 200);
  EXPECT_EQ(system->DrawAll(), Success);
  int drawn = loader.image.quads;
  EXPECT_GT(drawn, 0);
  EXPECT_EQ(system->BeginFrame(), Success);
  EXPECT_EQ(system->DrawEffect(1), Success);
  EXPECT_EQ(system->DrawEffect(7), Success);
  EXPECT_EQ(system->EndFrame(), Success);
  EXPECT_EQ(loader.image.quads, drawn);
  EXPECT_EQ(system->ClearEffect(0), Success);
  EXPECT_EQ(system->DrawAll(), Success);
  EXPECT_EQ(loader.image.quads, drawn);
}

TEST_F(SystemEffects, UpdateAllToReturnsTheEndWithoutTheListener) {
  ASSERT_EQ(system->LoadEffect(Effect("once.eff", 0.1f, 0).c_str()), 0);
  ASSERT_EQ(system->LoadEffect(Effect("long.eff").c_str()), 1);
  system->PlayEffect(0, 0);
  system->PlayEffect(1, 0);
  EXPECT_EQ(system->UpdateAllTo(150), EffectEnded);
  EXPECT_EQ(system->UpdateAllTo(300), Success);
  EXPECT_TRUE(listener.finished.empty());
}

TEST_F(SystemEffects, SaveEffectWritesTheLowestIdentifierAndKeepsAFailedSavesTarget) {
  std::string target = scratch.File("saved.eff");
  EXPECT_EQ(system->SaveEffect(target.c_str()), SaveNoEffect);
  std::string typical = test::WriteEffect(scratch, "typical.eff", test::TypicalEffectRecord());
  std::string plain = test::WriteEffect(scratch, "plain.eff", test::EffectRecord(EffectOf({})));
  ASSERT_EQ(system->LoadEffect(plain.c_str()), 0);
  ASSERT_EQ(system->LoadEffect(typical.c_str()), 1);
  system->UnloadEffect(0);
  ASSERT_EQ(system->SaveEffect(target.c_str()), Success);
  // Frame sets are shared by name and gather the frames of every load, so
  // the first copy goes before the saved one is read back.
  system->UnloadEffect(1);
  ASSERT_EQ(system->LoadEffect(target.c_str()), 2);
  std::string again = scratch.File("again.eff");
  ASSERT_EQ(system->SaveEffect(again.c_str()), Success);
  EXPECT_EQ(test::Decipher(test::ReadBytes(again)), test::Decipher(test::ReadBytes(target)));

  Bytes before = test::ReadBytes(target);
  EXPECT_EQ(system->SaveEffect(scratch.File("missing/dir/saved.eff").c_str()), SaveFileOpenFailed);
  EXPECT_EQ(test::ReadBytes(target), before);
}

TEST_F(SystemEffects, SizesAre400ByDefaultAndForUnknownEffects) {
  EXPECT_EQ(system->GetEffectWidth(5), DefaultEffectSize);
  EXPECT_EQ(system->GetEffectHeight(5), DefaultEffectSize);
  ASSERT_EQ(system->LoadEffect(Effect("a.eff").c_str()), 0);
  EXPECT_EQ(system->GetEffectWidth(0), 400);
  EXPECT_EQ(system->GetEffectHeight(0), 400);
}

TEST_F(SystemEffects, ReleasingASystemFreesPlayingEffectsAndSubEffects) {
  test::SubEffectDesc sub;
  sub.effectFile = Effect("child.eff");
  sub.copiesMin = sub.copiesMax = 3.0f;
  std::string parent = test::WriteEffect(
      scratch, "parent.eff",
      test::EffectRecord(EffectOf({test::SubEffectRecord(sub), EmitterRecord(SteadyEmitter())})));
  ASSERT_EQ(system->LoadEffect(parent.c_str()), 0);
  ASSERT_EQ(system->LoadEffect(parent.c_str()), 1);
  system->PlayEffect(0, 500);
  system->PlayEffect(1, 0);
  for (int frame = 0; frame < 10; ++frame) system->UpdateAll(16);
  EXPECT_EQ(system->DrawAll(), Success);
  EXPECT_GT(allocator.LiveCount(), 0u);
  // TearDown releases the system and checks that nothing stays allocated.
}

}  // namespace
}  // namespace tavrix
