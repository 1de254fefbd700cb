// x86: SSE2 is the baseline of both the 64-bit and the 32-bit builds; AVX2
// where the processor and the system have it.
#include "simulation/lanes/LanePaths.h"

namespace tavrix {
namespace lanes_wide {
extern const StepLanes kLanes;
}

const StepLanes* WideLanes() {
  return __builtin_cpu_supports("avx2") ? &lanes_wide::kLanes : nullptr;
}

}  // namespace tavrix
