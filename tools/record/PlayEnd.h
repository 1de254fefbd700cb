// What a record says about the end of its play, read so that any record
// gives usable numbers: hosts place a reloaded effect in its round by it,
// and the diff sheet spans its moments over it.
#pragma once

#include <cstdint>

#include "record/RecordModel.h"

namespace tavrix::record {

struct PlayEnd {
  int32_t endMode = -1;    // -1 when the record gives none
  int64_t durationMs = 0;  // 0 when it is no finite number above 0; at most INT32_MAX
};

// The record as written (defaults left out) or as the record model dumps it.
PlayEnd PlayEndOf(const Json& record);

}  // namespace tavrix::record
