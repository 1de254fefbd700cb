// What each track does, its unit and over which time it runs: the words the
// track table adds to the library's numbers, for the editor and the
// artists' reference alike.
#pragma once

#include <string_view>

#include "record/TrackTable.h"

namespace tavrix::record {

struct TrackNote {
  const char* key;
  TrackTime time;
  const char* unit;
  const char* description;
};

// Null when a track has no note, which the track table refuses: every
// track must be explained.
const TrackNote* FindTrackNote(TrackOwner owner, std::string_view key);

}  // namespace tavrix::record
