// "tavrix check": loads effect files, or their JSON form, as a host would
// and reports what the library will refuse, clamp or ignore, files it will
// not find, and effects that never draw.
#pragma once

#include <CLI/CLI.hpp>

namespace tavrix::tools {

void AddCheckCommand(CLI::App& app, int& exitCode);

}  // namespace tavrix::tools
