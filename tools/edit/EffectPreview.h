// The record being edited, playing in the library: each version is packed in
// memory, loaded from a scratch file (the library loads by path)
// through the public interface in place of the previous one and played from
// the given play time, so that what the artist sees is what the file does.
#pragma once

#include <cstdint>
#include <string>

#include "edit/EffectDocument.h"
#include "tavrix/IParticleSystem.h"

namespace tavrix::edit {

class EffectPreview {
 public:
  // The system belongs to the host and must be initialised.
  explicit EffectPreview(IParticleSystem& system) : system_(system) {}
  ~EffectPreview();
  EffectPreview(const EffectPreview&) = delete;
  EffectPreview& operator=(const EffectPreview&) = delete;

  // Empty on success, else why the library did not take the record; the
  // previous version is gone either way, so that frame sets shared by name
  // never collect the frames of two versions.
  std::string Show(const Json& record, uint32_t playTimeMs, float x, float y);
  // -1 when nothing is loaded.
  int32_t EffectId() const { return id_; }

 private:
  void Unload();

  IParticleSystem& system_;
  int32_t id_ = -1;
};

}  // namespace tavrix::edit
