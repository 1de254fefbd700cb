// The particle pool: records in blocks from the host allocator, and a ring
// buffer of free records handed out first in, first out. Acquiring one
// record is a ring pop and recycling one a ring push; the ring allocates
// only when more records are free at once than ever before.
#include "simulation/ParticlePool.h"

#include <cstring>
#include <new>

#include "module/Allocator.h"

namespace tavrix {
namespace {

// Records held by every pool of the process. Sub-effect emitters each own a
// pool, so a per-pool limit alone would not bound what a hostile file of
// nested copies can make the process hold.
uint64_t recordsInAllPools = 0;
uint64_t processBudget = ParticlePool::DefaultProcessBudget;

}  // namespace

ParticlePool::~ParticlePool() {
  for (Block& block : blocks_) {
    recordsInAllPools -= static_cast<uint64_t>(block.count);
    for (int32_t i = 0; i < block.count; ++i) block.records[i].~Particle();
    FreeBytes(block.records);
  }
  blocks_.Release();
  freeRing_.Release();
  freeHead_ = freeCount_ = 0;
}

uint64_t ParticlePool::ProcessBudget() { return processBudget; }

void ParticlePool::SetProcessBudget(uint64_t records) { processBudget = records; }

uint32_t ParticlePool::BlockCount() const { return blocks_.Size(); }

uint32_t ParticlePool::FreeCount() const { return freeCount_; }

bool ParticlePool::ReserveFree(uint32_t required) {
  const uint32_t capacity = freeRing_.Size();
  if (required <= capacity) return true;
  uint32_t grown = capacity < 32 ? 64 : capacity * 2;
  if (grown < required) grown = required;
  if (!freeRing_.Reserve(grown)) return false;
  while (freeRing_.Size() < grown) freeRing_.PushBack(nullptr);
  // The wrapped tail [head, old capacity) moves to the end of the larger ring
  // so the queue stays one contiguous run modulo the new size.
  const uint32_t tail = capacity - freeHead_;
  if (freeCount_ > tail) {
    Particle** ring = freeRing_.Data();
    std::memmove(ring + grown - tail, ring + freeHead_, tail * sizeof(Particle*));
    freeHead_ = grown - tail;
  } else if (freeCount_ == 0) {
    freeHead_ = 0;
  }
  return true;
}

void ParticlePool::PushFree(Particle* record) {
  const uint32_t size = freeRing_.Size();
  uint32_t slot = freeHead_ + freeCount_;
  if (slot >= size) slot -= size;
  freeRing_[slot] = record;
  ++freeCount_;
}

Particle* ParticlePool::PopFree() {
  Particle* record = freeRing_[freeHead_];
  if (++freeHead_ == freeRing_.Size()) freeHead_ = 0;
  --freeCount_;
  return record;
}

Particle* ParticlePool::Grow(int32_t count) {
  const int32_t size = count > blockSize_ ? count : blockSize_;
  if (static_cast<uint64_t>(size) * sizeof(Particle) > UINT32_MAX) return nullptr;
  if (recordsInAllPools + static_cast<uint64_t>(size) > processBudget) return nullptr;
  const uint32_t spare = static_cast<uint32_t>(size - count);
  if (!ReserveFree(freeCount_ + spare) || !blocks_.Reserve(blocks_.Size() + 1)) return nullptr;
  void* memory = AllocateBytes(static_cast<uint32_t>(size * sizeof(Particle)));
  if (!memory) return nullptr;
  Particle* records = static_cast<Particle*>(memory);
  for (int32_t i = 0; i < size; ++i) new (&records[i]) Particle();
  blocks_.PushBack(Block{records, size});
  recordsInAllPools += static_cast<uint64_t>(size);
  // The first count records are the caller's; the rest queue behind the
  // records that were already free.
  for (int32_t i = count; i < size; ++i) PushFree(&records[i]);
  return records;
}

Particle* ParticlePool::Acquire(int32_t count) {
  if (count <= 0) return nullptr;
  const bool fromQueue = freeCount_ >= static_cast<uint32_t>(count);
  Particle* block = fromQueue ? nullptr : Grow(count);
  if (!fromQueue && !block) return nullptr;
  Particle* first = nullptr;
  Particle* previous = nullptr;
  for (int32_t i = 0; i < count; ++i) {
    Particle* record = fromQueue ? PopFree() : &block[i];
    record->newer = previous;
    record->older = nullptr;
    if (previous) {
      previous->older = record;
    } else {
      first = record;
    }
    previous = record;
  }
  return first;
}

int32_t ParticlePool::Recycle(Particle* record) {
  // A ring that cannot grow loses the record for reuse only: its block
  // still owns it and frees it with the pool.
  if (record && ReserveFree(freeCount_ + 1)) PushFree(record);
  return static_cast<int32_t>(freeCount_);
}

}  // namespace tavrix
