// The image renderer: no transform and no device state, only the mapping of
// each quad onto the host image's pixels.
#include "render/ImageRenderer.h"

#include "module/Allocator.h"
#include "platform/Win32.h"
#include "resources/CTexture.h"
#include "resources/FrameSet.h"
#include "simulation/SafeConvert.h"

namespace tavrix {
namespace {

IParticleImage* ImageOf(CTexture* texture) {
  auto* imageTexture = dynamic_cast<ImageTexture*>(texture);
  return imageTexture ? imageTexture->GetImage() : nullptr;
}

int32_t TexturePixel(int32_t size, float coordinate) {
  return TruncateToInt32(static_cast<float>(size) * coordinate);
}

Point Destination(const QuadPoint& corner, float x, float y) {
  return Point{TruncateToInt32(x + corner.x + 0.5f), TruncateToInt32(y + corner.y + 0.5f)};
}

}  // namespace

ImageRenderer::ImageRenderer(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  clientWidth_ = SaturateToInt32(static_cast<int64_t>(client.right) - client.left);
  clientHeight_ = SaturateToInt32(static_cast<int64_t>(client.bottom) - client.top);
}

void* ImageRenderer::Destroy(unsigned int flags) { return DestroyObject(this, flags); }

int32_t ImageRenderer::Bind(bool additive, FrameSet* frameSet) {
  additive_ = additive;
  texture_ = frameSet ? frameSet->Texture() : nullptr;
  if (IParticleImage* image = ImageOf(texture_)) {
    textureWidth_ = image->GetWidth();
    textureHeight_ = image->GetHeight();
  }
  return 0;
}

int32_t ImageRenderer::DrawQuad(const QuadPoint* corners, const UvRect& uv, uint32_t colour,
                                int32_t, float x, float y) {
  IParticleImage* image = ImageOf(texture_);
  if (!image) return 0;
  const int32_t left = TexturePixel(textureWidth_, uv.uLeft);
  const int32_t top = TexturePixel(textureHeight_, uv.vTop);
  const int32_t right = TexturePixel(textureWidth_, uv.uRight);
  const int32_t bottom = TexturePixel(textureHeight_, uv.vBottom);
  const Point source[4] = {{left, top}, {right, top}, {right, bottom}, {left, bottom}};
  const Point destination[4] = {Destination(corners[3], x, y), Destination(corners[2], x, y),
                                Destination(corners[1], x, y), Destination(corners[0], x, y)};
  image->Draw(source, destination, colour, additive_ ? 1 : 0);
  return 0;
}

int32_t ImageRenderer::EndFrame() {
  additive_ = false;
  return 0;
}

// A client area of zero width gives no aspect ratio to keep: a height of 0
// then makes the view square rather than dividing by zero.
int32_t ImageRenderer::SetViewSize(float width, float height, bool) {
  viewWidth_ = TruncateToInt32(width);
  if (height != 0.0f) {
    viewHeight_ = TruncateToInt32(height);
  } else if (clientWidth_ != 0) {
    viewHeight_ = SaturateToInt32(static_cast<int64_t>(clientHeight_) * viewWidth_ / clientWidth_);
  } else {
    viewHeight_ = viewWidth_;
  }
  return 0;
}

}  // namespace tavrix
