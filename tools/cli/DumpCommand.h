// "tavrix dump": the whole plain record of an effect file as JSON.
#pragma once

#include <CLI/CLI.hpp>

namespace tavrix::tools {

void AddDumpCommand(CLI::App& app, int& exitCode);

}  // namespace tavrix::tools
