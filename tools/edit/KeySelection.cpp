#include "edit/KeySelection.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "edit/RecordAccess.h"
#include "edit/TrackEdits.h"
#include "record/FloatText.h"
#include "record/NameCompare.h"

namespace tavrix::edit {

bool SameTrack(const TrackRef& a, const TrackRef& b) {
  return a.emitter == b.emitter && record::SameName(a.key, b.key);
}

KeySet KeySelection::KeysOf(const TrackRef& track) const {
  return SameTrack(track, track_) ? keys_ : KeySet{};
}

void KeySelection::Set(const TrackRef& track, KeySet keys) {
  track_ = track;
  keys_ = std::move(keys);
}

void KeySelection::Toggle(const TrackRef& track, int index) {
  if (!SameTrack(track, track_)) Set(track, {});
  if (!keys_.erase(index)) keys_.insert(index);
}

void KeySelection::KeepInside(const TrackRef& track, size_t keyCount) {
  if (!SameTrack(track, track_)) return;
  keys_.erase(keys_.lower_bound(int(keyCount)), keys_.end());
}

KeySet KeysInBox(const TrackBody& body, TrackKey a, TrackKey b) {
  KeySet keys;
  for (size_t i = 0; i < body.keys.size(); ++i) {
    const TrackKey& k = body.keys[i];
    if (k.time >= std::min(a.time, b.time) && k.time <= std::max(a.time, b.time) &&
        k.value >= std::min(a.value, b.value) && k.value <= std::max(a.value, b.value))
      keys.insert(int(i));
  }
  return keys;
}

namespace {

struct TimeRoom {
  float earliest, latest;
};

// The times key i may take while the chosen keys move together: after the
// nearest key left behind before it (the first key never moves in time) and
// before the nearest after it, or up to the domain's end.
TimeRoom RoomOf(const TrackBody& body, const KeySet& keys, int i) {
  const float infinity = std::numeric_limits<float>::infinity();
  int before = i - 1;
  while (before > 0 && keys.count(before)) --before;
  size_t after = size_t(i) + 1;
  while (after < body.keys.size() && keys.count(int(after))) ++after;
  return {
      std::nextafter(body.keys[size_t(before)].time, infinity),
      after < body.keys.size() ? std::nextafter(body.keys[after].time, -infinity) : body.duration};
}

// The float nearest x within low to high.
float Within(double x, float low, float high) { return float(std::clamp<double>(x, low, high)); }

}  // namespace

KeyShift AllowedShift(const TrackBody& body, const KeySet& keys, KeyShift wanted) {
  const double infinity = std::numeric_limits<double>::infinity();
  double earliest = -infinity, latest = infinity, lowest = infinity, highest = -infinity;
  for (int i : keys) {
    const TrackKey& key = body.keys[size_t(i)];
    lowest = std::min(lowest, double(key.value));
    highest = std::max(highest, double(key.value));
    if (i == 0) continue;
    const TimeRoom room = RoomOf(body, keys, i);
    earliest = std::max(earliest, double(room.earliest) - key.time);
    latest = std::min(latest, double(room.latest) - key.time);
  }
  const double dt = earliest <= latest ? std::clamp(wanted.time, earliest, latest) : 0.0;
  return {std::isfinite(dt) ? dt : 0.0,
          std::clamp(wanted.value, std::min(0.0, body.minimum - lowest),
                     std::max(0.0, body.maximum - highest))};
}

Edit MoveKeys(const TrackRef& track, const KeySet& keys, double dt, double dv) {
  std::string tag = "move keys " + std::to_string(track.emitter) + " " + track.key;
  for (int i : keys) tag += " " + std::to_string(i);
  return ChangeTrack("Move keys", tag, track, [keys, dt, dv, key = track.key](TrackBody& body) {
    if (keys.empty()) Refuse("no key of " + key + " is selected");
    for (int i : keys) CheckIndex(body, i, key);
    CheckedNumber(dt, -1e6, 1e6, "the time the keys move by");
    CheckedNumber(dv, -1e6, 1e6, "the value the keys move by");
    const KeyShift shift = AllowedShift(body, keys, {dt, dv});
    // Rounding must not carry a key onto its neighbour: each stays in its
    // room, which only keys left behind bound.
    for (int i : keys) {
      const TimeRoom room = RoomOf(body, keys, i);
      TrackKey& k = body.keys[size_t(i)];
      if (i > 0)
        k.time = Within(record::WrittenValue(k.time) + shift.time, room.earliest, room.latest);
      k.value = Within(record::WrittenValue(k.value) + shift.value, std::min(body.minimum, k.value),
                       std::max(body.maximum, k.value));
    }
    for (size_t i = 1; i < body.keys.size(); ++i)
      if (!(body.keys[i].time > body.keys[i - 1].time))
        Refuse("keys of " + key + " would share a time");
  });
}

}  // namespace tavrix::edit
