// The library embedded in an SDL2 program: a particle system in image-loader
// mode whose images are SDL textures, effects loaded by path, and the frame
// (UpdateAll, then DrawAll). The example host and the viewer both run on it.
#pragma once

#include <SDL.h>

#include <functional>
#include <stdexcept>
#include <string>

#include "SdlImages.h"
#include "tavrix/tavrix.h"

namespace tavrix::sdl2 {

struct HostError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

class ParticleHost final : private IEffectFinishListener {
 public:
  // root holds image/ and the nested effect files; while the host lives it
  // is the current folder, where the library finds nested effects. Throws
  // HostError when the library cannot be set up.
  ParticleHost(SDL_Renderer* renderer, const std::string& root, int32_t width, int32_t height);
  ~ParticleHost();
  ParticleHost(const ParticleHost&) = delete;
  ParticleHost& operator=(const ParticleHost&) = delete;

  // The new effect's identifier, or the library's negative result code. A
  // relative path is taken from the folder the program started in. Its
  // textures and nested files are found under root, an absolute folder
  // (empty: the host's).
  int32_t LoadEffect(const std::string& path, const std::string& root = {});
  IParticleSystem& System() { return *system_; }
  DrawTarget& Target() { return target_; }
  // The folder holding image/ and the nested effect files.
  const std::string& Root() const { return root_; }

  // Called from inside Update with each effect that reached its end.
  void OnFinished(std::function<void(int32_t)> handler) { finished_ = std::move(handler); }
  void Update(int32_t elapsedMs) { system_->UpdateAll(elapsedMs); }
  // Draws every effect; the number of quads drawn is in Target().quadsDrawn.
  int32_t Draw();

 private:
  void OnEffectFinished(int32_t id) override;
  void Close();
  bool Enter(const std::string& folder);

  DrawTarget target_;
  SdlImageLoader loader_;
  HWND__ window_;
  std::string root_, startFolder_;
  IParticleSystemFactory* factory_ = nullptr;
  IParticleSystem* system_ = nullptr;
  std::function<void(int32_t)> finished_;
};

}  // namespace tavrix::sdl2
