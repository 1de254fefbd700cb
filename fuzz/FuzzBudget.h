// The particle budget the fuzzers run under: inputs that fill the budget are
// common, and a small one keeps each input fast.
#pragma once

#include <cstdint>

namespace tavrix::fuzz {

constexpr uint64_t ParticleBudget = 50000;

}  // namespace tavrix::fuzz
