#include "edit/CurvePresets.h"

#include <algorithm>

#include "edit/RecordAccess.h"
#include "edit/TrackEdits.h"
#include "record/NameCompare.h"
#include "record/PlayEnd.h"

namespace tavrix::edit {

const std::vector<CurvePreset>& CurvePresets() {
  static const std::vector<CurvePreset> presets = {
      {"constant", 1, [](float) { return 1.0f; }},
      {"linear-up", 2, [](float at) { return at; }},
      {"linear-down", 2, [](float at) { return 1 - at; }},
      {"ease-in", 9, [](float at) { return at * at; }},
      {"ease-out", 9, [](float at) { return at * (2 - at); }},
      // Up over the first third, held, down over the last.
      {"pulse", 4, [](float at) { return at > 0 && at < 1 ? 1.0f : 0.0f; }},
  };
  return presets;
}

const CurvePreset* FindCurvePreset(std::string_view name) {
  for (const CurvePreset& preset : CurvePresets())
    if (record::SameName(preset.name, name)) return &preset;
  return nullptr;
}

std::string CurvePresetNames() {
  std::string names;
  for (const CurvePreset& preset : CurvePresets())
    names += (names.empty() ? "" : ", ") + std::string(preset.name);
  return names;
}

float PresetSpan(const Json& record, const TrackRef& track) {
  const TrackInfo* info = FindTrackInfo(OwnerOf(track.emitter), track.key);
  const int64_t ms = record::PlayEndOf(record).durationMs;
  return info && info->time == TrackTime::EffectSeconds ? float(ms) / 1000.0f : 0.0f;
}

Edit ApplyPreset(const TrackRef& track, const CurvePreset& preset, float low, float high,
                 float span) {
  return ChangeTrack(std::string("Preset ") + preset.name, "", track,
                     [preset, low, high, span, key = track.key](TrackBody& body) {
                       CheckedNumber(low, body.minimum, body.maximum, "the low value of " + key);
                       CheckedNumber(high, body.minimum, body.maximum, "the high value of " + key);
                       const float length = span > 0 && span < body.duration ? span : body.duration;
                       body.keys.clear();
                       for (int i = 0; i < preset.keyCount; ++i) {
                         const float at =
                             preset.keyCount > 1 ? float(i) / float(preset.keyCount - 1) : 0.0f;
                         body.keys.push_back({at * length, low + (high - low) * preset.shape(at)});
                       }
                     });
}

}  // namespace tavrix::edit
