// "tavrix pack": a record written as JSON (the dump format) back to an
// enciphered effect file.
#pragma once

#include <CLI/CLI.hpp>

namespace tavrix::tools {

void AddPackCommand(CLI::App& app, int& exitCode);

}  // namespace tavrix::tools
