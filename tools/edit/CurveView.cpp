#include "edit/CurveView.h"

#include <algorithm>

namespace tavrix::edit {
namespace {

// The narrowest span shown, so that zooming in cannot divide by nothing.
float NarrowestSpan(float domain) { return std::max(domain * 1e-6f, 1e-4f); }

}  // namespace

TimeSpan OpeningSpan(const TrackBody& body, float effectSeconds) {
  const float domain = body.duration > 0 ? body.duration : 1;
  const float lastKey = body.keys.empty() ? 0 : body.keys.back().time;
  const float end = std::max(lastKey, effectSeconds);
  if (!(end > 0)) return {0, domain};
  return {0, std::clamp(end, NarrowestSpan(domain), domain)};
}

TimeSpan ZoomSpan(TimeSpan span, float at, float factor, float domain) {
  domain = domain > 0 ? domain : 1;
  const float length = span.end - span.start;
  if (!(length > 0)) return {0, domain};
  const float zoomed = std::clamp(length * factor, NarrowestSpan(domain), domain);
  float start = at - (at - span.start) * zoomed / length;
  start = std::clamp(start, 0.0f, domain - zoomed);
  return {start, start + zoomed};
}

}  // namespace tavrix::edit
