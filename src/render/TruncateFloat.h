// Float to integer truncation toward zero that is defined for every float:
// NaN gives 0 and values beyond the int32 range saturate, since host sizes
// and particle positions may be anything.
#pragma once

#include <cstdint>

namespace tavrix {

inline int32_t TruncateToInt32(float value) {
  if (!(value == value)) return 0;
  if (value >= 2147483520.0f) return INT32_MAX;  // largest float below 2^31
  if (value <= -2147483648.0f) return INT32_MIN;
  return static_cast<int32_t>(value);
}

inline int32_t SaturateToInt32(int64_t value) {
  if (value > INT32_MAX) return INT32_MAX;
  if (value < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(value);
}

}  // namespace tavrix
