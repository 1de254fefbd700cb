// Growth of the particle ring: a larger block from the pool, each column's
// live words copied into it oldest first; removal, which packs the
// survivors; and the moves of whole particles.
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
  Particle particle{};
  for (uint32_t c = 0; c < kColumnCount; ++c) {
    std::memcpy(reinterpret_cast<char*>(&particle) + kColumnOffsets[c],
                words_ + size_t{c} * capacity_ + slot, 4);
  }
  particle.frameFinished = Flags()[slot] & kFrameFinished;
  return particle;
}

void ParticleRing::Store(uint32_t slot, const Particle& particle) {
  for (uint32_t c = 0; c < kColumnCount; ++c) {
    std::memcpy(words_ + size_t{c} * capacity_ + slot,
                reinterpret_cast<const char*>(&particle) + kColumnOffsets[c], 4);
  }
  Flags()[slot] = particle.frameFinished ? kFrameFinished : 0;
}

uint32_t ParticleRing::StayingYoungest() const {
  const uint8_t* const flags = Flags();
  SlotRun runs[2];
  Runs(runs);
  uint32_t staying = 0;
  for (int r = 1; r >= 0; --r) {
    // Eight flags at a time while all of them stay.
    uint32_t end = runs[r].first + runs[r].count;
    while (end - runs[r].first >= 8) {
      uint64_t eight;
      std::memcpy(&eight, flags + end - 8, 8);
      if (~eight & (kStays * 0x0101010101010101ull)) break;
      end -= 8;
      staying += 8;
    }
    for (; end > runs[r].first; --end, ++staying) {
      if (!(flags[end - 1] & kStays)) return staying;
    }
  }
  return staying;
}

void ParticleRing::RemoveUnmarked(uint32_t gone) {
  const uint32_t staying = StayingYoungest();
  if (staying >= count_) return;
  Pack(Slot(count_ - 1 - staying), count_ - staying);
  head_ = Wrap(head_ + gone);
  count_ -= gone;
}

namespace {

// A run of staying particles moved as one: count slots from from to to,
// neither run crossing the block's end.
struct RunMove {
  uint32_t from;
  uint32_t to;
  uint32_t count;
};

// One column's runs moved in order. A run moves towards the young end, to
// later slots or across the block's end, and may overlap itself, never a
// run still to be read.
void MoveRuns(char* column, uint32_t width, const RunMove* moves, uint32_t n) {
  for (uint32_t i = 0; i < n; ++i) {
    std::memmove(column + size_t{moves[i].to} * width, column + size_t{moves[i].from} * width,
                 size_t{moves[i].count} * width);
  }
}

}  // namespace

// The survivors are gathered as runs, a batch at a time, once for all
// columns, so that each column is a few block moves per run; between deaths
// most particles stay.
void ParticleRing::Pack(uint32_t slot, uint32_t remaining) {
  constexpr uint32_t kBatch = 256;
  RunMove moves[kBatch];
  const uint8_t* const flags = Flags();
  uint32_t next = slot;
  while (remaining > 0) {
    uint32_t n = 0;
    while (remaining > 0 && n < kBatch) {
      if (!(flags[slot] & kStays)) {
        slot = slot == 0 ? capacity_ - 1 : slot - 1;
        --remaining;
        continue;
      }
      // The run ends where a particle goes, or where either end would wrap.
      uint32_t longest = (slot < next ? slot : next) + 1;
      if (longest > remaining) longest = remaining;
      uint32_t count = 1;
      while (count < longest && (flags[slot - count] & kStays)) ++count;
      moves[n++] = RunMove{slot + 1 - count, next + 1 - count, count};
      slot = Wrap(slot + capacity_ - count);
      next = Wrap(next + capacity_ - count);
      remaining -= count;
    }
    for (uint32_t c = 0; c < kColumnCount; ++c) {
      MoveRuns(reinterpret_cast<char*>(words_ + size_t{c} * capacity_), 4, moves, n);
    }
    MoveRuns(reinterpret_cast<char*>(Flags()), 1, moves, n);
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
  // Each column and the flags, the flags counted as a column of bytes.
  for (uint32_t c = 0; count_ != 0 && c <= kColumnCount; ++c) {
    const uint32_t width = c == kColumnCount ? 1 : 4;
    const char* from = reinterpret_cast<const char*>(words_ + size_t{c} * capacity_);
    char* to = reinterpret_cast<char*>(grown + size_t{c} * wanted);
    std::memcpy(to, from + size_t{runs[0].first} * width, size_t{runs[0].count} * width);
    std::memcpy(to + size_t{runs[0].count} * width, from + size_t{runs[1].first} * width,
                size_t{runs[1].count} * width);
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
