// The area of a drawn quad that falls inside the view, in view units: what
// overdraw adds up. A quad is any four corners (rotated or sheared; a folded
// one counts its net area); the parts outside the view cost no pixels.
#pragma once

#include "render/IParticleRenderer.h"

namespace tavrix::cost {

// The visible rectangle in view units.
struct ViewArea {
  float left = 0, top = 0, right = 0, bottom = 0;
  double Area() const { return double(right - left) * double(bottom - top); }
};

// The quad's corners displaced by (x, y), clipped to the view; 0 for
// corners that are not finite.
double ClippedArea(const QuadPoint quad[4], float x, float y, const ViewArea& view);

}  // namespace tavrix::cost
