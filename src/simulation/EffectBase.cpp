// The calls an effect makes on every emitter for a sub-effect emitter that
// plays it as a copy, and the count of its live particles.
#include "simulation/EffectBase.h"

namespace tavrix {

void EffectBase::SetBaseSpeed(float v) {
  for (IParticleEmitter* emitter : emitters) emitter->SetBaseSpeed(v);
}

void EffectBase::SetBaseEmissionAngle(float v) {
  for (IParticleEmitter* emitter : emitters) emitter->SetBaseEmissionAngle(v);
}

void EffectBase::SetEmitterPositions(float x, float y) {
  for (IParticleEmitter* emitter : emitters) emitter->SetPosition(x, y);
}

int32_t EffectBase::GetParticleCount() {
  int32_t total = 0;
  for (IParticleEmitter* emitter : emitters) total += emitter->GetParticleCount();
  return total;
}

}  // namespace tavrix
