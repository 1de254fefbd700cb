// Other processors: only the scalar code and the baseline build's vector code.
#include "simulation/lanes/LanePaths.h"

namespace tavrix {

const StepLanes* WideLanes(LanePath) { return nullptr; }

}  // namespace tavrix
