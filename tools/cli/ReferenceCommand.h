// "tavrix reference": writes the artists' reference of the effect format,
// or with --schema the JSON Schema of its JSON form.
#pragma once

#include <CLI/CLI.hpp>

namespace tavrix::tools {

void AddReferenceCommand(CLI::App& app, int& exitCode);

}  // namespace tavrix::tools
