// The part of a track's time axis the curve editor shows: it opens on the
// keys' own times (an effect of 0.11 s is not a sliver at the left of a
// 1000 s domain) and zooms about the pointer, always inside the domain.
#pragma once

#include "edit/TrackBody.h"

namespace tavrix::edit {

struct TimeSpan {
  float start = 0, end = 1;
};

// From 0 to the last key's time or, for a track over effect time, to the
// effect's end (effectSeconds, 0 for other tracks), whichever is later; the
// whole domain when that is 0. Never past the domain.
TimeSpan OpeningSpan(const TrackBody& body, float effectSeconds);
// The span factor times as long, the time at staying where it is on the
// screen, moved back inside the domain when it would leave it.
TimeSpan ZoomSpan(TimeSpan span, float at, float factor, float domain);

}  // namespace tavrix::edit
