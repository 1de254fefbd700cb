// The fixed-layout particle record. Records of one emitter lie side by side
// in birth order and are moved as plain bytes when the emitter compacts or
// grows them; a record handed out for a new particle still holds whatever
// an earlier particle left there. Fields the update reads every step come
// first, those only spawning and drawing need come last.
#pragma once

#include <type_traits>

#include "render/IParticleRenderer.h"
#include "simulation/FrameAnimation.h"

namespace tavrix {

struct Particle {
  float lifetime;
  float age;
  float positionX, positionY;
  float velocityX, velocityY;
  float angle;
  float m00, m01, m10, m11;
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
  QuadPoint quad[4];
  float red, green, blue, alpha;
  float offsetX, offsetY;
  FrameClock frameAnimation;
};
static_assert(std::is_trivially_copyable<Particle>::value, "records move as plain bytes");

}  // namespace tavrix
