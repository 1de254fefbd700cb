#include "ViewerOptions.h"

#include <SDL.h>
#include <CLI/CLI.hpp>

#include <cstdio>
#include <filesystem>
#include <optional>

#include "KeyBindings.h"
#include "PanelLayout.h"
#include "Timeline.h"
#include "common/ArgumentForms.h"
#include "common/AtomicFile.h"

namespace tavrix::viewer {
namespace {

namespace fs = std::filesystem;

std::string Absolute(const std::string& path) {
  std::error_code error;
  return path.empty() ? path : fs::absolute(path, error).lexically_normal().string();
}

bool HasImageFolder(const fs::path& folder) {
  std::error_code error;
  return fs::is_directory(folder / "image", error);
}

// The samples the build packs, beside the program's own folder in the build
// tree; empty when the program's folder is not known.
fs::path PackedSamples() {
  char* base = SDL_GetBasePath();
  if (!base) return {};
  const fs::path samples = fs::path(base) / ".." / "samples";
  SDL_free(base);
  return samples.lexically_normal();
}

// Without --root: the first of the effect's folder, the current folder and
// the packed samples that holds an image folder.
std::string DefaultRoot(const std::string& file) {
  const fs::path candidates[] = {fs::path(file).parent_path(), fs::current_path(), PackedSamples()};
  for (const fs::path& folder : candidates)
    if (HasImageFolder(folder)) return folder.string();
  return fs::path(file).parent_path().string();
}

std::string KeyHelp() {
  std::string text = "\nKeys:\n";
  char line[128];
  for (const KeyBinding& binding : kKeyBindings) {
    std::snprintf(line, sizeof line, "  %-12s  %s\n", binding.keys, binding.what);
    text += line;
  }
  return text +
         "  mouse drag    move the nearest effect (with M: its live particles too)\n"
         "  mouse wheel   zoom\n";
}

std::string LimitKeys() {
  std::string keys;
  for (const cost::Figure& figure : cost::kFigures)
    keys += std::string(keys.empty() ? "" : ", ") + figure.key + (*figure.unit ? " (" : "") +
            figure.unit + (*figure.unit ? ")" : "");
  return keys;
}

}  // namespace

int ParseViewerOptions(int argc, char** argv, ViewerOptions& options,
                       const std::string& scriptHelp) {
  CLI::App app{
      "tavrix-view: plays effect files (.eff) and effect records (.json) live, and reloads "
      "them when they change on disk"};
  app.footer(KeyHelp() + scriptHelp);
  std::string size, background;
  std::vector<std::string> limits;
  app.add_option("FILE", options.files, "effect files or JSON records, shown side by side")
      ->required();
  std::string root;
  app.add_option("--root", root,
                 "folder holding image/ and nested effect files for every file (default, for "
                 "each file: the first of its folder, the current folder and the samples packed "
                 "beside this program that has image/)");
  app.add_option("--size", size, "window size WxH (default 960x640, with the editor 1280x800)");
  app.add_option("--background", background, "background colour RRGGBB, or 'checker'");
  app.add_option("--zoom", options.zoom, "zoom factor (default 1)")
      ->check(CLI::Range(0.125f, 16.0f));
  app.add_option("--time-scale", options.timeScale, "speed of time (default 1)")
      ->check(CLI::Range(0.0f, 16.0f));
  app.add_option("--prewarm", options.prewarmMs, "milliseconds to play ahead at every start");
  app.add_flag(
      "--no-overlay", [&](int64_t) { options.overlay = false; }, "start with the overlay hidden");
  app.add_flag(
      "--edit", options.edit,
      "edit the first file: effect, emitters and curve panels, undo, save as JSON or .eff");
  app.add_option("--edit-script", options.editScript,
                 "run the editing commands of this file (listed below), one a frame, then exit "
                 "(implies --edit)");
  app.add_option("--frames", options.frames,
                 "run N frames on SDL's software renderer, then exit (with --edit-script: N "
                 "frames whenever the script ends)")
      ->check(CLI::PositiveNumber);
  app.add_option(
         "--step", options.stepMs,
         "milliseconds per frame of the timeline, 1 to 1000 (default 17, 17, 16: a 60 Hz game)")
      ->check(CLI::Range(1, 1000));
  app.add_option("--at", options.atMs,
                 "start paused at the moment MS (with --screenshot: its picture, then exit)")
      ->check(CLI::Range(int64_t(0), Timeline::kMaxMs));
  app.add_option("--screenshot", options.screenshot,
                 "with --frames or --at: save the last frame as PNG");
  app.add_option("--reload-shots", options.reloadShots,
                 "save a PNG named PREFIX-N.png after each reload (for scripts)");
  app.add_option("--limit", limits,
                 "the overlay shows a cost figure in red past this, KEY=VALUE in the figure's "
                 "unit, repeatable; keys: " +
                     LimitKeys());
  app.add_flag("--overlay-in-screenshots", options.overlayInScreenshots,
               "screenshots show the overlay too (by default only the effects)");
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    return app.exit(e) == 0 ? 0 : 2;
  }
  if (!size.empty()) {
    const std::optional<tools::Size> parsed = tools::ParseSize(size);
    if (!parsed) {
      std::fprintf(stderr, "--size: expected WxH with both from 1 to 16384, got %s\n",
                   size.c_str());
      return 2;
    }
    options.width = parsed->width;
    options.height = parsed->height;
  }
  if (background == "checker") {
    options.checkerboard = true;
  } else if (!background.empty()) {
    // The window has no alpha to show, so the colour's is not offered.
    const std::optional<uint32_t> colour = tools::ParseColour(background);
    if (background.size() != 6 || !colour) {
      std::fprintf(stderr, "--background: expected RRGGBB or checker, got %s\n",
                   background.c_str());
      return 2;
    }
    options.background = *colour;
  }
  for (const std::string& limit : limits) {
    std::string error;
    if (!cost::ParseLimit(limit, options.limits, error)) {
      std::fprintf(stderr, "%s\n", error.c_str());
      return 2;
    }
  }
  options.edit = options.edit || !options.editScript.empty();
  if (options.edit && size.empty()) {
    options.width = kEditorWidth;
    options.height = kEditorHeight;
  }
  for (std::string& file : options.files) {
    file = Absolute(file);
    options.roots.push_back(root.empty() ? DefaultRoot(file) : Absolute(root));
  }
  options.startFolder = fs::current_path().string();
  options.screenshot = Absolute(options.screenshot);
  if (options.atMs >= 0 && !options.screenshot.empty() && options.frames == 0) options.frames = 1;
  options.editScript = Absolute(options.editScript);
  options.reloadShots = Absolute(options.reloadShots);
  // As render does: pictures that could not be saved are refused before playing.
  for (const std::string& shot : {options.screenshot, options.reloadShots}) {
    std::string error;
    if (shot.empty() || tools::FolderTakesFiles(shot, error)) continue;
    std::fprintf(stderr, "%s\n", error.c_str());
    return 2;
  }
  return -1;
}

}  // namespace tavrix::viewer
