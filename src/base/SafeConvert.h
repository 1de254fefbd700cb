// Float-to-integer conversions with a defined result for every input. A file
// can put NaN, infinities or huge values into any track or field, and a plain
// cast of those is undefined behaviour, so every such conversion goes here.
#pragma once

#include <cstdint>

namespace tavrix {

// Truncation toward zero, saturated to the int32 range; NaN gives nanValue.
inline int32_t TruncateToInt32(float v, int32_t nanValue = 0) {
  if (v != v) return nanValue;
  if (v >= 2147483648.0f) return INT32_MAX;
  if (v <= -2147483648.0f) return INT32_MIN;
  return static_cast<int32_t>(v);
}

inline int32_t SaturateToInt32(int64_t v) {
  if (v > INT32_MAX) return INT32_MAX;
  if (v < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(v);
}

// Nearest integer with ties to even, for a value already known to lie in
// [0, 2^23): adding and removing 2^23 leaves exactly the rounded value under
// the default rounding mode, without a library call.
inline uint32_t RoundSmallToEven(float v) {
  const float magic = 8388608.0f;
  return static_cast<uint32_t>((v + magic) - magic);
}

}  // namespace tavrix
