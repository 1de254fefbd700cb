// Little-endian fields of image file headers, read from memory with the
// bounds checked by the caller.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tavrix {

inline uint32_t ReadU16(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8);
}

inline uint32_t ReadU32(const uint8_t* p) { return ReadU16(p) | (ReadU16(p + 2) << 16); }

inline int32_t ReadI32(const uint8_t* p) {
  const uint32_t value = ReadU32(p);
  return value > INT32_MAX ? -static_cast<int32_t>(~value) - 1 : static_cast<int32_t>(value);
}

inline int32_t ReadI16(const uint8_t* p) {
  const uint32_t value = ReadU16(p);
  return value > 0x7FFF ? static_cast<int32_t>(value) - 0x10000 : static_cast<int32_t>(value);
}

}  // namespace tavrix
