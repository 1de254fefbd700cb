// SDL with one window and its renderer, set up and torn down in order, and
// the window's picture saved as PNG.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <string>

namespace tavrix::sdl2 {

struct WindowOptions {
  std::string title = "Tavrix";
  int32_t width = 640, height = 480;
  // SDL's software renderer draws the same pixels on every machine, which
  // scripted runs and their tests rely on; otherwise SDL picks the renderer.
  bool software = false;
  bool resizable = false;
};

class SdlWindow {
 public:
  // Throws HostError when SDL, the window or the renderer cannot be set up.
  explicit SdlWindow(const WindowOptions& options);
  ~SdlWindow();
  SdlWindow(const SdlWindow&) = delete;
  SdlWindow& operator=(const SdlWindow&) = delete;

  SDL_Window* Window() const { return window_; }
  SDL_Renderer* Renderer() const { return renderer_; }

 private:
  void Close();

  SDL_Window* window_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
};

// The renderer's current picture, opaque, as a PNG file; false with SDL's
// message in error when it cannot be read or written.
bool SaveScreenshot(SDL_Renderer* renderer, const std::string& path, std::string& error);

// Real time turned into the whole milliseconds the library takes: the part
// of a millisecond left over is carried into the next frame.
class FrameClock {
 public:
  FrameClock() : last_(SDL_GetPerformanceCounter()) {}
  // Milliseconds since the last call, times scale.
  int32_t Take(double scale = 1.0);

 private:
  uint64_t last_;
  double carriedMs_ = 0.0;
};

}  // namespace tavrix::sdl2
