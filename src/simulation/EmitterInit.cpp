// The emitter's set-up: its 32 keys with their defaults, the lookup of a
// track by key, the pivot and force angle, naming, the simple state slots,
// and teardown.
#include "simulation/Emitter.h"

#include <cmath>

#include "effectfile/Effect.h"
#include "resources/NameTable.h"
#include "simulation/EmitterKeys.h"
#include "simulation/EmitterMath.h"
#include "tavrix/ResultCode.h"

namespace tavrix {

const TrackDefault<Emitter> EmitterKeyDefaults[EmitterKeyCount] = {
    {"BaseLife", &Emitter::BaseLife, 1000, 0, 1000, 2},
    {"VarLife", &Emitter::VarLife, 1000, 0, 2000, 0},
    {"BaseQuantity", &Emitter::BaseQuantity, 1000, 0, 1000, 10},
    {"VarQuantity", &Emitter::VarQuantity, 1000, 0, 2000, 0},
    {"BaseX", &Emitter::BaseX, 1000, 0, 1000, 2},
    {"VarX", &Emitter::VarX, 1000, 0, 2000, 0},
    {"LifeX", &Emitter::LifeX, 1, -100, 100, 1},
    {"BaseY", &Emitter::BaseY, 1000, 0, 1000, 2},
    {"VarY", &Emitter::VarY, 1000, 0, 2000, 0},
    {"LifeY", &Emitter::LifeY, 1, -100, 100, 1},
    {"BaseSpeed", &Emitter::BaseSpeed, 1000, 0, 1000, 10},
    {"VarSpeed", &Emitter::VarSpeed, 1000, 0, 2000, 0},
    {"LifeSpeed", &Emitter::LifeSpeed, 1, -100, 100, 1},
    {"BaseSpin", &Emitter::BaseSpin, 1000, -3600, 3600, 0},
    {"VarSpin", &Emitter::VarSpin, 1000, 0, 2000, 0},
    {"LifeSpin", &Emitter::LifeSpin, 1, -100, 100, 1},
    {"BaseFixedForce", &Emitter::BaseFixedForce, 1000, -1000, 1000, 0},
    {"VarFixedForce", &Emitter::VarFixedForce, 1000, 0, 2000, 0},
    {"LifeFixedForce", &Emitter::LifeFixedForce, 1, -100, 100, 1},
    {"BaseRand", &Emitter::BaseRand, 1000, 0, 1000, 0},
    {"VarRand", &Emitter::VarRand, 1000, 0, 2000, 0},
    {"LifeRand", &Emitter::LifeRand, 1, -100, 100, 1},
    {"BaseEmissionForce", &Emitter::BaseEmissionForce, 1000, -1000, 1000, 5},
    {"VarEmissionForce", &Emitter::VarEmissionForce, 1000, 0, 2000, 0},
    {"BaseEmissionAngle", &Emitter::BaseEmissionAngle, 1000, -3600, 3600, 0},
    {"VarEmissionAngle", &Emitter::VarEmissionAngle, 1000, 0, 720, 0},
    {"BaseEmissionArc", &Emitter::BaseEmissionArc, 1000, 0, 360, 360},
    {"VarEmissionArc", &Emitter::VarEmissionArc, 1000, 0, 720, 0},
    {"LifeRed", &Emitter::LifeRed, 1, 0, 1, 1},
    {"LifeGreen", &Emitter::LifeGreen, 1, 0, 1, 1},
    {"LifeBlue", &Emitter::LifeBlue, 1, 0, 1, 1},
    {"LifeVisible", &Emitter::LifeVisible, 1, 0, 1, 1},
};

Emitter::~Emitter() {
  ring_.Release(owner ? owner->ParticleStorage() : nullptr);
  ReleaseFrameSet(frameSet);
  keys.Release();
}

void Emitter::Init(Effect* effect) {
  // The block belongs to the old owner's pool.
  ring_.Release(owner ? owner->ParticleStorage() : nullptr);
  owner = effect;
  RegisterTracks(*this, EmitterKeyDefaults, keys);
  uniformSize = true;
  SetForceAngle(0.0f);
  rotationMode = 1;
  fixedRotation = 0.0f;
  rotationOffset = 0.0f;
  alignToMotion = false;
  randomRotationCentre = 0.0f;
  randomRotationRange = 360.0f;
  spawnShape = 0;
  SetPivot(0.5f, 0.5f);
  animated = false;
  useEffectEmission = true;
  effectRotation = false;
  additive = false;
  singleParticle = false;
  useEffectOffset = false;
  reservedFlag = false;
  reverseDrawOrder = false;
  frameSetName = nullptr;
}

ParamTrack* Emitter::FindTrack(const char* key) { return FindKeyedTrack(keys, key); }

void Emitter::SetPivot(float px, float py) {
  pivotX = px;
  pivotY = py;
  corners[0] = {-px, -py};
  corners[1] = {1.0f - px, -py};
  corners[2] = {1.0f - px, 1.0f - py};
  corners[3] = {-px, 1.0f - py};
}

void Emitter::SetForceAngle(float degrees) {
  forceAngle = degrees;
  const double radians = degrees * emitter_math::kRadiansPerDegreeDouble;
  forceDirectionX = static_cast<float>(std::sin(radians));
  forceDirectionY = static_cast<float>(-std::cos(radians));
}

void Emitter::SetName(const char* text) { name = InternName(text); }

const char* Emitter::GetName() { return name ? name : ""; }

int32_t Emitter::Restart(bool clear) {
  emissionBacklog = 0.0f;
  if (clear) RemoveAllParticles();
  stopped = false;
  return Success;
}

int32_t Emitter::StopEmission() {
  stopped = true;
  if (singleParticle) RemoveAllParticles();
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
  enabled = value;
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
  BaseSpeed.Reset();
  return BaseSpeed.AddKey(0.0f, v);
}

int32_t Emitter::SetBaseEmissionAngle(float v) {
  BaseEmissionAngle.Reset();
  return BaseEmissionAngle.AddKey(0.0f, v);
}

void Emitter::SetPosition(float x, float y) {
  positionX = x;
  positionY = y;
}

}  // namespace tavrix
