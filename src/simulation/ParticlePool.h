// Hands out particle records and takes them back, first in first out, so
// that spawning and killing cost no allocation in the steady state.
#pragma once

#include <cstdint>

#include "module/HostVector.h"
#include "simulation/Particle.h"

namespace tavrix {

class ParticlePool {
 public:
  // All pools of the process together hold at most this many records by
  // default (about 120 MB): more than a real scene shows, and a bound on the
  // memory and the work per update that hostile files can cause.
  static constexpr uint64_t DefaultProcessBudget = 500000;
  static uint64_t ProcessBudget();
  // Set from the host's Particle.ini at Initialise; tests and fuzzers set a
  // smaller one of their own.
  static void SetProcessBudget(uint64_t records);

  ParticlePool() = default;
  ~ParticlePool();
  ParticlePool(const ParticlePool&) = delete;
  ParticlePool& operator=(const ParticlePool&) = delete;

  // The first of count records chained through their links; none when
  // count <= 0 or the host allocator refuses a new block.
  Particle* Acquire(int32_t count);
  // Returns the number of free records afterwards.
  int32_t Recycle(Particle* record);

  int32_t BlockSize() const { return blockSize_; }
  uint32_t BlockCount() const;
  uint32_t FreeCount() const;

 private:
  int32_t blockSize_ = 32;
  // Implementation detail of the free queue and the blocks; see the .cpp.
  struct Block {
    Particle* records;
    int32_t count;
  };
  // A new block of max(count, block size) records, its spare records queued;
  // none when the host allocator refuses.
  Particle* Grow(int32_t count);
  // Makes room for required free records at once; false when it cannot.
  bool ReserveFree(uint32_t required);
  void PushFree(Particle* record);
  Particle* PopFree();

  HostVector<Block> blocks_;
  // Ring buffer of free records: grows only past its high-water mark.
  HostVector<Particle*> freeRing_;
  uint32_t freeHead_ = 0;
  uint32_t freeCount_ = 0;
};

}  // namespace tavrix
