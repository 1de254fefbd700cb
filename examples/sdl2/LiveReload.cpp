#include "LiveReload.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "ImagePath.h"
#include "record/EffectEnvelope.h"
#include "record/RecordDiff.h"
#include "record/TextField.h"

namespace tavrix::sdl2 {
namespace {

// Effect files are small; the bound keeps a wrong path (a device, a huge
// file) from filling memory.
constexpr std::uintmax_t MaximumEffectBytes = std::uintmax_t(64) << 20;

std::string TextOf(const record::Json& object, const char* field) {
  return object.is_object() && object.contains(field)
             ? record::TextFromJson(object[field]).value_or("")
             : "";
}

void AddFound(std::vector<std::string>& files, const std::string& root,
              const std::string& libraryPath) {
  const std::string file = ResolveImagePath(root, libraryPath);
  if (!file.empty() && std::find(files.begin(), files.end(), file) == files.end())
    files.push_back(file);
}

}  // namespace

std::optional<record::Json> RecordOfEffect(const record::Bytes& file) {
  try {
    if (std::optional<record::Bytes> plain = record::DecipherEffect(file))
      return record::RecordToJson(*plain);
  } catch (const record::RecordFormatError&) {
  }
  return std::nullopt;
}

std::optional<record::Json> ReadEffectRecord(const std::string& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error) ||
      std::filesystem::file_size(path, error) > MaximumEffectBytes)
    return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  const record::Bytes bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return RecordOfEffect(bytes);
}

std::vector<std::string> DependentFiles(const record::Json& record, const std::string& root) {
  std::vector<std::string> files;
  if (!record.contains("emitters") || !record["emitters"].is_array()) return files;
  for (const record::Json& emitter : record["emitters"]) {
    if (!emitter.is_object()) continue;
    for (const char* block : {"frameSet", "frameAnimation"}) {
      const std::string texture =
          emitter.contains(block) ? TextOf(emitter[block], "textureName") : "";
      if (!texture.empty()) AddFound(files, root, "image\\" + texture);
    }
    const std::string nested = TextOf(emitter, "effectFile");
    if (!nested.empty()) AddFound(files, root, nested);
  }
  return files;
}

uint32_t PrewarmForPlace(int64_t playMs, const record::PlayEnd& end) {
  if (end.endMode == 1 && end.durationMs > 0)
    return uint32_t(std::max<int64_t>(playMs, 0) % end.durationMs);
  return uint32_t(std::clamp<int64_t>(playMs, 0, INT32_MAX));
}

int32_t LoadInPlace(ParticleHost& host, int32_t oldId, const std::string& path,
                    const std::string& root) {
  int32_t id = host.LoadEffect(path, root);
  if (id < 0 || oldId < 0) return id;
  // Frame sets and textures are shared by name, so a changed effect loaded
  // beside the old one would find the old frames and pictures: once it is
  // known to load, both go and it is loaded again on its own.
  host.System().UnloadEffect(oldId);
  host.System().UnloadEffect(id);
  return host.LoadEffect(path, root);
}

std::string ReloadNote(const std::optional<record::Json>& before,
                       const std::optional<record::Json>& after, const std::string& changedFile) {
  const std::vector<record::RecordChange> changes =
      before && after ? record::DiffRecords(*before, *after) : std::vector<record::RecordChange>{};
  if (changes.empty() && !changedFile.empty())
    return std::filesystem::path(changedFile).filename().string() + " changed";
  return record::ChangeSummary(changes);
}

}  // namespace tavrix::sdl2
