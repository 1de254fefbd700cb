// The update's lane code compiled for AVX-512, sixteen floats to a register,
// without fused multiply-adds, which would round differently.
#include <math.h>

#include <cstdint>

#include "base/FloatBits.h"
#include "base/MinimalStandard.h"
#include "simulation/Particle.h"
#include "simulation/SimulationConstants.h"
#include "simulation/StepPlan.h"
#include "simulation/lanes/LanePaths.h"

namespace tavrix::lanes_wider {
#include "simulation/lanes/StepLanes.inc"

#include "simulation/lanes/SineCosineLanes.inc"

extern const StepLanes kLanes = {"avx512",  AgeAndMark,     Shape, Motion, PackColour,
                                 TakeDraws, CountJittering, Quads, Points};
}  // namespace tavrix::lanes_wider
