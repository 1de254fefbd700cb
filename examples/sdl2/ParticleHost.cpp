#include "ParticleHost.h"

#include <filesystem>

namespace tavrix::sdl2 {
namespace {

namespace fs = std::filesystem;

std::string AbsoluteFolder(const std::string& folder) {
  std::error_code error;
  fs::path path = fs::absolute(folder.empty() ? fs::path(".") : fs::path(folder), error);
  if (error || !fs::is_directory(path, error)) throw HostError(folder + ": no such folder");
  return path.lexically_normal().string();
}

}  // namespace

ParticleHost::ParticleHost(SDL_Renderer* renderer, const std::string& root, int32_t width,
                           int32_t height)
    : target_{renderer, {}, 0},
      loader_(AbsoluteFolder(root), target_),
      window_{0, 0, width, height},
      root_(loader_.Root()),
      startFolder_(fs::current_path().string()) {
  // Nested effect files are found from the current folder, so the host
  // stands in its root while the library runs.
  if (!Enter(root_)) throw HostError(root_ + ": cannot enter the folder");
  factory_ = CreateParticleSystem(0, nullptr);
  system_ = factory_ ? factory_->CreateSystem() : nullptr;
  // No device: the library hands every quad to the loader's images.
  if (!system_ || system_->Initialise(&window_, nullptr, &loader_) != 0) {
    Close();
    throw HostError("the particle system could not be initialised");
  }
  // One view unit per window pixel.
  system_->SetViewSize(float(width), float(height), false);
  system_->SetFinishListener(this);
}

ParticleHost::~ParticleHost() { Close(); }

void ParticleHost::Close() {
  if (system_) {
    system_->SetFinishListener(nullptr);
    system_->Release();
  }
  if (factory_) factory_->Release();
  system_ = nullptr;
  factory_ = nullptr;
  std::error_code ignored;
  fs::current_path(startFolder_, ignored);
}

bool ParticleHost::Enter(const std::string& folder) {
  std::error_code error;
  fs::current_path(folder, error);
  if (!error) loader_.SetRoot(folder);
  return !error;
}

int32_t ParticleHost::LoadEffect(const std::string& path, const std::string& root) {
  const fs::path file = fs::path(startFolder_) / path;  // an absolute path stays as it is
  // The library reads textures and nested files while it loads, and only
  // then: an effect of another folder is loaded standing in that folder.
  const bool elsewhere = !root.empty() && root != root_ && Enter(root);
  const int32_t id = system_->LoadEffect(file.string().c_str());
  if (elsewhere) Enter(root_);
  return id;
}

int32_t ParticleHost::Draw() {
  target_.quadsDrawn = 0;
  return system_->DrawAll();
}

void ParticleHost::OnEffectFinished(int32_t id) {
  if (finished_) finished_(id);
}

}  // namespace tavrix::sdl2
