// Plays one effect file through the library's public interface onto the
// software device, as a host would, and hands out rendered frames.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "cli/EffectFiles.h"
#include "cli/ExitCode.h"
#include "common/PngFile.h"
#include "software/SoftwareDevice.h"
#include "tavrix/tavrix.h"

namespace tavrix::tools {

struct PlayerOptions {
  int32_t width = 256, height = 256;    // framebuffer pixels
  float viewWidth = 0, viewHeight = 0;  // view units; 0 takes the framebuffer size
  float x = -1, y = -1;                 // effect position; negative takes the view centre
  uint32_t background = 0xFF000000u;    // A8R8G8B8
  uint32_t prewarmMs = 0;
  std::string root;                           // folder holding image/ and nested effects
  std::vector<int32_t> steps = {17, 17, 16};  // update steps in ms, repeated: a 60 Hz host
  // Where the factory comes from; none takes the shared library's export.
  IParticleSystemFactory* (*makeFactory)() = nullptr;
};

class EffectPlayer {
 public:
  // Loads the effect and starts it; throws ToolError when it cannot.
  EffectPlayer(const std::string& effectPath, const PlayerOptions& options);
  ~EffectPlayer();
  EffectPlayer(const EffectPlayer&) = delete;
  EffectPlayer& operator=(const EffectPlayer&) = delete;

  // Advances the effect's clock to timeMs in the steps of the options, the
  // last one cut to land on timeMs; progress hears the clock now and then.
  void AdvanceTo(int64_t timeMs, const std::function<void(int64_t)>& progress = {});
  Image Frame();
  int64_t NowMs() const { return nowMs_; }
  IParticleSystem& System() { return *system_; }
  int32_t EffectId() const { return id_; }
  const software::SoftwareDevice& Device() const { return device_; }

 private:
  void Start(const std::string& effectPath);
  void Stop();

  PlayerOptions options_;
  software::SoftwareDevice device_;
  HWND__ window_;
  IParticleSystemFactory* factory_ = nullptr;
  IParticleSystem* system_ = nullptr;
  int32_t id_ = -1;
  int64_t nowMs_ = 0;
  size_t nextStep_ = 0;
  std::string previousDirectory_;
};

// A JSON record is loaded from a scratch file: what the library says of
// that file is said of the record the user named.
std::unique_ptr<EffectPlayer> StartPlayer(const PlayableEffect& effect, const std::string& name,
                                          const PlayerOptions& options);

}  // namespace tavrix::tools
