// The registry of a particle system as the effects it owns see it: the pool
// their emitters take particle records from, the update threads, and copies
// of nested effect files for sub-effect emitters. There is one registry per
// system; copies are read through it but never filed in it.
#pragma once

#include <cstdint>

namespace tavrix {

class EffectBase;
class ParticlePool;
class UpdateWorkers;

class IEffectRegistry {
 public:
  enum CopyOutcome { CopyMade, FileNotOpened, BoundReached };

  virtual ParticlePool* Pool() const = 0;
  virtual UpdateWorkers* Workers() const = 0;
  // Reads the effect file at path into a new effect with identifier id, one
  // level deeper than parent, for a sub-effect emitter of parent to own. The
  // copies and bytes of nested files read below one filed effect's emitter
  // are bounded; a copy past the bound is not made. The copy's own read
  // result is not looked at.
  virtual CopyOutcome LoadCopy(const EffectBase& parent, const char* path, int32_t id,
                               EffectBase*& copy) = 0;

 protected:
  ~IEffectRegistry() = default;
};

}  // namespace tavrix
