// The picture half of "tavrix diff --render": a few moments of two effects
// side by side on one contact sheet, the old on the left, the new on the
// right, each moment one row, so a change in timing or colour is seen at a
// glance. Each column is headed by its file, each frame labelled with its
// time.
#pragma once

#include <string>

#include "record/RecordModel.h"

namespace tavrix::tools {

struct DiffSide {
  std::string file;  // effect file or JSON record
  std::string root;  // folder of its textures and nested effects
  record::Json record;
};

// "fire_diff.png" in the current folder for the old side fire.eff.
std::string DefaultSheetPath(const std::string& before);
// Throws ToolError when either side does not play or the sheet cannot be
// written. Both play in this one process after each other, so random draws
// differ between the sides: compare shapes, colours and timing.
void WriteDiffSheet(const DiffSide& before, const DiffSide& after, const std::string& output);

}  // namespace tavrix::tools
