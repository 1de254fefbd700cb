// A point of a quad's corner, in view units: what the effect's frame, an
// emitter's corners, a particle's quad and the renderers share.
#pragma once

namespace tavrix {

struct QuadPoint {
  float x;
  float y;
};

}  // namespace tavrix
