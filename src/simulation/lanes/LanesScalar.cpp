// The update's lane code compiled without vector instructions: the reference the vector paths are
// held to.
#include <math.h>

#include <cstdint>

#include "base/FloatBits.h"
#include "base/MinimalStandard.h"
#include "simulation/Particle.h"
#include "simulation/SimulationConstants.h"
#include "simulation/StepPlan.h"
#include "simulation/lanes/LanePaths.h"

namespace tavrix::lanes_scalar {
#include "simulation/lanes/StepLanes.inc"

#include "simulation/lanes/SineCosineLanes.inc"

extern const StepLanes kLanes = {"scalar",  AgeAndMark,     Shape, Motion, PackColour,
                                 TakeDraws, CountJittering, Quads, Points};
}  // namespace tavrix::lanes_scalar
