// A shown effect reloaded in place, in-process on SDL's software renderer:
// an edited frame rectangle shows after the reload. Frame sets are shared by
// name, so an edited effect loaded beside the old one would keep the old
// frame in front of the new one.
#include <gtest/gtest.h>

#include <SDL.h>

#include <fstream>
#include <nlohmann/json.hpp>

#include "ShownEffect.h"
#include "TestPaths.h"
#include "common/PngFile.h"
#include "support/TempDir.h"

namespace tavrix::viewer {
namespace {

using Json = nlohmann::ordered_json;

// The ring sample's one immortal particle, showing one frame of a texture
// whose left half is red and right half blue.
Json HalvesEffect(float uRight) {
  Json ring = Json::parse(std::ifstream(std::string(TAVRIX_SAMPLES_SOURCE) + "/ring.json"));
  Json emitter = ring["emitters"][1];
  emitter.erase("frameAnimation");
  emitter["animated"] = 0;
  emitter["frameSet"] = {{"frameSetName", "halves"},
                         {"textureName", "halves.png"},
                         {"frames", {{0, 0, uRight, 1}}},
                         {"frameIndex", 0}};
  ring["emitters"] = Json::array({emitter});
  return ring;
}

struct Colours {
  int red = 0, blue = 0;
};

Colours Draw(SDL_Renderer* renderer, SDL_Surface* surface, sdl2::ParticleHost& host) {
  SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
  SDL_RenderClear(renderer);
  host.Draw();
  SDL_RenderPresent(renderer);
  Colours colours;
  const auto* pixels = static_cast<const Uint32*>(surface->pixels);
  for (int i = 0; i < surface->w * surface->h; ++i) {
    colours.red += ((pixels[i] >> 16) & 255) > 64;
    colours.blue += (pixels[i] & 255) > 64;
  }
  return colours;
}

TEST(ShownEffect, AnEditedFrameShowsAfterTheReload) {
  test::TempDir root;
  tools::Image halves(8, 8);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) halves.At(x, y) = x < 4 ? 0xFFFF0000u : 0xFF0000FFu;
  std::string error;
  std::filesystem::create_directories(root.File("image"));
  ASSERT_TRUE(tools::WritePng(root.File("image/halves.png"), halves, error)) << error;
  const std::string file = root.File("halves.json");
  std::ofstream(file) << HalvesEffect(1.0f).dump();

  SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, 128, 128, 32, SDL_PIXELFORMAT_ARGB8888);
  SDL_Renderer* renderer = SDL_CreateSoftwareRenderer(surface);
  {
    sdl2::ParticleHost host(renderer, root.Path(), 128, 128);
    ShownEffect effect(host, file, 64, 64);
    ASSERT_TRUE(effect.LoadFile()) << effect.Error();
    host.Update(100);
    const Colours whole = Draw(renderer, surface, host);
    EXPECT_GT(whole.red, 50);
    EXPECT_GT(whole.blue, 50);

    std::ofstream(file) << HalvesEffect(0.5f).dump();
    ASSERT_TRUE(effect.LoadFile()) << effect.Error();
    host.Update(100);
    const Colours left = Draw(renderer, surface, host);
    EXPECT_GT(left.red, 50);
    EXPECT_EQ(left.blue, 0) << "the old frame is still shown";
  }
  SDL_DestroyRenderer(renderer);
  SDL_FreeSurface(surface);
}

}  // namespace
}  // namespace tavrix::viewer
