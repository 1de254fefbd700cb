// The process-wide particle budget for one test: hostile-input tests fill it
// on purpose, so they set a small one of their own and put it back after.
#pragma once

#include <cstdint>

#include "simulation/ParticlePool.h"

namespace tavrix::test {

// Small enough that filling it stays fast, under the sanitizers too.
constexpr uint64_t HostileInputParticleBudget = 50000;

class ScopedParticleBudget {
 public:
  explicit ScopedParticleBudget(uint64_t records) { ParticlePool::SetProcessBudget(records); }
  ~ScopedParticleBudget() { ParticlePool::SetProcessBudget(previous_); }
  ScopedParticleBudget(const ScopedParticleBudget&) = delete;
  ScopedParticleBudget& operator=(const ScopedParticleBudget&) = delete;

 private:
  const uint64_t previous_ = ParticlePool::ProcessBudget();
};

}  // namespace tavrix::test
