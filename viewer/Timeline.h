// The viewer's time: which moment every shown effect is at, and how to get to
// any other. A moment T is defined as: every effect restarted with the
// simulation's random source put back to its load seed, then advanced from 0
// to T in the viewer's fixed frame steps (the last one cut short when T falls
// between frames). Playing takes whole frames of that sequence, so the
// picture at T is the same whether T is reached by playing, by seeking
// directly, or by coming back from later. The library keeps no snapshots, so
// going back means playing again from 0 without drawing.
#pragma once

#include <cstdint>
#include <vector>

#include "FrameSteps.h"
#include "ParticleHost.h"
#include "ShownEffect.h"
#include "ViewerState.h"
#include "common/ArgumentForms.h"
#include "cost/CostMeter.h"

namespace tavrix::viewer {

// The part of the timeline that plays over and over; in before out, both
// on frame boundaries.
struct PlayRange {
  int64_t inMs = 0, outMs = -1;
  bool Set() const { return outMs > inMs; }
};

class Timeline {
 public:
  // The effects and controls are the viewer's; the timeline restarts and
  // advances the effects and hears their ends from the host.
  Timeline(sdl2::ParticleHost& host, std::vector<ShownEffect>& effects,
           const PlayControls& controls, FrameSteps steps);

  // Moves to the moment ms (0 to kMaxMs; beyond is taken as the bound).
  void SeekTo(int64_t ms);
  // Plays ms of (scaled) real time as whole frames, wrapping in the play
  // range; time short of a frame waits for the next call.
  void Play(int64_t ms);
  // To the next or the previous frame boundary.
  void StepFrame(int direction);
  // Back to 0 with the current prewarm.
  void Restart();
  // Plays the current moment again when what defines it changed: an
  // effect loaded again (an edit, a change on disk), the prewarm or the
  // replay at the end. Call once a frame, before playing.
  void Follow();

  void SetIn() { range_.inMs = steps_.Start(steps_.FrameAt(nowMs_)); }
  void SetOut() { range_.outMs = steps_.Start(steps_.FrameAt(nowMs_)); }
  void ClearRange() { range_ = {}; }
  // Updates go through the meter while it is given (the same simulation,
  // effect by effect), through the host's UpdateAll without one.
  void MeasureWith(cost::CostMeter* meter) { meter_ = meter; }

  int64_t NowMs() const { return nowMs_; }
  int64_t Frame() const { return frame_; }
  // Time to the start of the next frame.
  int64_t NextFrameMs() const;
  const FrameSteps& Steps() const { return steps_; }
  const PlayRange& Range() const { return range_; }
  // What the last seek cost, in milliseconds of real time.
  double LastSeekMs() const { return lastSeekMs_; }

  // The tools' one bound, so that any moment render shows the viewer shows.
  static constexpr int64_t kMaxMs = tools::MaximumEffectTimeMs;

 private:
  // What a moment depends on besides its time.
  struct Basis {
    std::vector<int32_t> ids;
    uint32_t prewarmMs = 0;
    bool replay = false;
    bool operator==(const Basis& other) const {
      return ids == other.ids && prewarmMs == other.prewarmMs && replay == other.replay;
    }
  };

  void MoveTo(int64_t ms);
  void ReplayTo(int64_t ms);
  void WalkTo(int64_t ms);
  void Advance(int32_t ms);
  Basis CurrentBasis() const;

  sdl2::ParticleHost& host_;
  std::vector<ShownEffect>& effects_;
  const PlayControls& controls_;
  FrameSteps steps_;
  PlayRange range_;
  int64_t nowMs_ = 0;
  int64_t frame_ = 0;      // whole frames behind the moment
  int64_t pendingMs_ = 0;  // played time short of the next frame
  Basis basis_;
  std::vector<int32_t> finished_;
  double lastSeekMs_ = 0;
  cost::CostMeter* meter_ = nullptr;
};

}  // namespace tavrix::viewer
