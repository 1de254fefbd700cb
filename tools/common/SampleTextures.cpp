#include "common/SampleTextures.h"

#include <cmath>

namespace tavrix::tools {
namespace {

uint32_t White(float alpha) {
  float a = alpha < 0 ? 0 : (alpha > 1 ? 1 : alpha);
  return (static_cast<uint32_t>(a * 255.0f + 0.5f) << 24) | 0x00FFFFFFu;
}

// Alpha falls off smoothly from the centre to the rim.
Image SoftDisc(int32_t size) {
  Image image(size, size);
  float c = size * 0.5f;
  for (int32_t y = 0; y < size; ++y)
    for (int32_t x = 0; x < size; ++x) {
      float d = std::hypot(x + 0.5f - c, y + 0.5f - c) / c;
      float a = d >= 1 ? 0 : (1 - d) * (1 - d);
      image.At(x, y) = White(a);
    }
  return image;
}

// A bright core with four thin rays.
Image Spark(int32_t size) {
  Image image(size, size);
  float c = size * 0.5f;
  for (int32_t y = 0; y < size; ++y)
    for (int32_t x = 0; x < size; ++x) {
      float dx = std::fabs(x + 0.5f - c) / c, dy = std::fabs(y + 0.5f - c) / c;
      float core = std::exp(-(dx * dx + dy * dy) * 18.0f);
      float rays = std::exp(-dx * 40.0f) * (1 - dy) + std::exp(-dy * 40.0f) * (1 - dx);
      image.At(x, y) = White(core + 0.6f * rays);
    }
  return image;
}

// Overlapping lobes give a lumpy, cloud-like outline.
Image SmokePuff(int32_t size) {
  Image image(size, size);
  const float lobes[5][3] = {{0.5f, 0.5f, 0.32f},
                             {0.35f, 0.42f, 0.22f},
                             {0.64f, 0.40f, 0.2f},
                             {0.42f, 0.64f, 0.2f},
                             {0.62f, 0.62f, 0.22f}};
  for (int32_t y = 0; y < size; ++y)
    for (int32_t x = 0; x < size; ++x) {
      float u = (x + 0.5f) / size, v = (y + 0.5f) / size, a = 0;
      for (const auto& lobe : lobes) {
        float d = std::hypot(u - lobe[0], v - lobe[1]) / lobe[2];
        if (d < 1) a += 0.45f * (1 - d * d);
      }
      image.At(x, y) = White(a);
    }
  return image;
}

// Four frames side by side: a ring that grows from frame to frame.
Image FrameStrip(int32_t frameSize) {
  Image image(frameSize * 4, frameSize);
  float c = frameSize * 0.5f;
  for (int32_t frame = 0; frame < 4; ++frame) {
    float radius = c * (0.3f + 0.18f * frame);
    for (int32_t y = 0; y < frameSize; ++y)
      for (int32_t x = 0; x < frameSize; ++x) {
        float d = std::fabs(std::hypot(x + 0.5f - c, y + 0.5f - c) - radius) / (c * 0.12f);
        image.At(frame * frameSize + x, y) = White(d >= 1 ? 0 : 1 - d);
      }
  }
  return image;
}

}  // namespace

std::vector<SampleTexture> SampleTextures() {
  return {{"disc.png", SoftDisc(64)},
          {"spark.png", Spark(32)},
          {"smoke.png", SmokePuff(64)},
          {"ring_strip.png", FrameStrip(32)}};
}

}  // namespace tavrix::tools
