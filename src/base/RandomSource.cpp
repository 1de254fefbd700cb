// The generator's virtual operations and the process-wide instance, seeded
// when the library loads.
#include "base/RandomSource.h"

namespace tavrix {
namespace detail {

RandomSource processRandom;

}  // namespace detail
namespace {

constexpr uint32_t kInitialSeedState = 1376312589u;

// Runs among the library's static initialisers, so the sequence is fixed
// before any export can be called.
struct LoadSeeding {
  LoadSeeding() { detail::processRandom.Seed(LoadSeed()); }
} loadSeeding;

}  // namespace

void RandomSource::Seed(int32_t value) { state_ = value; }

namespace {

constexpr uint64_t kModulus = minimal_standard::kModulus;
constexpr uint64_t kMultiplier = minimal_standard::kMultiplier;

}  // namespace

void RandomSource::JumpAhead(uint64_t steps) {
  // States outside the generator's cycle keep the step's own rule.
  if (state_ <= 0 || static_cast<uint64_t>(state_) >= kModulus) {
    for (; steps > 0; --steps) state_ = Step(state_);
    return;
  }
  uint64_t factor = kMultiplier;
  uint64_t state = static_cast<uint64_t>(state_);
  for (; steps > 0; steps >>= 1) {
    if (steps & 1) state = state * factor % kModulus;
    factor = factor * factor % kModulus;
  }
  state_ = static_cast<int32_t>(state);
}

namespace {

// a * b modulo 2^31 - 1 for a and b on the cycle, folded as Step folds.
uint32_t TimesModulo(uint64_t a, uint64_t b) {
  const uint64_t product = a * b;
  const uint64_t folded = (product & kModulus) + (product >> 31);
  return static_cast<uint32_t>(folded >= kModulus ? folded - kModulus : folded);
}

}  // namespace

void RandomSource::DrawMany(double* out, uint32_t count) {
  constexpr uint32_t kStreams = 4;
  if (count < 2 * kStreams || state_ <= 0 || static_cast<uint64_t>(state_) >= kModulus) {
    for (uint32_t i = 0; i < count; ++i) out[i] = Draw();
    return;
  }
  constexpr uint64_t kStride =
      kMultiplier * kMultiplier % kModulus * kMultiplier % kModulus * kMultiplier % kModulus;
  uint32_t stream[kStreams];
  int32_t s = state_;
  for (uint32_t j = 0; j < kStreams; ++j) stream[j] = static_cast<uint32_t>(s = Step(s));
  for (uint32_t i = 0;;) {
    const uint32_t n = count - i < kStreams ? count - i : kStreams;
    for (uint32_t j = 0; j < n; ++j) out[i + j] = UnitOf(static_cast<int32_t>(stream[j]));
    i += n;
    if (i == count) {
      state_ = static_cast<int32_t>(stream[n - 1]);
      return;
    }
    for (uint32_t j = 0; j < kStreams; ++j) stream[j] = TimesModulo(stream[j], kStride);
  }
}

int32_t RandomSource::Next() {
  state_ = Step(state_);
  return state_;
}

double RandomSource::NextUnit() { return Draw(); }

uint32_t SeedStep(uint32_t& state) {
  state = ((state * 22695477u + 1u) >> 16) & 0x7FFFu;
  return state;
}

int32_t LoadSeed() {
  uint32_t state = kInitialSeedState;
  SeedStep(state);
  return static_cast<int32_t>(SeedStep(state));
}

}  // namespace tavrix
