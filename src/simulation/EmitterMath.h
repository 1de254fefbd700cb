// Arithmetic shared by spawning and the per-step update of particles: the
// random draw and the wrap of an angle into one turn.
#pragma once

#include <cmath>

#include "base/RandomSource.h"
#include "simulation/SimulationConstants.h"

namespace tavrix {
namespace emitter_math {

// One draw of the process-wide random source.
inline double NextDraw() { return ProcessRandom().Draw(); }

// fmod(a, 360) without the call when a already lies inside one turn, where
// fmod returns it unchanged.
inline float WrapDegrees(float a) { return (a > -360.0f && a < 360.0f) ? a : std::fmod(a, 360.0f); }

inline float WrapDegrees(double a) {
  return static_cast<float>((a > -360.0 && a < 360.0) ? a : std::fmod(a, 360.0));
}

}  // namespace emitter_math
}  // namespace tavrix
