// The update's lane code compiled for the build's baseline instruction set (SSE2 on x86).
#include <math.h>

#include <cstdint>

#include "base/FloatBits.h"
#include "base/MinimalStandard.h"
#include "simulation/Particle.h"
#include "simulation/SimulationConstants.h"
#include "simulation/StepPlan.h"
#include "simulation/lanes/LanePaths.h"

namespace tavrix::lanes_vector {
#include "simulation/lanes/StepLanes.inc"

#include "simulation/lanes/SineCosineLanes.inc"

extern const StepLanes kLanes = {"vector",  AgeAndMark,     Shape, Motion, PackColour,
                                 TakeDraws, CountJittering, Quads, Points};
}  // namespace tavrix::lanes_vector
