// Spawning: where a new particle is placed, its birth values, emission
// direction and angle, each random draw in its fixed order.
#include "simulation/Emitter.h"

#include <cmath>

#include "simulation/EffectBase.h"
#include "simulation/EmitterMath.h"
#include "simulation/SineCosine.h"

namespace tavrix {
namespace {

using emitter_math::NextDraw;
using emitter_math::WrapDegrees;

// A value between two bounds in either order: no draw when they are equal.
float Between(float a, float b) {
  if (a > b) {
    const float swapped = a;
    a = b;
    b = swapped;
  }
  if (a == b) return a;
  return static_cast<float>(a + NextDraw() * (b - a));
}

}  // namespace

void Emitter::PlaceParticle(Particle& p) {
  p.positionX = record.positionX;
  p.positionY = record.positionY;
  if (record.singleParticle || record.spawnShape < 1 || record.spawnShape > 3) return;
  const QuadPoint* frame = owner_->run.frameCorners;
  float x;
  float y;
  if (record.spawnShape == 1) {
    x = Between(frame[0].x, frame[1].x);
    y = (frame[0].y + frame[3].y) * 0.5f;
  } else if (record.spawnShape == 2) {
    x = (frame[0].x + frame[1].x) * 0.5f;
    y = Between(frame[0].y, frame[3].y);
  } else {
    y = Between(frame[0].y, frame[3].y);
    x = Between(frame[0].x, frame[1].x);
  }
  p.positionX += x;
  p.positionY += y;
}

float Emitter::EmissionDirection(Particle& p, float effectTime) {
  const EffectBase& e = *owner_;
  const bool fromEffect = record.useEffectEmission;
  const float force =
      Sample(fromEffect ? e.tracks.BaseEmissionForce : tracks.BaseEmissionForce,
             fromEffect ? e.tracks.VarEmissionForce : tracks.VarEmissionForce, effectTime);
  // The effect-rotation flag would subtract the effect's rotation, which is
  // always 0.
  const float angle =
      Sample(fromEffect ? e.tracks.BaseEmissionAngle : tracks.BaseEmissionAngle,
             fromEffect ? e.tracks.VarEmissionAngle : tracks.VarEmissionAngle, effectTime);
  const float arc =
      Sample(fromEffect ? e.tracks.BaseEmissionArc : tracks.BaseEmissionArc,
             fromEffect ? e.tracks.VarEmissionArc : tracks.VarEmissionArc, effectTime);
  const float d = WrapDegrees((angle - arc / 2.0f) + NextDraw() * arc);
  const float radians = d * kRadiansPerDegree;
  const auto [s, c] = SineCosine(radians);
  p.velocityX = s * force;
  p.velocityY = -c * force;
  return d;
}

float Emitter::BirthAngle(float direction) const {
  switch (record.rotationMode) {
    case 0: return WrapDegrees(direction + record.rotationOffset);
    case 1: return WrapDegrees(record.fixedRotation);
    case 2:
      return WrapDegrees((record.randomRotationCentre - record.randomRotationRange / 2.0f) +
                         NextDraw() * record.randomRotationRange);
    default:
      // Other modes have no angle of their own: the quad starts unrotated.
      return 0.0f;
  }
}

void Emitter::InitParticle(Particle& p) {
  const EffectBase& e = *owner_;
  const float time = e.record.elapsedSeconds;
  p.offsetX = e.record.positionX;
  p.offsetY = e.record.positionY;
  PlaceParticle(p);
  p.age = 0.0f;
  p.lifetime = SampleScaled(tracks.BaseLife, tracks.VarLife, e.tracks.ScaleLife, time);
  p.birthWidth = SampleScaled(tracks.BaseX, tracks.VarX, e.tracks.ScaleX, time);
  p.birthHeight = record.uniformSize
                      ? p.birthWidth
                      : SampleScaled(tracks.BaseY, tracks.VarY, e.tracks.ScaleY, time);
  p.birthSpeed = record.singleParticle
                     ? 0.0f
                     : SampleScaled(tracks.BaseSpeed, tracks.VarSpeed, e.tracks.ScaleSpeed, time);
  p.birthSpin = SampleScaled(tracks.BaseSpin, tracks.VarSpin, e.tracks.ScaleSpin, time);
  p.birthSteadyForce =
      SampleScaled(tracks.BaseFixedForce, tracks.VarFixedForce, e.tracks.ScaleFixedForce, time);
  p.birthJitter = record.singleParticle
                      ? 0.0f
                      : SampleScaled(tracks.BaseRand, tracks.VarRand, e.tracks.ScaleRand, time);
  float direction = 0.0f;
  if (record.singleParticle) {
    // A recycled record would otherwise keep its last particle's velocity.
    p.velocityX = 0.0f;
    p.velocityY = 0.0f;
  } else {
    direction = EmissionDirection(p, time);
  }
  p.angle = BirthAngle(direction);
  if (record.animated) record.frameAnimation.Start(p.frameElapsed, p.frameFinished);
}

}  // namespace tavrix
