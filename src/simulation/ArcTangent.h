// The angle of a vector, computed by the library itself so that particles
// aligned with their motion turn by the same bits on every platform and
// with every C runtime: the classic single-precision method (argument
// reduction to four breakpoints and an odd polynomial), whose results are
// glibc's atan2f.
#pragma once

namespace tavrix {

// atan2(y, x) in radians, in [-pi, pi].
float ArcTangent2(float y, float x);

}  // namespace tavrix
