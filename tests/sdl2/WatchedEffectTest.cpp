// The example host's --watch, in-process on SDL's software renderer: a
// texture changed on disk is reloaded with its effect, which stays where it
// stood and at its play time; a broken effect file leaves the last good
// effect drawing and names the library's refusal.
#include <gtest/gtest.h>

#include <SDL.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <tuple>

#include "TestPaths.h"
#include "WatchedEffect.h"
#include "common/PngFile.h"
#include "record/EffectEnvelope.h"
#include "support/TempDir.h"

namespace tavrix::sdl2 {
namespace {

using record::Json;

constexpr float kX = 30, kY = 90;  // away from the window's centre

// The ring sample's one particle, made small, on a plain texture, ended
// hard after 1.5 s.
Json DotEffect() {
  Json ring = Json::parse(std::ifstream(std::string(TAVRIX_SAMPLES_SOURCE) + "/ring.json"));
  Json emitter = ring["emitters"][1];
  for (Json& track : emitter["tracks"])
    if (track["name"] == "BaseX" || track["name"] == "BaseY") track["keys"][0]["value"] = 16;
  emitter.erase("frameAnimation");
  emitter["animated"] = 0;
  emitter["frameSet"] = {
      {"frameSetName", "dot"}, {"textureName", "dot.png"}, {"frames", {{0, 0, 1, 1}}}};
  ring["emitters"] = Json::array({emitter});
  ring["endMode"] = 2;
  ring["durationSeconds"] = 1.5;
  return ring;
}

// Each write moves the modification time on, so that a change within the
// clock's resolution is still seen.
void Touch(const std::string& path) {
  static int writes = 0;
  std::filesystem::last_write_time(
      path, std::filesystem::file_time_type::clock::now() + std::chrono::seconds(++writes));
}

void WriteTexture(const std::string& path, uint32_t colour) {
  std::string error;
  ASSERT_TRUE(tools::WritePng(path, tools::Image(8, 8, colour), error)) << error;
  Touch(path);
}

void WriteBytes(const std::string& path, const record::Bytes& bytes) {
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  Touch(path);
}

class WatchedEffectTest : public testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(root_.File("image"));
    WriteTexture(root_.File("image/dot.png"), 0xFFFF0000u);
    WriteBytes(file_, record::EncipherEffect(record::RecordFromJson(DotEffect())));
    surface_ = SDL_CreateRGBSurfaceWithFormat(0, 128, 128, 32, SDL_PIXELFORMAT_ARGB8888);
    renderer_ = SDL_CreateSoftwareRenderer(surface_);
  }
  void TearDown() override {
    SDL_DestroyRenderer(renderer_);
    SDL_FreeSurface(surface_);
  }

  void Play(ParticleHost& host, WatchedEffect& effect, int32_t ms) {
    host.Update(ms);
    effect.Advance(ms);
  }
  // The looks a saved file needs: one sees the change, the next that it held.
  bool Look(WatchedEffect& effect) { return effect.ReloadIfChanged() || effect.ReloadIfChanged(); }

  // The mean place of the pixels with much of the channel at shift, and
  // how many there are.
  std::tuple<int, float, float> Drawn(ParticleHost& host, int shift) {
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
    host.Draw();
    SDL_RenderPresent(renderer_);
    const auto* pixels = static_cast<const Uint32*>(surface_->pixels);
    int count = 0;
    float x = 0, y = 0;
    for (int i = 0; i < surface_->w * surface_->h; ++i) {
      if (((pixels[i] >> shift) & 255) <= 64) continue;
      ++count;
      x += float(i % surface_->w);
      y += float(i / surface_->w);
    }
    return {count, count ? x / float(count) : 0, count ? y / float(count) : 0};
  }

  test::TempDir root_;
  std::string file_ = root_.File("dot.eff");
  SDL_Surface* surface_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
};

TEST_F(WatchedEffectTest, AChangedTextureReloadsInPlaceAndOnTime) {
  ParticleHost host(renderer_, root_.Path(), 128, 128);
  WatchedEffect effect(host, file_, kX, kY);
  ASSERT_TRUE(effect.Load()) << effect.Error();
  Play(host, effect, 1000);
  EXPECT_FALSE(Look(effect)) << "nothing changed";

  WriteTexture(root_.File("image/dot.png"), 0xFF0000FFu);
  ASSERT_TRUE(Look(effect)) << effect.Error();
  EXPECT_EQ(effect.PlayMs(), 1000);
  Play(host, effect, 20);
  EXPECT_EQ(std::get<0>(Drawn(host, 16)), 0) << "the old red picture is still drawn";
  const auto [blue, x, y] = Drawn(host, 0);
  ASSERT_GT(blue, 20) << "the new blue picture is not drawn";
  EXPECT_NEAR(x, kX, 3);
  EXPECT_NEAR(y, kY, 3);
  // Restarted at 0 it would still draw 600 ms on; at its time it has ended.
  Play(host, effect, 600);
  EXPECT_EQ(std::get<0>(Drawn(host, 0)), 0) << "the reload did not keep the play time";
}

TEST_F(WatchedEffectTest, ABrokenFileKeepsTheLastGoodEffect) {
  ParticleHost host(renderer_, root_.Path(), 128, 128);
  WatchedEffect effect(host, file_, kX, kY);
  ASSERT_TRUE(effect.Load()) << effect.Error();
  Play(host, effect, 100);
  WriteBytes(file_, record::Bytes(40, 0x5A));
  EXPECT_FALSE(Look(effect));
  EXPECT_EQ(effect.Error().rfind("Effect", 0), 0u) << effect.Error();
  Play(host, effect, 20);
  EXPECT_GT(std::get<0>(Drawn(host, 16)), 20) << "the last good effect is gone";
}

}  // namespace
}  // namespace tavrix::sdl2
