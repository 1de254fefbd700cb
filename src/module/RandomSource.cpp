// The minimal-standard generator, computed with Schrage's decomposition so
// that no product leaves 32 bits, and the process-wide instance seeded when
// the library loads.
#include "module/RandomSource.h"

namespace tavrix {
namespace {

constexpr int32_t Multiplier = 16807;
constexpr int32_t Modulus = 2147483647;
constexpr int32_t Quotient = 127773;   // Modulus / Multiplier
constexpr int32_t Remainder = 2836;    // Modulus % Multiplier
constexpr uint32_t InitialSeedState = 1376312589u;

RandomSource processRandom;

// Runs among the library's static initialisers, so the sequence is fixed
// before any export can be called.
struct LoadSeeding {
  LoadSeeding() { processRandom.Seed(LoadSeed()); }
} loadSeeding;

}  // namespace

void RandomSource::Seed(int32_t value) { state_ = value; }

int32_t RandomSource::Next() {
  const int32_t s = state_;
  int32_t t;
  if (s > Quotient) {
    t = Multiplier * (s % Quotient) - Remainder * (s / Quotient);
    if (t <= 0) t += Modulus;
  } else {
    // Widened so that a negative state stays defined; for the states the
    // library produces (0..127773) this is the plain 32-bit product.
    t = static_cast<int32_t>(static_cast<int64_t>(Multiplier) * s % Modulus);
  }
  state_ = t;
  return t;
}

// The draw of this class's own Next, called directly so that it is inlined:
// the simulation makes up to two draws per particle and step.
double RandomSource::NextUnit() {
  return static_cast<double>(static_cast<uint32_t>(RandomSource::Next())) * (1.0 / 2147483648.0);
}

RandomSource& ProcessRandom() { return processRandom; }

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
