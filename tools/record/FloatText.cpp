#include "record/FloatText.h"

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "base/FloatBits.h"

namespace tavrix::record {
namespace {

std::optional<float> ParseBits(const std::string& text) {
  if (text.size() < 3 || text.size() > 10 || text[0] != '0' || (text[1] != 'x' && text[1] != 'X'))
    return std::nullopt;
  char* end = nullptr;
  unsigned long bits = std::strtoul(text.c_str() + 2, &end, 16);
  if (*end != 0 || text[2] == '-' || text[2] == '+' || text[2] == ' ') return std::nullopt;
  return FloatFromBits(static_cast<uint32_t>(bits));
}

}  // namespace

std::string FloatBitsText(uint32_t bits) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", bits);
  return text;
}

// The fewest significant digits that read back as the float: the closest
// decimal of that length. (The WebAssembly build's C++ library has no
// std::to_chars for floats.)
double WrittenValue(float value) {
  if (!std::isfinite(value)) return value;
  char text[32];
  for (int digits = 1; digits < 9; ++digits) {
    std::snprintf(text, sizeof text, "%.*g", digits, double(value));
    if (std::strtof(text, nullptr) == value) return std::strtod(text, nullptr);
  }
  std::snprintf(text, sizeof text, "%.9g", double(value));  // nine always suffice
  return std::strtod(text, nullptr);
}

Json FloatToJson(float value) {
  // Held as the double of the shortest text, so that the JSON shows the
  // short form: 0.4, never the float's whole expansion 0.4000000059604645.
  if (!std::isfinite(value)) return FloatBitsText(FloatBits(value));
  return WrittenValue(value);
}

std::optional<float> FloatFromJson(const Json& value) {
  if (value.is_string()) return ParseBits(value.get<std::string>());
  if (!value.is_number()) return std::nullopt;
  const double number = value.get<double>();
  // Up to half a step beyond the largest float still rounds to it; the
  // conversion itself is left defined only within the float range.
  const double roundsToLargest = std::ldexp(1.0, 128) - std::ldexp(1.0, 103);
  if (!std::isfinite(number) || std::fabs(number) >= roundsToLargest) return std::nullopt;
  if (std::fabs(number) > double(FLT_MAX)) return number < 0 ? -FLT_MAX : FLT_MAX;
  return static_cast<float>(number);
}

}  // namespace tavrix::record
