#include "WatchedEffect.h"

#include <cstdio>
#include <filesystem>

#include "LiveReload.h"
#include "LoadNotes.h"

namespace tavrix::sdl2 {

WatchedEffect::WatchedEffect(ParticleHost& host, std::string path, float x, float y)
    : host_(host),
      path_(std::move(path)),
      name_(std::filesystem::path(path_).filename().string()),
      x_(x),
      y_(y) {}

std::optional<record::Json> WatchedEffect::Watch() {
  // Stamped before reading, so that a save in between is seen next time.
  watch_.Watch({path_});
  std::optional<record::Json> record = ReadEffectRecord(path_);
  if (record) watch_.Add(DependentFiles(*record, host_.Root()));
  return record;
}

bool WatchedEffect::Load() {
  record_ = Watch();
  id_ = host_.LoadEffect(path_);
  if (id_ < 0) {
    error_ = RefusalText(path_, id_);
    return false;
  }
  if (record_)
    for (const std::string& missing : MissingNestedEffects(*record_, host_.Root()))
      std::fprintf(stderr, "tavrix-sdl2: %s: warning: %s\n", name_.c_str(), missing.c_str());
  // Moving live particles too hands the place on to sub-effect copies.
  host_.System().SetEffectPosition(id_, x_, y_, true);
  host_.System().PlayEffect(id_, 0);
  return true;
}

bool WatchedEffect::ReloadIfChanged() {
  const std::string changed = watch_.Changed();
  if (changed.empty()) return false;
  std::optional<record::Json> record = Watch();
  const int32_t id = LoadInPlace(host_, id_, path_);
  if (id < 0) {
    error_ = RefusalText(path_, id);
    std::fprintf(stderr, "tavrix-sdl2: %s: %s; the last good effect stays\n", name_.c_str(),
                 error_.c_str());
    return false;
  }
  const uint32_t prewarm =
      PrewarmForPlace(playMs_, record ? record::PlayEndOf(*record) : record::PlayEnd{});
  id_ = id;
  error_.clear();
  host_.System().SetEffectPosition(id_, x_, y_, true);
  host_.System().PlayEffect(id_, prewarm);
  playMs_ = prewarm;
  std::printf("tavrix-sdl2: %s: reloaded at %u ms: %s\n", name_.c_str(), prewarm,
              ReloadNote(record_, record, changed).c_str());
  std::fflush(stdout);
  record_ = std::move(record);
  return true;
}

void WatchedEffect::MoveTo(float x, float y, bool moveLiveParticles) {
  x_ = x;
  y_ = y;
  if (id_ >= 0) host_.System().SetEffectPosition(id_, x, y, moveLiveParticles);
}

}  // namespace tavrix::sdl2
