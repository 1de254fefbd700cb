// The image renderer: no transform and no device state, only the mapping of
// each quad onto the host image's pixels.
#include "render/ImageRenderer.h"

#include <cstddef>

#include "base/Allocator.h"
#include "base/SafeConvert.h"
#include "platform/Win32.h"
#include "resources/CTexture.h"
#include "resources/FrameSet.h"

namespace tavrix {
namespace {

IParticleImage* ImageOf(CTexture* texture) {
  auto* imageTexture = dynamic_cast<ImageTexture*>(texture);
  return imageTexture ? imageTexture->GetImage() : nullptr;
}

// Truncation toward zero of every value. When all lie inside the int32 range,
// as on any real view, a plain cast is exact and spares each value its own
// checks; otherwise each takes TruncateToInt32's saturation and NaN rule.
template <size_t N>
void TruncateAll(const float (&values)[N], int32_t (&out)[N]) {
  int32_t outside = 0;  // an int, not a bool: the test then runs on all values at once
  for (float v : values) outside |= !((v > -2147483648.0f) & (v < 2147483648.0f));
  if (!outside) {
    for (size_t i = 0; i < N; ++i) out[i] = static_cast<int32_t>(values[i]);
    return;
  }
  for (size_t i = 0; i < N; ++i) out[i] = TruncateToInt32(values[i]);
}

}  // namespace

ImageRenderer::ImageRenderer(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  clientWidth_ = SaturateToInt32(static_cast<int64_t>(client.right) - client.left);
  clientHeight_ = SaturateToInt32(static_cast<int64_t>(client.bottom) - client.top);
}

void* ImageRenderer::Destroy(unsigned int flags) { return DestroyObject(this, flags); }

// The image is resolved here, once per emitter, so that drawing a quad asks
// nothing of the texture.
int32_t ImageRenderer::Bind(bool additive, FrameSet* frameSet) {
  additive_ = additive;
  texture_ = frameSet ? frameSet->Texture() : nullptr;
  image_ = ImageOf(texture_);
  if (image_) {
    textureWidth_ = image_->GetWidth();
    textureHeight_ = image_->GetHeight();
  }
  return 0;
}

void ImageRenderer::SourceOf(const UvRect& uv, Point (&source)[4]) const {
  const float width = static_cast<float>(textureWidth_);
  const float height = static_cast<float>(textureHeight_);
  const float exact[4] = {width * uv.uLeft, height * uv.vTop, width * uv.uRight,
                          height * uv.vBottom};
  int32_t cut[4];
  TruncateAll(exact, cut);
  source[0] = {cut[0], cut[1]};
  source[1] = {cut[2], cut[1]};
  source[2] = {cut[2], cut[3]};
  source[3] = {cut[0], cut[3]};
}

int32_t ImageRenderer::DrawQuad(const QuadPoint* corners, const UvRect& uv, uint32_t colour,
                                int32_t, float x, float y) {
  if (!image_) return 0;
  Point source[4];
  SourceOf(uv, source);
  // The destination corners 3, 2, 1, 0 plus a half, each cut toward zero.
  const float exact[8] = {x + corners[3].x + 0.5f, y + corners[3].y + 0.5f, x + corners[2].x + 0.5f,
                          y + corners[2].y + 0.5f, x + corners[1].x + 0.5f, y + corners[1].y + 0.5f,
                          x + corners[0].x + 0.5f, y + corners[0].y + 0.5f};
  int32_t cut[8];
  TruncateAll(exact, cut);
  const Point destination[4] = {
      {cut[0], cut[1]}, {cut[2], cut[3]}, {cut[4], cut[5]}, {cut[6], cut[7]}};
  image_->Draw(source, destination, colour, additive_ ? 1 : 0);
  return 0;
}

// The points come cut: each destination is corners 3, 2, 1 and 0 of a quad.
void ImageRenderer::DrawQuads(const QuadRun& run) {
  if (!image_) return;
  const QuadRun quads = run;  // read once: the image could in principle reach it
  Point source[4];
  SourceOf(quads.uvs[0], source);
  const int32_t additive = additive_ ? 1 : 0;
  for (uint32_t step = 0; step < quads.count; ++step) {
    const uint32_t i = quads.reversed ? quads.count - 1 - step : step;
    if (quads.colours[i] == 0) continue;
    if (quads.uvPerQuad) SourceOf(quads.uvs[i], source);
    const int32_t* const p = quads.points + i;
    constexpr uint32_t r = kRunQuads;
    const Point destination[4] = {
        {p[6 * r], p[7 * r]}, {p[4 * r], p[5 * r]}, {p[2 * r], p[3 * r]}, {p[0], p[r]}};
    image_->Draw(source, destination, quads.colours[i], additive);
  }
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
