// Curve shapes an artist starts from (constant, linear up and down, ease in
// and out, a pulse), laid onto a track as keys between two values of its
// range in one undo step.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "edit/TrackBody.h"

namespace tavrix::edit {

struct CurvePreset {
  const char* name;
  int keyCount;              // evenly spaced over the span, ends included
  float (*shape)(float at);  // 0 for the low value, 1 for the high, over 0 to 1
};

const std::vector<CurvePreset>& CurvePresets();
// Null when no preset has that name.
const CurvePreset* FindCurvePreset(std::string_view name);
// The names, comma-separated, for messages.
std::string CurvePresetNames();

// The time a preset spans: the effect's duration for a track over effect
// seconds (its domain is far longer than any play), else 0 for the domain.
float PresetSpan(const Json& record, const TrackRef& track);
// The track's keys become the preset's between low and high, both inside
// the track's range, over span (the whole domain when longer or not above 0).
Edit ApplyPreset(const TrackRef& track, const CurvePreset& preset, float low, float high,
                 float span);

}  // namespace tavrix::edit
