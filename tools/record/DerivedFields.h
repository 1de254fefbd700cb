// The emitter fields the library works out from others: the force
// direction from the force angle and the corners from the pivot. Computed by
// the library's own emitter, so that the tools derive the same bits.
#pragma once

#include <array>

namespace tavrix::record {

struct Point {
  float x, y;
};

// What SetForceAngle stores for the angle in degrees.
Point ForceDirection(float degrees);
// What SetPivot stores as the quad's corners.
std::array<Point, 4> PivotCorners(float pivotX, float pivotY);

}  // namespace tavrix::record
