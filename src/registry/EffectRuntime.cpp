// The run time of an effect: start with prewarm, stop, the two clocks that
// bring host milliseconds in, the end modes, drawing in layer order, and
// the replay of a stored play time after loading.
#include <cstdint>

#include "effectfile/Effect.h"
#include "simulation/ParallelUpdate.h"
#include "tavrix/ResultCode.h"

namespace tavrix {
namespace {

enum EndMode : int32_t { ReportOnce = 0, Loop = 1, KillAtEnd = 2, FadeAtEnd = 3 };

// Replays run in 50 ms steps. A replay stops after an hour of play, so that
// a huge prewarm or a stored play time from a damaged file cannot run
// without end (the running value stops shrinking once single precision can
// no longer hold a 50 ms step) or overflow the step clock; and it stops once
// its steps have moved this many particles and emitters in all, so that an
// effect with a great many of them cannot hold up its load for minutes.
constexpr int32_t kReplayStepMs = 50;
// The replay step and the milliseconds of an advance in seconds, each the
// single-precision constant taken into double.
constexpr double kReplayStepSeconds = static_cast<double>(0.05f);
constexpr double kSecondsPerMs = static_cast<double>(0.001f);
constexpr int32_t kMaxReplaySteps = 72000;
constexpr int64_t kMaxReplayWork = 1000000;

// The effect's clock wraps around like the 32-bit counter it is.
int32_t WrappingAdd(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

int32_t WrappingSubtract(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b));
}

}  // namespace

int32_t Effect::Start(uint32_t prewarmMs, bool restartEmitters) {
  if (emitters.Empty()) return PlayNoEmitters;
  record.elapsedSeconds = 0.0f;
  run.endReported = false;
  for (IParticleEmitter* emitter : emitters) {
    int32_t result = emitter->Restart(restartEmitters);
    if (result < 0) return result;
  }
  record.stopping = false;
  record.running = true;
  // The prewarm measures its steps from 0, and the clock is 0 after it.
  run.lastTimeMs = 0;
  if (prewarmMs > 0) {
    ReplaySteps(static_cast<double>(prewarmMs) * kSecondsPerMs - kReplayStepSeconds);
  }
  return Success;
}

void Effect::ReplaySteps(double remaining) {
  int32_t t = 0;
  int64_t work = 0;
  for (int32_t step = 0;
       remaining > 0.0 && step < kMaxReplaySteps && work < kMaxReplayWork && record.running;
       ++step) {
    remaining = static_cast<float>(remaining);
    t += kReplayStepMs;
    AdvanceTo(t);
    remaining -= kReplayStepSeconds;
    work += static_cast<int64_t>(emitters.Size()) + GetParticleCount();
  }
  run.lastTimeMs = 0;
}

int32_t Effect::Stop(bool soft) {
  if (!record.running) return Success;
  if (soft) {
    for (IParticleEmitter* emitter : emitters) emitter->StopEmission();
    record.stopping = true;
  } else {
    for (IParticleEmitter* emitter : emitters) emitter->Kill();
    record.elapsedSeconds = 0.0f;
    record.stopping = false;
    record.running = false;
  }
  return Success;
}

int32_t Effect::AdvanceTo(int32_t timeMs) {
  if (!record.running) return Success;
  int32_t delta = WrappingSubtract(timeMs, run.lastTimeMs);
  if (delta <= 0) return Success;
  int32_t result = Advance(delta);
  run.lastTimeMs = timeMs;
  return result;
}

int32_t Effect::AdvanceBy(int32_t deltaMs) {
  if (!record.running || deltaMs == 0) return Success;
  int32_t result = Advance(deltaMs);
  run.lastTimeMs = WrappingAdd(run.lastTimeMs, deltaMs);
  return result;
}

int32_t Effect::Advance(int32_t deltaMs) { return AdvanceStep(deltaMs, true); }

// A loop restarts at most once per advance: the zero step after the restart
// checks the end again but does not restart a second time, so a looping
// effect whose duration is 0 or less, or whose restart fails, still returns.
int32_t Effect::AdvanceStep(int32_t deltaMs, bool mayRestart) {
  double dt = static_cast<double>(deltaMs) * kSecondsPerMs;
  record.elapsedSeconds = static_cast<float>(static_cast<double>(record.elapsedSeconds) + dt);
  float step = static_cast<float>(dt);

  const int32_t live = UpdateEmitters(emitters.Data(), emitters.Size(), step, Workers());

  int32_t result = Success;
  if (!record.stopping && record.elapsedSeconds >= record.durationSeconds) {
    switch (record.endMode) {
      case ReportOnce:
        if (!run.endReported) {
          run.endReported = true;
          result = EffectEnded;
        }
        break;
      case Loop:
        result = EffectEnded;
        if (mayRestart) {
          Start(0, true);
          AdvanceStep(0, false);
        }
        break;
      case KillAtEnd:
        result = EffectEnded;
        Stop(false);
        break;
      case FadeAtEnd:
        result = EffectEnded;
        Stop(true);
        break;
      default: break;
    }
  }
  if (record.stopping && live == 0) {
    result = EffectEnded;
    Stop(false);
  }
  return result;
}

void Effect::RestoreElapsed() {
  if (!(record.elapsedSeconds > 0.0f) || !record.running) return;
  double remaining = static_cast<double>(record.elapsedSeconds) - kReplayStepSeconds;
  record.elapsedSeconds = 0.0f;
  ReplaySteps(remaining);
}

int32_t Effect::Draw(IParticleRenderer& renderer) {
  for (uint32_t i = emitters.Size(); i-- > 0;) {
    int32_t result = emitters[i]->Draw(renderer);
    if (result < 0) return result;
  }
  return Success;
}

int32_t Effect::ClearParticles() {
  if (emitters.Empty()) return ClearNoEmitters;
  for (IParticleEmitter* emitter : emitters) {
    int32_t result = emitter->Clear();
    if (result < 0) return result;
  }
  return Success;
}

int32_t Effect::SetPosition(float x, float y, bool moveLiveParticles) {
  record.positionX = x;
  record.positionY = y;
  if (moveLiveParticles) {
    for (IParticleEmitter* emitter : emitters) emitter->SetParticleOffset(x, y);
  }
  return Success;
}

}  // namespace tavrix
