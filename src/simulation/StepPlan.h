// What one step of an emitter's particles reads besides the particles: the
// life tracks as plain data, the clamping ranges, the effect-wide values and
// the emitter's switches. It is plain data so that the lane code, compiled
// once per instruction set, shares no inline code with the rest of the
// library; rare cases call the library's own functions declared here.
#pragma once

#include <cstdint>

#include "base/QuadPoint.h"
#include "simulation/TrackKey.h"

namespace tavrix {

// A track as the lanes evaluate it: a constant, a two-key ramp over one
// cycle, or its keys, walked lane by lane.
struct LaneTrack {
  enum Shape : uint8_t { Constant, Ramp, Keys };
  Shape shape;
  float constant;
  float time0, value0, time1, value1;
  float duration;
  float reciprocal;  // 0 unless the ramp divides by multiplying
  // Keys: more than one cycle folds the argument back with fmod, unless it
  // already lies below the period; as a float, "below the period" is
  // "below periodLimit", the least float not below it.
  bool oneCycle;
  float cycles;
  double period;
  float periodLimit;
  const TrackKey* keys;
  uint32_t keyCount;
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
};

// The rare cases the lanes finish one by one, in the library's own code:
// the angle of a velocity, and the sine and cosine of a huge angle.
float AlignedAngle(float velocityX, float velocityY, float rotationOffset);
SineAndCosineLane LargeSineCosine(float radians);

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
  // Ages count particles from slot by dt and marks in their flags the ones
  // that stay (every one when immortal); returns how many go.
  uint32_t (*ageAndMark)(float dt, bool immortal, const ColumnBlock& columns, uint32_t slot,
                         uint32_t count);
  // Sizes, speeds, forces, jitter and colour of count particles from slot.
  void (*shape)(const StepPlan& plan, const ColumnBlock& columns, uint32_t slot, uint32_t count,
                StepScratch& scratch);
  // Velocity, position, angle, its sine and cosine, with the draws already
  // taken.
  void (*motion)(const StepPlan& plan, const ColumnBlock& columns, uint32_t slot, uint32_t count,
                 const StepScratch& scratch);
  uint32_t (*packColour)(float red, float green, float blue, float alpha);
  // The two draws of every jittering particle of a chunk of n whose jitter
  // Shape left in the scratch, youngest first, taken from a generator state
  // on its cycle onwards; returns the state after them.
  int32_t (*takeDraws)(int32_t state, StepScratch& scratch, uint32_t n);
  // How many of count particles from slot take their two jitter draws.
  uint32_t (*countJittering)(const StepPlan& plan, const ColumnBlock& columns, uint32_t slot,
                             uint32_t count);
  // The corners of count particles from slot, placed from the emitter's
  // four corners, as eight rows of count floats stride apart: x and y of
  // each corner.
  void (*quads)(const QuadPoint* corners, const ColumnBlock& columns, uint32_t slot, uint32_t count,
                uint32_t stride, float* quad);
  // The same corners plus the offsets (none: 0) and a half, each cut toward
  // zero, saturated to the int32 range, not a number giving 0; rows kChunk
  // apart.
  void (*points)(const QuadPoint* corners, const ColumnBlock& columns, uint32_t slot,
                 uint32_t count, bool offsets, int32_t* points);
};

}  // namespace tavrix
