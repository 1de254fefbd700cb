#include "edit/TrackEdits.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "edit/RecordAccess.h"
#include "record/NameCompare.h"
#include "record/RecordSchema.h"

namespace tavrix::edit {
namespace {

size_t CatalogIndex(TrackOwner owner, const std::string& key) {
  const TrackInfo* info = FindTrackInfo(owner, key);
  return info ? size_t(info - TracksOf(owner).data()) : TracksOf(owner).size();
}

// Stores the body in place of every entry of its key; a new track goes where
// the library's own order puts it.
void StoreTrack(Json& record, const TrackRef& ref, const TrackBody& body) {
  const TrackOwner owner = OwnerOf(ref.emitter);
  const TrackInfo* info = FindTrackInfo(owner, ref.key);
  Json& holder = ref.emitter < 0 ? record : EmitterAt(record, ref.emitter);
  Json& tracks = holder[record::key::Tracks];
  if (!tracks.is_array()) tracks = Json::array();
  const size_t order = CatalogIndex(owner, info->key);
  size_t at = tracks.size();
  bool found = false;
  for (size_t i = tracks.size(); i-- > 0;) {
    const std::string name = TextOf(tracks[i].value(record::key::Name, Json("")));
    if (record::SameName(name, info->key)) {
      if (found)
        --at;
      else
        at = i;
      found = true;
      tracks.erase(tracks.begin() + long(i));
    } else if (!found && CatalogIndex(owner, name) > order) {
      at = i;
    }
  }
  tracks.insert(tracks.begin() + long(at), body.ToJson(info->key));
}

void CheckValue(const TrackBody& body, float value, const std::string& key) {
  CheckedNumber(value, body.minimum, body.maximum, "a value of " + key);
}

}  // namespace

Edit ChangeTrack(const std::string& label, std::string mergeTag, const TrackRef& ref,
                 std::function<void(TrackBody&)> change) {
  return MakeEdit(label + " of " + ref.key, std::move(mergeTag), [ref, change](Json& record) {
    TrackBody body = TrackState(record, ref);
    change(body);
    StoreTrack(record, ref, body);
  });
}

void CheckIndex(const TrackBody& body, int index, const std::string& key) {
  if (index < 0 || size_t(index) >= body.keys.size())
    Refuse(key + " has no key " + std::to_string(index) + " (it has " +
           std::to_string(body.keys.size()) + ")");
}

Edit AddKey(const TrackRef& track, float time, float value) {
  return ChangeTrack("Add key", "", track, [time, value, key = track.key](TrackBody& body) {
    CheckedNumber(time, 0, body.duration, "a key's time on " + key);
    CheckValue(body, value, key);
    if (body.AddKey(time, value) < 0)
      Refuse(key + " already holds the most keys a track may have (" +
             std::to_string(TrackBody::MaximumKeys) + ")");
  });
}

Edit MoveKey(const TrackRef& track, int index, float time, float value) {
  const std::string tag =
      "move key " + std::to_string(track.emitter) + " " + track.key + " " + std::to_string(index);
  return ChangeTrack(
      "Move key", tag, track, [index, time, value, key = track.key](TrackBody& body) {
        CheckIndex(body, index, key);
        CheckValue(body, value, key);
        const size_t i = size_t(index);
        if (i == 0 && time != 0.0f) Refuse("the first key of " + key + " stays at time 0");
        if (i > 0) {
          const float before = body.keys[i - 1].time;
          const float after = i + 1 < body.keys.size() ? body.keys[i + 1].time : body.duration;
          CheckedNumber(time, before, after,
                        "key " + std::to_string(index) + " of " + key + "'s time");
          if (time == before || (i + 1 < body.keys.size() && time == after))
            Refuse("key " + std::to_string(index) + " of " + key +
                   " would share its time with a neighbour");
        }
        body.keys[i] = TrackKey{time, value};
      });
}

TrackKey NearestAllowedKey(const TrackBody& body, int index, TrackKey wanted) {
  const size_t i = size_t(index);
  const float infinity = std::numeric_limits<float>::infinity();
  float earliest = 0.0f, latest = 0.0f;
  if (i > 0 && i < body.keys.size()) {
    earliest = std::nextafter(body.keys[i - 1].time, infinity);
    latest =
        i + 1 < body.keys.size() ? std::nextafter(body.keys[i + 1].time, -infinity) : body.duration;
  }
  return TrackKey{std::clamp(wanted.time, earliest, std::max(earliest, latest)),
                  std::clamp(wanted.value, body.minimum, body.maximum)};
}

Edit RemoveKey(const TrackRef& track, int index) {
  return ChangeTrack("Remove key", "", track, [index, key = track.key](TrackBody& body) {
    CheckIndex(body, index, key);
    if (index == 0)
      Refuse("the first key of " + key + " cannot be removed: every track keeps one at time 0");
    body.keys.erase(body.keys.begin() + index);
  });
}

Edit SetTrackShape(const TrackRef& track, const TrackShape& shape) {
  return ChangeTrack("Change curve", "", track, [shape, key = track.key](TrackBody& body) {
    CheckedNumber(shape.cycles, 0.001, 1000, key + "'s cycles");
    CheckedNumber(shape.duration, 0.001, 1e6, key + "'s domain");
    CheckedNumber(shape.minimum, -1e6, 1e6, key + "'s minimum");
    CheckedNumber(shape.maximum, -1e6, 1e6, key + "'s maximum");
    if (!(shape.minimum < shape.maximum)) Refuse(key + "'s minimum must lie below its maximum");
    CheckedNumber(shape.defaultValue, shape.minimum, shape.maximum, key + "'s default");
    for (size_t i = 0; i < body.keys.size(); ++i) {
      const TrackKey& k = body.keys[i];
      const std::string what = "key " + std::to_string(i) + " of " + key;
      if (k.time > shape.duration)
        Refuse(what + " lies at " + NumberText(k.time) +
               ", past the new domain; move or remove it first");
      if (k.value < shape.minimum || k.value > shape.maximum)
        Refuse(what + " holds " + NumberText(k.value) + ", outside the new range; change it first");
    }
    body.cycles = shape.cycles;
    body.duration = shape.duration;
    body.minimum = shape.minimum;
    body.maximum = shape.maximum;
    body.defaultValue = shape.defaultValue;
  });
}

Edit ResetTrack(const TrackRef& track) {
  // Null for an unknown key, which TrackState refuses before the change runs.
  const TrackInfo* info = FindTrackInfo(OwnerOf(track.emitter), track.key);
  return ChangeTrack("Reset", "", track,
                     [info](TrackBody& body) { body = TrackBody::Defaults(*info); });
}

}  // namespace tavrix::edit
