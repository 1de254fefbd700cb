// The argument forms the tavrix program and the viewer share: sizes "WxH",
// points "X,Y" and colours "RRGGBB" or "RRGGBBAA", each parsed whole so that
// a stray character refuses the argument instead of being passed over; and
// the latest moment either plays an effect to.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tavrix::tools {

// An hour of effect time: longer than any effect is tuned over, and played
// to in a few seconds (render --time, --prewarm and its last frame, the
// viewer's --at and timeline).
constexpr int64_t MaximumEffectTimeMs = 3600000;

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
