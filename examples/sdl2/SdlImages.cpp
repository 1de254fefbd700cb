#include "SdlImages.h"

#include <SDL_image.h>

#include <cstdio>

#include "ImagePath.h"

namespace tavrix::sdl2 {

int32_t SdlImage::Draw(const Point* source, const Point* destination, uint32_t colour,
                       int32_t additive) {
  SDL_Vertex vertices[4];
  QuadVertices(source, destination, colour, width_, height_, target_.view, vertices);
  SDL_SetTextureBlendMode(texture_, BlendModeFor(additive));
  ++target_.quadsDrawn;
  return SDL_RenderGeometry(target_.renderer, texture_, vertices, 4, kQuadIndices, 6);
}

IParticleImage* SdlImageLoader::Load(const char* path) {
  const std::string file = ResolveImagePath(root_, path ? path : "");
  if (file.empty()) {
    std::fprintf(stderr, "texture %s: no such file under %s\n", path ? path : "(none)",
                 root_.c_str());
    return nullptr;
  }
  SDL_Texture* texture = IMG_LoadTexture(target_.renderer, file.c_str());
  int width = 0, height = 0;
  if (!texture || SDL_QueryTexture(texture, nullptr, nullptr, &width, &height) != 0) {
    std::fprintf(stderr, "texture %s: %s\n", file.c_str(), IMG_GetError());
    if (texture) SDL_DestroyTexture(texture);
    return nullptr;
  }
  return new SdlImage(texture, width, height, target_);
}

void SdlImageLoader::Release(IParticleImage* image) {
  // Every image the library hands back is one this loader made.
  auto* own = static_cast<SdlImage*>(image);
  if (!own) return;
  SDL_DestroyTexture(own->Texture());
  delete own;
}

}  // namespace tavrix::sdl2
