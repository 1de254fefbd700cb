#include "cli/EffectPlayer.h"

#include <algorithm>
#include <filesystem>

#include "cli/ResultText.h"
#include "tavrix/ResultCode.h"

namespace tavrix::tools {
namespace {

std::string Absolute(const std::string& path) {
  std::error_code ignored;
  return std::filesystem::absolute(path, ignored).string();
}

}  // namespace

EffectPlayer::EffectPlayer(const std::string& effectPath, const PlayerOptions& options)
    : options_(options),
      device_(software::DeviceOptions{UINT(options.width), UINT(options.height)}),
      window_{0, 0, options.width, options.height} {
  try {
    Start(effectPath);
  } catch (...) {
    Stop();
    throw;
  }
}

void EffectPlayer::Start(const std::string& effectPath) {
  const PlayerOptions& options = options_;
  std::string effect = Absolute(effectPath);
  if (!std::filesystem::exists(effect))
    throw ToolError{ExitFileMissing, effectPath + ": no such file"};
  // Textures are found under image/ of the current directory, and nested
  // effects from it: the root becomes the current directory while playing.
  std::error_code error;
  previousDirectory_ = std::filesystem::current_path(error).string();
  std::string root = options.root.empty() ? std::filesystem::path(effect).parent_path().string()
                                          : Absolute(options.root);
  std::filesystem::current_path(root, error);
  if (error) throw ToolError{ExitFileMissing, root + ": cannot enter folder"};
  factory_ = options.makeFactory ? options.makeFactory() : CreateParticleSystem(0, nullptr);
  system_ = factory_ ? factory_->CreateSystem() : nullptr;
  if (!system_) throw ToolError{ExitPlaybackFailed, "the particle system could not be created"};
  const int32_t initialised = system_->Initialise(&window_, &device_, nullptr);
  if (initialised != 0)
    throw ToolError{ExitPlaybackFailed,
                    "the particle system could not be initialised: " + ResultText(initialised)};
  float viewWidth = options.viewWidth > 0 ? options.viewWidth : float(options.width);
  float viewHeight = options.viewHeight > 0 ? options.viewHeight : float(options.height);
  system_->SetViewSize(viewWidth, viewHeight, false);
  id_ = system_->LoadEffect(effect.c_str());
  if (id_ == Disabled)
    throw ToolError{ExitPlaybackFailed,
                    effectPath + ": the library plays no effect here: " + ResultText(id_) +
                        " (a Particle.ini beside the tavrix program switches effects off)"};
  if (id_ < 0)
    throw ToolError{id_ == EffectFileOpenFailed ? ExitFileMissing : ExitNotAnEffect,
                    effectPath + ": the library does not load it: " + ResultText(id_)};
  // Moving live particles too hands the position on to the copies of
  // sub-effect emitters, whose particles would otherwise stay at the origin.
  system_->SetEffectPosition(id_, options.x >= 0 ? options.x : viewWidth * 0.5f,
                             options.y >= 0 ? options.y : viewHeight * 0.5f, true);
  const int32_t played = system_->PlayEffect(id_, options.prewarmMs);
  if (played < 0)
    throw ToolError{ExitPlaybackFailed,
                    effectPath + ": the library does not play it: " + ResultText(played)};
}

EffectPlayer::~EffectPlayer() { Stop(); }

void EffectPlayer::Stop() {
  if (system_) system_->Release();
  if (factory_) factory_->Release();
  system_ = nullptr;
  factory_ = nullptr;
  std::error_code ignored;
  if (!previousDirectory_.empty()) std::filesystem::current_path(previousDirectory_, ignored);
}

void EffectPlayer::AdvanceTo(int64_t timeMs, const std::function<void(int64_t)>& progress) {
  const std::vector<int32_t>& steps = options_.steps;
  for (int64_t count = 1; nowMs_ < timeMs; ++count) {
    const int32_t delta = int32_t(std::min<int64_t>(steps[nextStep_], timeMs - nowMs_));
    nextStep_ = (nextStep_ + 1) % steps.size();
    system_->UpdateAll(delta);
    nowMs_ += delta;
    if (progress && count % 256 == 0) progress(nowMs_);
  }
}

std::unique_ptr<EffectPlayer> StartPlayer(const PlayableEffect& effect, const std::string& name,
                                          const PlayerOptions& options) {
  try {
    return std::make_unique<EffectPlayer>(effect.Path(), options);
  } catch (ToolError& e) {
    if (e.message.rfind(effect.Path(), 0) == 0) e.message.replace(0, effect.Path().size(), name);
    throw;
  }
}

Image EffectPlayer::Frame() {
  device_.Clear(0, nullptr, D3DCLEAR_TARGET, options_.background, 1.0f, 0);
  system_->DrawAll();
  Image image(options_.width, options_.height);
  std::copy(device_.Pixels(), device_.Pixels() + image.pixels.size(), image.pixels.begin());
  return image;
}

}  // namespace tavrix::tools
