// The SDL2 host's image adapter: quads from the library's own image renderer
// turned into SDL vertices with the texture's top-left on corner 0 (as the
// device renderer shows it), colours and blend modes, the host's view
// transform, one quad drawn for real on SDL's software renderer, and the
// library's texture paths found under the root.
#include <gtest/gtest.h>

#include <SDL.h>

#include "ImagePath.h"
#include "QuadGeometry.h"
#include "SdlImages.h"
#include "render/ImageRenderer.h"
#include "resources/CTexture.h"
#include "resources/FrameSet.h"
#include "resources/TextureManager.h"
#include "support/RecordingImage.h"
#include "support/posix/TextureEnvironment.h"

namespace tavrix::sdl2 {
namespace {

// One quad drawn by the library's image renderer, as the host receives it.
test::RecordedImageDraw DrawnByLibrary(const QuadPoint (&corners)[4], float x, float y) {
  test::TextureEnvironment env;
  test::RecordingImageLoader loader;
  loader.Provide("image\\t.png", 64, 32);
  TextureManager manager{TextureManager::ImageLoaderMode};
  manager.SetImageLoader(&loader);
  auto* frames = static_cast<FrameSet*>(manager.Acquire(TextureManager::FrameSetKind, "f"));
  frames->SetTexture("t.png");
  HWND__ window{0, 0, 640, 480};
  ImageRenderer renderer{&window};
  renderer.Bind(false, frames);
  renderer.DrawQuad(corners, UvRect{0, 0, 1, 1}, 0, 4, x, y);
  auto* image = static_cast<test::RecordingImage*>(
      dynamic_cast<ImageTexture*>(frames->Texture())->GetImage());
  test::RecordedImageDraw draw = image->draws.at(0);
  manager.Release(frames);
  return draw;
}

TEST(SdlAdapter, TextureCornersLandOnTheCornersTheDeviceRendererGivesThem) {
  // A turned, uneven quad: no corner can stand in for another.
  const QuadPoint corners[4] = {{10, 0}, {30, 10}, {20, 40}, {0, 20}};
  const test::RecordedImageDraw draw = DrawnByLibrary(corners, 100, 200);
  SDL_Vertex vertices[4];
  QuadVertices(draw.source.data(), draw.destination.data(), 0, 64, 32, ViewTransform{}, vertices);
  // Device renderer: corner 0 (uLeft, vTop), 1 (uRight, vTop), 2 (uRight, vBottom), 3 (uLeft,
  // vBottom).
  const SDL_FPoint uv[4] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
  for (int corner = 0; corner < 4; ++corner) {
    const SDL_Vertex* match = nullptr;
    for (const SDL_Vertex& v : vertices)
      if (v.tex_coord.x == uv[corner].x && v.tex_coord.y == uv[corner].y) match = &v;
    ASSERT_NE(match, nullptr) << corner;
    EXPECT_EQ(match->position.x, 100 + corners[corner].x) << corner;
    EXPECT_EQ(match->position.y, 200 + corners[corner].y) << corner;
  }
}

TEST(SdlAdapter, ColourBlendModeAndViewTransform) {
  EXPECT_EQ(BlendModeFor(1), SDL_BLENDMODE_ADD);
  EXPECT_EQ(BlendModeFor(0), SDL_BLENDMODE_BLEND);
  const Point source[4] = {{16, 8}, {32, 8}, {32, 16}, {16, 16}};
  const Point destination[4] = {{0, 10}, {10, 10}, {10, 0}, {0, 0}};
  SDL_Vertex v[4];
  QuadVertices(source, destination, 0x80FF4020u, 64, 32, ViewTransform{2.0f, 5.0f, -3.0f}, v);
  for (const SDL_Vertex& vertex : v) {
    EXPECT_EQ(vertex.color.r, 0xFF);
    EXPECT_EQ(vertex.color.g, 0x40);
    EXPECT_EQ(vertex.color.b, 0x20);
    EXPECT_EQ(vertex.color.a, 0x80);
  }
  EXPECT_FLOAT_EQ(v[0].tex_coord.x, 0.25f);
  EXPECT_FLOAT_EQ(v[2].tex_coord.y, 0.5f);
  EXPECT_FLOAT_EQ(v[2].position.x, 25.0f);  // destination 1 is (10, 10): 10 * 2 + 5
  EXPECT_FLOAT_EQ(v[2].position.y, 17.0f);
  const SDL_FPoint back = ViewTransform{2.0f, 5.0f, -3.0f}.ToView(25.0f, 17.0f);
  EXPECT_FLOAT_EQ(back.x, 10.0f);
  EXPECT_FLOAT_EQ(back.y, 10.0f);
}

// A 2 x 2 texture of four colours drawn on a 32 x 32 software surface: its
// top-left texel must cover the top-left of the quad, and the additive quad
// adds its colour, scaled by alpha, to what is there.
TEST(SdlAdapter, DrawsTheQuadOnTheSoftwareRenderer) {
  SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, 32, 32, 32, SDL_PIXELFORMAT_ARGB8888);
  SDL_Renderer* renderer = SDL_CreateSoftwareRenderer(surface);
  ASSERT_NE(renderer, nullptr) << SDL_GetError();
  SDL_Texture* texture =
      SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC, 2, 2);
  const Uint32 texels[4] = {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0xFFFFFFFFu};
  SDL_UpdateTexture(texture, nullptr, texels, 8);
  DrawTarget target{renderer, {}, 0};
  SdlImage image(texture, 2, 2, target);
  const Point source[4] = {{0, 0}, {2, 0}, {2, 2}, {0, 2}};
  const Point destination[4] = {{0, 32}, {32, 32}, {32, 0}, {0, 0}};  // corners 3, 2, 1, 0
  SDL_SetRenderDrawColor(renderer, 0, 0, 16, 255);
  SDL_RenderClear(renderer);
  image.Draw(source, destination, 0x80FFFFFFu, 1);
  SDL_RenderPresent(renderer);
  auto pixel = [&](int x, int y) {
    return static_cast<Uint32*>(surface->pixels)[y * 32 + x] & 0xFFFFFFu;
  };
  EXPECT_EQ(pixel(4, 4), 0x800010u);   // red texel at half strength, added to the blue ground
  EXPECT_EQ(pixel(27, 4), 0x008010u);  // green: top right
  EXPECT_EQ(pixel(4, 27), 0x000090u);  // blue: bottom left
  EXPECT_EQ(target.quadsDrawn, 1u);
  SDL_DestroyTexture(texture);
  SDL_DestroyRenderer(renderer);
  SDL_FreeSurface(surface);
}

TEST(SdlAdapter, LibraryTexturePathsResolveUnderTheRoot) {
  test::TempDir root;
  const std::string file = root.Write("Image/Sparks/Fire.PNG", "x");
  root.Write("image.png", "x");
  EXPECT_EQ(ResolveImagePath(root.Path(), "image\\sparks\\fire.png"), file);
  EXPECT_EQ(ResolveImagePath(root.Path(), "IMAGE/Sparks\\.\\FIRE.png"), file);
  EXPECT_EQ(ResolveImagePath(root.Path(), "image\\sparks\\missing.png"), "");
  EXPECT_EQ(ResolveImagePath(root.Path(), "image\\sparks"), "");  // a folder is no image
  EXPECT_EQ(ResolveImagePath(root.Path(), "image\\..\\image.png"), "");
  EXPECT_EQ(ResolveImagePath(root.Path(), file), "");
  EXPECT_EQ(ResolveImagePath(root.Path(), "C:\\image.png"), "");
}

}  // namespace
}  // namespace tavrix::sdl2
