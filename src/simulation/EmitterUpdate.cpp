// The simulation step: ageing and removing particles, the emission rate and
// backlog, and the per-step update of every particle's size, colour, motion,
// orientation and quad.
#include "simulation/Emitter.h"

#include <cmath>

#include "effectfile/Effect.h"
#include "simulation/ArcTangent.h"
#include "simulation/EmitterMath.h"
#include "simulation/SineCosine.h"
#include "tavrix/ResultCode.h"

namespace tavrix {
namespace {

using emitter_math::kDegreesPerRadian;
using emitter_math::kRadiansPerDegree;
using emitter_math::kTiny;
using emitter_math::NextDraw;
using emitter_math::WrapDegrees;

// Particles a step may still spawn: floor(rate * backlog), bounded by the
// per-step and per-emitter limits, for any rate and backlog a file can give.
uint32_t SpawnCount(float rate, float backlog, int32_t live) {
  const float wanted = std::floor(rate * backlog);
  if (!(wanted >= 1.0f)) return 0;
  const int32_t room = Emitter::kMaxLiveParticles - live;
  uint32_t limit = Emitter::kMaxSpawnPerUpdate;
  if (room < static_cast<int32_t>(limit)) limit = room > 0 ? static_cast<uint32_t>(room) : 0;
  return wanted >= static_cast<float>(limit) ? limit : static_cast<uint32_t>(wanted);
}

}  // namespace

Emitter::StepValues Emitter::EffectValues(bool birth) const {
  const float o = owner->NormalisedTime();
  // "ScaleVisible" is evaluated at 0 for a particle's birth step.
  return StepValues{owner->speed_whole.Evaluate(o),
                    owner->ScaleVisible.Evaluate(birth ? 0.0f : o),
                    owner->gravity.Evaluate(o),
                    StepCurve(LifeX),
                    StepCurve(LifeY),
                    StepCurve(LifeSpeed),
                    StepCurve(LifeSpin),
                    StepCurve(LifeFixedForce),
                    StepCurve(LifeRand),
                    StepCurve(LifeRed),
                    StepCurve(LifeGreen),
                    StepCurve(LifeBlue),
                    StepCurve(LifeVisible)};
}

int32_t Emitter::Update(float dt) {
  if (!owner) return Success;
  const StepValues step = EffectValues(false);
  const bool mortal = !singleParticle;
  ring_.Sweep([&](Particle& p) {
    p.age += dt;
    if (mortal && p.age > p.lifetime) return false;
    UpdateParticle(p, p.age / p.lifetime, dt, step);
    return true;
  });
  if (stopped) return Success;
  if (singleParticle) {
    if (ring_.Count() == 0) Spawn();
    return Success;
  }
  emissionBacklog += dt;
  const float rate = SampleScaled(BaseQuantity, VarQuantity, owner->ScaleQuantity,
                                  owner->elapsedSeconds);
  const uint32_t n = SpawnCount(rate, emissionBacklog, ring_.Count());
  if (n > 0) {
    emissionBacklog -= static_cast<float>(n) / rate;
    if (emissionBacklog < 0.0f || std::fabs(emissionBacklog) < kTiny) emissionBacklog = 0.0f;
    uint32_t spawned = 0;
    while (spawned < n && Spawn()) ++spawned;
  }
  return Success;
}

bool Emitter::Spawn() {
  Particle* p = ring_.Append(owner->ParticleStorage(), kMaxLiveParticles);
  // A ring that cannot grow supplies nothing: no particle is born, and the
  // rest of this step's particles are not asked for.
  if (!p) return false;
  InitParticle(*p);
  return true;
}

void Emitter::UpdateParticle(Particle& p, float t, float dt, const StepValues& step) {
  p.width = BaseX.Clamp(step.x.At(t) * p.birthWidth);
  p.height = uniformSize ? p.width : BaseY.Clamp(step.y.At(t) * p.birthHeight);
  p.speed = BaseSpeed.Clamp(step.speedWhole * step.speed.At(t) * p.birthSpeed);
  if (rotationMode != 0 || !alignToMotion) p.spin = step.spin.At(t) * p.birthSpin;
  p.steadyForce = BaseFixedForce.Clamp(step.fixedForce.At(t) * p.birthSteadyForce);
  p.jitter = BaseRand.Clamp(step.jitter.At(t) * p.birthJitter);
  p.red = LifeRed.Clamp(step.red.At(t));
  p.green = LifeGreen.Clamp(step.green.At(t));
  p.blue = LifeBlue.Clamp(step.blue.At(t));
  p.alpha = LifeVisible.Clamp(step.visible.At(t) * step.scaleVisible);
  if (animated) p.frameAnimation.Advance(dt);
  if (!singleParticle) MoveParticle(p, dt, step);
  OrientParticle(p, dt);
}

void Emitter::MoveParticle(Particle& p, float dt, const StepValues& step) {
  const float jitter = p.jitter;
  if (std::fabs(jitter) >= kTiny) {
    const double r1 = NextDraw();
    const double r2 = NextDraw();
    p.velocityY = static_cast<float>(p.velocityY + (-jitter / 2.0f + r1 * jitter) * dt);
    p.velocityX = static_cast<float>(p.velocityX + (-jitter / 2.0f + r2 * jitter) * dt);
  }
  if (std::fabs(p.steadyForce) >= kTiny) {
    p.velocityX += p.steadyForce * forceDirectionX * dt;
    p.velocityY += p.steadyForce * forceDirectionY * dt;
  }
  const float g = step.gravity;
  if (std::fabs(g) >= kTiny) {
    p.positionX += dt * p.velocityX * p.speed;
    p.positionY += dt * (p.velocityY * p.speed + 31.6f * g * dt) + 500.0f * g * dt * dt;
  } else {
    p.positionX += p.velocityX * p.speed * dt;
    p.positionY += p.velocityY * p.speed * dt;
  }
}

// The particle's angle, the matrix of its quad and the quad's corners.
void Emitter::OrientParticle(Particle& p, float dt) {
  bool rebuild;
  if (rotationMode == 0 && alignToMotion) {
    float angle = ArcTangent2(p.velocityX, -p.velocityY) * kDegreesPerRadian;
    if (angle < 0.0f) angle += 360.0f;
    p.angle = angle + rotationOffset;
    rebuild = true;
  } else {
    const bool spinning = std::fabs(p.spin) >= kTiny;
    if (spinning) p.angle = WrapDegrees(p.angle + p.spin * dt);
    rebuild = spinning || p.width != p.lastWidth || p.height != p.lastHeight;
    p.lastWidth = p.width;
    p.lastHeight = p.height;
  }
  // The corners are placed from the matrix held here rather than read back
  // from the record just written, which would wait on the stores.
  float m00 = p.m00, m01 = p.m01, m10 = p.m10, m11 = p.m11;
  if (rebuild) {
    const auto [s, c] = SineCosine(p.angle * kRadiansPerDegree);
    p.m00 = m00 = c * p.width;
    p.m01 = m01 = -s * p.height;
    p.m10 = m10 = s * p.width;
    p.m11 = m11 = c * p.height;
  }
  for (int k = 0; k < 4; ++k) {
    const float cx = corners[k].x;
    const float cy = corners[k].y;
    p.quad[k].x = p.positionX + (m00 * cx + m01 * cy);
    p.quad[k].y = p.positionY + (m10 * cx + m11 * cy);
  }
}

}  // namespace tavrix
