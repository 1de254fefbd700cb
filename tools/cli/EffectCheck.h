// What the library will make of an effect record, found before a host meets
// it: names it refuses, values it clamps or ignores, files it will not find,
// and effects that can never draw. Each finding names its record path.
#pragma once

#include <string>
#include <vector>

#include "record/RecordModel.h"

namespace tavrix::tools {

enum class Severity { Warning, Error };

struct Finding {
  Severity severity;
  std::string path;  // "emitters[2].tracks.LifeSpin.keys[3].time"
  std::string message;
};

struct CheckOptions {
  // The folder the effect is played from: textures under its image/, nested
  // effects relative to it. Empty leaves the files unchecked.
  std::string root;
};

// The effect must be a record model (from a file or a JSON record that
// packs); fields it leaves out are checked at their defaults.
std::vector<Finding> CheckEffect(const record::Json& effect, const CheckOptions& options);
// Only the textures and nested effect files, nested effects followed.
std::vector<Finding> CheckFiles(const record::Json& effect, const std::string& root);

bool HasErrors(const std::vector<Finding>& findings);
std::string Describe(const Finding& finding);

}  // namespace tavrix::tools
