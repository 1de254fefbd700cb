// A shown effect in-process on SDL's software renderer: reloaded in place,
// an edited frame rectangle shows after the reload (frame sets are shared by
// name, so an edited effect loaded beside the old one would keep the old
// frame in front of the new one); a file of another folder than the host's
// finds its textures beside itself; the editor takes the paths a user types
// from where the viewer started, not from the textures' folder the host
// stands in.
#include <gtest/gtest.h>

#include <SDL.h>

#include <fstream>
#include <nlohmann/json.hpp>

#include "ShownEffect.h"
#include "TestPaths.h"
#include "common/PngFile.h"
#include "editor/EditorSession.h"
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

// The effect file in folder, its texture in folder's image/.
std::string WriteHalves(const test::TempDir& folder) {
  tools::Image halves(8, 8);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) halves.At(x, y) = x < 4 ? 0xFFFF0000u : 0xFF0000FFu;
  std::string error;
  std::filesystem::create_directories(folder.File("image"));
  EXPECT_TRUE(tools::WritePng(folder.File("image/halves.png"), halves, error)) << error;
  const std::string file = folder.File("halves.json");
  std::ofstream(file) << HalvesEffect(1.0f).dump();
  return file;
}

class ShownEffectTest : public testing::Test {
 protected:
  ~ShownEffectTest() override {
    SDL_DestroyRenderer(renderer_);
    SDL_FreeSurface(surface_);
  }
  Colours DrawFrame(sdl2::ParticleHost& host) {
    host.Update(100);
    return Draw(renderer_, surface_, host);
  }

  SDL_Surface* surface_ = SDL_CreateRGBSurfaceWithFormat(0, 128, 128, 32, SDL_PIXELFORMAT_ARGB8888);
  SDL_Renderer* renderer_ = SDL_CreateSoftwareRenderer(surface_);
};

TEST_F(ShownEffectTest, AnEditedFrameShowsAfterTheReload) {
  test::TempDir root;
  const std::string file = WriteHalves(root);
  sdl2::ParticleHost host(renderer_, root.Path(), 128, 128);
  ShownEffect effect(host, file, root.Path(), 64, 64);
  ASSERT_TRUE(effect.LoadFile()) << effect.Error();
  const Colours whole = DrawFrame(host);
  EXPECT_GT(whole.red, 50);
  EXPECT_GT(whole.blue, 50);

  std::ofstream(file) << HalvesEffect(0.5f).dump();
  ASSERT_TRUE(effect.LoadFile()) << effect.Error();
  const Colours left = DrawFrame(host);
  EXPECT_GT(left.red, 50);
  EXPECT_EQ(left.blue, 0) << "the old frame is still shown";
}

TEST_F(ShownEffectTest, AFileOfAnotherFolderFindsItsTexturesBesideItself) {
  test::TempDir hostRoot, other;
  const std::string file = WriteHalves(other);
  sdl2::ParticleHost host(renderer_, hostRoot.Path(), 128, 128);
  ShownEffect effect(host, file, other.Path(), 64, 64);
  ASSERT_TRUE(effect.LoadFile()) << effect.Error();
  const Colours drawn = DrawFrame(host);
  EXPECT_GT(drawn.red, 50);
  EXPECT_GT(drawn.blue, 50);
  // Nested effects of the host's own files are still found from its root.
  EXPECT_EQ(std::filesystem::current_path(), std::filesystem::path(hostRoot.Path()));
}

TEST_F(ShownEffectTest, TheEditorTakesTypedPathsFromWhereTheViewerStarted) {
  test::TempDir root, start;
  const std::string file = WriteHalves(root);
  sdl2::ParticleHost host(renderer_, root.Path(), 128, 128);
  ShownEffect effect(host, file, root.Path(), 64, 64);
  editor::EditorSession session(effect, file, editor::RecentFiles(start.File("recent")),
                                start.Path());
  ASSERT_TRUE(session.SaveAs("copy.json")) << session.Status();
  EXPECT_TRUE(std::filesystem::exists(start.File("copy.json")));
  EXPECT_FALSE(std::filesystem::exists(root.File("copy.json")));
  EXPECT_TRUE(session.Open("copy.json")) << session.Status();
}

}  // namespace
}  // namespace tavrix::viewer
