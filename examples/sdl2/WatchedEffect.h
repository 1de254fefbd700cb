// One effect of the example host: where it stands and how long it has
// played, so that with --watch it is reloaded in place when its file, one
// of its textures or a nested effect file changes on disk. A file the
// library refuses leaves the last good effect playing, and the failure is
// printed by name.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "FileWatch.h"
#include "ParticleHost.h"
#include "record/RecordModel.h"

namespace tavrix::sdl2 {

class WatchedEffect {
 public:
  // path is absolute: the host works in its root folder.
  WatchedEffect(ParticleHost& host, std::string path, float x, float y);

  // Loads the file and plays it from the start; false with Error() when the
  // library refuses it.
  bool Load();
  // Reloads the effect when a file it reads changed and held still for one
  // look, at its place and play time; true when it did.
  bool ReloadIfChanged();
  void Advance(int32_t elapsedMs) { playMs_ += elapsedMs; }
  void MoveTo(float x, float y, bool moveLiveParticles);

  int32_t Id() const { return id_; }
  int64_t PlayMs() const { return playMs_; }
  const std::string& Error() const { return error_; }

 private:
  // Watches the file and what its record names; the record, when it reads.
  std::optional<record::Json> Watch();

  ParticleHost& host_;
  std::string path_, name_, error_;
  float x_, y_;
  int32_t id_ = -1;
  int64_t playMs_ = 0;
  std::optional<record::Json> record_;
  FileWatch watch_;
};

}  // namespace tavrix::sdl2
