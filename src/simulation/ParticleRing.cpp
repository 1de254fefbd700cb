// Growth of the particle ring: a larger block from the pool, the live
// records copied into it oldest first.
#include "simulation/ParticleRing.h"

#include <cstring>

namespace tavrix {
namespace {

// Small rings double, so that the many emitters of small effects settle
// quickly; large ones grow by a quarter, so that the memory per live
// particle stays within a quarter of a record of the record itself.
constexpr uint32_t kFirstCapacity = 8;
constexpr uint32_t kDoublingLimit = 1024;

uint32_t NextCapacity(uint32_t capacity) {
  if (capacity == 0) return kFirstCapacity;
  return capacity < kDoublingLimit ? capacity * 2 : capacity + capacity / 4;
}

}  // namespace

Particle* ParticleRing::Append(ParticlePool* pool, uint32_t limit) {
  if (count_ == capacity_ && !Grow(pool, limit)) return nullptr;
  Particle* record = &records_[Wrap(head_ + count_)];
  ++count_;
  return record;
}

bool ParticleRing::Grow(ParticlePool* pool, uint32_t limit) {
  if (!pool || count_ >= limit) return false;
  uint32_t wanted = NextCapacity(capacity_);
  if (wanted > limit) wanted = limit;
  // Near the end of the budget, whatever it still allows.
  const uint64_t left = ParticlePool::BudgetLeft(capacity_);
  if (wanted > left) wanted = static_cast<uint32_t>(left);
  if (wanted <= count_) return false;
  Particle* grown = pool->AcquireBlock(wanted, capacity_);
  if (!grown) return false;
  const uint32_t first = capacity_ - head_ < count_ ? capacity_ - head_ : count_;
  if (count_ != 0) {
    std::memcpy(grown, records_ + head_, first * sizeof(Particle));
    std::memcpy(grown + first, records_, (count_ - first) * sizeof(Particle));
  }
  pool->RecycleBlock(records_, capacity_);
  records_ = grown;
  capacity_ = wanted;
  head_ = 0;
  return true;
}

void ParticleRing::Release(ParticlePool* pool) {
  if (pool) pool->RecycleBlock(records_, capacity_);
  records_ = nullptr;
  capacity_ = head_ = count_ = 0;
}

}  // namespace tavrix
