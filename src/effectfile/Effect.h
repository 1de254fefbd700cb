// One loaded effect: its record with the eighteen effect-wide tracks and its
// emitters in record order, read and written here, and its run time
// (registry/EffectRuntime.cpp). The data its emitters read is declared with
// them, in EffectBase.
#pragma once

#include <cstdint>

#include "base/Allocator.h"
#include "base/DataStream.h"
#include "render/IParticleRenderer.h"
#include "simulation/EffectBase.h"
#include "simulation/IParticleEmitter.h"
#include "simulation/ParamTrack.h"

namespace tavrix {

class UpdateWorkers;

class Effect final : public EffectBase {
 public:
  // depth: 0 for an effect the registry files, one more for each copy of a
  // nested file around it.
  Effect(int32_t id, IEffectRegistry* owner, int32_t depth = 0);
  ~Effect();

  void* Destroy(unsigned int flags) override { return DestroyObject(this, flags); }

  // The record.
  int32_t Read(IDataStream& stream);
  int32_t Write(IDataStream& stream);
  IParticleEmitter* CreateEmitter(IDataStream& stream);
  ParamTrack* FindTrack(const char* name);
  void ClearEmitters();
  void UpdateFrameCorners();
  int32_t GetWidth() const;
  int32_t GetHeight() const;

  // The owner registry's update threads; none when updates run on one, and
  // none for a copy of a nested file, which its emitter updates on the
  // host's thread.
  UpdateWorkers* Workers() const;

  // The run time.
  int32_t Start(uint32_t prewarmMs, bool restartEmitters) override;
  int32_t Stop(bool soft) override;
  int32_t AdvanceTo(int32_t timeMs);
  int32_t AdvanceBy(int32_t deltaMs) override;
  int32_t Advance(int32_t deltaMs);
  int32_t Draw(IParticleRenderer& renderer) override;
  int32_t ClearParticles() override;
  int32_t SetPosition(float x, float y, bool moveLiveParticles) override;
  void RestoreElapsed();

 private:
  // Runs AdvanceTo in 50 ms steps while remaining (seconds) stays above 0,
  // then resets the clock; serves the prewarm and the restore.
  void ReplaySteps(double remaining);
  int32_t AdvanceStep(int32_t deltaMs, bool mayRestart);
};

}  // namespace tavrix
