// "tavrix info": what an effect file holds, told for an effect artist.
#pragma once

#include <CLI/CLI.hpp>

namespace tavrix::tools {

void AddInfoCommand(CLI::App& app, int& exitCode);

}  // namespace tavrix::tools
