#include "cli/EffectPlayer.h"

#include <algorithm>
#include <filesystem>

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
  if (!std::filesystem::exists(effect)) throw ToolError{ExitFileMissing, effectPath + ": no such file"};
  // Textures are found under image/ of the current directory, and nested
  // effects from it: the root becomes the current directory while playing.
  std::error_code error;
  previousDirectory_ = std::filesystem::current_path(error).string();
  std::string root = options.root.empty() ? std::filesystem::path(effect).parent_path().string()
                                          : Absolute(options.root);
  std::filesystem::current_path(root, error);
  if (error) throw ToolError{ExitFileMissing, root + ": cannot enter folder"};
  factory_ = CreateParticleSystem(0, nullptr);
  system_ = factory_ ? factory_->CreateSystem() : nullptr;
  if (!system_ || system_->Initialise(&window_, &device_, nullptr) != 0)
    throw ToolError{ExitPlaybackFailed, "the particle system could not be initialised"};
  float viewWidth = options.viewWidth > 0 ? options.viewWidth : float(options.width);
  float viewHeight = options.viewHeight > 0 ? options.viewHeight : float(options.height);
  system_->SetViewSize(viewWidth, viewHeight, false);
  id_ = system_->LoadEffect(effect.c_str());
  if (id_ < 0)
    throw ToolError{ExitNotAnEffect, effectPath + ": not a readable effect file (result " +
                                         std::to_string(id_) + ")"};
  // Moving live particles too hands the position on to the copies of
  // sub-effect emitters, whose particles would otherwise stay at the origin.
  system_->SetEffectPosition(id_, options.x >= 0 ? options.x : viewWidth * 0.5f,
                             options.y >= 0 ? options.y : viewHeight * 0.5f, true);
  system_->PlayEffect(id_, options.prewarmMs);
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

void EffectPlayer::AdvanceTo(int64_t timeMs, int32_t stepMs) {
  while (nowMs_ < timeMs) {
    int32_t delta = int32_t(std::min<int64_t>(stepMs, timeMs - nowMs_));
    system_->UpdateAll(delta);
    nowMs_ += delta;
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
