// A float's bit pattern and back: the library's own trigonometry branches
// on exponent bits, and the tools and tests compare floats bit for bit.
#pragma once

#include <cstdint>
#include <cstring>

namespace tavrix {

inline uint32_t FloatBits(float v) {
  uint32_t bits;
  std::memcpy(&bits, &v, sizeof bits);
  return bits;
}

inline float FloatFromBits(uint32_t bits) {
  float v;
  std::memcpy(&v, &bits, sizeof v);
  return v;
}

}  // namespace tavrix
