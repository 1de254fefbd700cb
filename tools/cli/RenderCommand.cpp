#include "cli/RenderCommand.h"

#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "common/ContactSheet.h"
#include "common/GifFile.h"
#include "cli/Arguments.h"
#include "cli/EffectPlayer.h"
#include "cli/ExitCode.h"

namespace tavrix::tools {
namespace {

struct RenderRequest {
  std::string effect, output, gif, sheet, sheetOutput, size = "256x256", view, position, background = "000000";
  std::string root;
  int64_t timeMs = 1000;
  int frames = 1;
  double fps = 30;
  uint32_t prewarmMs = 0;
};

template <class T>
T Require(std::optional<T> value, const std::string& option, const std::string& text) {
  if (!value) throw ToolError{ExitUsage, option + ": cannot read \"" + text + "\""};
  return *value;
}

PlayerOptions ToPlayerOptions(const RenderRequest& r) {
  PlayerOptions options;
  Size size = Require(ParseSize(r.size), "--size", r.size);
  options.width = size.width;
  options.height = size.height;
  if (!r.view.empty()) {
    Size view = Require(ParseSize(r.view), "--view", r.view);
    options.viewWidth = float(view.width);
    options.viewHeight = float(view.height);
  }
  if (!r.position.empty()) {
    Position p = Require(ParsePosition(r.position), "--position", r.position);
    options.x = p.x;
    options.y = p.y;
  }
  options.background = Require(ParseColour(r.background), "--background", r.background);
  options.prewarmMs = r.prewarmMs;
  options.root = r.root;
  return options;
}

// "out.png" becomes "out_0003.png" for frame 3 of several.
std::string NumberedPath(const std::string& output, int index) {
  std::filesystem::path path(output);
  char number[16];
  std::snprintf(number, sizeof number, "_%04d", index);
  return (path.parent_path() / (path.stem().string() + number + path.extension().string())).string();
}

void ShowProgress(int done, int total) {
  if (total < 8 || !isatty(STDERR_FILENO)) return;
  const int width = 30, filled = done * width / total;
  std::fprintf(stderr, "\rrendering [%s%s] %d/%d", std::string(filled, '#').c_str(),
               std::string(width - filled, ' ').c_str(), done, total);
  if (done == total) std::fputc('\n', stderr);
}

void Write(const std::string& path, const Image& image) {
  std::string error;
  if (!WritePng(path, image, error)) throw ToolError{ExitWriteFailed, error};
  std::printf("%s\n", path.c_str());
}

void Render(const RenderRequest& r) {
  if (r.frames < 1) throw ToolError{ExitUsage, "--frames: must be at least 1"};
  if (!(r.fps > 0 && r.fps <= 1000)) throw ToolError{ExitUsage, "--fps: must be above 0 and at most 1000"};
  const double interval = 1000.0 / r.fps;
  std::vector<Image> frames;
  {
    // The player works inside the root folder; outputs are written after it
    // has gone, relative to where the program was started.
    EffectPlayer player(r.effect, ToPlayerOptions(r));
    const int32_t step = std::max(1, int32_t(std::lround(interval)));
    for (int k = 0; k < r.frames; ++k) {
      player.AdvanceTo(r.timeMs + std::llround(k * interval), step);
      frames.push_back(player.Frame());
      ShowProgress(k + 1, r.frames);
    }
  }
  if (!r.output.empty()) {
    if (frames.size() == 1) Write(r.output, frames[0]);
    else
      for (size_t k = 0; k < frames.size(); ++k) Write(NumberedPath(r.output, int(k)), frames[k]);
  }
  if (!r.sheet.empty()) {
    Size grid = Require(ParseSize(r.sheet), "--sheet", r.sheet);
    std::filesystem::path out(r.output.empty() ? r.effect : r.output);
    Write(r.sheetOutput.empty() ? (out.parent_path() / (out.stem().string() + "_sheet.png")).string()
                                : r.sheetOutput,
          ContactSheet(frames, grid.width, grid.height));
  }
  if (!r.gif.empty()) {
    std::string error;
    if (!WriteGif(r.gif, frames, std::max(1, int(std::lround(100.0 / r.fps))), error))
      throw ToolError{ExitWriteFailed, error};
    std::printf("%s\n", r.gif.c_str());
  }
}

}  // namespace

void AddRenderCommand(CLI::App& app, int& exitCode) {
  auto request = std::make_shared<RenderRequest>();
  CLI::App* render = app.add_subcommand("render", "Play an effect on the software device and write frames");
  render->add_option("FILE", request->effect, "Effect file")->required();
  render->add_option("-o,--output", request->output, "PNG file; several frames are numbered");
  render->add_option("--time", request->timeMs, "Time of the first frame in ms (default 1000)");
  render->add_option("--frames", request->frames, "Number of frames (default 1)");
  render->add_option("--fps", request->fps, "Frames per second (default 30)");
  render->add_option("--sheet", request->sheet, "Also write a contact sheet of COLSxROWS frames");
  render->add_option("--sheet-output", request->sheetOutput,
                     "Where the contact sheet goes (default: OUTPUT_sheet.png)");
  render->add_option("--gif", request->gif, "Also write the frames as an animated GIF");
  render->add_option("--size", request->size, "Framebuffer size WxH in pixels (default 256x256)");
  render->add_option("--view", request->view, "View size WxH in view units (default: the size)");
  render->add_option("--position", request->position, "Effect position X,Y (default: view centre)");
  render->add_option("--background", request->background, "Background RRGGBB[AA] (default 000000)");
  render->add_option("--prewarm", request->prewarmMs, "Prewarm in ms when playing starts");
  AddRootOption(*render, request->root);
  render->callback([request, &exitCode] {
    if (request->output.empty() && request->gif.empty() && request->sheet.empty())
      throw ToolError{ExitUsage, "render: give -o, --sheet or --gif"};
    Render(*request);
    exitCode = ExitOk;
  });
}

}  // namespace tavrix::tools
