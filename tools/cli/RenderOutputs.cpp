#include "cli/RenderOutputs.h"

#include <cstdio>
#include <filesystem>

#include "cli/Arguments.h"
#include "cli/ExitCode.h"
#include "common/AtomicFile.h"

namespace tavrix::tools {
namespace {

// A sheet beyond this many pixels (256 MiB of them) is refused.
constexpr int64_t MaximumSheetPixels = int64_t(1) << 26;

std::string Absolute(const std::string& path) {
  if (path.empty()) return path;
  std::error_code ignored;
  return std::filesystem::absolute(path, ignored).string();
}

// "out.png" becomes "out_0003.png" for frame 3 of several.
std::string NumberedPath(const std::string& output, int64_t index) {
  std::filesystem::path path(output);
  char number[24];
  std::snprintf(number, sizeof number, "_%04lld", static_cast<long long>(index));
  return (path.parent_path() / (path.stem().string() + number + path.extension().string()))
      .string();
}

// A folder that cannot take the output fails the run before any frame.
void RequireFolder(const std::string& path) {
  std::string error;
  if (!path.empty() && !FolderTakesFiles(path, error)) throw ToolError{ExitWriteFailed, error};
}

void Write(const std::string& path, const Image& image) {
  std::string error;
  if (!WritePng(path, image, error)) throw ToolError{ExitWriteFailed, error};
  std::printf("%s\n", path.c_str());
}

}  // namespace

RenderOutputs::RenderOutputs(const Request& r, const std::string& effect, int32_t width,
                             int32_t height, int64_t frames, int gifDelayCentiseconds)
    : png_(Absolute(r.png)),
      frames_(frames),
      sheetLabels_(r.sheetLabels),
      gifPath_(Absolute(r.gif)) {
  if (!r.sheet.empty()) {
    std::optional<Size> grid = ParseSize(r.sheet);
    if (!grid) throw ToolError{ExitUsage, "--sheet: cannot read \"" + r.sheet + "\""};
    if (int64_t(grid->width) * width * grid->height * height > MaximumSheetPixels)
      throw ToolError{ExitUsage, "--sheet: the sheet would hold more than 67108864 pixels"};
    std::filesystem::path out(r.png.empty() ? effect : r.png);
    sheetPath_ = Absolute(r.sheetOutput.empty()
                              ? (out.parent_path() / (out.stem().string() + "_sheet.png")).string()
                              : r.sheetOutput);
    sheet_.emplace(width, height, grid->width, grid->height);
  }
  RequireFolder(png_);
  RequireFolder(sheetPath_);
  if (!gifPath_.empty()) {
    gif_ = std::make_unique<GifWriter>();
    std::string error;
    if (!gif_->Open(gifPath_, width, height, gifDelayCentiseconds, error))
      throw ToolError{ExitWriteFailed, error};
  }
}

void RenderOutputs::Add(int64_t index, int64_t timeMs, const Image& frame) {
  if (!png_.empty()) Write(frames_ == 1 ? png_ : NumberedPath(png_, index), frame);
  if (sheet_) sheet_->Place(size_t(index), frame, sheetLabels_ ? TimeLabel(timeMs) : "");
  std::string error;
  if (gif_ && !gif_->Add(frame, error)) throw ToolError{ExitWriteFailed, error};
}

void RenderOutputs::Finish() {
  if (sheet_) Write(sheetPath_, sheet_->Sheet());
  if (!gif_) return;
  std::string error;
  if (!gif_->Close(error)) throw ToolError{ExitWriteFailed, error};
  std::printf("%s\n", gifPath_.c_str());
}

}  // namespace tavrix::tools
