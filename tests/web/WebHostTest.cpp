// The web host's image loader and frame collection: texture names as effects
// write them, images registered after the load, the runs of quads the page
// draws with one call each, and the nested files named before a load.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <vector>

#include "../../web/host/NestedFiles.h"
#include "../../web/host/WebImages.h"
#include "support/EffectFileBuilder.h"

namespace tavrix::web {
namespace {

const Point kSource[4] = {{0, 0}, {8, 0}, {8, 4}, {0, 4}};
const Point kDestination[4] = {{30, 40}, {10, 40}, {10, 20}, {30, 20}};

struct LookupCase {
  const char* registered;
  const char* asked;
  bool found;
};

class ImageLookup : public testing::TestWithParam<LookupCase> {};

TEST_P(ImageLookup, MatchesAsEffectsNameTextures) {
  FrameQuads quads;
  WebImageLoader loader(quads);
  loader.Register(GetParam().registered, {7, 16, 8});
  IParticleImage* image = loader.Load(GetParam().asked);
  EXPECT_EQ(image != nullptr, GetParam().found);
  EXPECT_EQ(loader.Missing(), GetParam().found ? "" : GetParam().asked);
  if (image) EXPECT_EQ(image->GetWidth() * 100 + image->GetHeight(), 1608);
  loader.Release(image);
}

INSTANTIATE_TEST_SUITE_P(Names, ImageLookup,
                         testing::Values(LookupCase{"image/fire.png", "image\\Fire.PNG", true},
                                         LookupCase{"./image/fire.png", "image\\fire.png", true},
                                         LookupCase{"fire.png", "image\\FIRE.png",
                                                    true},  // opened without its folder
                                         LookupCase{"image/fire.png", "image\\smoke.png", false},
                                         LookupCase{"other/fire.png", "image\\fire.png", false}));

TEST(ImageLookup, AnUnknownNameWaitsForItsRegistrationWhenDeferred) {
  FrameQuads quads;
  WebImageLoader loader(quads);
  loader.DeferUnknown();
  IParticleImage* image = loader.Load("image\\Fire.png");
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(loader.TakePending(), std::vector<std::string>{"image/fire.png"});
  EXPECT_EQ(image->GetWidth(), 0);
  image->Draw(kSource, kDestination, 0, 0);
  EXPECT_EQ(quads.QuadCount(), 0);  // nothing to draw with yet
  loader.Register("image/fire.png", {3, 8, 4});
  EXPECT_EQ(image->GetWidth(), 8);
  image->Draw(kSource, kDestination, 0, 0);
  EXPECT_EQ(quads.QuadCount(), 1);
  EXPECT_EQ(loader.Load("IMAGE/FIRE.PNG")->GetHeight(), 4);
  EXPECT_TRUE(loader.TakePending().empty());  // asked once
}

TEST(FrameQuads, RunsBreakWhereTextureOrBlendChanges) {
  FrameQuads quads;
  const int32_t draws[][2] = {{1, 0}, {1, 0}, {1, 1}, {2, 1}, {1, 0}};
  for (const auto& draw : draws) quads.Add(draw[0], 8, 4, kSource, kDestination, 0, draw[1]);
  std::vector<std::array<int32_t, 4>> runs;
  for (const Batch& b : quads.Batches())
    runs.push_back({b.texture, b.additive, b.firstQuad, b.quadCount});
  EXPECT_EQ(runs, (std::vector<std::array<int32_t, 4>>{
                      {1, 0, 0, 2}, {1, 1, 2, 1}, {2, 1, 3, 1}, {1, 0, 4, 1}}));
  EXPECT_EQ(quads.QuadCount(), 5);
}

TEST(FrameQuads, PairsSourceCornersWithDestinationFromTheLast) {
  FrameQuads quads;
  quads.Add(0, 8, 4, kSource, kDestination, 0x80102030u, 0);
  const Vertex* v = quads.Vertices();
  ASSERT_EQ(quads.QuadCount(), 1);
  EXPECT_EQ(v[0].x, 30.0f);  // destination corner 3 takes the texture's top-left
  EXPECT_EQ(v[0].y, 20.0f);
  EXPECT_EQ(v[0].u, 0.0f);
  EXPECT_EQ(v[2].u, 1.0f);
  EXPECT_EQ(v[2].v, 1.0f);
  EXPECT_EQ(v[2].x, 10.0f);
  EXPECT_EQ(v[2].y, 40.0f);
  std::array<uint8_t, 4> bytes;  // as the page reads them
  std::memcpy(bytes.data(), &v[1].rgba, 4);
  EXPECT_EQ(bytes, (std::array<uint8_t, 4>{0x10, 0x20, 0x30, 0x80}));
}

// The coordinates of a source rectangle are kept for the quads after it:
// a change of rectangle or of image size must not reuse them.
TEST(FrameQuads, TextureCoordinatesFollowEachQuadsSourceAndSize) {
  FrameQuads quads;
  const Point half[4] = {{0, 0}, {4, 0}, {4, 2}, {0, 2}};
  quads.Add(0, 8, 4, kSource, kDestination, 0, 0);
  quads.Add(0, 8, 4, half, kDestination, 0, 0);
  quads.Add(0, 16, 16, half, kDestination, 0, 0);
  quads.Add(0, 8, 4, kSource, kDestination, 0, 0);
  std::vector<std::array<float, 2>> corner2;
  for (int q = 0; q < quads.QuadCount(); ++q)
    corner2.push_back({quads.Vertices()[q * 4 + 2].u, quads.Vertices()[q * 4 + 2].v});
  EXPECT_EQ(corner2, (std::vector<std::array<float, 2>>{
                         {1.0f, 1.0f}, {0.5f, 0.5f}, {0.25f, 0.125f}, {1.0f, 1.0f}}));
}

TEST(FrameQuads, HashRunsAcrossFramesAndSeesEveryArgument) {
  FrameQuads first, second;
  first.Add(0, 8, 4, kSource, kDestination, 0, 0);
  const uint64_t afterOne = first.Hash();
  first.Clear();
  EXPECT_EQ(first.Hash(), afterOne);
  second.Add(0, 8, 4, kSource, kDestination, 0, 1);
  EXPECT_NE(second.Hash(), afterOne);
}

TEST(NestedFiles, NamesEachNestedFileOnceAndNothingInOtherBytes) {
  test::SubEffectDesc sparks, smoke;
  sparks.effectFile = "sparks.eff";
  smoke.name = "smoke";
  smoke.effectFile = "fx\\smoke.eff";
  test::EffectDesc effect;
  effect.emitters = {test::EmitterRecord({}), test::SubEffectRecord(sparks),
                     test::SubEffectRecord(smoke), test::SubEffectRecord(sparks)};
  const test::Bytes file = test::Encipher(test::EffectRecord(effect));
  EXPECT_EQ(NestedFiles(file.data(), int32_t(file.size())),
            (std::vector<std::string>{"sparks.eff", "fx\\smoke.eff"}));
  const test::Bytes plain = test::EffectRecord(effect);  // not enciphered: no effect file
  EXPECT_TRUE(NestedFiles(plain.data(), int32_t(plain.size())).empty());
  EXPECT_TRUE(NestedFiles(nullptr, 0).empty());
}

}  // namespace
}  // namespace tavrix::web
