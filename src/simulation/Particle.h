// The fixed-layout particle record. Records are pooled: one that comes back
// from the pool still holds its previous particle's values.
#pragma once

#include "render/IParticleRenderer.h"
#include "simulation/FrameAnimation.h"

namespace tavrix {

struct Particle {
  Particle* newer;  // next younger particle in the emitter's ring
  Particle* older;  // next older particle
  float lifetime;
  float age;
  float positionX, positionY;
  float velocityX, velocityY;
  float angle;
  QuadPoint quad[4];
  float m00, m01, m10, m11;
  FrameAnimation frameAnimation;
  float lastWidth, lastHeight;
  float width, height;
  float speed;
  float spin;
  float steadyForce;
  float jitter;
  float birthWidth, birthHeight;
  float birthSpeed;
  float birthSpin;
  float birthSteadyForce;
  float birthJitter;
  float red, green, blue, alpha;
  float offsetX, offsetY;
};

}  // namespace tavrix
