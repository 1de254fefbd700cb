// x86: SSE2 is the baseline of both the 64-bit and the 32-bit builds; AVX2
// and AVX-512 where the processor and the system have them.
#include "simulation/lanes/LanePaths.h"

namespace tavrix {
namespace lanes_wide {
extern const StepLanes kLanes;
}
namespace lanes_wider {
extern const StepLanes kLanes;
}

const StepLanes* WideLanes(LanePath path) {
  if (path == LanePath::Wide) return __builtin_cpu_supports("avx2") ? &lanes_wide::kLanes : nullptr;
  const bool wider = __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512vl") &&
                     __builtin_cpu_supports("avx512dq") && __builtin_cpu_supports("avx512bw");
  return path == LanePath::Wider && wider ? &lanes_wider::kLanes : nullptr;
}

}  // namespace tavrix
