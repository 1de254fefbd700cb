// Writing frames as a looping animated GIF (giflib), each frame with its own
// 256-colour palette.
#pragma once

#include <string>
#include <vector>

#include "common/PngFile.h"

namespace tavrix::tools {

bool WriteGif(const std::string& path, const std::vector<Image>& frames, int delayCentiseconds,
              std::string& error);

}  // namespace tavrix::tools
