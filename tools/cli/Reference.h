// The artists' reference of the effect format (Markdown) and the JSON Schema
// of its JSON form, both written from the record layout and the record
// model's track and field tables, so that neither can drift from the code.
#pragma once

#include <string>

namespace tavrix::tools {

std::string ReferenceMarkdown();
std::string ReferenceSchema();

}  // namespace tavrix::tools
