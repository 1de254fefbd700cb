// Counts the draws taken from the process-wide random source since a saved
// copy of it, so tests can check the number of draws an operation makes.
#pragma once

#include "base/RandomSource.h"

namespace tavrix::test {

class DrawCounter {
 public:
  DrawCounter() : saved_(ProcessRandom()) {}

  // -1 when more than a million draws were made.
  int Count() const {
    RandomSource now = ProcessRandom();
    const int32_t next = now.Next();
    RandomSource probe = saved_;
    for (int k = 0; k < 1000000; ++k) {
      RandomSource ahead = probe;
      if (ahead.Next() == next) return k;
      probe.Next();
    }
    return -1;
  }

 private:
  RandomSource saved_;
};

}  // namespace tavrix::test
