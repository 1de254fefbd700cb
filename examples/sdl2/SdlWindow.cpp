#include "SdlWindow.h"

#include <SDL_image.h>

#include <cmath>
#include <vector>

#include "ParticleHost.h"

namespace tavrix::sdl2 {

SdlWindow::SdlWindow(const WindowOptions& options) {
  if (SDL_Init(SDL_INIT_VIDEO) != 0) throw HostError(std::string("SDL: ") + SDL_GetError());
  IMG_Init(IMG_INIT_PNG | IMG_INIT_JPG);
  const Uint32 flags = options.resizable ? SDL_WINDOW_RESIZABLE : 0;
  window_ = SDL_CreateWindow(options.title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                             options.width, options.height, flags);
  if (window_)
    renderer_ = SDL_CreateRenderer(
        window_, -1, options.software ? SDL_RENDERER_SOFTWARE : SDL_RENDERER_PRESENTVSYNC);
  if (!renderer_) {
    const std::string message = std::string("SDL window: ") + SDL_GetError();
    Close();
    throw HostError(message);
  }
}

SdlWindow::~SdlWindow() { Close(); }

void SdlWindow::Close() {
  if (renderer_) SDL_DestroyRenderer(renderer_);
  if (window_) SDL_DestroyWindow(window_);
  renderer_ = nullptr;
  window_ = nullptr;
  IMG_Quit();
  SDL_Quit();
}

bool SaveScreenshot(SDL_Renderer* renderer, const std::string& path, std::string& error) {
  int width = 0, height = 0;
  SDL_GetRendererOutputSize(renderer, &width, &height);
  std::vector<Uint32> pixels(size_t(width) * size_t(height));
  if (width <= 0 || height <= 0 ||
      SDL_RenderReadPixels(renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, pixels.data(), width * 4) !=
          0) {
    error = std::string("cannot read the window: ") + SDL_GetError();
    return false;
  }
  // A window's alpha says nothing: the picture is what the eye sees.
  for (Uint32& pixel : pixels) pixel |= 0xFF000000u;
  SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(pixels.data(), width, height, 32,
                                                            width * 4, SDL_PIXELFORMAT_ARGB8888);
  const bool saved = surface && IMG_SavePNG(surface, path.c_str()) == 0;
  if (!saved) error = path + ": " + SDL_GetError();
  SDL_FreeSurface(surface);
  return saved;
}

int32_t FrameClock::Take(double scale) {
  const uint64_t now = SDL_GetPerformanceCounter();
  const double elapsedMs = double(now - last_) * 1000.0 / double(SDL_GetPerformanceFrequency());
  last_ = now;
  // A long stall (a breakpoint, a dragged window) does not become a jump.
  const double total = carriedMs_ + std::fmin(elapsedMs, 250.0) * scale;
  const double whole = std::floor(total);
  carriedMs_ = total - whole;
  return int32_t(whole);
}

}  // namespace tavrix::sdl2
