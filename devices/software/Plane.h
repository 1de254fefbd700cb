// An attribute's plane across a triangle: its value at any pixel position.
#pragma once

namespace tavrix::software {

struct Plane {
  float origin, perX, perY;
  float At(float x, float y) const { return origin + perX * x + perY * y; }
};

}  // namespace tavrix::software
