// "tavrix bench": plays an effect on the software device for some seconds
// of effect time and reports particles over time, the update and draw cost
// per particle, and the cost figures of the effect and of each emitter (the
// viewer's overlay shows the same figures live).
#pragma once

#include <CLI/CLI.hpp>

namespace tavrix::tools {

void AddBenchCommand(CLI::App& app, int& exitCode);

}  // namespace tavrix::tools
