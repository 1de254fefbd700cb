// The viewer's frame steps: a short sequence of milliseconds repeated for
// ever (17, 17, 16 for a 60 Hz game), and where each frame starts on the
// timeline, so that scrubbing lands on the same frames that playing shows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tavrix::viewer {

class FrameSteps {
 public:
  // Every frame stepMs long; 0 or less takes the 60 Hz game's sequence.
  explicit FrameSteps(int32_t stepMs = 0);

  // Milliseconds from 0 to the start of frame k (k >= 0).
  int64_t Start(int64_t frame) const;
  // The frame under ms: the last that starts at or before it.
  int64_t FrameAt(int64_t ms) const;
  int32_t Length(int64_t frame) const {
    return steps_[std::size_t(frame % int64_t(steps_.size()))];
  }

 private:
  std::vector<int32_t> steps_;
  std::vector<int64_t> starts_;  // of the frames in one round, from 0
  int64_t period_ = 0;           // one round
};

}  // namespace tavrix::viewer
