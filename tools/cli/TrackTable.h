// The library's two track tables (32 emitter keys, 18 effect tracks) as the
// tools look them up: by name without regard to letter case, as the library
// does, and the nearest name for a misspelt one.
#pragma once

#include <cstddef>
#include <string>

namespace tavrix::tools {

enum class TrackOwner { Emitter, Effect };

struct TrackInfo {
  const char* name;
  float duration, minimum, maximum, defaultValue;  // after the library's SetRange
};

size_t TrackCount(TrackOwner owner);
TrackInfo TrackAt(TrackOwner owner, size_t index);
// Null when the owner has no track of that name.
const char* CanonicalTrackName(TrackOwner owner, const std::string& name);
std::string NearestTrackName(TrackOwner owner, const std::string& name);
// The range and default a stored track body ends with, as SetRange gives them.
TrackInfo ApplyRange(const char* name, float duration, float boundA, float boundB, float defaultValue);

}  // namespace tavrix::tools
