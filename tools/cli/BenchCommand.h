// "tavrix bench": plays an effect on the software device for some seconds
// of effect time and reports particles over time and the update and draw
// cost per particle.
#pragma once

#include <CLI/CLI.hpp>

namespace tavrix::tools {

void AddBenchCommand(CLI::App& app, int& exitCode);

}  // namespace tavrix::tools
