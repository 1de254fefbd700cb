// The emitter's 32 track keys with their default ranges, in registration
// order (which is also the order an emitter record stores them in). The
// tools read the same table for their checks and the artists' reference.
#pragma once

#include <cstddef>

#include "simulation/Emitter.h"
#include "simulation/TrackDefaults.h"

namespace tavrix {

inline constexpr size_t kEmitterKeyCount = 32;
extern const TrackDefault<Emitter::Tracks> kEmitterKeyDefaults[kEmitterKeyCount];

}  // namespace tavrix
