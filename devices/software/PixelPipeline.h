// The per-pixel work after coverage: sample the texture, combine it with the
// diffuse colour as texture stage 0 says, and blend into the target.
#pragma once

#include <cstdint>

#include "PixelState.h"

namespace tavrix::software {

// Which level and filter a triangle samples with, chosen once per triangle
// from how much it minifies the texture.
struct SamplingChoice {
  const TextureLevel* level = nullptr;
  uint32_t filter = filter::Point;
};

SamplingChoice ChooseSampling(const TextureImage& texture, const StageState& stage,
                              float texelsPerPixel);

uint32_t Sample(const TextureLevel& level, uint32_t filter, float u, float v);
uint32_t CombineStage(const StageState& stage, uint32_t texel, uint32_t diffuse);
uint32_t BlendPixel(uint32_t source, uint32_t destination, uint32_t sourceFactor,
                    uint32_t destinationFactor);

// The blend factors drawn exactly; any other is drawn as the nearest of them
// and reported once on standard error.
uint32_t SupportedBlend(uint32_t factor);

}  // namespace tavrix::software
