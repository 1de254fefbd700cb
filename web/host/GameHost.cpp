// The game's particle system: created, initialised and listened to.
#include "GameHost.h"

namespace tavrix::web {

GameHost::GameHost(int32_t width, int32_t height) : window_{0, 0, width, height} {
  images_.DeferUnknown();
  factory_ = CreateParticleSystem(0, nullptr);
  system_ = factory_ ? factory_->CreateSystem() : nullptr;
  if (!system_) {
    status_ = -1;
    return;
  }
  status_ = system_->Initialise(&window_, nullptr, &images_);
  if (status_ != 0) return;
  system_->SetViewSize(float(width), float(height), false);
  system_->SetFinishListener(this);
}

GameHost::~GameHost() {
  if (system_) {
    system_->SetFinishListener(nullptr);
    system_->Release();
  }
  if (factory_) factory_->Release();
}

int32_t GameHost::BeginFrame() {
  quads_.Clear();
  return system_->BeginFrame();
}

int32_t GameHost::DrawAll() {
  quads_.Clear();
  return system_->DrawAll();
}

}  // namespace tavrix::web
