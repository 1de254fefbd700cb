#include "FrameSteps.h"

#include <algorithm>

namespace tavrix::viewer {

FrameSteps::FrameSteps(int32_t stepMs)
    : steps_(stepMs > 0 ? std::vector<int32_t>{stepMs} : std::vector<int32_t>{17, 17, 16}) {
  for (int32_t step : steps_) {
    starts_.push_back(period_);
    period_ += step;
  }
}

int64_t FrameSteps::Start(int64_t frame) const {
  const int64_t count = int64_t(steps_.size());
  return frame / count * period_ + starts_[std::size_t(frame % count)];
}

int64_t FrameSteps::FrameAt(int64_t ms) const {
  if (ms <= 0) return 0;
  const int64_t within =
      int64_t(std::upper_bound(starts_.begin(), starts_.end(), ms % period_) - starts_.begin());
  return ms / period_ * int64_t(steps_.size()) + within - 1;
}

}  // namespace tavrix::viewer
