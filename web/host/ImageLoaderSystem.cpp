// Creating, initialising and releasing a web host's particle system.
#include "ImageLoaderSystem.h"

namespace tavrix::web {

ImageLoaderSystem::ImageLoaderSystem(int32_t width, int32_t height, IParticleImageLoader& images)
    : window_{0, 0, width, height} {
  factory_ = CreateParticleSystem(0, nullptr);
  system_ = factory_ ? factory_->CreateSystem() : nullptr;
  if (!system_) return;
  status_ = system_->Initialise(&window_, nullptr, &images);
  if (status_ == 0) system_->SetViewSize(float(width), float(height), false);
}

ImageLoaderSystem::~ImageLoaderSystem() {
  if (system_) system_->Release();
  if (factory_) factory_->Release();
}

}  // namespace tavrix::web
