// The arithmetic of drawing one library quad with SDL_RenderGeometry: which
// source point goes with which destination point, the vertex colour, the
// blend mode, and the host's own view transform (zoom and pan). Kept apart
// from SDL's renderer so that it is checked without a window.
#pragma once

#include <SDL.h>

#include <cstdint>

#include "tavrix/IParticleImage.h"

namespace tavrix::sdl2 {

// Where a view point lands in the window: window = view * scale + offset.
struct ViewTransform {
  float scale = 1.0f;
  float offsetX = 0.0f;
  float offsetY = 0.0f;

  SDL_FPoint ToWindow(float x, float y) const { return {x * scale + offsetX, y * scale + offsetY}; }
  SDL_FPoint ToView(float x, float y) const {
    return {(x - offsetX) / scale, (y - offsetY) / scale};
  }
};

// Two triangles over the four vertices QuadVertices writes (corners 0, 1,
// 2, 3 in order round the quad), split along the diagonal from corner 0 to
// corner 2 as the device renderer's triangle strip is.
inline constexpr int kQuadIndices[6] = {0, 1, 2, 0, 2, 3};

SDL_BlendMode BlendModeFor(int32_t additive);
SDL_Color ColourFromArgb(uint32_t argb);

// source and destination are the four points the library passes to
// IParticleImage::Draw; texture coordinates are the source points divided by
// the texture's size in pixels.
void QuadVertices(const Point* source, const Point* destination, uint32_t colour,
                  int32_t textureWidth, int32_t textureHeight, const ViewTransform& view,
                  SDL_Vertex out[4]);

}  // namespace tavrix::sdl2
