// The choice of lane code: the widest the processor runs, chosen once.
#include "simulation/lanes/LanePaths.h"

namespace tavrix {
namespace {

const StepLanes* Widest() {
  if (const StepLanes* wide = LanesFor(LanePath::Wide)) return wide;
  return LanesFor(LanePath::Vector);
}

const StepLanes* chosen = nullptr;

}  // namespace

const StepLanes* LanesFor(LanePath path) {
  switch (path) {
    case LanePath::Scalar: return &lanes_scalar::kLanes;
    case LanePath::Vector: return &lanes_vector::kLanes;
    case LanePath::Wide: return WideLanes();
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

}  // namespace tavrix
