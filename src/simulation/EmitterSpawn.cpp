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

Emitter::BirthSamplers Emitter::Samplers() const {
  const EffectBase& e = *owner_;
  const EffectBase::Tracks& scale = e.tracks;
  const float time = e.record.elapsedSeconds;
  const bool fromEffect = record.useEffectEmission;
  return BirthSamplers{
      Sampler(tracks.BaseLife, tracks.VarLife, scale.ScaleLife, time),
      Sampler(tracks.BaseX, tracks.VarX, scale.ScaleX, time),
      Sampler(tracks.BaseY, tracks.VarY, scale.ScaleY, time),
      Sampler(tracks.BaseSpeed, tracks.VarSpeed, scale.ScaleSpeed, time),
      Sampler(tracks.BaseSpin, tracks.VarSpin, scale.ScaleSpin, time),
      Sampler(tracks.BaseFixedForce, tracks.VarFixedForce, scale.ScaleFixedForce, time),
      Sampler(tracks.BaseRand, tracks.VarRand, scale.ScaleRand, time),
      Sampler(fromEffect ? e.tracks.BaseEmissionForce : tracks.BaseEmissionForce,
              fromEffect ? e.tracks.VarEmissionForce : tracks.VarEmissionForce, time),
      // The effect-rotation flag would subtract the effect's rotation, which
      // is always 0.
      Sampler(fromEffect ? e.tracks.BaseEmissionAngle : tracks.BaseEmissionAngle,
              fromEffect ? e.tracks.VarEmissionAngle : tracks.VarEmissionAngle, time),
      Sampler(fromEffect ? e.tracks.BaseEmissionArc : tracks.BaseEmissionArc,
              fromEffect ? e.tracks.VarEmissionArc : tracks.VarEmissionArc, time),
  };
}

float Emitter::EmissionDirection(Particle& p, const BirthSamplers& samplers) {
  const float force = samplers.emissionForce.Draw();
  const float angle = samplers.emissionAngle.Draw();
  const float arc = samplers.emissionArc.Draw();
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

void Emitter::InitParticle(Particle& p, const BirthSamplers& samplers) {
  const EffectBase& e = *owner_;
  p.offsetX = e.record.positionX;
  p.offsetY = e.record.positionY;
  PlaceParticle(p);
  p.age = 0.0f;
  p.lifetime = samplers.lifetime.Draw();
  p.birthWidth = samplers.width.Draw();
  p.birthHeight = record.uniformSize ? p.birthWidth : samplers.height.Draw();
  p.birthSpeed = record.singleParticle ? 0.0f : samplers.speed.Draw();
  p.birthSpin = samplers.spin.Draw();
  p.birthSteadyForce = samplers.steadyForce.Draw();
  p.birthJitter = record.singleParticle ? 0.0f : samplers.jitter.Draw();
  float direction = 0.0f;
  if (record.singleParticle) {
    // A recycled record would otherwise keep its last particle's velocity.
    p.velocityX = 0.0f;
    p.velocityY = 0.0f;
  } else {
    direction = EmissionDirection(p, samplers);
  }
  p.angle = BirthAngle(direction);
  if (record.animated) record.frameAnimation.Start(p.frameElapsed, p.frameFinished);
}

}  // namespace tavrix
