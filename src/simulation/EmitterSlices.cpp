// The step of an emitter in tasks for the update threads: slices of its
// particles from the young end. The random draws make the only order
// between particles, so each task first counts the particles that draw, and
// then starts from the process-wide state moved on by the draws of the
// tasks before it: every particle gets the values one thread would have
// given it, and the process-wide state ends where it would.
#include "simulation/Emitter.h"
#include "simulation/lanes/LanePaths.h"

namespace tavrix {

// The tasks are slices from the young end of at least kLeastTask particles,
// at most kMaxTasks of them; each counts its jittering particles now, while
// the step's plan is that of this frame.
void Emitter::Prepare(float dt) {
  taskCount_ = 0;
  if (!owner_ || ring_.Count() == 0) return;
  AgeAndRemove(dt);
  taskPlan_ = Plan(dt, false);
  taskParticles_ = static_cast<uint32_t>(ring_.Count());
  taskSize_ = (taskParticles_ + kMaxTasks - 1) / kMaxTasks;
  if (taskSize_ < kLeastTask) taskSize_ = kLeastTask;
  taskCount_ = (taskParticles_ + taskSize_ - 1) / taskSize_;
  if (!taskPlan_.moving) return;
  const StepLanes& lanes = CurrentLanes();
  const ColumnBlock block{ring_.Words(kLifetime), ring_.Capacity()};
  for (uint32_t task = 0; task < taskCount_; ++task) {
    const uint32_t hi = taskParticles_ - task * taskSize_;
    const uint32_t lo = hi > taskSize_ ? hi - taskSize_ : 0;
    uint32_t jittering = 0;
    ring_.ForRange(lo, hi, [&](uint32_t first, uint32_t n) {
      jittering += lanes.countJittering(taskPlan_, block, first, n);
    });
    taskJittering_[task] = jittering;
  }
}

bool Emitter::Reserve(float dt) {
  reservedBirths_ = 0;
  if (!owner_) return true;
  RandomSource& process = ProcessRandom();
  for (uint32_t task = 0; task < taskCount_; ++task) {
    taskRandom_[task] = process;
    if (taskPlan_.moving) process.JumpAhead(2 * static_cast<uint64_t>(taskJittering_[task]));
  }
  reservedBirths_ = Births(dt);
  return ring_.Capacity() - static_cast<uint32_t>(ring_.Count()) >= reservedBirths_;
}

// Only the ring's count changes under the running tasks: they reach their
// slots through the head and the block, which stay while the ring has room.
void Emitter::SpawnReserved() {
  if (reservedBirths_ > 0) Spawn(Plan(0.0f, true), reservedBirths_);
}

void Emitter::StepTask(uint32_t task) {
  const uint32_t hi = taskParticles_ - task * taskSize_;
  const uint32_t lo = hi > taskSize_ ? hi - taskSize_ : 0;
  ring_.ForRange(lo, hi, [&](uint32_t first, uint32_t n) {
    StepSlots(taskPlan_, first, n, taskRandom_[task]);
  });
}

}  // namespace tavrix
