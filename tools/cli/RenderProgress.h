// Progress of a long render on standard error: frames done and effect time
// reached, at most twice a second, on one line at a terminal and as lines
// otherwise. Short runs show nothing.
#pragma once

#include <chrono>
#include <cstdint>

namespace tavrix::tools {

class RenderProgress {
 public:
  RenderProgress(int64_t frames, int64_t lastMs);
  void Show(int64_t framesDone, int64_t nowMs);
  void Finish();

 private:
  void Print(int64_t framesDone, int64_t nowMs);

  using Clock = std::chrono::steady_clock;
  int64_t frames_, lastMs_;
  bool long_, terminal_, shown_ = false;
  Clock::time_point next_;
  int64_t framesDone_ = 0, nowMs_ = 0;
};

}  // namespace tavrix::tools
