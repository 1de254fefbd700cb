#include "record/TrackDefaults.h"

#include "record/TextField.h"
#include "simulation/ParamTrack.h"

namespace tavrix::record {

const TrackInfo* RegisteredTrack(TrackOwner owner, const Json& entry) {
  if (!entry.is_object() || !entry.contains("name")) return nullptr;
  const std::optional<std::string> name = TextFromJson(entry["name"]);
  return name ? FindTrackInfo(owner, *name) : nullptr;
}

std::vector<const TrackInfo*> MissingTracks(TrackOwner owner, const Json& tracks) {
  std::vector<bool> named(TracksOf(owner).size(), false);
  for (const Json& entry : tracks)
    if (const TrackInfo* info = RegisteredTrack(owner, entry))
      named[RegistrationIndex(*info)] = true;
  std::vector<const TrackInfo*> missing;
  for (size_t t = 0; t < named.size(); ++t)
    if (!named[t]) missing.push_back(&TracksOf(owner)[t]);
  return missing;
}

size_t RegistrationIndex(const TrackInfo& info) {
  return size_t(&info - TracksOf(info.owner).data());
}

Json TrackBodyDefaults(const TrackInfo& info) {
  return {{"duration", info.domain},
          {"boundA", info.minimum},
          {"boundB", info.maximum},
          {"default", info.defaultValue}};
}

float StartValue(float duration, float boundA, float boundB, float defaultValue) {
  ParamTrack track;
  track.SetRange(duration, boundA, boundB, defaultValue);
  return track.DefaultValue();
}

}  // namespace tavrix::record
