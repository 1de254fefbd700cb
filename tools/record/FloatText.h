// 32-bit floats in JSON: finite values as the shortest number that reads
// back to the same bits, others (NaN, infinities) as a string of their bits
// such as "0x7FC00000".
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "record/RecordModel.h"

namespace tavrix::record {

Json FloatToJson(float value);
// The number a finite float is written as: the double of the shortest text
// that reads back as it (1.2 for the float nearest 1.2). Sums of these, such
// as a key at 1.2 moved by -0.8, come out as the artist reckons them (0.4,
// where the floats' own sum is 0.40000004).
double WrittenValue(float value);
// Empty when the value is neither a number a float can hold nor a bits string.
std::optional<float> FloatFromJson(const Json& value);
std::string FloatBitsText(uint32_t bits);

}  // namespace tavrix::record
