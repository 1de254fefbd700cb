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
// Empty when the value is neither a number a float can hold nor a bits string.
std::optional<float> FloatFromJson(const Json& value);
std::string FloatBitsText(uint32_t bits);

}  // namespace tavrix::record
