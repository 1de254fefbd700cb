// What each field and track of the effect format means to an artist: the
// one table of descriptions the reference and the JSON Schema are written
// from. Names, kinds, ranges and defaults of tracks come from the code's
// own tables; these notes only explain them.
#pragma once

#include <cstddef>

namespace tavrix::tools {

struct FieldNote {
  const char* name;
  const char* meaning;
  const char* unit;          // "" when the field has none
  const char* defaultValue;  // as a new emitter or effect has it
};

// The time a track is evaluated over.
enum class TrackTime { EffectSeconds, NormalisedAge, NormalisedEffectTime, BirthThenNormalised, NotACurve };

struct TrackNote {
  const char* name;
  const char* meaning;
  const char* unit;
  TrackTime time;
};

const char* TrackTimeText(TrackTime time);

// Null when a name has no note, which the reference refuses: every field
// and track must be explained.
const FieldNote* FindFieldNote(const char* block, const char* name);
const TrackNote* FindTrackNote(const char* name, bool effectTrack);

}  // namespace tavrix::tools
