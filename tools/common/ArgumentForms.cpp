#include "common/ArgumentForms.h"

#include <cstdio>
#include <cstdlib>

namespace tavrix::tools {

std::optional<Size> ParseSize(const std::string& text) {
  int w = 0, h = 0;
  char tail = 0;
  if (std::sscanf(text.c_str(), "%dx%d%c", &w, &h, &tail) != 2 || w <= 0 || h <= 0 || w > 16384 ||
      h > 16384)
    return std::nullopt;
  return Size{w, h};
}

std::optional<Position> ParsePosition(const std::string& text) {
  float x = 0, y = 0;
  char tail = 0;
  if (std::sscanf(text.c_str(), "%f,%f%c", &x, &y, &tail) != 2) return std::nullopt;
  return Position{x, y};
}

std::optional<uint32_t> ParseColour(const std::string& text) {
  if (text.size() != 6 && text.size() != 8) return std::nullopt;
  char* end = nullptr;
  unsigned long value = std::strtoul(text.c_str(), &end, 16);
  if (*end != 0 || text[0] == '-' || text[0] == '+') return std::nullopt;
  if (text.size() == 6) return uint32_t(0xFF000000u | value);
  return uint32_t(((value & 0xFF) << 24) | (value >> 8));
}

}  // namespace tavrix::tools
