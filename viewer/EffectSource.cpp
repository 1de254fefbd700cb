#include "EffectSource.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "LiveReload.h"
#include "record/EffectEnvelope.h"
#include "record/JsonText.h"
#include "record/ScratchEffect.h"

namespace tavrix::viewer {
namespace {

// Effect files and their JSON are small; the bound keeps a wrong argument
// (a device, a huge file) from filling memory.
constexpr std::uintmax_t kMaximumBytes = std::uintmax_t(64) << 20;

record::Bytes ReadBytes(const std::string& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) throw SourceError("no such file");
  if (std::filesystem::file_size(path, error) > kMaximumBytes)
    throw SourceError("larger than 64 MiB");
  std::ifstream in(path, std::ios::binary);
  record::Bytes bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) throw SourceError("cannot be read");
  return bytes;
}

}  // namespace

EffectBytes PackRecord(const record::Json& record) {
  try {
    // Shown as the library reads it, every field written out, so that a
    // reload names what changed in the effect, not in how briefly its JSON
    // was written (an editor's save of a short file changes nothing).
    const record::Bytes plain = record::RecordFromJson(record);
    return {record::EncipherEffect(plain), record::RecordToJson(plain)};
  } catch (const record::RecordJsonError& e) {
    throw SourceError("not an effect record: " + e.Describe());
  }
}

EffectBytes ReadEffectSource(const std::string& path) {
  record::Bytes bytes = ReadBytes(path);
  if (record::IsJsonPath(path)) {
    try {
      return PackRecord(record::ParseJson(std::string(bytes.begin(), bytes.end())));
    } catch (const record::RecordJsonError& e) {
      throw SourceError("bad JSON: " + e.Describe());
    }
  }
  // What the record holds is only for showing; the library judges the file.
  std::optional<record::Json> record = sdl2::RecordOfEffect(bytes);
  return {std::move(bytes), std::move(record)};
}

}  // namespace tavrix::viewer
