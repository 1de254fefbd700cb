// Measures the effects of one particle system as they play. It updates and
// draws them one at a time, in the order UpdateAll and DrawAll take them
// (the same simulation, the same picture), so that each effect's update and
// draw time is its own; an emitter's share of them is apportioned by its
// live particles and its quads, since the effect updates and draws its
// emitters inside one call. It counts births over the last second of effect
// time for the spawn rates. The system must be the core's own, linked into
// the program, not one reached through the shared library.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <vector>

#include "cost/EffectCost.h"
#include "tavrix/IParticleSystem.h"

namespace tavrix::cost {

class CostMeter {
 public:
  explicit CostMeter(IParticleSystem& system) : system_(system) {}

  // UpdateAll(ms) for the effects ids (every effect the system holds).
  void Update(const std::vector<int32_t>& ids, int32_t ms);
  // DrawAll() for the effects ids.
  void Draw(const std::vector<int32_t>& ids);
  // The effect's figures as it stands now; no emitters when id is unknown.
  EffectCost CostOf(int32_t id, const ViewArea& view) const;

 private:
  // The births of the updates in the last second of effect time.
  struct SpawnWindow {
    struct Step {
      int64_t born;
      int32_t ms;
    };
    std::deque<Step> steps;
    int64_t born = 0, ms = 0;  // over steps
    void Add(int64_t newborns, int32_t elapsedMs);
    double Rate() const { return ms > 0 ? double(born) * 1000.0 / double(ms) : 0.0; }
  };
  struct Watched {
    double updateMs = 0, drawMs = 0;
    std::vector<SpawnWindow> spawns;  // per emitter
  };

  Effect* Find(int32_t id) const;

  IParticleSystem& system_;
  std::map<int32_t, Watched> watched_;
};

}  // namespace tavrix::cost
