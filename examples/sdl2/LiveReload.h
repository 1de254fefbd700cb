// Reloading an effect inside a running host, as an artist saves it: what
// files it reads besides its own (to watch them too), where in its play the
// new one must start to stand where the old one stood, loading it in the old
// one's place, and a line naming what changed. The example host's --watch
// and the viewer both reload through these.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "ParticleHost.h"
#include "record/PlayEnd.h"
#include "record/RecordModel.h"

namespace tavrix::sdl2 {

// The record of an effect file's bytes; none when they hold no whole record.
std::optional<record::Json> RecordOfEffect(const record::Bytes& file);
// The record of the effect file at path; none when it cannot be read.
std::optional<record::Json> ReadEffectRecord(const std::string& path);
// The textures (under root's image folder) and nested effect files the
// record names, as found under root; those not found are left out.
std::vector<std::string> DependentFiles(const record::Json& record, const std::string& root);
// The play time a reloaded effect is prewarmed to: a looping effect needs
// only its place in the current round.
uint32_t PrewarmForPlace(int64_t playMs, const record::PlayEnd& end);
// Loads path in place of the effect oldId (-1 for none), its textures and
// nested files from root (empty: the host's): the new identifier, or the
// library's negative result code with the old effect left as it was.
int32_t LoadInPlace(ParticleHost& host, int32_t oldId, const std::string& path,
                    const std::string& root = {});
// "emitters[\"sparks\"].tracks.LifeRed.keys[2].value: 0.5 -> 0.8 (+3 more)";
// when the record is unchanged, the name of the file that changed.
std::string ReloadNote(const std::optional<record::Json>& before,
                       const std::optional<record::Json>& after, const std::string& changedFile);
}  // namespace tavrix::sdl2
