// The grid of time and value steps that keys snap to while an artist adds
// or drags them, so that keys land on round moments and values.
#pragma once

#include "edit/TrackBody.h"

namespace tavrix::edit {

// A step of 0 leaves that axis free.
struct CurveGrid {
  float time = 0, value = 0;
};

// The nearest multiple of step; x itself when step is not a positive number.
float SnapToStep(float x, float step);
TrackKey Snapped(TrackKey key, const CurveGrid& grid);

}  // namespace tavrix::edit
