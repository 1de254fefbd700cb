#include "cli/EffectFiles.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "cli/PackHint.h"
#include "common/AtomicFile.h"
#include "record/EffectEnvelope.h"
#include "record/JsonText.h"

namespace tavrix::tools {

namespace {

// Effect files and their JSON are small; a limit keeps a mistaken argument
// (a device, a huge file) from filling memory.
constexpr size_t MaximumFileBytes = size_t(64) << 20;

}  // namespace

record::Bytes ReadFileBytes(const std::string& path, ExitCode tooLarge) {
  std::error_code error;
  if (std::filesystem::is_directory(path, error))
    throw ToolError{ExitFileMissing, path + ": is a folder, not a file"};
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) throw ToolError{ExitFileMissing, path + ": " + std::strerror(errno)};
  record::Bytes bytes;
  uint8_t block[65536];
  size_t count;
  while ((count = std::fread(block, 1, sizeof block, file)) > 0) {
    bytes.insert(bytes.end(), block, block + count);
    if (bytes.size() > MaximumFileBytes) {
      std::fclose(file);
      throw ToolError{tooLarge, path + ": larger than 64 MiB, too large to be read"};
    }
  }
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed) throw ToolError{ExitFileMissing, path + ": cannot be read"};
  return bytes;
}

record::Bytes ReadPlainRecord(const std::string& path) {
  const record::Bytes file = ReadFileBytes(path, ExitNotAnEffect);
  if (IsJsonRecordText(file)) throw ToolError{ExitNotAnEffect, path + ": " + PackHint(path)};
  std::optional<record::Bytes> plain = record::DecipherEffect(file);
  if (!plain)
    throw ToolError{ExitNotAnEffect, path + ": not an effect file (its " +
                                         std::to_string(file.size()) +
                                         " bytes do not decipher with the effect-file key)"};
  return *plain;
}

record::Json ReadRecord(const std::string& path) {
  try {
    return record::RecordToJson(ReadPlainRecord(path));
  } catch (const record::RecordFormatError& e) {
    throw ToolError{ExitNotAnEffect, path + ": not a whole effect record: at byte " +
                                         std::to_string(e.offset) + " of the plain record, " +
                                         e.message};
  }
}

record::Json ReadJsonFile(const std::string& path) {
  const record::Bytes bytes = ReadFileBytes(path, ExitBadJson);
  try {
    return record::ParseJson(std::string(bytes.begin(), bytes.end()));
  } catch (const record::RecordJsonError& e) {
    throw ToolError{ExitBadJson, path + ": " + (e.path.empty() ? e.message : e.Describe())};
  }
}

record::Bytes PlainFromJson(const record::Json& json, const std::string& path) {
  try {
    return record::RecordFromJson(json);
  } catch (const record::RecordJsonError& e) {
    throw ToolError{ExitBadJson, path + ": " + e.Describe()};
  }
}

record::Json ReadEffectOrJson(const std::string& path) {
  if (!record::IsJsonPath(path)) return ReadRecord(path);
  const record::Json json = ReadJsonFile(path);
  return record::RecordToJson(PlainFromJson(json, path));
}

PlayableEffect::PlayableEffect(const std::string& path) : path_(path) {
  if (!record::IsJsonPath(path)) return;
  try {
    scratch_.emplace(record::EncipherEffect(PlainFromJson(ReadJsonFile(path), path)));
  } catch (const record::ScratchFileError& e) {
    throw ToolError{ExitWriteFailed, e.what()};
  }
}

void WriteFileBytes(const std::string& path, const record::Bytes& bytes) {
  std::string error;
  if (!WriteFileAtomically(path, bytes.data(), bytes.size(), error))
    throw ToolError{ExitWriteFailed, error};
}

void WriteTextOutput(const std::string& path, const std::string& text) {
  if (path.empty() || path == "-") {
    std::fwrite(text.data(), 1, text.size(), stdout);
    if (std::fflush(stdout) != 0) throw ToolError{ExitWriteFailed, "standard output: write failed"};
    return;
  }
  WriteFileBytes(path, record::Bytes(text.begin(), text.end()));
}

}  // namespace tavrix::tools
