// Writing frames as a looping animated GIF (giflib), each frame with its own
// 256-colour palette, one frame at a time so that a long animation never
// sits in memory whole. Frames stream into a temporary file that becomes
// the GIF only when Close succeeds.
#pragma once

#include <string>

#include "common/AtomicFile.h"
#include "common/PngFile.h"

struct GifFileType;

namespace tavrix::tools {

class GifWriter {
 public:
  GifWriter() = default;
  ~GifWriter();
  GifWriter(const GifWriter&) = delete;
  GifWriter& operator=(const GifWriter&) = delete;

  // Each returns false, with a message in error, when the file cannot be
  // created or written; every frame has the first one's size. A writer
  // destroyed before Close leaves the old file, if any, as it was.
  bool Open(const std::string& path, int32_t width, int32_t height, int delayCentiseconds,
            std::string& error);
  bool Add(const Image& frame, std::string& error);
  bool Close(std::string& error);

 private:
  AtomicFile file_;
  GifFileType* gif_ = nullptr;
  std::string path_;
  int32_t width_ = 0, height_ = 0;
  int delay_ = 1;
};

}  // namespace tavrix::tools
