// The simulation step: ageing and removing particles, the emission rate and
// backlog, and the per-step update of every particle's size, colour, motion,
// orientation and quad, run by the lane code chunk by chunk from the young
// end, with the random draws taken in between in the order they always are.
#include "simulation/Emitter.h"

#include <cmath>

#include "simulation/ArcTangent.h"
#include "simulation/EffectBase.h"
#include "simulation/EmitterMath.h"
#include "simulation/SineCosine.h"
#include "simulation/lanes/LanePaths.h"
#include "tavrix/ResultCode.h"

namespace tavrix {
namespace {

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

LaneRange RangeOf(const ParamTrack& track) { return {track.Minimum(), track.Maximum()}; }

// The two draws of each jittering particle, youngest first, taken at once:
// in lane code while the generator is on its cycle, as it always is once
// seeded with anything but 0.
void TakeDraws(const StepLanes& lanes, StepScratch& scratch, uint32_t n, RandomSource& random) {
  if (random.OnCycle()) {
    random.SetState(lanes.takeDraws(random.State(), scratch, n));
    return;
  }
  for (uint32_t i = n; i > 0; --i) {
    const bool takes = std::fabs(scratch.jitter[i - 1]) >= kTiny;
    scratch.draw1[i - 1] = takes ? random.Draw() : 0.0;
    scratch.draw2[i - 1] = takes ? random.Draw() : 0.0;
  }
}

}  // namespace

float AlignedAngle(float velocityX, float velocityY, float rotationOffset) {
  float angle = ArcTangent2(velocityX, -velocityY) * kDegreesPerRadian;
  if (angle < 0.0f) angle += 360.0f;
  return angle + rotationOffset;
}

SineAndCosineLane LargeSineCosine(float radians) {
  const auto [s, c] = sine_cosine::Large(radians);
  return {s, c};
}

StepPlan Emitter::Plan(float dt, bool birth) const {
  const float o = owner_->NormalisedTime();
  StepPlan plan{};
  plan.dt = dt;
  plan.birth = birth;
  plan.speedWhole = owner_->tracks.speed_whole.Evaluate(o);
  // "ScaleVisible" is evaluated at 0 for a particle's birth step.
  plan.scaleVisible = owner_->tracks.ScaleVisible.Evaluate(birth ? 0.0f : o);
  plan.gravity = owner_->tracks.gravity.Evaluate(o);
  plan.x = tracks.LifeX.Lanes();
  plan.y = tracks.LifeY.Lanes();
  plan.speed = tracks.LifeSpeed.Lanes();
  plan.spin = tracks.LifeSpin.Lanes();
  plan.fixedForce = tracks.LifeFixedForce.Lanes();
  plan.jitter = tracks.LifeRand.Lanes();
  plan.red = tracks.LifeRed.Lanes();
  plan.green = tracks.LifeGreen.Lanes();
  plan.blue = tracks.LifeBlue.Lanes();
  plan.visible = tracks.LifeVisible.Lanes();
  plan.widthRange = RangeOf(tracks.BaseX);
  plan.heightRange = RangeOf(tracks.BaseY);
  plan.speedRange = RangeOf(tracks.BaseSpeed);
  plan.fixedForceRange = RangeOf(tracks.BaseFixedForce);
  plan.jitterRange = RangeOf(tracks.BaseRand);
  plan.redRange = RangeOf(tracks.LifeRed);
  plan.greenRange = RangeOf(tracks.LifeGreen);
  plan.blueRange = RangeOf(tracks.LifeBlue);
  plan.visibleRange = RangeOf(tracks.LifeVisible);
  plan.uniformSize = record.uniformSize;
  plan.alignToMotion = record.rotationMode == 0 && record.alignToMotion;
  plan.moving = !record.singleParticle;
  plan.forceDirectionX = record.forceDirectionX;
  plan.forceDirectionY = record.forceDirectionY;
  plan.rotationOffset = record.rotationOffset;
  return plan;
}

int32_t Emitter::Update(float dt) {
  if (!owner_) return Success;
  if (ring_.Count() > 0) {
    AgeAndRemove(dt);
    const StepPlan plan = Plan(dt, false);
    ring_.ForRange(0, ring_.Count(),
                   [&](uint32_t first, uint32_t n) { StepSlots(plan, first, n, ProcessRandom()); });
  }
  Emission(dt);
  return Success;
}

void Emitter::Emission(float dt) {
  const uint32_t n = Births(dt);
  if (n > 0) Spawn(Plan(0.0f, true), n);
}

uint32_t Emitter::Births(float dt) {
  if (record.stopped) return 0;
  if (record.singleParticle) return ring_.Count() == 0 ? 1 : 0;
  record.emissionBacklog += dt;
  const float rate = SampleScaled(tracks.BaseQuantity, tracks.VarQuantity,
                                  owner_->tracks.ScaleQuantity, owner_->record.elapsedSeconds);
  const uint32_t n = SpawnCount(rate, record.emissionBacklog, ring_.Count());
  if (n > 0) {
    record.emissionBacklog -= static_cast<float>(n) / rate;
    if (record.emissionBacklog < 0.0f || std::fabs(record.emissionBacklog) < kTiny)
      record.emissionBacklog = 0.0f;
  }
  return n;
}

// One pass in lane code ages every particle and marks the ones that stay;
// the ring then packs the survivors only when one goes.
void Emitter::AgeAndRemove(float dt) {
  const StepLanes& lanes = CurrentLanes();
  const ColumnBlock block{ring_.Words(kLifetime), ring_.Capacity()};
  SlotRun runs[2];
  ring_.Runs(runs);
  uint32_t gone = 0;
  for (const SlotRun& run : runs) {
    gone += lanes.ageAndMark(dt, record.singleParticle, block, run.first, run.count);
  }
  if (gone != 0) ring_.RemoveUnmarked(gone);
}

void Emitter::StepSlots(const StepPlan& plan, uint32_t slot, uint32_t count, RandomSource& random) {
  StepScratch scratch;
  // Chunks from the young end, so that the draws go youngest first.
  for (uint32_t end = slot + count; end > slot;) {
    const uint32_t n = end - slot < kChunk ? end - slot : kChunk;
    const uint32_t first = end - n;
    StepChunk(plan, first, n, scratch, &random);
    end = first;
  }
}

void Emitter::StepChunk(const StepPlan& plan, uint32_t first, uint32_t n, StepScratch& scratch,
                        RandomSource* random) {
  const StepLanes& lanes = CurrentLanes();
  const ColumnBlock block{ring_.Words(kLifetime), ring_.Capacity()};
  lanes.shape(plan, block, first, n, scratch);
  if (record.animated) {
    float* const elapsed = ring_.Floats(kFrameElapsed);
    uint8_t* const flags = ring_.Flags();
    for (uint32_t i = first; i < first + n; ++i) {
      uint32_t finished = flags[i] & kFrameFinished;
      record.frameAnimation.Advance(plan.dt, elapsed[i], finished);
      flags[i] =
          static_cast<uint8_t>((flags[i] & ~kFrameFinished) | (finished ? kFrameFinished : 0));
    }
  }
  if (plan.moving && random) TakeDraws(lanes, scratch, n, *random);
  lanes.motion(plan, block, first, n, scratch);
}

// Births a chunk at a time: each particle is placed and given its birth
// values, draw by draw, and takes at once the two draws its first step's
// jitter would take; then the chunk takes its first step in lane code with
// those draws, as each particle's step right after its birth would.
uint32_t Emitter::Spawn(const StepPlan& birth, uint32_t count) {
  StepScratch scratch;
  double draw1[kChunk];
  double draw2[kChunk];
  const float jitterAtBirth = tracks.LifeRand.Evaluate(0.0f);
  const BirthSamplers samplers = Samplers();
  ParticlePool* const pool = owner_->ParticleStorage();
  uint32_t born = 0;
  while (born < count) {
    const uint32_t lo = static_cast<uint32_t>(ring_.Count());
    uint32_t n = 0;
    for (uint32_t slot; n < kChunk && born + n < count; ++n) {
      // A ring that cannot grow supplies nothing: no particle is born, and
      // the rest of this step's particles are not asked for.
      if (!ring_.Append(pool, kMaxLiveParticles, slot)) break;
      Particle p{};
      InitParticle(p, samplers);
      ring_.Store(slot, p);
      const float jitter = tracks.BaseRand.Clamp(jitterAtBirth * p.birthJitter);
      const bool draws = birth.moving && std::fabs(jitter) >= kTiny;
      draw1[n] = draws ? ProcessRandom().Draw() : 0.0;
      draw2[n] = draws ? ProcessRandom().Draw() : 0.0;
    }
    ring_.ForRange(lo, lo + n, [&](uint32_t first, uint32_t m) {
      const uint32_t offset = ring_.Index(first) - lo;
      for (uint32_t i = 0; i < m; ++i) {
        scratch.draw1[i] = draw1[offset + i];
        scratch.draw2[i] = draw2[offset + i];
      }
      StepChunk(birth, first, m, scratch, nullptr);
    });
    born += n;
    if (n < kChunk && born < count) break;
  }
  return born;
}

std::optional<Particle> Emitter::Oldest() const {
  if (ring_.Count() == 0) return std::nullopt;
  return ParticleAt(0);
}

std::optional<Particle> Emitter::Newest() const {
  if (ring_.Count() == 0) return std::nullopt;
  return ParticleAt(ring_.Count() - 1);
}

}  // namespace tavrix
