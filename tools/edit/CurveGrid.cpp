#include "edit/CurveGrid.h"

#include <cmath>

namespace tavrix::edit {

float SnapToStep(float x, float step) {
  if (!(step > 0) || !std::isfinite(step)) return x;
  const float snapped = std::round(x / step) * step;
  return std::isfinite(snapped) ? snapped : x;
}

TrackKey Snapped(TrackKey key, const CurveGrid& grid) {
  return {SnapToStep(key.time, grid.time), SnapToStep(key.value, grid.value)};
}

}  // namespace tavrix::edit
