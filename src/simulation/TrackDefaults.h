// The one shape of a registered track for effects and emitters alike: its
// key and default range, the key table an owner keeps, and the registration
// loop and key lookup both share.
#pragma once

#include <cstddef>

#include "base/HostVector.h"
#include "resources/NameTable.h"
#include "simulation/ParamTrack.h"

namespace tavrix {

// boundA and boundB go to SetRange as given; it swaps them when reversed.
template <class Tracks>
struct TrackDefault {
  const char* key;
  ParamTrack Tracks::*track;
  float domain, boundA, boundB, defaultValue;
};

struct KeyedTrack {
  const char* key;  // interned
  ParamTrack* track;
};
using TrackKeys = HostVector<KeyedTrack>;

// Sets every track of a group to its default range and lists it in the
// group's key table under its key, in the table's order, which is also the
// order a record writes them in.
template <class Tracks, size_t N>
void RegisterTracks(Tracks& tracks, const TrackDefault<Tracks> (&defaults)[N]) {
  TrackKeys& keys = tracks.keys;
  keys.Clear();
  keys.Reserve(N);
  for (const TrackDefault<Tracks>& entry : defaults) {
    ParamTrack& track = tracks.*entry.track;
    track.SetRange(entry.domain, entry.boundA, entry.boundB, entry.defaultValue);
    // A key that cannot be interned could never be found or written; leaving
    // it out makes a record naming it fail as an unknown key.
    const char* key = InternName(entry.key);
    if (key) keys.PushBack(KeyedTrack{key, &track});
  }
}

// Keys are interned, so comparing pointers matches names in any letter case.
inline ParamTrack* FindKeyedTrack(const TrackKeys& keys, const char* key) {
  const char* interned = InternName(key);
  if (!interned) return nullptr;
  for (const KeyedTrack& entry : keys)
    if (entry.key == interned) return entry.track;
  return nullptr;
}

}  // namespace tavrix
