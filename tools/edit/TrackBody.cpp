#include "edit/TrackBody.h"

#include "edit/RecordAccess.h"
#include "record/FloatText.h"
#include "record/NameCompare.h"
#include "record/RecordSchema.h"

namespace tavrix::edit {

TrackBody TrackBody::From(const ParamTrack& track) {
  TrackBody body;
  body.cycles = track.Cycles();
  body.duration = track.Duration();
  body.minimum = track.Minimum();
  body.maximum = track.Maximum();
  body.defaultValue = track.DefaultValue();
  for (uint32_t i = 0; i < track.KeyCount(); ++i) body.keys.push_back(track.Key(i));
  return body;
}

// The stored range and default survive SetRange unchanged: they already
// passed through it.
void TrackBody::Fill(ParamTrack& track) const {
  track.SetRange(duration, minimum, maximum, defaultValue);
  track.SetCycles(cycles);
  for (const TrackKey& key : keys) track.AddKey(key.time, key.value);
}

TrackBody TrackBody::Defaults(const TrackInfo& info) {
  ParamTrack track;
  track.SetRange(info.domain, info.minimum, info.maximum, info.defaultValue);
  return From(track);
}

int TrackBody::AddKey(float time, float value) {
  ParamTrack track;
  Fill(track);
  const int index = track.AddKey(time, value);
  if (index >= 0) *this = From(track);
  return index;
}

std::vector<float> TrackBody::Curve(float start, float end, int count) const {
  ParamTrack track;
  Fill(track);
  std::vector<float> values;
  for (int i = 0; i < count; ++i)
    values.push_back(
        track.Evaluate(count > 1 ? start + (end - start) * float(i) / float(count - 1) : start));
  return values;
}

TrackBody TrackBody::Read(const Json& entry) {
  if (!entry.is_object()) Refuse("a track entry is not an object");
  const std::string name = TextOf(entry.value(record::key::Name, Json("")));
  auto number = [&](const char* field) {
    return FloatOf(entry.value(field, Json()), "track \"" + name + "\" " + field);
  };
  ParamTrack track;
  const float cycles = number("cycles");
  track.SetRange(number("duration"), number("boundA"), number("boundB"), number("default"));
  track.SetCycles(cycles);
  const auto keys = entry.find(record::key::Keys);
  if (keys != entry.end() && keys->is_array())
    for (const Json& key : *keys) {
      if (!key.is_object()) Refuse("track \"" + name + "\" holds a key that is not an object");
      track.AddKey(FloatOf(key.value("time", Json()), "a key's time of track \"" + name + "\""),
                   FloatOf(key.value("value", Json()), "a key's value of track \"" + name + "\""));
    }
  return From(track);
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
  for (const TrackKey& k : keys)
    list.push_back({{"time", FloatToJson(k.time)}, {"value", FloatToJson(k.value)}});
  entry[record::key::Keys] = std::move(list);
  return entry;
}

TrackBody TrackState(const Json& record, const TrackRef& track) {
  const Json& holder = track.emitter < 0 ? record : EmitterAt(record, track.emitter);
  if (IsSubEffect(holder)) Refuse("a sub-effect emitter has no tracks");
  const TrackInfo* info = FindTrackInfo(OwnerOf(track.emitter), track.key);
  if (!info)
    Refuse("there is no track \"" + track.key + "\" in " +
           (track.emitter < 0 ? "an effect" : "an emitter"));
  // A track named twice is read twice: the last body is the one that stays.
  const Json* last = nullptr;
  const auto tracks = holder.find(record::key::Tracks);
  if (tracks != holder.end() && tracks->is_array())
    for (const Json& entry : *tracks)
      if (entry.is_object() &&
          record::SameName(TextOf(entry.value(record::key::Name, Json(""))), info->key))
        last = &entry;
  return last ? TrackBody::Read(*last) : TrackBody::Defaults(*info);
}

}  // namespace tavrix::edit
