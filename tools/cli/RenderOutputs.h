// Where render's frames go, each written as it comes: numbered PNG files,
// a contact sheet filled cell by cell, an animated GIF frame by frame. Only
// one frame and the sheet are ever held, whatever the number of frames.
// Each file appears whole or not at all; a GIF cut short is dropped.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "common/ContactSheet.h"
#include "common/GifFile.h"

namespace tavrix::tools {

class RenderOutputs {
 public:
  struct Request {
    std::string png, gif, sheet, sheetOutput;
    bool sheetLabels = true;  // each cell of the sheet with its frame's time
  };

  // Throws ToolError when an option cannot be read, a folder is missing or
  // a file cannot be created.
  // Paths are made absolute here, since playing changes the folder.
  RenderOutputs(const Request& request, const std::string& effect, int32_t width, int32_t height,
                int64_t frames, int gifDelayCentiseconds);

  // Frame index at timeMs of effect time.
  void Add(int64_t index, int64_t timeMs, const Image& frame);
  void Finish();

 private:
  std::string png_, sheetPath_;
  int64_t frames_;
  std::optional<ContactSheet> sheet_;
  bool sheetLabels_;
  std::unique_ptr<GifWriter> gif_;
  std::string gifPath_;
};

}  // namespace tavrix::tools
