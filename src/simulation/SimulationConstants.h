// The simulation's numbers, each written once: the thresholds below which a
// value counts as zero, the angle conversions, and the constants of the
// library's own sine and cosine. Constants only, so that the lane code,
// compiled once per instruction set and sharing no function with the rest
// of the library, reads them from here as the scalar code does.
#pragma once

namespace tavrix {

// Magnitudes below this count as zero for spin, forces, gravity, jitter and
// the emission backlog.
constexpr float kTiny = 0.000001f;
// The largest float below 0.000001: |x| < 0.000001 compared in double is
// |x| <= this in float, without the conversion. A track's argument this
// close to 0 takes its first key.
constexpr float kTrackAtZero = 0x1.0c6f7ap-20f;
// A track's period, over which one cycle of its keys repeats: its duration
// and this much more, in double.
constexpr double kTrackPeriodMargin = 0.000001;

// The force direction is worked out in double; the per-particle arithmetic
// takes the same factor rounded once to float.
constexpr double kRadiansPerDegreeDouble = 3.14159265358979323846 / 180.0;
constexpr float kRadiansPerDegree = static_cast<float>(kRadiansPerDegreeDouble);
constexpr float kDegreesPerRadian = 180.0f / 3.14159265358979323846f;

// Sine and cosine: the polynomials' coefficients, cosine c0 to c4 and sine
// s1 to s3 (those of the single-precision functions Arm contributed to the
// GNU C library), and the reduction to a multiple of pi/2.
constexpr double kCosineC0 = 0x1p0, kCosineC1 = -0x1.ffffffd0c621cp-2,
                 kCosineC2 = 0x1.55553e1068f19p-5, kCosineC3 = -0x1.6c087e89a359dp-10,
                 kCosineC4 = 0x1.99343027bf8c3p-16;
constexpr double kSineS1 = -0x1.555545995a603p-3, kSineS2 = 0x1.1107605230bc4p-7,
                 kSineS3 = -0x1.994eb3774cf24p-13;
constexpr double kHalfPiInverseScaled = 0x1.45f306dc9c883p+23;  // 2/pi * 2^24
constexpr double kHalfPi = 0x1.921fb54442d18p0;

}  // namespace tavrix
