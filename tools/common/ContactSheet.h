// Lays frames out on one image, row by row, for looking at an effect's
// whole course at a glance, each with a label (its time) at its top left.
// Frames are placed as they come, so only the sheet itself is held.
#pragma once

#include <string>

#include "common/PngFile.h"

namespace tavrix::tools {

class ContactSheet {
 public:
  // A black sheet of columns x rows cells of frameWidth x frameHeight.
  ContactSheet(int32_t frameWidth, int32_t frameHeight, int32_t columns, int32_t rows);

  // Frames past the last cell are left out; an empty label draws nothing.
  void Place(size_t index, const Image& frame, const std::string& label);
  const Image& Sheet() const { return sheet_; }

 private:
  int32_t columns_, rows_;
  Image sheet_;
};

// A frame's label: its effect time, "1033 ms".
std::string TimeLabel(int64_t timeMs);

}  // namespace tavrix::tools
