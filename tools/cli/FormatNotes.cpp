#include "cli/FormatNotes.h"

#include <string>

#include "cli/ExitCode.h"

namespace tavrix::tools {

const record::FieldEntry& FieldNoteOf(record::FieldBlock block, const char* name) {
  const record::FieldEntry* entry = record::FindFieldEntry(block, name);
  if (!entry) throw ToolError{ExitInternal, std::string("no entry in the field table for ") + name};
  return *entry;
}

}  // namespace tavrix::tools
