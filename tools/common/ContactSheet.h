// Lays frames out on one image, row by row, for looking at an effect's
// whole course at a glance.
#pragma once

#include <vector>

#include "common/PngFile.h"

namespace tavrix::tools {

Image ContactSheet(const std::vector<Image>& frames, int columns, int rows);

}  // namespace tavrix::tools
