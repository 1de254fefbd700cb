// The record model of the tavrix program: a plain effect record as JSON and
// back, structurally and in record order. Every stored byte survives the
// round trip: tracks and keys exactly as stored (any order, duplicates, keys
// outside the domain), flags as their byte, floats to the bit, trailing bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace tavrix::record {

using Json = nlohmann::ordered_json;
using Bytes = std::vector<uint8_t>;

// The plain bytes do not hold a whole effect record: what was expected at
// which byte offset.
struct RecordFormatError {
  size_t offset;
  std::string message;
};

// The JSON does not describe a record: the path of the field ("emitters[1].
// tracks[3].keys[0].time") and what is wrong with it.
struct RecordJsonError {
  std::string path;
  std::string message;
  std::string Describe() const { return (path.empty() ? "(top level)" : path) + ": " + message; }
};

// Throws RecordFormatError.
Json RecordToJson(const Bytes& plain);
// Throws RecordJsonError. Fields left out take their defaults.
Bytes RecordFromJson(const Json& record);
// Every error RecordFromJson would find, not only the first; empty when the
// JSON packs.
std::vector<RecordJsonError> RecordJsonErrors(const Json& record);
// The record with every field written out, defaults included; its track
// lists stay as given, since the library gives a track left out its default.
// Throws RecordJsonError.
Json CompleteRecord(const Json& record);

}  // namespace tavrix::record
