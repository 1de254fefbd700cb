#include "cli/RenderProgress.h"

#include <unistd.h>

#include <cstdio>

namespace tavrix::tools {
namespace {

// A run is long, and shows progress, from a minute of effect time or 50
// frames on.
constexpr int64_t LongRunMs = 60000;
constexpr int64_t LongRunFrames = 50;

}  // namespace

RenderProgress::RenderProgress(int64_t frames, int64_t lastMs)
    : frames_(frames),
      lastMs_(lastMs),
      long_(frames >= LongRunFrames || lastMs >= LongRunMs),
      terminal_(isatty(STDERR_FILENO) != 0),
      next_(Clock::now()) {}

void RenderProgress::Show(int64_t framesDone, int64_t nowMs) {
  framesDone_ = framesDone;
  nowMs_ = nowMs;
  if (!long_ || Clock::now() < next_) return;
  next_ = Clock::now() + std::chrono::milliseconds(500);
  Print(framesDone, nowMs);
}

void RenderProgress::Print(int64_t framesDone, int64_t nowMs) {
  std::fprintf(stderr, "%srendering: frame %lld of %lld, effect time %.1f s of %.1f s%s",
               terminal_ ? "\r" : "", static_cast<long long>(framesDone),
               static_cast<long long>(frames_), double(nowMs) / 1000.0, double(lastMs_) / 1000.0,
               terminal_ ? "" : "\n");
  std::fflush(stderr);
  shown_ = true;
}

void RenderProgress::Finish() {
  if (!shown_) return;
  Print(framesDone_, nowMs_);
  if (terminal_) std::fputc('\n', stderr);
}

}  // namespace tavrix::tools
