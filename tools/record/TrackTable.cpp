#include "record/TrackTable.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

#include "effectfile/EffectTracks.h"
#include "record/NameCompare.h"
#include "record/TrackNotes.h"
#include "simulation/EmitterKeys.h"
#include "simulation/ParamTrack.h"

namespace tavrix::record {
namespace {

// The library's numbers as SetRange leaves them ("sizeEffect" is given
// bounds 400 and 0, which it swaps), with the track's note.
template <class Holder>
TrackInfo Described(TrackOwner owner, const TrackDefault<Holder>& entry) {
  const TrackNote* note = FindTrackNote(owner, entry.key);
  if (!note) throw std::logic_error(std::string("no note for track ") + entry.key);
  ParamTrack track;
  track.SetRange(entry.domain, entry.boundA, entry.boundB, entry.defaultValue);
  return {owner,           entry.key,       track.Duration(),
          track.Minimum(), track.Maximum(), track.DefaultValue(),
          note->time,      note->unit,      note->description};
}

std::vector<TrackInfo> Table(TrackOwner owner) {
  std::vector<TrackInfo> tracks;
  if (owner == TrackOwner::Effect)
    for (const auto& entry : kEffectTrackDefaults) tracks.push_back(Described(owner, entry));
  else
    for (const auto& entry : kEmitterKeyDefaults) tracks.push_back(Described(owner, entry));
  return tracks;
}

// Edit distance over lower-cased letters: the library ignores case too.
size_t Distance(std::string_view a, std::string_view b) {
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

const std::vector<TrackInfo>& TracksOf(TrackOwner owner) {
  static const std::vector<TrackInfo> effect = Table(TrackOwner::Effect);
  static const std::vector<TrackInfo> emitter = Table(TrackOwner::Emitter);
  return owner == TrackOwner::Effect ? effect : emitter;
}

const TrackInfo* FindTrackInfo(TrackOwner owner, std::string_view key) {
  for (const TrackInfo& info : TracksOf(owner))
    if (SameName(info.key, key)) return &info;
  return nullptr;
}

std::string NearestTrackName(TrackOwner owner, std::string_view name) {
  std::string nearest;
  size_t best = SIZE_MAX;
  for (const TrackInfo& info : TracksOf(owner)) {
    const size_t distance = Distance(name, info.key);
    if (distance < best) best = distance, nearest = info.key;
  }
  return nearest;
}

const TrackInfo* SpreadOf(const TrackInfo& base) {
  const std::string_view key = base.key;
  if (key.substr(0, 4) != "Base") return nullptr;
  return FindTrackInfo(base.owner, "Var" + std::string(key.substr(4)));
}

const char* TrackTimeText(TrackTime time) {
  switch (time) {
    case TrackTime::EffectSeconds: return "effect time in seconds";
    case TrackTime::NormalisedAge: return "the particle's normalised age (0 at birth, 1 at death)";
    case TrackTime::NormalisedEffectTime: return "normalised effect time (elapsed / duration)";
    case TrackTime::BirthThenNormalised:
      return "0 at a particle's birth, then normalised effect time";
    case TrackTime::NotACurve: return "not evaluated over time";
  }
  return "";
}

}  // namespace tavrix::record
