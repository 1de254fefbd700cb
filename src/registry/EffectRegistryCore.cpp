// The registry's ownership core: its teardown, its particle pool and the
// lookup of an effect by identifier. Loading, saving and the frame
// operations live beside it in their own files.
#include "registry/EffectRegistry.h"

#include <algorithm>

#include "effectfile/Effect.h"
#include "tavrix/ResultCode.h"

namespace tavrix {

EffectRegistry::~EffectRegistry() {
  // Effects first: their emitters give their particles back to the pool.
  for (Entry& entry : effects_) entry.effect->Destroy(1);
  effects_.Release();
  if (pool_) DestroyObject(pool_, 1);
  pool_ = nullptr;
  if (workers_) DestroyObject(workers_, 1);
  workers_ = nullptr;
}

void EffectRegistry::StartUpdateWorkers(uint32_t threads) {
  if (threads > 1 && !workers_) workers_ = New<UpdateWorkers>(threads);
}

int32_t EffectRegistry::CreateParticlePool() {
  pool_ = New<ParticlePool>();
  return pool_ ? Success : ParticlePoolFailed;
}

Effect* EffectRegistry::Find(int32_t id) const {
  const uint32_t index = LowerBound(id);
  return index < effects_.Size() && effects_[index].id == id ? effects_[index].effect : nullptr;
}

uint32_t EffectRegistry::LowerBound(int32_t id) const {
  // Entries are in ascending identifier order.
  const Entry* place = std::lower_bound(effects_.begin(), effects_.end(), id,
                                        [](const Entry& entry, int32_t v) { return entry.id < v; });
  return static_cast<uint32_t>(place - effects_.begin());
}

}  // namespace tavrix
