#include "record/ScratchEffect.h"

#include <unistd.h>

#include <filesystem>

#include "record/EffectEnvelope.h"
#include "record/NameCompare.h"

namespace tavrix::record {

bool IsJsonPath(const std::string& path) {
  return SameName(std::filesystem::path(path).extension().string(), ".json");
}

Bytes PackEffectFile(const Json& record) { return EncipherEffect(RecordFromJson(record)); }

ScratchEffectFile::ScratchEffectFile(const Bytes& file) {
  std::error_code error;
  std::string pattern =
      (std::filesystem::temp_directory_path(error) / "tavrix-effect-XXXXXX").string();
  const int descriptor = ::mkstemp(pattern.data());
  if (descriptor < 0) throw ScratchFileError("cannot make a scratch file in " + pattern);
  path_ = pattern;
  const bool written = ::write(descriptor, file.data(), file.size()) == ssize_t(file.size());
  if (::close(descriptor) != 0 || !written) {
    std::filesystem::remove(path_, error);
    throw ScratchFileError("cannot write the scratch file " + path_);
  }
}

ScratchEffectFile::~ScratchEffectFile() {
  std::error_code ignored;
  std::filesystem::remove(path_, ignored);
}

}  // namespace tavrix::record
