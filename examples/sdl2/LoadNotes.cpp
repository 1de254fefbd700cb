#include "LoadNotes.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include "ImagePath.h"
#include "cli/PackHint.h"
#include "cli/ResultText.h"
#include "record/TextField.h"
#include "tavrix/ResultCode.h"

namespace tavrix::sdl2 {
namespace {

// A file that large is no record the library would read anyway.
constexpr std::uintmax_t MaximumRecordBytes = std::uintmax_t(64) << 20;

bool HoldsJsonRecord(const std::string& path) {
  std::error_code error;
  if (std::filesystem::file_size(path, error) > MaximumRecordBytes || error) return false;
  std::ifstream in(path, std::ios::binary);
  return tools::IsJsonRecordText(
      record::Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()));
}

}  // namespace

std::string RefusalText(const std::string& path, int32_t code) {
  // The library reads JSON as a broken record: say what it is instead.
  if (code != EffectFileOpenFailed && HoldsJsonRecord(path)) return tools::PackHint(path);
  return tools::ResultText(code);
}

std::vector<std::string> MissingNestedEffects(const record::Json& record, const std::string& root) {
  std::vector<std::string> lines;
  if (!record.contains("emitters") || !record["emitters"].is_array()) return lines;
  for (const record::Json& emitter : record["emitters"]) {
    if (!emitter.is_object() || !emitter.contains("effectFile")) continue;
    const std::string nested = record::TextFromJson(emitter["effectFile"]).value_or("");
    if (!ResolveImagePath(root, nested).empty()) continue;
    lines.push_back("nested effect \"" + nested + "\" is not found (looked for " +
                    (std::filesystem::path(root) / nested).string() + "); the copies never play");
  }
  return lines;
}

}  // namespace tavrix::sdl2
