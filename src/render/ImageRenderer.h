// Draws particles without a device: every quad goes, as source points in
// texture pixels and destination points in view pixels, to the host's image
// object behind the bound texture.
#pragma once

#include <cstdint>

#include "render/IParticleRenderer.h"
#include "tavrix/IParticleImage.h"
#include "tavrix/platform/Win32Types.h"

namespace tavrix {

class CTexture;
class IParticleImage;

class ImageRenderer final : public IParticleRenderer {
 public:
  // Reads the window's client size.
  explicit ImageRenderer(HWND window);
  ~ImageRenderer() = default;

  void Reset() override {
    texture_ = nullptr;
    image_ = nullptr;
  }
  int32_t Bind(bool additive, FrameSet* frameSet) override;
  int32_t DrawQuad(const QuadPoint* corners, const UvRect& uv, uint32_t colour, int32_t vertexCount,
                   float x, float y) override;
  int32_t BeginFrame() override { return 0; }
  int32_t EndFrame() override;
  int32_t SetViewSize(float width, float height, bool applyViewport) override;
  void* Destroy(unsigned int flags) override;
  bool TakesPoints() const override { return true; }
  void DrawQuads(const QuadRun& run) override;

  CTexture* BoundTexture() const { return texture_; }
  bool Additive() const { return additive_; }
  int32_t ViewWidth() const { return viewWidth_; }
  int32_t ViewHeight() const { return viewHeight_; }
  int32_t TextureWidth() const { return textureWidth_; }
  int32_t TextureHeight() const { return textureHeight_; }

 private:
  // The source points of uv in the bound image's pixels.
  void SourceOf(const UvRect& uv, Point (&source)[4]) const;

  CTexture* texture_ = nullptr;
  // The bound texture's image, or none: what DrawQuad draws into.
  IParticleImage* image_ = nullptr;
  bool additive_ = false;
  int32_t viewWidth_ = 0;
  int32_t viewHeight_ = 0;
  int32_t clientWidth_ = 0;
  int32_t clientHeight_ = 0;
  int32_t textureWidth_ = 0;
  int32_t textureHeight_ = 0;
};

}  // namespace tavrix
