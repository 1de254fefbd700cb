// The simulation's one pseudo-random generator (Park and Miller's minimal
// standard), seeded with a fixed value at library load so that every run of
// an effect repeats exactly.
#pragma once

#include <cstdint>

namespace tavrix {

class RandomSource {
 public:
  virtual void Seed(int32_t value);
  virtual int32_t Next();
  // A value in the open interval (0, 1).
  virtual double NextUnit();

 private:
  int32_t state_ = 0;
};

// The process-wide instance.
RandomSource& ProcessRandom();

// One step of the 15-bit generator that makes seeds: updates and returns
// the state.
uint32_t SeedStep(uint32_t& state);

// The seed the library's load gives the process-wide instance: two seeding
// steps from the fixed initial state.
int32_t LoadSeed();

}  // namespace tavrix
