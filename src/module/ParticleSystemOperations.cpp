// The guarded operations of a particle system, each forwarded to its
// registry or renderer.
#include "base/ProcessSlots.h"
#include "module/ParticleSystem.h"
#include "registry/EffectRegistry.h"
#include "tavrix/ResultCode.h"

namespace tavrix {

int32_t ParticleSystem::SetViewSize(float width, float height, bool applyViewport) {
  if (!renderer_) return ViewNoRenderer;
  if (!enabled_) return Disabled;
  return renderer_->SetViewSize(width, height, applyViewport);
}

int32_t ParticleSystem::LoadEffect(const char* path) {
  if (int32_t guard = Guard(LoadNoRegistry)) return guard;
  return registry_->LoadEffect(path);
}

int32_t ParticleSystem::UnloadEffect(int32_t id) {
  if (int32_t guard = Guard(UnloadNoRegistry)) return guard;
  return registry_->UnloadEffect(id);
}

int32_t ParticleSystem::SetEffectPosition(int32_t id, float x, float y, bool moveLiveParticles) {
  if (int32_t guard = Guard(PositionNoRegistry)) return guard;
  return registry_->SetEffectPosition(id, x, y, moveLiveParticles);
}

int32_t ParticleSystem::PlayEffect(int32_t id, uint32_t prewarmMs) {
  if (int32_t guard = Guard(PlayNoRegistry)) return guard;
  return registry_->PlayEffect(id, prewarmMs);
}

int32_t ParticleSystem::ClearEffect(int32_t id) {
  if (int32_t guard = Guard(ClearNoRegistry)) return guard;
  return registry_->ClearEffect(id);
}

int32_t ParticleSystem::UpdateAllTo(int32_t timeMs) {
  if (int32_t guard = Guard(UpdateNoRegistry)) return guard;
  return registry_->AdvanceAllTo(timeMs);
}

int32_t ParticleSystem::UpdateEffect(int32_t id, int32_t deltaMs) {
  if (int32_t guard = Guard(UpdateNoRegistry)) return guard;
  return registry_->AdvanceEffectBy(id, deltaMs);
}

int32_t ParticleSystem::UpdateAll(int32_t deltaMs) {
  if (int32_t guard = Guard(UpdateNoRegistry)) return guard;
  return registry_->AdvanceAllBy(deltaMs);
}

int32_t ParticleSystem::SaveEffect(const char* path) {
  if (int32_t guard = Guard(SaveNoRegistry)) return guard;
  return registry_->SaveFirstEffect(path);
}

int32_t ParticleSystem::DrawEffect(int32_t id) {
  if (!enabled_) return Disabled;
  if (!Registry() || !renderer_) return Success;
  return registry_->DrawEffect(*renderer_, id);
}

int32_t ParticleSystem::DrawAll() {
  if (!renderer_) return DrawNoRenderer;
  if (!enabled_) return Disabled;
  renderer_->BeginFrame();
  if (EffectRegistry* registry = Registry()) {
    int32_t result = registry->DrawAll(*renderer_);
    if (result < 0) return result;
  }
  return renderer_->EndFrame();
}

void ParticleSystem::SetFinishListener(IEffectFinishListener* listener) {
  SetCurrentFinishListener(listener);
}

int32_t ParticleSystem::BeginFrame() { return renderer_ ? renderer_->BeginFrame() : 0; }

int32_t ParticleSystem::EndFrame() { return renderer_ ? renderer_->EndFrame() : 0; }

int32_t ParticleSystem::GetEffectCount() {
  EffectRegistry* registry = Registry();
  return registry ? registry->EffectCount() : 0;
}

int32_t ParticleSystem::GetEffectWidth(int32_t id) {
  EffectRegistry* registry = Registry();
  return registry ? registry->GetEffectWidth(id) : 0;
}

int32_t ParticleSystem::GetEffectHeight(int32_t id) {
  EffectRegistry* registry = Registry();
  return registry ? registry->GetEffectHeight(id) : 0;
}

}  // namespace tavrix
