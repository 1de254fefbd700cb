// One loaded effect: eighteen effect-wide tracks, its emitters in record
// order, its placement and its run state.
#pragma once

#include <cstdint>

#include "base/DataStream.h"
#include "base/HostVector.h"
#include "render/IParticleRenderer.h"
#include "simulation/IParticleEmitter.h"
#include "simulation/ParamTrack.h"
#include "simulation/TrackDefaults.h"

namespace tavrix {

class EffectRegistry;
class ParticlePool;
class UpdateWorkers;

class Effect {
 public:
  Effect(int32_t id, EffectRegistry* owner);
  ~Effect();
  Effect(const Effect&) = delete;
  Effect& operator=(const Effect&) = delete;

  void* Destroy(unsigned int flags) { return DestroyObject(this, flags); }

  // The record.
  int32_t Read(IDataStream& stream);
  int32_t Write(IDataStream& stream);
  IParticleEmitter* CreateEmitter(IDataStream& stream);
  ParamTrack* FindTrack(const char* name);
  void ClearEmitters();
  void UpdateFrameCorners();
  int32_t GetWidth() const;
  int32_t GetHeight() const;

  // The pool of the owner registry, which holds the emitters' particle
  // records; none without an owner or when its pool could not be made.
  ParticlePool* ParticleStorage() const;
  // The owner registry's update threads; none when updates run on one.
  UpdateWorkers* Workers() const;

  // Served to the sub-effect emitter.
  void SetBaseSpeed(float v);
  void SetBaseEmissionAngle(float v);
  void SetEmitterPositions(float x, float y);
  int32_t GetParticleCount();

  // The run time.
  int32_t Start(uint32_t prewarmMs, bool restartEmitters);
  int32_t Stop(bool soft);
  int32_t AdvanceTo(int32_t timeMs);
  int32_t AdvanceBy(int32_t deltaMs);
  int32_t Advance(int32_t deltaMs);
  int32_t Draw(IParticleRenderer& renderer);
  int32_t ClearParticles();
  int32_t SetPosition(float x, float y, bool moveLiveParticles);
  void RestoreElapsed();

  // Normalised effect time: elapsed / duration.
  float NormalisedTime() const { return elapsedSeconds / durationSeconds; }

  int32_t id;
  HostVector<IParticleEmitter*> emitters;
  int32_t nextEmitterNumber = 1;

  TrackKeys tracks;

  ParamTrack ScaleLife, ScaleQuantity, ScaleX, ScaleY, ScaleSpeed, ScaleSpin, ScaleFixedForce,
      ScaleRand, BaseEmissionForce, VarEmissionForce, BaseEmissionAngle, VarEmissionAngle,
      BaseEmissionArc, VarEmissionArc, ScaleVisible, speed_whole, gravity, sizeEffect;

  bool running = false;
  float elapsedSeconds = 0.0f;
  float durationSeconds = 0.0f;
  bool stopping = false;
  int32_t endMode = 0;
  int32_t lastTimeMs = 0;
  float positionX = 0.0f;
  float positionY = 0.0f;
  float frameWidth = 0.0f;
  float frameHeight = 0.0f;
  QuadPoint frameCorners[4] = {};
  EffectRegistry* owner;
  int32_t recordTag = static_cast<int32_t>(EffectTag);
  int32_t recordVersion = 1;
  bool endReported = false;

 private:
  // Runs AdvanceTo in 50 ms steps while remaining (seconds) stays above 0,
  // then resets the clock; serves the prewarm and the restore.
  void ReplaySteps(double remaining);
  int32_t AdvanceStep(int32_t deltaMs, bool mayRestart);
};

}  // namespace tavrix
