// A track as the library holds it after reading it: the range made
// ascending, keys sorted by time, one key per time, none past the domain and
// always one at time 0. Tracks a record does not name take their defaults.
// The library's own track does the range setting, key insertion and
// evaluation, so the editor cannot drift from what the library does.
#pragma once

#include <string>
#include <vector>

#include "edit/EffectDocument.h"
#include "edit/TrackCatalog.h"
#include "simulation/ParamTrack.h"

namespace tavrix::edit {

using tavrix::TrackKey;

struct TrackBody {
  float cycles = 1, duration = 1, minimum = 0, maximum = 1, defaultValue = 0;
  std::vector<TrackKey> keys;

  static TrackBody Defaults(const TrackInfo& info);
  // The library's reading of a stored track entry; refuses one that holds
  // no numbers where numbers belong.
  static TrackBody Read(const Json& entry);
  Json ToJson(const char* key) const;

  // The library's key insertion: -1 when refused (past the domain, or the
  // track full).
  int AddKey(float time, float value);
  // The curve's values at count evenly spaced times from start to end, ends
  // included, as the library evaluates it: for drawing it.
  std::vector<float> Curve(float start, float end, int count) const;

  static constexpr size_t MaximumKeys = 1024;

 private:
  static TrackBody From(const ParamTrack& track);
  void Fill(ParamTrack& track) const;
};

// Which track: the effect's (emitter -1) or an emitter's, by key.
struct TrackRef {
  int emitter = -1;
  std::string key;
};

// The track as the library would hold it after loading the record.
TrackBody TrackState(const Json& record, const TrackRef& track);

}  // namespace tavrix::edit
