// The lane code the update runs. Each build holds a scalar instance, one for
// its baseline instruction set and, where the processor family has one, a
// wider one; all give the same bits. The widest the processor runs is used
// unless a test or a benchmark asks for another.
#pragma once

#include "simulation/StepPlan.h"

namespace tavrix {

enum class LanePath { Scalar, Vector, Wide };

const StepLanes& CurrentLanes();
// False, and no change, when this build or this processor lacks the path.
bool UseLanePath(LanePath path);

// The instance for path, or none when the build or the processor lacks it.
const StepLanes* LanesFor(LanePath path);
// Supplied by the instruction-set folder the build picks: its wider instance
// when the processor runs it, else none.
const StepLanes* WideLanes();

namespace lanes_scalar {
extern const StepLanes kLanes;
}
namespace lanes_vector {
extern const StepLanes kLanes;
}

}  // namespace tavrix
