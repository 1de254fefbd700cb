// An effect as the emitters it holds see it, declared below the effect
// itself (effectfile/) so that they can reach it: its stored record, its
// eighteen tracks, its emitters and its run state, read as plain data while
// they spawn and step; the pool of its registry, which holds their particle
// records; and the run-time operations through which a sub-effect emitter
// plays whole effects, the copies of a nested file.
#pragma once

#include <cstdint>

#include "base/HostVector.h"
#include "base/QuadPoint.h"
#include "render/IParticleRenderer.h"
#include "simulation/IEffectRegistry.h"
#include "simulation/IParticleEmitter.h"
#include "simulation/ParamTrack.h"
#include "simulation/TrackDefaults.h"

namespace tavrix {

class EffectBase {
 public:
  // The record's placement and play state; its tracks and emitters are
  // groups of their own.
  struct Record {
    float positionX = 0.0f;
    float positionY = 0.0f;
    float frameWidth = 0.0f;
    float frameHeight = 0.0f;
    bool running = false;
    float elapsedSeconds = 0.0f;
    bool stopping = false;
    int32_t endMode = 0;
    float durationSeconds = 0.0f;
  };

  // The effect-wide tracks under their key names, and the key table through
  // which a record names them.
  struct Tracks {
    ParamTrack ScaleLife, ScaleQuantity, ScaleX, ScaleY, ScaleSpeed, ScaleSpin, ScaleFixedForce,
        ScaleRand, BaseEmissionForce, VarEmissionForce, BaseEmissionAngle, VarEmissionAngle,
        BaseEmissionArc, VarEmissionArc, ScaleVisible, speed_whole, gravity, sizeEffect;
    TrackKeys keys;
  };

  // What the effect is to its owner and keeps while it plays, none of it
  // stored.
  struct Run {
    int32_t id = 0;
    IEffectRegistry* owner = nullptr;
    // 0 for an effect the registry files, one more for each copy of a
    // nested file around it.
    int32_t depth = 0;
    int32_t lastTimeMs = 0;
    bool endReported = false;
    int32_t nextEmitterNumber = 1;
    // The frame from the record's width and height, centred on the origin.
    QuadPoint frameCorners[4] = {};
  };

  Record record;
  Tracks tracks;
  HostVector<IParticleEmitter*> emitters;
  Run run;

  // The pool of the owner registry, which holds the emitters' particle
  // records; none without an owner or when its pool could not be made.
  ParticlePool* ParticleStorage() const { return run.owner ? run.owner->Pool() : nullptr; }
  // Normalised effect time: elapsed / duration.
  float NormalisedTime() const { return record.elapsedSeconds / record.durationSeconds; }

  // Each on every emitter, in list order.
  void SetBaseSpeed(float v);
  void SetBaseEmissionAngle(float v);
  void SetEmitterPositions(float x, float y);
  int32_t GetParticleCount();

  // The run time, which the effect implements above.
  virtual int32_t Start(uint32_t prewarmMs, bool restartEmitters) = 0;
  virtual int32_t Stop(bool soft) = 0;
  virtual int32_t AdvanceBy(int32_t deltaMs) = 0;
  virtual int32_t Draw(IParticleRenderer& renderer) = 0;
  virtual int32_t ClearParticles() = 0;
  virtual int32_t SetPosition(float x, float y, bool moveLiveParticles) = 0;
  // Destroying destructor: bit 0 of flags asks for the memory to be freed.
  virtual void* Destroy(unsigned int flags) = 0;

 protected:
  EffectBase() = default;
  ~EffectBase() = default;
  EffectBase(const EffectBase&) = delete;
  EffectBase& operator=(const EffectBase&) = delete;
};

}  // namespace tavrix
