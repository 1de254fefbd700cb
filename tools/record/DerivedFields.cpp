#include "record/DerivedFields.h"

#include "simulation/Emitter.h"

namespace tavrix::record {

Point ForceDirection(float degrees) {
  Emitter emitter;
  emitter.SetForceAngle(degrees);
  return {emitter.forceDirectionX, emitter.forceDirectionY};
}

std::array<Point, 4> PivotCorners(float pivotX, float pivotY) {
  Emitter emitter;
  emitter.SetPivot(pivotX, pivotY);
  std::array<Point, 4> corners;
  for (size_t c = 0; c < corners.size(); ++c)
    corners[c] = {emitter.corners[c].x, emitter.corners[c].y};
  return corners;
}

}  // namespace tavrix::record
