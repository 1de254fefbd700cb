// The library's two track tables (32 emitter keys, 18 effect tracks) as the
// tools see them: the domain, range and default the library gives each
// track, with what it does, its unit and over which time it runs. Looked up
// by name without regard to letter case, as the library does, and the
// nearest name for a misspelt one.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tavrix::record {

enum class TrackOwner { Effect, Emitter };

// The argument a track is evaluated at.
enum class TrackTime {
  EffectSeconds,
  NormalisedAge,
  NormalisedEffectTime,
  BirthThenNormalised,
  NotACurve
};

struct TrackInfo {
  TrackOwner owner;
  const char* key;
  float domain, minimum, maximum, defaultValue;  // after the library's SetRange
  TrackTime time;
  const char* unit;
  const char* description;
};

// In registration order, which is the order the library writes them in.
const std::vector<TrackInfo>& TracksOf(TrackOwner owner);
// Null when the owner has no track of that name.
const TrackInfo* FindTrackInfo(TrackOwner owner, std::string_view key);
std::string NearestTrackName(TrackOwner owner, std::string_view name);
// The Var track that spreads a Base track ("VarLife" for "BaseLife"), shown
// with it as a band; null for tracks without one.
const TrackInfo* SpreadOf(const TrackInfo& base);
const char* TrackTimeText(TrackTime time);

}  // namespace tavrix::record
