#include "common/ContactSheet.h"

#include <algorithm>

#include "common/TextLabel.h"

namespace tavrix::tools {

ContactSheet::ContactSheet(int32_t frameWidth, int32_t frameHeight, int32_t columns, int32_t rows)
    : columns_(columns),
      rows_(rows),
      sheet_(frameWidth * columns, frameHeight * rows, 0xFF000000u) {}

void ContactSheet::Place(size_t index, const Image& frame, const std::string& label) {
  if (index >= size_t(columns_) * size_t(rows_)) return;
  const int32_t w = frame.width, h = frame.height;
  const int32_t left = int32_t(index % columns_) * w, top = int32_t(index / columns_) * h;
  if (left + w > sheet_.width || top + h > sheet_.height) return;
  for (int32_t y = 0; y < h; ++y)
    std::copy_n(frame.pixels.begin() + size_t(y) * w, w,
                sheet_.pixels.begin() + size_t(top + y) * sheet_.width + left);
  if (!label.empty()) DrawLabel(sheet_, {left, top, w, h}, label, LabelScale(w));
}

std::string TimeLabel(int64_t timeMs) { return std::to_string(timeMs) + " ms"; }

}  // namespace tavrix::tools
