// The texture manager: sharing by name and kind, reference counts, the
// frame set's texture, loading in device and image-loader modes with their
// failure results and message box, and paths that do not fit.
#include <gtest/gtest.h>

#include <string>

#include "resources/CTexture.h"
#include "resources/FrameSet.h"
#include "resources/TextureManager.h"
#include "support/RecordingImage.h"
#include "support/posix/TextureEnvironment.h"
#include "tavrix/ResultCode.h"

namespace tavrix {
namespace {

using test::Pixels;

const char kBoxLine[] =
    "ttt: \xE5\x88\x9B\xE5\xBB\xBA\xE5\x9B\xBE\xE7\x89\x87\xE5\xA4\xB1\xE8\xB4\xA5";

int CountOf(const std::string& text, const std::string& part) {
  int count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

std::string SmallPng() { return test::EncodePng(2, 2, Pixels(4, 0xFF112233u), false); }

class TextureManagerTest : public ::testing::Test {
 protected:
  FrameSet* AcquireFrames(const char* name) {
    return static_cast<FrameSet*>(manager.Acquire(TextureManager::FrameSetKind, name));
  }
  CTexture* AcquireTexture(const char* name) {
    return static_cast<CTexture*>(manager.Acquire(TextureManager::TextureKind, name));
  }

  test::TextureEnvironment env;
  TextureManager manager{TextureManager::DeviceMode};
};

TEST_F(TextureManagerTest, TwoEmittersShareOneFrameSet) {
  FrameSet* first = AcquireFrames("smoke");
  FrameSet* second = AcquireFrames("SMOKE");
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first, second);
  EXPECT_EQ(first->References(), 2);
  manager.Release(second);
  EXPECT_EQ(manager.Find(TextureManager::FrameSetKind, "smoke"), first);
  EXPECT_EQ(first->References(), 1);
  manager.Release(first);
  EXPECT_EQ(manager.Find(TextureManager::FrameSetKind, "smoke"), nullptr);
  EXPECT_EQ(manager.Cache().EntryCount(), 0);
}

TEST_F(TextureManagerTest, NamesEqualButForCaseShareOneTextureLoadedOnce) {
  env.WriteImage("fire.png", SmallPng());
  auto* lower = dynamic_cast<DeviceTexture*>(AcquireTexture("fire.png"));
  auto* upper = dynamic_cast<DeviceTexture*>(AcquireTexture("Fire.png"));
  ASSERT_NE(lower, nullptr);
  EXPECT_EQ(lower, upper);
  EXPECT_EQ(lower->References(), 2);
  EXPECT_EQ(env.device.createdTextures, 1);
  EXPECT_NE(lower->GetDeviceTexture(), nullptr);
  manager.Release(lower);
  EXPECT_EQ(env.device.liveTextures, 1);
  manager.Release(upper);
  EXPECT_EQ(env.device.liveTextures, 0);
}

// An effect may name its frame set after its texture: each kind must only
// ever find its own.
TEST_F(TextureManagerTest, FrameSetAndTextureOfOneNameStayApart) {
  env.WriteImage("fire.png", SmallPng());
  FrameSet* frames = AcquireFrames("fire.png");
  CTexture* texture = AcquireTexture("fire.png");
  ASSERT_NE(frames, nullptr);
  ASSERT_NE(texture, nullptr);
  EXPECT_NE(static_cast<SharedResource*>(frames), static_cast<SharedResource*>(texture));
  EXPECT_EQ(manager.Find(TextureManager::FrameSetKind, "FIRE.PNG"), frames);
  EXPECT_EQ(manager.Find(TextureManager::TextureKind, "FIRE.PNG"), texture);
  frames->SetTexture("fire.png");
  EXPECT_EQ(frames->Texture(), texture);
  EXPECT_EQ(texture->References(), 2);
  EXPECT_EQ(frames->References(), 1);
  manager.Release(texture);
  manager.Release(frames);
  EXPECT_EQ(manager.Cache().EntryCount(), 0);
  EXPECT_EQ(env.device.liveTextures, 0);
}

TEST_F(TextureManagerTest, FramesPastTheEndAreTheWholeTexture) {
  FrameSet* frames = AcquireFrames("spark");
  const Frame empty = frames->GetFrame(0);
  EXPECT_EQ(empty.uLeft, 0.0f);
  EXPECT_EQ(empty.vTop, 0.0f);
  EXPECT_EQ(empty.uRight, 1.0f);
  EXPECT_EQ(empty.vBottom, 1.0f);
  ASSERT_TRUE(frames->AddFrame(0.0f, 0.0f, 0.5f, 0.5f));
  // A second acquirer appends to the same frames.
  FrameSet* again = AcquireFrames("spark");
  ASSERT_TRUE(again->AddFrame(0.5f, 0.5f, 1.0f, 1.0f));
  EXPECT_EQ(frames->FrameCount(), 2u);
  EXPECT_EQ(frames->GetFrame(1).uLeft, 0.5f);
  EXPECT_EQ(frames->GetFrame(0).uRight, 0.5f);
  EXPECT_EQ(frames->GetFrame(2).uRight, 1.0f);
  EXPECT_EQ(frames->GetFrame(UINT32_MAX).vBottom, 1.0f);
  manager.Release(again);
  manager.Release(frames);
}

TEST_F(TextureManagerTest, SetTextureWithTheHeldNameChangesNothing) {
  env.WriteImage("a.png", SmallPng());
  env.WriteImage("b.png", SmallPng());
  FrameSet* frames = AcquireFrames("frames");
  frames->SetTexture("a.png");
  CTexture* held = frames->Texture();
  ASSERT_NE(held, nullptr);
  frames->SetTexture("A.PNG");
  EXPECT_EQ(frames->Texture(), held);
  EXPECT_EQ(held->References(), 1);
  EXPECT_EQ(env.device.createdTextures, 1);
  frames->SetTexture("b.png");
  ASSERT_NE(frames->Texture(), nullptr);
  EXPECT_STREQ(frames->Texture()->Name(), "b.png");
  EXPECT_EQ(manager.Find(TextureManager::TextureKind, "a.png"), nullptr);
  EXPECT_EQ(env.device.liveTextures, 1);
  manager.Release(frames);
  EXPECT_EQ(manager.Cache().EntryCount(), 0);
  EXPECT_EQ(env.device.liveTextures, 0);
}

TEST_F(TextureManagerTest, MissingOrBrokenFilesAreCachedWithoutATexture) {
  env.WriteImage("broken.png", SmallPng().substr(0, 40));
  auto* missing = dynamic_cast<DeviceTexture*>(AcquireTexture("missing.png"));
  auto* broken = dynamic_cast<DeviceTexture*>(AcquireTexture("broken.png"));
  ASSERT_NE(missing, nullptr);
  ASSERT_NE(broken, nullptr);
  EXPECT_EQ(missing->GetDeviceTexture(), nullptr);
  EXPECT_EQ(broken->GetDeviceTexture(), nullptr);
  EXPECT_EQ(manager.Find(TextureManager::TextureKind, "missing.png"), missing);
  EXPECT_EQ(missing->Load(), TextureFileNotFound);
  EXPECT_EQ(broken->Load(), TextureLoadFailed);
  env.WriteImage("missing.png", SmallPng());
  EXPECT_EQ(missing->Load(), Success);
  EXPECT_NE(missing->GetDeviceTexture(), nullptr);
  EXPECT_EQ(missing->Load(), Success);  // reloading gives the old texture back first
  EXPECT_EQ(env.device.liveTextures, 1);
  manager.Release(missing);
  manager.Release(broken);
  EXPECT_EQ(env.device.liveTextures, 0);
}

TEST_F(TextureManagerTest, DeviceTexturesFailWithoutACurrentDevice) {
  env.WriteImage("fire.png", SmallPng());
  SetCurrentDevice(nullptr);
  auto* texture = dynamic_cast<DeviceTexture*>(AcquireTexture("fire.png"));
  ASSERT_NE(texture, nullptr);
  EXPECT_EQ(texture->GetDeviceTexture(), nullptr);
  EXPECT_EQ(texture->Load(), TextureLoadFailed);
  manager.Release(texture);
}

// "image\\" and the terminator leave 505 bytes of the 512 for the name. A
// longer name is refused rather than cut down to another file's name.
TEST_F(TextureManagerTest, NamesThatDoNotFitThePathAreNotFoundRatherThanTruncated) {
  std::string name;
  while (name.size() + 100 < 505) name += std::string(99, 'd') + "/";
  name += std::string(505 - name.size() - 4, 'n') + ".png";
  ASSERT_EQ(name.size(), 505u);
  env.WriteImage(name, SmallPng());
  auto* fits = dynamic_cast<DeviceTexture*>(AcquireTexture(name.c_str()));
  ASSERT_NE(fits, nullptr);
  EXPECT_NE(fits->GetDeviceTexture(), nullptr);
  auto* tooLong = dynamic_cast<DeviceTexture*>(AcquireTexture((name + "x").c_str()));
  ASSERT_NE(tooLong, nullptr);
  EXPECT_EQ(tooLong->GetDeviceTexture(), nullptr);
  EXPECT_EQ(tooLong->Load(), TextureFileNotFound);
  EXPECT_EQ(env.device.createdTextures, 1);
  manager.Release(fits);
  manager.Release(tooLong);
}

TEST_F(TextureManagerTest, OnlyKindsZeroAndOneExist) {
  EXPECT_EQ(manager.Acquire(2, "x"), nullptr);
  EXPECT_EQ(manager.Acquire(-1, "x"), nullptr);
  EXPECT_EQ(manager.Acquire(TextureManager::FrameSetKind, nullptr), nullptr);
  EXPECT_EQ(manager.Cache().EntryCount(), 0);
  manager.Release(nullptr);
}

TEST_F(TextureManagerTest, ThirtiethResourceGrowsTheCache) {
  FrameSet* sets[30];
  for (int i = 0; i < 30; ++i) {
    sets[i] = AcquireFrames(("set" + std::to_string(i)).c_str());
    ASSERT_NE(sets[i], nullptr);
    EXPECT_EQ(manager.Cache().BucketCount(), i < 29 ? 29 : 59);
  }
  for (int i = 0; i < 30; ++i) {
    EXPECT_EQ(manager.Find(TextureManager::FrameSetKind, ("SET" + std::to_string(i)).c_str()),
              sets[i]);
    manager.Release(sets[i]);
  }
  EXPECT_EQ(manager.Cache().EntryCount(), 0);
  EXPECT_EQ(manager.Cache().BucketCount(), 59);
}

TEST(TextureManagerLifetime, OneManagerIsCurrentUntilDestroyed) {
  test::ScopedAllocator scope;
  EXPECT_EQ(CurrentTextureManager(), nullptr);
  {
    TextureManager first(TextureManager::DeviceMode);
    EXPECT_EQ(CurrentTextureManager(), &first);
    EXPECT_EQ(first.GetMode(), TextureManager::DeviceMode);
  }
  EXPECT_EQ(CurrentTextureManager(), nullptr);
}

TEST(TextureManagerLifetime, EveryBlockGoesBackToTheHostAllocator) {
  test::ScopedAllocator scope;
  {
    test::TextureEnvironment env;
    env.WriteImage("fire.png", SmallPng());
    TextureManager manager(TextureManager::DeviceMode);
    auto* frames = static_cast<FrameSet*>(manager.Acquire(TextureManager::FrameSetKind, "f"));
    frames->SetTexture("fire.png");
    frames->AddFrame(0, 0, 1, 1);
    manager.Release(frames);
  }
  EXPECT_EQ(scope.allocator.LiveCount(), 0u);
}

// Whichever allocation is refused, Acquire gives none or a working
// resource, and nothing is left behind.
TEST(TextureManagerLifetime, RefusedAllocationsFailCleanly) {
  test::TextureEnvironment env;
  env.WriteImage("fire.png", SmallPng());
  ASSERT_NE(InternName("fire.png"), nullptr);
  auto& allocator = env.allocator.allocator;
  const size_t baseline = allocator.LiveCount();
  for (uint64_t k = 1; k <= 8; ++k) {
    {
      TextureManager manager(TextureManager::DeviceMode);
      allocator.failAt = allocator.allocations + k;
      auto* frames =
          static_cast<FrameSet*>(manager.Acquire(TextureManager::FrameSetKind, "fire.png"));
      if (frames) {
        frames->SetTexture("fire.png");
        manager.Release(frames);
      }
      allocator.failAt = 0;
      EXPECT_EQ(manager.Cache().EntryCount(), 0) << k;
    }
    EXPECT_EQ(allocator.LiveCount(), baseline) << k;
    EXPECT_EQ(env.device.liveTextures, 0) << k;
  }
}

TEST(TextureBase, LoadAndUnloadOnlyReport) {
  test::ScopedAllocator scope;
  CTexture* base = New<CTexture>("key", "name");
  ASSERT_NE(base, nullptr);
  EXPECT_EQ(base->Kind(), TextureManager::TextureKind);
  testing::internal::CaptureStderr();
  EXPECT_EQ(base->Load(), 0);
  base->Unload();
  const std::string said = testing::internal::GetCapturedStderr();
  EXPECT_NE(said.find("CTexture::Load() pure virtual function called"), std::string::npos);
  EXPECT_NE(said.find("CTexture::Unload() pure virtual function called"), std::string::npos);
  base->Destroy(1);
  EXPECT_EQ(scope.allocator.LiveCount(), 0u);
}

class ImageLoaderModeTest : public ::testing::Test {
 protected:
  ImageLoaderModeTest() { manager.SetImageLoader(&loader); }

  ImageTexture* AcquireTexture(const char* name) {
    return dynamic_cast<ImageTexture*>(manager.Acquire(TextureManager::TextureKind, name));
  }

  test::TextureEnvironment env;
  test::RecordingImageLoader loader;
  TextureManager manager{TextureManager::ImageLoaderMode};
};

TEST_F(ImageLoaderModeTest, ImagesComeFromTheHostLoaderAndGoBackToIt) {
  loader.Provide("image\\spark.png", 64, 32);
  ImageTexture* texture = AcquireTexture("spark.png");
  ASSERT_NE(texture, nullptr);
  ASSERT_NE(texture->GetImage(), nullptr);
  EXPECT_EQ(texture->GetImage()->GetWidth(), 64);
  EXPECT_EQ(AcquireTexture("SPARK.PNG"), texture);
  ASSERT_EQ(loader.loads.size(), 1u);
  EXPECT_EQ(loader.loads[0], "image\\spark.png");
  manager.Release(texture);
  EXPECT_EQ(loader.releases, 0);
  manager.Release(texture);
  EXPECT_EQ(loader.releases, 1);
  EXPECT_EQ(loader.foreignReleases, 0);
  EXPECT_EQ(loader.LiveImages(), 0);
}

TEST_F(ImageLoaderModeTest, AMissingImageShowsTheMessageBoxOncePerCreation) {
  testing::internal::CaptureStderr();
  ImageTexture* first = AcquireTexture("gone.png");
  ImageTexture* shared = AcquireTexture("gone.png");
  std::string said = testing::internal::GetCapturedStderr();
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first, shared);
  EXPECT_EQ(first->GetImage(), nullptr);
  EXPECT_EQ(CountOf(said, std::string(kBoxLine) + ": image\\gone.png\n"), 1);
  manager.Release(first);
  manager.Release(shared);
  testing::internal::CaptureStderr();
  ImageTexture* again = AcquireTexture("gone.png");
  said = testing::internal::GetCapturedStderr();
  EXPECT_EQ(CountOf(said, kBoxLine), 1);
  testing::internal::CaptureStderr();
  EXPECT_EQ(again->Load(), TextureLoadFailed);
  said = testing::internal::GetCapturedStderr();
  EXPECT_EQ(CountOf(said, kBoxLine), 1);
  manager.Release(again);
  EXPECT_EQ(loader.releases, 0);
}

TEST_F(ImageLoaderModeTest, WithoutALoaderEveryTextureFails) {
  manager.SetImageLoader(nullptr);
  testing::internal::CaptureStderr();
  ImageTexture* texture = AcquireTexture("spark.png");
  const std::string said = testing::internal::GetCapturedStderr();
  ASSERT_NE(texture, nullptr);
  EXPECT_EQ(texture->GetImage(), nullptr);
  EXPECT_EQ(CountOf(said, kBoxLine), 1);
  manager.Release(texture);
}

TEST_F(ImageLoaderModeTest, NamesThatDoNotFitAreNotFoundWithoutAskingTheHost) {
  const std::string name(506, 'n');
  loader.Provide("image\\" + name.substr(0, 505), 8, 8);
  testing::internal::CaptureStderr();
  ImageTexture* texture = AcquireTexture(name.c_str());
  const std::string said = testing::internal::GetCapturedStderr();
  ASSERT_NE(texture, nullptr);
  EXPECT_EQ(texture->GetImage(), nullptr);
  EXPECT_TRUE(loader.loads.empty());
  EXPECT_EQ(CountOf(said, kBoxLine), 0);
  EXPECT_EQ(texture->Load(), TextureFileNotFound);
  manager.Release(texture);
}

TEST(TextureManagerModes, AnUnknownModeMakesNoTexturesButFrameSets) {
  test::TextureEnvironment env;
  TextureManager manager(7);
  EXPECT_EQ(manager.Acquire(TextureManager::TextureKind, "fire.png"), nullptr);
  SharedResource* frames = manager.Acquire(TextureManager::FrameSetKind, "fire.png");
  ASSERT_NE(frames, nullptr);
  manager.Release(frames);
}

}  // namespace
}  // namespace tavrix
