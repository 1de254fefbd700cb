#include "Timeline.h"

#include <algorithm>
#include <chrono>

// The viewer is linked with the library's core rather than its shared
// object, so the process-wide random source seeded here is the very one its
// effects draw from.
#include "base/RandomSource.h"

namespace tavrix::viewer {

Timeline::Timeline(sdl2::ParticleHost& host, std::vector<ShownEffect>& effects,
                   const PlayControls& controls, FrameSteps steps)
    : host_(host), effects_(effects), controls_(controls), steps_(std::move(steps)) {
  host_.OnFinished([this](int32_t id) { finished_.push_back(id); });
}

void Timeline::SeekTo(int64_t ms) {
  const auto start = std::chrono::steady_clock::now();
  MoveTo(ms);
  lastSeekMs_ =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

void Timeline::MoveTo(int64_t ms) {
  ms = std::clamp<int64_t>(ms, 0, kMaxMs);
  if (ms == nowMs_) return;
  // Forward from a frame boundary is the same walk a replay would make.
  if (ms < nowMs_ || nowMs_ != steps_.Start(frame_))
    ReplayTo(ms);
  else
    WalkTo(ms);
}

void Timeline::Play(int64_t ms) {
  pendingMs_ += ms;
  for (;;) {
    const int64_t next = steps_.Start(steps_.FrameAt(nowMs_) + 1);
    if (next - nowMs_ > pendingMs_ || nowMs_ >= kMaxMs) return;
    pendingMs_ -= next - nowMs_;
    if (range_.Set() && next > range_.outMs) {
      SeekTo(range_.inMs);
      pendingMs_ = 0;
      return;
    }
    MoveTo(next);
  }
}

void Timeline::StepFrame(int direction) {
  pendingMs_ = 0;
  const int64_t frame = steps_.FrameAt(nowMs_);
  if (direction > 0)
    SeekTo(steps_.Start(frame + 1));
  else
    SeekTo(steps_.Start(nowMs_ > steps_.Start(frame) ? frame : std::max<int64_t>(frame - 1, 0)));
}

void Timeline::Restart() {
  pendingMs_ = 0;
  ReplayTo(0);
}

void Timeline::Follow() {
  if (!(CurrentBasis() == basis_)) ReplayTo(nowMs_);
}

int64_t Timeline::NextFrameMs() const { return steps_.Start(steps_.FrameAt(nowMs_) + 1) - nowMs_; }

void Timeline::ReplayTo(int64_t ms) {
  // Before the restarts: a prewarm draws from the source too.
  ProcessRandom().Seed(LoadSeed());
  for (ShownEffect& effect : effects_) effect.Restart(controls_.prewarmMs);
  basis_ = CurrentBasis();
  nowMs_ = frame_ = 0;
  WalkTo(ms);
}

void Timeline::WalkTo(int64_t ms) {
  while (steps_.Start(frame_ + 1) <= ms) {
    Advance(steps_.Length(frame_));
    nowMs_ = steps_.Start(++frame_);
  }
  if (ms > nowMs_) {
    Advance(int32_t(ms - nowMs_));
    nowMs_ = ms;
  }
}

void Timeline::Advance(int32_t ms) {
  if (meter_)
    meter_->Update(CurrentBasis().ids, ms);
  else
    host_.Update(ms);
  for (ShownEffect& effect : effects_) effect.Advance(ms);
  // Reported from inside the update; played again only now that it is over.
  for (int32_t id : finished_)
    for (ShownEffect& effect : effects_)
      if (effect.Id() == id && effect.Finished() && controls_.replay)
        effect.Restart(controls_.prewarmMs);
  finished_.clear();
}

Timeline::Basis Timeline::CurrentBasis() const {
  Basis basis{{}, controls_.prewarmMs, controls_.replay};
  for (const ShownEffect& effect : effects_) basis.ids.push_back(effect.Id());
  return basis;
}

}  // namespace tavrix::viewer
