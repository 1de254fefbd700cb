// What a game in the browser drives: one particle system in image-loader
// mode whose every operation the module exports, its frame collected for
// WebGL or for the game's own renderer, textures fetched once the library
// names them, and the ends of effects kept until the page asks, so that its
// callbacks run outside the library's update.
#pragma once

#include <cstdint>
#include <vector>

#include "FrameQuads.h"
#include "ImageLoaderSystem.h"
#include "WebImages.h"
#include "tavrix/tavrix.h"

namespace tavrix::web {

class GameHost final : public IEffectFinishListener {
 public:
  // Initialises the system for a view of width x height units, one per
  // pixel; the settings come from the module's Particle.ini.
  GameHost(int32_t width, int32_t height);
  ~GameHost();
  GameHost(const GameHost&) = delete;
  GameHost& operator=(const GameHost&) = delete;

  // The result of creating and initialising the system: 0 when it works.
  int32_t Status() const { return system_.Status(); }
  IParticleSystem& System() { return system_.System(); }
  WebImageLoader& Images() { return images_; }
  // The frame BeginFrame starts and DrawEffect or DrawAll fill.
  int32_t BeginFrame();
  int32_t DrawAll();
  const FrameQuads& Quads() const { return quads_; }
  // The effects that reached their end since the last call, in order.
  std::vector<int32_t> TakeFinished() { return std::exchange(finished_, {}); }
  void OnEffectFinished(int32_t id) override { finished_.push_back(id); }

 private:
  FrameQuads quads_{false};
  WebImageLoader images_{quads_};
  ImageLoaderSystem system_;
  std::vector<int32_t> finished_;
};

}  // namespace tavrix::web
