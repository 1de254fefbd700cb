// A float's bits and back, for tests that compare results bit for bit.
#pragma once

#include <cstdint>
#include <cstring>

namespace tavrix::test {

inline uint32_t Bits(float v) {
  uint32_t bits;
  std::memcpy(&bits, &v, sizeof bits);
  return bits;
}

inline float FromBits(uint32_t bits) {
  float v;
  std::memcpy(&v, &bits, sizeof v);
  return v;
}

}  // namespace tavrix::test
