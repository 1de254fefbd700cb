// Room for a decoded image and its stored mip levels in one block.
#include "image/ImageData.h"

namespace tavrix {

bool ImageData::Allocate(uint32_t width, uint32_t height, uint32_t levelCount) {
  levelCount_ = 0;
  if (!WithinImageLimits(width, height)) return false;
  if (levelCount == 0 || levelCount > FullChainLevels(width, height)) return false;
  uint64_t total = 0;
  uint32_t w = width;
  uint32_t h = height;
  for (uint32_t i = 0; i < levelCount; ++i) {
    levels_[i] = ImageLevel{w, h, nullptr};
    total += static_cast<uint64_t>(w) * h;
    w = w > 1 ? w / 2 : 1;
    h = h > 1 ? h / 2 : 1;
  }
  if (!pixels_.Allocate(total)) return false;
  uint32_t* next = pixels_.Data();
  for (uint32_t i = 0; i < levelCount; ++i) {
    levels_[i].pixels = next;
    next += static_cast<uint64_t>(levels_[i].width) * levels_[i].height;
  }
  levelCount_ = levelCount;
  return true;
}

}  // namespace tavrix
