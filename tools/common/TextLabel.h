// Short labels drawn into images: the time of a contact sheet's frame, the
// file of a column. Characters come from stb_easy_font, which builds each
// one from a few rectangles; they are filled in white over a black shadow,
// readable over a dark background and bright particles alike.
#pragma once

#include <string>

#include "common/PngFile.h"

namespace tavrix::tools {

struct Cell {
  int32_t left, top, width, height;
};

// Pixels one line of text takes at a scale (1: about 6 a character, 12 a
// line; 2: twice that), shadow included.
int32_t LabelWidth(const std::string& text, int32_t scale);
int32_t LabelHeight(int32_t scale);
// The scale that suits cells of that width: 2 from 160 pixels up.
int32_t LabelScale(int32_t cellWidth);

// Writes text at the top left of the cell, a margin in; what would leave
// the cell or the image is cut off.
void DrawLabel(Image& image, const Cell& cell, const std::string& text, int32_t scale);

}  // namespace tavrix::tools
