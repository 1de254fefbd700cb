#include "edit/DocumentFiles.h"

#include <cstdio>
#include <filesystem>

#include "common/AtomicFile.h"
#include "record/EffectEnvelope.h"
#include "record/JsonText.h"
#include "record/NameCompare.h"
#include "record/RecordSchema.h"
#include "record/ScratchEffect.h"
#include "record/ShortRecord.h"

namespace tavrix::edit {
namespace {

// Effect files and their JSON are small; the limit keeps a mistaken pick (a
// device, a huge file) from filling memory.
constexpr uintmax_t MaximumFileBytes = uintmax_t(64) << 20;

record::Bytes ReadAll(const std::string& path) {
  std::error_code error;
  const uintmax_t size = std::filesystem::file_size(path, error);
  if (error) throw FileError{path + ": cannot be read: " + error.message()};
  if (size > MaximumFileBytes)
    throw FileError{path + ": larger than 64 MiB, too large for an effect"};
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) throw FileError{path + ": cannot be opened"};
  record::Bytes bytes(size_t(size), 0);
  const bool read = std::fread(bytes.data(), 1, bytes.size(), file) == bytes.size();
  std::fclose(file);
  if (!read) throw FileError{path + ": cannot be read in full"};
  return bytes;
}

bool IsNote(const std::string& name) {
  return name == record::key::Schema || (!name.empty() && name[0] == '_');
}

// The completed record with the notes of the given one back in place: at
// the head of each object, as they are written. Completing keeps every list
// as long as it was given, so items pair up by their place.
Json WithNotes(const Json& given, const Json& completed) {
  if (given.is_array() && completed.is_array() && given.size() == completed.size()) {
    Json items = Json::array();
    for (size_t i = 0; i < given.size(); ++i) items.push_back(WithNotes(given[i], completed[i]));
    return items;
  }
  if (!given.is_object() || !completed.is_object()) return completed;
  Json object = Json::object();
  for (const auto& [name, value] : given.items())
    if (IsNote(name)) object[name] = value;
  for (const auto& [name, value] : completed.items())
    object[name] = given.contains(name) ? WithNotes(given[name], value) : value;
  return object;
}

void WriteReplacing(const std::string& path, const record::Bytes& bytes) {
  std::string error;
  if (!tools::WriteFileAtomically(path, bytes.data(), bytes.size(), error)) throw FileError{error};
}

}  // namespace

Json OpenRecord(const std::string& path, Json* written) {
  const record::Bytes bytes = ReadAll(path);
  try {
    if (record::IsJsonPath(path)) {
      // Every field written out, so that an edit finds each one it changes.
      const Json record = record::ParseJson(std::string(bytes.begin(), bytes.end()));
      Json complete = WithNotes(record, record::CompleteRecord(record));
      if (written) *written = record;
      return complete;
    }
    const std::optional<record::Bytes> plain = record::DecipherEffect(bytes);
    if (!plain) throw FileError{path + ": not an effect file"};
    Json record = record::RecordToJson(*plain);
    if (written) *written = Json::object();
    return record;
  } catch (const record::RecordJsonError& e) {
    throw FileError{path + ": " + e.Describe()};
  } catch (const record::RecordFormatError& e) {
    throw FileError{path + ": not a whole effect record: at byte " + std::to_string(e.offset) +
                    ", " + e.message};
  }
}

record::Bytes EffectFileBytes(const Json& record) {
  try {
    return record::PackEffectFile(record);
  } catch (const record::RecordJsonError& e) {
    throw FileError{e.Describe()};
  }
}

Json SaveRecord(const Json& record, const std::string& path, const Json& written) {
  if (!record::IsJsonPath(path)) {
    WriteReplacing(path, EffectFileBytes(record));
    return written;
  }
  Json brief;
  try {
    brief = record::ShortRecord(record, written);
  } catch (const record::RecordJsonError& e) {
    throw FileError{e.Describe()};
  }
  const std::string text = record::FormatJson(brief);
  WriteReplacing(path, record::Bytes(text.begin(), text.end()));
  return brief;
}

}  // namespace tavrix::edit
