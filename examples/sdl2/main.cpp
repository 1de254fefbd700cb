// A small SDL2 game host: it opens a window, plays effect files through the
// library's public interface in image-loader mode, lets the first effect
// follow the mouse, and draws every frame with the real elapsed time. With
// --watch it reloads an effect whose file, texture or nested effect file
// changed on disk, where it stands and at its play time, so an artist can
// tune effects inside the running game.
// Whatever the input, it ends with a message and an exit code (0, 1 failed,
// 2 usage), never an abort.
//
//   tavrix-sdl2 [--root DIR] [--size WxH] [--watch] [--frames N [--step MS] [--screenshot OUT.png]]
//   EFFECT...
//
// With --frames the host runs N frames of --step milliseconds each (16 by
// default) on SDL's software renderer, saves the last one and exits: the
// same pixels on every run, which its tests compare with golden images; the
// effects stay where they were placed, wherever the pointer is.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <string>
#include <vector>

#include "ParticleHost.h"
#include "SdlWindow.h"
#include "WatchedEffect.h"

namespace {

using namespace tavrix::sdl2;

struct Options {
  std::vector<std::string> effects;
  std::string root = ".";
  int32_t width = 640, height = 480;
  int32_t frames = 0;  // 0: until the window is closed
  int32_t stepMs = 16;
  std::string screenshot;
  bool watch = false;
};

// Files are looked at four times a second; a scripted run looks every frame.
constexpr uint64_t kWatchIntervalMs = 250;

const char kUsage[] =
    "usage: tavrix-sdl2 [--root DIR] [--size WxH] [--watch] [--frames N [--step MS] [--screenshot "
    "OUT.png]] "
    "EFFECT...\n"
    "  --root DIR         folder holding image/ and nested effect files (default: the current "
    "folder)\n"
    "  --size WxH         window size (default 640x480)\n"
    "  --watch            reload an effect whose file or texture changed on disk, in place\n"
    "  --frames N         run N frames of --step ms (default 16) on the software renderer, then "
    "exit\n"
    "  --step MS          with --frames: milliseconds per frame, 0 to 1000000\n"
    "  --screenshot F     with --frames: save the last frame as PNG\n";

bool WantsHelp(int argc, char** argv) {
  for (int i = 1; i < argc; ++i)
    if (std::string(argv[i]) == "--help" || std::string(argv[i]) == "-h") return true;
  return false;
}

// A whole decimal number from 0 to 1,000,000, or false.
bool ParseCount(const char* text, int32_t& count) {
  char* end = nullptr;
  errno = 0;
  const long value = std::strtol(text, &end, 10);
  if (end == text || *end != '\0' || errno != 0 || value < 0 || value > 1000000) return false;
  count = int32_t(value);
  return true;
}

// The host works in its root folder; paths given go from where the user is.
std::string Absolute(const char* path) {
  std::error_code error;
  return std::filesystem::absolute(path, error).string();
}

bool ParseOptions(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
    if (arg.rfind("--", 0) != 0) {
      options.effects.push_back(Absolute(argv[i]));
      continue;
    }
    if (arg == "--watch") {
      options.watch = true;
      continue;
    }
    if (!value) return false;
    ++i;
    bool valid = true;
    if (arg == "--root") {
      options.root = value;
    } else if (arg == "--size") {
      valid = std::sscanf(value, "%dx%d", &options.width, &options.height) == 2;
    } else if (arg == "--frames") {
      valid = ParseCount(value, options.frames);
    } else if (arg == "--step") {
      valid = ParseCount(value, options.stepMs);
    } else if (arg == "--screenshot") {
      options.screenshot = Absolute(value);
    } else {
      valid = false;
    }
    if (!valid) return false;
  }
  return !options.effects.empty() && options.width > 0 && options.height > 0;
}

int Run(const Options& options) {
  const bool scripted = options.frames > 0;
  SdlWindow window({"Tavrix SDL2 host", options.width, options.height, scripted, false});
  ParticleHost host(window.Renderer(), options.root, options.width, options.height);
  std::vector<WatchedEffect> effects;
  for (size_t i = 0; i < options.effects.size(); ++i) {
    // Side by side across the window.
    const float x = float(options.width) * (float(i) + 0.5f) / float(options.effects.size());
    WatchedEffect& effect =
        effects.emplace_back(host, options.effects[i], x, float(options.height) * 0.5f);
    if (!effect.Load()) {
      std::fprintf(stderr, "%s: %s\n", options.effects[i].c_str(), effect.Error().c_str());
      return 1;
    }
  }
  FrameClock clock;
  uint64_t lastWatchMs = 0;
  for (int32_t frame = 0; !scripted || frame < options.frames; ++frame) {
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
      if (event.type == SDL_QUIT) return 0;
      if (event.type == SDL_KEYDOWN && event.key.keysym.sym == SDLK_ESCAPE) return 0;
      // The first effect follows the mouse; its particles already alive stay
      // where they were born, so it leaves a trail. A scripted run draws
      // the same frame under any display, wherever its pointer rests.
      if (event.type == SDL_MOUSEMOTION && !scripted)
        effects[0].MoveTo(float(event.motion.x), float(event.motion.y), false);
    }
    if (options.watch && (scripted || SDL_GetTicks64() - lastWatchMs >= kWatchIntervalMs)) {
      lastWatchMs = SDL_GetTicks64();
      for (WatchedEffect& effect : effects) effect.ReloadIfChanged();
    }
    const int32_t elapsedMs = scripted ? options.stepMs : clock.Take();
    host.Update(elapsedMs);
    for (WatchedEffect& effect : effects) effect.Advance(elapsedMs);
    SDL_SetRenderDrawColor(window.Renderer(), 0, 0, 0, 255);
    SDL_RenderClear(window.Renderer());
    host.Draw();
    if (scripted && frame + 1 == options.frames && !options.screenshot.empty()) {
      std::string error;
      if (!SaveScreenshot(window.Renderer(), options.screenshot, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
      }
    }
    SDL_RenderPresent(window.Renderer());
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (WantsHelp(argc, argv)) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  if (!ParseOptions(argc, argv, options)) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  try {
    return Run(options);
  } catch (const HostError& e) {
    std::fprintf(stderr, "tavrix-sdl2: %s\n", e.what());
  } catch (const std::exception& e) {
    std::fprintf(stderr, "tavrix-sdl2: internal error: %s\n", e.what());
  } catch (...) {
    std::fprintf(stderr, "tavrix-sdl2: internal error: an unexpected failure\n");
  }
  return 1;
}
