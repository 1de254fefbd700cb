// Growth of the particle ring: a larger block from the pool, each column's
// live words copied into it oldest first; and the moves of whole particles.
#include "simulation/ParticleRing.h"

namespace tavrix {
namespace {

// Small rings double, so that the many emitters of small effects settle
// quickly; large ones grow by an eighth, so that the memory per live
// particle stays within an eighth of a particle of the particle itself.
constexpr uint32_t kFirstCapacity = 8;
constexpr uint32_t kDoublingLimit = 1024;

uint32_t NextCapacity(uint32_t capacity) {
  if (capacity == 0) return kFirstCapacity;
  return capacity < kDoublingLimit ? capacity * 2 : capacity + capacity / 8;
}

}  // namespace

Particle ParticleRing::Load(uint32_t slot) const {
  Particle particle;
  for (uint32_t c = 0; c < kColumnCount; ++c) {
    std::memcpy(reinterpret_cast<char*>(&particle) + kColumnOffsets[c],
                words_ + c * capacity_ + slot, 4);
  }
  return particle;
}

void ParticleRing::Store(uint32_t slot, const Particle& particle) {
  for (uint32_t c = 0; c < kColumnCount; ++c) {
    std::memcpy(words_ + c * capacity_ + slot,
                reinterpret_cast<const char*>(&particle) + kColumnOffsets[c], 4);
  }
}

void ParticleRing::MoveParticle(uint32_t from, uint32_t to) {
  for (uint32_t c = 0; c < kColumnCount; ++c) {
    uint32_t* column = words_ + c * capacity_;
    column[to] = column[from];
  }
}

void ParticleRing::Runs(SlotRun runs[2]) const {
  const uint32_t first = capacity_ - head_ < count_ ? capacity_ - head_ : count_;
  runs[0] = SlotRun{head_, first};
  runs[1] = SlotRun{0, count_ - first};
}

bool ParticleRing::Append(ParticlePool* pool, uint32_t limit, uint32_t& slot) {
  if (count_ == capacity_ && !Grow(pool, limit)) return false;
  slot = Wrap(head_ + count_);
  ++count_;
  return true;
}

bool ParticleRing::Grow(ParticlePool* pool, uint32_t limit) {
  if (!pool || count_ >= limit) return false;
  uint32_t wanted = NextCapacity(capacity_);
  if (wanted > limit) wanted = limit;
  // Near the end of the budget, whatever it still allows.
  const uint64_t left = ParticlePool::BudgetLeft(capacity_);
  if (wanted > left) wanted = static_cast<uint32_t>(left);
  if (wanted <= count_) return false;
  uint32_t* grown = pool->AcquireBlock(wanted, capacity_);
  if (!grown) return false;
  SlotRun runs[2];
  Runs(runs);
  for (uint32_t c = 0; c < kColumnCount; ++c) {
    const uint32_t* from = words_ + c * capacity_;
    uint32_t* to = grown + c * wanted;
    std::memcpy(to, from + runs[0].first, runs[0].count * 4);
    std::memcpy(to + runs[0].count, from + runs[1].first, runs[1].count * 4);
  }
  pool->RecycleBlock(words_, capacity_);
  words_ = grown;
  capacity_ = wanted;
  head_ = 0;
  return true;
}

void ParticleRing::Release(ParticlePool* pool) {
  if (pool) pool->RecycleBlock(words_, capacity_);
  words_ = nullptr;
  capacity_ = head_ = count_ = 0;
}

}  // namespace tavrix
