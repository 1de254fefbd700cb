// Where a shown effect's bytes come from: an effect file as it is, or a
// record written as JSON, packed in memory with the record model (the
// library loads them through a scratch file, record/ScratchEffect.h).
#pragma once

#include <optional>
#include <stdexcept>
#include <string>

#include "record/RecordModel.h"

namespace tavrix::viewer {

// The file cannot be read, or its JSON is no record: the message says why.
struct SourceError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

struct EffectBytes {
  record::Bytes file;                  // an enciphered effect file
  std::optional<record::Json> record;  // its whole record, when it could be read
};

// Throws SourceError. Files ending in .json (any case) are JSON records.
EffectBytes ReadEffectSource(const std::string& path);
// Throws SourceError when the JSON is no record.
EffectBytes PackRecord(const record::Json& record);

}  // namespace tavrix::viewer
