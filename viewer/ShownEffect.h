// One file shown in the viewer: the effect the library plays for it, where
// it stands, how long it has played, what its record says about its end,
// and the state on disk of its file and of the textures and nested files it
// reads. When one changes it is loaded again in place; when it fails, the
// last good effect stays and the failure is kept, by name, for the overlay.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "EffectSource.h"
#include "FileWatch.h"
#include "ParticleHost.h"
#include "record/PlayEnd.h"

namespace tavrix::viewer {

class ShownEffect {
 public:
  // root holds the file's image/ folder and nested effect files.
  ShownEffect(sdl2::ParticleHost& host, std::string path, std::string root, float x, float y);
  ShownEffect(const ShownEffect&) = delete;
  ShownEffect& operator=(const ShownEffect&) = delete;
  ShownEffect(ShownEffect&&) = default;

  // Reads the file and shows what it holds; false when it failed (Error()).
  bool LoadFile();
  // Shows these bytes in place of the current effect, at its place and its
  // play time; false when the library refuses them, the current effect then
  // staying. The way in for effects edited in memory.
  bool Replace(const EffectBytes& effect);
  // True once the file, a texture or a nested file it reads changed on disk
  // and then held still for one look, so that a file caught half written is
  // not loaded.
  bool FileChanged();

  // Plays from 0 with the prewarm. An effect with nested-effect emitters is
  // loaded anew first: the library restarts no copies they play (they go
  // on, started, from where they were), and a fresh load makes them again,
  // waiting for their delay, so that 0 is the same moment every time.
  void Restart(uint32_t prewarmMs);
  void MoveTo(float x, float y, bool moveLiveParticles);
  void Advance(int32_t elapsedMs) { playMs_ += elapsedMs; }
  // The library reported the end; true when the effect is now over and may
  // be played again (end mode 3 ends when its last particle has died).
  bool Finished();

  int32_t Id() const { return id_; }
  const std::string& Path() const { return path_; }
  const std::string& Name() const { return name_; }
  const std::string& Error() const { return error_; }
  int64_t PlayMs() const { return playMs_; }
  float X() const { return x_; }
  float Y() const { return y_; }
  int32_t EndMode() const { return end_.endMode; }
  float DurationSeconds() const { return float(end_.durationMs) / 1000.0f; }

 private:
  void Fail(const std::string& message);
  void LoadAgain();

  sdl2::ParticleHost& host_;
  std::string path_, root_, name_, error_;
  int32_t id_ = -1;
  float x_, y_;
  int64_t playMs_ = 0;
  record::PlayEnd end_;
  int32_t endReports_ = 0;
  std::optional<record::Json> record_;
  record::Bytes file_;   // the effect file shown, for LoadAgain
  bool nested_ = false;  // it has nested-effect emitters
  sdl2::FileWatch watch_;
  std::string changed_;  // the file whose change the next reload takes in
};

}  // namespace tavrix::viewer
