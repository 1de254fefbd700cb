// What the programs say when a JSON record is given where an effect file is
// expected, instead of a cipher or record failure: what the file is, and the
// command that packs it.
#pragma once

#include <filesystem>
#include <string>

#include "record/JsonText.h"

namespace tavrix::tools {

// True when the bytes are JSON text holding an object.
inline bool IsJsonRecordText(const record::Bytes& bytes) {
  try {
    return record::ParseJson(std::string(bytes.begin(), bytes.end())).is_object();
  } catch (const record::RecordJsonError&) {
    return false;
  }
}

// "a JSON record, not an effect file: pack it first, tavrix pack fire.json
// -o fire.eff" for fire.json.
inline std::string PackHint(const std::string& path) {
  const std::filesystem::path file(path);
  const std::string packed = (file.parent_path() / (file.stem().string() + ".eff")).string();
  return "a JSON record, not an effect file: pack it first, tavrix pack " + path + " -o " + packed;
}

}  // namespace tavrix::tools
