// The emitter's 32 track keys with their default ranges, in registration
// order (which is also the order an emitter record stores them in). The
// tools read the same table for their checks and the artists' reference.
#pragma once

#include <cstddef>

#include "simulation/Emitter.h"

namespace tavrix {

struct EmitterKeyDefault {
  const char* key;
  ParamTrack Emitter::*track;
  float domain, minimum, maximum, defaultValue;
};

inline constexpr size_t EmitterKeyCount = 32;
extern const EmitterKeyDefault EmitterKeyDefaults[EmitterKeyCount];

}  // namespace tavrix
