// Parsing the tavrix program's argument forms: sizes "WxH", points "X,Y"
// and colours "RRGGBB" or "RRGGBBAA".
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include <CLI/CLI.hpp>

namespace tavrix::tools {

struct Size {
  int32_t width, height;
};
struct Position {
  float x, y;
};

std::optional<Size> ParseSize(const std::string& text);
std::optional<Position> ParsePosition(const std::string& text);
// As A8R8G8B8; alpha FF when the text gives none.
std::optional<uint32_t> ParseColour(const std::string& text);

// The --root option the playing subcommands share.
void AddRootOption(CLI::App& command, std::string& root);

}  // namespace tavrix::tools
