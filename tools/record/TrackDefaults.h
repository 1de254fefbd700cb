// The tracks a JSON list names and leaves out, and the body the library
// gives a track it is not told about: what pack adds for a left-out track
// and what dump marks when a record stores fewer tracks than the library
// registers.
#pragma once

#include <vector>

#include "record/RecordModel.h"
#include "record/TrackTable.h"

namespace tavrix::record {

// The registered track a list entry names (letter case ignored); null for
// entries that name none.
const TrackInfo* RegisteredTrack(TrackOwner owner, const Json& entry);
// The registered tracks no entry of the list names, in registration order.
std::vector<const TrackInfo*> MissingTracks(TrackOwner owner, const Json& tracks);
size_t RegistrationIndex(const TrackInfo& info);
// The body fields of a track as the library registers it: duration, the two
// bounds and the default.
Json TrackBodyDefaults(const TrackInfo& info);
// The value of the key at time 0 after the library's SetRange of these.
float StartValue(float duration, float boundA, float boundB, float defaultValue);

}  // namespace tavrix::record
