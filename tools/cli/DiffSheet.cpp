#include "cli/DiffSheet.h"

#include <algorithm>
#include <filesystem>

#include "cli/EffectPlayer.h"
#include "common/ContactSheet.h"
#include "record/PlayEnd.h"

namespace tavrix::tools {
namespace {

constexpr int32_t Moments = 4;
constexpr int32_t CellPixels = 192;
// An effect without a duration is shown over its first two seconds; a long
// one over ten at most, so a sheet stays quick to make.
constexpr int64_t DefaultSpanMs = 2000;
constexpr int64_t LongestSpanMs = 10000;

int64_t SpanMs(const DiffSide& before, const DiffSide& after) {
  const int64_t longest = std::max(record::PlayEndOf(before.record).durationMs,
                                   record::PlayEndOf(after.record).durationMs);
  return longest > 0 ? std::clamp(longest, int64_t(Moments), LongestSpanMs) : DefaultSpanMs;
}

void PlaySide(const DiffSide& side, int32_t column, int64_t spanMs, ContactSheet& sheet) {
  PlayerOptions options;
  options.width = options.height = CellPixels;
  options.root = side.root;
  const PlayableEffect effect(side.file);
  const std::unique_ptr<EffectPlayer> player = StartPlayer(effect, side.file, options);
  for (int32_t row = 0; row < Moments; ++row) {
    player->AdvanceTo(spanMs * (row + 1) / Moments);
    sheet.Place(size_t(row * 2 + column), player->Frame());
  }
}

}  // namespace

std::string DefaultSheetPath(const std::string& before) {
  return std::filesystem::path(before).stem().string() + "_diff.png";
}

void WriteDiffSheet(const DiffSide& before, const DiffSide& after, const std::string& output) {
  std::error_code ignored;
  // Playing enters each side's root folder; the sheet goes where the user is.
  const std::string path = std::filesystem::absolute(output, ignored).string();
  const int64_t spanMs = SpanMs(before, after);
  ContactSheet sheet(CellPixels, CellPixels, 2, Moments);
  PlaySide(before, 0, spanMs, sheet);
  PlaySide(after, 1, spanMs, sheet);
  std::string error;
  if (!WritePng(path, sheet.Sheet(), error)) throw ToolError{ExitWriteFailed, error};
}

}  // namespace tavrix::tools
