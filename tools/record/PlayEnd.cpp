#include "record/PlayEnd.h"

#include <algorithm>
#include <cmath>

#include "record/FloatText.h"

namespace tavrix::record {

PlayEnd PlayEndOf(const Json& record) {
  PlayEnd end;
  if (!record.is_object()) return end;
  const Json& mode = record.value("endMode", Json());
  if (mode.is_number_integer())
    end.endMode = int32_t(std::clamp<int64_t>(mode.get<int64_t>(), -1, INT32_MAX));
  // NaN bits and infinities are stored as text; neither is a duration.
  const std::optional<float> seconds = FloatFromJson(record.value("durationSeconds", Json()));
  if (seconds && std::isfinite(*seconds) && *seconds > 0)
    end.durationMs = int64_t(std::min(double(*seconds) * 1000.0, double(INT32_MAX)));
  return end;
}

}  // namespace tavrix::record
