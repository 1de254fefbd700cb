// File access for the record-level subcommands: reading effect files down to
// their record model and writing files, each failure a ToolError with the
// file's name and the exit code of its kind.
#pragma once

#include <string>

#include "cli/ExitCode.h"
#include "record/RecordModel.h"

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
// A file ending in .json as a JSON record (checked to pack), any other as
// an effect file.
record::Json ReadEffectOrJson(const std::string& path);
// ExitWriteFailed when the file cannot be written in full.
void WriteFileBytes(const std::string& path, const record::Bytes& bytes);
// Text to the file at path, or to standard output when path is empty or "-".
void WriteTextOutput(const std::string& path, const std::string& text);

}  // namespace tavrix::tools
