// The simulation's one pseudo-random generator (Park and Miller's minimal
// standard), seeded with a fixed value at library load so that every run of
// an effect repeats exactly.
#pragma once

#include <cstdint>

#include "base/MinimalStandard.h"

namespace tavrix {

class RandomSource {
 public:
  virtual void Seed(int32_t value);
  virtual int32_t Next();
  // A value in the open interval (0, 1).
  virtual double NextUnit();

  // Moves the state on by steps draws at once: the k-th state after s is
  // s * 16807^k modulo 2^31 - 1, so a slice of particles can start where
  // the draws of the slices before it end.
  void JumpAhead(uint64_t steps);

  // NextUnit of this class itself, inlined: the simulation draws up to two
  // values per particle and step from an object it knows to be exactly this.
  double Draw() {
    state_ = Step(state_);
    return UnitOf(state_);
  }
  // The next count draws, in order, as count calls of Draw would give them;
  // on the generator's cycle four interleaved streams, each jumping four
  // states a step, take them without waiting on one another.
  void DrawMany(double* out, uint32_t count);

  // The state as it is, for code that steps the generator itself: on the
  // cycle, 1 to 2^31 - 2, the states are those of the minimal-standard
  // recurrence alone.
  int32_t State() const { return state_; }
  bool OnCycle() const { return state_ > 0 && state_ < minimal_standard::kModulus; }
  void SetState(int32_t state) { state_ = state; }

 private:
  static int32_t Step(int32_t s);
  static double UnitOf(int32_t s) {
    return static_cast<double>(static_cast<uint32_t>(s)) * minimal_standard::kUnit;
  }

  int32_t state_ = 0;
};

// The minimal-standard step. For the states the generator visits, 1 to
// kModulus - 1, the product leaves a remainder that folds back in one step
// because the modulus is 2^31 - 1; any other state keeps Schrage's
// decomposition, which defines what it gives.
inline int32_t RandomSource::Step(int32_t s) {
  using namespace minimal_standard;
  if (s > 0 && s < kModulus) {
    const uint64_t product = static_cast<uint64_t>(s) * kMultiplier;
    const uint32_t folded = static_cast<uint32_t>((product & 0x7fffffff) + (product >> 31));
    return static_cast<int32_t>(folded >= static_cast<uint32_t>(kModulus) ? folded - kModulus
                                                                          : folded);
  }
  if (s > kQuotient) {
    const int32_t t = kMultiplier * (s % kQuotient) - kRemainder * (s / kQuotient);
    return t <= 0 ? t + kModulus : t;
  }
  // Widened so that a negative state stays defined.
  return static_cast<int32_t>(static_cast<int64_t>(kMultiplier) * s % kModulus);
}

namespace detail {
extern RandomSource processRandom;
}

// The process-wide instance.
inline RandomSource& ProcessRandom() { return detail::processRandom; }

// One step of the 15-bit generator that makes seeds: updates and returns
// the state.
uint32_t SeedStep(uint32_t& state);

// The seed the library's load gives the process-wide instance: two seeding
// steps from the fixed initial state.
int32_t LoadSeed();

}  // namespace tavrix
