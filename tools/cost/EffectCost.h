// What each emitter of a loaded effect holds and draws at this moment, read
// from the core's own objects: live particles, quads, the area they cover
// in the view and the particle storage held. The copies a sub-effect
// emitter plays count towards it, however deeply nested.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "cost/ClippedArea.h"
#include "cost/CostFigures.h"

namespace tavrix {
class Effect;
}

namespace tavrix::cost {

struct EmitterCost {
  std::string name;
  Cost cost;
};

struct EffectCost {
  Cost total;  // the emitters' sum
  std::vector<EmitterCost> emitters;
};

// Live, quads, overdraw and bytes of each emitter, in record order; the
// times and the spawn rate are left to the caller, who watched it play.
std::vector<EmitterCost> MeasureEmitters(Effect& effect, const ViewArea& view);

// The particles each emitter (in record order) gave birth to in its last
// update: born particles are the youngest and the only ones of age 0.
std::vector<int64_t> Newborns(Effect& effect);

}  // namespace tavrix::cost
