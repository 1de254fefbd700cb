// What one step of an emitter's particles reads besides the particles: the
// life tracks as plain data, the clamping ranges, the effect-wide values and
// the emitter's switches. It is plain data so that the lane code, compiled
// once per instruction set, shares no inline code with the rest of the
// library; rare cases call back into the library through the pointers.
#pragma once

#include <cstdint>

#include "render/IParticleRenderer.h"

namespace tavrix {

class ParamTrack;

// A track as the lanes evaluate it: a constant, a two-key ramp over one
// cycle, or anything else through evaluate.
struct LaneTrack {
  enum Shape : uint8_t { Constant, Ramp, Other };
  Shape shape;
  float constant;
  float time0, value0, time1, value1;
  float duration;
  float reciprocal;  // 0 unless the ramp divides by multiplying
  const ParamTrack* track;
};

struct LaneRange {
  float minimum, maximum;
};

struct SineAndCosineLane {
  float sine, cosine;
};

struct StepPlan {
  float dt;
  bool birth;  // the particle's first step: every track at 0
  float speedWhole, scaleVisible, gravity;
  LaneTrack x, y, speed, spin, fixedForce, jitter, red, green, blue, visible;
  LaneRange widthRange, heightRange, speedRange, fixedForceRange, jitterRange;
  LaneRange redRange, greenRange, blueRange, visibleRange;
  bool uniformSize;
  bool alignToMotion;  // the angle follows the velocity; spin is not used
  bool moving;         // false for the single, still particle
  float forceDirectionX, forceDirectionY;
  float rotationOffset;
  QuadPoint corners[4];

  float (*evaluate)(const ParamTrack* track, float x);
  float (*alignedAngle)(float velocityX, float velocityY, float rotationOffset);
  SineAndCosineLane (*largeSineCosine)(float radians);
};

// The per-step values a chunk of particles passes between the two halves of
// the lane code; the random draws between them are taken in order by the
// library.
constexpr uint32_t kChunk = 256;
struct StepScratch {
  float age[kChunk], value[kChunk], alpha[kChunk];  // normalised age, a track, opacity
  float speed[kChunk], spin[kChunk], steadyForce[kChunk], jitter[kChunk];
  double draw1[kChunk], draw2[kChunk];
};

// An emitter's block of columns: column c starts at words + c * capacity.
struct ColumnBlock {
  uint32_t* words;
  uint32_t capacity;
};

// One instruction set's lane code.
struct StepLanes {
  const char* name;
  // Sizes, speeds, forces, jitter and colour of count particles from slot.
  void (*shape)(const StepPlan& plan, const ColumnBlock& columns, uint32_t slot, uint32_t count,
                StepScratch& scratch);
  // Velocity, position, angle and corners, with the draws already taken.
  void (*motion)(const StepPlan& plan, const ColumnBlock& columns, uint32_t slot, uint32_t count,
                 const StepScratch& scratch);
  uint32_t (*packColour)(float red, float green, float blue, float alpha);
  // How many of count particles from slot take their two jitter draws.
  uint32_t (*countJittering)(const StepPlan& plan, const ColumnBlock& columns, uint32_t slot,
                             uint32_t count);
};

}  // namespace tavrix
