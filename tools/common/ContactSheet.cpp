#include "common/ContactSheet.h"

#include <algorithm>

namespace tavrix::tools {

Image ContactSheet(const std::vector<Image>& frames, int columns, int rows) {
  if (frames.empty() || columns <= 0 || rows <= 0) return Image();
  const int32_t w = frames[0].width, h = frames[0].height;
  Image sheet(w * columns, h * rows, 0xFF000000u);
  const size_t count = std::min(frames.size(), size_t(columns) * size_t(rows));
  for (size_t i = 0; i < count; ++i) {
    int32_t left = int32_t(i % columns) * w, top = int32_t(i / columns) * h;
    for (int32_t y = 0; y < h; ++y)
      std::copy_n(frames[i].pixels.begin() + size_t(y) * w, w,
                  sheet.pixels.begin() + size_t(top + y) * sheet.width + left);
  }
  return sheet;
}

}  // namespace tavrix::tools
