#include "edit/EffectPreview.h"

#include <cstdio>
#include <filesystem>
#include <random>

#include "edit/DocumentFiles.h"
#include "tavrix/ResultCodeNames.h"

namespace tavrix::edit {

EffectPreview::EffectPreview(IParticleSystem& system, std::string scratchPath)
    : system_(system), scratchPath_(std::move(scratchPath)) {}

EffectPreview::~EffectPreview() {
  Unload();
  std::error_code ignored;
  std::filesystem::remove(scratchPath_, ignored);
}

void EffectPreview::Unload() {
  if (id_ >= 0) system_.UnloadEffect(id_);
  id_ = -1;
}

std::string EffectPreview::Show(const Json& record, uint32_t playTimeMs, float x, float y) {
  Unload();
  record::Bytes bytes;
  try {
    bytes = EffectFileBytes(record);
  } catch (const FileError& e) {
    return e.message;
  }
  std::FILE* file = std::fopen(scratchPath_.c_str(), "wb");
  const bool written = file && std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  if ((file && std::fclose(file) != 0) || !written) return scratchPath_ + ": cannot be written";
  const int32_t id = system_.LoadEffect(scratchPath_.c_str());
  if (id < 0)
    return std::string("the library does not load the effect: ") + ResultCodeName(id) + ", " +
           ResultCodeMeaning(id);
  id_ = id;
  system_.SetEffectPosition(id_, x, y, true);
  system_.PlayEffect(id_, playTimeMs);
  return "";
}

std::string ScratchEffectPath() {
  std::random_device source;
  const std::string name =
      "tavrix-edit-" + std::to_string(source()) + std::to_string(source()) + ".eff";
  return (std::filesystem::temp_directory_path() / name).string();
}

}  // namespace tavrix::edit
