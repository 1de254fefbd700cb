// Short-string texts and raw bytes in JSON. Texts that are valid UTF-8 are
// JSON strings; any other bytes (a file may store anything) are kept as
// {"bytes": "hex"} so that they come back unchanged.
#pragma once

#include <optional>
#include <string>

#include "record/RecordModel.h"

namespace tavrix::record {

Json TextToJson(const std::string& bytes);
// Empty when the value is neither a string nor a {"bytes": hex} object.
std::optional<std::string> TextFromJson(const Json& value);

std::string HexText(const uint8_t* bytes, size_t count);
std::optional<Bytes> BytesFromHex(const std::string& hex);

}  // namespace tavrix::record
