// What every track of an effect and of an emitter is: its key, the domain,
// range and default the library gives it, what it does, its unit and over
// which time it runs. The editor materialises missing tracks from it and the
// curve editor shows it; one table, so that it can be merged with the
// format reference.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tavrix::edit {

enum class TrackOwner { Effect, Emitter };

// The argument a track is evaluated at.
enum class TimeBasis { EffectSeconds, NormalisedAge, NormalisedEffectTime, NotACurve };

struct TrackInfo {
  TrackOwner owner;
  const char* key;
  float domain, minimum, maximum, defaultValue;
  TimeBasis basis;
  const char* unit;
  const char* description;
};

// In registration order, which is the order the library writes them in.
std::vector<const TrackInfo*> TracksOf(TrackOwner owner);
// Letter case ignored, as the library finds tracks; null when unknown.
const TrackInfo* FindTrackInfo(TrackOwner owner, std::string_view key);
// The Var track that spreads a Base track ("VarLife" for "BaseLife"), shown
// with it as a band; null for tracks without one.
const TrackInfo* SpreadOf(const TrackInfo& base);
const char* TimeBasisText(TimeBasis basis);

}  // namespace tavrix::edit
