// Spawning: where a new particle is placed, its birth values, emission
// direction and angle, each random draw in its fixed order.
#include "simulation/Emitter.h"

#include <cmath>

#include "effectfile/Effect.h"
#include "simulation/EmitterMath.h"
#include "simulation/SineCosine.h"

namespace tavrix {
namespace {

using emitter_math::kRadiansPerDegree;
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
  p.positionX = positionX;
  p.positionY = positionY;
  if (singleParticle || spawnShape < 1 || spawnShape > 3) return;
  const QuadPoint* frame = owner->frameCorners;
  float x;
  float y;
  if (spawnShape == 1) {
    x = Between(frame[0].x, frame[1].x);
    y = (frame[0].y + frame[3].y) * 0.5f;
  } else if (spawnShape == 2) {
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
  const Effect& e = *owner;
  const bool fromEffect = useEffectEmission;
  const float force = Sample(fromEffect ? e.BaseEmissionForce : BaseEmissionForce,
                             fromEffect ? e.VarEmissionForce : VarEmissionForce, effectTime);
  // The effect-rotation flag would subtract the effect's rotation, which is
  // always 0.
  const float angle = Sample(fromEffect ? e.BaseEmissionAngle : BaseEmissionAngle,
                             fromEffect ? e.VarEmissionAngle : VarEmissionAngle, effectTime);
  const float arc = Sample(fromEffect ? e.BaseEmissionArc : BaseEmissionArc,
                           fromEffect ? e.VarEmissionArc : VarEmissionArc, effectTime);
  const float d = WrapDegrees((angle - arc / 2.0f) + NextDraw() * arc);
  const float radians = d * kRadiansPerDegree;
  const auto [s, c] = SineCosine(radians);
  p.velocityX = s * force;
  p.velocityY = -c * force;
  return d;
}

float Emitter::BirthAngle(float direction) const {
  switch (rotationMode) {
    case 0: return WrapDegrees(direction + rotationOffset);
    case 1: return WrapDegrees(fixedRotation);
    case 2:
      return WrapDegrees((randomRotationCentre - randomRotationRange / 2.0f) +
                         NextDraw() * randomRotationRange);
    default:
      // Other modes have no angle of their own: the quad starts unrotated.
      return 0.0f;
  }
}

void Emitter::InitParticle(Particle& p) {
  const Effect& e = *owner;
  const float time = e.elapsedSeconds;
  p.offsetX = e.positionX;
  p.offsetY = e.positionY;
  PlaceParticle(p);
  p.age = 0.0f;
  p.lifetime = SampleScaled(BaseLife, VarLife, e.ScaleLife, time);
  p.birthWidth = SampleScaled(BaseX, VarX, e.ScaleX, time);
  p.birthHeight = uniformSize ? p.birthWidth : SampleScaled(BaseY, VarY, e.ScaleY, time);
  p.birthSpeed = singleParticle ? 0.0f : SampleScaled(BaseSpeed, VarSpeed, e.ScaleSpeed, time);
  p.birthSpin = SampleScaled(BaseSpin, VarSpin, e.ScaleSpin, time);
  p.birthSteadyForce = SampleScaled(BaseFixedForce, VarFixedForce, e.ScaleFixedForce, time);
  p.birthJitter = singleParticle ? 0.0f : SampleScaled(BaseRand, VarRand, e.ScaleRand, time);
  float direction = 0.0f;
  if (singleParticle) {
    // A recycled record would otherwise keep its last particle's velocity.
    p.velocityX = 0.0f;
    p.velocityY = 0.0f;
  } else {
    direction = EmissionDirection(p, time);
  }
  p.angle = BirthAngle(direction);
  if (animated) frameAnimation.Start(p.frameElapsed, p.frameFinished);
}

}  // namespace tavrix
