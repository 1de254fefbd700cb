// An emitter's live particles in one block of columns, oldest first, as a
// ring: births append at the young end, removal packs the survivors towards
// the young end, so that both the update and the draw read every column in
// order. The live slots of a column are at most two runs: from the head to
// the block's end, and from the block's start. The block comes from the
// registry's pool and grows only when the ring is full.
#pragma once

#include <cstdint>
#include <cstring>

#include "simulation/Particle.h"
#include "simulation/ParticlePool.h"

namespace tavrix {

// A stretch of consecutive slots, [first, first + count).
struct SlotRun {
  uint32_t first;
  uint32_t count;
};

class ParticleRing {
 public:
  ParticleRing() = default;
  ParticleRing(const ParticleRing&) = delete;
  ParticleRing& operator=(const ParticleRing&) = delete;

  int32_t Count() const { return static_cast<int32_t>(count_); }
  uint32_t Capacity() const { return capacity_; }
  // The slot of the particle at index; index 0 is the oldest.
  uint32_t Slot(uint32_t index) const { return Wrap(head_ + index); }
  // The index of the particle in a live slot.
  uint32_t Index(uint32_t slot) const {
    return slot >= head_ ? slot - head_ : slot + capacity_ - head_;
  }
  // A column's words, slot by slot.
  float* Floats(ParticleColumn column) const {
    return reinterpret_cast<float*>(words_ + size_t{column} * capacity_);
  }
  uint32_t* Words(ParticleColumn column) const { return words_ + size_t{column} * capacity_; }
  // The flag byte of each slot.
  uint8_t* Flags() const { return reinterpret_cast<uint8_t*>(words_ + kColumnCount * capacity_); }

  // A particle's columns and flags; its corners are left to the emitter.
  Particle Load(uint32_t slot) const;
  void Store(uint32_t slot, const Particle& particle);

  // The slot for a new youngest particle, false when the ring is full and
  // cannot grow beyond limit particles, the budget or the host allocator.
  bool Append(ParticlePool* pool, uint32_t limit, uint32_t& slot);
  void Clear() { head_ = count_ = 0; }
  // Gives the block back to the pool it came from.
  void Release(ParticlePool* pool);

  // Asks keep about every slot from the youngest to the oldest and removes
  // the particles it refuses; the others keep their order.
  template <class Keep>
  void Remove(Keep keep);
  // Removes the gone particles whose flags lack kStays; the others keep
  // their order.
  void RemoveUnmarked(uint32_t gone);

  // The live slots, oldest run first.
  void Runs(SlotRun runs[2]) const;

  // Calls visit(first, count) with the runs of slots that hold the
  // particles of index lo up to hi, the younger run first.
  template <class Visit>
  void ForRange(uint32_t lo, uint32_t hi, Visit visit) const;

  // Calls visit with every live slot, oldest first, or youngest first.
  template <class Visit>
  void ForEach(bool youngestFirst, Visit visit) const;

 private:
  uint32_t Wrap(uint32_t index) const { return index >= capacity_ ? index - capacity_ : index; }
  bool Grow(ParticlePool* pool, uint32_t limit);
  // How many particles from the youngest stay before the first that goes.
  uint32_t StayingYoungest() const;
  // Packs the marked particles of every column towards the young end,
  // walking remaining particles from slot towards the old end.
  void Pack(uint32_t slot, uint32_t remaining);

  uint32_t* words_ = nullptr;
  uint32_t capacity_ = 0;
  uint32_t head_ = 0;
  uint32_t count_ = 0;
};

template <class Keep>
void ParticleRing::Remove(Keep keep) {
  uint8_t* const flags = Flags();
  uint32_t gone = 0;
  ForEach(true, [&](uint32_t slot) {
    const bool stays = keep(slot);
    flags[slot] = static_cast<uint8_t>((flags[slot] & ~kStays) | (stays ? kStays : 0));
    gone += !stays;
  });
  if (gone != 0) RemoveUnmarked(gone);
}

template <class Visit>
void ParticleRing::ForRange(uint32_t lo, uint32_t hi, Visit visit) const {
  if (lo >= hi) return;
  const uint32_t first = Slot(lo);
  const uint32_t count = hi - lo;
  if (count <= capacity_ - first) {
    visit(first, count);
    return;
  }
  visit(0u, count - (capacity_ - first));
  visit(first, capacity_ - first);
}

template <class Visit>
void ParticleRing::ForEach(bool youngestFirst, Visit visit) const {
  SlotRun runs[2];
  Runs(runs);
  for (int r = 0; r < 2; ++r) {
    const SlotRun& run = runs[youngestFirst ? 1 - r : r];
    if (youngestFirst) {
      for (uint32_t i = run.count; i > 0; --i) visit(run.first + i - 1);
    } else {
      for (uint32_t i = 0; i < run.count; ++i) visit(run.first + i);
    }
  }
}

}  // namespace tavrix
