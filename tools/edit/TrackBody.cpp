#include "edit/TrackBody.h"

#include "edit/NameCompare.h"
#include "edit/RecordAccess.h"
#include "record/FloatText.h"
#include "record/RecordSchema.h"

namespace tavrix::edit {

TrackBody TrackBody::Defaults(const TrackInfo& info) {
  TrackBody body;
  body.SetRange(info.domain, info.minimum, info.maximum, info.defaultValue);
  return body;
}

void TrackBody::SetRange(float domain, float boundA, float boundB, float value) {
  duration = domain > 0.0f ? domain : 1.0f;
  if (boundA > boundB) std::swap(boundA, boundB);
  if (boundA == boundB) boundB = boundA + 0.001f;
  minimum = boundA;
  maximum = boundB;
  defaultValue = (value < minimum || value > maximum) ? minimum : value;
  keys.assign(1, TrackKey{0.0f, defaultValue});
}

int TrackBody::AddKey(float time, float value) {
  if (time > duration) return -1;
  size_t index = 0;
  while (index < keys.size() && keys[index].time < time) ++index;
  if (index < keys.size() && keys[index].time == time) {
    keys[index].value = value;
    return int(index);
  }
  if (keys.size() >= MaximumKeys) return -1;
  keys.insert(keys.begin() + long(index), TrackKey{time, value});
  return int(index);
}

TrackBody TrackBody::Read(const Json& entry) {
  if (!entry.is_object()) Refuse("a track entry is not an object");
  const std::string name = TextOf(entry.value(record::key::Name, Json("")));
  auto number = [&](const char* field) {
    return FloatOf(entry.value(field, Json()), "track \"" + name + "\" " + field);
  };
  TrackBody body;
  const float cycles = number("cycles");
  body.SetRange(number("duration"), number("boundA"), number("boundB"), number("default"));
  body.cycles = cycles;
  const auto keys = entry.find(record::key::Keys);
  if (keys == entry.end() || !keys->is_array()) return body;
  for (const Json& key : *keys) {
    if (!key.is_object()) Refuse("track \"" + name + "\" holds a key that is not an object");
    body.AddKey(FloatOf(key.value("time", Json()), "a key's time of track \"" + name + "\""),
                FloatOf(key.value("value", Json()), "a key's value of track \"" + name + "\""));
  }
  return body;
}

Json TrackBody::ToJson(const char* key) const {
  using record::FloatToJson;
  Json entry = Json::object();
  entry[record::key::Name] = key;
  entry["cycles"] = FloatToJson(cycles);
  entry["duration"] = FloatToJson(duration);
  entry["boundA"] = FloatToJson(minimum);
  entry["boundB"] = FloatToJson(maximum);
  entry["default"] = FloatToJson(defaultValue);
  Json list = Json::array();
  for (const TrackKey& k : keys) list.push_back({{"time", FloatToJson(k.time)}, {"value", FloatToJson(k.value)}});
  entry[record::key::Keys] = std::move(list);
  return entry;
}

TrackBody TrackState(const Json& record, const TrackRef& track) {
  const TrackOwner owner = track.emitter < 0 ? TrackOwner::Effect : TrackOwner::Emitter;
  const Json& holder = track.emitter < 0 ? record : EmitterAt(record, track.emitter);
  if (IsSubEffect(holder)) Refuse("a sub-effect emitter has no tracks");
  const TrackInfo* info = FindTrackInfo(owner, track.key);
  if (!info)
    Refuse("there is no track \"" + track.key + "\" in " + (track.emitter < 0 ? "an effect" : "an emitter"));
  // A track named twice is read twice: the last body is the one that stays.
  const Json* last = nullptr;
  const auto tracks = holder.find(record::key::Tracks);
  if (tracks != holder.end() && tracks->is_array())
    for (const Json& entry : *tracks)
      if (entry.is_object() && SameName(TextOf(entry.value(record::key::Name, Json(""))), info->key))
        last = &entry;
  return last ? TrackBody::Read(*last) : TrackBody::Defaults(*info);
}

}  // namespace tavrix::edit
