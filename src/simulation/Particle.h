// A particle as columns: each field of an emitter's live particles lies in
// its own contiguous array, so that the update reads and writes every field
// as one stream, lane by lane. Particle is the same fields gathered for one
// particle, for readers that want a whole particle (tools, tests).
#pragma once

#include <cstddef>
#include <cstdint>

#include "render/IParticleRenderer.h"

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
  kBirthWidth,
  kBirthHeight,
  kBirthSpeed,
  kBirthSpin,
  kBirthSteadyForce,
  kBirthJitter,
  // The quad's four corners, x and y in turn: eight words side by side per
  // particle, so that a drawing hands the host the corners where they lie.
  kQuad,
  kColour = kQuad + 8,  // packed ARGB; 0 when too faint to draw
  kOffsetX,
  kOffsetY,
  kFrameElapsed,   // the particle's own frame clock
  kFrameFinished,  // 1 once a clock that does not loop has run out
  kColumnCount,
};

// Every column is one 32-bit word per particle; a byte more marks, while
// particles are removed, the ones that stay.
constexpr uint32_t kBytesPerParticle = kColumnCount * 4 + 1;

// Where a column's word of the particle in slot lies in a block of
// capacity particles.
constexpr size_t WordOf(uint32_t column, uint32_t slot, uint32_t capacity) {
  return column >= kQuad && column < kColour
             ? size_t{kQuad} * capacity + size_t{slot} * 8 + (column - kQuad)
             : size_t{column} * capacity + slot;
}

struct Particle {
  float lifetime;
  float age;
  float positionX, positionY;
  float velocityX, velocityY;
  float angle;
  float width, height;
  float birthWidth, birthHeight;
  float birthSpeed;
  float birthSpin;
  float birthSteadyForce;
  float birthJitter;
  QuadPoint quad[4];
  uint32_t colour;
  float offsetX, offsetY;
  float frameElapsed;
  uint32_t frameFinished;
};

// Where each column's word lies in a Particle, in column order.
constexpr size_t kColumnOffsets[kColumnCount] = {
    offsetof(Particle, lifetime),     offsetof(Particle, age),
    offsetof(Particle, positionX),    offsetof(Particle, positionY),
    offsetof(Particle, velocityX),    offsetof(Particle, velocityY),
    offsetof(Particle, angle),        offsetof(Particle, width),
    offsetof(Particle, height),       offsetof(Particle, birthWidth),
    offsetof(Particle, birthHeight),  offsetof(Particle, birthSpeed),
    offsetof(Particle, birthSpin),    offsetof(Particle, birthSteadyForce),
    offsetof(Particle, birthJitter),  offsetof(Particle, quad[0].x),
    offsetof(Particle, quad[0].y),    offsetof(Particle, quad[1].x),
    offsetof(Particle, quad[1].y),    offsetof(Particle, quad[2].x),
    offsetof(Particle, quad[2].y),    offsetof(Particle, quad[3].x),
    offsetof(Particle, quad[3].y),    offsetof(Particle, colour),
    offsetof(Particle, offsetX),      offsetof(Particle, offsetY),
    offsetof(Particle, frameElapsed), offsetof(Particle, frameFinished),
};
static_assert(sizeof(Particle) == kColumnCount * 4, "one word per column");

}  // namespace tavrix
