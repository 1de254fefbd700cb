// Arithmetic shared by spawning and the per-step update of particles: the
// random draw, angle conversions and the wrap of an angle into one turn.
#pragma once

#include <cmath>

#include "base/RandomSource.h"

namespace tavrix {
namespace emitter_math {

// The force direction is worked out in double; the per-particle arithmetic
// takes the same factor rounded once to float.
constexpr double kRadiansPerDegreeDouble = 3.14159265358979323846 / 180.0;
constexpr float kRadiansPerDegree = static_cast<float>(kRadiansPerDegreeDouble);
constexpr float kDegreesPerRadian = 180.0f / 3.14159265358979323846f;
// Magnitudes below this count as zero for spin, forces and gravity.
constexpr float kTiny = 0.000001f;

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
