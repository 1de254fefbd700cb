#include "record/DerivedFields.h"

#include "simulation/Emitter.h"

namespace tavrix::record {

Point ForceDirection(float degrees) {
  Emitter emitter;
  emitter.SetForceAngle(degrees);
  return {emitter.record.forceDirectionX, emitter.record.forceDirectionY};
}

std::array<Point, 4> PivotCorners(float pivotX, float pivotY) {
  Emitter emitter;
  emitter.SetPivot(pivotX, pivotY);
  std::array<Point, 4> corners;
  for (size_t c = 0; c < corners.size(); ++c)
    corners[c] = {emitter.record.corners[c].x, emitter.record.corners[c].y};
  return corners;
}

}  // namespace tavrix::record
