// The effect's 18 tracks with their default ranges, in registration order
// (which is also the order a record is written in). The tools read the same
// table for their checks and the artists' reference.
#pragma once

#include <cstddef>

#include "simulation/EffectBase.h"
#include "simulation/TrackDefaults.h"

namespace tavrix {

inline constexpr size_t kEffectTrackCount = 18;
extern const TrackDefault<EffectBase::Tracks> kEffectTrackDefaults[kEffectTrackCount];

}  // namespace tavrix
