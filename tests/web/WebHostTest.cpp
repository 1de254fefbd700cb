// The web host's image loader and frame collection: texture names as effects
// write them, and the runs of quads the page draws with one call each.
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "../../web/host/WebImages.h"

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
  const std::vector<Vertex>& v = quads.Vertices();
  ASSERT_EQ(v.size(), 4u);
  EXPECT_EQ(v[0].x, 30.0f);  // destination corner 3 takes the texture's top-left
  EXPECT_EQ(v[0].y, 20.0f);
  EXPECT_EQ(v[0].u, 0.0f);
  EXPECT_EQ(v[2].u, 1.0f);
  EXPECT_EQ(v[2].v, 1.0f);
  EXPECT_EQ(v[2].x, 10.0f);
  EXPECT_EQ(v[2].y, 40.0f);
  EXPECT_EQ((std::array<int, 4>{v[1].rgba[0], v[1].rgba[1], v[1].rgba[2], v[1].rgba[3]}),
            (std::array<int, 4>{0x10, 0x20, 0x30, 0x80}));
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

}  // namespace
}  // namespace tavrix::web
