// The fixed scene both builds hash, played alone per effect from a fresh player.
#include "SceneHash.h"

#include <cinttypes>
#include <cstdio>
#include <memory>

#include "WebPlayer.h"

namespace tavrix::web {
namespace {

constexpr int32_t kViewSize = 256;
constexpr ImageInfo kAnyImage{0, 256, 256};

}  // namespace

std::string SceneHash(const std::vector<std::string>& effects, int64_t durationMs) {
  uint64_t hash = 0;
  for (const std::string& effect : effects) {
    auto player = std::make_unique<WebPlayer>(kViewSize, kViewSize);
    player->Images().SetFallback(kAnyImage);
    if (player->Open(effect.c_str()) < 0) return "failed: " + effect;
    while (player->Now() < durationMs) {
      player->NextFrame();
      player->Draw();
    }
    hash = hash * 31 + player->Quads().Hash();
  }
  char text[17];
  std::snprintf(text, sizeof text, "%016" PRIx64, hash);
  return text;
}

}  // namespace tavrix::web
