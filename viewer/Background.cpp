#include "Background.h"

namespace tavrix::viewer {
namespace {

constexpr int kSquare = 16;

void SetColour(SDL_Renderer* renderer, uint32_t argb) {
  SDL_SetRenderDrawColor(renderer, Uint8(argb >> 16), Uint8(argb >> 8), Uint8(argb), 255);
}

}  // namespace

void DrawBackground(SDL_Renderer* renderer, const ViewSettings& settings) {
  SetColour(renderer, settings.checkerboard ? 0xFF9A9A9Au : settings.background);
  SDL_RenderClear(renderer);
  if (!settings.checkerboard) return;
  int width = 0, height = 0;
  SDL_GetRendererOutputSize(renderer, &width, &height);
  SetColour(renderer, 0xFF666666u);
  for (int y = 0; y < height; y += kSquare)
    for (int x = (y / kSquare % 2) * kSquare; x < width; x += 2 * kSquare) {
      const SDL_Rect square{x, y, kSquare, kSquare};
      SDL_RenderFillRect(renderer, &square);
    }
}

}  // namespace tavrix::viewer
