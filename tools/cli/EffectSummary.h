// Reading an effect's record model the way the library would see it: the
// size from the "sizeEffect" track, the names of end modes, spawn shapes
// and rotation modes, and where textures and nested effects are looked for.
#pragma once

#include <cstdint>
#include <string>

#include "record/RecordModel.h"

namespace tavrix::tools {

struct EffectSize {
  int32_t width, height;
};
// Width and height as the library reports them for this record: the last
// "sizeEffect" entry (any letter case) wins; none keeps the default.
EffectSize SizeOf(const record::Json& effect);

std::string EndModeName(int64_t mode);
std::string SpawnShapeName(int64_t shape);
std::string RotationModeName(int64_t mode);

// A float field as text: the number, or its bits when it is not finite.
std::string Number(const record::Json& value);
// A text field as text; raw bytes show as their hex.
std::string Text(const record::Json& value);
// The file a stored name refers to under root, backslashes as separators.
std::string Resolve(const std::string& root, const std::string& stored);

}  // namespace tavrix::tools
