// What the example host says about an effect it loads, pointing at the fix:
// a refused file by the library's code, or as the JSON record it is with the
// command that packs it; and the nested effect files its record names that
// are not found, as `tavrix check` and `render` name them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "record/RecordModel.h"

namespace tavrix::sdl2 {

// Why the library refused the file at path with code (the path not named).
std::string RefusalText(const std::string& path, int32_t code);
// One line for each nested effect file the record names that is not found
// under root: "nested effect "sparks.eff" is not found (looked for
// ROOT/sparks.eff); the copies never play".
std::vector<std::string> MissingNestedEffects(const record::Json& record, const std::string& root);

}  // namespace tavrix::sdl2
