// The block cipher under the effect-file envelope: TEA with 16 cycles over
// big-endian words, written with explicit byte shifts so that the result is
// the same on every host byte order.
#include "effectfile/EffectCipher.h"

namespace tavrix {
namespace {

constexpr uint32_t kDelta = 0x9E3779B9u;
constexpr int kCycles = 16;

uint32_t LoadBigEndian(const uint8_t* p) {
  return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | uint32_t{p[3]};
}

void StoreBigEndian(uint32_t word, uint8_t* p) {
  p[0] = static_cast<uint8_t>(word >> 24);
  p[1] = static_cast<uint8_t>(word >> 16);
  p[2] = static_cast<uint8_t>(word >> 8);
  p[3] = static_cast<uint8_t>(word);
}

struct Key {
  explicit Key(const uint8_t* key)
      : k0(LoadBigEndian(key)),
        k1(LoadBigEndian(key + 4)),
        k2(LoadBigEndian(key + 8)),
        k3(LoadBigEndian(key + 12)) {}
  uint32_t k0, k1, k2, k3;
};

}  // namespace

void TeaEncipherBlock(const uint8_t* input, const uint8_t* key, uint8_t* output) {
  const Key k(key);
  uint32_t y = LoadBigEndian(input);
  uint32_t z = LoadBigEndian(input + 4);
  uint32_t sum = 0;
  for (int i = 0; i < kCycles; ++i) {
    sum += kDelta;
    y += ((z << 4) + k.k0) ^ (z + sum) ^ ((z >> 5) + k.k1);
    z += ((y << 4) + k.k2) ^ (y + sum) ^ ((y >> 5) + k.k3);
  }
  StoreBigEndian(y, output);
  StoreBigEndian(z, output + 4);
}

void TeaDecipherBlock(const uint8_t* input, const uint8_t* key, uint8_t* output) {
  const Key k(key);
  uint32_t y = LoadBigEndian(input);
  uint32_t z = LoadBigEndian(input + 4);
  uint32_t sum = kDelta * kCycles;
  for (int i = 0; i < kCycles; ++i) {
    z -= ((y << 4) + k.k2) ^ (y + sum) ^ ((y >> 5) + k.k3);
    y -= ((z << 4) + k.k0) ^ (z + sum) ^ ((z >> 5) + k.k1);
    sum -= kDelta;
  }
  StoreBigEndian(y, output);
  StoreBigEndian(z, output + 4);
}

}  // namespace tavrix
