#include "edit/CurveGrid.h"

#include <cfloat>
#include <cmath>

#include "record/FloatText.h"

namespace tavrix::edit {

float SnapToStep(float x, float step) {
  if (!(step > 0) || !std::isfinite(step)) return x;
  // In the step's written value, so that the seventh step of 0.1 is 0.7.
  const double written = record::WrittenValue(step);
  const double snapped = std::round(double(x) / written) * written;
  return std::fabs(snapped) <= FLT_MAX ? float(snapped) : x;
}

TrackKey Snapped(TrackKey key, const CurveGrid& grid) {
  return {SnapToStep(key.time, grid.time), SnapToStep(key.value, grid.value)};
}

}  // namespace tavrix::edit
