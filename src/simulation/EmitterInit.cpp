// The emitter's set-up: its 32 keys with their defaults, the lookup of a
// track by key, the pivot and force angle, naming, the simple state slots,
// and teardown.
#include "simulation/Emitter.h"

#include <cmath>

#include "resources/NameTable.h"
#include "simulation/EffectBase.h"
#include "simulation/EmitterKeys.h"
#include "simulation/EmitterMath.h"
#include "tavrix/ResultCode.h"

namespace tavrix {

const TrackDefault<Emitter::Tracks> kEmitterKeyDefaults[kEmitterKeyCount] = {
    {"BaseLife", &Emitter::Tracks::BaseLife, 1000, 0, 1000, 2},
    {"VarLife", &Emitter::Tracks::VarLife, 1000, 0, 2000, 0},
    {"BaseQuantity", &Emitter::Tracks::BaseQuantity, 1000, 0, 1000, 10},
    {"VarQuantity", &Emitter::Tracks::VarQuantity, 1000, 0, 2000, 0},
    {"BaseX", &Emitter::Tracks::BaseX, 1000, 0, 1000, 2},
    {"VarX", &Emitter::Tracks::VarX, 1000, 0, 2000, 0},
    {"LifeX", &Emitter::Tracks::LifeX, 1, -100, 100, 1},
    {"BaseY", &Emitter::Tracks::BaseY, 1000, 0, 1000, 2},
    {"VarY", &Emitter::Tracks::VarY, 1000, 0, 2000, 0},
    {"LifeY", &Emitter::Tracks::LifeY, 1, -100, 100, 1},
    {"BaseSpeed", &Emitter::Tracks::BaseSpeed, 1000, 0, 1000, 10},
    {"VarSpeed", &Emitter::Tracks::VarSpeed, 1000, 0, 2000, 0},
    {"LifeSpeed", &Emitter::Tracks::LifeSpeed, 1, -100, 100, 1},
    {"BaseSpin", &Emitter::Tracks::BaseSpin, 1000, -3600, 3600, 0},
    {"VarSpin", &Emitter::Tracks::VarSpin, 1000, 0, 2000, 0},
    {"LifeSpin", &Emitter::Tracks::LifeSpin, 1, -100, 100, 1},
    {"BaseFixedForce", &Emitter::Tracks::BaseFixedForce, 1000, -1000, 1000, 0},
    {"VarFixedForce", &Emitter::Tracks::VarFixedForce, 1000, 0, 2000, 0},
    {"LifeFixedForce", &Emitter::Tracks::LifeFixedForce, 1, -100, 100, 1},
    {"BaseRand", &Emitter::Tracks::BaseRand, 1000, 0, 1000, 0},
    {"VarRand", &Emitter::Tracks::VarRand, 1000, 0, 2000, 0},
    {"LifeRand", &Emitter::Tracks::LifeRand, 1, -100, 100, 1},
    {"BaseEmissionForce", &Emitter::Tracks::BaseEmissionForce, 1000, -1000, 1000, 5},
    {"VarEmissionForce", &Emitter::Tracks::VarEmissionForce, 1000, 0, 2000, 0},
    {"BaseEmissionAngle", &Emitter::Tracks::BaseEmissionAngle, 1000, -3600, 3600, 0},
    {"VarEmissionAngle", &Emitter::Tracks::VarEmissionAngle, 1000, 0, 720, 0},
    {"BaseEmissionArc", &Emitter::Tracks::BaseEmissionArc, 1000, 0, 360, 360},
    {"VarEmissionArc", &Emitter::Tracks::VarEmissionArc, 1000, 0, 720, 0},
    {"LifeRed", &Emitter::Tracks::LifeRed, 1, 0, 1, 1},
    {"LifeGreen", &Emitter::Tracks::LifeGreen, 1, 0, 1, 1},
    {"LifeBlue", &Emitter::Tracks::LifeBlue, 1, 0, 1, 1},
    {"LifeVisible", &Emitter::Tracks::LifeVisible, 1, 0, 1, 1},
};

Emitter::~Emitter() {
  ring_.Release(owner_ ? owner_->ParticleStorage() : nullptr);
  ReleaseFrameSet(record.frameSet);
  tracks.keys.Release();
}

void Emitter::Init(EffectBase* effect) {
  // The block belongs to the old owner's pool.
  ring_.Release(owner_ ? owner_->ParticleStorage() : nullptr);
  owner_ = effect;
  RegisterTracks(tracks, kEmitterKeyDefaults);
  record.uniformSize = true;
  SetForceAngle(0.0f);
  record.rotationMode = 1;
  record.fixedRotation = 0.0f;
  record.rotationOffset = 0.0f;
  record.alignToMotion = false;
  record.randomRotationCentre = 0.0f;
  record.randomRotationRange = 360.0f;
  record.spawnShape = 0;
  SetPivot(0.5f, 0.5f);
  record.animated = false;
  record.useEffectEmission = true;
  record.effectRotation = false;
  record.additive = false;
  record.singleParticle = false;
  record.useEffectOffset = false;
  record.reservedFlag = false;
  record.reverseDrawOrder = false;
  record.frameSetName = nullptr;
}

ParamTrack* Emitter::FindTrack(const char* key) { return FindKeyedTrack(tracks.keys, key); }

void Emitter::SetPivot(float px, float py) {
  record.pivotX = px;
  record.pivotY = py;
  record.corners[0] = {-px, -py};
  record.corners[1] = {1.0f - px, -py};
  record.corners[2] = {1.0f - px, 1.0f - py};
  record.corners[3] = {-px, 1.0f - py};
}

void Emitter::SetForceAngle(float degrees) {
  record.forceAngle = degrees;
  const double radians = degrees * kRadiansPerDegreeDouble;
  record.forceDirectionX = static_cast<float>(std::sin(radians));
  record.forceDirectionY = static_cast<float>(-std::cos(radians));
}

void Emitter::SetName(const char* text) { record.name = InternName(text); }

const char* Emitter::GetName() { return record.name ? record.name : ""; }

int32_t Emitter::Restart(bool clear) {
  record.emissionBacklog = 0.0f;
  if (clear) RemoveAllParticles();
  record.stopped = false;
  return Success;
}

int32_t Emitter::StopEmission() {
  record.stopped = true;
  if (record.singleParticle) RemoveAllParticles();
  return Success;
}

int32_t Emitter::Kill() {
  RemoveAllParticles();
  return Success;
}

int32_t Emitter::Clear() {
  RemoveAllParticles();
  return Success;
}

void Emitter::SetEnabled(bool value) {
  record.enabled = value;
  if (!value) RemoveAllParticles();
}

void Emitter::SetParticleOffset(float x, float y) {
  float* const offsetX = ring_.Floats(kOffsetX);
  float* const offsetY = ring_.Floats(kOffsetY);
  ring_.ForEach(false, [&](uint32_t slot) {
    offsetX[slot] = x;
    offsetY[slot] = y;
  });
}

int32_t Emitter::SetBaseSpeed(float v) {
  tracks.BaseSpeed.Reset();
  return tracks.BaseSpeed.AddKey(0.0f, v);
}

int32_t Emitter::SetBaseEmissionAngle(float v) {
  tracks.BaseEmissionAngle.Reset();
  return tracks.BaseEmissionAngle.AddKey(0.0f, v);
}

void Emitter::SetPosition(float x, float y) {
  record.positionX = x;
  record.positionY = y;
}

}  // namespace tavrix
