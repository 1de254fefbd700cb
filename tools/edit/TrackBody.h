// A track as the library holds it after reading it: the range made
// ascending, keys sorted by time, one key per time, none past the domain and
// always one at time 0. Tracks a record does not name take their defaults.
#pragma once

#include <string>
#include <vector>

#include "edit/EffectDocument.h"
#include "edit/TrackCatalog.h"

namespace tavrix::edit {

struct TrackKey {
  float time, value;
};

struct TrackBody {
  float cycles = 1, duration = 1, minimum = 0, maximum = 1, defaultValue = 0;
  std::vector<TrackKey> keys;

  static TrackBody Defaults(const TrackInfo& info);
  // The library's reading of a stored track entry; refuses one that holds
  // no numbers where numbers belong.
  static TrackBody Read(const Json& entry);
  Json ToJson(const char* key) const;

  // The library's range setting and key insertion: -1 when refused.
  void SetRange(float domain, float boundA, float boundB, float defaultValue);
  int AddKey(float time, float value);

  // The library's limit on the keys of one track.
  static constexpr size_t MaximumKeys = 1024;
};

// Which track: the effect's (emitter -1) or an emitter's, by key.
struct TrackRef {
  int emitter = -1;
  std::string key;
};

// The track as the library would hold it after loading the record.
TrackBody TrackState(const Json& record, const TrackRef& track);

}  // namespace tavrix::edit
