// Fills triangles given in pixel coordinates: exact fixed-point edges with the
// top-left rule, so triangles that share an edge neither overlap nor leave a
// gap, and attributes interpolated across the triangle.
#pragma once

#include <cstdint>

#include "PixelState.h"

namespace tavrix::software {

struct ScreenVertex {
  float x, y;  // pixels; the centre of the top-left pixel is (0.5, 0.5)
  uint32_t diffuse;
  float u, v;
};

// Number of pixels written.
int64_t DrawTriangle(const PixelState& state, const ScreenVertex& a, const ScreenVertex& b,
                     const ScreenVertex& c);

}  // namespace tavrix::software
