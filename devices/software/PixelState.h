// What the software device's pixel pipeline needs to know for a triangle:
// the target surface, the stage-0 texture and how it is sampled and
// combined, and the blend. Operations, arguments, filters and blend factors
// carry Direct3D 8's numeric values.
#pragma once

#include <cstdint>

namespace tavrix::software {

struct Surface {
  uint32_t* pixels = nullptr;
  int32_t width = 0;
  int32_t height = 0;
  int32_t pitch = 0;  // pixels from one row to the next
};

struct TextureLevel {
  const uint32_t* texels = nullptr;
  int32_t width = 0;
  int32_t height = 0;
};

struct TextureImage {
  const TextureLevel* levels = nullptr;
  int32_t levelCount = 0;
};

struct ClipRect {
  int32_t left = 0, top = 0, right = 0, bottom = 0;  // right and bottom exclusive
};

namespace op {
constexpr uint32_t Disable = 1, SelectArg1 = 2, SelectArg2 = 3, Modulate = 4;
}
namespace arg {
constexpr uint32_t Diffuse = 0, Current = 1, Texture = 2;
}
namespace filter {
constexpr uint32_t None = 0, Point = 1, Linear = 2;
}
namespace blend {
constexpr uint32_t Zero = 1, One = 2, SrcColor = 3, InvSrcColor = 4, SrcAlpha = 5, InvSrcAlpha = 6,
                   DestAlpha = 7, InvDestAlpha = 8, DestColor = 9, InvDestColor = 10,
                   SrcAlphaSat = 11;
}

struct StageState {
  uint32_t colourOp = op::Modulate;
  uint32_t colourArg1 = arg::Texture;
  uint32_t colourArg2 = arg::Current;
  uint32_t alphaOp = op::SelectArg1;
  uint32_t alphaArg1 = arg::Texture;
  uint32_t alphaArg2 = arg::Current;
  uint32_t magFilter = filter::Point;
  uint32_t minFilter = filter::Point;
  uint32_t mipFilter = filter::None;
};

struct PixelState {
  Surface target;
  ClipRect clip;
  const TextureImage* texture = nullptr;  // none samples as opaque white
  StageState stage;
  bool blendEnable = false;
  uint32_t sourceBlend = blend::One;
  uint32_t destinationBlend = blend::Zero;
  // Off draws everything through the general pipeline, the reference the
  // faster span loops must match pixel for pixel.
  bool allowFastPaths = true;
};

}  // namespace tavrix::software
