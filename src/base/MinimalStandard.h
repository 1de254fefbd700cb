// The numbers of the simulation's generator, Park and Miller's minimal
// standard: state' = state * 16807 modulo 2^31 - 1, a draw the state over
// 2^31. Constants only, so that the lane code, compiled once per
// instruction set and sharing no function with the rest of the library,
// reads them from here too.
#pragma once

#include <cstdint>

namespace tavrix::minimal_standard {

constexpr int32_t kMultiplier = 16807;
constexpr int32_t kModulus = 2147483647;  // 2^31 - 1
// Schrage's decomposition of the modulus by the multiplier.
constexpr int32_t kQuotient = kModulus / kMultiplier;
constexpr int32_t kRemainder = kModulus % kMultiplier;
// A state as a draw in (0, 1): the state times 2^-31.
constexpr double kUnit = 1.0 / 2147483648.0;

}  // namespace tavrix::minimal_standard
