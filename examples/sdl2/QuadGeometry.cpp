#include "QuadGeometry.h"

namespace tavrix::sdl2 {

SDL_BlendMode BlendModeFor(int32_t additive) {
  return additive ? SDL_BLENDMODE_ADD : SDL_BLENDMODE_BLEND;
}

SDL_Color ColourFromArgb(uint32_t argb) {
  return {Uint8(argb >> 16), Uint8(argb >> 8), Uint8(argb), Uint8(argb >> 24)};
}

void QuadVertices(const Point* source, const Point* destination, uint32_t colour,
                  int32_t textureWidth, int32_t textureHeight, const ViewTransform& view,
                  SDL_Vertex out[4]) {
  // The library lists the source corners as (left, top), (right, top),
  // (right, bottom), (left, bottom), but the destination corners from the
  // last to the first: corner 3, 2, 1, 0. Pairing source i with destination
  // 3 - i puts the texture's top-left on corner 0, as the device renderer
  // does, so a texture shows the same way up and unmirrored on both paths.
  const SDL_Color vertexColour = ColourFromArgb(colour);
  const float width = textureWidth > 0 ? float(textureWidth) : 1.0f;
  const float height = textureHeight > 0 ? float(textureHeight) : 1.0f;
  for (int i = 0; i < 4; ++i) {
    const Point& corner = destination[3 - i];
    out[i].position = view.ToWindow(float(corner.x), float(corner.y));
    out[i].color = vertexColour;
    out[i].tex_coord = {float(source[i].x) / width, float(source[i].y) / height};
  }
}

}  // namespace tavrix::sdl2
