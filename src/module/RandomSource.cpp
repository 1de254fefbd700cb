// The generator's virtual operations and the process-wide instance, seeded
// when the library loads.
#include "module/RandomSource.h"

namespace tavrix {
namespace detail {

RandomSource processRandom;

}  // namespace detail
namespace {

constexpr uint32_t InitialSeedState = 1376312589u;

// Runs among the library's static initialisers, so the sequence is fixed
// before any export can be called.
struct LoadSeeding {
  LoadSeeding() { detail::processRandom.Seed(LoadSeed()); }
} loadSeeding;

}  // namespace

void RandomSource::Seed(int32_t value) { state_ = value; }

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
  uint32_t state = InitialSeedState;
  SeedStep(state);
  return static_cast<int32_t>(SeedStep(state));
}

}  // namespace tavrix
