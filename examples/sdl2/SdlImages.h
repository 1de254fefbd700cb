// The host's side of the library's image-loader mode: an IParticleImageLoader
// that decodes the texture files with SDL2_image into SDL_Textures, and the
// IParticleImage that draws the library's quads with SDL_RenderGeometry.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <string>
#include <utility>

#include "QuadGeometry.h"
#include "tavrix/IParticleImage.h"

namespace tavrix::sdl2 {

// What every image draws into, shared by all images of one loader: the
// renderer, the host's view transform and a count of the quads drawn.
struct DrawTarget {
  SDL_Renderer* renderer = nullptr;
  ViewTransform view;
  uint32_t quadsDrawn = 0;
};

class SdlImage final : public IParticleImage {
 public:
  SdlImage(SDL_Texture* texture, int32_t width, int32_t height, DrawTarget& target)
      : texture_(texture), width_(width), height_(height), target_(target) {}

  int32_t Draw(const Point* source, const Point* destination, uint32_t colour,
               int32_t additive) override;
  int32_t GetWidth() override { return width_; }
  int32_t GetHeight() override { return height_; }
  SDL_Texture* Texture() const { return texture_; }

 private:
  SDL_Texture* texture_;
  int32_t width_, height_;
  DrawTarget& target_;
};

class SdlImageLoader final : public IParticleImageLoader {
 public:
  // root is the folder the library's "image\\..." paths are relative to.
  SdlImageLoader(std::string root, DrawTarget& target) : root_(std::move(root)), target_(target) {}

  IParticleImage* Load(const char* path) override;
  void Release(IParticleImage* image) override;
  const std::string& Root() const { return root_; }
  void SetRoot(std::string root) { root_ = std::move(root); }

 private:
  std::string root_;
  DrawTarget& target_;
};

}  // namespace tavrix::sdl2
