// A particle as columns: each field of an emitter's live particles lies in
// its own contiguous array, so that the update reads and writes every field
// as one stream, lane by lane. Particle is the same fields gathered for one
// particle, with its flags and corners, for readers that want a whole
// particle (tools, tests).
#pragma once

#include <cstddef>
#include <cstdint>

#include "base/QuadPoint.h"

namespace tavrix {

enum ParticleColumn : uint32_t {
  kLifetime,
  kAge,
  kPositionX,
  kPositionY,
  kVelocityX,
  kVelocityY,
  kAngle,
  kWidth,
  kHeight,
  // The sine and cosine of the angle: with the position and the size they
  // give the quad's corners, which are worked out where they are drawn.
  kSine,
  kCosine,
  kBirthWidth,
  kBirthHeight,
  kBirthSpeed,
  kBirthSpin,
  kBirthSteadyForce,
  kBirthJitter,
  kColour,  // packed ARGB; 0 when too faint to draw
  kOffsetX,
  kOffsetY,
  kFrameElapsed,  // the particle's own frame clock
  kColumnCount,
};

// Every column is one 32-bit word per particle; one byte more holds flags.
constexpr uint32_t kBytesPerParticle = kColumnCount * 4 + 1;
// The flag byte's bits: a clock that does not loop has run out; and, while
// particles are removed, the particle stays.
constexpr uint8_t kFrameFinished = 1;
constexpr uint8_t kStays = 2;

struct Particle {
  float lifetime;
  float age;
  float positionX, positionY;
  float velocityX, velocityY;
  float angle;
  float width, height;
  float sine, cosine;
  float birthWidth, birthHeight;
  float birthSpeed;
  float birthSpin;
  float birthSteadyForce;
  float birthJitter;
  uint32_t colour;
  float offsetX, offsetY;
  float frameElapsed;
  // Not columns: the flag, and the corners as drawn.
  uint32_t frameFinished;
  QuadPoint quad[4];
};

// Where each column's word lies in a Particle, in column order.
constexpr size_t kColumnOffsets[kColumnCount] = {
    offsetof(Particle, lifetime),     offsetof(Particle, age),
    offsetof(Particle, positionX),    offsetof(Particle, positionY),
    offsetof(Particle, velocityX),    offsetof(Particle, velocityY),
    offsetof(Particle, angle),        offsetof(Particle, width),
    offsetof(Particle, height),       offsetof(Particle, sine),
    offsetof(Particle, cosine),       offsetof(Particle, birthWidth),
    offsetof(Particle, birthHeight),  offsetof(Particle, birthSpeed),
    offsetof(Particle, birthSpin),    offsetof(Particle, birthSteadyForce),
    offsetof(Particle, birthJitter),  offsetof(Particle, colour),
    offsetof(Particle, offsetX),      offsetof(Particle, offsetY),
    offsetof(Particle, frameElapsed),
};

}  // namespace tavrix
