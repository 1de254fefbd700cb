// File access for the record-level subcommands: reading effect files down to
// their record model and writing files, each failure a ToolError with the
// file's name and the exit code of its kind.
#pragma once

#include <optional>
#include <string>

#include "cli/ExitCode.h"
#include "record/RecordModel.h"
#include "record/ScratchEffect.h"

namespace tavrix::tools {

// ExitFileMissing when the file cannot be read, tooLarge when it is too
// large to be what it should be.
record::Bytes ReadFileBytes(const std::string& path, ExitCode tooLarge);
// ExitNotAnEffect when the file is no enciphered record.
record::Bytes ReadPlainRecord(const std::string& path);
// ExitNotAnEffect, naming the byte offset, when the record does not parse.
record::Json ReadRecord(const std::string& path);
// ExitBadJson when the text is not JSON.
record::Json ReadJsonFile(const std::string& path);
// ExitBadJson, naming the record path, when the JSON is no record.
record::Bytes PlainFromJson(const record::Json& json, const std::string& path);
// A JSON record with every field written out, defaults included (checked to
// pack), or the record of an effect file.
record::Json ReadEffectOrJson(const std::string& path);

// An effect the library can load by path: an effect file as it is, or a JSON
// record packed in memory into a scratch file that goes with this object.
class PlayableEffect {
 public:
  explicit PlayableEffect(const std::string& path);
  const std::string& Path() const { return scratch_ ? scratch_->Path() : path_; }

 private:
  std::string path_;
  std::optional<record::ScratchEffectFile> scratch_;
};
// ExitWriteFailed when the file cannot be written in full.
void WriteFileBytes(const std::string& path, const record::Bytes& bytes);
// Text to the file at path, or to standard output when path is empty or "-".
void WriteTextOutput(const std::string& path, const std::string& text);

}  // namespace tavrix::tools
