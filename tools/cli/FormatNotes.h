// What each field of the effect format means to an artist: the one table of
// field descriptions the reference and the JSON Schema are written from.
// The tracks are described in the record model's track table.
#pragma once

namespace tavrix::tools {

struct FieldNote {
  const char* name;
  const char* meaning;
  const char* unit;  // "" when the field has none
};

// Null when a name has no note, which the reference refuses: every field
// must be explained.
const FieldNote* FindFieldNote(const char* block, const char* name);

}  // namespace tavrix::tools
