#include "ShownEffect.h"

#include <cstdio>
#include <filesystem>

#include "LiveReload.h"
#include "ViewerLog.h"
#include "cli/ResultText.h"
#include "record/ScratchEffect.h"

namespace tavrix::viewer {
namespace {

bool HasNestedEffects(const std::optional<record::Json>& record) {
  if (!record || !record->contains("emitters") || !(*record)["emitters"].is_array()) return false;
  for (const record::Json& emitter : (*record)["emitters"])
    if (emitter.is_object() && emitter.value("magic", "") == "SE2D") return true;
  return false;
}

}  // namespace

ShownEffect::ShownEffect(sdl2::ParticleHost& host, std::string path, std::string root, float x,
                         float y)
    : host_(host),
      path_(std::move(path)),
      root_(std::move(root)),
      name_(std::filesystem::path(path_).filename().string()),
      x_(x),
      y_(y) {}

bool ShownEffect::LoadFile() {
  // Stamped before reading, so that a save in between is seen next time.
  watch_.Watch({path_});
  bool loaded = false;
  try {
    loaded = Replace(ReadEffectSource(path_));
  } catch (const SourceError& e) {
    Fail(e.what());
  }
  // The last good effect's textures and nested files stay watched.
  if (record_) watch_.Add(sdl2::DependentFiles(*record_, root_));
  return loaded;
}

bool ShownEffect::Replace(const EffectBytes& effect) {
  const bool reloading = id_ >= 0;
  int32_t id;
  try {
    const record::ScratchEffectFile file(effect.file);
    id = sdl2::LoadInPlace(host_, id_, file.Path(), root_);
  } catch (const record::ScratchFileError& e) {
    Fail(e.what());
    return false;
  }
  if (id < 0) {
    Fail(tools::ResultText(id));
    return false;
  }
  if (effect.record) end_ = record::PlayEndOf(*effect.record);
  const uint32_t prewarm = reloading ? sdl2::PrewarmForPlace(playMs_, end_) : 0;
  id_ = id;
  error_.clear();
  host_.System().SetEffectPosition(id_, x_, y_, true);
  host_.System().PlayEffect(id_, prewarm);
  playMs_ = prewarm;
  endReports_ = 0;
  Log(reloading ? name_ + ": reloaded at " + std::to_string(prewarm) +
                      " ms: " + sdl2::ReloadNote(record_, effect.record, changed_)
                : name_ + ": loaded as effect " + std::to_string(id_));
  record_ = effect.record;
  file_ = effect.file;
  nested_ = HasNestedEffects(record_);
  changed_.clear();
  return true;
}

void ShownEffect::Fail(const std::string& message) {
  error_ = message;
  Log(name_ + ": " + message + (id_ >= 0 ? "; the last good effect stays" : ""));
}

bool ShownEffect::FileChanged() {
  changed_ = watch_.Changed();
  return !changed_.empty();
}

void ShownEffect::Restart(uint32_t prewarmMs) {
  if (id_ < 0) return;
  if (nested_) LoadAgain();
  host_.System().PlayEffect(id_, prewarmMs);
  playMs_ = prewarmMs;
  endReports_ = 0;
}

void ShownEffect::LoadAgain() {
  try {
    const record::ScratchEffectFile file(file_);
    // These bytes loaded before, so the new effect takes the old one's
    // frames and textures as they are.
    const int32_t id = host_.LoadEffect(file.Path(), root_);
    if (id < 0) return;
    host_.System().UnloadEffect(id_);
    id_ = id;
    host_.System().SetEffectPosition(id_, x_, y_, true);
  } catch (const record::ScratchFileError&) {
    // No scratch file: the effect plays on with its copies as they are.
  }
}

void ShownEffect::MoveTo(float x, float y, bool moveLiveParticles) {
  x_ = x;
  y_ = y;
  if (id_ >= 0) host_.System().SetEffectPosition(id_, x, y, moveLiveParticles);
}

bool ShownEffect::Finished() {
  ++endReports_;
  if (end_.endMode == 1) return false;           // it loops by itself
  return end_.endMode != 3 || endReports_ >= 2;  // the fade out ends at the second report
}

}  // namespace tavrix::viewer
