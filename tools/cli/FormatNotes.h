// The field table's entry that a row of the reference or the JSON Schema is
// written from, refused when missing: every field must be explained.
#pragma once

#include "record/FieldTable.h"

namespace tavrix::tools {

// Throws ToolError when the field has no entry.
const record::FieldEntry& FieldNoteOf(record::FieldBlock block, const char* name);

}  // namespace tavrix::tools
