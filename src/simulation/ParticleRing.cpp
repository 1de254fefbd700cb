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
                words_ + WordOf(c, slot, capacity_), 4);
  }
  return particle;
}

void ParticleRing::Store(uint32_t slot, const Particle& particle) {
  for (uint32_t c = 0; c < kColumnCount; ++c) {
    std::memcpy(words_ + WordOf(c, slot, capacity_),
                reinterpret_cast<const char*>(&particle) + kColumnOffsets[c], 4);
  }
}

namespace {

// One column's marked words packed towards the young end; kWidth words a slot.
template <uint32_t kWidth>
void PackColumn(uint32_t* column, const uint8_t* marks, uint32_t slot, uint32_t remaining,
                uint32_t capacity) {
  uint32_t to = slot;
  for (uint32_t from = slot; remaining > 0; --remaining) {
    if (marks[from]) {
      std::memcpy(column + size_t{to} * kWidth, column + size_t{from} * kWidth, kWidth * 4);
      to = to == 0 ? capacity - 1 : to - 1;
    }
    from = from == 0 ? capacity - 1 : from - 1;
  }
}

}  // namespace

void ParticleRing::Pack(uint32_t slot, uint32_t remaining) {
  for (uint32_t c = 0; c < kColumnCount; c = c == kQuad ? kColour : c + 1) {
    uint32_t* const column = words_ + WordOf(c, 0, capacity_);
    if (c == kQuad) {
      PackColumn<8>(column, Marks(), slot, remaining, capacity_);
    } else {
      PackColumn<1>(column, Marks(), slot, remaining, capacity_);
    }
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
  // The first block has nothing to copy, nor a block to copy from.
  for (uint32_t c = 0; count_ != 0 && c < kColumnCount; c = c == kQuad ? kColour : c + 1) {
    const uint32_t width = c == kQuad ? 8 : 1;
    const uint32_t* from = words_ + WordOf(c, 0, capacity_);
    uint32_t* to = grown + WordOf(c, 0, wanted);
    std::memcpy(to, from + size_t{runs[0].first} * width, size_t{runs[0].count} * width * 4);
    std::memcpy(to + size_t{runs[0].count} * width, from + size_t{runs[1].first} * width,
                size_t{runs[1].count} * width * 4);
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
