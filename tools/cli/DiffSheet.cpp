#include "cli/DiffSheet.h"

#include <algorithm>
#include <filesystem>

#include "cli/EffectPlayer.h"
#include "common/ContactSheet.h"
#include "common/TextLabel.h"
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
    const int64_t timeMs = spanMs * (row + 1) / Moments;
    player->AdvanceTo(timeMs);
    sheet.Place(size_t(row * 2 + column), player->Frame(), TimeLabel(timeMs));
  }
}

// The file as given, its start cut off ("...") when it is wider than a
// column: the end tells two versions apart.
std::string Fitted(const std::string& file, int32_t scale) {
  std::string text = file;
  while (text.size() > 4 && LabelWidth(text, scale) > CellPixels - 4 * scale)
    text = "..." + text.substr(4);
  return text;
}

// The sheet under a band that names each column's file.
Image WithHeadings(const Image& sheet, const DiffSide& before, const DiffSide& after) {
  const int32_t scale = LabelScale(CellPixels), band = LabelHeight(scale) + 2 * scale;
  Image out(sheet.width, sheet.height + band, 0xFF000000u);
  std::copy(sheet.pixels.begin(), sheet.pixels.end(),
            out.pixels.begin() + size_t(band) * out.width);
  DrawLabel(out, {0, 0, CellPixels, band}, Fitted(before.file, scale), scale);
  DrawLabel(out, {CellPixels, 0, CellPixels, band}, Fitted(after.file, scale), scale);
  return out;
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
  if (!WritePng(path, WithHeadings(sheet.Sheet(), before, after), error))
    throw ToolError{ExitWriteFailed, error};
}

}  // namespace tavrix::tools
