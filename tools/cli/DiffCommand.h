// "tavrix diff": the differences between two effects (effect files or JSON
// records) as record paths with old and new values, and on request a
// side-by-side contact sheet of both. Exits 0 when they are equal and 1 when
// they differ, as diff does.
#pragma once

#include <CLI/CLI.hpp>

namespace tavrix::tools {

void AddDiffCommand(CLI::App& app, int& exitCode);

}  // namespace tavrix::tools
