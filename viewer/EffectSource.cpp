#include "EffectSource.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "LiveReload.h"
#include "record/EffectEnvelope.h"
#include "record/JsonText.h"

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

bool IsJsonPath(const std::string& path) {
  std::string extension = std::filesystem::path(path).extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return char(std::tolower(c)); });
  return extension == ".json";
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
  if (IsJsonPath(path)) {
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

TemporaryEffectFile::TemporaryEffectFile(const record::Bytes& bytes) {
  std::error_code error;
  std::string pattern =
      (std::filesystem::temp_directory_path(error) / "tavrix-view-XXXXXX").string();
  const int descriptor = ::mkstemp(pattern.data());
  if (descriptor < 0) throw SourceError("cannot make a temporary file");
  path_ = pattern;
  const bool written = ::write(descriptor, bytes.data(), bytes.size()) == ssize_t(bytes.size());
  ::close(descriptor);
  if (!written) {
    std::filesystem::remove(path_, error);
    throw SourceError("cannot write the temporary file " + pattern);
  }
}

TemporaryEffectFile::~TemporaryEffectFile() {
  std::error_code ignored;
  std::filesystem::remove(path_, ignored);
}

}  // namespace tavrix::viewer
