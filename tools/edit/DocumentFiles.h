// Opening and saving records: JSON (the record model's text) or an
// enciphered effect file, chosen by the file's extension. Saving writes a
// new file beside the old one and then replaces it, so a failed save leaves
// the old file whole. Failures throw a FileError with the file's name.
#pragma once

#include <string>

#include "edit/EffectDocument.h"

namespace tavrix::edit {

struct FileError {
  std::string message;
};

// A record the library can read, from either kind of file, with every field
// written out: a JSON file's left-out fields take their defaults, its notes
// stay. written, when given, receives the JSON as the file held it (nothing
// for an effect file), for SaveRecord.
Json OpenRecord(const std::string& path, Json* written = nullptr);
// The bytes `tavrix pack` writes for the record.
record::Bytes EffectFileBytes(const Json& record);
// JSON keeps the fields written holds and those that differ from their
// defaults, each float in the fewest digits that read back as it; returns
// what the file now holds, the written of the next save.
Json SaveRecord(const Json& record, const std::string& path, const Json& written = Json::object());

}  // namespace tavrix::edit
