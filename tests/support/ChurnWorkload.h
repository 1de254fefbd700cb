// The busy workload churned for thousands of frames: the showcase effect
// with its busy emitter at 400 particles a second living 1.5 to 2.5 s, host
// frames of 17, 17 and 16 ms, every frame drawn into a hashing recorder.
// Header-only, so that the same run can be recorded by any build.
#pragma once

#include <cstdint>

#include "support/QuadRecorder.h"
#include "support/Workloads.h"

namespace tavrix::test {

struct ChurnResult {
  uint64_t hash;
  uint64_t quads;
  int64_t liveSum;
};

// A rate above 0 makes the busy emitter (and with both, the animated box
// emitter too) emit that many particles a second instead; threads above 1
// share the update once it is big enough.
inline ChurnResult RunChurnedBusy(int frames, float rate = 0.0f, uint32_t threads = 1,
                                  bool both = false) {
  SimulationWorld world;
  world.registry.StartUpdateWorkers(threads);
  BuildShowcase(world);
  Effect& effect = *world.effect;
  effect.record.durationSeconds = 1000.0f;
  effect.record.endMode = 0;
  Emitter& busy = *static_cast<Emitter*>(effect.emitters[0]);
  if (rate > 0.0f) busy.tracks.BaseQuantity.SetRange(1000.0f, 0.0f, rate, 0.0f);
  SetConstant(busy.tracks.BaseQuantity, rate > 0.0f ? rate : 400.0f);
  if (both) {
    Emitter& box = *static_cast<Emitter*>(effect.emitters[1]);
    box.tracks.BaseQuantity.SetRange(1000.0f, 0.0f, rate, 0.0f);
    SetConstant(box.tracks.BaseQuantity, rate);
  }
  SetConstant(busy.tracks.BaseLife, 2.0f);
  SetConstant(busy.tracks.VarLife, 1.0f);
  QuadRecorder recorder(QuadRecorder::HashOnly);
  effect.Start(0, true);
  int64_t liveSum = 0;
  for (int frame = 0; frame < frames; ++frame) {
    effect.AdvanceBy(frame % 3 == 2 ? 16 : 17);
    effect.Draw(recorder);
    liveSum += effect.GetParticleCount();
  }
  return ChurnResult{recorder.hash, recorder.quadCount, liveSum};
}

}  // namespace tavrix::test
