// The choice of lane code: the widest the processor runs, chosen once.
#include "simulation/lanes/LanePaths.h"

#include <iterator>

namespace tavrix {
namespace {

const StepLanes* Widest() {
  for (auto path = std::end(kLanePaths); path-- != std::begin(kLanePaths);) {
    if (const StepLanes* lanes = LanesFor(*path)) return lanes;
  }
  return &lanes_scalar::kLanes;
}

const StepLanes* chosen = nullptr;

}  // namespace

const StepLanes* LanesFor(LanePath path) {
  switch (path) {
    case LanePath::Scalar: return &lanes_scalar::kLanes;
    case LanePath::Vector: return &lanes_vector::kLanes;
    case LanePath::Wide:
    case LanePath::Wider: return WideLanes(path);
  }
  return nullptr;
}

const StepLanes& CurrentLanes() {
  if (!chosen) chosen = Widest();
  return *chosen;
}

bool UseLanePath(LanePath path) {
  const StepLanes* lanes = LanesFor(path);
  if (lanes) chosen = lanes;
  return lanes != nullptr;
}

void UseWidestLanes() { chosen = Widest(); }

}  // namespace tavrix
