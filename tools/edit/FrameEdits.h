// Edits of an emitter's texture and frames: the texture, the frame set name,
// the frame list given whole or made from a grid of columns x rows. The
// library shares a frame set's frames and texture among every emitter that
// names it, so frames and texture of a shared frame set are not changed from
// one emitter; it gets a name of its own first.
#pragma once

#include <string>
#include <vector>

#include "edit/EffectDocument.h"

namespace tavrix::edit {

struct Frame {
  float uLeft, vTop, uRight, vBottom;
};

// A frame index past the new list moves to its last frame.
Edit SetFrames(int emitter, const std::vector<Frame>& frames);
// Row by row from the top left; count 0 takes every cell, a smaller count
// the first cells of a partly filled sheet.
Edit GridFrames(int emitter, int columns, int rows, int count = 0);
Edit SetTexture(int emitter, const std::string& textureName);
Edit SetFrameSetName(int emitter, const std::string& frameSetName);

inline constexpr int MaximumFrames = 4096;
inline constexpr int MaximumGridSide = 64;

}  // namespace tavrix::edit
