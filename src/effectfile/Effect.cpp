// The Effect's construction and teardown, its key table, its frame and size
// queries, and the services it gives its emitters: particle records from the
// owner's pool and the calls the sub-effect emitter makes on every emitter.
#include "effectfile/Effect.h"

#include "base/SafeConvert.h"
#include "effectfile/EffectTracks.h"
#include "registry/EffectRegistry.h"
#include "tavrix/ResultCode.h"

namespace tavrix {

const TrackDefault<Effect> EffectTrackDefaults[EffectTrackCount] = {
    {"ScaleLife", &Effect::ScaleLife, 1000, 0, 100, 1},
    {"ScaleQuantity", &Effect::ScaleQuantity, 1000, 0, 100, 1},
    {"ScaleX", &Effect::ScaleX, 1000, 0, 100, 1},
    {"ScaleY", &Effect::ScaleY, 1000, 0, 100, 1},
    {"ScaleSpeed", &Effect::ScaleSpeed, 1000, 0, 100, 1},
    {"ScaleSpin", &Effect::ScaleSpin, 1000, -100, 100, 1},
    {"ScaleFixedForce", &Effect::ScaleFixedForce, 1000, -100, 100, 1},
    {"ScaleRand", &Effect::ScaleRand, 1000, 0, 100, 1},
    {"ScaleVisible", &Effect::ScaleVisible, 1000, 0, 100, 1},
    {"BaseEmissionForce", &Effect::BaseEmissionForce, 1000, -1000, 1000, 5},
    {"VarEmissionForce", &Effect::VarEmissionForce, 1000, 0, 2000, 0},
    {"BaseEmissionAngle", &Effect::BaseEmissionAngle, 1000, -3600, 3600, 0},
    {"VarEmissionAngle", &Effect::VarEmissionAngle, 1000, 0, 720, 0},
    {"BaseEmissionArc", &Effect::BaseEmissionArc, 1000, 0, 360, 360},
    {"VarEmissionArc", &Effect::VarEmissionArc, 1000, 0, 720, 0},
    {"speed_whole", &Effect::speed_whole, 1, 0, 100, 1},
    {"gravity", &Effect::gravity, 1, 0, 100, 0},
    {"sizeEffect", &Effect::sizeEffect, 400, 400, 0, 0},
};

namespace {

int32_t SizeOrDefault(float v) {
  const int32_t size = TruncateToInt32(v);
  return size == 0 ? DefaultEffectSize : size;
}

}  // namespace

Effect::Effect(int32_t id, EffectRegistry* owner) : id(id), owner(owner) {
  RegisterTracks(*this, EffectTrackDefaults, tracks);
}

Effect::~Effect() {
  ClearEmitters();
  emitters.Release();
  tracks.Release();
}

ParamTrack* Effect::FindTrack(const char* name) { return FindKeyedTrack(tracks, name); }

void Effect::UpdateFrameCorners() {
  const float w = frameWidth;
  const float h = frameHeight;
  const float left = -(w * 0.5f);
  const float top = -(h * 0.5f);
  frameCorners[0] = {left, top};
  frameCorners[1] = {left + w, top};
  frameCorners[2] = {left + w, top + h};
  frameCorners[3] = {left, top + h};
}

int32_t Effect::GetWidth() const { return SizeOrDefault(sizeEffect.Duration()); }

int32_t Effect::GetHeight() const { return SizeOrDefault(sizeEffect.Minimum()); }

ParticlePool* Effect::ParticleStorage() const { return owner ? owner->Pool() : nullptr; }

UpdateWorkers* Effect::Workers() const { return owner ? owner->Workers() : nullptr; }

void Effect::SetBaseSpeed(float v) {
  for (IParticleEmitter* emitter : emitters) emitter->SetBaseSpeed(v);
}

void Effect::SetBaseEmissionAngle(float v) {
  for (IParticleEmitter* emitter : emitters) emitter->SetBaseEmissionAngle(v);
}

void Effect::SetEmitterPositions(float x, float y) {
  for (IParticleEmitter* emitter : emitters) emitter->SetPosition(x, y);
}

int32_t Effect::GetParticleCount() {
  int32_t total = 0;
  for (IParticleEmitter* emitter : emitters) total += emitter->GetParticleCount();
  return total;
}

}  // namespace tavrix
