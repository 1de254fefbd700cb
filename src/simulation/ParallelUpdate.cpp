// Emitters updated side by side. The random draws make the only order
// between emitters, so the update runs in three rounds over a group of
// emitters: every emitter ages, removes and counts the draws of its step on
// any thread; then, on the host's thread and in record order, each reserves
// its step's draws by jumping the process-wide source past them, publishes
// the tasks of its step and spawns (a sub-effect emitter updates whole
// here); the other threads step the published tasks meanwhile, each from
// its reserved state, and the host's thread joins them at the end. Every
// draw lands where one thread would have taken it, and every host call
// stays on the host's thread.
#include "simulation/ParallelUpdate.h"

#include <atomic>
#include <thread>

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
  IParticleEmitter* const* group = nullptr;
  uint32_t groupCount = 0;
  Emitter* emitters[kGroup];
  uint32_t emitterCount = 0;
  bool publishEach = true;  // no sub-effect emitter among them
  Task tasks[kGroup * Emitter::kMaxTasks];
  uint32_t taskCount = 0;  // written by the host's thread only
  float dt = 0.0f;
  std::atomic<uint32_t> next{0};
  // The tasks below published may be stepped; none is added once emitted.
  std::atomic<uint32_t> published{0};
  std::atomic<bool> emitted{false};
};

void PrepareAll(void* context, uint32_t) {
  Rounds& rounds = *static_cast<Rounds*>(context);
  for (uint32_t i = rounds.next++; i < rounds.emitterCount; i = rounds.next++) {
    rounds.emitters[i]->Prepare(rounds.dt);
  }
}

void AddTasks(Rounds& rounds, Emitter& emitter) {
  for (uint32_t task = 0; task < emitter.Tasks(); ++task) {
    rounds.tasks[rounds.taskCount++] = Task{&emitter, task};
  }
  if (rounds.publishEach) rounds.published.store(rounds.taskCount, std::memory_order_release);
}

// In record order: each emitter reserves its draws and publishes its tasks,
// before spawning when its births leave the tasks' slots where they are;
// any other emitter updates whole. A sub-effect emitter's whole update
// loads and steps effects of its own, so in a group that holds one the
// tasks are published only once every emitter has emitted.
void EmitAll(Rounds& rounds) {
  for (uint32_t i = 0; i < rounds.groupCount; ++i) {
    IParticleEmitter* const emitter = rounds.group[i];
    if (!emitter->IsEnabled()) continue;
    auto* stepped = dynamic_cast<Emitter*>(emitter);
    if (!stepped) {
      emitter->Update(rounds.dt);
      continue;
    }
    const bool whileSpawning = stepped->Reserve(rounds.dt);
    if (whileSpawning) AddTasks(rounds, *stepped);
    stepped->SpawnReserved();
    if (!whileSpawning) AddTasks(rounds, *stepped);
  }
  rounds.published.store(rounds.taskCount, std::memory_order_release);
  rounds.emitted.store(true, std::memory_order_release);
}

// Takes the published tasks one by one, waiting for the host's thread to
// publish more until it has emitted every emitter.
void StepPublished(Rounds& rounds) {
  for (uint32_t i = rounds.next++;; i = rounds.next++) {
    while (i >= rounds.published.load(std::memory_order_acquire)) {
      if (rounds.emitted.load(std::memory_order_acquire) &&
          i >= rounds.published.load(std::memory_order_acquire)) {
        return;
      }
      std::this_thread::yield();
    }
    rounds.tasks[i].emitter->StepTask(rounds.tasks[i].task);
  }
}

void EmitAndStep(void* context, uint32_t slice) {
  Rounds& rounds = *static_cast<Rounds*>(context);
  if (slice == 0) EmitAll(rounds);
  StepPublished(rounds);
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
  rounds.group = emitters;
  rounds.groupCount = count;
  rounds.dt = dt;
  for (uint32_t i = 0; i < count; ++i) {
    if (!emitters[i]->IsEnabled()) continue;
    if (auto* emitter = dynamic_cast<Emitter*>(emitters[i])) {
      rounds.emitters[rounds.emitterCount++] = emitter;
    } else {
      rounds.publishEach = false;
    }
  }
  workers.Run(PrepareAll, &rounds);
  rounds.next = 0;
  workers.Run(EmitAndStep, &rounds);
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
