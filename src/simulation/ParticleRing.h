// An emitter's live particles side by side in one block, oldest first, as a
// ring: births append at the young end, the update walks from the young end
// to the old one and packs the survivors towards the young end, so that
// both the update and the draw read memory in order. The block comes from
// the registry's pool and grows only when the ring is full.
#pragma once

#include <cstdint>

#include "simulation/Particle.h"
#include "simulation/ParticlePool.h"

namespace tavrix {

class ParticleRing {
 public:
  ParticleRing() = default;
  ParticleRing(const ParticleRing&) = delete;
  ParticleRing& operator=(const ParticleRing&) = delete;

  int32_t Count() const { return static_cast<int32_t>(count_); }
  uint32_t Capacity() const { return capacity_; }
  // Index 0 is the oldest particle.
  Particle& At(uint32_t index) const { return records_[Wrap(head_ + index)]; }

  // The record for a new youngest particle; none when the ring is full and
  // cannot grow beyond limit records, the budget or the host allocator.
  Particle* Append(ParticlePool* pool, uint32_t limit);
  void Clear() { head_ = count_ = 0; }
  // Gives the block back to the pool it came from.
  void Release(ParticlePool* pool);

  // Calls step on every particle from the youngest to the oldest; a particle
  // for which it returns false is removed, the others keep their order.
  template <class Step>
  void Sweep(Step step);

  // Calls visit on every particle, oldest first, or youngest first.
  template <class Visit>
  void ForEach(bool youngestFirst, Visit visit) const;

 private:
  uint32_t Wrap(uint32_t index) const { return index >= capacity_ ? index - capacity_ : index; }
  bool Grow(ParticlePool* pool, uint32_t limit);

  Particle* records_ = nullptr;
  uint32_t capacity_ = 0;
  uint32_t head_ = 0;
  uint32_t count_ = 0;
};

template <class Step>
void ParticleRing::Sweep(Step step) {
  if (count_ == 0) return;
  uint32_t from = Wrap(head_ + count_ - 1);
  uint32_t to = from;
  uint32_t kept = 0;
  for (uint32_t n = count_; n > 0; --n) {
    Particle& p = records_[from];
    if (step(p)) {
      if (to != from) records_[to] = p;
      to = to == 0 ? capacity_ - 1 : to - 1;
      ++kept;
    }
    from = from == 0 ? capacity_ - 1 : from - 1;
  }
  head_ = Wrap(head_ + (count_ - kept));
  count_ = kept;
}

template <class Visit>
void ParticleRing::ForEach(bool youngestFirst, Visit visit) const {
  // The live records are at most two runs: from the head to the block's end,
  // and from the block's start.
  const uint32_t first = capacity_ - head_ < count_ ? capacity_ - head_ : count_;
  Particle* const runs[2] = {records_ + head_, records_};
  const uint32_t lengths[2] = {first, count_ - first};
  for (int r = 0; r < 2; ++r) {
    const int run = youngestFirst ? 1 - r : r;
    Particle* p = runs[run];
    const uint32_t length = lengths[run];
    if (youngestFirst) {
      for (uint32_t i = length; i > 0; --i) visit(p[i - 1]);
    } else {
      for (uint32_t i = 0; i < length; ++i) visit(p[i]);
    }
  }
}

}  // namespace tavrix
