// The argument forms the tavrix program and the viewer share: sizes "WxH",
// points "X,Y" and colours "RRGGBB" or "RRGGBBAA", each parsed whole so that
// a stray character refuses the argument instead of being passed over.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tavrix::tools {

struct Size {
  int32_t width, height;
};
struct Position {
  float x, y;
};

// Both sides from 1 to 16384.
std::optional<Size> ParseSize(const std::string& text);
std::optional<Position> ParsePosition(const std::string& text);
// As A8R8G8B8; alpha FF when the text gives none.
std::optional<uint32_t> ParseColour(const std::string& text);

}  // namespace tavrix::tools
