#include "cli/EffectSummary.h"

#include <strings.h>
#include <cstdio>
#include <filesystem>

#include "base/SafeConvert.h"
#include "record/FieldTable.h"
#include "record/FloatText.h"
#include "record/TextField.h"
#include "simulation/ParamTrack.h"

namespace tavrix::tools {
namespace {

float FloatOf(const record::Json& value) { return record::FloatFromJson(value).value_or(0.0f); }

int32_t SizeOrDefault(float value) {
  const int32_t size = TruncateToInt32(value);
  return size != 0 ? size : 400;
}

}  // namespace

EffectSize SizeOf(const record::Json& effect) {
  ParamTrack size;
  size.SetRange(400.0f, 400.0f, 0.0f, 0.0f);
  for (const record::Json& track : effect["tracks"]) {
    if (strcasecmp(Text(track["name"]).c_str(), "sizeEffect") != 0) continue;
    size.SetRange(FloatOf(track["duration"]), FloatOf(track["boundA"]), FloatOf(track["boundB"]),
                  FloatOf(track["default"]));
  }
  return {SizeOrDefault(size.Duration()), SizeOrDefault(size.Minimum())};
}

std::string EndModeName(int64_t mode) {
  return record::NumberedChoice(record::EndModes, mode, &record::Choice::name, " (no end action)");
}

std::string SpawnShapeName(int64_t shape) {
  return record::NumberedChoice(record::SpawnShapes, shape, &record::Choice::label,
                                " (unknown shape)");
}

std::string RotationModeName(int64_t mode) {
  return record::NumberedChoice(record::RotationModes, mode, &record::Choice::label,
                                " (unknown mode)");
}

std::string Number(const record::Json& value) {
  if (!value.is_number()) return value.is_string() ? value.get<std::string>() : value.dump();
  char text[32];
  std::snprintf(text, sizeof text, "%g", value.get<double>());
  return text;
}

std::string Text(const record::Json& value) {
  if (value.is_string()) return value.get<std::string>();
  return "<bytes " + value.value("bytes", std::string()) + ">";
}

std::string Resolve(const std::string& root, const std::string& stored) {
  std::string relative = stored;
  for (char& c : relative)
    if (c == '\\') c = '/';
  return (std::filesystem::path(root) / relative).lexically_normal().string();
}

}  // namespace tavrix::tools
