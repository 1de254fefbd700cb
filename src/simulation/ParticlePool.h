// Hands out the blocks that hold emitters' particle records and takes them
// back, and keeps all of them in the process within one budget of records.
#pragma once

#include <cstdint>

#include "simulation/Particle.h"

namespace tavrix {

class ParticlePool {
 public:
  // All pools of the process together hold at most this many records by
  // default (about 56 MB): more than a real scene shows, and a bound on the
  // memory and the work per update that hostile files can cause.
  static constexpr uint64_t kDefaultProcessBudget = 500000;
  static uint64_t ProcessBudget();
  // Set from the host's Particle.ini at Initialise; tests and fuzzers set a
  // smaller one of their own.
  static void SetProcessBudget(uint64_t records);
  // Records the budget still allows, counting a block of replacing records
  // as given back.
  static uint64_t BudgetLeft(uint32_t replacing);

  ParticlePool() = default;
  ~ParticlePool() = default;
  ParticlePool(const ParticlePool&) = delete;
  ParticlePool& operator=(const ParticlePool&) = delete;

  // A block of count records from the host allocator, in place of a block
  // of replacing records that the caller gives back right after; none when
  // count is 0, the budget would be exceeded or the allocator refuses.
  uint32_t* AcquireBlock(uint32_t count, uint32_t replacing);
  void RecycleBlock(uint32_t* block, uint32_t count);

  // Records in the blocks this pool has handed out and not taken back.
  uint64_t HeldRecords() const { return held_; }

 private:
  uint64_t held_ = 0;
};

}  // namespace tavrix
