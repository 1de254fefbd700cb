// The image renderer: source points in texture pixels, destination points
// rounded from view coordinates, the bound image's size, the additive flag's
// life and the view-size rules.
#include <gtest/gtest.h>

#include <limits>

#include "render/ImageRenderer.h"
#include "resources/CTexture.h"
#include "resources/FrameSet.h"
#include "resources/TextureManager.h"
#include "support/RecordingImage.h"
#include "support/posix/TextureEnvironment.h"

namespace tavrix {
namespace {

using test::RecordingImage;

class ImageRendererTest : public ::testing::Test {
 protected:
  ImageRendererTest() {
    manager.SetImageLoader(&loader);
    loader.Provide("image\\spark.png", 64, 32);
    loader.Provide("image\\big.png", 128, 256);
  }
  ~ImageRendererTest() override {
    for (FrameSet* frames : acquired) manager.Release(frames);
  }

  FrameSet* Frames(const char* name, const char* texture) {
    auto* frames = static_cast<FrameSet*>(manager.Acquire(TextureManager::FrameSetKind, name));
    frames->SetTexture(texture);
    acquired.push_back(frames);
    return frames;
  }

  static RecordingImage* ImageOf(FrameSet* frames) {
    return static_cast<RecordingImage*>(dynamic_cast<ImageTexture*>(frames->Texture())->GetImage());
  }

  test::TextureEnvironment env;
  test::RecordingImageLoader loader;
  TextureManager manager{TextureManager::ImageLoaderMode};
  std::vector<FrameSet*> acquired;
  HWND__ window{0, 0, 640, 480};
  ImageRenderer renderer{&window};
  const QuadPoint square[4] = {{0, 0}, {8, 0}, {8, 8}, {0, 8}};
};

void ExpectPoints(const std::array<Point, 4>& points, const Point (&expected)[4]) {
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(points[i].x, expected[i].x) << i;
    EXPECT_EQ(points[i].y, expected[i].y) << i;
  }
}

TEST_F(ImageRendererTest, SourcePointsAreTheUvRectangleInImagePixels) {
  FrameSet* frames = Frames("f", "spark.png");
  renderer.Bind(false, frames);
  EXPECT_EQ(renderer.TextureWidth(), 64);
  EXPECT_EQ(renderer.TextureHeight(), 32);
  renderer.DrawQuad(square, UvRect{0, 0, 1, 1}, 0x11223344u, 4, 0, 0);
  renderer.DrawQuad(square, UvRect{0.5f, 0, 1, 0.5f}, 0x11223344u, 4, 0, 0);
  RecordingImage* image = ImageOf(frames);
  ASSERT_EQ(image->draws.size(), 2u);
  ExpectPoints(image->draws[0].source, {{0, 0}, {64, 0}, {64, 32}, {0, 32}});
  ExpectPoints(image->draws[1].source, {{32, 0}, {64, 0}, {64, 16}, {32, 16}});
  EXPECT_EQ(image->draws[0].colour, 0x11223344u);
  EXPECT_EQ(image->draws[0].additive, 0);
}

TEST_F(ImageRendererTest, DestinationPointsRunFromCornerThreeAndRoundHalfUp) {
  FrameSet* frames = Frames("f", "spark.png");
  renderer.Bind(true, frames);
  const QuadPoint corners[4] = {{0.4f, 0.0f}, {0.5f, 1.0f}, {-10.7f, 2.0f}, {5.0f, -10.3f}};
  renderer.DrawQuad(corners, UvRect{0, 0, 1, 1}, 0, 4, 10.0f, 10.0f);
  RecordingImage* image = ImageOf(frames);
  ASSERT_EQ(image->draws.size(), 1u);
  // x + corner.x: 10.4 → 10, 10.5 → 11, −0.7 → 0; corner 3, 2, 1, 0.
  ExpectPoints(image->draws[0].destination, {{15, 0}, {0, 12}, {11, 11}, {10, 10}});
  EXPECT_EQ(image->draws[0].additive, 1);
}

TEST_F(ImageRendererTest, ATextureWithoutAnImageKeepsTheSizeAndDrawsNothing) {
  FrameSet* spark = Frames("f", "spark.png");
  FrameSet* gone = Frames("g", "gone.png");
  renderer.Bind(false, spark);
  renderer.Bind(false, gone);
  EXPECT_EQ(renderer.TextureWidth(), 64);
  EXPECT_EQ(renderer.TextureHeight(), 32);
  EXPECT_EQ(renderer.DrawQuad(square, UvRect{0, 0, 1, 1}, 0, 4, 0, 0), 0);
  EXPECT_TRUE(ImageOf(spark)->draws.empty());
  renderer.Bind(false, nullptr);
  renderer.DrawQuad(square, UvRect{0, 0, 1, 1}, 0, 4, 0, 0);
  EXPECT_TRUE(ImageOf(spark)->draws.empty());
}

TEST_F(ImageRendererTest, EndFrameClearsOnlyTheAdditiveFlagAndResetUnbinds) {
  FrameSet* frames = Frames("f", "big.png");
  renderer.Bind(true, frames);
  renderer.EndFrame();
  EXPECT_FALSE(renderer.Additive());
  renderer.DrawQuad(square, UvRect{0, 0, 1, 1}, 0, 4, 0, 0);
  RecordingImage* image = ImageOf(frames);
  ASSERT_EQ(image->draws.size(), 1u);
  EXPECT_EQ(image->draws[0].additive, 0);
  ExpectPoints(image->draws[0].source, {{0, 0}, {128, 0}, {128, 256}, {0, 256}});
  renderer.Reset();
  renderer.DrawQuad(square, UvRect{0, 0, 1, 1}, 0, 4, 0, 0);
  EXPECT_EQ(image->draws.size(), 1u);
}

TEST_F(ImageRendererTest, ViewSizeIsStoredAndDoesNotChangeDrawing) {
  FrameSet* frames = Frames("f", "spark.png");
  renderer.Bind(false, frames);
  renderer.DrawQuad(square, UvRect{0, 0, 1, 1}, 0, 4, 20.0f, 30.0f);
  renderer.SetViewSize(800.0f, 0.0f, true);
  EXPECT_EQ(renderer.ViewWidth(), 800);
  EXPECT_EQ(renderer.ViewHeight(), 600);
  renderer.DrawQuad(square, UvRect{0, 0, 1, 1}, 0, 4, 20.0f, 30.0f);
  RecordingImage* image = ImageOf(frames);
  ASSERT_EQ(image->draws.size(), 2u);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(image->draws[0].destination[i].x, image->draws[1].destination[i].x);
    EXPECT_EQ(image->draws[0].destination[i].y, image->draws[1].destination[i].y);
  }
  renderer.SetViewSize(320.7f, 200.9f, false);
  EXPECT_EQ(renderer.ViewWidth(), 320);
  EXPECT_EQ(renderer.ViewHeight(), 200);
}

struct Extreme {
  float value;
  int32_t destination;  // value + 0.5
  int32_t source;       // value x 32, the image's height
};

class ImageRendererExtreme : public ImageRendererTest,
                             public ::testing::WithParamInterface<Extreme> {};

// One value past the int32 range, or NaN, in a corner and in the uv saturates
// or gives 0 there, while the ordinary values of the same quad stay exact.
TEST_P(ImageRendererExtreme, SaturatesOrGivesZeroAndLeavesTheRestExact) {
  const auto [value, destination, source] = GetParam();
  FrameSet* frames = Frames("f", "spark.png");
  renderer.Bind(false, frames);
  const QuadPoint corners[4] = {{value, 0}, {8, 0}, {8, 8}, {0, value}};
  renderer.DrawQuad(corners, UvRect{0, value, 1, 1}, 0, 4, 0, 0);
  RecordingImage* image = ImageOf(frames);
  ASSERT_EQ(image->draws.size(), 1u);
  ExpectPoints(image->draws[0].destination, {{0, destination}, {8, 8}, {8, 0}, {destination, 0}});
  ExpectPoints(image->draws[0].source, {{0, source}, {64, source}, {64, 32}, {0, 32}});
}

INSTANTIATE_TEST_SUITE_P(
    ImageRenderer, ImageRendererExtreme,
    ::testing::Values(Extreme{std::numeric_limits<float>::quiet_NaN(), 0, 0},
                      Extreme{std::numeric_limits<float>::infinity(), INT32_MAX, INT32_MAX},
                      Extreme{-std::numeric_limits<float>::infinity(), INT32_MIN, INT32_MIN},
                      Extreme{2147483648.0f, INT32_MAX, INT32_MAX},
                      Extreme{-2147483648.0f, INT32_MIN, INT32_MIN},
                      Extreme{1.0e9f, 1000000000, INT32_MAX},
                      Extreme{-1.0e6f, -999999, -32000000}));

TEST(ImageRendererClient, AZeroWidthClientGivesASquareView) {
  ImageRenderer renderer(nullptr);
  renderer.SetViewSize(800.0f, 0.0f, false);
  EXPECT_EQ(renderer.ViewHeight(), 800);
  EXPECT_EQ(renderer.BoundTexture(), nullptr);
  EXPECT_EQ(renderer.TextureWidth(), 0);
}

}  // namespace
}  // namespace tavrix
