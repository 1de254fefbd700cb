// Eight-bit channel arithmetic shared by texture combining and blending.
#pragma once

#include <cstdint>

namespace tavrix::software {

// round(a * b / 255) for a, b in 0..255, exactly.
inline uint32_t Mul255(uint32_t a, uint32_t b) {
  uint32_t t = a * b + 128;
  return (t + (t >> 8)) >> 8;
}

inline uint32_t Channel(uint32_t argb, int shift) { return (argb >> shift) & 0xFFu; }

inline uint32_t Pack(uint32_t a, uint32_t r, uint32_t g, uint32_t b) {
  return (a << 24) | (r << 16) | (g << 8) | b;
}

// Channel-wise product of two ARGB colours.
inline uint32_t Modulate(uint32_t x, uint32_t y) {
  return Pack(Mul255(Channel(x, 24), Channel(y, 24)), Mul255(Channel(x, 16), Channel(y, 16)),
              Mul255(Channel(x, 8), Channel(y, 8)), Mul255(Channel(x, 0), Channel(y, 0)));
}

}  // namespace tavrix::software
