// "tavrix render": plays an effect on the software device and writes frames
// as PNG files, a contact sheet and an animated GIF.
#pragma once

#include <CLI/CLI.hpp>

namespace tavrix::tools {

void AddRenderCommand(CLI::App& app, int& exitCode);

}  // namespace tavrix::tools
