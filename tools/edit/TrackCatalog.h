// The tracks as the editing model names them: the record model's one table
// of the library's tracks (domain, range, default, what each does, its unit
// and over which time it runs), from which the editor materialises missing
// tracks and which the curve editor shows.
#pragma once

#include "record/TrackTable.h"

namespace tavrix::edit {

using record::FindTrackInfo;
using record::SpreadOf;
using record::TrackInfo;
using record::TrackOwner;
using record::TracksOf;
using record::TrackTime;
using record::TrackTimeText;

// Whose tracks: the effect's for emitter -1, else the emitter's.
inline TrackOwner OwnerOf(int emitter) {
  return emitter < 0 ? TrackOwner::Effect : TrackOwner::Emitter;
}

}  // namespace tavrix::edit
