// Timing each effect's update and draw, counting births after each update,
// and putting the figures of one effect together with its emitters' shares.
#include "cost/CostMeter.h"

#include <algorithm>
#include <chrono>

#include "module/ParticleSystem.h"
#include "registry/EffectRegistry.h"

namespace tavrix::cost {
namespace {

// Long enough to smooth the frames' rounding of births, short enough to
// follow a burst.
constexpr int64_t kSpawnWindowMs = 1000;

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

std::vector<int32_t> Ascending(std::vector<int32_t> ids) {
  ids.erase(std::remove_if(ids.begin(), ids.end(), [](int32_t id) { return id < 0; }), ids.end());
  std::sort(ids.begin(), ids.end());
  return ids;
}

// Splits whole across the emitters in proportion to weight, evenly when
// every weight is 0.
void Apportion(double whole, double Cost::*weight, double Cost::*share,
               std::vector<EmitterCost>& emitters) {
  double sum = 0;
  for (const EmitterCost& e : emitters) sum += e.cost.*weight;
  for (EmitterCost& e : emitters)
    e.cost.*share = whole * (sum > 0 ? e.cost.*weight / sum : 1.0 / double(emitters.size()));
}

}  // namespace

void CostMeter::SpawnWindow::Add(int64_t newborns, int32_t elapsedMs) {
  steps.push_back({newborns, elapsedMs});
  born += newborns;
  ms += elapsedMs;
  while (ms - steps.front().ms >= kSpawnWindowMs) {
    born -= steps.front().born;
    ms -= steps.front().ms;
    steps.pop_front();
  }
}

Effect* CostMeter::Find(int32_t id) const {
  EffectRegistry* effects = static_cast<ParticleSystem&>(system_).Effects();
  return effects ? effects->Find(id) : nullptr;
}

void CostMeter::Update(const std::vector<int32_t>& ids, int32_t ms) {
  std::map<int32_t, Watched> watched;
  for (int32_t id : Ascending(ids)) {
    Watched& w = watched[id] = std::move(watched_[id]);
    const Clock::time_point start = Clock::now();
    system_.UpdateEffect(id, ms);
    w.updateMs = MillisecondsSince(start);
    Effect* effect = Find(id);
    if (!effect) continue;
    const std::vector<int64_t> born = Newborns(*effect);
    w.spawns.resize(born.size());
    for (size_t i = 0; i < born.size(); ++i) w.spawns[i].Add(born[i], ms);
  }
  // Effects gone (unloaded, loaded again under a new identifier) are forgotten.
  watched_ = std::move(watched);
}

void CostMeter::Draw(const std::vector<int32_t>& ids) {
  system_.BeginFrame();
  for (int32_t id : Ascending(ids)) {
    const Clock::time_point start = Clock::now();
    system_.DrawEffect(id);
    watched_[id].drawMs = MillisecondsSince(start);
  }
  system_.EndFrame();
}

EffectCost CostMeter::CostOf(int32_t id, const ViewArea& view) const {
  EffectCost cost;
  Effect* effect = Find(id);
  if (!effect) return cost;
  cost.emitters = MeasureEmitters(*effect, view);
  const auto w = watched_.find(id);
  if (w != watched_.end()) {
    Apportion(w->second.updateMs, &Cost::live, &Cost::updateMs, cost.emitters);
    Apportion(w->second.drawMs, &Cost::quads, &Cost::drawMs, cost.emitters);
    for (size_t i = 0; i < cost.emitters.size() && i < w->second.spawns.size(); ++i)
      cost.emitters[i].cost.spawnedPerSecond = w->second.spawns[i].Rate();
  }
  for (const EmitterCost& e : cost.emitters) cost.total += e.cost;
  return cost;
}

}  // namespace tavrix::cost
