// The page's player: one system, one shown effect, the 60 Hz clock.
#include "WebPlayer.h"

#include <algorithm>

#include "tavrix/ResultCode.h"

namespace tavrix::web {
namespace {

constexpr int32_t kFrameSteps[] = {17, 17, 16};  // a 60 Hz game's frame times

}  // namespace

WebPlayer::WebPlayer(int32_t width, int32_t height) : width_(width), height_(height) {}

int32_t WebPlayer::Open(const char* path) {
  if (Status() != 0) return Status();
  images_.ForgetMissing();
  const int32_t id = system_.System().LoadEffect(path);
  if (id < 0) return id;
  if (effect_ >= 0) system_.System().UnloadEffect(effect_);
  effect_ = id;
  // Moving live particles too hands the position on to sub-effect copies.
  system_.System().SetEffectPosition(effect_, width_ * 0.5f, height_ * 0.5f, true);
  Restart();
  return id;
}

void WebPlayer::Restart() {
  nowMs_ = 0;
  nextStep_ = 0;
  if (effect_ >= 0) system_.System().PlayEffect(effect_, 0);
}

void WebPlayer::Step(int32_t deltaMs) {
  if (effect_ < 0 || deltaMs <= 0) return;
  system_.System().UpdateAll(deltaMs);
  nowMs_ += deltaMs;
}

void WebPlayer::NextFrame() { Seek(nowMs_ + kFrameSteps[nextStep_]); }

// The last step is cut to land on timeMs, as `tavrix render --time` does.
void WebPlayer::Seek(int64_t timeMs) {
  if (timeMs < nowMs_) Restart();
  while (effect_ >= 0 && nowMs_ < timeMs) {
    Step(int32_t(std::min<int64_t>(kFrameSteps[nextStep_], timeMs - nowMs_)));
    nextStep_ = (nextStep_ + 1) % 3;
  }
}

void WebPlayer::Draw() {
  quads_.Clear();
  if (effect_ >= 0) system_.System().DrawAll();
}

}  // namespace tavrix::web
