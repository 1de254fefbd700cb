// The particle pool: blocks of records from the host allocator, counted
// against one budget for the whole process.
#include "simulation/ParticlePool.h"

#include <cstring>

#include "base/Allocator.h"

namespace tavrix {
namespace {

// Records held by every pool of the process, one per particle system: the
// budget bounds what all of them, and hostile files of nested copies among
// them, can make the process hold.
uint64_t recordsInAllPools = 0;
uint64_t processBudget = ParticlePool::kDefaultProcessBudget;

}  // namespace

uint64_t ParticlePool::ProcessBudget() { return processBudget; }

void ParticlePool::SetProcessBudget(uint64_t records) { processBudget = records; }

uint64_t ParticlePool::BudgetLeft(uint32_t replacing) {
  const uint64_t held = recordsInAllPools - replacing;
  return held < processBudget ? processBudget - held : 0;
}

uint32_t* ParticlePool::AcquireBlock(uint32_t count, uint32_t replacing) {
  if (count == 0 || count > BudgetLeft(replacing)) return nullptr;
  if (static_cast<uint64_t>(count) * kBytesPerParticle > UINT32_MAX) return nullptr;
  void* memory = AllocateBytes(static_cast<uint32_t>(count * kBytesPerParticle));
  if (!memory) return nullptr;
  // Fresh records start as zeros, so that nothing a particle reads before
  // writing depends on what the allocator left there.
  std::memset(memory, 0, count * kBytesPerParticle);
  recordsInAllPools += count;
  held_ += count;
  return static_cast<uint32_t*>(memory);
}

void ParticlePool::RecycleBlock(uint32_t* block, uint32_t count) {
  if (!block) return;
  FreeBytes(block);
  recordsInAllPools -= count;
  held_ -= count;
}

}  // namespace tavrix
