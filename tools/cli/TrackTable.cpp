#include "cli/TrackTable.h"

#include <strings.h>

#include <algorithm>
#include <cctype>
#include <vector>

#include "effectfile/EffectTracks.h"
#include "simulation/EmitterKeys.h"
#include "simulation/ParamTrack.h"

namespace tavrix::tools {
namespace {

// Edit distance over lower-cased letters: the library ignores case too.
size_t Distance(const std::string& a, const std::string& b) {
  std::vector<size_t> row(b.size() + 1);
  for (size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (size_t i = 1; i <= a.size(); ++i) {
    size_t diagonal = row[0];
    row[0] = i;
    for (size_t j = 1; j <= b.size(); ++j) {
      const size_t above = row[j];
      const bool same = std::tolower(static_cast<unsigned char>(a[i - 1])) ==
                        std::tolower(static_cast<unsigned char>(b[j - 1]));
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (same ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[b.size()];
}

}  // namespace

size_t TrackCount(TrackOwner owner) {
  return owner == TrackOwner::Emitter ? EmitterKeyCount : EffectTrackCount;
}

TrackInfo TrackAt(TrackOwner owner, size_t index) {
  if (owner == TrackOwner::Emitter) {
    const EmitterKeyDefault& k = EmitterKeyDefaults[index];
    return ApplyRange(k.key, k.domain, k.minimum, k.maximum, k.defaultValue);
  }
  const EffectTrackDefault& t = EffectTrackDefaults[index];
  return ApplyRange(t.name, t.duration, t.boundA, t.boundB, t.defaultValue);
}

const char* CanonicalTrackName(TrackOwner owner, const std::string& name) {
  for (size_t i = 0; i < TrackCount(owner); ++i) {
    const char* known = TrackAt(owner, i).name;
    if (strcasecmp(known, name.c_str()) == 0) return known;
  }
  return nullptr;
}

std::string NearestTrackName(TrackOwner owner, const std::string& name) {
  std::string nearest;
  size_t best = SIZE_MAX;
  for (size_t i = 0; i < TrackCount(owner); ++i) {
    const char* known = TrackAt(owner, i).name;
    const size_t distance = Distance(name, known);
    if (distance < best) best = distance, nearest = known;
  }
  return nearest;
}

TrackInfo ApplyRange(const char* name, float duration, float boundA, float boundB, float defaultValue) {
  ParamTrack track;
  track.SetRange(duration, boundA, boundB, defaultValue);
  return {name, track.Duration(), track.Minimum(), track.Maximum(), track.DefaultValue()};
}

}  // namespace tavrix::tools
