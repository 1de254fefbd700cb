// Other processors: the scalar code and the baseline build's vector code.
#include "simulation/lanes/LanePaths.h"

namespace tavrix {

const StepLanes* LanesFor(LanePath path) {
  switch (path) {
    case LanePath::Scalar: return &lanes_scalar::kLanes;
    case LanePath::Vector: return &lanes_vector::kLanes;
    case LanePath::Wide: return nullptr;
  }
  return nullptr;
}

}  // namespace tavrix
