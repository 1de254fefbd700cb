// Emitters updated side by side. The random draws make the only order
// between emitters, so the update runs in three rounds over a group of
// emitters: every emitter ages, removes and counts the draws of its step on
// any thread; then, on the host's thread and in record order, each reserves
// its step's draws by jumping the process-wide source past them and spawns
// (a sub-effect emitter updates whole here); then the steps' tasks run on
// any thread, each from its reserved state. Every draw lands where one
// thread would have taken it, and every host call stays on the host's thread.
#include "simulation/ParallelUpdate.h"

#include <atomic>

#include "simulation/Emitter.h"

namespace tavrix {
namespace {

// Fewer live particles than this are not worth the rounds.
constexpr int32_t kParallelCount = 8192;
constexpr uint32_t kGroup = 32;

struct Task {
  Emitter* emitter;
  uint32_t task;
};

struct Rounds {
  Emitter* emitters[kGroup];
  uint32_t emitterCount = 0;
  Task tasks[kGroup * Emitter::kMaxTasks];
  uint32_t taskCount = 0;
  float dt = 0.0f;
  std::atomic<uint32_t> next{0};
};

void PrepareAll(void* context, uint32_t) {
  Rounds& rounds = *static_cast<Rounds*>(context);
  for (uint32_t i = rounds.next++; i < rounds.emitterCount; i = rounds.next++) {
    rounds.emitters[i]->Prepare(rounds.dt);
  }
}

void StepAll(void* context, uint32_t) {
  Rounds& rounds = *static_cast<Rounds*>(context);
  for (uint32_t i = rounds.next++; i < rounds.taskCount; i = rounds.next++) {
    rounds.tasks[i].emitter->StepTask(rounds.tasks[i].task);
  }
}

int32_t LiveOf(IParticleEmitter* const* emitters, uint32_t count) {
  int32_t live = 0;
  for (uint32_t i = 0; i < count; ++i) {
    if (emitters[i]->IsEnabled()) live += emitters[i]->GetParticleCount();
  }
  return live;
}

// One group of emitters in the three rounds.
void UpdateGroup(IParticleEmitter* const* emitters, uint32_t count, float dt,
                 UpdateWorkers& workers) {
  Rounds rounds;
  rounds.dt = dt;
  for (uint32_t i = 0; i < count; ++i) {
    if (!emitters[i]->IsEnabled()) continue;
    if (auto* emitter = dynamic_cast<Emitter*>(emitters[i])) {
      rounds.emitters[rounds.emitterCount++] = emitter;
    }
  }
  workers.Run(PrepareAll, &rounds);
  for (uint32_t i = 0; i < count; ++i) {
    if (!emitters[i]->IsEnabled()) continue;
    if (auto* emitter = dynamic_cast<Emitter*>(emitters[i])) {
      emitter->Emit(dt);
      for (uint32_t task = 0; task < emitter->Tasks(); ++task) {
        rounds.tasks[rounds.taskCount++] = Task{emitter, task};
      }
    } else {
      emitters[i]->Update(dt);
    }
  }
  rounds.next = 0;
  workers.Run(StepAll, &rounds);
}

}  // namespace

int32_t UpdateEmitters(IParticleEmitter* const* emitters, uint32_t count, float dt,
                       UpdateWorkers* workers) {
  if (!workers || workers->Threads() < 2 || LiveOf(emitters, count) < kParallelCount) {
    int32_t live = 0;
    for (uint32_t i = 0; i < count; ++i) {
      if (!emitters[i]->IsEnabled()) continue;
      emitters[i]->Update(dt);
      live += emitters[i]->GetParticleCount();
    }
    return live;
  }
  for (uint32_t done = 0; done < count; done += kGroup) {
    UpdateGroup(emitters + done, count - done < kGroup ? count - done : kGroup, dt, *workers);
  }
  return LiveOf(emitters, count);
}

}  // namespace tavrix
