#include "ShownEffect.h"

#include <cstdio>
#include <filesystem>

#include "ViewerLog.h"
#include "tavrix/ResultCodeNames.h"

namespace tavrix::viewer {

FileStamp StampOf(const std::string& path) {
  std::error_code error;
  const auto modified = std::filesystem::last_write_time(path, error);
  if (error) return {};
  const auto size = std::filesystem::file_size(path, error);
  return {int64_t(modified.time_since_epoch().count()), error ? -1 : int64_t(size)};
}

ShownEffect::ShownEffect(sdl2::ParticleHost& host, std::string path, float x, float y)
    : host_(host), path_(std::move(path)), name_(std::filesystem::path(path_).filename().string()),
      x_(x), y_(y) {}

bool ShownEffect::LoadFile() {
  shown_ = seen_ = StampOf(path_);
  try {
    return Replace(ReadEffectSource(path_));
  } catch (const SourceError& e) {
    Fail(e.what());
    return false;
  }
}

bool ShownEffect::Replace(const EffectBytes& effect) {
  const bool reloading = id_ >= 0;
  int32_t id;
  try {
    TemporaryEffectFile file(effect.file);
    id = host_.LoadEffect(file.Path());
    // Frame sets are shared by name, so a changed effect loaded beside the
    // old one would find the old frames in its sets: once it is known to
    // load, the old one goes and it is loaded again on its own.
    if (id >= 0 && reloading) {
      host_.System().UnloadEffect(id_);
      host_.System().UnloadEffect(id);
      id_ = -1;
      id = host_.LoadEffect(file.Path());
    }
  } catch (const SourceError& e) {
    Fail(e.what());
    return false;
  }
  if (id < 0) {
    Fail(std::string(ResultCodeName(id)) + " (" + std::to_string(id) + "): " + ResultCodeMeaning(id));
    return false;
  }
  if (effect.record) {
    endMode_ = effect.record->value("endMode", -1);
    durationSeconds_ = effect.record->value("durationSeconds", 0.0f);
  }
  const uint32_t prewarm = reloading ? PrewarmForPlace() : 0;
  id_ = id;
  error_.clear();
  host_.System().SetEffectPosition(id_, x_, y_, true);
  host_.System().PlayEffect(id_, prewarm);
  playMs_ = prewarm;
  endReports_ = 0;
  Log(reloading ? name_ + ": reloaded at " + std::to_string(prewarm) + " ms"
                : name_ + ": loaded as effect " + std::to_string(id_));
  return true;
}

uint32_t ShownEffect::PrewarmForPlace() const {
  // A looping effect needs only its place in the current round.
  const int64_t durationMs = int64_t(durationSeconds_ * 1000.0f);
  if (endMode_ == 1 && durationMs > 0) return uint32_t(playMs_ % durationMs);
  return uint32_t(std::min<int64_t>(playMs_, INT32_MAX));
}

void ShownEffect::Fail(const std::string& message) {
  error_ = message;
  Log(name_ + ": " + message + (id_ >= 0 ? "; the last good effect stays" : ""));
}

bool ShownEffect::FileChanged() {
  const FileStamp now = StampOf(path_);
  const bool settled = now == seen_ && now != shown_;
  seen_ = now;
  return settled;
}

void ShownEffect::Restart(uint32_t prewarmMs) {
  if (id_ < 0) return;
  host_.System().PlayEffect(id_, prewarmMs);
  playMs_ = prewarmMs;
  endReports_ = 0;
}

void ShownEffect::MoveTo(float x, float y, bool moveLiveParticles) {
  x_ = x;
  y_ = y;
  if (id_ >= 0) host_.System().SetEffectPosition(id_, x, y, moveLiveParticles);
}

bool ShownEffect::Finished() {
  ++endReports_;
  if (endMode_ == 1) return false;             // it loops by itself
  return endMode_ != 3 || endReports_ >= 2;    // the fade out ends at the second report
}

}  // namespace tavrix::viewer
