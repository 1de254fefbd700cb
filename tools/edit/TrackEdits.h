// Edits of one track: its keys added, moved and removed, its cycles, domain,
// range and default, and a reset to the library's defaults. The first edit
// of a track the record does not name adds it with its defaults; an edited
// track is stored as the library holds it.
#pragma once

#include "edit/EffectDocument.h"
#include "edit/TrackBody.h"

namespace tavrix::edit {

// A key at a time the track already has replaces that key's value.
Edit AddKey(const TrackRef& track, float time, float value);
// Keys keep their order: a key moves only between its neighbours, and the
// first stays at time 0. Moves of one key merge into one undo step.
Edit MoveKey(const TrackRef& track, int index, float time, float value);
// Where a dragged key may go nearest to where the pointer wants it: between
// its neighbours, the first at time 0, its value inside the track's range.
TrackKey NearestAllowedKey(const TrackBody& body, int index, TrackKey wanted);
// Every key but the first, which the library always keeps.
Edit RemoveKey(const TrackRef& track, int index);

struct TrackShape {
  float cycles, duration, minimum, maximum, defaultValue;
};
// Refused when a key would fall outside the new domain or range.
Edit SetTrackShape(const TrackRef& track, const TrackShape& shape);
Edit ResetTrack(const TrackRef& track);

// An edit of one track's body as the library reads it, stored back in the
// library's order; change refuses by throwing a Refusal.
Edit ChangeTrack(const std::string& label, std::string mergeTag, const TrackRef& track,
                 std::function<void(TrackBody&)> change);
// Refuses an index the track has no key at.
void CheckIndex(const TrackBody& body, int index, const std::string& key);

}  // namespace tavrix::edit
