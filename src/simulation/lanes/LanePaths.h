// The lane code the update runs. Each build holds a scalar instance, one for
// its baseline instruction set and, where the processor family has them,
// wider ones; all give the same bits. The widest the processor runs is used
// unless a test or a benchmark asks for another.
#pragma once

#include "simulation/StepPlan.h"

namespace tavrix {

// From the narrowest to the widest.
enum class LanePath { Scalar, Vector, Wide, Wider };
inline constexpr LanePath kLanePaths[] = {LanePath::Scalar, LanePath::Vector, LanePath::Wide,
                                          LanePath::Wider};

const StepLanes& CurrentLanes();
// False, and no change, when this build or this processor lacks the path.
bool UseLanePath(LanePath path);
// Back to the widest path the processor runs.
void UseWidestLanes();

// The instance for path, or none when the build or the processor lacks it.
const StepLanes* LanesFor(LanePath path);
// Supplied by the instruction-set folder the build picks: its instance for
// a path wider than the baseline when the processor runs it, else none.
const StepLanes* WideLanes(LanePath path);

namespace lanes_scalar {
extern const StepLanes kLanes;
}
namespace lanes_vector {
extern const StepLanes kLanes;
}

}  // namespace tavrix
