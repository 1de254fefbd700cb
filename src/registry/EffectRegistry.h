// The effects of one particle system under their identifiers, and the owner
// of the particle pool they all take their particles from, the copies of
// nested effect files included.
#pragma once

#include <cstdint>

#include "base/HostVector.h"
#include "render/IParticleRenderer.h"
#include "simulation/IEffectRegistry.h"
#include "simulation/ParticlePool.h"
#include "simulation/UpdateWorkers.h"

namespace tavrix {

class Effect;

class EffectRegistry final : public IEffectRegistry {
 public:
  EffectRegistry() = default;
  ~EffectRegistry();
  EffectRegistry(const EffectRegistry&) = delete;
  EffectRegistry& operator=(const EffectRegistry&) = delete;

  int32_t CreateParticlePool();
  bool HasParticlePool() const { return pool_ != nullptr; }

  int32_t LoadEffect(const char* path);
  int32_t UnloadEffect(int32_t id);
  int32_t SetEffectPosition(int32_t id, float x, float y, bool moveLiveParticles);
  int32_t PlayEffect(int32_t id, uint32_t prewarmMs);
  int32_t ClearEffect(int32_t id);
  int32_t AdvanceAllTo(int32_t timeMs);
  int32_t AdvanceAllBy(int32_t deltaMs);
  int32_t AdvanceEffectBy(int32_t id, int32_t deltaMs);
  int32_t DrawEffect(IParticleRenderer& renderer, int32_t id);
  int32_t DrawAll(IParticleRenderer& renderer);
  int32_t SaveFirstEffect(const char* path);
  int32_t GetEffectWidth(int32_t id);
  int32_t GetEffectHeight(int32_t id);
  int32_t EffectCount() const { return static_cast<int32_t>(effects_.Size()); }

  Effect* Find(int32_t id) const;
  ParticlePool* Pool() const override { return pool_; }
  // Threads for the update of busy effects, when the host asked for more
  // than one; without them every update runs on the host's thread.
  void StartUpdateWorkers(uint32_t threads);
  UpdateWorkers* Workers() const override { return workers_; }
  CopyOutcome LoadCopy(const EffectBase& parent, const char* path, int32_t id,
                       EffectBase*& copy) override;

 private:
  struct Entry {
    int32_t id;
    Effect* effect;
  };

  // Position of the first entry whose identifier is id or more.
  uint32_t LowerBound(int32_t id) const;
  void NotifyFinished(int32_t id);

  int32_t nextId_ = 0;
  // Identifiers only grow, so appending keeps the entries in ascending order.
  HostVector<Entry> effects_;
  ParticlePool* pool_ = nullptr;
  UpdateWorkers* workers_ = nullptr;
  // What the nested files read below the current filed effect's emitter may
  // still take.
  int32_t copiesLeft_ = 0;
  long bytesLeft_ = 0;
};

}  // namespace tavrix
