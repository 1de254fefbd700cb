// "tavrix new": a short effect record in JSON to start from, the same one
// the editor opens with.
#pragma once

#include <CLI/CLI.hpp>

namespace tavrix::tools {

void AddNewCommand(CLI::App& app, int& exitCode);

}  // namespace tavrix::tools
